#!/bin/sh
# The real program killed with SIGKILL at random moments while an author edits:
# each run starts it on the same folder, shows the editor and raises the BPM
# one click at a time (saving now and then) until the kill. After every kill
# the project file and the recovery copy are each absent or a whole project,
# and the newer of them holds every click made more than one autosave interval
# before the kill (plus a second for the click to arrive and the copy to be
# written). At the end a new start offers "Recover autosave", which brings the
# last copy back.
# Usage: autosave_kill_end_to_end.sh path/to/quillfront path/to/quillfront-tool [KILLS [SEED]]
# The kill moments and the saves come from SEED (printed when none is given),
# so a run that fails can be repeated with the same ones.
set -u
here=$(dirname "$(realpath "$0")")
exe=$(realpath "$1")
tool=$(realpath "$2")
kills=${3:-3}
seed=${4:-$(($(date +%s%N) / 1000 % 1000000007))}

if [ -z "${QUILLFRONT_E2E_INNER:-}" ]; then
    export QUILLFRONT_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$exe" "$tool" "$kills" "$seed"
fi
echo "kill moments from seed $seed (give it as the fourth argument to repeat them)"

# Sets `drawn` to a number from 0 to $1 - 1, the next of the seed's sequence.
random=$seed
draw() {
    random=$(((random * 1103515245 + 12345) % 2147483648))
    drawn=$(((random / 65536) % $1))
}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/end_to_end_helpers.sh"

# The editor on a 1280 x 1024 screen: the window is 1280 x 720, centred, the
# main window's transport row near its bottom.
bpm_plus_x=541
bpm_plus_y=728
file_menu_x=160
file_menu_y=161
recover_item_y=218
interval=1
margin_ms=1000

# One red effect event; the tempo is what the author changes.
mkdir -p "$work/project"
cd "$work/project" || exit 1
write_red_project content.dat.json 480
copy=.content.dat.recovery.demo

now_ms() { date +%s%3N; }

# The tempo file $1 holds; "absent", or "damaged" when it is there but does not load cleanly.
bpm_of() {
    [ -e "$1" ] || { echo absent; return; }
    if ! "$tool" check "$1" >/dev/null 2>&1; then
        echo damaged
        return
    fi
    "$tool" info "$1" | sed -n 's/^bpm: //p'
}

# Starts the program, waits for the demo's red and shows the editor.
start_editor() {
    rm -f imgui.ini
    QUILLFRONT_AUTOSAVE_SECONDS=$interval SDL_AUDIODRIVER=dummy "$exe" >>"$work/console.txt" 2>&1 &
    pid=$!
    window=$(find_window)
    [ -n "$window" ] || return 1
    wait_for_colour "$window" 15 "255 0 0"
    xdotool windowfocus --sync "$window"
    ctrl_key t
    sleep 0.5
}

click_at() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.08
    xdotool mouseup 1
}

clicks=0 # every click since the first run: the tempo is 130 plus the clicks the program saw
run=1
while [ $run -le "$kills" ]; do
    if ! start_editor; then
        fail "run $run: no window appeared"
        break
    fi
    draw 4001
    kill_at=$(($(now_ms) + 1000 + drawn))
    : >"$work/clicks.txt"
    while [ "$(now_ms)" -lt "$kill_at" ]; do
        click_at $bpm_plus_x $bpm_plus_y
        clicks=$((clicks + 1))
        echo "$(now_ms) $clicks" >>"$work/clicks.txt"
        draw 10
        if [ "$drawn" = 0 ]; then
            ctrl_key s
        fi
        sleep 0.05
    done
    kill -KILL "$pid"
    killed=$(now_ms)
    wait "$pid" 2>/dev/null

    project_bpm=$(bpm_of content.dat.json)
    copy_bpm=$(bpm_of $copy)
    case "$project_bpm" in absent | damaged) fail "run $run: the project file is $project_bpm" ;; esac
    [ "$copy_bpm" = damaged ] && fail "run $run: the recovery copy is damaged"
    newest=$project_bpm
    [ "$copy_bpm" != absent ] && [ "$copy_bpm" != damaged ] && [ "$copy_bpm" -gt "$newest" ] 2>/dev/null &&
        newest=$copy_bpm
    # The clicks made more than an interval and a margin before the kill, counted from the first run.
    due=$(awk -v before=$((killed - interval * 1000 - margin_ms)) '$1 < before { n = $2 } END { print n + 0 }' \
        "$work/clicks.txt")
    [ "$due" -gt 0 ] && [ "$newest" -lt $((130 + due)) ] 2>/dev/null &&
        fail "run $run: the files hold a tempo of $newest; the clicks before $((interval * 1000 + margin_ms)) ms ahead of the kill made it $((130 + due))"
    echo "run $run: $clicks clicks so far; project file at $project_bpm BPM, recovery copy at $copy_bpm BPM"
    # The next start loads the project file: make it the newest work, as
    # recovering and saving would, and count the clicks from there (the
    # program may have missed some).
    if [ "$newest" != "$project_bpm" ]; then
        "$tool" convert $copy content.dat.json >/dev/null || fail "run $run: the copy does not convert"
        rm -f $copy
    fi
    clicks=$((newest - 130))
    run=$((run + 1))
done

echo "== a new start offers the recovery copy and recovers it"
# Three clicks left unsaved for longer than the interval, then a kill.
start_editor || fail "no window appeared for the last edits"
for click in 1 2 3; do
    click_at $bpm_plus_x $bpm_plus_y
    sleep 0.1
done
sleep $((interval + 1))
kill -KILL "$pid"
wait "$pid" 2>/dev/null
expected=$(bpm_of $copy)
[ "$expected" = "$(($(bpm_of content.dat.json) + 3))" ] ||
    fail "the copy holds $expected BPM, not the three clicks above the project file's $(bpm_of content.dat.json)"
if start_editor; then
    click_at $file_menu_x $file_menu_y
    sleep 0.3
    # "Recover autosave" is the third item, after the two loads.
    click_at $file_menu_x $recover_item_y
    sleep 0.5
    ctrl_key s
    sleep 0.5
    [ "$(bpm_of content.dat.json)" = "$expected" ] ||
        fail "recovering and saving gave $(bpm_of content.dat.json) BPM, not the copy's $expected"
    [ ! -e $copy ] || fail "the save left the recovery copy"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
else
    fail "no window appeared for the recovery"
fi

if [ $failures -ne 0 ]; then
    sed 's/^/  console: /' "$work/console.txt" | tail -n 40
    exit 1
fi
echo "all passed"
