// The code editor's colours: one per token colour, then the editor's own.
// Values are Dear ImGui's packed 0xAABBGGRR.
#pragma once

#include "codeeditor/SyntaxColouring.h"

#include <array>
#include <cstdint>

enum class PaletteSlot : int {
    // The token colours come first, in TokenColour's order.
    background = tokenColourCount,
    cursor,
    selection,
    errorMarker,
    lineNumber,
    currentLine,
};
constexpr int paletteSlotCount = static_cast<int>(PaletteSlot::currentLine) + 1;

using Palette = std::array<uint32_t, paletteSlotCount>;

const Palette& darkPalette();
const Palette& lightPalette();
const Palette& retroBluePalette();
