#include "render/SdlImage.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstring>

std::optional<RgbaImage> decodeWithSdl(std::span<const uint8_t> bytes, int maxSide) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return std::nullopt;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* image = stream ? IMG_Load_RW(stream, 1) : nullptr;
    // Bytes R, G, B, A in memory; a colour key becomes transparency.
    SDL_Surface* rgba = image && image->w <= maxSide && image->h <= maxSide
                            ? SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ABGR8888, 0)
                            : nullptr;
    std::optional<RgbaImage> decoded;
    if (rgba) {
        decoded = RgbaImage{rgba->w, rgba->h, std::vector<uint8_t>(size_t{4} * rgba->w * rgba->h)};
        const size_t rowBytes = size_t{4} * rgba->w;
        for (int row = 0; row < rgba->h; ++row)
            std::memcpy(decoded->pixels.data() + row * rowBytes,
                        static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(row) * rgba->pitch, rowBytes);
        premultiplyAlpha(*decoded);
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    return decoded;
}
