#pragma once

// Debugging aids exported by the plug-in: operating-system version tests and
// dumps of runtime classes to the system log.

namespace vantro::runtime {

// The module whose classes dumpClasses lists: the toolkit's, whose window,
// menu and title-button classes the plug-in adds methods to or replaces
// them in, the classes worth a dumpClass next.
inline constexpr const char* kDumpedClassOwner = "org.gtk.Gtk";

} // namespace vantro::runtime

// All four are exported from the bundle whatever the build's default symbol
// visibility: a debugger attached to the host calls them by name.

// Version tests of the platform the kit was first written for. Linux has no
// such minor version, so both answer false.
extern "C" [[gnu::visibility("default")]] bool isLeopard();
extern "C" [[gnu::visibility("default")]] bool isSnowLeopard();

// Writes the interface of the named class (variables with their offsets,
// class methods, instance methods) as one log entry; nothing for an unknown
// name.
extern "C" [[gnu::visibility("default")]] void dumpClass(const char* className);

// Writes the name of every registered class defined by kDumpedClassOwner, last
// registered first, one entry each.
extern "C" [[gnu::visibility("default")]] void dumpClasses();
