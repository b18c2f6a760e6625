#include "settings/plist_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vantro::settings {

namespace {

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendReal(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    std::string_view text(buffer);
    // The shortest form that reads back exactly.
    for (int precision = 1; precision < 17; ++precision) {
        char shorter[32];
        std::snprintf(shorter, sizeof shorter, "%.*g", precision, value);
        double back = 0;
        std::from_chars(shorter, shorter + std::char_traits<char>::length(shorter), back);
        if (back == value) {
            std::snprintf(buffer, sizeof buffer, "%s", shorter);
            text = buffer;
            break;
        }
    }
    out += text;
    if (text.find_first_of(".e") == std::string_view::npos) {
        out += ".0";
    }
}

void append(std::string& out, const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::number:
        switch (value.numberKind()) {
        case NumberKind::boolean:
            out += value.boolValue() ? "true" : "false";
            return;
        case NumberKind::integer:
            out += std::to_string(value.integerValue());
            return;
        case NumberKind::real:
            appendReal(out, value.doubleValue());
            return;
        }
        return;
    case PlistValue::Type::string:
        appendQuoted(out, *value.asString());
        return;
    case PlistValue::Type::array: {
        out += '[';
        bool first = true;
        for (const PlistValue& item : *value.asArray()) {
            out += first ? "" : ", ";
            first = false;
            append(out, item);
        }
        out += ']';
        return;
    }
    case PlistValue::Type::dictionary: {
        out += '{';
        bool first = true;
        for (const auto& [key, item] : *value.asDictionary()) {
            out += first ? "" : ", ";
            first = false;
            appendQuoted(out, key);
            out += ": ";
            append(out, item);
        }
        out += '}';
        return;
    }
    }
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    TextParseResult parse() {
        auto value = parseValue(0);
        skipBlanks();
        if (value && position_ != text_.size()) {
            fail("unexpected text after the value");
            value.reset();
        }
        if (!value) {
            return {std::nullopt, error_};
        }
        return {std::move(value), ""};
    }

  private:
    static constexpr int kMaxDepth = 64;

