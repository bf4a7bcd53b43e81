// Loading a project file named on the command line, in whichever form it is.
#pragma once

#include "project/Demo.h"

#include <memory>
#include <string>

struct LoadedProject {
    std::unique_ptr<Demo> demo;
    std::string form;     // "JSON", "binary" or "player"
    int syntaxErrors = 0; // JSON only: the document was read from a partial tree
};

// A name ending in ".json" is the JSON form; any other the binary form, or a
// player when it ends with an appended project. The JSON form's resource files
// are read relative to the working folder. Throws LoadError or CodecError like
// the program's own loads.
LoadedProject loadProjectFile(const std::string& path);

bool isJsonName(const std::string& name);
