// Opens a layout file: header, settings block (or the planner's fonts and
// pens for 16-bit files), then the document.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tk3d {

class TRailList;

// What the header and the settings block said about a file.
struct TLayoutFormat {
    bool is32Bit = true;
    bool isAnsi = false;
    std::optional<int32_t> fileVersion;      // only the versioned 32-bit form has one
    std::optional<int32_t> settingsVersion;  // only 32-bit files have a settings block
};

// Raises EInvalidFile for a header of no known form and the reader's errors
// otherwise; the document is owned by the caller. Every object of both lists
// is Visible and Marked.
std::unique_ptr<TRailList> LoadLayout(const std::string& fileName, TLayoutFormat* format = nullptr);

// The same from bytes in memory; displayName stands in the messages.
std::unique_ptr<TRailList> LoadLayoutFromMemory(std::vector<uint8_t> bytes, const std::string& displayName,
                                                TLayoutFormat* format = nullptr);

}  // namespace tk3d
