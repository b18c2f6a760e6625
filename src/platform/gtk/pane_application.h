#pragma once

// The settings application of a preference pane: the first desktop entry
// (by name) in the pane's folder. A pane is copied from place to place (the
// build tree, ~/.local/share/PreferencePanes, /usr/local/share/PreferencePanes),
// so its entry names its program relative to the pane ("Exec=Contents/Linux/
// vantro-settings"); the program is resolved against the folder the entry
// sits in, never against the host's working folder.

#include <gdk/gdk.h>
#include <gio/gdesktopappinfo.h>

#include <optional>
#include <string>
#include <string_view>

namespace vantro::gtk {

// The Exec line `exec` with its program made absolute: a program that names
// a folder but is not absolute ("Contents/Linux/app", "./app") is taken
// inside `folder`; an absolute program or a bare name (found on PATH) stays.
// Arguments and field codes are kept. None when `exec` does not parse.
std::optional<std::string> execInFolder(std::string_view folder, std::string_view exec);

// The pane's application, its program resolved with execInFolder. Null when
// the pane has no readable desktop entry or its program is not there. The
// caller owns the result.
GDesktopAppInfo* paneApplication(const std::string& pane);

// Starts the pane's application on `display` (no shell is involved) with
// startup notification, so that the window it presents takes the focus. The
// settings application is single-instance: starting it again presents the
// window it has. False when the pane has no application or it did not start.
bool launchPaneApplication(GdkDisplay* display, const std::string& pane);

} // namespace vantro::gtk
