// The project's music track, played by SDL2_mixer from the project's own bytes
// and analysed after mixing for the shaders.
#pragma once

class ByteBuffer;

// Stops the music that plays, then plays `music` (an encoded file, usually MP3)
// from its start: forever in the editor, once in a standalone player. The bytes
// must stay unchanged while they play. Empty bytes leave the mixer silent.
// The analysis hook is installed with the first music, once per process.
void startMusic(const ByteBuffer& music, bool loopForever);

// Stops and releases the music that plays, so the bytes it streams from may go.
void stopMusic();
