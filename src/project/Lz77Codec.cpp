#include "project/Lz77Codec.h"

#include "project/CodecError.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// ---- Compression ----

constexpr size_t bucketCount = 4096;
constexpr size_t slotsPerBucket = 12;
constexpr size_t hashedBytes = 5;
constexpr size_t minMatchLength = 5;

// The candidates for one hash in a ring, `next` being the slot written next and
// `filled` the number written so far, at most all. Beside each position the
// bucket keeps the first two bytes there, so that one compare finds the few
// slots worth measuring without reading the input at far positions. Positions
// take no more bytes than the input needs, which keeps the buckets in cache.
template <typename Position> struct Bucket {
    uint32_t next = 0;
    uint32_t filled = 0;
    std::array<uint16_t, slotsPerBucket> prefixes{};
    std::array<Position, slotsPerBucket> positions{};
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

// The buckets of one compression, cleared as it ends. The table stays with the
// thread between calls and only the buckets a call filled are cleared: most
// strings are short, and clearing all of it would cost them more than their
// compression.
template <typename Position> class BucketTable {
public:
    BucketTable() : buckets_(threadTable()) {}
    ~BucketTable() {
        for (size_t i = 0; i < touchedCount_; ++i)
            buckets_[touched_[i]] = {};
    }
    BucketTable(const BucketTable&) = delete;
    BucketTable& operator=(const BucketTable&) = delete;

    Bucket<Position>& operator[](uint32_t hash) { return buckets_[hash % bucketCount]; }
    // Adds `position` to `bucket` as its newest candidate.
    void insert(Bucket<Position>& bucket, Position position, uint16_t prefix) {
        if (bucket.filled == 0)
            touched_[touchedCount_++] = static_cast<uint16_t>(&bucket - buckets_.data());
        bucket.positions[bucket.next] = position;
        bucket.prefixes[bucket.next] = prefix;
        bucket.next = (bucket.next + 1) % slotsPerBucket;
        bucket.filled = std::min<uint32_t>(bucket.filled + 1, slotsPerBucket);
    }

private:
    static std::array<Bucket<Position>, bucketCount>& threadTable() {
        thread_local const auto table = std::make_unique<std::array<Bucket<Position>, bucketCount>>();
        return *table;
    }

    std::array<Bucket<Position>, bucketCount>& buckets_;
    std::array<uint16_t, bucketCount> touched_;
    size_t touchedCount_ = 0;
};

template <typename Position> void prefetchBucket(const Bucket<Position>& bucket) {
    const char* const start = reinterpret_cast<const char*>(&bucket);
    for (size_t offset = 0; offset < sizeof bucket; offset += 64)
        __builtin_prefetch(start + offset);
}

uint64_t loadWord(const uint8_t* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
}

uint16_t loadPrefix(const uint8_t* bytes) {
    uint16_t prefix;
    std::memcpy(&prefix, bytes, 2);
    return prefix;
}

// The filled slots of `bucket` whose candidates start with `prefix`, one bit
// per slot. A match shorter than two bytes gains nothing, so no other slot can
// give the best match.
template <typename Position> uint32_t slotsStartingWith(const Bucket<Position>& bucket, uint16_t prefix) {
    uint32_t slots = 0;
#if defined(__SSE2__)
    static_assert(slotsPerBucket == 12, "two overlapping blocks of eight cover the prefixes");
    const __m128i target = _mm_set1_epi16(static_cast<int16_t>(prefix));
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bucket.prefixes.data()));
    const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bucket.prefixes.data() + 4));
    const auto equal = static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(first, target), _mm_cmpeq_epi16(last, target))));
    slots = (equal & 0xFF) | (equal >> 8) << 4;
#else
    for (size_t index = 0; index < slotsPerBucket; ++index)
        slots |= static_cast<uint32_t>(bucket.prefixes[index] == prefix) << index;
#endif
    return slots & ((uint32_t{1} << bucket.filled) - 1);
}

// What the encoder expects a match to save over literals: its length less the
// estimated size of its token, `distanceCost` being the estimate of the
// distance's varint.
size_t matchGain(size_t distanceCost, size_t length) {
    size_t cost = distanceCost;
    if (length >= 8)
        cost += estimatedVarintLength(length - 4);
    return cost <= length ? length - cost : 0;
}

