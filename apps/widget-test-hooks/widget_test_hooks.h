#pragma once

// Hooks for end-to-end tests of the project's GTK applications, which
// cannot reach widgets otherwise (no accessibility bus in the test session).
// An application turns them on only when its running instance was started
// with its hooks variable set to 1 (VANTRO_SETTINGS_TEST_HOOKS,
// VANTRO_INSTALLER_TEST_HOOKS); a second start then hands its arguments to it:
//
//   APP --test-set NAME VALUE   acts on the widget named NAME
//   APP --test-get NAME         prints what it shows
//   APP --test-locate NAME      prints its centre on the screen, "X Y",
//                               for a real click with a pointer tool
//
// An action is the call a user's input ends in, so the widget's own signal
// runs the same handlers a click does: a switch is set active ("true",
// "false"), a chooser set to the choice with the id VALUE (the stored code),
// an entry given the text, a button ("click") clicked, a list's row with the
// text selected, an expander ("true", "false") opened or closed. Insensitive
// widgets refuse, as they refuse a click. --test-get of a dialog prints its
// message and secondary text.

#include <gtk/gtk.h>
#include <string>
#include <vector>

namespace vantro::apps {

struct TestHookResult {
    int status = 0; // 0 done; 2 refused (unknown widget or value, bad usage)
    std::string output;
    std::string error;
};

// Whether the arguments (program name first) ask for a hook.
bool isTestHookCommand(const std::vector<std::string>& arguments);
// Looks for the widget in `windows` in order (a main window, then its
// dialogs).
TestHookResult runTestHook(const std::vector<GtkWindow*>& windows,
                           const std::vector<std::string>& arguments);

// Runs the hook for a command line forwarded to the application's running
// instance, printing its output there; the exit status for that command line.
int answerTestHook(GApplicationCommandLine* line, const std::vector<GtkWindow*>& windows,
                   const std::vector<std::string>& arguments);

// The application's flags for this start: a test hook acts on the window of
// the instance that runs, so a start with one, made before that instance has
// registered, must not become the instance itself (it fails, and the test
// asks again).
GApplicationFlags applicationFlagsFor(int argc, char** argv);

} // namespace vantro::apps
