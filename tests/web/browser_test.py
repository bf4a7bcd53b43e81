"""The exported example played by headless chromium, against what
quillfront-tool renders offline from the same project.

usage: browser_test.py TOOL EXAMPLE_DIR"""

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
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

import browser

TOOL = None
EXAMPLE = None
WIDTH, HEIGHT = 640, 360
MIX_RATE = 48000


def run_tool(*arguments, cwd):
    subprocess.run([str(TOOL), *map(str, arguments)], cwd=cwd, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def offline_frame(project, beat, out):
    """The frame quillfront-tool renders at `beat` (a whole number of beats at 10 frames a second)."""
    run_tool("render", project.name, out, "--size", "%dx%d" % (WIDTH, HEIGHT), "--fps", 10, "--from", beat,
             "--to", beat + 0.05, cwd=project.parent)
    return Image.open(next(Path(out).glob("frame-*.png"))).convert("RGB")


def mean_difference(a, b, mask=None):
    """Mean difference of the channels, 0 to 255, over the pixels `mask` leaves white."""
    return statistics.mean(ImageStat.Stat(ImageChops.difference(a, b), mask).mean)


def loudness(values, position, start):
    """The player's "sound" level at `position`: the mean magnitude of the first 100 values of
    the 1024 frames heard before it, over 100."""
    first = 2 * (position - 1024 - start)
    return sum(min(abs(v), 32767) for v in values[first:first + 100]) // 100


def export(project, folder):
    run_tool("export-web", project.name, folder, cwd=project.parent)


class WebPlayerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = Path(tempfile.mkdtemp(prefix="quillfront-web-"))
        cls.project = EXAMPLE / "content.dat.json"
        cls.site = cls.work / "site"
        export(cls.project, cls.site)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def held_frame(self, site, beat):
        with browser.serve(site) as url, browser.browser(WIDTH, HEIGHT) as driver:
            driver.get("%s?beat=%s&paused=1" % (url, beat))
            self.assertEqual(browser.wait_for_state(driver, ["paused", "failed"]), "paused")
            return browser.canvas_image(driver), browser.console_lines(driver)

    def test_a_held_moment_matches_the_offline_frame(self):
        shown, _ = self.held_frame(self.site, 42)
        self.assertEqual(shown.size, (WIDTH, HEIGHT))
        at42 = offline_frame(self.project, 42, self.work / "beat42")
        at30 = offline_frame(self.project, 30, self.work / "beat30")
        print("mean difference at beat 42: %.2f, against beat 30: %.2f" %
              (mean_difference(shown, at42), mean_difference(shown, at30)))
        self.assertLess(mean_difference(shown, at42), 8)
        self.assertGreater(mean_difference(shown, at30), 8)

    def test_the_title_text_is_drawn(self):
        shown, _ = self.held_frame(self.site, 8)
        offline = offline_frame(self.project, 8, self.work / "beat8")
        # The text: where the offline frame is near white, widened by the glyphs' edges.
        text = offline.convert("L").point(lambda v: 255 if v > 200 else 0)
        self.assertGreater(ImageStat.Stat(text).mean[0], 1, "the offline frame shows no text")
        around = text.filter(ImageFilter.MaxFilter(9))
        outside = around.point(lambda v: 255 - v)
        print("mean difference outside the text at beat 8: %.2f" % mean_difference(shown, offline, outside))
        self.assertLess(mean_difference(shown, offline, outside), 8)
        shown_text = shown.convert("L").point(lambda v: 255 if v > 200 else 0)
        covered = ImageStat.Stat(shown_text, around).mean[0] / 255
        drawn = ImageStat.Stat(text).mean[0] / 255
        self.assertGreater(covered / drawn, 0.5, "too little of the text is drawn")

    def test_the_picture_follows_the_music(self):
        start_beat = 40
        with browser.serve(self.site) as url, browser.browser(WIDTH, HEIGHT) as driver:
            driver.get("%s?beat=%d" % (url, start_beat))
            self.assertEqual(browser.wait_for_state(driver, ["ready", "failed"]), "ready")
            driver.find_element(By.ID, "canvas").click()
            time.sleep(2.5)
            frames = driver.execute_script("return window.quillfront.frames")
            ActionChains(driver).send_keys("f").perform()
            self.assertTrue(driver.execute_script("return document.fullscreenElement !== null"), "F gave no full screen")
        start = start_beat * MIX_RATE // 2  # 120 beats a minute
        heard = [f for f in frames if f["position"] > start + 1024]
        self.assertGreater(heard[-1]["position"] - heard[0]["position"], MIX_RATE * 3 // 2)

        out = self.work / "sound"
        run_tool("render", self.project.name, out, "--size", "64x36", "--fps", 10, "--from", start_beat, "--to",
                 start_beat + 6, cwd=self.project.parent)
        with wave.open(str(out / "sound.wav")) as sound:
            self.assertEqual(sound.getframerate(), MIX_RATE)
            raw = sound.readframes(sound.getnframes())
        values = memoryview(raw).cast("h")
        levels = [f["level"] for f in heard]
        self.assertGreater(max(levels) - min(levels), 1000, "the sound level stays constant")
        # The level is taken from 100 values (about a millisecond), so it swings with the
        # waveform's phase; the browser's decoder and resampler are not SDL_mixer's and
        # place the music a few dozen samples apart (53 here). Aligned by the best shift
        # within one frame at 60 frames a second, the levels agree within 5 %; a picture
        # out of step with the music by a frame or more would not.
        def mean_difference_at(shift):
            return statistics.mean(abs(f["level"] - loudness(values, f["position"] + shift, start)) for f in heard)

        difference, shift = min((mean_difference_at(shift), shift) for shift in range(-800, 801, 1))
        offline = statistics.mean(loudness(values, f["position"] + shift, start) for f in heard)
        print("sound level over %d frames: %d to %d; against the offline mix shifted %d samples, mean difference "
              "%.0f of a mean level %.0f" % (len(levels), min(levels), max(levels), shift, difference, offline))
        self.assertLess(difference, 0.05 * offline)

    def test_the_demo_ends_by_itself_at_its_end_beat(self):
        with browser.serve(self.site) as url, browser.browser(WIDTH, HEIGHT) as driver:
            for link in ("?beat=1e300&paused=1", "?beat=not-a-number&paused=1"):  # links people mistype
                driver.get(url + link)
                self.assertEqual(browser.wait_for_state(driver, ["paused", "failed"]), "paused", link)
            driver.get(url + "?beat=99")
            browser.wait_for_state(driver, ["ready"])
            driver.find_element(By.ID, "canvas").click()
            self.assertEqual(browser.wait_for_state(driver, ["ended"], timeout=10), "ended")
            last = driver.execute_script("return window.quillfront.frames.at(-1).beat")
        self.assertLessEqual(last, 100)

    def test_a_broken_shader_or_sample_is_skipped_and_the_rest_plays(self):
        broken = self.work / "broken"
        shutil.copytree(EXAMPLE, broken)
        with open(broken / "resources" / "bars.frag", "a") as shader:
            shader.write("\nthis line is not GLSL\n")
        sample = broken / "resources" / "whoosh.wav"
        sample.write_bytes(sample.read_bytes()[:200])  # its data chunk claims more than follows
        site = self.work / "broken-site"
        export(broken / self.project.name, site)
        shown, console = self.held_frame(site, 42)
        self.assertTrue(any("bars" in line or "ERROR" in line for line in console), console)
        self.assertTrue(any("stays silent" in line for line in console), console)
        sky = offline_frame(self.project, 42, self.work / "sky42")
        top = (0, 0, WIDTH, HEIGHT // 3)  # sky and stars, above the bars
        self.assertLess(mean_difference(shown.crop(top), sky.crop(top)), 8)
        bars = (0, HEIGHT * 5 // 6, WIDTH, HEIGHT)
        self.assertGreater(mean_difference(shown.crop(bars), sky.crop(bars)), 20, "the bars are still drawn")

    def test_a_damaged_project_shows_a_message(self):
        site = self.work / "damaged-site"
        shutil.copytree(self.site, site)
        demo = site / "demo.bin"
        demo.write_bytes(demo.read_bytes()[:5000])
        with browser.serve(site) as url, browser.browser(WIDTH, HEIGHT) as driver:
            driver.get(url)
            self.assertEqual(browser.wait_for_state(driver, ["failed", "ready"]), "failed")
            shown = driver.find_element(By.ID, "prompt").text
        self.assertIn("This demo cannot be played", shown)


if __name__ == "__main__":
    TOOL = Path(sys.argv[1]).resolve()
    EXAMPLE = Path(sys.argv[2]).resolve()
    unittest.main(argv=sys.argv[:1], verbosity=2)