// The shortest match at the distance whose varint `distanceCost` estimates that
// gains more than `gain`. The gain never falls as the length grows, so every
// shorter match is beaten or tied by the best one so far.
size_t lengthToBeat(size_t gain, size_t distanceCost) {
    const size_t lengthWithoutItsCost = gain + distanceCost + 1;
    if (lengthWithoutItsCost < 8)
        return lengthWithoutItsCost;
    // From 8 bytes on the length has a varint of its own: each of its bytes
    // takes one more byte of match.
    size_t lengthCost = 1;
    while (estimatedVarintLength(lengthWithoutItsCost + lengthCost - 4) > lengthCost)
        ++lengthCost;
    return lengthWithoutItsCost + lengthCost;
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

// The high bit of every byte in a word: clear only in the last byte of a varint.
constexpr uint64_t varintStopBits = 0x8080808080808080u;

// The value of a varint of at most eight bytes whose last byte has its high bit
// in `stop`, the lowest bit of `~word & varintStopBits`: the seven-bit groups
// are packed pairwise, then in fours, then in eights.
uint64_t packVarint(uint64_t word, uint64_t stop) {
    uint64_t value = word & (stop ^ (stop - 1)) & ~varintStopBits;
    value = (value & 0x007F007F007F007Fu) | (value & 0x7F007F007F007F00u) >> 1;
    value = (value & 0x00003FFF00003FFFu) | (value & 0x3FFF00003FFF0000u) >> 2;
    return (value & 0x000000000FFFFFFFu) | (value & 0x0FFFFFFF00000000u) >> 4;
}

// A varint read from a stream and the byte after it; `next` is null when the
// stream ends inside the varint.
struct Varint {
    const uint8_t* next;
    uint64_t value;
};

// Reads byte by byte; throws when the varint does not fit in 64 bits.
Varint readLongVarint(const uint8_t* in, const uint8_t* end) {
    uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (in == end)
            return {nullptr, 0};
        const uint8_t byte = *in++;
        const uint64_t group = byte & 0x7F;
        if (shift == 63 && group > 1)
            throw CodecError(CodecErrorKind::MalformedCompressedData);
        value |= group << shift;
        if (!(byte & 0x80))
            return {in, value};
    }
    throw CodecError(CodecErrorKind::MalformedCompressedData);
}

// Reads the varint at `in`; `following` becomes the varint after it where the
// same word holds that one whole, else its `next` is null. Inlined, so that the
// decoder's stream position stays in a register and a match's second varint
// costs no load that waits on the first.
[[gnu::always_inline]] inline Varint readVarint(const uint8_t* in, const uint8_t* end, Varint& following) {
    following.next = nullptr;
    // Nearly all varints fit in one word, whose stop bits give the lengths
    // without a branch per byte.
    if constexpr (std::endian::native == std::endian::little) {
        if (end - in >= 8) {
            const uint64_t word = loadWord(in);
            if (const uint64_t stops = ~word & varintStopBits) {
                const uint64_t stop = stops & (~stops + 1);
                const int length = std::countr_zero(stops) / 8 + 1;
                if (const uint64_t laterStops = stops ^ stop) {
                    const int shift = 8 * length;
                    following = {in + std::countr_zero(laterStops) / 8 + 1,
                                 packVarint(word >> shift, (laterStops & (~laterStops + 1)) >> shift)};
                }
                return {in + length, packVarint(word, stop)};
            }
        }
    }
    return readLongVarint(in, end);
}

[[gnu::always_inline]] inline Varint readVarint(const uint8_t* in, const uint8_t* end) {
    Varint unused;
    return readVarint(in, end, unused);
}

// Short copies move whole blocks of this size where the output has room for
// the overshoot, which later tokens overwrite.
constexpr size_t copyBlock = 16;

// Matches up to this length from at least `wideBlock` bytes back are copied as
// this many bytes, in four blocks, where the output has room.
constexpr size_t wideBlock = 2 * copyBlock;
constexpr size_t shortMatch = 4 * wideBlock;

// Literal runs up to this length are copied as one block of it where both the
// stream and the output have room.
constexpr size_t literalBlock = 32;

// Copies whole `Step`-byte blocks from `offset` >= `Step` bytes behind `out`
// until `length` bytes are written; up to `Step` - 1 bytes more are written.
template <size_t Step> void copyBlocks(char* out, size_t offset, size_t length) {
    const char* source = out - offset;
    char* const matchEnd = out + length;
    do {
        std::memcpy(out, source, Step);
        out += Step;
        source += Step;
    } while (out < matchEnd);
}

