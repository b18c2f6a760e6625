// The host process's identifier and the Java test.

#include "platform/gtk/host_process.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

TEST(HostProcess, TheJvmIsFoundByItsLibraryName) {
    const std::string line = "7f00-7f10 r-xp 00000000 08:01 42 ";
    EXPECT_TRUE(mapsHoldTheJvm(line + "/usr/lib/jvm/java-17/lib/server/libjvm.so\n"));
    EXPECT_TRUE(mapsHoldTheJvm(line + "/opt/libjvm.so"));
    EXPECT_TRUE(mapsHoldTheJvm(line + "/opt/libjvm.so.1\n"));
    for (const char* other : {"/usr/lib/notlibjvm.so\n", "/usr/lib/libjvm.sox\n", ""}) {
        EXPECT_FALSE(mapsHoldTheJvm(line + other)) << other;
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
}

} // namespace
} // namespace vantro::gtk
