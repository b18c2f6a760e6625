#pragma once

// Size and alignment of a value from its type encoding, as the platform's
// NSGetSizeAndAlignment computes them: primitives, pointers, arrays "[4d]"
// and structs "{Name=dd}" with natural alignment.

#include <cstddef>
#include <optional>
#include <string_view>

namespace vantro::runtime {

struct SizeAndAlignment {
    std::size_t size = 0;
    std::size_t alignment = 1;
};

// Null for an encoding that does not describe one complete value, or a struct
// whose members are not spelled out.
std::optional<SizeAndAlignment> sizeAndAlignmentOfEncoding(std::string_view types);

} // namespace vantro::runtime
