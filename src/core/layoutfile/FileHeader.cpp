#include "layoutfile/FileHeader.h"

#include <cstring>
#include <string_view>

#include "layoutfile/Stream.h"

namespace tk3d {
namespace {

// Every signature is eight characters followed by 0x1A.
bool BeginsWith(const uint8_t (&header)[kHeaderSize], std::string_view sig8) {
    return std::memcmp(header, sig8.data(), 8) == 0 && header[8] == 0x1A;
}

// The two rules of 16-bit files compare the bytes before the first zero,
// less two, with a template; the "Ver...." rule also bounds the next byte.
bool IsSixteenBitHeader(const uint8_t (&header)[kHeaderSize]) {
    int n = 0;
    while (n < kHeaderSize && header[n] != 0) ++n;
    if (n < 2) return false;
    const size_t k = size_t(n - 2);
    static constexpr char kVersion[] = "Version3\x1A";
    static constexpr char kVerDots[] = "Ver....4\x1A";
    if (std::memcmp(header, kVersion, k) == 0) return true;
    return std::memcmp(header, kVerDots, k) == 0 && header[k] <= uint8_t(kVerDots[k]);
}

}  // namespace

bool CheckFileHeader(const uint8_t (&header)[kHeaderSize], TCLStream& stream,
                     std::optional<int32_t>& fileVersion, int32_t& extra) {
    extra = 0;
    if (BeginsWith(header, "Ver..329") || BeginsWith(header, "Ver..327")) {
        const int32_t version = stream.ReadInteger();
        fileVersion = version;
        stream.IsANSIFile = version <= 607;
        if (version >= 605 && version <= 608) extra = stream.ReadInteger();
        if (version <= 608) return true;
    }
    stream.IsANSIFile = true;
    for (std::string_view sig : {"Ver..321", "Ver..323", "SWVer321", "SWVer323", "Ver..325", "SWVer325"})
        if (BeginsWith(header, sig)) return true;
    if (IsSixteenBitHeader(header)) {
        stream.Is32BitFile = false;
        return true;
    }
    return false;
}

}  // namespace tk3d
