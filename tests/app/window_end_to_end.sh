#!/bin/sh
# Starts the real executable on its own 1280x800 X screen and drives it with
# real key events: the window's size and decoration, Escape, Ctrl+T, the window
# close request and the exit statuses.
# Usage: window_end_to_end.sh path/to/quillfront
set -u
here=$(dirname "$(realpath "$0")")
exe=$(realpath "$1")

if [ -z "${QUILLFRONT_E2E_INNER:-}" ]; then
    export QUILLFRONT_E2E_INNER=1
    # Xvfb keeps the screen's image in a file here, so we can see what the program shows.
    QUILLFRONT_E2E_SCREEN_DIR=$(mktemp -d)
    export QUILLFRONT_E2E_SCREEN_DIR
    # -noreset keeps atoms interned below alive between our short-lived X clients.
    exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset -fbdir $QUILLFRONT_E2E_SCREEN_DIR" "$0" "$exe"
fi
screen="$QUILLFRONT_E2E_SCREEN_DIR/Xvfb_screen0"

# With no window manager around nobody has interned the Motif hints atom, and SDL
# then marks borderless windows in another way; intern it as a window manager would.
xprop -root -f _MOTIF_WM_HINTS 32c -set _MOTIF_WM_HINTS "0, 0, 0, 0, 0"

failures=0
fail() {
    echo "FAIL: $*"
    [ -f "$work/console.txt" ] && sed 's/^/  console: /' "$work/console.txt"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work" "$QUILLFRONT_E2E_SCREEN_DIR"' EXIT
cd "$work" || exit 1

. "$here/end_to_end_helpers.sh"

# The colour of screen pixel ($1, $2) as "R G B". The screen file is an XWD image:
# a big-endian header (its size in field 0, the bytes per row in field 12, the
# colour map's length in field 19), 12 bytes per colour map entry, then rows of
# 32-bit pixels stored B, G, R, unused.
screen_pixel() {
    # shellcheck disable=SC2046
    set -- "$1" "$2" $(od -An -tu4 --endian=big -N80 "$screen")
    offset=$(($3 + ${22} * 12 + $2 * ${15} + $1 * 4))
    od -An -tu1 -j "$offset" -N3 "$screen" | awk '{ print $3, $2, $1 }'
}

# Waits up to 60 seconds for the loader screen to give way to the main loop; until
# then the program discards all input. The loader leaves the window's top left
# black, where the main loop of the empty project shows its clear colour
# (0.45, 0.55, 0.60).
wait_for_main_loop() {
    x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $4 }')
    y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $4 }')
    i=0
    until screen_pixel $((x + 10)) $((y + 10)) |
        awk '{ exit !(($1 - 115)^2 <= 4 && ($2 - 140)^2 <= 4 && ($3 - 153)^2 <= 4) }'; do
        [ $i -ge 600 ] && return 1
        sleep 0.1
        i=$((i + 1))
    done
}

start_program() {
    SDL_AUDIODRIVER=dummy "$exe" >"$work/console.txt" 2>&1 &
    pid=$!
    window=$(timeout 30 xdotool search --sync --name '^Quillfront by Vexlane$' | head -n 1)
    if [ -z "$window" ]; then
        fail "no window appeared"
        kill "$pid" 2>/dev/null
        return 1
    fi
    # No window manager runs under Xvfb: focus the window ourselves.
    xdotool windowfocus --sync "$window"
    if ! wait_for_main_loop; then
        fail "the loader screen did not end"
        kill "$pid" 2>/dev/null
        return 1
    fi
}

echo "== window at 1280x720 on a 1280x800 screen, Escape quits"
if start_program; then
    geometry=$(xwininfo -id "$window")
    echo "$geometry" | grep -q "Width: 1280" || fail "window width: $geometry"
    echo "$geometry" | grep -q "Height: 720" || fail "window height: $geometry"
    # Borderless windows ask for no decorations through the Motif hints (flags 2, decorations 0).
    hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
    echo "$hints" | grep -Eq '= 0x2, 0x0, 0x0' || fail "window has decorations: $hints"
    grep -q "OpenGL version: " console.txt || fail "no GL strings on the console"

    xdotool key Escape
    wait_for_exit "$pid" 10
    [ "$status" = 0 ] || fail "Escape: expected exit status 0, got $status"
fi

echo "== Ctrl+T twice, then Escape keeps it running; closing the window ends it"
if start_program; then
    ctrl_key t
    ctrl_key t
    xdotool key Escape
    wait_for_exit "$pid" 2
    [ "$status" = running ] || fail "Escape after the editor was shown ended the program ($status)"
    # SDL turns SIGTERM into the same quit event as a window close request.
    kill -TERM "$pid"
    wait_for_exit "$pid" 10
    [ "$status" = 0 ] || fail "window close: expected exit status 0, got $status"
fi

echo "== the editor: Ctrl+T shows it, Ctrl+S saves the project form, which loads again; Ctrl+Q ends"
if start_program; then
    ctrl_key t
    sleep 0.5
    # The menu bar across the top of the window, in the GUI's dark grey.
    screen_pixel $((x + 5)) $((y + 5)) | awk '{ exit !($1 < 60 && $1 == $2 && $2 == $3) }' ||
        fail "no menu bar after Ctrl+T: $(screen_pixel $((x + 5)) $((y + 5)))"
    ctrl_key s
    sleep 0.5
    grep -q '"bpm"' untitled.demo.json 2>/dev/null || fail "Ctrl+S wrote no project file"
    ctrl_key q
    wait_for_exit "$pid" 10
    [ "$status" = 0 ] || fail "Ctrl+Q: expected exit status 0, got $status"
fi
if [ -f untitled.demo.json ]; then
    mv untitled.demo.json content.dat.json
    if start_program; then
        ctrl_key t
        ctrl_key q
        wait_for_exit "$pid" 10
        [ "$status" = 0 ] || fail "Ctrl+Q on the saved project: expected exit status 0, got $status"
    fi
    rm -f content.dat.json
fi

echo "== an audio device that cannot open ends start-up with status 255"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/missing/dir/out.raw" "$exe" >/dev/null 2>&1 &
wait_for_exit $! 20
[ "$status" = 255 ] || fail "audio device failure: expected 255, got $status"

echo "== no display ends start-up with status 1"
DISPLAY=:9999 "$exe" >/dev/null 2>&1 &
wait_for_exit $! 20
[ "$status" = 1 ] || fail "SDL failure: expected 1, got $status"

[ $failures -eq 0 ] && echo "all passed"
exit $failures
