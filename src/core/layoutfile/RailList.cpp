#include "layoutfile/RailList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "layoutfile/GlobalState.h"
#include "layoutfile/OldDocuments.h"
#include "objects/Geometry.h"
#include "platform/TextCodec.h"

namespace tk3d {

namespace {

// Device, driver and port texts of the printer selection.
constexpr int kPrinterTextUnits = 80;
constexpr size_t kPrinterTextMax = 79;

std::string CutToUnits(const std::string& utf8, size_t units) {
    std::u16string u = Utf8ToUtf16(utf8);
    if (u.size() > units) u.resize(units);
    return Utf16ToUtf8(u.data(), u.size());
}

}  // namespace

void TRailList::Load(TCLStream& stream) {
    Loading = true;
    TTKObjectList::Load(stream);
    Loading = false;
    const int32_t version = Version;
    ReadCurrency(stream);

    std::unique_ptr<TOldLandscape> landscape;
    if (version >= 2 && version <= 8) {
        landscape = ReadOldLandscape(stream, version);
    } else if (version == 0 || version == 1) {
        const TRect bounds = GetBounds(true);
        GlobalSettings.SetBoardWidth(SatAdd(bounds.Right, 100));
        GlobalSettings.SetBoardDepth(
            int32_t(std::min<int64_t>(std::abs(int64_t(bounds.Bottom)) + 100, INT32_MAX)));
    }
    // The document's own frame ends where its data ends; bytes after it
    // belong to no optional field.
    auto dataRemains = [&] { return stream.Position() < stream.EnclosingEnd(); };
    if (version > 2 && dataRemains()) ReadPrinter(stream);
    if ((version == 7 || version == 8) && dataRemains()) {
        const int32_t count = stream.ReadCount(16);
        stream.Skip(int64_t(count) * 16);
    }
    if (version > 7 && dataRemains()) Marker = stream.ReadInteger();
    if (version < 9) ConvertOldDocument(*this, version, landscape.get());
    Changed();
}

void TRailList::ReadCurrency(TCLStream& stream) {
    if (!stream.Is32BitFile) {
        Currency = NumberFormat().CurrencyString;
    } else if (Version > 9) {
        Currency = stream.ReadString();
    } else {
        uint8_t shortString[16];
        stream.ReadBuffer(shortString, sizeof shortString);
        const size_t length = std::min<size_t>(shortString[0], 15);
        Currency = AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(shortString + 1), length));
    }
}

void TRailList::ReadPrinter(TCLStream& stream) {
    TPrinterSelection p;
    const bool ansi = stream.IsANSIFile;
    const int32_t nameLength = stream.ReadCount(ansi ? 1 : 2);
    p.PrinterName = ansi ? stream.ReadAnsiChars(nameLength) : stream.ReadWideChars(nameLength);
    for (std::string* text : {&p.Device, &p.Driver, &p.Port}) {
        *text = ansi ? stream.ReadAnsiChars(kPrinterTextUnits) : stream.ReadWideChars(kPrinterTextUnits);
        *text = CutToUnits(*text, kPrinterTextMax);
    }
    const int32_t modeSize = stream.ReadCount(1);
    p.DeviceMode.resize(size_t(modeSize));
    if (modeSize > 0) stream.ReadBuffer(p.DeviceMode.data(), modeSize);
    Printer = std::move(p);
}

void TRailList::Changed() {
    TTKObjectList::Changed();
    DropExtents();
}

void TRailList::Appended(TBasicRailObject& object) {
    TTKObjectList::Appended(object);
    DropExtents();
}

void TRailList::DropExtents() {
    fBounds[0].rect.reset();
    fBounds[1].rect.reset();
    fHeightRange.reset();
}

int TRailList::ADD(std::unique_ptr<TBasicRailObject> item) {
    if (!item) return -1;
    // A new object is never in the list yet; only its number can clash.
    if (item->Number < 2 || IsNumberUsed(item->Number)) item->Number = NextFreeNumber();
    item->Owner = this;
    TBasicRailObject& added = *item;
    const int index = TTypedCollection::ADD(std::move(item));
    Appended(added);
    return index;
}

void TRailList::Clear() {
    if (OnChange) OnChange();
    fItems.clear();
    Catenary.Clear();
    Changed();
}

TRect TRailList::GetBounds(bool fromOrigin) const {
    TBoundsCache& cache = fBounds[fromOrigin ? 1 : 0];
    // Label rectangles depend on the settings (shown kinds, fonts, units).
    if (!cache.rect || std::memcmp(cache.settings.raw, GlobalSettings.raw, TGlobalSettings::kSize) != 0) {
        cache.rect = ComputeBounds(fromOrigin);
        cache.settings = GlobalSettings;
    }
    return *cache.rect;
}

TRect TRailList::ComputeBounds(bool fromOrigin) const {
    // An object without any extent answers the empty union rectangle; any
    // other answer counts, sorted, even when its class left it unsorted.
    auto extent = [](TBasicRailObject& obj, bool withLabels) -> std::optional<TRect> {
        TRect o = obj.GetMyRect(withLabels);
        // The first answer may anchor labels that had no place yet.
        if (withLabels && o.Right > 200000) o = obj.GetMyRect(true);
        if (o == EmptyUnionRect()) return std::nullopt;
        return NormalizedRect(o);
    };
    if (fromOrigin || Count() == 0) {
        TRect r;
        ForEachObject([&](TBasicRailObject& obj) {
            if (const auto o = extent(obj, true)) {
                r.Right = std::max(r.Right, o->Right);
                r.Bottom = std::min(r.Bottom, o->Bottom);
            }
        });
        return r;
    }
    TRect r = EmptyUnionRect();
    ForEachObject([&](TBasicRailObject& obj) {
        if (const auto o = extent(obj, false)) UnionRect(r, *o);
    });
    return r;
}

void TRailList::GetHeightRange(int32_t& top, int32_t& bottom) const {
    if (!fHeightRange) {
        int32_t t = 0, b = 0;
        ComputeHeightRange(t, b);
        fHeightRange = {t, b};
    }
    top = fHeightRange->first;
    bottom = fHeightRange->second;
}

void TRailList::ComputeHeightRange(int32_t& top, int32_t& bottom) const {
    top = bottom = 0;
    bool first = true;
    ForEach([&](TBasicRailObject& obj) {
        int32_t t = 0, b = 0;
        obj.GetHeightRange(t, b);
        if (first) {
            top = t;
            bottom = b;
            first = false;
            return;
        }
        top = std::max(top, t);
        bottom = std::min(bottom, b);
    });
}

}  // namespace tk3d
