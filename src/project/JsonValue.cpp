#include "project/JsonValue.h"

#include "project/NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// What reads of absent or mistyped values refer to. Function-local, so they
// exist before any use from another file's static initialisation.
const JsonValue& nullValue() {
    static const JsonValue value;
    return value;
}

void appendNumber(std::string& out, double number) {
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    appendFixed6(out, number);
}

void appendNumber(std::string& out, int32_t number) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, number);
    out.append(text, result.ptr);
}

// For each byte, the character written after a backslash in its place, or 0
// for a byte copied unchanged.
constexpr std::array<char, 256> makeEscapeTable() {
    std::array<char, 256> table{};
    table['"'] = '"';
    table['\\'] = '\\';
    table['\b'] = 'b';
    table['\f'] = 'f';
    table['\n'] = 'n';
    table['\r'] = 'r';
    table['\t'] = 't';
    return table;
}

constexpr std::array<char, 256> escapeTable = makeEscapeTable();

char escapeOf(char byte) { return escapeTable[static_cast<uint8_t>(byte)]; }

#if defined(__SSE2__)
// One bit per byte of the 16 at `bytes` that may need an escape: the quote, the
// backslash and every byte from backspace to carriage return. Vertical tab, the
// one among those copied unchanged, is sorted out by the table.
uint32_t escapeCandidates(const char* bytes) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i quote = _mm_cmpeq_epi8(block, _mm_set1_epi8('"'));
    const __m128i backslash = _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'));
    const __m128i atMostReturn = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8('\r')), block);
    const __m128i atLeastBackspace = _mm_cmpeq_epi8(_mm_max_epu8(block, _mm_set1_epi8('\b')), block);
    const __m128i control = _mm_and_si128(atMostReturn, atLeastBackspace);
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(quote, backslash), control)));
}
#endif

// The first byte from `from` on that needs an escape, or `end`. Text is mostly
// long stretches of plain bytes, checked sixteen at a time.
const char* nextEscaped(const char* from, const char* end) {
#if defined(__SSE2__)
    for (; end - from >= 16; from += 16) {
        for (uint32_t candidates = escapeCandidates(from); candidates != 0; candidates &= candidates - 1) {
            const char* const candidate = from + std::countr_zero(candidates);
            if (escapeOf(*candidate))
                return candidate;
        }
    }
#endif
    while (from < end && !escapeOf(*from))
        ++from;
    return from;
}

void appendEscaped(std::string& out, std::string_view bytes) {
    const char* runStart = bytes.data();
    const char* const end = runStart + bytes.size();
    for (const char* escaped = nextEscaped(runStart, end); escaped != end; escaped = nextEscaped(runStart, end)) {
        out.append(runStart, escaped);
        const char pair[] = {'\\', escapeOf(*escaped)};
        out.append(pair, sizeof pair);
        runStart = escaped + 1;
    }
    out.append(runStart, end);
}

} // namespace

JsonValue JsonValue::makeObject(std::initializer_list<std::pair<std::string_view, JsonValue>> entries) {
    JsonValue object;
    object.setKind(JsonKind::Object);
    for (const auto& [key, value] : entries)
        object.member(key) = value;
    return object;
}

JsonValue JsonValue::makeArray() {
    JsonValue array;
    array.setKind(JsonKind::Array);
    return array;
}

JsonValue::JsonValue(const JsonValue& other) {
    std::visit(
        [this](const auto& payload) {
            using Alternative = std::decay_t<decltype(payload)>;
            if constexpr (std::is_same_v<Alternative, std::unique_ptr<Object>>)
                payload_.emplace<Alternative>(std::make_unique<Object>(*payload));
            else
                payload_.emplace<Alternative>(payload);
        },
        other.payload_);
}

JsonValue::JsonValue(JsonValue&& other) noexcept : payload_(std::move(other.payload_)) {
    other.payload_.emplace<std::monostate>();
}

JsonValue& JsonValue::operator=(const JsonValue& other) {
    if (this != &other)
        *this = JsonValue(other);
    return *this;
}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept {
    if (this != &other) {
        // `other` may live inside this value's payload: detach it before replacing.
        Payload taken = std::move(other.payload_);
        other.payload_.emplace<std::monostate>();
        payload_ = std::move(taken);
    }
    return *this;
}

JsonValue::~JsonValue() = default;

void JsonValue::setKind(JsonKind kind) {
    if (kind == this->kind())
        return;
    switch (kind) {
    case JsonKind::Null:
        payload_.emplace<std::monostate>();
        break;
    case JsonKind::Object:
        payload_.emplace<std::unique_ptr<Object>>(std::make_unique<Object>());
        break;
    case JsonKind::Array:
        payload_.emplace<Array>();
        break;
    case JsonKind::String:
        payload_.emplace<std::string>();
        break;
    case JsonKind::Floating:
        payload_.emplace<double>(0.0);
        break;
    case JsonKind::Integral:
        payload_.emplace<int32_t>(0);
        break;
    case JsonKind::Boolean:
        payload_.emplace<bool>(false);
        break;
    }
}

