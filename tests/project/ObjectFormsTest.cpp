// The JSON and binary forms of shader programs, textures, effects, fonts and font
// textures, and of audio samples. Project forms name files and write none.
#include "project/AudioSample.h"
#include "project/Base64.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CodecError.h"
#include "project/Effect.h"
#include "project/FileIo.h"
#include "project/Font.h"
#include "project/FontTexture.h"
#include "project/LoadError.h"
#include "project/ShaderProgram.h"
#include "project/Texture.h"
#include "support/StdoutCapture.h"
#include "support/TempDir.h"
#include "support/TestFont.h"
#include "support/TestShaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const std::string fragment = constantShader("vec4(1.0)");

std::vector<uint8_t> bytesOf(const BinaryWriter& writer) { return writer.bytes(); }

class ObjectFormsTest : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override {
        dir.enter();
        std::filesystem::create_directory("resources");
    }
    static void writeFile(const char* path, std::string_view text) { ASSERT_FALSE(writeWholeFile(path, text)); }

    std::unique_ptr<ShaderProgram> programWithUniform() {
        auto program = std::make_unique<ShaderProgram>();
        program->fragmentShaderFilename = "resources/glow.frag";
        program->fragmentShaderSource = fragment;
        auto uniform = std::make_unique<UniformDef>();
        uniform->name = "speed";
        uniform->minVal = -1.0f;
        uniform->maxVal = 4.0f;
        uniform->defaultVal = 0.5f;
        program->uniformDefs.push_back(std::move(uniform));
        return program;
    }
};

TEST_F(ObjectFormsTest, UniformDefForms) {
    UniformDef uniform;
    uniform.name = "speed";
    uniform.maxVal = 2.5f;
    EXPECT_EQ(uniform.toJson(false).serialize(1, "  "), "{\n  \"default_val\" : 0.000000,\n  \"max_val\" : 2.500000,\n"
                                                        "  \"min_val\" : 0.000000,\n  \"name\" : \"speed\"\n}");
    BinaryWriter out;
    uniform.writeBinary(out);
    // "speed": u64 7, stream 05 0B 's' 'p' 'e' 'e' 'd'; then the three floats.
    const std::vector<uint8_t> expected = {7,   0, 0, 0, 0, 0, 0, 0,    5,    11, 's', 'p', 'e', 'e',
                                           'd', 0, 0, 0, 0, 0, 0, 0x20, 0x40, 0,  0,   0,   0};
    EXPECT_EQ(bytesOf(out), expected);
    BinaryReader in(out.bytes());
    UniformDef back;
    back.readBinary(in);
    EXPECT_EQ(back.name, "speed");
    EXPECT_FLOAT_EQ(back.maxVal, 2.5f);
}

TEST_F(ObjectFormsTest, ShaderProgramCompleteFormIsInline) {
    auto program = programWithUniform();
    const JsonValue json = program->toJson(false);
    EXPECT_EQ(json.get("fragment_shader_source").asString(), fragment);
    EXPECT_EQ(json.get("vertex_shader_source").asString(), builtinVertexSource);
    EXPECT_EQ(json.get("fragment_shader_filename").asString(), "resources/glow.frag");
    EXPECT_EQ(json.get("uniform_defs").count(), 1);
    EXPECT_FALSE(std::filesystem::exists("resources/glow.frag")) << "nothing written";

    ShaderProgram back;
    back.fromJson(json);
    EXPECT_EQ(back.fragmentShaderSource, fragment);
    ASSERT_EQ(back.uniformDefs.size(), 1u);
    EXPECT_FLOAT_EQ(back.uniformDefs[0]->defaultVal, 0.5f);
}