// Copies `shortMatch` bytes from `offset` >= `wideBlock` bytes behind `out`,
// block after block so that each reads what the ones before wrote. A fixed
// count spares most matches a mispredicted loop exit.
void copyShortMatch(char* out, size_t offset) {
    const char* const source = out - offset;
    std::memcpy(out, source, wideBlock);
    std::memcpy(out + wideBlock, source + wideBlock, wideBlock);
    std::memcpy(out + 2 * wideBlock, source + 2 * wideBlock, wideBlock);
    std::memcpy(out + 3 * wideBlock, source + 3 * wideBlock, wideBlock);
}

// Copies `length` bytes from `offset` behind `out`, as a byte-by-byte forward
// copy would: an overlapping source repeats its first `offset` bytes. `end` is
// the end of the output.
void copyMatch(char* out, const char* end, size_t offset, size_t length) {
    char* const matchEnd = out + length;
    if (static_cast<size_t>(end - matchEnd) >= copyBlock) {
        if (offset >= wideBlock && length <= shortMatch && static_cast<size_t>(end - out) >= shortMatch) {
            copyShortMatch(out, offset);
            return;
        }
        if (offset >= copyBlock) {
            copyBlocks<copyBlock>(out, offset, length);
            return;
        }
        if (offset >= 8) {
            copyBlocks<8>(out, offset, length);
            return;
        }
    }
    if (offset == 1) {
        std::memset(out, out[-1], length);
        return;
    }
    // Each copy doubles the stretch that repeats the pattern, so the source of
    // the next copy never overlaps its destination.
    const char* const source = out - offset;
    while (out < matchEnd) {
        const size_t chunk = std::min(static_cast<size_t>(matchEnd - out), static_cast<size_t>(out - source));
        std::memcpy(out, source, chunk);
        out += chunk;
    }
}

