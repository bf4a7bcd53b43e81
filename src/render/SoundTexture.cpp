#include "render/SoundTexture.h"

#include "render/Gl.h"
#include "render/GlTexture.h"

#include <vector>

namespace {

const std::vector<uint8_t>& silence() {
    static const std::vector<uint8_t> zeros(soundTextureWidth * soundTextureHeight * 4);
    return zeros;
}

} // namespace

SoundTexture::SoundTexture()
    : glTexture(createRgbaTexture(soundTextureWidth, soundTextureHeight, silence().data(), wrapClamp)) {}

SoundTexture::~SoundTexture() { glDeleteTextures(1, &glTexture); }

void SoundTexture::upload(const uint8_t* rows) {
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, soundTextureWidth, soundTextureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rows ? rows : silence().data());
    glBindTexture(GL_TEXTURE_2D, 0);
}
