// quillfront-tool: project files from the command line, for scripted demo builds.
// It loads projects with the program's own readers, on the model alone: no
// display, no audio device, no loader.
//
//   info FILE                        tempo, end beat, object counts, unresolved references
//   convert IN OUT                   between the JSON (complete) and binary forms
//   export-player PROJECT OUT [--target linux|windows] [--player PATH]
//                                    a standalone player from a project file
//   export-web PROJECT OUTDIR [--web-player DIR]
//                                    a folder that shows the demo in a browser
//   check FILE                       exit status 1 unless the file loads cleanly
//   render PROJECT OUT [...]         an MP4, a part file or PNG frames (by the renderer beside it)
//   join PART... OUT                 one MP4 from the part files of a split render
//   --help, COMMAND --help, --version
//
// A name ending in ".json" is the JSON form; any other the binary form, or a
// player when it ends with an appended project. Options may stand anywhere.
// Exit statuses: 0 done, 1 the work failed, 2 the command line is wrong.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs the tool on `args` (without the program name); returns the exit status.
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
