#include "runtime/object.h"

#include "runtime/class.h"

namespace vantro::runtime {

Object::Object(Class* cls) : isa_(cls) {
    const std::size_t size = cls != nullptr ? cls->instanceSize() : 0;
    if (size > 0) {
        ivars_ = std::make_unique<std::byte[]>(size);
    }
}

Object::~Object() = default;

std::unique_ptr<Object> createInstance(Class* cls) {
    if (cls == nullptr || !cls->isRegistered() || cls->isMetaclass()) {
        return nullptr;
    }
    return std::make_unique<Object>(cls);
}

const Ivar* ivarNamed(const Object* object, const std::string& name) {
    if (object == nullptr) {
        return nullptr;
    }
    for (const Class* c = object->isa(); c != nullptr; c = c->superclass()) {
        for (const Ivar& ivar : c->ownIvars()) {
            if (ivar.name == name) {
                return &ivar;
            }
        }
    }
    return nullptr;
}

} // namespace vantro::runtime
