#!/usr/bin/env python3
"""Plays the loader jingle into assets/loader-jingle.mp3: a rising C major
arpeggio of four plucked notes, about half a second long, 48 kHz mono.

Synthesised here into a WAV file, then encoded with the `lame` command-line
encoder (needed only to make the file, not to build or run the program):

    python3 assets/make-loader-jingle.py
"""

import math
import os
import struct
import subprocess
import tempfile
import wave

RATE = 48000
LENGTH = 0.48  # seconds
NOTE_SPACING = 0.075  # seconds between note starts
NOTES = [523.25, 659.25, 783.99, 1046.50]  # C5, E5, G5, C6
PEAK = 0.22  # of full scale per note, so the chord that rings at the end never clips


def pluck(time, frequency):
    """A bell-like note started at time 0: a sine with a little octave, a 5 ms
    attack and an exponential decay."""
    if time < 0.0:
        return 0.0
    attack = min(time / 0.005, 1.0)
    decay = math.exp(-time * 7.0)
    tone = math.sin(2.0 * math.pi * frequency * time) + 0.3 * math.sin(4.0 * math.pi * frequency * time)
    return attack * decay * tone / 1.3


def samples():
    count = int(RATE * LENGTH)
    fade = int(RATE * 0.03)  # no click at the end
    for index in range(count):
        time = index / RATE
        value = sum(pluck(time - n * NOTE_SPACING, f) for n, f in enumerate(NOTES)) * PEAK
        value *= min((count - index) / fade, 1.0)
        yield int(round(max(-1.0, min(1.0, value)) * 32767))


def main():
    directory = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as scratch:
        wav_path = os.path.join(scratch, "jingle.wav")
        with wave.open(wav_path, "wb") as wav:
            wav.setnchannels(1)
            wav.setsampwidth(2)
            wav.setframerate(RATE)
            wav.writeframes(b"".join(struct.pack("<h", s) for s in samples()))
        subprocess.run(["lame", "--quiet", "-b", "128", "--cbr", "--resample", "48", wav_path,
                        os.path.join(directory, "loader-jingle.mp3")], check=True)


if __name__ == "__main__":
    main()
