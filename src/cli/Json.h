// A small streaming JSON writer for the command-line tool's output.
#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tk3d::cli {

class TJsonWriter {
public:
    explicit TJsonWriter(std::ostream& out) : fOut(out) {}

    TJsonWriter& BeginObject();
    TJsonWriter& EndObject();
    TJsonWriter& BeginArray();
    TJsonWriter& EndArray();
    // The key of the next value inside an object.
    TJsonWriter& Key(std::string_view key);

    TJsonWriter& Value(std::string_view s);
    TJsonWriter& Value(const char* s) { return Value(std::string_view(s)); }
    TJsonWriter& Value(const std::string& s) { return Value(std::string_view(s)); }
    TJsonWriter& Value(bool b);
    TJsonWriter& Value(int64_t v);
    TJsonWriter& Value(int32_t v) { return Value(int64_t(v)); }
    TJsonWriter& Value(uint32_t v) { return Value(int64_t(v)); }
    // Non-finite doubles become null (JSON has no NaN).
    TJsonWriter& Value(double v);
    TJsonWriter& Null();
    template <class T>
    TJsonWriter& Value(const std::optional<T>& v) {
        return v ? Value(*v) : Null();
    }
    TJsonWriter& Value(const std::vector<int>& ints);

    // Key and value in one call.
    template <class T>
    TJsonWriter& Field(std::string_view key, const T& v) {
        Key(key);
        return Value(v);
    }

private:
    void Separate();
    void WriteQuoted(std::string_view s);
    void Indent();
    std::ostream& fOut;
    std::vector<bool> fFirst;  // per open container: no element written yet
    bool fAfterKey = false;
};

}  // namespace tk3d::cli
