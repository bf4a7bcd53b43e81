#!/bin/sh
# The real executables with real project files on their own X screen: a folder
# with "content.dat.json" plays that project, and a player exported with
# quillfront-tool plays in an empty folder, ignores Ctrl keys and quits by
# itself after its end beat.
# Usage: project_end_to_end.sh path/to/quillfront path/to/quillfront-tool
set -u
here=$(dirname "$(realpath "$0")")
exe=$(realpath "$1")
tool=$(realpath "$2")

if [ -z "${QUILLFRONT_E2E_INNER:-}" ]; then
    export QUILLFRONT_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$exe" "$tool"
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$here/end_to_end_helpers.sh"

# Big-endian unsigned 32-bit number at byte $2 of file $1.
u32() { od -A n -t u4 --endian=big -j "$2" -N 4 "$1" | tr -d ' '; }

# Red, green and blue at the centre of window $1, from an XWD dump (32-bit pixels, LSB first).
centre_colour() {
    xwd -id "$1" -silent >"$work/shot.xwd" 2>/dev/null || return
    header=$(u32 "$work/shot.xwd" 0)
    width=$(u32 "$work/shot.xwd" 16)
    height=$(u32 "$work/shot.xwd" 20)
    line=$(u32 "$work/shot.xwd" 48)
    colours=$(u32 "$work/shot.xwd" 76)
    at=$((header + colours * 12 + (height / 2) * line + (width / 2) * 4))
    od -A n -t u1 -j "$at" -N 3 "$work/shot.xwd" | awk '{ print $3, $2, $1 }'
}

# Waits up to $2 seconds for window $1's centre to show colour $3 ("r g b").
wait_for_colour() {
    i=0
    while [ $i -lt $(($2 * 4)) ]; do
        [ "$(centre_colour "$1")" = "$3" ] && return 0
        sleep 0.25
        i=$((i + 1))
    done
    return 1
}

find_window() {
    timeout 30 xdotool search --sync --name '^Quillfront by Vexlane$' | head -n 1
}

# One red effect event over the whole demo, which ends at beat 10 (about 5 s at 130 BPM).
mkdir -p "$work/project"
cat >"$work/project/content.dat.json" <<'JSON'
{
  "audio_samples" : [],
  "beat_offset" : 0.500000,
  "bpm" : 130.000000,
  "effects" : [{"name" : "red", "textures" : [], "effects" : [], "program" : "red.frag",
                "feedback" : false, "screen_texture" : false}],
  "end_beat" : 10.000000,
  "event_groups" : [],
  "events" : [{"type" : 1, "name" : "all red", "visible" : "true", "effect" : "red",
               "start_beat" : -1.000000, "end_beat" : 100.000000, "control_points" : {}}],
  "music" : "",
  "shaders" : [{"vertex_shader_filename" : "default.vert",
                "vertex_shader_source" : "#version 150\nin vec3 vp;\nvoid main() { gl_Position = vec4(vp, 1.0); }\n",
                "fragment_shader_filename" : "red.frag",
                "fragment_shader_source" : "#version 150\nout vec4 c;\nvoid main() { c = vec4(1.0, 0.0, 0.0, 1.0); }\n",
                "uniform_defs" : []}],
  "textures" : []
}
JSON

echo "== content.dat.json plays and ends at its end beat"
cd "$work/project" || exit 1
SDL_AUDIODRIVER=dummy "$exe" >"$work/console.txt" 2>&1 &
pid=$!
window=$(find_window)
if [ -z "$window" ]; then
    fail "no window appeared"
else
    wait_for_colour "$window" 20 "255 0 0" || fail "the project's red never showed"
fi
wait_for_exit "$pid" 30
[ "$status" = 0 ] || fail "expected the demo to end by itself with status 0, got $status"
! grep -qi "error" "$work/console.txt" || fail "a clean start printed an error"

echo "== an exported player plays in an empty folder, ignores Ctrl keys and ends by itself"
"$tool" export-player content.dat.json "$work/demo.exe" --player "$exe" || fail "export-player failed"
"$tool" export-player content.dat.json "$work/again.exe" --player "$exe" >/dev/null
cmp -s "$work/demo.exe" "$work/again.exe" || fail "two exports of one project differ"
mkdir -p "$work/empty"
cd "$work/empty" || exit 1
SDL_AUDIODRIVER=dummy "$work/demo.exe" >"$work/player.txt" 2>&1 &
pid=$!
window=$(find_window)
if [ -z "$window" ]; then
    fail "no player window appeared"
else
    wait_for_colour "$window" 20 "255 0 0" || fail "the player's red never showed"
    # Had Ctrl+T opened the editor, the demo would no longer end by itself.
    xdotool windowfocus --sync "$window"
    ctrl_key t
fi
wait_for_exit "$pid" 30
[ "$status" = 0 ] || fail "expected the player to end by itself with status 0, got $status"
[ ! -e "$work/empty/content.dat.json" ] || fail "the player wrote into its folder"

if [ $failures -ne 0 ]; then
    sed 's/^/  console: /' "$work/console.txt" "$work/player.txt"
    exit 1
fi
echo "all passed"
