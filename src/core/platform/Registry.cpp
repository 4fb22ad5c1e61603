#include "platform/Registry.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

namespace tk3d {
namespace {

// Settings files are small; anything far larger is not ours to parse.
constexpr std::uintmax_t kMaxFileSize = 16u << 20;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Key paths without leading, trailing or doubled backslashes.
std::string NormalizeKeyPath(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
        out += c;
    }
    if (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

// Reads a whole file; nullopt when it exists but cannot be read in full.
// A missing file reads as empty.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return ec ? std::nullopt : std::optional<std::string>(std::string());
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxFileSize) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A quoted text starting at s[i] == '"'; i ends after the closing quote.
std::optional<std::string> ParseQuoted(const std::string& s, size_t& i) {
    std::string out;
    for (++i; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            ++i;
            return out;
        }
        if (c == '\\') {
            if (++i >= s.size()) return std::nullopt;
            switch (s[i]) {
                case '\\':
                    out += '\\';
                    break;
                case '"':
                    out += '"';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                default:
                    return std::nullopt;
            }
            continue;
        }
        out += c;
    }
    return std::nullopt;
}

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + '"';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<TRegValue> ParseData(const std::string& data) {
    if (!data.empty() && data[0] == '"') {
        size_t i = 0;
        std::optional<std::string> text = ParseQuoted(data, i);
        if (!text || i != data.size()) return std::nullopt;
        return TRegValue(*text);
    }
    if (StartsWithNoCase(data, "dword:")) {
        const std::string digits = Trim(data.substr(6));
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        uint32_t v = 0;
        for (char c : digits) {
            const int d = HexDigit(c);
            if (d < 0) return std::nullopt;
            v = (v << 4) | uint32_t(d);
        }
        return TRegValue(int32_t(v));
    }
    if (StartsWithNoCase(data, "hex:")) {
        TRegBinary bytes;
        std::stringstream list(data.substr(4));
        std::string item;
        while (std::getline(list, item, ',')) {
            item = Trim(item);
            if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) return std::nullopt;
            bytes.push_back(uint8_t(HexDigit(item[0]) * 16 + HexDigit(item[1])));
        }
        return TRegValue(std::move(bytes));
    }
    return std::nullopt;
}

std::string FormatData(const TRegValue& value) {
    if (const auto* i = std::get_if<int32_t>(&value)) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", unsigned(uint32_t(*i)));
        return buf;
    }
    if (const auto* s = std::get_if<std::string>(&value)) return Quote(*s);
    std::string out = "hex:";
    const TRegBinary& bytes = std::get<TRegBinary>(value);
    for (size_t k = 0; k < bytes.size(); ++k) {
        char buf[4];
        std::snprintf(buf, sizeof buf, k ? ",%02x" : "%02x", unsigned(bytes[k]));
        out += buf;
    }
    return out;
}

// Name and value of a value line, or nullopt for anything else.
std::optional<std::pair<std::string, TRegValue>> ParseValueLine(const std::string& raw) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[') return std::nullopt;
    std::string name;
    size_t i = 0;
    if (line[0] == '"') {
        std::optional<std::string> quoted = ParseQuoted(line, i);
        if (!quoted) return std::nullopt;
        name = *quoted;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size() || line[i] != '=') return std::nullopt;
    } else {
        i = line.find('=');
        if (i == std::string::npos) return std::nullopt;
        name = Trim(line.substr(0, i));
        if (name == "@") name.clear();
    }
    std::optional<TRegValue> value = ParseData(Trim(line.substr(i + 1)));
    if (!value) return std::nullopt;
    return std::make_pair(std::move(name), std::move(*value));
}

// "[path]" gives the path; anything else nullopt.
std::optional<std::string> ParseSectionHeader(const std::string& raw) {
    const std::string line = Trim(raw);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return Trim(line.substr(1, line.size() - 2));
}

std::string HomeDir() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return ".";
}

}  // namespace

std::string RegistryFilePath(TRegRoot root) {
    if (const char* dir = std::getenv("TK3D_CONFIG_ROOT"); dir && *dir)
        return std::string(dir) + (root == TRegRoot::CurrentUser ? "/user" : "/machine") + "/registry.ini";
    if (root == TRegRoot::LocalMachine) return "/etc/xdg/tk3d/registry.ini";
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : HomeDir() + "/.config";
    return base + "/tk3d/registry.ini";
}

