#include "runtime/class.h"
#include "runtime/encoding_size.h"
#include "runtime/message_send.h"
#include "support/log_capture.h"
#include "support/unique_name.h"

#include <gtest/gtest.h>

namespace vantro::runtime {
namespace {

using testing::LogCapture;
using testing::uniqueName;

constexpr auto kAnswerOne = +[](Object*, Selector) -> int { return 1; };
constexpr auto kAnswerTwo = +[](Object*, Selector) -> int { return 2; };
constexpr auto kAnswerThree = +[](Object*, Selector) -> int { return 3; };
constexpr auto kHalf = +[](Object*, Selector, double value) -> double { return value / 2; };
constexpr auto kClassAnswer = +[](Object*, Selector) -> int { return 40; };

struct Hierarchy {
    Class* base = defineClass(uniqueName("Base"), nullptr);
    Class* derived = defineClass(uniqueName("Derived"), base);
    std::unique_ptr<Object> instance = createInstance(derived);
};

TEST(MessageSend, FindsInheritedMethodsAtSendTime) {
    Hierarchy h;
    ASSERT_TRUE(addMethod(h.base, "value", kAnswerOne));
    EXPECT_EQ(send<int>(h.instance.get(), Selector::named("value")), 1);

    // Adding to the subclass after a send was cached must take effect.
    ASSERT_TRUE(addMethod(h.derived, "value", kAnswerTwo));
    EXPECT_EQ(send<int>(h.instance.get(), Selector::named("value")), 2);
}

TEST(MessageSend, ReplacingASuperclassMethodReachesCachedSubclasses) {
    Hierarchy h;
    addMethod(h.base, "value", kAnswerOne);
    const Selector value = Selector::named("value");
    EXPECT_EQ(send<int>(h.instance.get(), value), 1); // now cached in `derived`

    const Imp previous = setImplementation(instanceMethod(h.derived, value), impOf(kAnswerThree));
    EXPECT_EQ(previous, impOf(kAnswerOne));
    EXPECT_EQ(send<int>(h.instance.get(), value), 3);
    auto baseInstance = createInstance(h.base);
    EXPECT_EQ(send<int>(baseInstance.get(), value), 3);
    // The saved implementation stays callable.
    EXPECT_EQ(callImplementation<int>(previous, h.instance.get(), value), 1);
}

TEST(MessageSend, UnknownSelectorAnswersZeroAndIsLoggedOnce) {
    Hierarchy h;
    LogCapture log;
    const Selector missing = Selector::named("noSuchMethod");
    EXPECT_EQ(send<int>(h.instance.get(), missing), 0);
    EXPECT_EQ(send<int>(h.instance.get(), missing), 0);
    ASSERT_EQ(log.lines().size(), 1U);
    EXPECT_NE(log.lines()[0].find("-[" + h.derived->name() + " noSuchMethod]"), std::string::npos);

    // A method added later answers: the cached miss is forgotten.
    addMethod(h.base, "noSuchMethod", kAnswerTwo);
    EXPECT_EQ(send<int>(h.instance.get(), missing), 2);
}

TEST(MessageSend, ClassMethodsLiveOnTheMetaclass) {
    Hierarchy h;
    ASSERT_TRUE(addClassMethod(h.base, "shared", kClassAnswer));
    EXPECT_EQ(send<int>(h.derived, Selector::named("shared")), 40);
    EXPECT_TRUE(respondsToSelector(h.derived, Selector::named("shared")));
    EXPECT_FALSE(respondsToSelector(h.instance.get(), Selector::named("shared")));
    // Class objects answer the root class's instance methods.
    EXPECT_EQ(send<Class*>(h.derived, Selector::named("class")), h.derived);
    EXPECT_EQ(send<std::string>(h.derived, Selector::named("description")), h.derived->name());
    // Arguments and results pass through; a message to nothing answers zero.
    addMethod(h.base, "half:", kHalf);
    EXPECT_DOUBLE_EQ(send<double>(h.instance.get(), Selector::named("half:"), 5.0), 2.5);
    EXPECT_EQ(send<double>(nullptr, Selector::named("half:"), 5.0), 0.0);
}

TEST(MessageSend, RootMethodsDescribeTheObject) {
    Hierarchy h;
    Object* object = h.instance.get();
    EXPECT_EQ(send<Class*>(object, Selector::named("class")), h.derived);
    EXPECT_EQ(send<std::string_view>(object, Selector::named("className")), h.derived->name());
    EXPECT_TRUE(send<bool>(object, Selector::named("isKindOfClass:"), h.base));
    EXPECT_FALSE(send<bool>(object, Selector::named("isMemberOfClass:"), h.base));
    EXPECT_TRUE(
        send<bool>(object, Selector::named("respondsToSelector:"), Selector::named("description")));
    const auto description = send<std::string>(object, Selector::named("description"));
    EXPECT_EQ(description.rfind("<" + h.derived->name() + ": 0x", 0), 0U) << description;
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

TEST(Methods, AddingNeverOverwritesTheClassOwnTable) {
    Class* base = defineClass(uniqueName("Base"), nullptr);
    Class* derived = defineClass(uniqueName("Derived"), base);
    ASSERT_TRUE(addMethod(base, "value", kAnswerOne));
    EXPECT_FALSE(addMethod(base, "value", kAnswerTwo));
    EXPECT_EQ(instanceMethod(base, Selector::named("value"))->implementation(), impOf(kAnswerOne));
    // The subclass may add its own even though it inherits one.
    EXPECT_TRUE(addMethod(derived, "value", kAnswerTwo));
    EXPECT_EQ(instanceMethod(base, Selector::named("value"))->implementation(), impOf(kAnswerOne));
    EXPECT_EQ(derived->ownMethods().size(), 1U);
    EXPECT_EQ(instanceMethod(derived, Selector::named("value"))->types(), "i@:");
}

TEST(Methods, RespondsToSelectorSeesMethodsAddedAfterAQuery) {
    Class* cls = defineClass(uniqueName("Late"), nullptr);
    auto object = createInstance(cls);
    const Selector late = Selector::named("lateMethod");
    EXPECT_FALSE(respondsToSelector(object.get(), late));
    addMethod(cls, "lateMethod", kAnswerOne);
    EXPECT_TRUE(respondsToSelector(object.get(), late));
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
    struct Case {
        const char* types;
        std::size_t size;
        std::size_t alignment;
    };
    const Case cases[] = {
        {"c", 1, 1},         {"d", 8, 8},
        {"^v", 8, 8},        {"r^d", 8, 8},
        {"[4i]", 16, 4},     {"{Mixed=cdi}", 24, 8},
        {"{Pair=ci}", 8, 4}, {"[2{Pair=ci}]", 16, 4},
    };
    for (const Case& c : cases) {
        const auto layout = sizeAndAlignmentOfEncoding(c.types);
        ASSERT_TRUE(layout.has_value()) << c.types;
        EXPECT_EQ(layout->size, c.size) << c.types;
        EXPECT_EQ(layout->alignment, c.alignment) << c.types;
    }
    for (const char* bad : {"", "x", "{Open=dd", "[i]", "{Name}", "dd", "[99999999999i]"}) {
        EXPECT_FALSE(sizeAndAlignmentOfEncoding(bad).has_value()) << bad;
    }
}

TEST(MethodCache, KeepsEverySelectorAcrossGrowth) {
    Class* cls = defineClass(uniqueName("Wide"), nullptr);
    auto object = createInstance(cls);
    std::vector<Selector> selectors;
    for (int i = 0; i < 100; ++i) {
        selectors.push_back(Selector::named("method" + std::to_string(i)));
        addMethod(cls, Selector::named("method" + std::to_string(i)),
                  impOf(i % 2 == 0 ? kAnswerOne : kAnswerTwo), "i@:");
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(send<int>(object.get(), selectors[i]), i % 2 == 0 ? 1 : 2);
        }
    }
    EXPECT_GE(cls->cache().size(), 100U);
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

} // namespace
} // namespace vantro::runtime
