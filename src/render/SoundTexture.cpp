#include "render/SoundTexture.h"

#include "render/GlTexture.h"

#include <cstdio>
#include <vector>

std::unique_ptr<Texture> createSoundTexture() {
    auto texture = std::make_unique<Texture>();
    texture->width = soundTextureWidth;
    texture->height = soundTextureHeight;
    char name[64];
    std::snprintf(name, sizeof name, "Texture %p (%d x %d)", static_cast<void*>(texture.get()), texture->width,
                  texture->height);
    texture->name = name;
    const std::vector<uint8_t> zeros(soundTextureWidth * soundTextureHeight * 4);
    texture->glTexture = createRgbaTexture(soundTextureWidth, soundTextureHeight, zeros.data(), wrapClamp);
    return texture;
}
