#include "runtime/class.h"
#include "runtime/encoding_size.h"
#include "runtime/message_send.h"
#include "support/unique_name.h"

#include <gtest/gtest.h>

namespace vantro::runtime {
namespace {

using testing::uniqueName;

int answerOne(Object*, Selector) {
    return 1;
}
int answerTwo(Object*, Selector) {
    return 2;
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
    ASSERT_TRUE(addMethod(base, "value", &answerOne));
    EXPECT_FALSE(addMethod(base, "value", &answerTwo));
    EXPECT_EQ(instanceMethod(base, Selector::named("value"))->implementation(), impOf(&answerOne));
    // The subclass may add its own even though it inherits one.
    EXPECT_TRUE(addMethod(derived, "value", &answerTwo));
    EXPECT_EQ(instanceMethod(base, Selector::named("value"))->implementation(), impOf(&answerOne));
    EXPECT_EQ(derived->ownMethods().size(), 1U);
    EXPECT_EQ(instanceMethod(derived, Selector::named("value"))->types(), "i@:");
}

TEST(Methods, RespondsToSelectorSeesMethodsAddedAfterAQuery) {
    Class* cls = defineClass(uniqueName("Late"), nullptr);
    auto object = createInstance(cls);
    const Selector late = Selector::named("lateMethod");
    EXPECT_FALSE(respondsToSelector(object.get(), late));
    addMethod(cls, "lateMethod", &answerOne);
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
    double* storage = ivarPointer<double>(object.get(), *width);
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
                  impOf(i % 2 == 0 ? &answerOne : &answerTwo), "i@:");
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(send<int>(object.get(), selectors[i]), i % 2 == 0 ? 1 : 2);
        }
    }
    EXPECT_GE(cls->cache().size(), 100U);
}

} // namespace
} // namespace vantro::runtime
