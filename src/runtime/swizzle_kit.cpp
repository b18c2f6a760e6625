#include "runtime/swizzle_kit.h"

#include "runtime/encoding_size.h"
#include "runtime/system_log.h"

#include <string>

namespace vantro::runtime {

namespace {

enum class Side { instance, classSide };

char sideMark(Side side) {
    return side == Side::instance ? '-' : '+';
}

Method* lookup(Side side, const Class* cls, Selector selector) {
    return side == Side::instance ? instanceMethod(cls, selector) : classMethod(cls, selector);
}

void logMissing(const char* what, Side side, const Class* cls, std::string_view name) {
    systemLogFormat("SWIZZLE Error - Can't find %s method for %c[%s %s]", what, sideMark(side),
                    cls != nullptr ? cls->name().c_str() : "(null)", std::string(name).c_str());
}

bool offerMethod(Side side, std::string_view name, Class* provider, Class* target) {
    if (target == nullptr) {
        return false;
    }
    Class* destination = side == Side::instance ? target : target->metaclass();
    if (destination == nullptr) {
        return false;
    }
    const Method* found = lookup(side, provider, Selector::named(name));
    if (found == nullptr || found->implementation() == nullptr) {
        return false;
    }
    addMethod(destination, found->selector(), found->implementation(), found->types());
    return true;
}

Imp swizzle(Side side, std::string_view name, Class* cls) {
    const Selector original = Selector::named(name);
    const std::string replacementName =
        std::string(SwizzleKit::kReplacementPrefix) + std::string(name);
    const Selector replacement = Selector::named(replacementName);

    Method* originalMethod = lookup(side, cls, original);
    Method* replacementMethod =
        originalMethod != nullptr ? lookup(side, cls, replacement) : nullptr;
    if (originalMethod != nullptr && replacementMethod == nullptr) {
        Class* fallback =
            classNamed(cls->name() + std::string(SwizzleKit::kFallbackProviderSuffix));
        if (fallback != nullptr) {
            offerMethod(side, replacementName, fallback, cls);
            replacementMethod = lookup(side, cls, replacement);
        }
    }
    if (originalMethod == nullptr || replacementMethod == nullptr) {
        logMissing("existing", side, cls, name);
        return nullptr;
    }
    return setImplementation(originalMethod, replacementMethod->implementation());
}

Imp replace(Side side, Selector replaced, Class* cls, Selector replacement, Class* provider) {
    Method* replacedMethod = lookup(side, cls, replaced);
    if (replacedMethod == nullptr) {
        logMissing("existing", side, cls, replaced.name());
    }
    const Method* replacementMethod = lookup(side, provider, replacement);
    if (replacementMethod == nullptr) {
        logMissing("new", side, provider, replacement.name());
        return nullptr;
    }
    if (replacedMethod == nullptr) {
        return nullptr;
    }
    return setImplementation(replacedMethod, replacementMethod->implementation());
}

void addOwnMethods(Side side, Class* target, const Class* provider) {
    const Class* table = side == Side::instance ? provider : provider->metaclass();
    const auto& methods = table->ownMethods();
    // Last to first, as the platform's method list is walked. Names are copied
    // first: adding to the target never changes the provider's table, but the
    // provider may be the target.
    std::vector<std::string> names;
    names.reserve(methods.size());
    for (const auto& method : methods) {
        names.emplace_back(method->selector().name());
    }
    for (std::size_t i = names.size(); i-- > 0;) {
        offerMethod(side, names[i], const_cast<Class*>(provider), target);
    }
}

} // namespace

void SwizzleKit::extendClass(Class* target, Class* provider) {
    if (target == nullptr || provider == nullptr) {
        return;
    }
    addOwnMethods(Side::instance, target, provider);
    addOwnMethods(Side::classSide, target, provider);
}

bool SwizzleKit::addInstanceMethodName(std::string_view name, Class* provider, Class* target) {
    return offerMethod(Side::instance, name, provider, target);
}

bool SwizzleKit::addClassMethodName(std::string_view name, Class* provider, Class* target) {
    return offerMethod(Side::classSide, name, provider, target);
}

Imp SwizzleKit::swizzleInstanceMethod(std::string_view name, Class* cls) {
    return swizzle(Side::instance, name, cls);
}

Imp SwizzleKit::swizzleClassMethod(std::string_view name, Class* cls) {
    return swizzle(Side::classSide, name, cls);
}

Class* SwizzleKit::subclass(Class* base, std::string_view name, Class* provider) {
    Class* cls = allocateClassPair(base, name);
    if (cls == nullptr) {
        systemLog("No subclass");
        return nullptr;
    }
    if (provider != nullptr) {
        for (const Ivar& ivar : provider->ownIvars()) {
            if (ivar.name.starts_with(kDoNotCopyPrefix)) {
                continue;
            }
            const auto layout = sizeAndAlignmentOfEncoding(ivar.types);
            if (!layout || !addIvar(cls, ivar.name, layout->size, layout->alignment, ivar.types)) {
                // The class stays allocated but unregistered, so its name stays
                // taken, as it does on the platform this mirrors.
                systemLogFormat("could not add iVar %s", ivar.name.c_str());
                return nullptr;
            }
        }
    }
    registerClassPair(cls);
    extendClass(cls, provider);
    return cls;
}

} // namespace vantro::runtime

using vantro::runtime::Class;
using vantro::runtime::Imp;
using vantro::runtime::Selector;

extern "C" Imp VT_replaceInstanceMethod(Selector replaced, Class* cls, Selector replacement,
                                        Class* provider) {
    return vantro::runtime::replace(vantro::runtime::Side::instance, replaced, cls, replacement,
                                    provider);
}

extern "C" Imp VT_replaceClassMethod(Selector replaced, Class* cls, Selector replacement,
                                     Class* provider) {
    return vantro::runtime::replace(vantro::runtime::Side::classSide, replaced, cls, replacement,
                                    provider);
}
