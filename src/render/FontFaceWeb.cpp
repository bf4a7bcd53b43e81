#include "render/FontFace.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb/stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

struct FontFace::Face {
    stbtt_fontinfo info{};
    bool open = false;
    float scale = 0.0f;
    int ascent = 0;     // pixels above the baseline
    int lineHeight = 0; // pixels from one baseline to the next

    // How far `code` moves the pen, kerned against `next` (-1 at the end of a line).
    float advanceOf(unsigned char code, int next) const {
        int advance = 0;
        int bearing = 0;
        stbtt_GetCodepointHMetrics(&info, code, &advance, &bearing);
        const int kern = next >= 0 ? stbtt_GetCodepointKernAdvance(&info, code, next) : 0;
        return static_cast<float>(advance + kern) * scale;
    }

    int widthOf(std::string_view line) const {
        float width = 0.0f;
        for (size_t i = 0; i < line.size(); ++i)
            width += advanceOf(static_cast<unsigned char>(line[i]),
                               i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : -1);
        return static_cast<int>(std::ceil(width));
    }

    // Draws `line` into `image` from its left edge, the line's top at row `top`; where glyphs
    // overlap the higher coverage stays.
    void drawLine(std::string_view line, RgbaImage& image, int top) const {
        float x = 0.0f;
        const int baseline = top + ascent;
        for (size_t i = 0; i < line.size(); ++i) {
            const auto code = static_cast<unsigned char>(line[i]);
            int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            const float shift = x - std::floor(x);
            stbtt_GetCodepointBitmapBoxSubpixel(&info, code, scale, scale, shift, 0.0f, &x0, &y0, &x1, &y1);
            const int w = x1 - x0;
            const int h = y1 - y0;
            if (w > 0 && h > 0) {
                std::vector<unsigned char> coverage(static_cast<size_t>(w) * static_cast<size_t>(h));
                stbtt_MakeCodepointBitmapSubpixel(&info, coverage.data(), w, h, w, scale, scale, shift, 0.0f, code);
                placeCoverage(coverage, w, h, image, static_cast<int>(std::floor(x)) + x0, baseline + y0);
            }
            x += advanceOf(code, i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : -1);
        }
    }

    // Breaks `text` at its newlines, and at spaces where a line would be wider than `wrapWidth`.
    std::vector<std::string> wrapLines(std::string_view text, int wrapWidth) const {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start <= text.size()) {
            const size_t end = std::min(text.find('\n', start), text.size());
            std::string line;
            size_t word = start;
            while (word < end) {
                const size_t space = std::min(text.find(' ', word), end);
                const std::string_view next = text.substr(word, space - word);
                const std::string joined = line.empty() ? std::string(next) : line + " " + std::string(next);
                if (!line.empty() && widthOf(joined) > wrapWidth) {
                    lines.push_back(line);
                    line = std::string(next);
                } else {
                    line = joined;
                }
                word = space + 1;
            }
            lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    static void placeCoverage(const std::vector<unsigned char>& coverage, int w, int h, RgbaImage& image, int left,
                              int top) {
        for (int row = 0; row < h; ++row)
            for (int column = 0; column < w; ++column) {
                const int px = left + column;
                const int py = top + row;
                if (px < 0 || py < 0 || px >= image.width || py >= image.height)
                    continue;
                uint8_t* texel =
                    image.pixels.data() +
                    (static_cast<size_t>(py) * static_cast<size_t>(image.width) + static_cast<size_t>(px)) * 4;
                const uint8_t value = std::max(texel[3], coverage[static_cast<size_t>(row * w + column)]);
                std::fill(texel, texel + 4, value);
            }
    }
};

FontFace::FontFace() : face_(std::make_unique<Face>()) {}

FontFace::~FontFace() = default;

void FontFace::close() { face_->open = false; }

bool FontFace::isOpen() const { return face_->open; }

bool FontFace::open(std::span<const uint8_t> bytes, int pointSize) {
    close();
    const int offset = stbtt_GetFontOffsetForIndex(bytes.data(), 0);
    if (offset < 0 || !stbtt_InitFont(&face_->info, bytes.data(), offset))
        return false;
    face_->scale = stbtt_ScaleForMappingEmToPixels(&face_->info, static_cast<float>(pointSize));
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&face_->info, &ascent, &descent, &gap);
    face_->ascent = static_cast<int>(std::ceil(static_cast<float>(ascent) * face_->scale));
    face_->lineHeight = static_cast<int>(std::ceil(static_cast<float>(ascent - descent + gap) * face_->scale));
    face_->open = face_->lineHeight > 0;
    return face_->open;
}

RgbaImage FontFace::renderWrapped(std::string_view text, int wrapWidth) const {
    text = text.substr(0, text.find('\0'));
    if (!isOpen() || text.empty())
        return {};
    const std::vector<std::string> lines = face_->wrapLines(text, wrapWidth);
    RgbaImage image;
    for (const std::string& line : lines)
        image.width = std::max(image.width, face_->widthOf(line));
    image.height = face_->lineHeight * static_cast<int>(lines.size());
    if (image.width < 1)
        return {};
    image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4, 0);
    for (size_t i = 0; i < lines.size(); ++i)
        face_->drawLine(lines[i], image, static_cast<int>(i) * face_->lineHeight);
    return image;
}

RgbaImage FontFace::renderGlyph(uint32_t code) const {
    if (!isOpen() || code > 255 || stbtt_FindGlyphIndex(&face_->info, static_cast<int>(code)) == 0)
        return {};
    const std::string glyph(1, static_cast<char>(code));
    RgbaImage image;
    image.width = std::max(face_->widthOf(glyph), 1);
    image.height = face_->lineHeight;
    image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4, 0);
    face_->drawLine(glyph, image, 0);
    return image;
}
