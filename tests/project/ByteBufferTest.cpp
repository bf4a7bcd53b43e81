#include "project/ByteBuffer.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CodecError.h"
#include "project/LoadError.h"
#include "project/ResourceFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes binaryRecordOf(const ByteBuffer& buffer) {
    BinaryWriter writer;
    buffer.writeBinary(writer);
    return writer.takeBytes();
}

TEST(ByteBufferTest, AnEmptyBufferIsEightZeroBytesOrTheEmptyString) {
    const ByteBuffer empty;
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_EQ(binaryRecordOf(empty), Bytes(8, 0));
    EXPECT_EQ(empty.toJson(false).kind(), JsonKind::String);
    EXPECT_EQ(empty.toJson(true).asString(), "");
}

TEST(ByteBufferTest, JsonFormIsBase64AndBinaryFormIsSizeThenBytes) {
    const ByteBuffer buffer(Bytes{'f', 'o', 'o', 0, 0xFF});
    EXPECT_EQ(buffer.toJson(false).asString(), "Zm9vAP8=");
    EXPECT_EQ(buffer.toJson(true).asString(), "Zm9vAP8=");
    EXPECT_EQ(binaryRecordOf(buffer), (Bytes{5, 0, 0, 0, 0, 0, 0, 0, 'f', 'o', 'o', 0, 0xFF}));

    EXPECT_EQ(ByteBuffer(buffer.toJson(false)).data, buffer.data);
    const Bytes record = binaryRecordOf(buffer);
    BinaryReader reader(record);
    EXPECT_EQ(ByteBuffer(reader).data, buffer.data);
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(ByteBufferTest, UrlSafeJsonTextIsAccepted) {
    EXPECT_EQ(ByteBuffer(JsonValue("-_-_")).data, (Bytes{0xFB, 0xFF, 0xBF}));
    EXPECT_EQ(ByteBuffer(JsonValue(int32_t{5})).size(), 0u); // not a string: no bytes
}

TEST(ByteBufferTest, DamagedFormsRaiseCodecErrors) {
    EXPECT_THROW(ByteBuffer(JsonValue("not base64!")), CodecError);
    const Bytes record = {200, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3};
    BinaryReader reader(record);
    ByteBuffer buffer;
    EXPECT_THROW(buffer.readBinary(reader), CodecError);
}

TEST(ByteBufferTest, ReadsAWholeFile) {
    TempDir dir;
    const Bytes contents = {'R', 'I', 'F', 'F', 0, 0, 0xFF, '\n', '\r'};
    std::ofstream(dir.path() / "sample.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(contents.data()), static_cast<std::streamsize>(contents.size()));
    const std::optional<ByteBuffer> buffer = ByteBuffer::fromFile(dir.path() / "sample.wav");
    ASSERT_TRUE(buffer.has_value());
    EXPECT_EQ(buffer->data, contents);
    dir.enter();
    EXPECT_EQ(readResourceFile("sample.wav")->data, contents);
    EXPECT_FALSE(ByteBuffer::fromFile(dir.path() / "missing.wav").has_value());
}

TEST(ByteBufferTest, AMissingResourceFileRefusesTheLoad) {
    TempDir dir;
    dir.enter();
    try {
        readResourceFile("resources/music.mp3");
        FAIL() << "no error";
    } catch (const LoadError& error) {
        EXPECT_STREQ(error.what(), "File not found: resources/music.mp3");
    }
}

} // namespace
