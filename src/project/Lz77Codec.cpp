#include "project/Lz77Codec.h"

#include "project/CodecError.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
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
// Inputs shorter than this take 32-bit positions, which with every match
// length and distance fit in signed 32-bit lanes.
constexpr size_t maxShortInput = size_t{1} << 30;

// The candidates for one hash in a ring, `next` being the slot written next and
// `filled` the number written so far, at most all. Beside each position the
// bucket keeps how many bytes the input there shares with the input at the
// newest position, and its byte after them: from these most match lengths at a
// new position follow without reading the input at the candidates (see
// `measureMatches`). The newest position's first bytes settle its short
// matches without reading it either. Positions take no more bytes than the
// input needs, and each bucket starts a cache line: with 32-bit positions it
// fills two.
template <typename Position> struct alignas(64) Bucket {
    uint32_t next = 0;
    uint32_t filled = 0;
    uint32_t newestHead = 0;
    std::array<Position, slotsPerBucket> positions{};
    std::array<Position, slotsPerBucket> sharedWithNewest{};
    // Padded to a whole vector of bytes.
    std::array<uint8_t, 16> bytesAfterShared{};
};

uint32_t fnv1a(const uint8_t* bytes) {
    static_assert(hashedBytes == 5);
    constexpr uint32_t prime = 16777619u;
    uint32_t hash = (0x811C9DC5u ^ bytes[0]) * prime;
    hash = (hash ^ bytes[1]) * prime;
    hash = (hash ^ bytes[2]) * prime;
    hash = (hash ^ bytes[3]) * prime;
    return (hash ^ bytes[4]) * prime;
}

// The encoder's size estimate of a varint: it counts at most four bytes.
size_t estimatedVarintLength(uint64_t value) { return 1 + (value > 127) + (value > 16383) + (value > 2097151); }

// The stream being written. Room is made once per token, whose bytes then go
// in without a check each.
class TokenStream {
public:
    explicit TokenStream(size_t expectedSize) : bytes_(std::max<size_t>(expectedSize, 2 * maxVarintBytes)) {}

    void writeLength(uint64_t length) {
        makeRoom(maxVarintBytes);
        putVarint(length);
    }
    void writeLiterals(const uint8_t* literals, size_t count) {
        if (count == 0)
            return;
        makeRoom(maxVarintBytes + count);
        putVarint(count * 2 + 1);
        std::memcpy(bytes_.data() + size_, literals, count);
        size_ += count;
    }
    void writeMatch(size_t distance, size_t length) {
        makeRoom(2 * maxVarintBytes);
        const size_t extra = length - 4;
        if (extra > 7) {
            putVarint(distance * 16);
            putVarint(extra);
        } else {
            putVarint((distance * 8 + extra) * 2);
        }
    }
    std::vector<uint8_t> finish() && {
        bytes_.resize(size_);
        return std::move(bytes_);
    }

private:
    // The most bytes a varint takes; room enough for the word `putVarint`
    // stores too.
    static constexpr size_t maxVarintBytes = 10;

    void makeRoom(size_t count) {
        if (bytes_.size() - size_ < count)
            bytes_.resize(std::max(2 * bytes_.size(), size_ + count));
    }
    void putVarint(uint64_t value) {
        uint8_t* out = bytes_.data() + size_;
        if constexpr (std::endian::native == std::endian::little) {
            // Values below 2^35, all but those of huge inputs, take one store
            // and no branch per byte.
            if (value < (uint64_t{1} << 35)) {
                uint64_t groups = (value & 0x7F) | (value & (0x7Full << 7)) << 1 | (value & (0x7Full << 14)) << 2 |
                                  (value & (0x7Full << 21)) << 3 | (value & (0x7Full << 28)) << 4;
                const auto length = static_cast<size_t>(1 + (std::bit_width(value) - (value != 0)) / 7);
                groups |= 0x8080808080u & ((uint64_t{1} << (8 * (length - 1))) - 1);
                std::memcpy(out, &groups, 8);
                size_ += length;
                return;
            }
        }
        while (value > 127) {
            *out++ = static_cast<uint8_t>(value | 0x80);
            value >>= 7;
        }
        *out++ = static_cast<uint8_t>(value);
        size_ = static_cast<size_t>(out - bytes_.data());
    }

