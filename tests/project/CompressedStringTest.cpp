#include "project/CompressedString.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CodecError.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes recordOf(std::string_view text) {
    BinaryWriter writer;
    writeCompressedString(writer, text);
    return writer.takeBytes();
}

TEST(CompressedStringTest, WritesTheStreamLengthThenTheStream) {
    EXPECT_EQ(recordOf(""), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0x00}));
    EXPECT_EQ(recordOf("abc"), (Bytes{5, 0, 0, 0, 0, 0, 0, 0, 0x03, 0x07, 0x61, 0x62, 0x63}));
}

TEST(CompressedStringTest, ReadsBackRecordAfterRecord) {
    BinaryWriter writer;
    writeCompressedString(writer, "first");
    writeCompressedString(writer, "");
    writeCompressedString(writer, std::string(1000, 'z'));
    writer.writeU8(0xEE);
    BinaryReader reader(writer.bytes());
    EXPECT_EQ(readCompressedString(reader), "first");
    EXPECT_EQ(readCompressedString(reader), "");
    EXPECT_EQ(readCompressedString(reader), std::string(1000, 'z'));
    EXPECT_EQ(reader.readU8(), 0xEE);
}

TEST(CompressedStringTest, AnEmptyStreamReadsAsTheEmptyString) {
    const Bytes record = {0, 0, 0, 0, 0, 0, 0, 0};
    BinaryReader reader(record);
    EXPECT_EQ(readCompressedString(reader), "");
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(CompressedStringTest, RefusesARecordLongerThanItsInput) {
    const Bytes record = {6, 0, 0, 0, 0, 0, 0, 0, 0x03, 0x07, 0x61, 0x62, 0x63};
    BinaryReader reader(record);
    try {
        readCompressedString(reader);
        FAIL() << "read past the end";
    } catch (const CodecError& error) {
        EXPECT_EQ(error.kind(), CodecErrorKind::TruncatedData);
    }
}

TEST(CompressedStringTest, PassesOnTheCodecError) {
    const Bytes record = {2, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x22};
    BinaryReader reader(record);
    EXPECT_THROW(readCompressedString(reader), CodecError);
}

TEST(CompressedStringTest, StringsOfOneReadDecodeToAtMost256MiBTogether) {
    // Two 4-byte streams each declaring 130 MiB (LEB128 80 80 80 41) and nothing else.
    Bytes records;
    for (int i = 0; i < 2; ++i)
        records.insert(records.end(), {4, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x80, 0x80, 0x41});
    BinaryReader reader(records);
    EXPECT_EQ(readCompressedString(reader).size(), size_t{130} << 20) << "one is padded with zeros";
    try {
        readCompressedString(reader);
        FAIL() << "decoded 260 MiB";
    } catch (const CodecError& error) {
        EXPECT_EQ(error.kind(), CodecErrorKind::TooLarge);
    }
}

} // namespace
