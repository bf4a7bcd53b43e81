#include "project/Effect.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/FontTexture.h"
#include "project/ShaderProgram.h"
#include "project/Texture.h"

Effect::Effect(std::string effectName, ShaderProgram* effectProgram, Texture* firstTexture, Effect* firstInput,
               bool withFeedback, bool withScreenTexture)
    : program(effectProgram), name(std::move(effectName)), feedback(withFeedback), screenTexture(withScreenTexture) {
    if (firstTexture)
        textures.push_back(firstTexture);
    if (firstInput)
        effects.push_back(firstInput);
}

namespace {

template <typename T, typename NameOf> JsonValue namesOf(const std::vector<T*>& objects, NameOf nameOf) {
    JsonValue names = JsonValue::makeArray();
    for (const T* object : objects)
        names.append(object ? nameOf(*object) : std::string());
    return names;
}

template <typename T> void writeIds(BinaryWriter& stream, const std::vector<T*>& objects) {
    stream.writeCount(objects.size());
    for (const T* object : objects)
        stream.writeReference(object);
}

std::vector<ObjectId> readIds(BinaryReader& stream) {
    std::vector<ObjectId> ids(stream.readCount(8));
    for (ObjectId& id : ids)
        id = stream.readObjectId();
    return ids;
}

} // namespace

JsonValue Effect::toJson(bool) const {
    return JsonValue::makeObject(
        {{"name", name},
         {"textures", namesOf(textures, [](const Texture& texture) { return texture.name; })},
         {"effects", namesOf(effects, [](const Effect& effect) { return effect.name; })},
         {"font_textures", namesOf(fontTextures, [](const FontTexture& text) { return text.name; })},
         {"program", program ? program->fragmentShaderFilename : std::string()},
         {"feedback", feedback},
         {"screen_texture", screenTexture}});
}

void Effect::writeBinary(BinaryWriter& stream) const {
    writeIds(stream, textures);
    writeIds(stream, effects);
    writeIds(stream, fontTextures);
    stream.writeReference(program);
    writeCompressedString(stream, name);
    stream.writeFlag(feedback);
    stream.writeFlag(screenTexture);
}

void Effect::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    feedback = value.get("feedback").asBool();
    screenTexture = value.get("screen_texture").asBool();
}

void Effect::readBinary(BinaryReader& stream) {
    referenceIds.textures = readIds(stream);
    referenceIds.effects = readIds(stream);
    referenceIds.fontTextures = readIds(stream);
    referenceIds.program = stream.readObjectId();
    name = readCompressedString(stream);
    feedback = stream.readFlag();
    screenTexture = stream.readFlag();
}
