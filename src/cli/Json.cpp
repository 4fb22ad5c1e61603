#include "Json.h"

#include <cmath>
#include <cstdio>

namespace tk3d::cli {

void TJsonWriter::Indent() {
    fOut << '\n';
    for (size_t i = 0; i < fFirst.size(); ++i) fOut << "  ";
}

void TJsonWriter::Separate() {
    if (fAfterKey) {
        fAfterKey = false;
        return;
    }
    if (fFirst.empty()) return;
    if (!fFirst.back()) fOut << ',';
    fFirst.back() = false;
    Indent();
}

TJsonWriter& TJsonWriter::BeginObject() {
    Separate();
    fOut << '{';
    fFirst.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
    const bool empty = fFirst.back();
    fFirst.pop_back();
    if (!empty) Indent();
    fOut << '}';
    if (fFirst.empty()) fOut << '\n';
    return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
    Separate();
    fOut << '[';
    fFirst.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
    const bool empty = fFirst.back();
    fFirst.pop_back();
    if (!empty) Indent();
    fOut << ']';
    return *this;
}

TJsonWriter& TJsonWriter::Key(std::string_view key) {
    Separate();
    WriteQuoted(key);
    fOut << ": ";
    fAfterKey = true;
    return *this;
}

TJsonWriter& TJsonWriter::Value(std::string_view s) {
    Separate();
    WriteQuoted(s);
    return *this;
}

void TJsonWriter::WriteQuoted(std::string_view s) {
    fOut << '"';
    for (unsigned char c : s) {
        switch (c) {
            case '"': fOut << "\\\""; break;
            case '\\': fOut << "\\\\"; break;
            case '\n': fOut << "\\n"; break;
            case '\r': fOut << "\\r"; break;
            case '\t': fOut << "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    fOut << buf;
                } else {
                    fOut << c;
                }
        }
    }
    fOut << '"';
}

TJsonWriter& TJsonWriter::Value(bool b) {
    Separate();
    fOut << (b ? "true" : "false");
    return *this;
}

TJsonWriter& TJsonWriter::Value(int64_t v) {
    Separate();
    fOut << v;
    return *this;
}

TJsonWriter& TJsonWriter::Value(double v) {
    Separate();
    if (!std::isfinite(v)) {
        fOut << "null";
        return *this;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    fOut << buf;
    return *this;
}

TJsonWriter& TJsonWriter::Null() {
    Separate();
    fOut << "null";
    return *this;
}

TJsonWriter& TJsonWriter::Value(const std::vector<int>& ints) {
    Separate();
    fOut << '[';
    for (size_t i = 0; i < ints.size(); ++i) fOut << (i ? ", " : "") << ints[i];
    fOut << ']';
    return *this;
}

}  // namespace tk3d::cli
