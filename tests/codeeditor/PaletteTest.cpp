// The code editor's palettes are readable: every text colour against the
// background, and against the background under the translucent selection,
// current line and error mark, has at least WCAG AA's 4.5 : 1 contrast.
#include "codeeditor/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <string>

namespace {

struct Rgb {
    double r, g, b; // 0 to 255
};

double channel(uint32_t colour, int shift) { return static_cast<double>((colour >> shift) & 0xff); }
Rgb rgbOf(uint32_t colour) { return {channel(colour, 0), channel(colour, 8), channel(colour, 16)}; }

// `colour` (0xAABBGGRR) drawn over the opaque `below`.
Rgb over(uint32_t colour, Rgb below) {
    const double alpha = channel(colour, 24) / 255.0;
    const Rgb top = rgbOf(colour);
    return {top.r * alpha + below.r * (1.0 - alpha), top.g * alpha + below.g * (1.0 - alpha),
            top.b * alpha + below.b * (1.0 - alpha)};
}

// WCAG 2's relative luminance and contrast ratio.
double luminance(Rgb colour) {
    const auto linear = [](double value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
}
double contrast(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t slot(const Palette& palette, PaletteSlot which) { return palette[static_cast<size_t>(which)]; }

TEST(PaletteTest, EveryTextColourReadsOnEveryBackgroundItMeets) {
    const char* const textNames[] = {"text",         "keyword",    "number",           "string",  "punctuation",
                                     "preprocessor", "identifier", "known identifier", "comment", "block comment"};
    for (const auto& [name, palette] : {std::pair{"dark", &darkPalette()}, std::pair{"light", &lightPalette()},
                                        std::pair{"retro blue", &retroBluePalette()}}) {
        const Rgb background = rgbOf(slot(*palette, PaletteSlot::background));
        const Rgb grounds[] = {background, over(slot(*palette, PaletteSlot::selection), background),
                               over(slot(*palette, PaletteSlot::currentLine), background),
                               over(slot(*palette, PaletteSlot::errorMarker), background)};
        for (size_t ground = 1; ground < std::size(grounds); ++ground)
            EXPECT_GE(contrast(grounds[ground], background), 1.2) << name << ": overlay " << ground << " shows";
        EXPECT_GE(contrast(rgbOf(slot(*palette, PaletteSlot::cursor)), background), 4.5) << name << ": cursor";

        for (int colour = 0; colour <= tokenColourCount; ++colour) {
            const bool lineNumber = colour == tokenColourCount;
            const Rgb text =
                rgbOf(lineNumber ? slot(*palette, PaletteSlot::lineNumber) : (*palette)[static_cast<size_t>(colour)]);
            const std::string what = std::string(name) + ": " + (lineNumber ? "line number" : textNames[colour]);
            double lowest = contrast(text, background);
            for (const Rgb& ground : grounds)
                lowest = std::min(lowest, contrast(text, ground));
            EXPECT_GE(lowest, 4.5) << what;
        }
    }
}

} // namespace
