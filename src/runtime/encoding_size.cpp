#include "runtime/encoding_size.h"

#include <algorithm>
#include <cctype>

namespace vantro::runtime {

namespace {

std::size_t alignUp(std::size_t value, std::size_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// Parses one value at the front of `types` and advances past it.
std::optional<SizeAndAlignment> parseOne(std::string_view& types, int depth) {
    constexpr int kMaxDepth = 32;
    if (types.empty() || depth > kMaxDepth) {
        return std::nullopt;
    }
    const char code = types.front();
    types.remove_prefix(1);
    auto primitive = [](std::size_t size) { return SizeAndAlignment{size, size}; };
    switch (code) {
    case 'r': // read-only qualifier
        return parseOne(types, depth + 1);
    case 'c':
    case 'C':
    case 'B':
        return primitive(1);
    case 's':
    case 'S':
        return primitive(2);
    case 'i':
    case 'I':
    case 'f':
        return primitive(4);
    case 'q':
    case 'Q':
    case 'd':
    case '*':
    case '@':
    case '#':
    case ':':
        return primitive(8);
    case '^': {
        // The pointee must be a complete encoding too (or void, or unknown
        // '?'), but its size does not matter.
        if (!types.empty() && (types.front() == 'v' || types.front() == '?')) {
            types.remove_prefix(1);
        } else if (!parseOne(types, depth + 1)) {
            return std::nullopt;
        }
        return primitive(sizeof(void*));
    }
    case '[': {
        std::size_t count = 0;
        bool anyDigit = false;
        while (!types.empty() && std::isdigit(static_cast<unsigned char>(types.front()))) {
            count = count * 10 + static_cast<std::size_t>(types.front() - '0');
            if (count > (1U << 24)) {
                return std::nullopt;
            }
            anyDigit = true;
            types.remove_prefix(1);
        }
        auto element = parseOne(types, depth + 1);
        if (!anyDigit || !element || types.empty() || types.front() != ']') {
            return std::nullopt;
        }
        types.remove_prefix(1);
        return SizeAndAlignment{element->size * count, element->alignment};
    }
    case '{': {
        const std::size_t equals = types.find('=');
        const std::size_t close = types.find('}');
        if (equals == std::string_view::npos || close < equals) {
            return std::nullopt;
        }
        types.remove_prefix(equals + 1);
        SizeAndAlignment result{0, 1};
        while (!types.empty() && types.front() != '}') {
            auto member = parseOne(types, depth + 1);
            if (!member) {
                return std::nullopt;
            }
            result.size = alignUp(result.size, member->alignment) + member->size;
            result.alignment = std::max(result.alignment, member->alignment);
        }
        if (types.empty()) {
            return std::nullopt;
        }
        types.remove_prefix(1);
        result.size = alignUp(result.size, result.alignment);
        return result;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<SizeAndAlignment> sizeAndAlignmentOfEncoding(std::string_view types) {
    auto result = parseOne(types, 0);
    if (!result || !types.empty()) {
        return std::nullopt;
    }
    return result;
}

} // namespace vantro::runtime
