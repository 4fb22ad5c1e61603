// Our stand-in for the registry: a small store of typed values under key
// paths, kept in one INI-style file per root, and the INI-file reader for the
// planner's settings file beside the executable.
//
// Store files (one section per key path, .reg-like typed values):
//   [Software\Kestrow\Trakona\11.0\Viewer]
//   "DefFileDir"="/home/me/layouts"
//   "Count"=dword:0000002a
//   "Placement"=hex:2c,00,00,00
// Key paths and value names compare case-insensitively. Lines the reader
// does not understand are ignored and kept unchanged when the file is
// written; a write changes only the line of the value written.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tk3d {

enum class TRegRoot { CurrentUser, LocalMachine };

// Store files: $XDG_CONFIG_HOME/tk3d/registry.ini (default ~/.config/tk3d/)
// and /etc/xdg/tk3d/registry.ini; TK3D_CONFIG_ROOT=<dir> moves them to
// <dir>/user/registry.ini and <dir>/machine/registry.ini.
std::string RegistryFilePath(TRegRoot root);

using TRegBinary = std::vector<uint8_t>;
using TRegValue = std::variant<int32_t, std::string, TRegBinary>;

// One store file, parsed once.
class TRegistryFile {
public:
    // A missing file is an empty store; a file that cannot be read is an
    // empty store that refuses to be written (so it is never clobbered).
    explicit TRegistryFile(std::string path);

    // A key exists when its section or a section below it exists.
    bool KeyExists(const std::string& keyPath) const;
    std::optional<TRegValue> Value(const std::string& keyPath, const std::string& name) const;

    // Change the store and write the file at once; false when it cannot.
    bool CreateKey(const std::string& keyPath);
    bool SetValue(const std::string& keyPath, const std::string& name, const TRegValue& value);

private:
    struct TLine {
        std::string text;
        std::string name;  // value name of a valid value line, else empty
        std::optional<TRegValue> value;
    };
    struct TSection {
        std::string header;  // the line as read
        std::string path;
        std::vector<TLine> lines;
    };
    TSection* FindSection(const std::string& keyPath);
    const TSection* FindSection(const std::string& keyPath) const;
    TSection& EnsureSection(const std::string& keyPath);
    bool Save() const;

    std::string fPath;
    bool fWritable = true;
    std::vector<std::string> fPreamble;  // lines before the first section
    std::vector<TSection> fSections;
};

// A registry accessor in the manner of the platform's: a root, one open key,
// relative key paths below it (a leading backslash makes a path absolute).
class TRegistry {
public:
    explicit TRegistry(TRegRoot root = TRegRoot::CurrentUser);
    virtual ~TRegistry() = default;

    TRegRoot RootKey() const { return fRoot; }
    // Switching the root closes the open key.
    void SetRootKey(TRegRoot root);

    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool HasCurrentKey() const { return fOpen; }
    const std::string& CurrentPath() const { return fPath; }
    bool KeyExists(const std::string& key) const;

    std::optional<int32_t> ReadInteger(const std::string& name) const;
    std::optional<std::string> ReadString(const std::string& name) const;
    std::optional<TRegBinary> ReadBinary(const std::string& name) const;
    // False when no key is open or the store cannot be written.
    bool WriteInteger(const std::string& name, int32_t value);
    bool WriteString(const std::string& name, const std::string& value);
    bool WriteBinary(const std::string& name, const TRegBinary& value);

protected:
    // The full path of key resolved against the open key.
    std::string ResolvePath(const std::string& key) const;
    TRegistryFile& Store(TRegRoot root) const;
    void SetCurrent(const std::string& path, bool open);
    std::optional<TRegValue> ReadValue(const std::string& name) const;

private:
    bool Write(const std::string& name, const TRegValue& value);

    TRegRoot fRoot;
    std::string fPath;
    bool fOpen = false;
    mutable std::unique_ptr<TRegistryFile> fStores[2];
};

// A Windows-style INI file read into memory; sections and keys compare
// case-insensitively, the first of duplicates wins.
class TIniFile {
public:
    // A missing or unreadable file reads as empty.
    explicit TIniFile(const std::string& path);

    std::optional<std::string> ReadString(const std::string& section, const std::string& key) const;
    // Decimal, or hexadecimal with "$" or "0x"; the default when absent or
    // not a 32-bit number.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
    // Section names as written.
    std::vector<std::string> SectionNames() const;

private:
    struct TSection {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    std::vector<TSection> fSections;
};

}  // namespace tk3d
