#include "runtime/class_dump.h"

#include "runtime/class.h"
#include "runtime/system_log.h"

#include <cstdio>
#include <string>

using vantro::runtime::Class;

extern "C" bool isLeopard() {
    return false;
}
extern "C" bool isSnowLeopard() {
    return false;
}

extern "C" void dumpClass(const char* className) {
    if (className == nullptr) {
        return;
    }
    const Class* cls = vantro::runtime::classNamed(className);
    if (cls == nullptr) {
        return;
    }
    std::string text = "@interface " + cls->name() + " : " +
                       (cls->superclass() != nullptr ? cls->superclass()->name() : "(null)") +
                       "\n{";
    for (const auto& ivar : cls->ownIvars()) {
        char offset[32];
        std::snprintf(offset, sizeof offset, "%zu", ivar.offset);
        text += "    " + ivar.types + " " + ivar.name + "; //" + offset + "\n";
    }
    text += "}";
    for (const auto& method : cls->metaclass()->ownMethods()) {
        text += "+[" + cls->name() + " " + std::string(method->selector().name()) + "]\n";
    }
    for (const auto& method : cls->ownMethods()) {
        text += "-[" + cls->name() + " " + std::string(method->selector().name()) + "]\n";
    }
    vantro::runtime::systemLog(text);
}

extern "C" void dumpClasses() {
    const auto classes = vantro::runtime::registeredClasses();
    for (std::size_t i = classes.size(); i-- > 0;) {
        const Class* cls = classes[i];
        if (cls->owner() == vantro::runtime::kDumpedClassOwner) {
            vantro::runtime::systemLog(cls->name());
        }
    }
}
