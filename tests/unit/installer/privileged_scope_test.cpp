#include "installer/privileged_scope.h"

#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantro::installer {
namespace {

namespace fs = std::filesystem;
using testing::InstallerMachine;
using testing::writeFile;

// The machine's system library stands for /usr/local/share, and a folder of
// its own for /etc/xdg.
class PrivilegedScopeTest : public ::testing::Test {
  protected:
    PrivilegedScopeTest()
        : etcXdg_(machine_.root() + "/etc/xdg"),
          scope_(PrivilegedScope::ofSystem(machine_.locations(), etcXdg_)) {
        fs::create_directories(etcXdg_);
        writeFile(source_, "x");
    }

    [[nodiscard]] std::string refusalOf(const ToolRun& run) const { return scope_.refusalOf(run); }
    [[nodiscard]] const InstallLocations& at() const { return machine_.locations(); }

    InstallerMachine machine_;
    std::string etcXdg_;
    std::string source_ = machine_.root() + "/source";
    PrivilegedScope scope_;
};

TEST_F(PrivilegedScopeTest, AcceptsTheFileOperationsOnTheSystemLocations) {
    const std::string settings = etcXdg_ + "/gtk-3.0/settings.ini";
    const std::string system = at().systemFolder;
    for (const ToolRun& run : {
             ToolRun::makeParentFolder(system + "/PreferencePanes"),
             ToolRun::makeParentFolder(system + "/SIMBL/Plugins"),
             ToolRun::makeParentFolder(system + "/ScriptingAdditions"),
             ToolRun::makeParentFolder(etcXdg_ + "/gtk-3.0"),
             ToolRun::copy(source_, at().rootPrefPane),
             ToolRun::copy(source_, at().rootPlugin),
             ToolRun::copy(source_, at().rootLoaderModule),
             ToolRun::copy(source_, settings),
             ToolRun::remove(at().rootPrefPane),
             ToolRun::remove(at().rootPlugin),
             ToolRun::remove(settings),
             // ".." that stays inside, and doubled slashes, resolve to the location.
             ToolRun::remove(system + "/SIMBL/../PreferencePanes//Vantro.prefPane"),
         }) {
        fs::create_directories(system + "/SIMBL");
        fs::create_directories(system + "/PreferencePanes");
        EXPECT_EQ(refusalOf(run), "") << run.tool << " " << run.arguments.back();
    }
}

TEST_F(PrivilegedScopeTest, MovesOnlyBetweenInstallLocations) {
    fs::create_directories(at().rootPlugin);
    EXPECT_EQ(refusalOf(ToolRun::move(at().rootPlugin, at().rootPrefPane)), "");
    EXPECT_NE(refusalOf(ToolRun::move(source_, at().rootPrefPane)), "");
}

TEST_F(PrivilegedScopeTest, RefusesPathsOutsideTheLocations) {
    const std::string system = at().systemFolder;
    fs::create_directories(system + "/PreferencePanes");
    const std::string elsewhere = machine_.root() + "/elsewhere";
    for (const ToolRun& run : {
             ToolRun::remove(system),
             ToolRun::remove(system + "/PreferencePanes"),
             ToolRun::remove(system + "/PreferencePanes/Other.prefPane"),
             ToolRun::remove(at().userPrefPane), // a user's copy needs no rights
             ToolRun::remove(system + "/PreferencePanes/Vantro.prefPane/.."),
             ToolRun::remove(system + "/PreferencePanes/../../elsewhere"),
             ToolRun::remove(system + "/PreferencePanes/Vantro.prefPane/Contents"),
             ToolRun::remove("PreferencePanes/Vantro.prefPane"),
             ToolRun::copy(source_, elsewhere),
             ToolRun::copy(source_, system + "/PreferencePanes/../../elsewhere"),
             // What does not exist yet cannot be climbed out of with "..".
             ToolRun::copy(source_, system + "/Missing/../PreferencePanes/Vantro.prefPane"),
             ToolRun::copy("relative/source", at().rootPrefPane),
             ToolRun::copy(machine_.root() + "/no-such-source", at().rootPrefPane),
             ToolRun::makeParentFolder(system),
             ToolRun::makeParentFolder(system + "/PreferencePanes/Vantro.prefPane"),
             ToolRun::makeParentFolder(etcXdg_),
         }) {
        EXPECT_NE(refusalOf(run), "") << run.tool << " " << run.arguments.back();
    }
}

TEST_F(PrivilegedScopeTest, RefusesOtherToolsAndOtherArguments) {
    const std::string pane = at().rootPrefPane;
    const std::vector<ToolRun> runs = {
        {"/bin/chmod", {"-R", "777", pane}},
        {"/usr/bin/rm", {"-d", "-R", pane}},
        {"rm", {"-d", "-R", pane}},
        {"/bin/rm", {"-d", "-R", pane, pane}},
        {"/bin/rm", {"-rf", pane}},
        {"/bin/rm", {"-d", "-R", "--no-preserve-root", pane}},
        {"/bin/cp", {"-R", source_, pane, "/etc"}},
        {"/bin/cp", {"-a", source_, pane}},
        {"/bin/cp", {"-R", "-t", pane, source_}},
        {"/bin/mv", {source_, pane}},
        {"/bin/mkdir", {"-p", "-m", "777", at().systemFolder + "/PreferencePanes"}},
        {"/bin/mkdir", {at().systemFolder + "/PreferencePanes"}},
        {"", {}},
    };
    for (const ToolRun& run : runs) {
        EXPECT_NE(refusalOf(run), "") << run.tool;
    }
}

TEST_F(PrivilegedScopeTest, RefusesToCopyOntoWhatExists) {
    fs::create_directories(at().rootPrefPane);
    EXPECT_NE(refusalOf(ToolRun::copy(source_, at().rootPrefPane)), "");
}

// A library folder that is a link out of the install locations: the copy
// would land where the link points.
TEST_F(PrivilegedScopeTest, RefusesLocationsReachedThroughALink) {
    const std::string system = at().systemFolder;
    const std::string outside = machine_.root() + "/outside";
    fs::create_directories(outside);
    fs::create_directories(system);
    fs::create_directory_symlink(outside, system + "/PreferencePanes");
    fs::create_directories(system + "/SIMBL");
    fs::create_directory_symlink(outside, system + "/SIMBL/Plugins");
    EXPECT_NE(refusalOf(ToolRun::copy(source_, at().rootPrefPane)), "");
    EXPECT_NE(refusalOf(ToolRun::remove(at().rootPrefPane)), "");
    EXPECT_NE(refusalOf(ToolRun::makeParentFolder(system + "/SIMBL/Plugins")), "");
    EXPECT_NE(refusalOf(ToolRun::copy(source_, at().rootPlugin)), "");
}

// The location itself a link: removing takes the link away, nothing it
// points to; copying onto it is refused because something is there.
TEST_F(PrivilegedScopeTest, JudgesALinkAtTheLocationAsTheLink) {
    fs::create_directories(at().systemFolder + "/PreferencePanes");
    fs::create_directory_symlink(machine_.root(), at().rootPrefPane);
    EXPECT_EQ(refusalOf(ToolRun::remove(at().rootPrefPane)), "");
    EXPECT_NE(refusalOf(ToolRun::copy(source_, at().rootPrefPane)), "");
}

TEST(ResolvedLocation, ResolvesThroughTheFoldersThatExistAndKeepsTheLastComponent) {
    const fs::path folder = fs::temp_directory_path() / "vantro-resolved-location";
    fs::remove_all(folder);
    fs::create_directories(folder / "real");
    fs::create_directory_symlink(folder / "real", folder / "link");
    fs::create_directory_symlink(folder / "real", folder / "real" / "inner-link");
    const std::string base = fs::canonical(folder).string();
    EXPECT_EQ(resolvedLocation(folder.string() + "/link/x"), base + "/real/x");
    EXPECT_EQ(resolvedLocation(folder.string() + "/real/inner-link"), base + "/real/inner-link");
    EXPECT_EQ(resolvedLocation(folder.string() + "/link/missing/x"), base + "/real/missing/x");
    EXPECT_EQ(resolvedLocation(folder.string() + "/missing/../x"), "");
    EXPECT_EQ(resolvedLocation(folder.string() + "/real/.."), "");
    EXPECT_EQ(resolvedLocation("relative/x"), "");
    EXPECT_EQ(resolvedLocation("/"), "");
    fs::remove_all(folder);
}

} // namespace
} // namespace vantro::installer
