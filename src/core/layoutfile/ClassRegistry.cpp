#include "layoutfile/ClassRegistry.h"

#include <mutex>

namespace tk3d {
namespace {

std::vector<TStreamClassEntry>& Registry() {
    static std::vector<TStreamClassEntry> entries;
    return entries;
}

}  // namespace

void RegisterStreamClass(int16_t id, std::string name, std::type_index type, TStreamFactory create) {
    Registry().push_back({id, std::move(name), type, create});
}

const TStreamClassEntry* StreamClassByID(int16_t id) {
    RegisterAllStreamClasses();
    for (const auto& e : Registry())
        if (e.id == id) return &e;
    return nullptr;
}

const TStreamClassEntry* StreamIDOfObject(const TStreamable& object) {
    RegisterAllStreamClasses();
    const std::type_index t(typeid(object));
    for (const auto& e : Registry())
        if (e.type == t) return &e;
    return nullptr;
}

std::string StreamClassName(const TStreamable& object) {
    const TStreamClassEntry* e = StreamIDOfObject(object);
    return e ? e->name : std::string("?");
}

}  // namespace tk3d