JsonValue& JsonValue::member(std::string_view key) {
    setKind(JsonKind::Object);
    Object& object = *std::get<std::unique_ptr<Object>>(payload_);
    const auto found = object.find(key);
    if (found != object.end())
        return found->second;
    return object.emplace(std::string(key), JsonValue()).first->second;
}

JsonValue& JsonValue::element(size_t index) {
    setKind(JsonKind::Array);
    Array& array = std::get<Array>(payload_);
    if (index >= array.size())
        array.resize(index + 1);
    return array[index];
}

void JsonValue::append(JsonValue value) {
    setKind(JsonKind::Array);
    std::get<Array>(payload_).push_back(std::move(value));
}

bool JsonValue::contains(std::string_view key) const {
    const Object& object = entries();
    return object.find(key) != object.end();
}

int64_t JsonValue::count() const {
    if (kind() == JsonKind::Object)
        return static_cast<int64_t>(entries().size());
    if (kind() == JsonKind::Array)
        return static_cast<int64_t>(elements().size());
    return -1;
}

const JsonValue& JsonValue::get(std::string_view key) const {
    const Object& object = entries();
    const auto found = object.find(key);
    return found == object.end() ? nullValue() : found->second;
}

const JsonValue& JsonValue::at(size_t index) const {
    const Array& array = elements();
    return index < array.size() ? array[index] : nullValue();
}

const JsonValue::Object& JsonValue::entries() const {
    static const Object emptyObject;
    const auto* object = std::get_if<std::unique_ptr<Object>>(&payload_);
    return object ? **object : emptyObject;
}

const JsonValue::Array& JsonValue::elements() const {
    static const Array emptyArray;
    const auto* array = std::get_if<Array>(&payload_);
    return array ? *array : emptyArray;
}

const std::string& JsonValue::asString() const {
    static const std::string emptyString;
    const auto* text = std::get_if<std::string>(&payload_);
    return text ? *text : emptyString;
}

double JsonValue::asFloat() const {
    const auto* number = std::get_if<double>(&payload_);
    return number ? *number : 0.0;
}

int32_t JsonValue::asInt() const {
    const auto* number = std::get_if<int32_t>(&payload_);
    return number ? *number : 0;
}

bool JsonValue::asBool() const {
    const auto* value = std::get_if<bool>(&payload_);
    return value ? *value : false;
}

std::string JsonValue::serialize(int depth, std::string_view indentUnit) const {
    std::string out;
    serializeTo(out, depth, indentUnit);
    return out;
}

void JsonValue::serializeTo(std::string& out, int depth, std::string_view indentUnit) const {
    switch (kind()) {
    case JsonKind::Null:
        out += "null";
        return;
    case JsonKind::Boolean:
        out += asBool() ? "true" : "false";
        return;
    case JsonKind::Integral:
        appendNumber(out, asInt());
        return;
    case JsonKind::Floating:
        appendNumber(out, asFloat());
        return;
    case JsonKind::String:
        out += '"';
        appendEscaped(out, asString());
        out += '"';
        return;
    case JsonKind::Array: {
        out += '[';
        bool first = true;
        for (const JsonValue& element : elements()) {
            if (!first)
                out += ", ";
            first = false;
            element.serializeTo(out, depth + 1, indentUnit);
        }
        out += ']';
        return;
    }
    case JsonKind::Object: {
        std::string pad;
        for (int i = 0; i < depth; ++i)
            pad += indentUnit;
        out += "{\n";
        bool first = true;
        for (const auto& [key, value] : entries()) {
            if (!first)
                out += ",\n";
            first = false;
            out += pad;
            out += '"';
            // Keys are escaped like strings: a user-typed name holding a quote
            // would otherwise end the key early and corrupt the file.
            appendEscaped(out, key);
            out += "\" : ";
            value.serializeTo(out, depth + 1, indentUnit);
        }
        out += '\n';
        // The closing brace sits two characters left of the entries, whatever the unit.
        out.append(pad, std::min<size_t>(2, pad.size()));
        out += '}';
        return;
    }
    }
}

bool operator==(const JsonValue& a, const JsonValue& b) {
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case JsonKind::Null:
        return true;
    case JsonKind::Object:
        return a.entries() == b.entries();
    case JsonKind::Array:
        return a.elements() == b.elements();
    case JsonKind::String:
        return a.asString() == b.asString();
    case JsonKind::Floating:
        return a.asFloat() == b.asFloat();
    case JsonKind::Integral:
        return a.asInt() == b.asInt();
    case JsonKind::Boolean:
        return a.asBool() == b.asBool();
    }
    return false;
}

std::string escapeString(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    appendEscaped(out, bytes);
    return out;
}
