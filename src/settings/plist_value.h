#pragma once

// Property-list values: what a setting holds. Numbers remember whether they
// were written as a boolean, an integer or a real; strings are UTF-8; arrays
// and dictionaries nest. The conversions answer as the platform's Foundation
// classes do for numbers and strings, and give zero for arrays and
// dictionaries (where Foundation would raise), so that a setting of the wrong
// shape reads as "off" instead of crashing its reader.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantro::settings {

class PlistValue;
using Array = std::vector<PlistValue>;
// Ordered by key; lookups by string_view do not allocate.
using Dictionary = std::map<std::string, PlistValue, std::less<>>;

enum class NumberKind { boolean, integer, real };

class PlistValue {
  public:
    enum class Type { number, string, array, dictionary };

    PlistValue() : value_(Number{NumberKind::integer, 0, 0}) {}
    static PlistValue boolean(bool value);
    static PlistValue integer(std::int64_t value);
    static PlistValue real(double value);
    static PlistValue string(std::string value);
    static PlistValue array(Array value);
    static PlistValue dictionary(Dictionary value);

    [[nodiscard]] Type type() const { return static_cast<Type>(value_.index()); }
    [[nodiscard]] bool isNumber() const { return type() == Type::number; }
    [[nodiscard]] bool isString() const { return type() == Type::string; }
    [[nodiscard]] bool isArray() const { return type() == Type::array; }
    [[nodiscard]] bool isDictionary() const { return type() == Type::dictionary; }

    // Kind of a number; integer for anything else.
    [[nodiscard]] NumberKind numberKind() const;
    [[nodiscard]] const std::string* asString() const { return std::get_if<std::string>(&value_); }
    [[nodiscard]] std::string* asString() { return std::get_if<std::string>(&value_); }
    [[nodiscard]] const Array* asArray() const { return std::get_if<Array>(&value_); }
    [[nodiscard]] Array* asArray() { return std::get_if<Array>(&value_); }
    [[nodiscard]] const Dictionary* asDictionary() const {
        return std::get_if<Dictionary>(&value_);
    }
    [[nodiscard]] Dictionary* asDictionary() { return std::get_if<Dictionary>(&value_); }

    // 32-bit integer value: a number truncated toward zero (integers wrap to
    // 32 bits, reals saturate, NaN is 0, true is 1); a string's leading
    // decimal integer after blanks and a sign, saturating; 0 otherwise.
    [[nodiscard]] std::int32_t intValue() const;
    // The same in 64 bits (integers are not wrapped).
    [[nodiscard]] std::int64_t integerValue() const;
    // A number is true when non-zero (NaN is false); a string when, after
    // blanks, a sign and leading zeros, it starts with Y, y, T, t or 1-9.
    [[nodiscard]] bool boolValue() const;
    // A number's value; a string's leading decimal number; 0 otherwise.
    [[nodiscard]] double doubleValue() const;

    friend bool operator==(const PlistValue& a, const PlistValue& b);

  private:
    struct Number {
        NumberKind kind;
        std::int64_t integer; // boolean and integer kinds
        double real;          // real kind
        // NaN equals NaN here: a stored NaN reads back as the same value.
        friend bool operator==(const Number& a, const Number& b) {
            return a.kind == b.kind && a.integer == b.integer &&
                   (a.real == b.real || (a.real != a.real && b.real != b.real));
        }
    };
    explicit PlistValue(Number number) : value_(number) {}
    explicit PlistValue(std::string text) : value_(std::move(text)) {}
    explicit PlistValue(Array items) : value_(std::move(items)) {}
    explicit PlistValue(Dictionary entries) : value_(std::move(entries)) {}

    std::variant<Number, std::string, Array, Dictionary> value_;
};

} // namespace vantro::settings
