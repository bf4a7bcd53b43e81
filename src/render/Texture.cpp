#include "render/Texture.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ResourceFiles.h"
#include "project/RuntimeResources.h"
#include "render/GlTexture.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_image.h>

#include <climits>

namespace {

// A zero-filled surface whose bytes are R, G, B, A in memory.
SDL_Surface* createRgbaSurface(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
}

} // namespace

Texture::Texture(const std::string& path) : imageBuffer(readResourceFile(path)), name(path) { loadImage(); }

Texture::~Texture() {
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
}

void Texture::loadImage() {
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
    glTexture = 0;
    width = 0;
    height = 0;
    if (!runtimeResourcesEnabled() || !imageBuffer || imageBuffer->data.empty() || imageBuffer->size() > INT_MAX)
        return;
    SDL_RWops* stream = SDL_RWFromConstMem(imageBuffer->data.data(), static_cast<int>(imageBuffer->size()));
    SDL_Surface* image = stream ? IMG_Load_RW(stream, 1) : nullptr;
    if (!image)
        return;
    // Blitting onto the zero surface converts any format to RGBA and blends
    // transparent pixels onto black, which premultiplies their colours.
    SDL_Surface* rgba = createRgbaSurface(image->w, image->h);
    if (rgba && SDL_BlitSurface(image, nullptr, rgba, nullptr) == 0) {
        glTexture = createRgbaTexture(rgba->w, rgba->h, rgba->pixels, wrapClamp);
        width = rgba->w;
        height = rgba->h;
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
}

JsonValue Texture::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"name", name}});
    if (!imageBuffer)
        return object;
    if (projectForm)
        writeResourceFile(name, imageBuffer->data);
    else
        object.member("image_buffer") = imageBuffer->toJson(projectForm);
    return object;
}

void Texture::writeBinary(BinaryWriter& stream) const {
    if (!imageBuffer)
        return;
    writeCompressedString(stream, name);
    imageBuffer->writeBinary(stream);
}

void Texture::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    if (value.contains("image_buffer"))
        imageBuffer = std::make_unique<ByteBuffer>(value.get("image_buffer"));
    else
        imageBuffer = readResourceFile(name);
    loadImage();
}

void Texture::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    imageBuffer = std::make_unique<ByteBuffer>(stream);
    loadImage();
}
