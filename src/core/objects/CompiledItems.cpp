#include "objects/CompiledItems.h"

#include "layoutfile/Stream.h"

namespace tk3d {

void TCompiledItem::Load(TCLStream& stream) {
    Version = stream.ReadInteger();
    ArtNr = stream.ReadString();
    Description = stream.ReadString();
    Amount = stream.ReadExtended();
    // Two text references, an 8-byte value and three Integers of packing
    // data: the file holds no text for the references, so none is kept.
    stream.Skip(28);
    const int32_t notes = stream.ReadInteger();
    if (notes > 0) {
        stream.CheckCount(notes, 4);
        Notes.reserve(size_t(notes));
        for (int32_t i = 0; i < notes; ++i) Notes.push_back(stream.ReadString());
    }
    Count = stream.ReadInteger();
}

}  // namespace tk3d
