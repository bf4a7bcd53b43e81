"""Figures of the exported example in headless chromium: the folder's size
without the project, the time from the click to the first frame, and the
frames a second at 1280 x 720 over ten seconds of play.

usage: /usr/bin/python3 bench/web_figures.py TOOL EXAMPLE_DIR"""

import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
import browser  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402


def main(tool, example):
    with tempfile.TemporaryDirectory() as work:
        site = Path(work) / "site"
        subprocess.run([tool, "export-web", "content.dat.json", site], cwd=example, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        player = sum(f.stat().st_size for f in site.iterdir() if f.name != "demo.bin")
        print("folder without the project: %d bytes (%.2f MB)" % (player, player / 1e6))
        with browser.serve(site) as url, browser.browser(1280, 720) as driver:
            driver.get(url + "?beat=16")
            browser.wait_for_state(driver, ["ready"])
            driver.find_element(By.ID, "canvas").click()
            time.sleep(10)
            player_state = driver.execute_script("return window.quillfront")
        frames = player_state["frames"]
        seconds = (frames[-1]["position"] - frames[0]["position"]) / 48000
        print("click to first frame: %.1f ms" % player_state["firstFrameMs"])
        print("%d frames in %.2f s of music: %.1f frames a second at 1280 x 720" %
              (len(frames), seconds, len(frames) / seconds))


if __name__ == "__main__":
    main(Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve())
