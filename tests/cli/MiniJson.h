// Just enough JSON to check the tool's output: parse into a tree, look up by
// key or index. A parse error fails the test that asked for it.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace tk3dtest {

struct JValue {
    using Object = std::map<std::string, JValue>;
    using Array = std::vector<JValue>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>, std::shared_ptr<Object>>
        v;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(v); }
    bool Has(const std::string& key) const;
    // Missing keys, indices out of range and wrong kinds throw.
    const JValue& operator[](const std::string& key) const;
    const JValue& operator[](size_t index) const;
    size_t Size() const;
    double Num() const { return std::get<double>(v); }
    bool Bool() const { return std::get<bool>(v); }
    const std::string& Str() const { return std::get<std::string>(v); }
    std::vector<int> Ints() const;
};

// Throws std::runtime_error on malformed text or trailing garbage.
JValue ParseJson(const std::string& text);

}  // namespace tk3dtest
