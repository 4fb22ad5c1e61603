// Base of every class that can stand in an object frame of a layout file.
#pragma once

#include <typeinfo>

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

// dynamic_cast<T*> that first tries the common case of an object of exactly
// class T, which needs no search of the class hierarchy (a large layout
// casts hundreds of thousands of objects while it loads).
template <class T, class U>
T* CastTo(U* p) {
    if (!p) return nullptr;
    if (typeid(*p) == typeid(T)) return static_cast<T*>(p);
    return dynamic_cast<T*>(p);
}

}  // namespace tk3d
