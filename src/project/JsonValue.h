// The JSON document model of project files: one value type for any JSON value.
//
// Objects keep one entry per key in byte-wise key order (unsigned bytes, then
// the shorter key first), so written documents never follow insertion order.
// Strings are byte strings: no character encoding is assumed or checked.
// Typed accessors never fail: a value of another kind reads as 0, 0.0, false
// or the empty string. The text forms are parseJson (JsonParser.h) and
// serialize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The numbers are part of the model: they are the kinds' order.
enum class JsonKind { Null, Object, Array, String, Floating, Integral, Boolean };

class JsonValue {
public:
    // std::string orders keys as unsigned bytes, which is the required key order.
    using Object = std::map<std::string, JsonValue, std::less<>>;
    using Array = std::vector<JsonValue>;

    JsonValue() = default;
    JsonValue(const char* text) : payload_(std::in_place_index<3>, text) {}
    JsonValue(std::string text) : payload_(std::in_place_index<3>, std::move(text)) {}
    JsonValue(std::string_view text) : payload_(std::in_place_index<3>, text) {}
    JsonValue(double number) : payload_(std::in_place_index<4>, number) {}
    JsonValue(float number) : payload_(std::in_place_index<4>, static_cast<double>(number)) {}
    JsonValue(int32_t number) : payload_(std::in_place_index<5>, number) {}
    JsonValue(bool value) : payload_(std::in_place_index<6>, value) {}

    // An Object of `entries`; a later duplicate key overwrites an earlier one.
    static JsonValue makeObject(std::initializer_list<std::pair<std::string_view, JsonValue>> entries);
    static JsonValue makeArray();

    // Copies are deep; a move leaves the source Null.
    JsonValue(const JsonValue& other);
    JsonValue(JsonValue&& other) noexcept;
    JsonValue& operator=(const JsonValue& other);
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue();

    JsonKind kind() const { return static_cast<JsonKind>(payload_.index()); }
    // Installs an empty payload of `kind` unless the value already has that kind.
    void setKind(JsonKind kind);

    // The entry for `key`, inserted as Null when absent; a value that is not an
    // Object first becomes an empty one. Reading a missing key adds it.
    JsonValue& member(std::string_view key);
    // The element at `index`, growing the array with Nulls up to it; a value that
    // is not an Array first becomes an empty one.
    JsonValue& element(size_t index);
    // Makes the value an Array if it is not one, then appends `value`.
    void append(JsonValue value);

    // True only for an Object that has `key`; never inserts.
    bool contains(std::string_view key) const;
    // Entries of an Object, elements of an Array, -1 for every other kind.
    int64_t count() const;

    // Read-only views that never change the document.
    const JsonValue& get(std::string_view key) const; // Null when absent or not an Object
    const JsonValue& at(size_t index) const;          // Null when out of range or not an Array
    const Object& entries() const;                    // empty unless an Object
    const Array& elements() const;                    // empty unless an Array

    const std::string& asString() const; // the raw bytes, unescaped; empty unless a String
    double asFloat() const;              // 0.0 unless Floating (an Integral too reads 0.0)
    int32_t asInt() const;               // 0 unless Integral (a Floating too reads 0)
    bool asBool() const;                 // false unless Boolean

    // The indented text of the value. Project files use depth 1 and an indent
    // unit of two spaces. Floating values are written with six decimals; the
    // non-finite ones, which no reader could take back as numbers, as null.
    std::string serialize(int depth, std::string_view indentUnit) const;

    friend bool operator==(const JsonValue& a, const JsonValue& b);

private:
    // Alternatives in JsonKind order, so the index is the kind.
    using Payload = std::variant<std::monostate, std::unique_ptr<Object>, Array, std::string, double, int32_t, bool>;

    void serializeTo(std::string& out, int depth, std::string_view indentUnit) const;

    Payload payload_;
};

// The form of `bytes` written between the quotes of a string or key: the quote,
// the backslash, backspace, form feed, newline, carriage return and tab are
// escaped; every other byte is copied unchanged.
std::string escapeString(std::string_view bytes);
