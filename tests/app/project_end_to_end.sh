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

# One red effect event over the whole demo, which ends at beat 10 (about 5 s at 130 BPM).
mkdir -p "$work/project"
write_red_project "$work/project/content.dat.json" 10

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
