#include "runtime/class.h"
#include "runtime/class_dump.h"
#include "runtime/encoding_size.h"
#include "runtime/message_send.h"
#include "runtime/trace_log.h"
#include "support/log_capture.h"
#include "support/unique_name.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <map>

namespace vantro::runtime {
namespace {

using testing::LogCapture;
using testing::uniqueName;

constexpr auto kHalf = +[](Object*, Selector, double value) -> double { return value / 2; };
constexpr auto kClassAnswer = +[](Object*, Selector) -> int { return 40; };

struct Hierarchy {
    Class* base = defineClass(uniqueName("Base"), nullptr);
    Class* derived = defineClass(uniqueName("Derived"), base);
    std::unique_ptr<Object> instance = createInstance(derived);
};

template <int N> int answering(Object*, Selector) {
    return N;
}
constexpr int (*kAnswers[])(Object*, Selector) = {answering<1>, answering<2>, answering<3>};

// Methods added to a class and its subclass and replaced, between sends of
// more selectors than a first cache holds: every send answers what the
// classes hold at that moment, whatever the caches held before.
RC_GTEST_PROP(MessageSend, AnswersWhatTheClassesHoldNowWhateverWasCached, ()) {
    Hierarchy h;
    const auto baseInstance = createInstance(h.base);
    Class* classes[] = {h.base, h.derived};
    Object* instances[] = {baseInstance.get(), h.instance.get()};
    std::map<std::pair<int, int>, int> own; // (0 base or 1 derived, selector) -> answer
    const LogCapture log;                   // misses are logged
    for (int step = *rc::gen::inRange(1, 300); step > 0; --step) {
        const int cls = *rc::gen::inRange(0, 2);
        const int name = *rc::gen::inRange(0, 40);
        const Selector selector = Selector::named("m" + std::to_string(name));
        const int owner = own.contains({cls, name}) ? cls : 0;
        const int held = own.contains({owner, name}) ? own[{owner, name}] : 0;
        const int answer = *rc::gen::inRange(1, 4);
        switch (*rc::gen::inRange(0, 3)) {
        case 0:
            RC_ASSERT(addMethod(classes[cls], selector, impOf(kAnswers[answer - 1]), "i@:") ==
                      !own.contains({cls, name}));
            own.try_emplace({cls, name}, answer);
            break;
        case 1:
            if (held != 0) {
                RC_ASSERT(setImplementation(instanceMethod(classes[cls], selector),
                                            impOf(kAnswers[answer - 1])) ==
                          impOf(kAnswers[held - 1]));
                own[{owner, name}] = answer;
            }
            break;
        default:
            RC_ASSERT(send<int>(instances[cls], selector) == held);
            RC_ASSERT(respondsToSelector(instances[cls], selector) == (held != 0));
        }
    }
}

TEST(MessageSend, UnknownSelectorAnswersZeroAndIsLoggedOnce) {
    Hierarchy h;
    LogCapture log;
    const Selector missing = Selector::named("noSuchMethod");
    EXPECT_EQ(send<int>(h.instance.get(), missing), 0);
    EXPECT_EQ(send<int>(h.instance.get(), missing), 0);
    ASSERT_EQ(log.lines().size(), 1U);
    EXPECT_NE(log.lines()[0].find("-[" + h.derived->name() + " noSuchMethod]"), std::string::npos);
}

TEST(MessageSend, ClassMethodsLiveOnTheMetaclassAndRootMethodsDescribe) {
    Hierarchy h;
    ASSERT_TRUE(addClassMethod(h.base, "shared", kClassAnswer));
    EXPECT_EQ(send<int>(h.derived, Selector::named("shared")), 40);
    EXPECT_TRUE(respondsToSelector(h.derived, Selector::named("shared")));
    EXPECT_FALSE(respondsToSelector(h.instance.get(), Selector::named("shared")));
    // Class objects answer the root class's instance methods; instances
    // describe themselves by class and address.
    EXPECT_EQ(send<Class*>(h.derived, Selector::named("class")), h.derived);
    EXPECT_EQ(send<std::string>(h.derived, Selector::named("description")), h.derived->name());
    Object* object = h.instance.get();
    EXPECT_EQ(send<Class*>(object, Selector::named("class")), h.derived);
    EXPECT_EQ(send<std::string_view>(object, Selector::named("className")), h.derived->name());
    EXPECT_TRUE(send<bool>(object, Selector::named("isKindOfClass:"), h.base));
    EXPECT_FALSE(send<bool>(object, Selector::named("isMemberOfClass:"), h.base));
    EXPECT_TRUE(
        send<bool>(object, Selector::named("respondsToSelector:"), Selector::named("description")));
    const auto description = send<std::string>(object, Selector::named("description"));
    EXPECT_EQ(description.rfind("<" + h.derived->name() + ": 0x", 0), 0U) << description;
    // Arguments and results pass through; a message to nothing answers zero.
    addMethod(h.base, "half:", kHalf);
    EXPECT_DOUBLE_EQ(send<double>(h.instance.get(), Selector::named("half:"), 5.0), 2.5);
    EXPECT_EQ(send<double>(nullptr, Selector::named("half:"), 5.0), 0.0);
}

TEST(ClassTable, NamesAreUniqueAmongRegisteredAndPendingClasses) {
    const std::string name = uniqueName("Pending");
    Class* pending = allocateClassPair(rootClass(), name);
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(classNamed(name), nullptr); // not visible before registration
    EXPECT_EQ(allocateClassPair(rootClass(), name), nullptr);
    registerClassPair(pending);
    EXPECT_EQ(classNamed(name), pending);
    EXPECT_EQ(defineClass(name, nullptr), nullptr);
    EXPECT_EQ(classNamed("Object"), rootClass());
    EXPECT_TRUE(pending->metaclass()->isMetaclass());
    EXPECT_EQ(pending->metaclass()->superclass(), rootClass()->metaclass());
    EXPECT_EQ(rootClass()->metaclass()->superclass(), rootClass());
}

TEST(Ivars, LaidOutWithAlignmentAfterTheSuperclass) {
    Class* base = allocateClassPair(rootClass(), uniqueName("IvarBase"));
    ASSERT_TRUE(addIvar(base, "flag", 1, 1, "c"));
    ASSERT_TRUE(addIvar(base, "width", 8, 8, "d"));
    EXPECT_FALSE(addIvar(base, "flag", 4, 4, "i")); // name taken
    EXPECT_FALSE(addIvar(base, "odd", 4, 3, "i"));  // alignment not a power of two
    EXPECT_EQ(createInstance(base), nullptr);       // not registered yet
    registerClassPair(base);
    EXPECT_FALSE(addIvar(base, "late", 4, 4, "i")); // class already registered

    Class* derived = allocateClassPair(base, uniqueName("IvarDerived"));
    EXPECT_FALSE(addIvar(derived, "width", 8, 8, "d")); // hides an inherited one
    ASSERT_TRUE(addIvar(derived, "count", 4, 4, "i"));
    registerClassPair(derived);

    EXPECT_EQ(base->ownIvars()[1].offset, 8U);
    EXPECT_EQ(derived->ownIvars()[0].offset, 16U);
    EXPECT_EQ(derived->instanceSize(), 20U);

    auto object = createInstance(derived);
    const Ivar* width = ivarNamed(object.get(), "width");
    ASSERT_NE(width, nullptr);
    auto* storage = ivarPointer<double>(object.get(), *width);
    EXPECT_EQ(*storage, 0.0);
    *storage = 12.5;
    EXPECT_EQ(*ivarPointer<double>(object.get(), *ivarNamed(object.get(), "width")), 12.5);
    EXPECT_EQ(ivarNamed(object.get(), "missing"), nullptr);
}

TEST(EncodingSize, MatchesTheNaturalLayout) {
    const std::tuple<const char*, std::size_t, std::size_t> cases[] = {
        {"c", 1, 1},         {"d", 8, 8},
        {"^v", 8, 8},        {"r^d", 8, 8},
        {"[4i]", 16, 4},     {"{Mixed=cdi}", 24, 8},
        {"{Pair=ci}", 8, 4}, {"[2{Pair=ci}]", 16, 4}};
    for (const auto& [types, size, alignment] : cases) {
        const auto layout = sizeAndAlignmentOfEncoding(types);
        ASSERT_TRUE(layout.has_value()) << types;
        EXPECT_EQ(std::pair(layout->size, layout->alignment), std::pair(size, alignment)) << types;
    }
    for (const char* bad : {"", "x", "{Open=dd", "[i]", "{Name}", "dd", "[99999999999i]"}) {
        EXPECT_FALSE(sizeAndAlignmentOfEncoding(bad).has_value()) << bad;
    }
}

#ifdef VANTRO_CHECKED_SENDS
TEST(MessageSendDeathTest, WrongSignatureStopsWithAClearMessage) {
    Hierarchy h;
    addMethod(h.base, "half:", kHalf);
    // An int argument where the method takes a double: called through the
    // wrong function type it would read garbage from the wrong register.
    EXPECT_DEATH(send<double>(h.instance.get(), Selector::named("half:"), 5),
                 "half:\\] sent with types \"d@:i\" but implemented with types \"d@:d\"");
    EXPECT_DEATH(send<void>(h.instance.get(), Selector::named("half:"), 5.0),
                 "sent with types \"v@:d\"");
}
#endif

TEST(TraceLog, WritesOnlyWhileTheSwitchIsOn) {
    bool on = false;
    TraceLog::setHostDefaults([&](std::string_view name) { return on && name == "VTResize"; });
    LogCapture log;
    TraceLog::logWithOptions("VTResize", "resize.cpp", "step", 42, "width %d", 640);
    EXPECT_TRUE(log.lines().empty());
    on = true;
    TraceLog::logWithOptions("VTResize", "resize.cpp", "step", 42, "width %d", 640);
    TraceLog::logWithOptions("VTZoom", "zoom.cpp", "zoom", 7, "other switch");
    TraceLog::setHostDefaults({});
    ASSERT_EQ(log.lines().size(), 1U);
    EXPECT_EQ(log.lines()[0], "(VTResize)step line 42\n     width 640");
}

// The last item naming the switch, or "all", decides; a value is on when it
// is yes, true or a number other than zero.
TEST(TraceLog, SwitchListReadsLikeTheEnvironmentVariable) {
    for (const char* on : {"VTResize,VTZoom", "all", "VTZoom=YES", "VTZoom=true", "VTZoom=-1"}) {
        EXPECT_TRUE(traceSwitchIsOn(on, "VTZoom")) << on;
    }
    for (const char* off : {"", "VTZoomer", "VTZoom,VTZoom=no", "all,VTZoom=0", "VTZoom=off",
                            "VTZoom=", "VTZoom=00"}) {
        EXPECT_FALSE(traceSwitchIsOn(off, "VTZoom")) << off;
    }
}

TEST(ClassDump, WritesTheInterfaceAsOneEntryAndUnknownNamesNothing) {
    Class* cls = allocateClassPair(rootClass(), uniqueName("Dumped"));
    addIvar(cls, "count", 4, 4, "i");
    addIvar(cls, "width", 8, 8, "d");
    addMethod(cls, "vantroHelper", kClassAnswer);
    addClassMethod(cls, "sharedInstance", kClassAnswer);
    registerClassPair(cls);
    Class* empty = defineClass(uniqueName("Empty"), nullptr);
    LogCapture log;
    for (const char* name : std::initializer_list<const char*>{
             cls->name().c_str(), empty->name().c_str(), "NoSuchClass", nullptr}) {
        dumpClass(name);
    }
    const std::string& n = cls->name();
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{
                  "@interface " + n + " : Object\n{    i count; //0\n    d width; //8\n}" + "+[" +
                      n + " sharedInstance]\n-[" + n + " vantroHelper]\n",
                  "@interface " + empty->name() + " : Object\n{}"}));
}

} // namespace
} // namespace vantro::runtime