TEST_F(ObjectFormsTest, ShaderProgramProjectFormReadsBothFiles) {
    auto program = programWithUniform();
    program->vertexShaderFilename = "resources/quad.vert";
    const JsonValue json = program->toJson(true);
    EXPECT_FALSE(json.contains("fragment_shader_source"));
    EXPECT_FALSE(json.contains("vertex_shader_source"));
    EXPECT_FALSE(std::filesystem::exists("resources/glow.frag")) << "nothing written";
    writeFile("resources/glow.frag", fragment);
    writeFile("resources/quad.vert", builtinVertexSource);

    // An inline vertex source without an inline fragment source is ignored.
    JsonValue edited = json;
    edited.member("vertex_shader_source") = "not used";
    StdoutCapture capture;
    ShaderProgram back;
    back.fromJson(edited);
    EXPECT_EQ(capture.text(), "Loading file resources/quad.vert\nLoading file resources/glow.frag\n");
    EXPECT_EQ(back.vertexShaderSource, builtinVertexSource);
    EXPECT_EQ(back.fragmentShaderSource, fragment);
}

TEST_F(ObjectFormsTest, ShaderProgramBinaryRoundTripAndDamage) {
    auto program = programWithUniform();
    BinaryWriter out;
    program->writeBinary(out);
    BinaryReader in(out.bytes());
    ShaderProgram back;
    back.readBinary(in);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(back.fragmentShaderSource, fragment);
    EXPECT_EQ(back.vertexShaderFilename, "resources/default.vert");
    ASSERT_EQ(back.uniformDefs.size(), 1u);
    EXPECT_EQ(back.uniformDefs[0]->name, "speed");

    for (size_t cut : {size_t{3}, out.size() / 2, out.size() - 1}) {
        const std::vector<uint8_t> truncated(out.bytes().begin(), out.bytes().begin() + static_cast<long>(cut));
        BinaryReader damaged(truncated);
        ShaderProgram refused;
        EXPECT_THROW(refused.readBinary(damaged), CodecError) << "cut at " << cut;
    }
}

TEST_F(ObjectFormsTest, TextureForms) {
    const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
    Texture texture("resources/logo.png", bytes);

    const JsonValue complete = texture.toJson(false);
    EXPECT_EQ(complete.get("image_buffer").asString(), base64Encode(bytes));
    EXPECT_FALSE(std::filesystem::exists("resources/logo.png"));
    const JsonValue project = texture.toJson(true);
    EXPECT_FALSE(project.contains("image_buffer"));
    writeFile("resources/logo.png", "\1\2\3\4\5");

    Texture fromFile;
    fromFile.fromJson(project);
    EXPECT_EQ(fromFile.imageBuffer->data, bytes) << "not an image, but kept";

    BinaryWriter out;
    texture.writeBinary(out);
    BinaryReader in(out.bytes());
    Texture back;
    back.readBinary(in);
    EXPECT_EQ(back.name, "resources/logo.png");
    EXPECT_EQ(back.imageBuffer->data, bytes);

    std::filesystem::remove("resources/logo.png");
    Texture missing;
    EXPECT_THROW(missing.fromJson(project), LoadError);
}