template <typename Position> std::vector<uint8_t> compress(const uint8_t* input, size_t length) {
    std::vector<uint8_t> out;
    out.reserve(length / 2 + 16);
    writeVarint(out, length);

    BucketTable<Position> buckets;
    size_t literalStart = 0;
    size_t p = 0;
    uint32_t nextHash = 0;
    size_t hashedAt = SIZE_MAX; // the position `nextHash` belongs to

    while (p < length) {
        if (p + hashedBytes > length) {
            ++p;
            continue;
        }
        Bucket<Position>& bucket = buckets[hashedAt == p ? nextHash : fnv1a(input + p)];
        // Without a match the step moves on by one byte: fetch that position's
        // bucket meanwhile.
        if (p + 1 + hashedBytes <= length) {
            nextHash = fnv1a(input + p + 1);
            hashedAt = p + 1;
            prefetchBucket(buckets[nextHash]);
        }
        size_t bestGain = 0;
        size_t bestLength = 0;
        size_t bestDistance = 0;
        // A candidate replaces the best one only with a greater gain, so it is
        // measured only where its byte at the length that would gain more
        // matches.
        const auto measure = [&](size_t index) {
            const auto candidate = static_cast<size_t>(bucket.positions[index]);
            const size_t distance = p - candidate;
            const size_t distanceCost = estimatedVarintLength(distance * 16);
            const size_t needed = lengthToBeat(bestGain, distanceCost);
            if (needed > length - p || input[candidate + needed - 1] != input[p + needed - 1])
                return;
            const size_t matchLength = commonPrefix(input + candidate, input + p, length - p);
            const size_t gain = matchGain(distanceCost, matchLength);
            if (gain > bestGain) {
                bestGain = gain;
                bestLength = matchLength;
                bestDistance = distance;
                // The step most likely goes on after this match: fetch the bucket there.
                const size_t after = p + matchLength;
                if (matchLength >= minMatchLength && after + hashedBytes <= length) {
                    nextHash = fnv1a(input + after);
                    hashedAt = after;
                    prefetchBucket(buckets[nextHash]);
                }
            }
        };
        // Newest first: down from the slot before `next`, then down from the last.
        const uint16_t prefix = loadPrefix(input + p);
        const uint32_t newer = (uint32_t{1} << bucket.next) - 1;
        const auto measureInOrder = [&](uint32_t slots) {
            for (uint32_t group : {slots & newer, slots & ~newer}) {
                while (group != 0) {
                    const auto index = static_cast<size_t>(31 - std::countl_zero(group));
                    group ^= uint32_t{1} << index;
                    measure(index);
                }
            }
        };
        uint32_t slots = slotsStartingWith(bucket, prefix);
        if (slots != 0) {
            // The newest candidate sets a gain to beat; the others are then
            // sifted all at once, without a branch each, by their byte at the
            // length that would beat it. The gain only grows, so none that
            // could still win is sifted out.
            const uint32_t newest = slots & newer ? slots & newer : slots;
            const uint32_t first = uint32_t{1} << (31 - std::countl_zero(newest));
            measureInOrder(first);
            slots ^= first;
            std::array<size_t, 5> neededByDistanceCost{};
            for (size_t distanceCost = 1; distanceCost < neededByDistanceCost.size(); ++distanceCost)
                neededByDistanceCost[distanceCost] = lengthToBeat(bestGain, distanceCost);
            uint32_t worthMeasuring = 0;
            for (uint32_t rest = slots; rest != 0; rest &= rest - 1) {
                const auto index = static_cast<size_t>(std::countr_zero(rest));
                const auto candidate = static_cast<size_t>(bucket.positions[index]);
                const size_t needed = neededByDistanceCost[estimatedVarintLength((p - candidate) * 16)];
                const bool fits = needed <= length - p;
                const size_t at = fits ? needed - 1 : 0;
                worthMeasuring |= static_cast<uint32_t>(fits && input[candidate + at] == input[p + at]) << index;
            }
            measureInOrder(worthMeasuring);
        }
        buckets.insert(bucket, static_cast<Position>(p), prefix);

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

} // namespace

std::vector<uint8_t> lz77Compress(std::string_view text) {
    const auto* input = reinterpret_cast<const uint8_t*>(text.data());
    if (text.size() <= UINT32_MAX)
        return compress<uint32_t>(input, text.size());
    return compress<uint64_t>(input, text.size());
}

uint64_t lz77DeclaredLength(std::span<const uint8_t> stream) {
    if (stream.empty())
        return 0;
    const Varint declaredLength = readVarint(stream.data(), stream.data() + stream.size());
    if (!declaredLength.next)
        throw CodecError(CodecErrorKind::MalformedCompressedData);
    return declaredLength.value;
}

std::string lz77Decompress(std::span<const uint8_t> stream) {
    if (stream.empty())
        return {};
    const uint8_t* const inEnd = stream.data() + stream.size();
    const Varint declaredLength = readVarint(stream.data(), inEnd);
    if (!declaredLength.next || declaredLength.value > maxLz77DecodedLength)
        throw CodecError(CodecErrorKind::MalformedCompressedData);

    std::string out(static_cast<size_t>(declaredLength.value), '\0');
    char* const begin = out.data();
    char* const end = begin + out.size();
    const uint8_t* in = declaredLength.next;
    char* produced = begin;
    while (produced < end) {
        Varint following;
        const Varint token = readVarint(in, inEnd, following);
        if (!token.next)
            break;
        in = token.next;
        const auto room = static_cast<size_t>(end - produced);
        const uint64_t n = token.value >> 1;
        if (token.value & 1) {
            if (n > room)
                throw CodecError(CodecErrorKind::MalformedCompressedData);
            const auto left = static_cast<size_t>(inEnd - in);
            if (n <= literalBlock && room >= literalBlock && left >= literalBlock) {
                std::memcpy(produced, in, literalBlock);
                in += n;
                produced += n;
                continue;
            }
            // A run cut short by the end of the stream keeps what is there.
            const size_t available = std::min(static_cast<size_t>(n), left);
            std::memcpy(produced, in, available);
            in += available;
            produced += available;
            if (available < n)
                break;
            continue;
        }
        const uint64_t offset = n >> 3;
        uint64_t matchLength = (n & 7) + 4;
        if ((n & 7) == 0) {
            const Varint extra = following.next ? following : readVarint(in, inEnd);
            if (!extra.next)
                break;
            in = extra.next;
            if (extra.value > room || room - extra.value < 4)
                throw CodecError(CodecErrorKind::MalformedCompressedData);
            matchLength = extra.value + 4;
        }
        if (offset > static_cast<size_t>(produced - begin) || matchLength > room)
            throw CodecError(CodecErrorKind::MalformedCompressedData);
        // Offset 0 copies each output byte onto itself, which is still zero.
        if (offset == 0)
            std::memset(produced, 0, static_cast<size_t>(matchLength));
        else
            copyMatch(produced, end, static_cast<size_t>(offset), static_cast<size_t>(matchLength));
        produced += matchLength;
    }
    // Block copies may have written past the last token.
    std::memset(produced, 0, static_cast<size_t>(end - produced));
    return out;
}
