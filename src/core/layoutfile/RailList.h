// The document: the single top-level object of a layout file, its object
// list plus currency, printer selection and the conversions of old files.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    TRailList();
    ~TRailList() override;

    void Load(TCLStream& stream) override;

    bool Loading = false;
    std::string Currency;
    std::optional<TPrinterSelection> Printer;
    // 1 when the planner-only record follows, -1 when not, 0 when absent.
    int32_t Marker = 0;

    // Appends an object, giving it a fresh number when its number is below 2
    // or taken; null gives -1. Returns the index.
    int ADD(std::unique_ptr<TBasicRailObject> item);

    // Bounds and height range, cached until the list changes.
    TRect GetBounds(bool fromOrigin) const;
    void GetHeightRange(double& top, double& bottom) const;
};

}  // namespace tk3d