    std::vector<uint8_t> bytes_;
    size_t size_ = 0;
};

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
    // Adds `position`, whose first bytes are `head`, to `bucket` as its newest
    // candidate, once the other slots' matches there are measured.
    void insert(Bucket<Position>& bucket, Position position, uint32_t head) {
        if (bucket.filled == 0)
            touched_[touchedCount_++] = static_cast<uint16_t>(&bucket - buckets_.data());
        // Shares more than any later position can, so is never measured on.
        bucket.sharedWithNewest[bucket.next] = std::numeric_limits<Position>::max() >> 1;
        bucket.positions[bucket.next] = position;
        bucket.newestHead = head;
        bucket.next = bucket.next + 1 == slotsPerBucket ? 0 : bucket.next + 1;
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

// What the encoder expects a match to save over literals: its length less the
// estimated size of its token, `distanceCost` being the estimate of the
// distance's varint.
size_t matchGain(size_t distanceCost, size_t length) {
    size_t cost = distanceCost;
    if (length >= 8)
        cost += estimatedVarintLength(length - 4);
    return cost <= length ? length - cost : 0;
}

size_t commonPrefix(const uint8_t* a, const uint8_t* b, size_t limit) {
    size_t length = 0;
#if defined(__SSE2__)
    const auto differingBytes = [&](size_t at) {
        const __m128i blockA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
        const __m128i blockB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
        return static_cast<uint32_t>(~_mm_movemask_epi8(_mm_cmpeq_epi8(blockA, blockB)) & 0xFFFF);
    };
    // Most matches end within 32 bytes: compared at once, they take one
    // branch. Long matches are common in repetitive text: sixteen bytes a step.
    if (limit >= 32) {
        if (const uint32_t differing = differingBytes(0) | differingBytes(16) << 16)
            return static_cast<size_t>(std::countr_zero(differing));
        length = 32;
    }
    while (length + 16 <= limit) {
        if (const uint32_t differing = differingBytes(length))
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

// The first bytes of a position, as kept for the newest in each bucket. Every
// position searched has at least `hashedBytes` bytes.
constexpr size_t headBytes = 4;
static_assert(headBytes <= hashedBytes);

uint32_t loadHead(const uint8_t* bytes) {
    uint32_t head;
    std::memcpy(&head, bytes, headBytes);
    return head;
}

// How many leading bytes two heads share, given `differing`, their nonzero xor.
size_t leadingBytesShared(uint32_t differing) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<size_t>(std::countr_zero(differing) / 8);
    return static_cast<size_t>(std::countl_zero(differing) / 8);
}

// The byte at `index` of the bytes `head` was loaded from.
uint8_t byteOf(uint32_t head, size_t index) {
    const size_t shift = std::endian::native == std::endian::little ? 8 * index : 8 * (headBytes - 1 - index);
    return static_cast<uint8_t>(head >> shift);
}

// Turns every slot's bytes shared with the newest into its bytes shared with a
// position that shares `matched` with the newest and has `byteHere` (-1 at the
// end of the input) after them. Returns the slots, one bit each and unfilled
// ones included, that share as much with the newest as that position does and
// have the same byte after, for the caller to measure on.
template <typename Position>
uint32_t updateSlots(Bucket<Position>& bucket, size_t matched, uint8_t byteAfterNewest, int byteHere) {
    uint32_t measuredOn = 0;
    for (size_t index = 0; index < slotsPerBucket; ++index) {
        const auto shared = static_cast<size_t>(bucket.sharedWithNewest[index]);
        const uint8_t byteAfterShared = bucket.bytesAfterShared[index];
        const size_t sharedWithHere = std::min(shared, matched);
        bucket.sharedWithNewest[index] = static_cast<Position>(sharedWithHere);
        bucket.bytesAfterShared[index] = shared > matched ? byteAfterNewest : byteAfterShared;
        measuredOn |= static_cast<uint32_t>((shared == matched) & (byteAfterShared == byteHere)) << index;
    }
    return measuredOn;
}

#if defined(__SSE2__)
// The same for 32-bit positions, four slots at a time.
template <> uint32_t updateSlots(Bucket<uint32_t>& bucket, size_t matched, uint8_t byteAfterNewest, int byteHere) {
    static_assert(slotsPerBucket == 12, "three vectors of four slots");
    const __m128i matchedLanes = _mm_set1_epi32(static_cast<int32_t>(matched));
    __m128i longer[3], equal[3];
#pragma GCC unroll 3
    for (size_t block = 0; block < 3; ++block) {
        auto* const lanes = reinterpret_cast<__m128i*>(bucket.sharedWithNewest.data() + 4 * block);
        const __m128i shared = _mm_loadu_si128(lanes);
        longer[block] = _mm_cmpgt_epi32(shared, matchedLanes);
        equal[block] = _mm_cmpeq_epi32(shared, matchedLanes);
        const __m128i updated =
            _mm_or_si128(_mm_and_si128(longer[block], matchedLanes), _mm_andnot_si128(longer[block], shared));
        _mm_storeu_si128(lanes, updated);
    }
    // One byte per slot: the all-ones and zero lanes pack into all-ones and zero bytes.
    const auto perSlot = [](const __m128i* lanes) {
        return _mm_packs_epi16(_mm_packs_epi32(lanes[0], lanes[1]), _mm_packs_epi32(lanes[2], _mm_setzero_si128()));
    };
    auto* const byteLanes = reinterpret_cast<__m128i*>(bucket.bytesAfterShared.data());
    const __m128i bytes = _mm_loadu_si128(byteLanes);
    const __m128i longerBytes = perSlot(longer);
    _mm_storeu_si128(byteLanes,
                     _mm_or_si128(_mm_and_si128(longerBytes, _mm_set1_epi8(static_cast<char>(byteAfterNewest))),
                                  _mm_andnot_si128(longerBytes, bytes)));
    const __m128i sameByte = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(byteHere)));
    const auto measuredOn = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(perSlot(equal), sameByte)));
    return byteHere < 0 ? 0 : measuredOn;
}
#endif

