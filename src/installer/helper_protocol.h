#pragma once

// What the installer and its helper with administrator rights say to each
// other over the helper's standard input and output. The helper greets with
// "ready\n" once it runs with rights. A request is one line naming an
// operation on one part, from a fixed list: "install pane", "remove plugin",
// "register module" and so on; it never carries a path, a tool or an
// argument, so the helper has nothing to trust but its own table. The
// answer is one line: "done\n", or "refused WHY\n" when the helper will not
// do it, or "failed WHY\n" when it tried and could not.

#include "installer/install_locations.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantro::installer {

inline constexpr std::string_view kHelperGreeting = "ready\n";
// No request is longer; the helper refuses and ends on a longer one.
inline constexpr size_t kMaxHelperRequestBytes = 4096;
// Nor is an answer line the installer reads.
inline constexpr size_t kMaxHelperAnswerBytes = 4096;

struct HelperRequest {
    enum class Operation {
        install,        // a fresh copy of the part, from the helper's own bundles
        remove,         // the part's system-wide copy
        registerModule, // the loader module's entry in the system gtk-modules line
        unregisterModule
    };
    using Part = InstallLocations::Part;

    Operation operation = Operation::install;
    Part part = Part::prefPane; // register and unregister: the loader module

    bool operator==(const HelperRequest&) const = default;
};

// The request's line, without its newline.
std::string encodedRequest(const HelperRequest& request);
// The request a line (without its newline) names; none for anything else.
std::optional<HelperRequest> decodedRequest(std::string_view line);

struct HelperAnswer {
    enum class Kind { done, refused, failed } kind = Kind::failed;
    std::string why;
};
std::string encodedAnswer(const HelperAnswer& answer);
// The answer a line (without its newline) holds; none when malformed.
std::optional<HelperAnswer> decodedAnswer(std::string_view line);

// `text` as one printable line for a log: every byte outside printable
// ASCII, and the backslash, written as \xHH, and cut after `limit` bytes,
// so that what a caller sent can neither forge log lines nor flood them.
std::string escapedForLog(std::string_view text, size_t limit = 200);

} // namespace vantro::installer
