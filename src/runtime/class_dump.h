#pragma once

// Debugging aids exported by the plug-in: operating-system version tests and
// dumps of runtime classes to the system log.

namespace vantro::runtime {

// The name of the module whose classes dumpClasses lists.
inline constexpr const char* kDumpedClassOwner = "com.apple.MessageFramework";

} // namespace vantro::runtime

// Version tests of the platform the kit was first written for. Linux has no
// such minor version, so both answer false.
extern "C" bool isLeopard();
extern "C" bool isSnowLeopard();

// Writes the interface of the named class (variables with their offsets,
// class methods, instance methods) as one log entry; nothing for an unknown
// name.
extern "C" void dumpClass(const char* className);

// Writes the name of every registered class defined by kDumpedClassOwner, last
// registered first, one entry each.
extern "C" void dumpClasses();
