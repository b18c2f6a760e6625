#include "runtime/trace_log.h"

#include "runtime/system_log.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vantro::runtime {

namespace {

HostDefaultsSwitch& hostDefaults() {
    static auto* lookup = new HostDefaultsSwitch();
    return *lookup;
}

bool switchIsOn(std::string_view name) {
    if (const HostDefaultsSwitch& lookup = hostDefaults()) {
        return lookup(name);
    }
    // Read once: the environment of a running host does not change under us,
    // and getenv is not safe against a host thread calling setenv.
    static const std::string list = [] {
        const char* value = std::getenv("VANTRO_TRACE"); // NOLINT(concurrency-mt-unsafe)
        return std::string(value != nullptr ? value : "");
    }();
    return traceSwitchIsOn(list, name);
}

} // namespace

bool switchValueIsTrue(std::string_view value) {
    const auto equalsFolded = [value](std::string_view word) {
        return value.size() == word.size() &&
               std::equal(value.begin(), value.end(), word.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == b;
               });
    };
    if (equalsFolded("yes") || equalsFolded("true")) {
        return true;
    }
    std::string_view digits = value;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    return digits.find_first_not_of('0') != std::string_view::npos;
}

bool traceSwitchIsOn(std::string_view list, std::string_view name) {
    bool on = false;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        const std::size_t equals = item.find('=');
        const std::string_view itemName = item.substr(0, equals);
        if (itemName == name || itemName == "all") {
            const std::string_view value =
                equals == std::string_view::npos ? "1" : item.substr(equals + 1);
            on = switchValueIsTrue(value);
        }
    }
    return on;
}

void TraceLog::logWithOptions(const char* options, const char* /*file*/, const char* function,
                              long lineNumber, const char* format, ...) {
    if (options == nullptr || !switchIsOn(options)) {
        return;
    }
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> message(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0) {
        std::vsnprintf(message.data(), message.size(), format, args);
    }
    va_end(args);
    systemLogFormat("(%s)%s line %ld\n     %s", options, function != nullptr ? function : "",
                    lineNumber, message.data());
}

void TraceLog::setHostDefaults(HostDefaultsSwitch lookup) {
    hostDefaults() = std::move(lookup);
}

} // namespace vantro::runtime
