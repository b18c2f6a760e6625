// The host process's identifier and the Java test.

#include "platform/gtk/host_process.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

TEST(HostProcess, TheJvmIsFoundByItsLibraryName) {
    struct Case {
        const char* maps;
        bool jvm;
    };
    const Case cases[] = {
        {"7f00-7f10 r-xp 00000000 08:01 42 /usr/lib/jvm/java-17/lib/server/libjvm.so\n", true},
        {"7f00-7f10 r-xp 00000000 08:01 42 /opt/libjvm.so", true},
        {"7f00-7f10 r-xp 00000000 08:01 42 /opt/libjvm.so.1\n", true},
        {"7f00-7f10 r-xp 00000000 08:01 42 /usr/lib/libgtk-3.so.0\n", false},
        {"7f00-7f10 r-xp 00000000 08:01 42 /usr/lib/notlibjvm.so\n", false},
        {"7f00-7f10 r-xp 00000000 08:01 42 /usr/lib/libjvm.sox\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mapsHoldTheJvm(c.maps), c.jvm) << c.maps;
    }
}

TEST(HostProcess, IdentifierIsTheApplicationsIdElseTheProgramName) {
    g_set_prgname("vantro-host-test");
    EXPECT_EQ(hostIdentifier(), "vantro-host-test");
    EXPECT_FALSE(isJavaProcess()); // this test program maps no JVM
    GApplication* application =
        g_application_new("org.example.VantroHost", G_APPLICATION_NON_UNIQUE);
    g_application_set_default(application);
    EXPECT_EQ(hostIdentifier(), "org.example.VantroHost");
    g_application_set_default(nullptr);
    g_object_unref(application);
    EXPECT_FALSE(userDataDirectory().empty());
}

} // namespace
} // namespace vantro::gtk
