#include "project/ProjectFiles.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/JsonParser.h"
#include "project/LoadError.h"

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

} // namespace

std::unique_ptr<Demo> readJsonProject(std::string_view text) {
    auto demo = std::make_unique<Demo>();
    demo->fromJson(parseJson(text));
    return demo;
}

std::unique_ptr<Demo> readBinaryProject(std::span<const uint8_t> bytes, uint64_t decodedBudget) {
    BinaryReader stream(bytes, decodedBudget);
    auto demo = std::make_unique<Demo>();
    demo->readBinary(stream);
    return demo;
}

std::string writeJsonProject(const Demo& demo, bool projectForm) { return demo.toJson(projectForm).serialize(1, "  "); }

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
        throw LoadError("The project is too large for a standalone player");
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
        throw LoadError("The project appended to this player is damaged: it claims more bytes than the file holds");
    std::vector<uint8_t> record(recordSize);
    file.seekg(static_cast<std::streamoff>(fileSize - trailerSize - recordSize));
    if (!file.read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(recordSize)))
        throw LoadError("The project appended to this player cannot be read");
    return record;
}
