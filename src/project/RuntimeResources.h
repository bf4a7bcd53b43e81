// Whether objects create what a running project needs beyond its data: GL
// programs, textures and buffers, decoded images, fonts and sounds. On in the
// program; off for the command-line tool and the fuzz targets, which load
// projects with no display or audio device, and whose objects then hold their
// data only.
#pragma once

bool runtimeResourcesEnabled();
void setRuntimeResourcesEnabled(bool enabled);
