// `quillfront-tool join`: the part files of a render split across machines
// (`render ... --part K/N` into .mov files) put together into one MP4. The
// video is copied as the parts hold it; the sound, exact in every part, is
// joined sample for sample and encoded once, so the seams neither skip nor click.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Joins `parts` (in any order) into the MP4 `out`. Refuses, saying where every
// part stands (done, running, missing), unless each part of one render is there
// exactly once. Returns the tool's exit status.
int joinParts(const std::vector<std::string>& parts, const std::string& out, std::ostream& log, std::ostream& err);
