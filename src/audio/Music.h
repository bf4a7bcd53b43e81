// The project's music track, played by SDL2_mixer from the project's own bytes
// and analysed after mixing for the shaders.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class ByteBuffer;
class LiveMix;

// Stops the music that plays, then plays `music` (an encoded file, usually MP3)
// from its start: forever in the editor, once in a standalone player. The bytes
// must stay unchanged while they play. Empty bytes leave the mixer silent, and
// unanalysed until some music has started: then `mix` hooks into the mixer.
// Bytes larger than any music may be stay silent; the reason is returned.
std::optional<std::string> startMusic(LiveMix& mix, const ByteBuffer& music, bool loopForever);

// Why `music` could not be played (refused or not decodable by the mixer), or
// nothing when it can. Decodes nothing beyond the file's start.
std::optional<std::string> musicProblem(const ByteBuffer& music);

// Stops and releases the music that plays, so the bytes it streams from may go.
void stopMusic();

// Decodes `bytes` (any format the mixer plays) whole, in the open mixer's format.
// Empty bytes give no music; bytes the mixer cannot decode or larger than any
// music may be give the reason in `problem`.
std::vector<int16_t> decodeMusic(std::span<const uint8_t> bytes, std::string& problem);
