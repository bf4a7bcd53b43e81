"""A MIDI controller on JACK for the tests: opens an output "fader", writes
FOLDER/ready, waits for FOLDER/go, then sends control change 7 on channel 2
sweeping from 0 to 127, a system-exclusive message between each, and exits
once FOLDER/done exists (as a controller unplugged).

usage: midi_sender.py FOLDER   (JACK_DEFAULT_SERVER names the server)"""

import sys
import time
from pathlib import Path

import rtmidi

folder = Path(sys.argv[1])
deadline = time.monotonic() + 20
while True:  # the server may still be starting
    try:
        out = rtmidi.MidiOut(rtmidi.API_UNIX_JACK, name="sender")
        break
    except rtmidi.SystemError:
        if time.monotonic() > deadline:
            raise
        time.sleep(0.1)
out.open_virtual_port("fader")
(folder / "ready").touch()
deadline = time.monotonic() + 20
while not (folder / "go").exists() and time.monotonic() < deadline:
    time.sleep(0.01)
for value in range(128):
    out.send_message([0xB1, 7, value])
    out.send_message([0xF0, 0x7D, value, 0xF7])
    time.sleep(0.002)
deadline = time.monotonic() + 20
while not (folder / "done").exists() and time.monotonic() < deadline:
    time.sleep(0.01)
