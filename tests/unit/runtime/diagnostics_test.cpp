#include "runtime/class_dump.h"
#include "runtime/message_send.h"
#include "runtime/trace_log.h"
#include "support/log_capture.h"
#include "support/unique_name.h"

#include <gtest/gtest.h>

namespace vantro::runtime {
namespace {

using testing::LogCapture;
using testing::uniqueName;

constexpr auto kHelper = +[](Object*, Selector) -> int { return 0; };

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

TEST(TraceLog, SwitchListReadsLikeTheEnvironmentVariable) {
    struct Case {
        const char* list;
        const char* name;
        bool on;
    };
    const Case cases[] = {
        {"", "VTZoom", false},
        {"VTResize,VTZoom", "VTZoom", true},
        {"VTZoomer", "VTZoom", false},
        {"VTZoom,VTZoom=no", "VTZoom", false},
        {"all,VTZoom=0", "VTZoom", false},
        {"all", "VTZoom", true},
        {"VTZoom=off", "VTZoom", false},
        {"VTZoom=", "VTZoom", false},
        {"VTZoom=00", "VTZoom", false},
        {"VTZoom=YES", "VTZoom", true},
        {"VTZoom=true", "VTZoom", true},
        {"VTZoom=-1", "VTZoom", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(traceSwitchIsOn(c.list, c.name), c.on) << c.list;
    }
}

TEST(ClassDump, WritesTheInterfaceAsOneEntryAndUnknownNamesNothing) {
    Class* cls = allocateClassPair(rootClass(), uniqueName("Dumped"));
    addIvar(cls, "count", 4, 4, "i");
    addIvar(cls, "width", 8, 8, "d");
    addMethod(cls, "vantroHelper", kHelper);
    addClassMethod(cls, "sharedInstance", kHelper);
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

TEST(ClassDump, ListsOnlyClassesOfTheDumpedModuleLastFirst) {
    Class* first = defineClass(uniqueName("MailFirst"), nullptr);
    Class* other = defineClass(uniqueName("Unrelated"), nullptr);
    Class* second = defineClass(uniqueName("MailSecond"), nullptr);
    first->setOwner(kDumpedClassOwner);
    second->setOwner(kDumpedClassOwner);
    other->setOwner("com.quillworks.vantro");
    LogCapture log;
    dumpClasses();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{second->name(), first->name()}));
}

} // namespace
} // namespace vantro::runtime