TRegistryFile::TRegistryFile(std::string path) : fPath(std::move(path)) {
    const std::optional<std::string> text = ReadWholeFile(fPath);
    if (!text) {
        fWritable = false;
        return;
    }
    for (std::string& line : SplitLines(*text)) {
        if (std::optional<std::string> header = ParseSectionHeader(line)) {
            fSections.push_back({line, NormalizeKeyPath(*header), {}});
            continue;
        }
        if (fSections.empty()) {
            fPreamble.push_back(std::move(line));
            continue;
        }
        TLine parsed{line, {}, {}};
        if (auto nv = ParseValueLine(line)) {
            parsed.name = std::move(nv->first);
            parsed.value = std::move(nv->second);
        }
        fSections.back().lines.push_back(std::move(parsed));
    }
}

const TRegistryFile::TSection* TRegistryFile::FindSection(const std::string& keyPath) const {
    const std::string path = NormalizeKeyPath(keyPath);
    for (const TSection& s : fSections)
        if (EqualsNoCase(s.path, path)) return &s;
    return nullptr;
}

TRegistryFile::TSection* TRegistryFile::FindSection(const std::string& keyPath) {
    return const_cast<TSection*>(std::as_const(*this).FindSection(keyPath));
}

bool TRegistryFile::KeyExists(const std::string& keyPath) const {
    const std::string path = NormalizeKeyPath(keyPath);
    if (path.empty()) return true;
    return std::any_of(fSections.begin(), fSections.end(), [&](const TSection& s) {
        return EqualsNoCase(s.path, path) || StartsWithNoCase(s.path, path + "\\");
    });
}

std::optional<TRegValue> TRegistryFile::Value(const std::string& keyPath, const std::string& name) const {
    const std::string path = NormalizeKeyPath(keyPath);
    for (const TSection& s : fSections) {
        if (!EqualsNoCase(s.path, path)) continue;
        for (const TLine& line : s.lines)
            if (line.value && EqualsNoCase(line.name, name)) return line.value;
    }
    return std::nullopt;
}

TRegistryFile::TSection& TRegistryFile::EnsureSection(const std::string& keyPath) {
    if (TSection* s = FindSection(keyPath)) return *s;
    const std::string path = NormalizeKeyPath(keyPath);
    // Keep a blank line between sections, as people write them.
    std::vector<TLine>* last = fSections.empty() ? nullptr : &fSections.back().lines;
    if (last && !last->empty() && !Trim(last->back().text).empty()) last->push_back({"", {}, {}});
    fSections.push_back({"[" + path + "]", path, {}});
    return fSections.back();
}

bool TRegistryFile::CreateKey(const std::string& keyPath) {
    if (!fWritable) return false;
    if (KeyExists(keyPath)) return true;
    EnsureSection(keyPath);
    return Save();
}

bool TRegistryFile::SetValue(const std::string& keyPath, const std::string& name, const TRegValue& value) {
    if (!fWritable) return false;
    TSection& section = EnsureSection(keyPath);
    const std::string text = (name.empty() ? std::string("@") : Quote(name)) + "=" + FormatData(value);
    auto it = std::find_if(section.lines.begin(), section.lines.end(),
                           [&](const TLine& l) { return l.value && EqualsNoCase(l.name, name); });
    if (it != section.lines.end()) {
        *it = {text, name, value};
    } else {
        // After the last non-blank line, so that trailing blank lines stay last.
        auto pos = section.lines.end();
        while (pos != section.lines.begin() && Trim((pos - 1)->text).empty()) --pos;
        section.lines.insert(pos, {text, name, value});
    }
    return Save();
}

