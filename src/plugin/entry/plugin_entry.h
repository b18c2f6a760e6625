#pragma once

// The plug-in's start in a host process. The loader module calls the
// bundle's one exported function, which runs the four class-load entries in
// order: the plug-in object, the window class, the menu class and the
// title-bar button class. Each entry declines Java processes, registers the
// default settings, grafts the plug-in's methods onto its host class and
// replaces that class's hooked methods. Running the entries again does
// nothing more.

#include "runtime/class.h"

#include <array>
#include <string_view>

namespace vantro::entry {

// The window classes the window entry prefers, in order; the first that the
// process has is extended, "GtkWindow" when it has none of them.
inline constexpr std::array<std::string_view, 5> kPreferredWindowClasses = {
    "FramedBrowserWindow", "PXCustomWindow", "MMWindow", "CoreNSWindow", "ITNSWindow"};

inline constexpr const char* kPluginClassName = "VantroPlugin";

// The plug-in object (+[VantroPlugin sharedInstance]): it has no state and
// stands for the plug-in in class dumps; made on first use.
runtime::Object* sharedPluginObject();

// The class the window entry extends.
runtime::Class* chooseWindowClass();

void vantroPluginLoad();
void vantroWindowLoad();
void vantroMenuLoad();
void vantroThemeWidgetLoad();

// All four, in order.
void runClassLoadEntries();

} // namespace vantro::entry

// The bundle's entry as the loader module finds it in the bundle's code.
extern "C" void vantro_bundle_load();
