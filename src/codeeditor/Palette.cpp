#include "codeeditor/Palette.h"

// Order: text, keyword, number, string, punctuation, preprocessor, identifier,
// known identifier, comment, block comment; background, cursor, selection,
// error marker, line number, current line.

const Palette& darkPalette() {
    static const Palette palette{0xffe0e0e0, 0xffd69c56, 0xff00ff00, 0xff7070e0, 0xffffffff, 0xff408080,
                                 0xffaaaaaa, 0xff9bc64d, 0xff40b040, 0xff50a050, 0xff101010, 0xffe0e0e0,
                                 0x80a06020, 0x800020ff, 0xff707000, 0x40000000};
    return palette;
}

const Palette& lightPalette() {
    static const Palette palette{0xff404040, 0xffff0c06, 0xff008000, 0xff2020a0, 0xff000000, 0xff406060,
                                 0xff404040, 0xff606010, 0xff205020, 0xff405020, 0xffffffff, 0xff000000,
                                 0x80600000, 0xa00010ff, 0xff505000, 0x40000000};
    return palette;
}

const Palette& retroBluePalette() {
    static const Palette palette{0xff00ffff, 0xffffff00, 0xff00ff00, 0xff808000, 0xffffffff, 0xff008000,
                                 0xff00ffff, 0xffff00ff, 0xff808080, 0xff404040, 0xff800000, 0xff0080ff,
                                 0x80ffff00, 0xa00000ff, 0xff808000, 0x40000000};
    return palette;
}
