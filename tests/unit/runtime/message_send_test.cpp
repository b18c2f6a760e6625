#include "runtime/message_send.h"
#include "support/log_capture.h"
#include "support/unique_name.h"

#include <gtest/gtest.h>

namespace vantro::runtime {
namespace {

using testing::LogCapture;
using testing::uniqueName;

int answerOne(Object*, Selector) {
    return 1;
}
int answerTwo(Object*, Selector) {
    return 2;
}
int answerThree(Object*, Selector) {
    return 3;
}
double half(Object*, Selector, double value) {
    return value / 2;
}
int classAnswer(Object*, Selector) {
    return 40;
}

struct Hierarchy {
    Class* base = defineClass(uniqueName("Base"), nullptr);
    Class* derived = defineClass(uniqueName("Derived"), base);
    std::unique_ptr<Object> instance = createInstance(derived);
};

TEST(MessageSend, FindsInheritedMethodsAtSendTime) {
    Hierarchy h;
    ASSERT_TRUE(addMethod(h.base, "value", &answerOne));
    EXPECT_EQ(send<int>(h.instance.get(), Selector::named("value")), 1);

    // Adding to the subclass after a send was cached must take effect.
    ASSERT_TRUE(addMethod(h.derived, "value", &answerTwo));
    EXPECT_EQ(send<int>(h.instance.get(), Selector::named("value")), 2);
}

TEST(MessageSend, ReplacingASuperclassMethodReachesCachedSubclasses) {
    Hierarchy h;
    addMethod(h.base, "value", &answerOne);
    const Selector value = Selector::named("value");
    EXPECT_EQ(send<int>(h.instance.get(), value), 1); // now cached in `derived`

    const Imp previous = setImplementation(instanceMethod(h.derived, value), impOf(&answerThree));
    EXPECT_EQ(previous, impOf(&answerOne));
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
    addMethod(h.base, "noSuchMethod", &answerTwo);
    EXPECT_EQ(send<int>(h.instance.get(), missing), 2);
}

TEST(MessageSend, ClassMethodsLiveOnTheMetaclass) {
    Hierarchy h;
    ASSERT_TRUE(addClassMethod(h.base, "shared", &classAnswer));
    EXPECT_EQ(send<int>(h.derived, Selector::named("shared")), 40);
    EXPECT_TRUE(respondsToSelector(h.derived, Selector::named("shared")));
    EXPECT_FALSE(respondsToSelector(h.instance.get(), Selector::named("shared")));
    // Class objects answer the root class's instance methods.
    EXPECT_EQ(send<Class*>(h.derived, Selector::named("class")), h.derived);
    EXPECT_EQ(send<std::string>(h.derived, Selector::named("description")), h.derived->name());
    // Arguments and results pass through; a message to nothing answers zero.
    addMethod(h.base, "half:", &half);
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

#ifdef VANTRO_CHECKED_SENDS
TEST(MessageSendDeathTest, WrongSignatureStopsWithAClearMessage) {
    Hierarchy h;
    addMethod(h.base, "half:", &half);
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
