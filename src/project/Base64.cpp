#include "project/Base64.h"

#include "project/CodecError.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Decoding table: 0 to 63 for the digits, `padding` for '=' and '.', `invalid`
// for every other byte. Both marks lie outside the six data bits.
constexpr uint8_t padding = 0x40;
constexpr uint8_t invalid = 0x80;

constexpr std::array<uint8_t, 256> makeDecodingTable() {
    std::array<uint8_t, 256> table{};
    table.fill(invalid);
    for (uint8_t i = 0; i < 64; ++i)
        table[static_cast<uint8_t>(alphabet[i])] = i;
    table['-'] = 62;
    table['_'] = 63;
    table['='] = padding;
    table['.'] = padding;
    return table;
}

constexpr std::array<uint8_t, 256> decodingTable = makeDecodingTable();

// The decoding table with each digit already shifted to its place in a group of
// four: `place` 0 is the first character. Padding and invalid bytes set a bit
// above the group's 24, so one test of the four looked-up values finds either.
constexpr uint32_t notADigit = uint32_t{1} << 31;

constexpr std::array<uint32_t, 256> makePlacedTable(int place) {
    std::array<uint32_t, 256> table{};
    for (size_t byte = 0; byte < 256; ++byte) {
        const uint8_t value = decodingTable[byte];
        table[byte] = value & (padding | invalid) ? notADigit : uint32_t{value} << (6 * (3 - place));
    }
    return table;
}

constexpr std::array<std::array<uint32_t, 256>, 4> placedTables = {makePlacedTable(0), makePlacedTable(1),
                                                                   makePlacedTable(2), makePlacedTable(3)};

// The 24 bits of a group of four characters, with `notADigit` set unless all
// four are digits.
uint32_t groupBits(const uint8_t* in) {
    return placedTables[0][in[0]] | placedTables[1][in[1]] | placedTables[2][in[2]] | placedTables[3][in[3]];
}

[[noreturn]] void refuse() { throw CodecError(CodecErrorKind::InvalidBase64); }

// Decodes a group of two to four characters that holds padding or is the last,
// short group; returns the end of the bytes written.
uint8_t* decodeGroup(const uint8_t* values, size_t count, uint8_t* out) {
    if ((values[0] | values[1]) & (padding | invalid))
        refuse();
    *out++ = static_cast<uint8_t>(values[0] << 2 | values[1] >> 4);
    if (count < 3)
        return out;
    if (values[2] & invalid)
        refuse();
    if (values[2] & padding) {
        // Padding may only be followed by padding.
        if (count == 4 && !(values[3] & padding))
            refuse();
        return out;
    }
    *out++ = static_cast<uint8_t>((values[1] & 15) << 4 | values[2] >> 2);
    if (count < 4 || (values[3] & padding))
        return out;
    if (values[3] & invalid)
        refuse();
    *out++ = static_cast<uint8_t>((values[2] & 3) << 6 | values[3]);
    return out;
}

} // namespace

std::string base64Encode(std::span<const uint8_t> bytes) {
    std::string text((bytes.size() + 2) / 3 * 4, '=');
    char* out = text.data();
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group = uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 | bytes[i + 2];
        *out++ = alphabet[group >> 18];
        *out++ = alphabet[(group >> 12) & 63];
        *out++ = alphabet[(group >> 6) & 63];
        *out++ = alphabet[group & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        const uint32_t group = uint32_t{bytes[i]} << 16 | (rest == 2 ? uint32_t{bytes[i + 1]} << 8 : 0);
        out[0] = alphabet[group >> 18];
        out[1] = alphabet[(group >> 12) & 63];
        if (rest == 2)
            out[2] = alphabet[(group >> 6) & 63];
    }
    return text;
}

std::vector<uint8_t> base64Decode(std::string_view text) {
    const size_t rest = text.size() % 4;
    if (rest == 1)
        refuse();
    std::vector<uint8_t> bytes(text.size() / 4 * 3 + (rest == 0 ? 0 : rest - 1));
    const auto* in = reinterpret_cast<const uint8_t*>(text.data());
    const uint8_t* const fullGroupsEnd = in + (text.size() - rest);
    uint8_t* out = bytes.data();
    // Every group but the last has a byte of room after its three: each is
    // written as four, the fourth overwritten by the next group.
    const uint8_t* const wideGroupsEnd = fullGroupsEnd - (rest == 0 && fullGroupsEnd != in ? 4 : 0);
    for (; in < fullGroupsEnd; in += 4) {
        const uint32_t group = groupBits(in);
        if (group & notADigit) {
            const uint8_t values[4] = {decodingTable[in[0]], decodingTable[in[1]], decodingTable[in[2]],
                                       decodingTable[in[3]]};
            out = decodeGroup(values, 4, out);
            continue;
        }
        if (in < wideGroupsEnd) {
            const uint32_t bigEndian =
                std::endian::native == std::endian::little ? __builtin_bswap32(group << 8) : group << 8;
            std::memcpy(out, &bigEndian, 4);
        } else {
            out[0] = static_cast<uint8_t>(group >> 16);
            out[1] = static_cast<uint8_t>(group >> 8);
            out[2] = static_cast<uint8_t>(group);
        }
        out += 3;
    }
    if (rest > 0) {
        uint8_t values[3];
        for (size_t i = 0; i < rest; ++i)
            values[i] = decodingTable[in[i]];
        out = decodeGroup(values, rest, out);
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
    return bytes;
}