template <typename Position> size_t newestSlot(const Bucket<Position>& bucket) {
    return bucket.next == 0 ? slotsPerBucket - 1 : bucket.next - 1;
}

// The match a step takes: `length` below `minMatchLength` for none.
struct Match {
    size_t length;
    size_t distance;
};

// The newest candidate's match: its length and its byte after it.
struct NewestMatch {
    size_t length;
    uint8_t byteAfter;
};

// The match at `p`, whose first bytes are `head`, of the newest candidate of
// `bucket`, which must have one. Every candidate starts before `p`, so it has
// a byte after any match at `p`.
template <typename Position>
NewestMatch matchNewest(const Bucket<Position>& bucket, const uint8_t* input, size_t p, size_t length, uint32_t head) {
    if (const uint32_t differing = head ^ bucket.newestHead) {
        const size_t matched = leadingBytesShared(differing);
        return {matched, byteOf(bucket.newestHead, matched)};
    }
    const uint8_t* const newest = input + bucket.positions[newestSlot(bucket)];
    const size_t matched = headBytes + commonPrefix(newest + headBytes, input + p + headBytes, length - p - headBytes);
    return {matched, newest[matched]};
}

// Measures the matches at `p` of the filled slots of `bucket` into their
// `sharedWithNewest` and `bytesAfterShared`, ready for `p` to become the newest,
// and returns the one that gains most; of equal gains the newest.
//
// Of any three texts, the two that share the fewest leading bytes share as
// many as one of them does with the third. So only the newest candidate is
// measured from its start: a slot that shares more or fewer bytes with it than
// `p` does shares the fewer of the two with `p`. One that shares as many
// differs from the newest at the same byte as `p` does, and only where it has
// the same byte there as `p` is it measured on.
//
// The newest candidate lies nearest, so only a longer match can gain more
// than its match: one of those measured on.
template <typename Position>
Match measureMatches(Bucket<Position>& bucket, const uint8_t* input, size_t p, size_t length, NewestMatch newest) {
    const uint8_t* const here = input + p;
    const size_t limit = length - p;
    const size_t matched = newest.length;
    const auto newestPosition = static_cast<size_t>(bucket.positions[newestSlot(bucket)]);
    const int byteHere = matched < limit ? here[matched] : -1;
    const uint32_t filled = (uint32_t{1} << bucket.filled) - 1;
    Match best{matched, p - newestPosition};
    uint32_t measuredOn = updateSlots(bucket, matched, newest.byteAfter, byteHere) & filled;
    if (measuredOn == 0)
        return best;
    size_t bestGain = matchGain(estimatedVarintLength(best.distance * 16), best.length);
    size_t bestAge = 0;
    for (; measuredOn != 0; measuredOn &= measuredOn - 1) {
        const auto index = static_cast<size_t>(std::countr_zero(measuredOn));
        const uint8_t* const candidate = input + bucket.positions[index];
        const size_t shared =
            matched + 1 + commonPrefix(candidate + matched + 1, here + matched + 1, limit - matched - 1);
        bucket.sharedWithNewest[index] = static_cast<Position>(shared);
        bucket.bytesAfterShared[index] = candidate[shared];
        const Match match{shared, p - static_cast<size_t>(bucket.positions[index])};
        const size_t gain = matchGain(estimatedVarintLength(match.distance * 16), match.length);
        // How many slots were written after this one.
        const size_t age = (index < bucket.next ? 0 : slotsPerBucket) + bucket.next - 1 - index;
        if (gain > bestGain || (gain == bestGain && age < bestAge)) {
            best = match;
            bestGain = gain;
            bestAge = age;
        }
    }
    return best;
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
    // Text, the usual input, shrinks several times over.
    TokenStream out(length / 4);
    out.writeLength(length);

    BucketTable<Position> buckets;
    size_t literalStart = 0;
    size_t p = 0;
    uint32_t nextHash = 0;
    size_t hashedAt = SIZE_MAX; // the position `nextHash` belongs to
    // Fetches the bucket of the step after this one while this one is measured.
    const auto fetchBucketAt = [&](size_t next) {
        if (next + hashedBytes <= length) {
            nextHash = fnv1a(input + next);
            hashedAt = next;
            prefetchBucket(buckets[nextHash]);
        }
    };

    while (p < length) {
        if (p + hashedBytes > length) {
            ++p;
            continue;
        }
        Bucket<Position>& bucket = buckets[hashedAt == p ? nextHash : fnv1a(input + p)];
        Match best{0, 0};
        const uint32_t head = loadHead(input + p);
        if (bucket.filled != 0) {
            // The step most often goes on after the newest candidate's match,
            // or by a byte when that is too short to take.
            const NewestMatch newest = matchNewest(bucket, input, p, length, head);
            fetchBucketAt(p + (newest.length >= minMatchLength ? newest.length : 1));
            best = measureMatches(bucket, input, p, length, newest);
            if (best.length >= minMatchLength && best.length != newest.length)
                fetchBucketAt(p + best.length);
        } else {
            fetchBucketAt(p + 1);
        }
        buckets.insert(bucket, static_cast<Position>(p), head);

        if (best.length >= minMatchLength) {
            out.writeLiterals(input + literalStart, p - literalStart);
            out.writeMatch(best.distance, best.length);
            p += best.length;
            literalStart = p;
        } else {
            ++p;
        }
    }
    out.writeLiterals(input + literalStart, length - literalStart);
    return std::move(out).finish();
}

} // namespace

std::vector<uint8_t> lz77Compress(std::string_view text) {
    const auto* input = reinterpret_cast<const uint8_t*>(text.data());
    if (text.size() < maxShortInput)
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
