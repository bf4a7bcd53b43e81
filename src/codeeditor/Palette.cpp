#include "codeeditor/Palette.h"

// Order: text, keyword, number, string, punctuation, preprocessor, identifier,
// known identifier, comment, block comment; background, cursor, selection,
// error marker, line number, current line.
//
// Chosen for GLSL: keywords (types and qualifiers), built-in functions and
// numbers stand apart, as the words a shader is read by; comments are quieter
// but readable. Every text colour keeps at least 4.5 : 1 contrast against the
// background and against the background under the selection, the current
// line and an error mark, which are translucent over it.

const Palette& darkPalette() {
    // Slate, with orange keywords, green numbers and cyan built-ins.
    static const Palette palette{0xffd6cdc8, 0xff3a89ef, 0xff35b856, 0xff23b0c5, 0xffc7b1a1, 0xffbf85e0,
                                 0xffd0c5b9, 0xffd5b11e, 0xff99a991, 0xff9ea794, 0xff211916, 0xff00b1ec,
                                 0x54d27846, 0x472d2de1, 0xffaea39d, 0x12ffffff};
    return palette;
}

const Palette& lightPalette() {
    // Warm paper, with deep blue keywords, green numbers and teal built-ins.
    static const Palette palette{0xff41322b, 0xffb74e1a, 0xff3a680c, 0xff113b9d, 0xff54453e, 0xffa12f8e,
                                 0xff4a392d, 0xff6d6406, 0xff3a614b, 0xff3b5c5c, 0xfff2f8fa, 0xff8b380f,
                                 0x4ce68c5a, 0x382828e6, 0xff515a5f, 0x1c783c28};
    return palette;
}

const Palette& retroBluePalette() {
    // A text-mode blue screen: yellow text, white keywords, bright green numbers.
    static const Palette palette{0xff15e0f3, 0xffe7e7e7, 0xff18dc18, 0xff58acff, 0xffe2cfa8, 0xfff49df4,
                                 0xff7ed7df, 0xffd3d30b, 0xffd8bcad, 0xffd9b9b9, 0xff681e10, 0xff00d6e9,
                                 0x3dffc878, 0x523c3cff, 0xffd1beaa, 0x14ffffff};
    return palette;
}
