#include "project/Lz77Codec.h"

#include "project/CodecError.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// ---- Compression ----

constexpr size_t bucketCount = 4096;
constexpr size_t slotsPerBucket = 12;
constexpr size_t hashedBytes = 5;
constexpr size_t minMatchLength = 5;

// A candidate: its position + 1 (0 = empty) and the 8 bytes that start there,
// so most candidates are measured without reading the input at a far position.
struct Slot {
    uint64_t position = 0;
    uint64_t head = 0;
};

// The candidates for one hash in a ring, `next` being the slot written next.
struct Bucket {
    uint64_t next = 0;
    std::array<Slot, slotsPerBucket> slots{};
};

uint32_t fnv1a(const uint8_t* bytes) {
    uint32_t hash = 0x811C9DC5u;
    for (size_t i = 0; i < hashedBytes; ++i) {
        hash ^= bytes[i];
        hash *= 16777619u;
    }
    return hash;
}

// The encoder's size estimate of a varint: it counts at most four bytes.
size_t estimatedVarintLength(uint64_t value) { return 1 + (value > 127) + (value > 16383) + (value > 2097151); }

void writeVarint(std::vector<uint8_t>& out, uint64_t value) {
    while (value > 127) {
        out.push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<uint8_t>(value));
}

void flushLiterals(std::vector<uint8_t>& out, const uint8_t* input, size_t start, size_t end) {
    if (start == end)
        return;
    writeVarint(out, (end - start) * 2 + 1);
    out.insert(out.end(), input + start, input + end);
}

void prefetchBucket(const Bucket& bucket) {
    const char* const start = reinterpret_cast<const char*>(&bucket);
    for (size_t offset = 0; offset < sizeof(Bucket); offset += 64)
        __builtin_prefetch(start + offset);
}

uint64_t loadWord(const uint8_t* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
}

size_t commonPrefix(const uint8_t* a, const uint8_t* b, size_t limit) {
    size_t length = 0;
#if defined(__SSE2__)
    // Long matches are common in repetitive text: sixteen bytes a step.
    while (length + 16 <= limit) {
        const __m128i blockA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + length));
        const __m128i blockB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + length));
        const auto differing = static_cast<uint32_t>(~_mm_movemask_epi8(_mm_cmpeq_epi8(blockA, blockB)) & 0xFFFF);
        if (differing)
            return length + static_cast<size_t>(std::countr_zero(differing));
        length += 16;
    }
#endif
    while (length + 8 <= limit) {
        const uint64_t wordA = loadWord(a + length);
        const uint64_t wordB = loadWord(b + length);
        if (wordA != wordB) {
            // The first differing byte is the lowest one of the loaded words.
            if constexpr (std::endian::native == std::endian::little)
                return length + static_cast<size_t>(std::countr_zero(wordA ^ wordB) / 8);
            break;
        }
        length += 8;
    }
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
}

// ---- Decompression ----

class StreamReader {
public:
    explicit StreamReader(std::span<const uint8_t> stream) : stream_(stream) {}

    bool atEnd() const { return pos_ >= stream_.size(); }
    size_t remaining() const { return stream_.size() - pos_; }
    const uint8_t* current() const { return stream_.data() + pos_; }
    void skip(size_t count) { pos_ += count; }

    // Empty when the stream ends inside the varint; throws when the varint
    // does not fit in 64 bits.
    std::optional<uint64_t> readVarint() {
        // Most varints are one byte.
        if (pos_ < stream_.size() && stream_[pos_] < 0x80)
            return stream_[pos_++];
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (atEnd())
                return std::nullopt;
            const uint8_t byte = stream_[pos_++];
            const uint64_t group = byte & 0x7F;
            if (shift == 63 && group > 1)
                throw CodecError(CodecErrorKind::MalformedCompressedData);
            value |= group << shift;
            if (!(byte & 0x80))
                return value;
        }
        throw CodecError(CodecErrorKind::MalformedCompressedData);
    }

private:
    std::span<const uint8_t> stream_;
    size_t pos_ = 0;
};

// Short copies move whole blocks of this size where the output has room for
// the overshoot, which later tokens overwrite.
constexpr size_t copyBlock = 16;

// Copies `length` bytes from `offset` behind `out`, as a byte-by-byte forward
// copy would: an overlapping source repeats its first `offset` bytes. `end` is
// the end of the output.
void copyMatch(char* out, const char* end, size_t offset, size_t length) {
    const char* source = out - offset;
    char* const matchEnd = out + length;
    if (offset >= copyBlock && static_cast<size_t>(end - matchEnd) >= copyBlock) {
        do {
            std::memcpy(out, source, copyBlock);
            out += copyBlock;
            source += copyBlock;
        } while (out < matchEnd);
        return;
    }
    if (offset == 1) {
        std::memset(out, *source, length);
        return;
    }
    // Each copy doubles the stretch that repeats the pattern, so the source of
    // the next copy never overlaps its destination.
    while (out < matchEnd) {
        const size_t chunk = std::min(static_cast<size_t>(matchEnd - out), static_cast<size_t>(out - source));
        std::memcpy(out, source, chunk);
        out += chunk;
    }
}

} // namespace

