// The table of streamable classes keyed by their 16-bit class IDs.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "layoutfile/Streamable.h"

namespace tk3d {

using TStreamFactory = std::unique_ptr<TStreamable> (*)();

struct TStreamClassEntry {
    int16_t id;
    std::string name;  // the class name as the file format knows it
    std::type_index type;
    TStreamFactory create;
};

// Appends an entry. The registry is filled once, by RegisterAllStreamClasses.
void RegisterStreamClass(int16_t id, std::string name, std::type_index type, TStreamFactory create);

template <class T>
void RegisterStreamClass(int16_t id, std::string name) {
    RegisterStreamClass(id, std::move(name), typeid(T),
                        []() -> std::unique_ptr<TStreamable> { return std::make_unique<T>(); });
}

// First entry with this ID, or null.
const TStreamClassEntry* StreamClassByID(int16_t id);

// Entry of the object's exact run-time class, or null (subclasses of a
// registered class have no ID of their own).
const TStreamClassEntry* StreamIDOfObject(const TStreamable& object);

// Name of the object's registered class, or "?" when it has none.
std::string StreamClassName(const TStreamable& object);

// Registers every class the reader knows; idempotent. Called by the stream
// before its first lookup, so no caller needs to remember it.
void RegisterAllStreamClasses();

}  // namespace tk3d
