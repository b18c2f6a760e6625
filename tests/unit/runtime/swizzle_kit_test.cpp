#include "runtime/message_send.h"
#include "runtime/swizzle_kit.h"
#include "support/log_capture.h"
#include "support/unique_name.h"

#include <gtest/gtest.h>

namespace vantro::runtime {
namespace {

using testing::LogCapture;
using testing::uniqueName;

constexpr auto kHostZoom = +[](Object*, Selector, int) -> std::string { return "host"; };
constexpr auto kPluginZoom = +[](Object*, Selector, int) -> std::string { return "plugin"; };
constexpr auto kHostName = +[](Object*, Selector) -> std::string { return "host name"; };
constexpr auto kPluginName = +[](Object*, Selector) -> std::string { return "plugin name"; };
constexpr auto kPluginHelper = +[](Object*, Selector) -> int { return 7; };
constexpr auto kClassHelper = +[](Object*, Selector) -> int { return 8; };

// A host class hierarchy and a provider, as the plug-in entry meets them.
struct Fixture {
    Class* host = defineClass(uniqueName("HostWindow"), nullptr);
    Class* hostSubclass = defineClass(uniqueName("HostPanel"), host);
    Class* provider = defineClass(uniqueName("Provider"), nullptr);

    Fixture() {
        addMethod(host, "zoom:", kHostZoom);
        addMethod(host, "name", kHostName);
        addMethod(provider, "VTzoom:", kPluginZoom);
        addMethod(provider, "name", kPluginName);
        addMethod(provider, "vantroHelper", kPluginHelper);
        addClassMethod(provider, "vantroClassHelper", kClassHelper);
    }
};

TEST(SwizzleKit, ExtendingKeepsMethodsTheTargetAlreadyHas) {
    Fixture f;
    SwizzleKit::extendClass(f.host, f.provider);
    auto window = createInstance(f.host);
    EXPECT_EQ(send<std::string>(window.get(), Selector::named("name")), "host name");
    EXPECT_EQ(send<int>(window.get(), Selector::named("vantroHelper")), 7);
    EXPECT_EQ(send<int>(f.host, Selector::named("vantroClassHelper")), 8);
    EXPECT_TRUE(respondsToSelector(window.get(), Selector::named("VTzoom:")));
    // A provider's method of another name replaces one the target has.
    const LogCapture log;
    EXPECT_EQ(VT_replaceInstanceMethod(Selector::named("zoom:"), f.host, Selector::named("VTzoom:"),
                                       f.provider),
              impOf(kHostZoom));
    EXPECT_EQ(send<std::string>(window.get(), Selector::named("zoom:"), 0), "plugin");
    EXPECT_TRUE(log.lines().empty());
}

TEST(SwizzleKit, ReplacingAnInheritedMethodChangesItForEverySubclass) {
    Fixture f;
    SwizzleKit::extendClass(f.hostSubclass, f.provider);
    auto panel = createInstance(f.hostSubclass);
    auto window = createInstance(f.host);
    const Selector zoom = Selector::named("zoom:");
    EXPECT_EQ(send<std::string>(window.get(), zoom, 0), "host"); // cached before the swap

    const Imp previous = SwizzleKit::swizzleInstanceMethod("zoom:", f.hostSubclass);
    ASSERT_EQ(previous, impOf(kHostZoom));
    EXPECT_EQ(send<std::string>(panel.get(), zoom, 0), "plugin");
    EXPECT_EQ(send<std::string>(window.get(), zoom, 0), "plugin");
    EXPECT_EQ(callImplementation<std::string>(previous, panel.get(), zoom, 0), "host");
    // The partner keeps the plug-in's code; it does not reach the host.
    EXPECT_EQ(send<std::string>(panel.get(), Selector::named("VTzoom:"), 0), "plugin");
}

TEST(SwizzleKit, PartnerIsCopiedFromTheFallbackProviderClass) {
    Fixture f;
    Class* fallback = defineClass(f.host->name() + "_VT", nullptr);
    addMethod(fallback, "VTzoom:", kPluginZoom);
    EXPECT_EQ(f.host->ownMethod(Selector::named("VTzoom:")), nullptr);

    EXPECT_EQ(SwizzleKit::swizzleInstanceMethod("zoom:", f.host), impOf(kHostZoom));
    EXPECT_NE(f.host->ownMethod(Selector::named("VTzoom:")), nullptr);
    auto window = createInstance(f.host);
    EXPECT_EQ(send<std::string>(window.get(), Selector::named("zoom:"), 0), "plugin");
}

// Without the method, its partner or a provider's replacement, or on the
// wrong side, nothing changes and what is missing is logged.
TEST(SwizzleKit, FailuresChangeNothingAndLogWhatIsMissing) {
    Fixture f;
    Class* bare = defineClass(uniqueName("Bare"), nullptr);
    addMethod(bare, "zoom:", kHostZoom); // has the method, no "VT" partner anywhere
    const LogCapture log;
    EXPECT_EQ(SwizzleKit::swizzleInstanceMethod("zoom:", bare), nullptr);
    EXPECT_EQ(SwizzleKit::swizzleInstanceMethod("missing:", f.host), nullptr);
    EXPECT_EQ(SwizzleKit::swizzleClassMethod("zoom:", f.host), nullptr);
    EXPECT_EQ(VT_replaceInstanceMethod(Selector::named("gone:"), f.host,
                                       Selector::named("alsoGone:"), f.provider),
              nullptr);
    EXPECT_EQ(VT_replaceClassMethod(Selector::named("gone"), f.host,
                                    Selector::named("vantroClassHelper"), f.provider),
              nullptr);
    const std::string missing = "SWIZZLE Error - Can't find existing method for ";
    const std::string& host = f.host->name();
    EXPECT_EQ(
        log.lines(),
        (std::vector<std::string>{
            missing + "-[" + bare->name() + " zoom:]", missing + "-[" + host + " missing:]",
            missing + "+[" + host + " zoom:]", missing + "-[" + host + " gone:]",
            "SWIZZLE Error - Can't find new method for -[" + f.provider->name() + " alsoGone:]",
            missing + "+[" + host + " gone]"}));
    for (Class* target : {bare, f.host}) {
        auto object = createInstance(target);
        EXPECT_EQ(send<std::string>(object.get(), Selector::named("zoom:"), 0), "host");
    }
}

TEST(SwizzleKit, SubclassCopiesVariablesExceptDoNotCopyAndAllMethodsOrNothing) {
    Fixture f;
    Class* provider = allocateClassPair(rootClass(), uniqueName("IvarProvider"));
    addIvar(provider, "frameWidth", 8, 8, "d");
    addIvar(provider, "DONOTCOPY_secret", 4, 4, "i");
    addIvar(provider, "origin", 16, 8, "{Point=dd}");
    addMethod(provider, "vantroHelper", kPluginHelper);
    addClassMethod(provider, "vantroClassHelper", kClassHelper);
    registerClassPair(provider);

    const std::string name = uniqueName("Grown");
    Class* grown = SwizzleKit::subclass(f.host, name, provider);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(classNamed(name), grown);
    EXPECT_EQ(grown->superclass(), f.host);
    ASSERT_EQ(grown->ownIvars().size(), 2U);
    EXPECT_EQ(grown->ownIvars()[0].name, "frameWidth");
    EXPECT_EQ(grown->ownIvars()[1].name, "origin");
    EXPECT_EQ(grown->ownIvars()[1].size, 16U);
    auto object = createInstance(grown);
    EXPECT_EQ(send<int>(object.get(), Selector::named("vantroHelper")), 7);
    EXPECT_EQ(send<int>(grown, Selector::named("vantroClassHelper")), 8);

    LogCapture log;
    EXPECT_EQ(SwizzleKit::subclass(f.host, name, provider), nullptr);
    // A variable it cannot size leaves the new class unregistered.
    Class* opaque = allocateClassPair(rootClass(), uniqueName("OpaqueProvider"));
    addIvar(opaque, "opaque", 8, 8, "{Opaque}");
    registerClassPair(opaque);
    const std::string never = uniqueName("NeverRegistered");
    EXPECT_EQ(SwizzleKit::subclass(f.host, never, opaque), nullptr);
    EXPECT_EQ(classNamed(never), nullptr);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"No subclass", "could not add iVar opaque"}));
}

} // namespace
} // namespace vantro::runtime
