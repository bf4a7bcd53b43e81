#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CodecError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(BinaryStreamTest, WritesLittleEndianFields) {
    BinaryWriter writer;
    writer.writeU8(0xAB);
    writer.writeFlag(true);
    writer.writeFlag(false);
    writer.writeU32(0x01020304);
    writer.writeI32(-2);
    writer.writeU64(0x0102030405060708);
    writer.writeF32(480.0f);
    writer.writeCount(3);
    writer.writeObjectId(ObjectId{0x1122334455667788});
    writer.writeBytes(Bytes{9, 8});
    const Bytes expected = {0xAB, 1, 0, 4,    3,    2,    1,    0xFE, 0xFF, 0xFF, 0xFF, 8, 7, 6,
                            5,    4, 3, 2,    1,    0x00, 0x00, 0xF0, 0x43, 3,    0,    0, 0, 0,
                            0,    0, 0, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 9, 8};
    EXPECT_EQ(writer.bytes(), expected);
    EXPECT_EQ(writer.size(), expected.size());
}

TEST(BinaryStreamTest, ReadsBackWhatWasWritten) {
    BinaryWriter writer(Bytes{'M', 'Z'});
    writer.writeFlag(true);
    writer.writeU32(0xDEADBEEF);
    writer.writeI32(-123456);
    writer.writeU64(UINT64_MAX);
    writer.writeF32(-0.5f);
    writer.writeF32(NAN);
    const int first = 0;
    const int second = 0;
    writer.writeReference(&first);
    writer.writeReference(&second);
    writer.writeReference(&first);
    writer.writeReference(nullptr);
    const Bytes bytes = writer.takeBytes();

    BinaryReader reader(bytes);
    EXPECT_EQ(reader.readU8(), 'M');
    EXPECT_EQ(reader.readU8(), 'Z');
    EXPECT_TRUE(reader.readFlag());
    EXPECT_EQ(reader.readU32(), 0xDEADBEEF);
    EXPECT_EQ(reader.readI32(), -123456);
    EXPECT_EQ(reader.readU64(), UINT64_MAX);
    EXPECT_EQ(reader.readF32(), -0.5f);
    EXPECT_TRUE(std::isnan(reader.readF32()));
    // Tokens are numbered in the order objects are first written.
    EXPECT_EQ(reader.readObjectId(), ObjectId{1});
    EXPECT_EQ(reader.readObjectId(), ObjectId{2});
    EXPECT_EQ(reader.readObjectId(), ObjectId{1});
    EXPECT_EQ(reader.readObjectId(), ObjectId::Null);
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_EQ(reader.position(), bytes.size());
}

TEST(BinaryStreamTest, AnyNonZeroFlagByteReadsTrue) {
    const Bytes bytes = {0, 1, 2, 0xFF};
    BinaryReader reader(bytes);
    EXPECT_FALSE(reader.readFlag());
    EXPECT_TRUE(reader.readFlag());
    EXPECT_TRUE(reader.readFlag());
    EXPECT_TRUE(reader.readFlag());
}

void expectTruncated(const std::function<void()>& read) {
    try {
        read();
        ADD_FAILURE() << "read past the end";
    } catch (const CodecError& error) {
        EXPECT_EQ(error.kind(), CodecErrorKind::TruncatedData);
    }
}

TEST(BinaryStreamTest, RefusesToReadPastTheEnd) {
    const Bytes bytes = {1, 2, 3};
    BinaryReader reader(bytes);
    expectTruncated([&] { reader.readU32(); });
    expectTruncated([&] { reader.readU64(); });
    expectTruncated([&] { reader.readF32(); });
    expectTruncated([&] { reader.readBytes(4); });
    expectTruncated([&] { reader.readBytes(UINT64_MAX); });
    EXPECT_EQ(reader.remaining(), 3u); // a refused read consumes nothing
    EXPECT_EQ(reader.readBytes(3).size(), 3u);
    expectTruncated([&] { reader.readU8(); });
}

TEST(BinaryStreamTest, RefusesCountsTheInputCannotHold) {
    BinaryWriter writer;
    writer.writeCount(2);
    writer.writeBytes(Bytes(16, 0));
    BinaryReader fits(writer.bytes());
    EXPECT_EQ(fits.readCount(8), 2u);

    BinaryReader tooMany(writer.bytes());
    expectTruncated([&] { tooMany.readCount(9); });

    BinaryWriter absurd;
    absurd.writeU64(UINT64_MAX);
    BinaryReader huge(absurd.bytes());
    expectTruncated([&] { huge.readCount(1); });
}

} // namespace
