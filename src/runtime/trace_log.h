#pragma once

// Switchable trace logging for whoever develops or debugs the plug-in. A trace
// line is written only while its switch is on in the host's own defaults,
// which on Linux are the switches listed in the environment variable
// VANTRO_TRACE (comma-separated names, "all" for every switch; "name=VALUE"
// is on only for a true value: yes, true or a number other than 0).

#include <functional>
#include <string>
#include <string_view>

namespace vantro::runtime {

using HostDefaultsSwitch = std::function<bool(std::string_view name)>;

class TraceLog {
  public:
    // Writes "(options)function line N" and, on a second line indented by five
    // spaces, the formatted message, when the switch named `options` is on.
    // The file name is accepted for the call sites' convenience only.
    static void logWithOptions(const char* options, const char* file, const char* function,
                               long lineNumber, const char* format, ...)
        __attribute__((format(printf, 5, 6)));

    // Replaces the lookup of switches; an empty function restores VANTRO_TRACE.
    static void setHostDefaults(HostDefaultsSwitch lookup);
};

// A switch's value read as a boolean: yes, true (in any case) or a number
// other than zero. Anything else, the empty value included, is false.
bool switchValueIsTrue(std::string_view value);

// Whether `name` is on in a VANTRO_TRACE-style list.
bool traceSwitchIsOn(std::string_view list, std::string_view name);

} // namespace vantro::runtime

#define VANTRO_TRACE(options, ...)                                                                 \
    ::vantro::runtime::TraceLog::logWithOptions(options, __FILE__, __func__, __LINE__, __VA_ARGS__)
