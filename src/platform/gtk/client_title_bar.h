#pragma once

// GTK title bars for windows that leave their decoration to the window
// manager. A GtkHeaderBar has to be in place before the window is realized
// (GTK warns and unrealizes a window given one later), and the "show" and
// "realize" signals run their class handler before any emission hook, so
// the class handlers of GtkWindow, and of every subclass already initialised
// that still uses GtkWindow's, are replaced by ones that add the title bar
// and then run the handler they replaced. Subclasses initialised later copy
// GtkWindow's and chain up to it.

#include <gtk/gtk.h>

namespace vantro::gtk {

// Answers, for each window about to be given a title bar, whether the user
// wants it now (the setting, and whether the plug-in acts at all).
using TitleBarWanted = bool (*)();

// Replaces the handlers once; later calls change nothing. Windows realized
// before are left as they are until they are shown again unrealized.
void installClientTitleBars(TitleBarWanted wanted);

// Whether `window` is one to give a title bar: a top-level of the normal or
// dialog kind, decorated, without a title bar of its own, not realized yet.
bool wantsClientTitleBar(GtkWindow* window);

// Gives `window` a header bar that shows its title (kept in step with it)
// and the user's button layout.
void addClientTitleBar(GtkWindow* window);

} // namespace vantro::gtk
