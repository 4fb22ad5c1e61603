// Base of every class that can stand in an object frame of a layout file.
#pragma once

namespace tk3d {

class TCLStream;

// A streamable object starts in its all-zero state (numbers 0, strings empty,
// owned lists absent) and is completed by Load, which first calls its
// parent's Load and creates every owned sub-object it uses.
class TStreamable {
public:
    virtual ~TStreamable() = default;
    virtual void Load(TCLStream& stream) = 0;
};

}  // namespace tk3d
