#include "installer/gtk_settings_file.h"

#include <gtest/gtest.h>

namespace vantro::installer {
namespace {

using Outcome = GtkSettingsEdit::Outcome;
constexpr const char* kModule = "/home/u/.local/share/ScriptingAdditions/m.so";
constexpr const char* kHome = "/home/u";
const std::string kNamed = std::string("gtk-modules=") + kModule + "\n";

struct Case {
    const char* name;
    std::optional<std::string> current;
    Outcome outcome;
    std::string text;
};

TEST(GtkSettingsFile, NamingTheModule) {
    const Case cases[] = {
        {"no file", std::nullopt, Outcome::write, "[Settings]\n" + kNamed},
        {"an empty file", "", Outcome::write, "[Settings]\n" + kNamed},
        {"other settings kept, comments too", "# mine\n[Settings]\ngtk-theme-name=Adwaita\n",
         Outcome::write, "# mine\n[Settings]\ngtk-theme-name=Adwaita\n" + kNamed},
        {"a group of another name is not the settings", "[Other]\nkey=1\n", Outcome::write,
         "[Other]\nkey=1\n\n[Settings]\n" + kNamed},
        {"other modules kept", "[Settings]\ngtk-modules=gail\n", Outcome::write,
         std::string("[Settings]\ngtk-modules=gail:") + kModule + "\n"},
        {"already kNamed", "[Settings]\n" + kNamed, Outcome::unchanged, ""},
        {"already kNamed through ~/",
         "[Settings]\ngtk-modules=~/.local/share/ScriptingAdditions/m.so\n", Outcome::unchanged,
         ""},
        {"not a key file", "gtk-modules=/x.so\n", Outcome::unreadable, ""},
    };
    for (const Case& c : cases) {
        const GtkSettingsEdit edit = gtkSettingsNaming(c.current, kModule, kHome);
        EXPECT_EQ(edit.outcome, c.outcome) << c.name;
        EXPECT_EQ(edit.text, c.text) << c.name;
        if (c.outcome == Outcome::unreadable) {
            EXPECT_FALSE(edit.error.empty()) << c.name;
        }
    }
}

TEST(GtkSettingsFile, TakingTheModuleOut) {
    const Case cases[] = {
        {"no file", std::nullopt, Outcome::unchanged, ""},
        {"not kNamed", "[Settings]\ngtk-modules=gail\n", Outcome::unchanged, ""},
        {"only ours: the file goes", "[Settings]\n" + kNamed, Outcome::remove, ""},
        {"other modules kept", std::string("[Settings]\ngtk-modules=gail:") + kModule + "\n",
         Outcome::write, "[Settings]\ngtk-modules=gail\n"},
        {"other settings kept", "[Settings]\ngtk-theme-name=Adwaita\n" + kNamed, Outcome::write,
         "[Settings]\ngtk-theme-name=Adwaita\n"},
        {"the emptied group goes, the comment stays",
         "# mine\n\n[Settings]\n" + kNamed + "\n[Other]\nkey=1\n", Outcome::write,
         "# mine\n\n[Other]\nkey=1\n"},
        {"every line naming it in the group",
         "[Settings]\ngtk-modules=" + std::string(kModule) + "\n[Settings]\n" + kNamed,
         Outcome::remove, ""},
        {"not a key file", "gtk-modules=" + std::string(kModule), Outcome::unreadable, ""},
    };
    for (const Case& c : cases) {
        const GtkSettingsEdit edit = gtkSettingsWithout(c.current, kModule, kHome);
        EXPECT_EQ(edit.outcome, c.outcome) << c.name;
        EXPECT_EQ(edit.text, c.text) << c.name;
    }
}

} // namespace
} // namespace vantro::installer
