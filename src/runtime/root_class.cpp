#include "runtime/class.h"
#include "runtime/message_send.h"

#include <cstdio>

namespace vantro::runtime {

namespace {

Class* instanceClass(Object* self, Selector /*cmd*/) {
    return self->isa();
}

// A class object answers itself, as the platform's runtime does.
Class* classObjectClass(Object* self, Selector /*cmd*/) {
    return static_cast<Class*>(self);
}

std::string_view className(Object* self, Selector /*cmd*/) {
    return self->isa()->name();
}

std::string description(Object* self, Selector /*cmd*/) {
    if (self->isa()->isMetaclass()) {
        return self->isa()->name();
    }
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(self));
    return "<" + self->isa()->name() + ": " + address + ">";
}

bool respondsTo(Object* self, Selector /*cmd*/, Selector selector) {
    return respondsToSelector(self, selector);
}

bool kindOfClass(Object* self, Selector /*cmd*/, Class* cls) {
    return isKindOfClass(self, cls);
}

bool memberOfClass(Object* self, Selector /*cmd*/, Class* cls) {
    return self->isa() == cls;
}

} // namespace

Class* rootClass() {
    static Class* root = [] {
        Class* cls = allocateClassPair(nullptr, "Object");
        addMethod(cls, "class", &instanceClass);
        addMethod(cls, "className", &className);
        addMethod(cls, "description", &description);
        addMethod(cls, "respondsToSelector:", &respondsTo);
        addMethod(cls, "isKindOfClass:", &kindOfClass);
        addMethod(cls, "isMemberOfClass:", &memberOfClass);
        addClassMethod(cls, "class", &classObjectClass);
        cls->setOwner("com.quillworks.vantro");
        registerClassPair(cls);
        return cls;
    }();
    return root;
}

} // namespace vantro::runtime