std::vector<uint8_t> lz77Compress(std::string_view text) {
    const auto* input = reinterpret_cast<const uint8_t*>(text.data());
    const size_t length = text.size();
    std::vector<uint8_t> out;
    out.reserve(length / 2 + 16);
    writeVarint(out, length);

    std::vector<Bucket> buckets(bucketCount);
    size_t literalStart = 0;
    size_t p = 0;
    uint32_t nextHash = 0;
    size_t hashedAt = SIZE_MAX; // the position `nextHash` belongs to

    while (p < length) {
        if (p + hashedBytes > length) {
            ++p;
            continue;
        }
        Bucket& bucket = buckets[(hashedAt == p ? nextHash : fnv1a(input + p)) % bucketCount];
        // Most steps move on by one byte: fetch that position's bucket meanwhile.
        if (p + 1 + hashedBytes <= length) {
            nextHash = fnv1a(input + p + 1);
            hashedAt = p + 1;
            prefetchBucket(buckets[nextHash % bucketCount]);
        }
        // The first 8 bytes of a match come from the heads kept in the slots:
        // exact wherever 8 bytes are left to compare.
        const bool wordsLeft = std::endian::native == std::endian::little && p + 8 <= length;
        const uint64_t head = wordsLeft ? loadWord(input + p) : 0;
        size_t bestGain = 0;
        size_t bestLength = 0;
        size_t bestDistance = 0;
        size_t index = bucket.next;
        for (size_t i = 1; i <= slotsPerBucket; ++i) {
            index = index == 0 ? slotsPerBucket - 1 : index - 1;
            const Slot& slot = bucket.slots[index];
            if (slot.position == 0)
                break;
            const size_t candidate = static_cast<size_t>(slot.position - 1);
            size_t matchLength = 0;
            if (!wordsLeft) {
                matchLength = commonPrefix(input + candidate, input + p, length - p);
            } else if (const uint64_t differing = slot.head ^ head) {
                matchLength = static_cast<size_t>(std::countr_zero(differing) / 8);
            } else {
                matchLength = 8 + commonPrefix(input + candidate + 8, input + p + 8, length - p - 8);
            }
            // Every match costs at least one byte, so these gain nothing.
            if (matchLength <= 1)
                continue;
            const size_t distance = p - candidate;
            size_t cost = estimatedVarintLength(distance * 16);
            if (matchLength >= 8)
                cost += estimatedVarintLength(matchLength - 4);
            const size_t gain = cost <= matchLength ? matchLength - cost : 0;
            if (gain > bestGain) {
                bestGain = gain;
                bestLength = matchLength;
                bestDistance = distance;
            }
        }
        bucket.slots[bucket.next] = {p + 1, head};
        bucket.next = (bucket.next + 1) % slotsPerBucket;

        if (bestLength >= minMatchLength) {
            flushLiterals(out, input, literalStart, p);
            const size_t extra = bestLength - 4;
            if (extra > 7) {
                writeVarint(out, bestDistance * 16);
                writeVarint(out, extra);
            } else {
                writeVarint(out, (bestDistance * 8 + extra) * 2);
            }
            p += bestLength;
            literalStart = p;
        } else {
            ++p;
        }
    }
    flushLiterals(out, input, literalStart, length);
    return out;
}

uint64_t lz77DeclaredLength(std::span<const uint8_t> stream) {
    StreamReader in(stream);
    if (in.atEnd())
        return 0;
    const std::optional<uint64_t> declaredLength = in.readVarint();
    if (!declaredLength)
        throw CodecError(CodecErrorKind::MalformedCompressedData);
    return *declaredLength;
}

std::string lz77Decompress(std::span<const uint8_t> stream) {
    StreamReader in(stream);
    if (in.atEnd())
        return {};
    const std::optional<uint64_t> declaredLength = in.readVarint();
    if (!declaredLength || *declaredLength > maxLz77DecodedLength)
        throw CodecError(CodecErrorKind::MalformedCompressedData);

    std::string out(static_cast<size_t>(*declaredLength), '\0');
    char* const end = out.data() + out.size();
    size_t produced = 0;
    while (produced < out.size()) {
        const std::optional<uint64_t> token = in.readVarint();
        if (!token)
            break;
        const size_t room = out.size() - produced;
        const uint64_t n = *token >> 1;
        if (*token & 1) {
            if (n > room)
                throw CodecError(CodecErrorKind::MalformedCompressedData);
            if (n <= copyBlock && room >= copyBlock && in.remaining() >= copyBlock) {
                std::memcpy(out.data() + produced, in.current(), copyBlock);
                in.skip(static_cast<size_t>(n));
                produced += static_cast<size_t>(n);
                continue;
            }
            // A run cut short by the end of the stream keeps what is there.
            const size_t available = std::min(static_cast<size_t>(n), in.remaining());
            std::memcpy(out.data() + produced, in.current(), available);
            in.skip(available);
            produced += available;
            if (available < n)
                break;
            continue;
        }
        const uint64_t offset = n >> 3;
        uint64_t matchLength = (n & 7) + 4;
        if ((n & 7) == 0) {
            const std::optional<uint64_t> extra = in.readVarint();
            if (!extra)
                break;
            if (*extra > room || room - *extra < 4)
                throw CodecError(CodecErrorKind::MalformedCompressedData);
            matchLength = *extra + 4;
        }
        if (offset > produced || matchLength > room)
            throw CodecError(CodecErrorKind::MalformedCompressedData);
        char* const target = out.data() + produced;
        // Offset 0 copies each output byte onto itself, which is still zero.
        if (offset == 0)
            std::memset(target, 0, static_cast<size_t>(matchLength));
        else
            copyMatch(target, end, static_cast<size_t>(offset), static_cast<size_t>(matchLength));
        produced += static_cast<size_t>(matchLength);
    }
    // Block copies may have written past the last token.
    std::memset(out.data() + produced, 0, out.size() - produced);
    return out;
}