bool TRegistryFile::Save() const {
    std::string text;
    for (const std::string& line : fPreamble) text += line + '\n';
    for (const TSection& s : fSections) {
        text += s.header + '\n';
        for (const TLine& line : s.lines) text += line.text + '\n';
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(fPath);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    // Write beside and rename, so a crash never leaves half a file.
    const std::string temp = fPath + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

TRegistry::TRegistry(TRegRoot root) : fRoot(root) {}

void TRegistry::SetRootKey(TRegRoot root) {
    CloseKey();
    fRoot = root;
}

TRegistryFile& TRegistry::Store(TRegRoot root) const {
    std::unique_ptr<TRegistryFile>& store = fStores[root == TRegRoot::CurrentUser ? 0 : 1];
    if (!store) store = std::make_unique<TRegistryFile>(RegistryFilePath(root));
    return *store;
}

std::string TRegistry::ResolvePath(const std::string& key) const {
    if (!key.empty() && key[0] == '\\') return NormalizeKeyPath(key);
    if (fPath.empty()) return NormalizeKeyPath(key);
    return NormalizeKeyPath(fPath + "\\" + key);
}

void TRegistry::SetCurrent(const std::string& path, bool open) {
    fPath = path;
    fOpen = open;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    const std::string path = ResolvePath(key);
    TRegistryFile& store = Store(fRoot);
    if (!store.KeyExists(path) && !(canCreate && store.CreateKey(path))) return false;
    SetCurrent(path, true);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return OpenKey(key, false); }

void TRegistry::CloseKey() { SetCurrent({}, false); }

bool TRegistry::KeyExists(const std::string& key) const { return Store(fRoot).KeyExists(ResolvePath(key)); }

std::optional<TRegValue> TRegistry::ReadValue(const std::string& name) const {
    if (!fOpen) return std::nullopt;
    return Store(fRoot).Value(fPath, name);
}

std::optional<int32_t> TRegistry::ReadInteger(const std::string& name) const {
    const std::optional<TRegValue> v = ReadValue(name);
    if (!v || !std::holds_alternative<int32_t>(*v)) return std::nullopt;
    return std::get<int32_t>(*v);
}

std::optional<std::string> TRegistry::ReadString(const std::string& name) const {
    const std::optional<TRegValue> v = ReadValue(name);
    if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
    return std::get<std::string>(*v);
}

std::optional<TRegBinary> TRegistry::ReadBinary(const std::string& name) const {
    const std::optional<TRegValue> v = ReadValue(name);
    if (!v || !std::holds_alternative<TRegBinary>(*v)) return std::nullopt;
    return std::get<TRegBinary>(*v);
}

bool TRegistry::Write(const std::string& name, const TRegValue& value) {
    return fOpen && Store(fRoot).SetValue(fPath, name, value);
}

bool TRegistry::WriteInteger(const std::string& name, int32_t value) { return Write(name, value); }
bool TRegistry::WriteString(const std::string& name, const std::string& value) { return Write(name, value); }
bool TRegistry::WriteBinary(const std::string& name, const TRegBinary& value) { return Write(name, value); }

TIniFile::TIniFile(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return;
    TSection* current = nullptr;
    for (const std::string& raw : SplitLines(*text)) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if (std::optional<std::string> name = ParseSectionHeader(line)) {
            auto it = std::find_if(fSections.begin(), fSections.end(),
                                   [&](const TSection& s) { return EqualsNoCase(s.name, *name); });
            if (it == fSections.end()) it = fSections.insert(fSections.end(), {*name, {}});
            current = &*it;
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos) continue;
        current->values.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
}

std::optional<std::string> TIniFile::ReadString(const std::string& section, const std::string& key) const {
    const std::string wanted = Trim(key);
    for (const TSection& s : fSections) {
        if (!EqualsNoCase(s.name, Trim(section))) continue;
        for (const auto& [name, value] : s.values)
            if (EqualsNoCase(name, wanted)) return value;
    }
    return std::nullopt;
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
    const std::optional<std::string> text = ReadString(section, key);
    if (!text || text->empty()) return def;
    const std::string& s = *text;
    size_t i = 0;
    const bool negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+') ++i;
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && LowerAscii(s[i + 1]) == 'x') {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return def;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const int d = base == 16 ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0) return def;
        v = v * uint64_t(base) + uint64_t(d);
        if (v > 0xFFFFFFFFull) return def;
    }
    if (base == 16) return negative ? int32_t(-int64_t(uint32_t(v))) : int32_t(uint32_t(v));
    const int64_t signedValue = negative ? -int64_t(v) : int64_t(v);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) return def;
    return int32_t(signedValue);
}

std::vector<std::string> TIniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const TSection& s : fSections) names.push_back(s.name);
    return names;
}

}  // namespace tk3d