TEST_F(ObjectFormsTest, EffectReferencesByNameAndByToken) {
    auto program = programWithUniform();
    Texture image;
    image.name = "resources/a.png";
    Effect input("blur", program.get(), nullptr, nullptr, false, false);
    Effect effect("final", program.get(), &image, &input, true, false);
    effect.textures.push_back(nullptr);

    EXPECT_EQ(effect.toJson(false).serialize(1, "  "),
              "{\n  \"effects\" : [\"blur\"],\n  \"feedback\" : true,\n  \"font_textures\" : [],\n"
              "  \"name\" : \"final\",\n  \"program\" : \"resources/glow.frag\",\n  \"screen_texture\" : false,\n"
              "  \"textures\" : [\"resources/a.png\", \"\"]\n}");

    Effect fromJson;
    JsonValue json = effect.toJson(true);
    json.member("feedback") = 1; // not a boolean
    fromJson.fromJson(json);
    EXPECT_EQ(fromJson.name, "final");
    EXPECT_FALSE(fromJson.feedback);
    EXPECT_FALSE(fromJson.screenTexture);
    EXPECT_TRUE(fromJson.textures.empty()) << "the project resolves references";

    BinaryWriter out;
    effect.writeBinary(out);
    BinaryReader in(out.bytes());
    Effect back;
    back.readBinary(in);
    EXPECT_EQ(in.remaining(), 0u);
    // Tokens in the order the record names the objects.
    EXPECT_EQ(back.referenceIds.textures, (std::vector<ObjectId>{ObjectId{1}, ObjectId::Null}));
    EXPECT_EQ(back.referenceIds.effects, (std::vector<ObjectId>{ObjectId{2}}));
    EXPECT_TRUE(back.referenceIds.fontTextures.empty());
    EXPECT_EQ(back.referenceIds.program, ObjectId{3});
    EXPECT_TRUE(back.textures.empty());
    EXPECT_EQ(back.program, nullptr);
    EXPECT_TRUE(back.feedback);

    // A count claiming more references than the record holds.
    std::vector<uint8_t> lying = out.bytes();
    lying[0] = 0xFF;
    BinaryReader damaged(lying);
    Effect refused;
    EXPECT_THROW(refused.readBinary(damaged), CodecError);
}

TEST_F(ObjectFormsTest, FontAndFontTextureForms) {
    Font font(copyTestFontHere(), 12);
    font.filename = "resources/sans.ttf";
    const JsonValue complete = font.toJson(false);
    EXPECT_EQ(complete.get("ptsize").kind(), JsonKind::Integral);
    EXPECT_TRUE(complete.contains("font_buffer"));
    const JsonValue project = font.toJson(true);
    EXPECT_FALSE(project.contains("font_buffer"));
    EXPECT_FALSE(std::filesystem::exists("resources/sans.ttf")) << "nothing written";
    std::filesystem::copy_file(copyTestFontHere(), "resources/sans.ttf");
    Font reread;
    reread.fromJson(project);
    EXPECT_EQ(reread.fontBuffer->data, font.fontBuffer->data);

    FontTexture text("caption", 64, 32, &font);
    text.center = true;
    JsonValue json = text.toJson(false);
    EXPECT_EQ(json.get("font").asString(), font.name);
    EXPECT_EQ(json.get("chars_per_beat").asInt(), -1);
    FontTexture back;
    json.member("chars_per_beat") = 2.5; // not an integer
    back.fromJson(json);
    EXPECT_EQ(back.charsPerBeat, 0);
    EXPECT_TRUE(back.center);
    FontTexture defaults;
    defaults.fromJson(JsonValue::makeObject({{"name", "x"}}));
    EXPECT_EQ(defaults.charsPerBeat, -1);

    BinaryWriter out;
    text.writeBinary(out);
    BinaryReader in(out.bytes());
    FontTexture fromBinary;
    fromBinary.readBinary(in);
    EXPECT_EQ(fromBinary.fontId, ObjectId{1});
    EXPECT_EQ(fromBinary.width, 64);
    EXPECT_TRUE(fromBinary.center);
}

TEST_F(ObjectFormsTest, AudioSampleForms) {
    const std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F'};
    AudioSample sample("resources/kick.wav", bytes);
    EXPECT_EQ(sample.toJson(false).get("audio_buffer").asString(), base64Encode(bytes));
    const JsonValue project = sample.toJson(true);
    EXPECT_EQ(project.entries().size(), 1u);
    writeFile("resources/kick.wav", "RIFF");
    AudioSample reread;
    reread.fromJson(project);
    EXPECT_EQ(reread.audioBuffer->data, bytes);

    BinaryWriter out;
    sample.writeBinary(out);
    BinaryReader in(out.bytes());
    AudioSample back;
    back.readBinary(in);
    EXPECT_EQ(back.name, "resources/kick.wav");
    EXPECT_EQ(back.audioBuffer->data, bytes);
}

} // namespace
