#pragma once

// Instance variables declared at run time. Offsets are into the object's
// instance-variable storage and include the superclasses' variables.

#include "runtime/object.h"

#include <cassert>
#include <cstddef>
#include <string>

namespace vantro::runtime {

struct Ivar {
    std::string name;
    std::string types;
    std::size_t offset = 0;
    std::size_t size = 0;
    std::size_t alignment = 1;
};

// The variable named `name` of the object's class or a superclass, or null.
const Ivar* ivarNamed(const Object* object, const std::string& name);

// Typed access to a variable's storage. T must match the variable's size.
template <typename T> T* ivarPointer(Object* object, const Ivar& ivar) {
    assert(sizeof(T) == ivar.size && "instance variable accessed with a type of another size");
    if (object == nullptr || object->ivarStorage() == nullptr || sizeof(T) != ivar.size) {
        return nullptr;
    }
    return reinterpret_cast<T*>(object->ivarStorage() + ivar.offset);
}

} // namespace vantro::runtime
