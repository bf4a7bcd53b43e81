"""Helpers for driving the exported web player in Debian's headless chromium:
a local web server for an exported folder, the browser with its WebGL 2
(SwiftShader) and sound allowed without a gesture, and the canvas read back."""

import base64
import contextlib
import functools
import http.server
import io
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


@contextlib.contextmanager
def serve(folder):
    """Serves `folder` on a free local port; yields the base URL."""
    handler = functools.partial(QuietHandler, directory=str(folder))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield "http://127.0.0.1:%d/" % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def browser(width, height):
    """Headless chromium whose page is `width` x `height` CSS pixels at one device pixel each."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-dev-shm-usage", "--use-angle=swiftshader",
                     "--enable-unsafe-swiftshader", "--ignore-gpu-blocklist", "--autoplay-policy=no-user-gesture-required",
                     "--force-device-scale-factor=1", "--window-size=%d,%d" % (width, height)):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
        yield driver
    finally:
        driver.quit()


def wait_for_state(driver, states, timeout=60):
    """Waits until the player's state is one of `states`; returns it."""
    deadline = time.monotonic() + timeout
    state = None
    while time.monotonic() < deadline:
        state = driver.execute_script("return window.quillfront ? window.quillfront.state : null")
        if state in states:
            return state
        time.sleep(0.1)
    raise AssertionError("the player stayed in state %r, not %r" % (state, states))


def canvas_image(driver):
    """The canvas as an RGB image."""
    url = driver.execute_script("return document.getElementById('canvas').toDataURL('image/png')")
    return Image.open(io.BytesIO(base64.b64decode(url.split(",", 1)[1]))).convert("RGB")


def console_lines(driver):
    return [entry["message"] for entry in driver.get_log("browser")]
