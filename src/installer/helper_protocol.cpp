#include "installer/helper_protocol.h"

#include <charconv>

namespace vantro::installer {

namespace {

std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return line;
}

template <typename Number> std::optional<Number> numberAt(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string encodedRequest(const ToolRun& run) {
    std::string encoded = run.tool;
    encoded += '\0';
    for (const std::string& argument : run.arguments) {
        encoded += argument;
        encoded += '\0';
    }
    encoded += '\0';
    return encoded;
}

std::optional<ToolRun> takeRequest(std::string& buffer) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t end = buffer.find('\0', start);
        if (end == std::string::npos) {
            return std::nullopt;
        }
        if (end == start) {
            buffer.erase(0, end + 1);
            break;
        }
        fields.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    ToolRun run;
    if (!fields.empty()) {
        run.tool = std::move(fields.front());
        run.arguments.assign(std::make_move_iterator(fields.begin() + 1),
                             std::make_move_iterator(fields.end()));
    }
    return run;
}

std::string encodedRefusal(std::string_view why) {
    return "refused " + oneLine(why) + "\n";
}

std::string encodedFailure(std::string_view why) {
    return "failed " + oneLine(why) + "\n";
}

std::string encodedExit(int status, std::string_view output) {
    return "exited " + std::to_string(status) + " " + std::to_string(output.size()) + "\n" +
           std::string(output);
}

std::optional<AnswerHeader> parsedAnswerHeader(std::string_view line) {
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view word = line.substr(0, space);
    const std::string_view rest = line.substr(space + 1);
    if (word == "refused" || word == "failed") {
        return AnswerHeader{.kind = word == "refused" ? AnswerHeader::Kind::refused
                                                      : AnswerHeader::Kind::failed,
                            .why = std::string(rest)};
    }
    if (word != "exited") {
        return std::nullopt;
    }
    const size_t second = rest.find(' ');
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto status = numberAt<int>(rest.substr(0, second));
    const auto length = numberAt<size_t>(rest.substr(second + 1));
    if (!status || !length) {
        return std::nullopt;
    }
    return AnswerHeader{
        .kind = AnswerHeader::Kind::exited, .status = *status, .outputLength = *length, .why = {}};
}

} // namespace vantro::installer
