#pragma once

// Hooks for end-to-end tests, which cannot reach widgets otherwise (no
// accessibility bus in the test session). They are on only when the running
// instance was started with VANTRO_SETTINGS_TEST_HOOKS=1; a second start
// then hands its arguments to it:
//
//   vantro-settings --test-set NAME VALUE   acts on the widget named NAME
//   vantro-settings --test-get NAME         prints what it shows
//   vantro-settings --test-locate NAME      prints its centre on the screen, "X Y",
//                                           for a real click with a pointer tool
//
// An action is the call a user's input ends in, so the widget's own signal
// runs the same handlers a click does: a switch is set active ("true",
// "false"), a chooser set to the choice with the id VALUE (the stored code),
// an entry given the text, a button ("click") clicked, a list's row with the
// text selected, an expander ("true", "false") opened or closed. Insensitive
// widgets refuse, as they refuse a click.

#include <gtk/gtk.h>
#include <string>
#include <vector>

namespace vantro::settings_app {

inline constexpr const char* kTestHooksVariable = "VANTRO_SETTINGS_TEST_HOOKS";

struct TestHookResult {
    int status = 0; // 0 done; 2 refused (unknown widget or value, bad usage)
    std::string output;
    std::string error;
};

// Whether the arguments (program name first) ask for a hook.
bool isTestHookCommand(const std::vector<std::string>& arguments);
TestHookResult runTestHook(GtkWindow* window, const std::vector<std::string>& arguments);

} // namespace vantro::settings_app
