#include "settings/plist_value.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vantro::settings {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Leading decimal integer of a string, saturating at the 64-bit limits.
std::int64_t leadingInteger(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        const int digit = c - '0';
        if (value > (kMax - digit) / 10) {
            return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

template <typename Int> Int saturatingFromReal(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr auto kMin = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr auto kMax = static_cast<double>(std::numeric_limits<Int>::max());
    if (value <= kMin) {
        return std::numeric_limits<Int>::min();
    }
    if (value >= kMax) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(value);
}

std::int32_t saturateTo32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

PlistValue PlistValue::boolean(bool value) {
    return PlistValue(Number{NumberKind::boolean, value ? 1 : 0, 0});
}
PlistValue PlistValue::integer(std::int64_t value) {
    return PlistValue(Number{NumberKind::integer, value, 0});
}
PlistValue PlistValue::real(double value) {
    return PlistValue(Number{NumberKind::real, 0, value});
}
PlistValue PlistValue::string(std::string value) {
    return PlistValue(std::move(value));
}
PlistValue PlistValue::array(Array value) {
    return PlistValue(std::move(value));
}
PlistValue PlistValue::dictionary(Dictionary value) {
    return PlistValue(std::move(value));
}

NumberKind PlistValue::numberKind() const {
    const auto* number = std::get_if<Number>(&value_);
    return number != nullptr ? number->kind : NumberKind::integer;
}

std::int32_t PlistValue::intValue() const {
    if (const auto* number = std::get_if<Number>(&value_)) {
        if (number->kind == NumberKind::real) {
            return saturatingFromReal<std::int32_t>(number->real);
        }
        // Integers keep their low 32 bits, as the platform's intValue does.
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(number->integer));
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return saturateTo32(leadingInteger(*text));
    }
    return 0;
}

std::int64_t PlistValue::integerValue() const {
    if (const auto* number = std::get_if<Number>(&value_)) {
        return number->kind == NumberKind::real ? saturatingFromReal<std::int64_t>(number->real)
                                                : number->integer;
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return leadingInteger(*text);
    }
    return 0;
}

bool PlistValue::boolValue() const {
    if (const auto* number = std::get_if<Number>(&value_)) {
        return number->kind == NumberKind::real ? (number->real != 0 && !std::isnan(number->real))
                                                : number->integer != 0;
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        std::string_view rest = skipBlanks(*text);
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            rest.remove_prefix(1);
        }
        while (!rest.empty() && rest.front() == '0') {
            rest.remove_prefix(1);
        }
        if (rest.empty()) {
            return false;
        }
        const char c = rest.front();
        return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
    }
    return false;
}

double PlistValue::doubleValue() const {
    if (const auto* number = std::get_if<Number>(&value_)) {
        return number->kind == NumberKind::real ? number->real
                                                : static_cast<double>(number->integer);
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        std::string_view rest = skipBlanks(*text);
        if (!rest.empty() && rest.front() == '+') {
            rest.remove_prefix(1);
        }
        double value = 0;
        // from_chars ignores the host's locale, unlike strtod.
        std::from_chars(rest.data(), rest.data() + rest.size(), value);
        return value;
    }
    return 0;
}

bool operator==(const PlistValue& a, const PlistValue& b) {
    return a.value_ == b.value_;
}

} // namespace vantro::settings
