#include "MiniJson.h"

#include <cstdlib>
#include <stdexcept>

namespace tk3dtest {
namespace {

class Parser {
public:
    explicit Parser(const std::string& s) : s(s) {}

    JValue Document() {
        JValue v = Value();
        Space();
        if (i != s.size()) Fail("trailing text");
        return v;
    }

private:
    [[noreturn]] void Fail(const char* what) const {
        throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(i));
    }
    void Space() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\r' || s[i] == '\t')) ++i;
    }
    bool Eat(char c) {
        Space();
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    void Expect(char c) {
        if (!Eat(c)) Fail("unexpected character");
    }
    bool Word(const char* w) {
        const std::string word(w);
        if (s.compare(i, word.size(), word) != 0) return false;
        i += word.size();
        return true;
    }

    std::string String() {
        Expect('"');
        std::string out;
        while (i < s.size() && s[i] != '"') {
            if (s[i] == '\\') {
                if (++i >= s.size()) Fail("bad escape");
                const char c = s[i++];
                if (c == 'n')
                    out += '\n';
                else if (c == 't')
                    out += '\t';
                else if (c == 'r')
                    out += '\r';
                else if (c == 'u') {
                    if (i + 4 > s.size()) Fail("bad escape");
                    const long cp = std::strtol(s.substr(i, 4).c_str(), nullptr, 16);
                    if (cp >= 0x80) Fail("only ASCII escapes expected");
                    out += char(cp);
                    i += 4;
                } else
                    out += c;
                continue;
            }
            out += s[i++];
        }
        if (i >= s.size()) Fail("unterminated string");
        ++i;
        return out;
    }

    JValue Value() {
        Space();
        if (i >= s.size()) Fail("unexpected end");
        JValue v;
        const char c = s[i];
        if (c == '{') {
            ++i;
            auto obj = std::make_shared<JValue::Object>();
            if (!Eat('}')) {
                do {
                    Space();
                    std::string key = String();
                    Expect(':');
                    (*obj)[key] = Value();
                } while (Eat(','));
                Expect('}');
            }
            v.v = obj;
        } else if (c == '[') {
            ++i;
            auto arr = std::make_shared<JValue::Array>();
            if (!Eat(']')) {
                do arr->push_back(Value());
                while (Eat(','));
                Expect(']');
            }
            v.v = arr;
        } else if (c == '"') {
            v.v = String();
        } else if (Word("true")) {
            v.v = true;
        } else if (Word("false")) {
            v.v = false;
        } else if (Word("null")) {
            v.v = nullptr;
        } else {
            char* end = nullptr;
            const double d = std::strtod(s.c_str() + i, &end);
            if (end == s.c_str() + i) Fail("bad value");
            i = size_t(end - s.c_str());
            v.v = d;
        }
        return v;
    }

    const std::string& s;
    size_t i = 0;
};

}  // namespace

bool JValue::Has(const std::string& key) const {
    return std::get<std::shared_ptr<Object>>(v)->count(key) != 0;
}

const JValue& JValue::operator[](const std::string& key) const {
    return std::get<std::shared_ptr<Object>>(v)->at(key);
}

const JValue& JValue::operator[](size_t index) const {
    return std::get<std::shared_ptr<Array>>(v)->at(index);
}

size_t JValue::Size() const {
    if (const auto* a = std::get_if<std::shared_ptr<Array>>(&v)) return (*a)->size();
    return std::get<std::shared_ptr<Object>>(v)->size();
}

std::vector<int> JValue::Ints() const {
    std::vector<int> out;
    for (const JValue& e : *std::get<std::shared_ptr<Array>>(v)) out.push_back(int(e.Num()));
    return out;
}

JValue ParseJson(const std::string& text) { return Parser(text).Document(); }

}  // namespace tk3dtest
