#pragma once

// Facts about the host process that the plug-in asks the platform for: the
// application's identifier, whether it is a Java program (whose toolkit the
// plug-in leaves alone), and the user's data folder.

#include <optional>
#include <string>
#include <string_view>

namespace vantro::gtk {

// The default GApplication's id, else the program name; none with neither.
std::optional<std::string> hostIdentifier();

// A process whose memory maps hold the JVM's library, or that has no program
// name (a Java launcher embedding GTK sets none).
bool isJavaProcess();

// Whether a /proc/<pid>/maps text maps the JVM's library ("libjvm.so").
bool mapsHoldTheJvm(std::string_view maps);

// $XDG_DATA_HOME, by default ~/.local/share.
std::string userDataDirectory();

} // namespace vantro::gtk
