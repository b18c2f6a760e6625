#include "installer/helper_protocol.h"

#include <array>
#include <cstdio>
#include <utility>

namespace vantro::installer {

namespace {

using Operation = HelperRequest::Operation;
using Part = HelperRequest::Part;

constexpr std::array kRequests = {
    std::pair{HelperRequest{Operation::install, Part::prefPane}, std::string_view("install pane")},
    std::pair{HelperRequest{Operation::install, Part::plugin}, std::string_view("install plugin")},
    std::pair{HelperRequest{Operation::install, Part::loaderModule},
              std::string_view("install module")},
    std::pair{HelperRequest{Operation::remove, Part::prefPane}, std::string_view("remove pane")},
    std::pair{HelperRequest{Operation::remove, Part::plugin}, std::string_view("remove plugin")},
    std::pair{HelperRequest{Operation::remove, Part::loaderModule},
              std::string_view("remove module")},
    std::pair{HelperRequest{Operation::registerModule, Part::loaderModule},
              std::string_view("register module")},
    std::pair{HelperRequest{Operation::unregisterModule, Part::loaderModule},
              std::string_view("unregister module")},
};

constexpr std::array kAnswerWords = {
    std::pair{HelperAnswer::Kind::done, std::string_view("done")},
    std::pair{HelperAnswer::Kind::refused, std::string_view("refused")},
    std::pair{HelperAnswer::Kind::failed, std::string_view("failed")},
};

} // namespace

std::string encodedRequest(const HelperRequest& request) {
    for (const auto& [known, line] : kRequests) {
        if (known == request) {
            return std::string(line);
        }
    }
    return {};
}

std::optional<HelperRequest> decodedRequest(std::string_view line) {
    for (const auto& [request, known] : kRequests) {
        if (line == known) {
            return request;
        }
    }
    return std::nullopt;
}

std::string encodedAnswer(const HelperAnswer& answer) {
    for (const auto& [kind, word] : kAnswerWords) {
        if (kind == answer.kind) {
            std::string line(word);
            if (kind != HelperAnswer::Kind::done) {
                line += ' ';
                line += escapedForLog(answer.why, kMaxHelperAnswerBytes / 2);
            }
            return line;
        }
    }
    return {};
}

std::optional<HelperAnswer> decodedAnswer(std::string_view line) {
    const std::string_view word = line.substr(0, line.find(' '));
    for (const auto& [kind, known] : kAnswerWords) {
        if (word == known) {
            return HelperAnswer{kind,
                                std::string(line.substr(std::min(line.size(), word.size() + 1)))};
        }
    }
    return std::nullopt;
}

std::string escapedForLog(std::string_view text, size_t limit) {
    std::string escaped;
    for (const char c : text.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            escaped += c;
        } else {
            std::array<char, 5> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02x", byte);
            escaped += hex.data();
        }
    }
    if (text.size() > limit) {
        escaped += "...";
    }
    return escaped;
}

} // namespace vantro::installer
