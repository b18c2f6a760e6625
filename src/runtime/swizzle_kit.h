#pragma once

// The method replacement kit: grafts a provider class's methods onto an
// existing class, replaces a method's implementation with that of its "VT"
// partner and hands back the previous implementation, and builds subclasses
// at run time from a provider's variables and methods.

#include "runtime/class.h"

#include <string_view>

namespace vantro::runtime {

class SwizzleKit {
  public:
    // Prefix of a replacement's selector: "zoom:" is replaced by "VTzoom:".
    static constexpr std::string_view kReplacementPrefix = "VT";
    // Suffix of the fallback provider's class name: "GtkWindow_VT".
    static constexpr std::string_view kFallbackProviderSuffix = "_VT";
    // Provider variables with this prefix are not copied into subclasses.
    static constexpr std::string_view kDoNotCopyPrefix = "DONOTCOPY_";

    // Adds every instance and class method of the provider's own tables to the
    // target, last to first; methods the target already has are kept.
    static void extendClass(Class* target, Class* provider);

    // Offers the provider's method (own or inherited) to the target. True when
    // an implementation was found, whether or not the target took it.
    static bool addInstanceMethodName(std::string_view name, Class* provider, Class* target);
    static bool addClassMethodName(std::string_view name, Class* provider, Class* target);

    // Replaces `name` on the class (wherever in its chain it is implemented)
    // with the implementation of "VT" + name, found on the class or copied from
    // the class named after it with "_VT". Answers the previous implementation,
    // or null after logging that the method could not be found.
    static Imp swizzleInstanceMethod(std::string_view name, Class* cls);
    static Imp swizzleClassMethod(std::string_view name, Class* cls);

    // A new registered subclass of `base` named `name`, with the provider's
    // instance variables (except "DONOTCOPY_" ones) and methods; null on
    // failure, after logging why.
    static Class* subclass(Class* base, std::string_view name, Class* provider);
};

} // namespace vantro::runtime

// Replaces the method `replaced` found on `cls` with the implementation of
// `replacement` found on `provider`. Both lookups always run and each missing
// method is logged. Answers the previous implementation, or null.
extern "C" vantro::runtime::Imp VT_replaceInstanceMethod(vantro::runtime::Selector replaced,
                                                         vantro::runtime::Class* cls,
                                                         vantro::runtime::Selector replacement,
                                                         vantro::runtime::Class* provider);
extern "C" vantro::runtime::Imp VT_replaceClassMethod(vantro::runtime::Selector replaced,
                                                      vantro::runtime::Class* cls,
                                                      vantro::runtime::Selector replacement,
                                                      vantro::runtime::Class* provider);
