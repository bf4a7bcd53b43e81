// Desktop GLSL as WebGL 2 takes it. Authors write "#version 330" and
// "#version 150" shaders; WebGL 2 compiles GLSL ES 3.00, which differs from
// them mostly in its first lines: its own version line, and no default
// precision for floats in fragment shaders. Whatever else differs is left to
// the compiler, whose log then says why, as on the desktop.
#pragma once

#include <string>
#include <string_view>

// `source` with its version line replaced by "#version 300 es" (or that line
// put first when it has none), followed by its "#extension" lines, default
// precisions for floats, integers and samplers, and a "#line" directive that
// gives the rest of the text its original line numbers, so compile logs point
// at the author's lines.
std::string toGlslEs300(std::string_view source);
