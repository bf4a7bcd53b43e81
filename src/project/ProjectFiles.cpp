#include "project/ProjectFiles.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CodecError.h"
#include "project/JsonParser.h"
#include "project/LoadError.h"
#include "project/SaveError.h"

#include <cstring>
#include <fstream>
#include <limits>

namespace {

constexpr char trailerMagic[4] = {'D', 'E', 'M', 'O'};
constexpr size_t trailerSize = 8; // u32 length, then the magic

uint32_t readU32At(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

std::span<const uint8_t> asBytes(const std::string& text) {
    return std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

} // namespace

std::unique_ptr<Demo> readJsonProject(std::string_view text, const LoadProgress& progress) {
    auto demo = std::make_unique<Demo>();
    demo->readJson(parseJson(text), progress);
    return demo;
}

std::unique_ptr<Demo> tryReadProject(const std::function<std::unique_ptr<Demo>()>& read, std::string& failure) {
    try {
        return read();
    } catch (const LoadError& error) {
        failure = error.what();
    } catch (const CodecError& error) {
        failure = error.what();
    } catch (const std::bad_alloc&) {
        failure = "not enough memory";
    }
    return nullptr;
}

std::unique_ptr<Demo> readBinaryProject(std::span<const uint8_t> bytes, const LoadProgress& progress,
                                        uint64_t decodedBudget) {
    BinaryReader stream(bytes, decodedBudget);
    auto demo = std::make_unique<Demo>();
    demo->readBinary(stream, progress);
    return demo;
}

std::string writeJsonProject(const Demo& demo, bool projectForm) { return demo.toJson(projectForm).serialize(1, "  "); }

std::vector<ResourceFile> projectResourceFiles(const Demo& demo) {
    std::vector<ResourceFile> files;
    for (const auto& shader : demo.shaders) {
        files.push_back({shader->vertexShaderFilename, asBytes(shader->vertexShaderSource)});
        files.push_back({shader->fragmentShaderFilename, asBytes(shader->fragmentShaderSource)});
    }
    for (const auto& texture : demo.textures)
        files.push_back({texture->name, texture->imageBuffer->data});
    for (const auto& sample : demo.audio_samples)
        files.push_back({sample->name, sample->audioBuffer->data});
    for (const auto& font : demo.fonts)
        files.push_back({font->filename, font->fontBuffer->data});
    files.push_back({musicFileName, demo.music->data});
    return files;
}

std::vector<uint8_t> writeBinaryProject(const Demo& demo) {
    BinaryWriter stream;
    demo.writeBinary(stream);
    return stream.takeBytes();
}

std::vector<uint8_t> makePlayer(std::span<const uint8_t> executable, const Demo& demo) {
    BinaryWriter stream(std::vector<uint8_t>(executable.begin(), executable.end()));
    demo.writeBinary(stream);
    const size_t recordSize = stream.size() - executable.size();
    if (recordSize > std::numeric_limits<uint32_t>::max())
        throw SaveError(SaveErrorKind::TooLargeForPlayer, "The project is too large for a standalone player");
    stream.writeU32(static_cast<uint32_t>(recordSize));
    stream.writeBytes(std::span(reinterpret_cast<const uint8_t*>(trailerMagic), sizeof trailerMagic));
    return stream.takeBytes();
}

std::optional<std::vector<uint8_t>> readAppendedProject(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const auto fileSize = static_cast<uint64_t>(file.tellg());
    if (fileSize < trailerSize)
        return std::nullopt;
    uint8_t trailer[trailerSize];
    file.seekg(static_cast<std::streamoff>(fileSize - trailerSize));
    if (!file.read(reinterpret_cast<char*>(trailer), trailerSize) ||
        std::memcmp(trailer + 4, trailerMagic, sizeof trailerMagic) != 0)
        return std::nullopt;

    const uint32_t recordSize = readU32At(trailer);
    if (recordSize > fileSize - trailerSize)
        throw LoadError(LoadErrorKind::DamagedPlayer,
                        "The project appended to this player is damaged: it claims more bytes than the file holds");
    std::vector<uint8_t> record(recordSize);
    file.seekg(static_cast<std::streamoff>(fileSize - trailerSize - recordSize));
    if (!file.read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(recordSize)))
        throw LoadError(LoadErrorKind::DamagedPlayer, "The project appended to this player cannot be read");
    return record;
}
