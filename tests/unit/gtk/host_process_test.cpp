// Whether the host is a Java program, read from its memory maps. (The
// identifier is what the blacklist in tests/e2e/zoom_button.sh matches.)

#include "platform/gtk/host_process.h"

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

} // namespace
} // namespace vantro::gtk
