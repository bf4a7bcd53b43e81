#include "project/Demo.h"

#include "render/SoundTexture.h"

Demo* theDemo = nullptr;

void Demo::createSoundTexture() {
    soundTexture = ::createSoundTexture();
    loopEvent = nullptr;
}
