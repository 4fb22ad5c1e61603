// The document: the single top-level object of a layout file, its object
// list plus currency, printer selection and the conversions of old files.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "layoutfile/GlobalSettings.h"
#include "layoutfile/TKObjectList.h"
#include "platform/WinTypes.h"

namespace tk3d {

// The printer a layout was last printed with, as stored; kept for printing.
struct TPrinterSelection {
    std::string PrinterName;
    std::string Device;
    std::string Driver;
    std::string Port;
    std::vector<uint8_t> DeviceMode;
};

class TRailList : public TTKObjectList {
public:
    bool Loading = false;
    std::string Currency;
    std::optional<TPrinterSelection> Printer;
    // 1 when the planner-only record follows, -1 when not; 0 when absent.
    int32_t Marker = 0;

    void Load(TCLStream& stream) override;
    void Changed() override;
    void Appended(TBasicRailObject& object) override;

    // Appends an object, first giving it NextFreeNumber when its number is
    // below 2 or taken by another object; null gives -1. Returns the index.
    int ADD(std::unique_ptr<TBasicRailObject> item);
    // Calls OnChange, then frees every object of both lists.
    void Clear();

    // Bounds of the layout (Top >= Bottom). From the origin: the rectangle
    // from (0, 0) that holds every object with its labels; else the exact
    // union of the objects without labels. Cached until the list or the
    // settings change.
    TRect GetBounds(bool fromOrigin) const;
    // Highest and lowest Z of the main list; (0, 0) when it is empty.
    void GetHeightRange(int32_t& top, int32_t& bottom) const;

private:
    void DropExtents();
    TRect ComputeBounds(bool fromOrigin) const;
    void ComputeHeightRange(int32_t& top, int32_t& bottom) const;
    void ReadCurrency(TCLStream& stream);
    void ReadPrinter(TCLStream& stream);

    struct TBoundsCache {
        std::optional<TRect> rect;
        TGlobalSettings settings;  // the settings the rectangle was measured with
    };
    mutable TBoundsCache fBounds[2];
    mutable std::optional<std::pair<int32_t, int32_t>> fHeightRange;
};

}  // namespace tk3d
