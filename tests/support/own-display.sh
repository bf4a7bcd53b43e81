#!/bin/sh
# Runs a command on a virtual X screen of its own, which the X server numbers
# itself (-displayfd), so that GUI tests moving the pointer and taking the
# keyboard focus can run side by side. The program's window fills the screen's
# width and software rendering costs by the pixel: a laptop's 1280 x 720 screen
# takes half the time of 1920 x 1080.
# Usage: own-display.sh COMMAND [ARGUMENTS...]
set -u
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$dir"' EXIT
# The number is written, with a newline, once the screen takes clients.
until grep -q . "$dir/display" 2>/dev/null; do
    if ! kill -0 $server 2>/dev/null; then
        echo "own-display.sh: Xvfb did not start:" >&2
        cat "$dir/log" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=":$(cat "$dir/display")" "$@"
