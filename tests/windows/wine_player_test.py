"""The exported Windows player of the example, run under wine on an X screen of
its own, against what quillfront-tool renders offline from the same project.

usage: wine_player_test.py TOOL WINE EXAMPLE_DIR   (DISPLAY set, nothing else on it)"""

import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import unittest
import wave
from pathlib import Path

from PIL import Image, ImageChops, ImageFilter, ImageStat

TOOL = None
WINE = None
EXAMPLE = None
MIX_RATE = 48000
BLOCK = MIX_RATE // 20  # frames in one 50 ms block of loudness


def run_tool(*arguments, cwd):
    subprocess.run([str(TOOL), *map(str, arguments)], cwd=cwd, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def screen_size():
    out = subprocess.run(["xdpyinfo"], check=True, capture_output=True, text=True).stdout
    line = next(l for l in out.splitlines() if "dimensions:" in l)
    width, height = line.split()[1].split("x")
    return int(width), int(height)


def screenshot(out):
    width, height = screen_size()
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "x11grab", "-video_size", "%dx%d" % (width, height),
                    "-i", os.environ["DISPLAY"], "-frames:v", "1", str(out)], check=True)
    return Image.open(out).convert("RGB")


def mean_difference(a, b, mask=None):
    """Mean difference of the channels, 0 to 255, over the pixels `mask` leaves white."""
    return statistics.mean(ImageStat.Stat(ImageChops.difference(a, b), mask).mean)


def loudness(samples, channels):
    """The mean magnitude of each 50 ms block of interleaved signed 16-bit samples."""
    step = BLOCK * channels
    return [sum(abs(v) for v in samples[i:i + step:channels]) / BLOCK for i in range(0, len(samples) - step, step)]


def correlation(a, b):
    mean_a, mean_b = statistics.fmean(a), statistics.fmean(b)
    covariance = sum((x - mean_a) * (y - mean_b) for x, y in zip(a, b))
    spread = (sum((x - mean_a) ** 2 for x in a) * sum((y - mean_b) ** 2 for y in b)) ** 0.5
    return covariance / spread if spread else 0.0


class WinePlayerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = Path(tempfile.mkdtemp(prefix="quillfront-wine-"))
        cls.project = EXAMPLE / "content.dat.json"
        cls.player = cls.work / "demo.exe"
        run_tool("export-player", cls.project.name, cls.player, "--target", "windows", cwd=EXAMPLE)
        # A fresh prefix; mscoree and mshtml off, or wine offers to install Mono and Gecko.
        # The machine may have no sound card: SDL's dummy driver unless a test asks for another.
        # Names outside ASCII reach the Linux side in UTF-8 only under a UTF-8 locale.
        cls.environment = dict(os.environ, WINEPREFIX=str(cls.work / "prefix"), WINEDEBUG="-all",
                               WINEDLLOVERRIDES="mscoree,mshtml=", QUILLFRONT_NO_MESSAGE_BOX="1",
                               SDL_AUDIODRIVER="dummy", LANG="C.UTF-8")
        started = time.monotonic()
        subprocess.run([WINE, "wineboot", "--init"], env=cls.environment, check=True, capture_output=True)
        print("wine prefix made in %.1f s" % (time.monotonic() - started))

    @classmethod
    def tearDownClass(cls):
        subprocess.run([str(Path(WINE).parent / "wineserver"), "-k"], env=cls.environment)
        shutil.rmtree(cls.work)

    def start(self, player, folder, **settings):
        """The player started under wine in `folder`, its output in folder/out.txt."""
        folder.mkdir(exist_ok=True)
        log = open(folder / "out.txt", "w")
        self.addCleanup(log.close)
        process = subprocess.Popen([WINE, str(player)], cwd=folder, env=dict(self.environment, **settings),
                                   stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(lambda: process.poll() is None and (process.kill(), process.wait()))
        return process

    def offline_frame(self, project, beat, size, out):
        """The frame quillfront-tool renders at `beat` (a whole number of beats at 10 frames a second)."""
        run_tool("render", project.name, out, "--size", "%dx%d" % size, "--fps", 10, "--from", beat, "--to",
                 beat + 0.05, cwd=project.parent)
        return Image.open(next(Path(out).glob("frame-*.png"))).convert("RGB")

    def held_screen(self, beat):
        """The player held at `beat`, its window read back once it shows the frame the tool
        renders there (or after a minute), with that frame and the running player."""
        folder = self.work / ("held%d" % beat)
        process = self.start(self.player, folder, QUILLFRONT_HOLD_BEAT=str(beat))
        width, height = screen_size()
        size = (width, width * 9 // 16)
        offline = self.offline_frame(self.project, beat, size, self.work / ("beat%d" % beat))
        # The loader screen comes first, for at least four seconds.
        deadline = time.monotonic() + 60
        while True:
            shown = screenshot(folder / "screen.png").crop((0, 0) + size)
            if mean_difference(shown, offline) < 8 or time.monotonic() > deadline or process.poll() is not None:
                return shown, offline, process, folder

    def test_a_held_beat_shows_the_offline_frame_and_escape_quits(self):
        shown, at42, process, folder = self.held_screen(42)
        at30 = self.offline_frame(self.project, 30, shown.size, self.work / "beat30")
        print("mean difference at beat 42: %.2f, against beat 30: %.2f" %
              (mean_difference(shown, at42), mean_difference(shown, at30)))
        self.assertLess(mean_difference(shown, at42), 8, (folder / "out.txt").read_text())
        self.assertGreater(mean_difference(shown, at30), 8)

        pressed = time.monotonic()
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        self.assertEqual(process.wait(timeout=10), 0)
        print("Escape quit the player in %.1f s" % (time.monotonic() - pressed))
        output = (folder / "out.txt").read_text()
        print("".join(l + "\n" for l in output.splitlines() if l.startswith(("OpenGL version", "Renderer"))), end="")
        self.assertIn("OpenGL version", output)

    def test_the_title_text_is_drawn(self):
        shown, offline, _, _ = self.held_screen(8)
        # The text: where the offline frame is near white, widened by the glyphs' edges.
        text = offline.convert("L").point(lambda v: 255 if v > 200 else 0)
        self.assertGreater(ImageStat.Stat(text).mean[0], 1, "the offline frame shows no text")
        around = text.filter(ImageFilter.MaxFilter(9))
        print("mean difference at beat 8: %.2f" % mean_difference(shown, offline))
        self.assertLess(mean_difference(shown, offline), 8)
        shown_text = shown.convert("L").point(lambda v: 255 if v > 200 else 0)
        self.assertGreater(ImageStat.Stat(shown_text, around).mean[0] / ImageStat.Stat(text).mean[0], 0.5,
                           "too little of the text is drawn")

    def test_it_plays_the_music_from_the_start_and_ends_at_the_end_beat(self):
        # The example ends at beat 100; this copy at beat 12, six seconds in.
        short = self.work / "short"
        shutil.copytree(EXAMPLE, short)
        project = short / self.project.name
        document = json.loads(project.read_text())
        document["end_beat"] = 12.0
        project.write_text(json.dumps(document))
        player = self.work / "short.exe"
        run_tool("export-player", project.name, player, "--target", "windows", cwd=short)
        folder = self.work / "played"
        started = time.monotonic()
        process = self.start(player, folder, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE="sound.raw")
        self.assertEqual(process.wait(timeout=60), 0, (folder / "out.txt").read_text())
        print("played to its end beat in %.1f s" % (time.monotonic() - started))

        # SDL's disk driver writes the device's format: signed 16-bit stereo at the mix rate,
        # the loader's jingle first. The player's sound must hold the offline mix of the first
        # beats: their loudness, block by block, correlates at some offset, at about the same
        # level. A missing, short or silent track has no such offset; nor has one with the
        # wrong music. Blocks of 50 ms, as the player starts a sample on the first frame that
        # reaches it, a frame or a few later under load than the offline mix at 60 frames a
        # second. Runs here gave 0.93 to 0.99; against beats 41 to 51 of the same music, the
        # best offset gave 0.46.
        raw = (folder / "sound.raw").read_bytes()
        heard = loudness(memoryview(raw[:len(raw) // 2 * 2]).cast("h"), 2)
        run_tool("render", project.name, self.work / "offline-sound", "--size", "64x36", "--fps", 60, "--from", 0,
                 "--to", 12, cwd=short)
        with wave.open(str(self.work / "offline-sound" / "sound.wav")) as sound:
            self.assertEqual(sound.getframerate(), MIX_RATE)
            offline = loudness(memoryview(sound.readframes(sound.getnframes())).cast("h"), sound.getnchannels())
        span = offline[10:110]  # beats 1 to 11
        self.assertGreater(len(heard), len(span), "the player's sound is shorter than the music it played")
        best, offset = max((correlation(heard[o:o + len(span)], span), o) for o in range(len(heard) - len(span)))
        level = statistics.fmean(heard[offset:offset + len(span)]) / statistics.fmean(span)
        print("sound: %.1f s written; loudness against the offline mix: correlation %.3f at %.2f s, level %.2f" %
              (len(heard) / 20, best, offset / 20, level))
        self.assertGreater(best, 0.8)
        self.assertTrue(0.8 < level < 1.25, level)

    def test_a_damaged_or_missing_project_is_reported(self):
        damaged = self.work / "damaged.exe"
        data = bytearray(self.player.read_bytes())
        length = int.from_bytes(data[-8:-4], "little")
        start = len(data) - 8 - length
        data[start:start + 64] = bytes(64)  # the project's header, zeroed
        damaged.write_bytes(data)
        folder = self.work / "damaged"
        process = self.start(damaged, folder)
        self.assertEqual(process.wait(timeout=60), 1)
        report = (folder / "crash.txt").read_text()
        print(report)
        self.assertTrue(report.startswith("Fatal error: "), report)
        self.assertIn("damaged.exe", report)

        bare = self.work / "bare.exe"
        shutil.copy(TOOL.parent / "windows" / "quillfront-player.exe", bare)
        folder = self.work / "bare"
        process = self.start(bare, folder)
        self.assertEqual(process.wait(timeout=60), 2)
        self.assertIn("No demo is appended to this player", (folder / "out.txt").read_text())
        self.assertFalse((folder / "crash.txt").exists())

    def test_the_player_needs_only_what_windows_has(self):
        headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(self.player)], check=True,
                                 capture_output=True, text=True).stdout
        imported = {line.split()[-1].lower() for line in headers.splitlines() if "DLL Name:" in line}
        windows_own = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
                       "oleaut32.dll", "imm32.dll", "version.dll", "winmm.dll", "setupapi.dll", "msvcrt.dll",
                       "opengl32.dll"}
        self.assertTrue(imported <= windows_own, imported - windows_own)
        print("player: %.1f MB, importing %s" % (self.player.stat().st_size / 1e6, ", ".join(sorted(imported))))

    def test_files_with_names_outside_ascii_are_written_replaced_and_listed(self):
        folder = self.work / "platform"
        folder.mkdir()
        check = subprocess.run([WINE, str(TOOL.parent / "windows" / "quillfront-platform-check.exe")], cwd=folder,
                               env=self.environment, capture_output=True, text=True, timeout=60)
        self.assertEqual(check.returncode, 0, check.stdout)
        self.assertEqual(sorted(p.name for p in (folder / "D\u00e9mo \u00fcn\u00ef").iterdir()),
                         ["pr\u00f8ject.json"])


if __name__ == "__main__":
    TOOL = Path(sys.argv[1]).resolve()
    WINE = sys.argv[2]
    EXAMPLE = Path(sys.argv[3]).resolve()
    unittest.main(argv=sys.argv[:1], verbosity=2)
