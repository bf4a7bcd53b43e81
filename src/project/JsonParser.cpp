#include "project/JsonParser.h"

#include "project/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Exponents beyond this already overflow or underflow every double.
constexpr int64_t exponentCap = 100000;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue parseValue(int depth) {
        skipWhitespace();
        if (atEnd()) {
            report("ERROR: Parse: Unknown starting character '", {});
            return {};
        }
        switch (text_[pos_]) {
        case '"':
            return parseString();
        case '-':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
            return parseNumber();
        case '[':
            if (depth >= maxJsonDepth)
                return refuseNesting();
            return parseArray(depth + 1);
        case '{':
            if (depth >= maxJsonDepth)
                return refuseNesting();
            return parseObject(depth + 1);
        case 't':
        case 'f':
            return parseBoolean();
        case 'n':
            return parseNull();
        default:
            report("ERROR: Parse: Unknown starting character '", currentByte());
            return {};
        }
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    // The byte at the read position, or '\0' at the end of the text.
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    // The byte at the read position as shown in messages: nothing at the end.
    std::string_view currentByte() const { return text_.substr(std::min(pos_, text_.size()), 1); }

    void skipWhitespace() {
        while (!atEnd() && isSpace(text_[pos_]))
            ++pos_;
    }

    int errorCount() const { return errors_; }

private:
    void report(std::string_view prefix, std::string_view found) {
        ++errors_;
        std::string message;
        message.reserve(prefix.size() + found.size() + 2);
        message.append(prefix).append(found).append("'\n");
        std::fwrite(message.data(), 1, message.size(), stderr);
    }

    JsonValue refuseNesting() {
        static const std::string prefix =
            "ERROR: Parse: Nesting deeper than " + std::to_string(maxJsonDepth) + " levels, found '";
        report(prefix, currentByte());
        return {};
    }

    JsonValue parseObject(int depth) {
        ++pos_;
        skipWhitespace();
        JsonValue object;
        object.setKind(JsonKind::Object);
        if (peek() == '}') {
            ++pos_;
            return object;
        }
        while (true) {
            const JsonValue key = parseValue(depth);
            skipWhitespace();
            if (peek() != ':') {
                report("Error: Object: Expected colon, found '", currentByte());
                return object;
            }
            ++pos_;
            skipWhitespace();
            object.member(key.asString()) = parseValue(depth);
            skipWhitespace();
            const char next = peek();
            if (next == ',') {
                ++pos_;
            } else if (next == '}') {
                ++pos_;
                return object;
            } else {
                report("ERROR: Object: Expected comma, found '", currentByte());
                return object;
            }
        }
    }

    JsonValue parseArray(int depth) {
        ++pos_;
        skipWhitespace();
        JsonValue array = JsonValue::makeArray();
        if (peek() == ']') {
            ++pos_;
            return array;
        }
        while (true) {
            array.append(parseValue(depth));
            skipWhitespace();
            const char next = peek();
            if (next == ',') {
                ++pos_;
            } else if (next == ']') {
                ++pos_;
                return array;
            } else {
                report("ERROR: Array: Expected ',' or ']', found '", currentByte());
                return JsonValue::makeArray();
            }
        }
    }

    JsonValue parseString() {
        ++pos_;
        std::string bytes;
        // Plain runs are copied whole between the escapes; the closing quote
        // found by one search serves every run before it.
        size_t quote = 0;
        while (true) {
            if (quote < pos_)
                quote = find('"');
            if (quote == std::string_view::npos) {
                pos_ = text_.size();
                report("ERROR: String: Expected closing quote, found '", {});
                return std::string();
            }
            const void* backslash = std::memchr(text_.data() + pos_, '\\', quote - pos_);
            if (!backslash) {
                bytes.append(text_.data() + pos_, quote - pos_);
                pos_ = quote + 1;
                return bytes;
            }
            const size_t escape = static_cast<size_t>(static_cast<const char*>(backslash) - text_.data());
            bytes.append(text_.data() + pos_, escape - pos_);
            pos_ = escape + 1;
            if (!appendEscape(bytes))
                return std::string();
        }
    }

    size_t find(char c) const {
        const void* found = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
        return found ? static_cast<size_t>(static_cast<const char*>(found) - text_.data()) : std::string_view::npos;
    }

    // Reads the escape after a backslash; false after reporting a bad \u escape.
    bool appendEscape(std::string& bytes) {
        const char escaped = text_[pos_++];
        switch (escaped) {
        case '"':
        case '\\':
        case '/':
            bytes += escaped;
            return true;
        case 'b':
            bytes += '\b';
            return true;
        case 'f':
            bytes += '\f';
            return true;
        case 'n':
            bytes += '\n';
            return true;
        case 'r':
            bytes += '\r';
            return true;
        case 't':
            bytes += '\t';
            return true;
        case 'u':
            // Kept as the six characters written: no conversion to UTF-8.
            for (int i = 0; i < 4; ++i) {
                if (!isHexDigit(peek())) {
                    report("ERROR: String: Expected hex character in unicode escape, found '", currentByte());
                    return false;
                }
                ++pos_;
            }
            bytes.append(text_.substr(pos_ - 6, 6));
            return true;
        default:
            bytes += '\\';
            return true;
        }
    }

    static bool endsNumber(char c, bool atEnd) { return atEnd || isSpace(c) || c == ',' || c == ']' || c == '}'; }

    JsonValue parseNumber() {
        const size_t start = pos_;
        bool floating = false;
        while (!atEnd() && (isDigit(text_[pos_]) || text_[pos_] == '-' || text_[pos_] == '.')) {
            floating = floating || text_[pos_] == '.';
            ++pos_;
        }
        const std::string_view digits = text_.substr(start, pos_ - start);

        bool hasExponent = false;
        int64_t exponent = 0;
        if (peek() == 'e' || peek() == 'E') {
            hasExponent = true;
            ++pos_;
            const bool negative = peek() == '-';
            if (negative)
                ++pos_;
            const size_t exponentStart = pos_;
            while (!atEnd() && isDigit(text_[pos_])) {
                exponent = std::min(exponent * 10 + (text_[pos_] - '0'), exponentCap);
                ++pos_;
            }
            if (pos_ == exponentStart || !endsNumber(peek(), atEnd())) {
                report("ERROR: Number: Expected a number for exponent, found '", currentByte());
                return {};
            }
            if (negative)
                exponent = -exponent;
        } else if (!endsNumber(peek(), atEnd())) {
            report("ERROR: Number: unexpected character '", currentByte());
            return {};
        }

        double value;
        if (floating) {
            if (!readDouble(digits, value))
                return refuseNumber(digits);
        } else {
            int32_t integral;
            if (!readInt32(digits, integral))
                return refuseNumber(digits);
            if (!hasExponent)
                return integral;
            value = integral;
        }
        if (exponent != 0 && value != 0.0)
            value *= std::pow(10.0, static_cast<double>(exponent));
        return value;
    }

    JsonValue refuseNumber(std::string_view digits) {
        report("ERROR: Number: Expected a number, found '", digits);
        return {};
    }

    // Like strtod in the C locale, but the whole text must be the number.
    // Beyond the range of doubles it gives infinity, below it zero.
    static bool readDouble(std::string_view text, double& value) {
        const auto result = parseDouble(text.data(), text.data() + text.size(), value);
        return result.ec == std::errc() && result.ptr == text.data() + text.size();
    }

    // Like a 32-bit strtol in base 10, but the whole text must be the number:
    // values beyond the range saturate at its ends.
    static bool readInt32(std::string_view text, int32_t& value) {
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ptr != text.data() + text.size())
            return false;
        if (result.ec == std::errc::result_out_of_range)
            value = text.front() == '-' ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
        else if (result.ec != std::errc())
            return false;
        return true;
    }

    JsonValue parseBoolean() {
        if (text_.substr(pos_, 4) == "true") {
            pos_ += 4;
            return true;
        }
        if (text_.substr(pos_, 5) == "false") {
            pos_ += 5;
            return false;
        }
        report("ERROR: Bool: Expected 'true' or 'false', found '", text_.substr(pos_, 5));
        return {};
    }

    JsonValue parseNull() {
        if (text_.substr(pos_, 4) == "null") {
            pos_ += 4;
            return {};
        }
        report("ERROR: Null: Expected 'null', found '", text_.substr(pos_, 4));
        return {};
    }

    std::string_view text_;
    size_t pos_ = 0;
    int errors_ = 0;
};

} // namespace

JsonValue parseJson(std::string_view text, int* syntaxErrors) {
    Parser parser(text);
    JsonValue value = parser.parseValue(0);
    if (syntaxErrors)
        *syntaxErrors = parser.errorCount();
    return value;
}
