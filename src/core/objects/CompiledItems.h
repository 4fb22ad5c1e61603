// The entries of a composite article: the parts a layout object consists of.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk3d {

class TCLStream;

struct TCompiledItem {
    int32_t Version = 0;
    std::string ArtNr;
    std::string Description;
    double Amount = 0;
    std::vector<std::string> Notes;
    int32_t Count = 0;

    // The item layout (no object frame); the packing data is skipped.
    void Load(TCLStream& stream);
    // Bytes an item takes at least in a file.
    static constexpr int64_t kMinSize = 4 + 4 + 4 + 10 + 28 + 4 + 4;
};

using TCompiledItemsList = std::vector<TCompiledItem>;

}  // namespace tk3d