    void fail(const char* what) {
        if (error_.empty()) {
            error_ = std::string(what) + " at offset " + std::to_string(position_);
        }
    }
    void skipBlanks() {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t' ||
                                            text_[position_] == '\n' || text_[position_] == '\r')) {
            ++position_;
        }
    }
    bool consume(std::string_view word) {
        if (text_.substr(position_, word.size()) == word) {
            position_ += word.size();
            return true;
        }
        return false;
    }

    std::optional<PlistValue> parseValue(int depth) {
        if (depth > kMaxDepth) {
            fail("nested too deeply");
            return std::nullopt;
        }
        skipBlanks();
        if (position_ >= text_.size()) {
            fail("missing value");
            return std::nullopt;
        }
        const char c = text_[position_];
        if (c == '"') {
            auto text = parseString();
            return text ? std::optional(PlistValue::string(std::move(*text))) : std::nullopt;
        }
        if (c == '[') {
            return parseArray(depth);
        }
        if (c == '{') {
            return parseDictionary(depth);
        }
        if (consume("true")) {
            return PlistValue::boolean(true);
        }
        if (consume("false")) {
            return PlistValue::boolean(false);
        }
        if (consume("nan")) {
            return PlistValue::real(std::nan(""));
        }
        if (consume("inf")) {
            return PlistValue::real(std::numeric_limits<double>::infinity());
        }
        if (consume("-inf")) {
            return PlistValue::real(-std::numeric_limits<double>::infinity());
        }
        return parseNumber();
    }

    std::optional<PlistValue> parseNumber() {
        const std::size_t start = position_;
        if (position_ < text_.size() && (text_[position_] == '-' || text_[position_] == '+')) {
            ++position_;
        }
        bool real = false;
        bool digits = false;
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c >= '0' && c <= '9') {
                digits = true;
            } else if (c == '.' || c == 'e' || c == 'E' ||
                       ((c == '-' || c == '+') &&
                        (text_[position_ - 1] == 'e' || text_[position_ - 1] == 'E'))) {
                real = true;
            } else {
                break;
            }
            ++position_;
        }
        std::string_view token = text_.substr(start, position_ - start);
        if (!token.empty() && token.front() == '+') {
            token.remove_prefix(1);
        }
        if (!digits) {
            position_ = start;
            fail("expected a value");
            return std::nullopt;
        }
        const char* end = token.data() + token.size();
        if (real) {
            double value = 0;
            const auto result = std::from_chars(token.data(), end, value);
            if (result.ec != std::errc() || result.ptr != end) {
                position_ = start;
                fail("malformed number");
                return std::nullopt;
            }
            return PlistValue::real(value);
        }
        std::int64_t value = 0;
        const auto result = std::from_chars(token.data(), end, value);
        if (result.ec != std::errc() || result.ptr != end) {
            position_ = start;
            fail(result.ec == std::errc::result_out_of_range ? "integer out of range"
                                                             : "malformed number");
            return std::nullopt;
        }
        return PlistValue::integer(value);
    }

    std::optional<std::string> parseString() {
        ++position_; // opening quote
        std::string out;
        while (position_ < text_.size()) {
            const char c = text_[position_++];
            if (c == '"') {
                return out;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (position_ >= text_.size()) {
                break;
            }
            const char escaped = text_[position_++];
            switch (escaped) {
            case '"':
            case '\\':
            case '/':
                out += escaped;
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'u': {
                unsigned code = 0;
                const auto hex = text_.substr(position_, 4);
                const auto result = std::from_chars(hex.data(), hex.data() + hex.size(), code, 16);
                if (hex.size() != 4 || result.ptr != hex.data() + 4) {
                    fail("malformed \\u escape");
                    return std::nullopt;
                }
                position_ += 4;
                appendUtf8(out, code);
                break;
            }
            default:
                fail("unknown escape");
                return std::nullopt;
            }
        }
        fail("unterminated string");
        return std::nullopt;
    }

    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::optional<PlistValue> parseArray(int depth) {
        ++position_;
        Array items;
        skipBlanks();
        if (consume("]")) {
            return PlistValue::array(std::move(items));
        }
        while (true) {
            auto item = parseValue(depth + 1);
            if (!item) {
                return std::nullopt;
            }
            items.push_back(std::move(*item));
            skipBlanks();
            if (consume("]")) {
                return PlistValue::array(std::move(items));
            }
            if (!consume(",")) {
                fail("expected ',' or ']'");
                return std::nullopt;
            }
        }
    }

    std::optional<PlistValue> parseDictionary(int depth) {
        ++position_;
        Dictionary entries;
        skipBlanks();
        if (consume("}")) {
            return PlistValue::dictionary(std::move(entries));
        }
        while (true) {
            skipBlanks();
            if (position_ >= text_.size() || text_[position_] != '"') {
                fail("expected a quoted key");
                return std::nullopt;
            }
            auto key = parseString();
            if (!key) {
                return std::nullopt;
            }
            skipBlanks();
            if (!consume(":")) {
                fail("expected ':'");
                return std::nullopt;
            }
            auto item = parseValue(depth + 1);
            if (!item) {
                return std::nullopt;
            }
            entries.insert_or_assign(std::move(*key), std::move(*item));
            skipBlanks();
            if (consume("}")) {
                return PlistValue::dictionary(std::move(entries));
            }
            if (!consume(",")) {
                fail("expected ',' or '}'");
                return std::nullopt;
            }
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::string error_;
};

} // namespace

std::string toText(const PlistValue& value) {
    std::string out;
    append(out, value);
    return out;
}

TextParseResult parseText(std::string_view text) {
    return Parser(text).parse();
}

} // namespace vantro::settings
