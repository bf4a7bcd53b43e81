// Whether an imported file's bytes decode, asked of the run-time's own
// decoders before the file joins the project: nothing when they do, else why
// not. The checks ResourceImport takes.
#pragma once

#include "project/AudioSample.h"
#include "project/Font.h"
#include "project/Texture.h"

#include <optional>
#include <string>

class RenderCache;

std::optional<std::string> imageProblem(const Texture& texture, RenderCache& render);
std::optional<std::string> fontProblem(const Font& font);
// Needs the mixer open.
std::optional<std::string> sampleProblem(const AudioSample& sample);
