#!/usr/bin/env python3
"""Makes the files of the bundled example "First light": its music, its sound
sample, its logo image, the font it types with and content.dat.json, the
project that arranges them with the shaders under resources/.

The music is composed and synthesised here (120 BPM, A minor, 51 seconds: pad,
bass, kick, hi-hats and an arpeggio), then encoded with the `lame` MP3 encoder;
the font is copied from Debian's fonts-dejavu-core. Both are needed only to
make the files, which are committed, not to build or run the program:

    python3 examples/first-light/make-first-light.py
"""

import json
import math
import os
import random
import shutil
import struct
import subprocess
import tempfile
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "resources")

BPM = 120.0
BEAT = 60.0 / BPM  # seconds
END_BEAT = 100.0  # the demo ends here
MUSIC_BEATS = 102  # two beats of ring-out after the end
RATE = 44100

# A minor: Am, F, C, G, one chord a bar of four beats.
CHORDS = [[57, 60, 64], [53, 57, 60], [48, 52, 55], [55, 59, 62]]


def frequency(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def chord_at(beat):
    return CHORDS[int(beat // 4) % len(CHORDS)]


class Track:
    """A mono mix bus of floats, one per sample."""

    def __init__(self, seconds):
        self.samples = [0.0] * int(seconds * RATE)

    def add(self, start, voice):
        first = int(start * RATE)
        for index, value in enumerate(voice):
            at = first + index
            if at >= len(self.samples):
                return
            self.samples[at] += value


def envelope(count, attack, release):
    """Linear attack and release over `count` samples."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    return [min(1.0, i / a, (count - i) / r) for i in range(count)]


def kick():
    count = int(0.35 * RATE)
    out, phase = [], 0.0
    for i in range(count):
        t = i / RATE
        phase += 2.0 * math.pi * (45.0 + 110.0 * math.exp(-t * 30.0)) / RATE
        out.append(math.sin(phase) * math.exp(-t * 9.0) * 0.9)
    return out


def hat(rng):
    count = int(0.06 * RATE)
    out, last = [], 0.0
    for i in range(count):
        noise = rng.uniform(-1.0, 1.0)
        out.append((noise - last) * math.exp(-i / RATE * 70.0) * 0.18)  # a first difference: bright noise
        last = noise
    return out


def bass(note, seconds):
    count = int(seconds * RATE)
    f = frequency(note - 12)
    shape = envelope(count, 0.01, 0.08)
    out, smooth = [], 0.0
    for i in range(count):
        saw = 2.0 * ((i * f / RATE) % 1.0) - 1.0
        smooth += (saw - smooth) * 0.08  # a one-pole low-pass: a round bass
        out.append(smooth * shape[i] * 0.55)
    return out


def pad(notes, seconds):
    count = int(seconds * RATE)
    shape = envelope(count, 0.8, 0.8)
    voices = [(frequency(n) * detune, 0.07) for n in notes for detune in (0.997, 1.003)]
    return [shape[i] * sum(level * math.sin(2.0 * math.pi * f * i / RATE) for f, level in voices)
            for i in range(count)]


def pluck(note, seconds):
    count = int(seconds * RATE)
    f = frequency(note + 12)
    return [math.exp(-i / RATE * 9.0) * min(1.0, i / 100.0) * 0.22 *
            (math.sin(2.0 * math.pi * f * i / RATE) + 0.35 * math.sin(4.0 * math.pi * f * i / RATE))
            for i in range(count)]


def compose():
    rng = random.Random(7)
    track = Track(MUSIC_BEATS * BEAT)
    kick_voice = kick()
    for bar in range(0, 100, 4):
        track.add(bar * BEAT, pad(chord_at(bar), 4 * BEAT + 0.6))
    for beat in range(8, 96):
        track.add(beat * BEAT, kick_voice)
    for beat in range(16, 96):
        track.add((beat + 0.5) * BEAT, hat(rng))
    for beat in range(16, 96):
        track.add(beat * BEAT, bass(chord_at(beat)[0], BEAT * 0.9))
    for step in range(48 * 4, 80 * 4):  # sixteenth notes up and down the chord
        beat = step / 4.0
        notes = chord_at(beat)
        track.add(beat * BEAT, pluck(notes[[0, 1, 2, 1][step % 4]] + 12 * (step // 8 % 2), 0.4))
    fade_from, fade_to = int(92 * BEAT * RATE), int(END_BEAT * BEAT * RATE)
    peak = max(abs(s) for s in track.samples)
    return [s / peak * 0.85 * (1.0 if i < fade_from else max(0.0, (fade_to - i) / (fade_to - fade_from)))
            for i, s in enumerate(track.samples)]


def write_wav(path, samples, rate=RATE):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


def make_music():
    with tempfile.TemporaryDirectory() as work:
        wav = os.path.join(work, "music.wav")
        write_wav(wav, compose())
        subprocess.run(["lame", "--quiet", "-b", "128", "-m", "m", wav, os.path.join(RESOURCES, "music.mp3")],
                       check=True)


def make_whoosh():
    """A second of noise swept down through a resonant low-pass."""
    rng = random.Random(3)
    count = RATE
    low = band = 0.0
    out = []
    for i in range(count):
        t = i / count
        cutoff = 2.0 * math.sin(math.pi * (3000.0 * (1.0 - t) ** 2 + 80.0) / RATE)
        noise = rng.uniform(-1.0, 1.0)
        low += cutoff * band
        band += cutoff * (noise - low - 0.6 * band)
        out.append(band * 0.5 * math.sin(math.pi * t) ** 0.5)
    write_wav(os.path.join(RESOURCES, "whoosh.wav"), out)


def png(path, width, height, pixel):
    """Writes an RGBA PNG whose pixel (x, y) is pixel(x, y) -> (r, g, b, a)."""
    rows = b"".join(b"\0" + b"".join(struct.pack("4B", *pixel(x, y)) for x in range(width))
                    for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
                  chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def make_logo():
    """A glowing ring crossed by a quill, on transparency."""
    size = 256

    def pixel(x, y):
        u, v = (x + 0.5) / size * 2.0 - 1.0, (y + 0.5) / size * 2.0 - 1.0
        radius = math.hypot(u, v)
        ring = max(0.0, 1.0 - abs(radius - 0.62) / 0.1)
        quill = max(0.0, 1.0 - abs(u + v) / 0.07) * (1.0 if abs(u - v) < 1.3 else 0.0)
        glow = max(0.0, 0.5 - radius) * 0.8
        alpha = min(1.0, ring + quill + glow)
        r = min(1.0, 0.4 + ring * 0.6)
        g = min(1.0, 0.55 + quill * 0.45)
        b = 1.0
        return int(r * 255), int(g * 255), int(b * 255), int(alpha * 255)

    png(os.path.join(RESOURCES, "logo.png"), size, size, pixel)


def curve(points, mode=1, repeat=False):
    """A variable: (beat, value) points, or (beat, text) for texts."""
    listed = [{"beat": float(b), "text": v} if isinstance(v, str) else {"beat": float(b), "value": float(v)}
              for b, v in points]
    return {"control_points": listed, "mode": mode, "repeat": repeat}


def effect_event(name, effect, start, end, variables=None, visible=True):
    return {"type": 1, "name": name, "effect": effect, "start_beat": float(start), "end_beat": float(end),
            "visible": "true" if visible else "false", "control_points": variables or {}}


def program(fragment, uniforms=()):
    return {"vertex_shader_filename": "resources/quad.vert", "fragment_shader_filename": "resources/" + fragment,
            "uniform_defs": [{"name": n, "min_val": lo, "max_val": hi, "default_val": d} for n, lo, hi, d in uniforms]}


def effect(name, fragment, inputs=(), textures=(), font_textures=(), feedback=False):
    return {"name": name, "program": "resources/" + fragment, "effects": list(inputs), "textures": list(textures),
            "font_textures": list(font_textures), "feedback": feedback, "screen_texture": False}


LAST_VALUE, LINEAR, SMOOTH = 0, 1, 2


def make_project():
    project = {
        "bpm": BPM,
        "beat_offset": 0.0,
        "end_beat": END_BEAT,
        "shaders": [
            program("sky.frag", [("glow", 0.0, 1.0, 0.3)]),
            program("bars.frag", [("height", 0.0, 1.0, 0.5)]),
            program("trails.frag", [("decay", 0.5, 1.0, 0.94)]),
            program("logo.frag", [("zoom", 0.5, 4.0, 1.0)]),
            program("composite.frag", [("twist", 0.0, 1.0, 0.0)]),
            program("text.frag", [("fade", 0.0, 1.0, 1.0)]),
            program("flash.frag", [("hue", 0.0, 1.0, 0.6), ("strength", 0.0, 1.0, 1.0)]),
            program("glow.frag"),
        ],
        "textures": [{"name": "resources/logo.png"}],
        "fonts": [{"name": "resources/DejaVuSans-Bold.ttf (48 pt)", "filename": "resources/DejaVuSans-Bold.ttf",
                   "ptsize": 48}],
        "font_textures": [{"name": "caption", "width": 1024, "height": 128, "font": "resources/DejaVuSans-Bold.ttf (48 pt)",
                           "center": True, "chars_per_beat": 6}],
        "audio_samples": [{"name": "resources/whoosh.wav"}],
        "effects": [
            effect("sky", "sky.frag"),
            effect("bars", "bars.frag"),
            effect("trails", "trails.frag", feedback=True),
            effect("trails glow", "glow.frag", inputs=["trails"]),
            effect("logo", "logo.frag", textures=["resources/logo.png"]),
            effect("composite", "composite.frag", inputs=["trails", "logo"]),
            effect("text", "text.frag", font_textures=["caption"]),
            effect("flash", "flash.frag"),
        ],
        "event_groups": [{"name": "flash group", "events": ["flash"]}],
        "events": [
            effect_event("sky", "sky", 0, END_BEAT, {"glow": curve([(0, 0.1), (16, 0.6), (48, 0.3), (84, 0.8),
                                                                     (100, 0.0)], SMOOTH)}),
            effect_event("bars", "bars", 16, 48, {"height": curve([(0, 0.2), (16, 0.9), (32, 0.5)], LINEAR)}),
            effect_event("trails", "trails glow", 24, 48),
            effect_event("composite", "composite", 48, 80, {"twist": curve([(0, 0.0), (8, 1.0)], LINEAR, True)}),
            effect_event("titles", "text", 2, 14, {"caption": curve([(0, "QUILLFRONT"), (6, "first light")],
                                                                   LAST_VALUE)}),
            effect_event("outro", "text", 84, 98, {"caption": curve([(0, "made with quillfront"),
                                                                    (7, "thanks for watching")], LAST_VALUE),
                                                   "fade": curve([(0, 1.0), (12, 1.0), (14, 0.0)], LINEAR)}),
            effect_event("flash", "flash", 0, 2, {"strength": curve([(0, 1.0), (2, 0.0)], LINEAR)}, visible=False),
            {"type": 3, "name": "first flash", "group": "flash group", "start_beat": 56.0, "end_beat": 58.0,
             "visible": "true", "control_points": {}},
            {"type": 3, "name": "second flash", "group": "flash group", "start_beat": 72.0, "end_beat": 74.0,
             "visible": "true", "control_points": {"flash.hue": curve([(0, 0.05)], LAST_VALUE)}},
        ] + [{"type": 2, "name": "whoosh at %d" % beat, "audio_sample": "resources/whoosh.wav", "beat": float(beat),
              "visible": "true", "control_points": {}} for beat in (15, 47, 79)],
    }
    with open(os.path.join(HERE, "content.dat.json"), "w") as out:
        json.dump(project, out, indent=2, sort_keys=True)
        out.write("\n")


def main():
    os.makedirs(RESOURCES, exist_ok=True)
    shutil.copyfile("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                    os.path.join(RESOURCES, "DejaVuSans-Bold.ttf"))
    make_logo()
    make_whoosh()
    make_project()
    make_music()


if __name__ == "__main__":
    main()
