// Long lists of framed objects (the track pieces of a large layout) read on
// several processors: every frame states where it ends, so the list can be
// cut into parts that are read at once, each in file order.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "layoutfile/Stream.h"

namespace tk3d {

using TFrameReader = std::function<std::unique_ptr<TStreamable>(TCLStream&)>;

// Reads `count` frames with `read` into `items` (resized to count) and
// leaves the stream after the last, as reading them one after the other
// would: the same objects, and the error of the first frame that fails.
// A list whose frame ends do not hold is read in order on the calling
// thread. Returns false, having read nothing, for a short list, a list
// inside an object, 16-bit files and a single processor: the caller then
// reads it in order.
bool ReadFramesInParallel(TCLStream& stream, int32_t count, const TFrameReader& read,
                          std::vector<std::unique_ptr<TStreamable>>& items);

}  // namespace tk3d
