# Shell functions shared by the end-to-end scripts; sourced, not run.

# True while process $1 runs (a zombie has ended, it only waits to be reaped).
alive() { [ -r "/proc/$1/stat" ] && ! grep -q ') Z ' "/proc/$1/stat"; }

# Waits up to $2 seconds for our child $1 to end; sets status to its exit status,
# or "running". Not run in a subshell: only this shell can reap its child.
wait_for_exit() {
    i=0
    while alive "$1" && [ $i -lt $(($2 * 10)) ]; do
        sleep 0.1
        i=$((i + 1))
    done
    if alive "$1"; then
        status=running
    else
        wait "$1"
        status=$?
    fi
}

# Holds Ctrl while key $1 is pressed and released, as a person does; xdotool's
# own "ctrl+t" can let go of Ctrl before the key.
ctrl_key() {
    xdotool keydown ctrl
    sleep 0.05
    xdotool key "$1"
    sleep 0.05
    xdotool keyup ctrl
    sleep 0.2
}

# Big-endian unsigned 32-bit number at byte $2 of file $1.
u32() { od -A n -t u4 --endian=big -j "$2" -N 4 "$1" | tr -d ' '; }

# Red, green and blue at the centre of window $1, from an XWD dump (32-bit pixels,
# LSB first) kept in the caller's $work folder.
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

# Writes to $1 a project of one red effect event over the whole demo, which ends at beat $2.
write_red_project() {
    cat >"$1" <<JSON
{
  "audio_samples" : [],
  "beat_offset" : 0.500000,
  "bpm" : 130.000000,
  "effects" : [{"name" : "red", "textures" : [], "effects" : [], "program" : "red.frag",
                "feedback" : false, "screen_texture" : false}],
  "end_beat" : $2.000000,
  "event_groups" : [],
  "events" : [{"type" : 1, "name" : "all red", "visible" : "true", "effect" : "red",
               "start_beat" : -1.000000, "end_beat" : $2.000000, "control_points" : {}}],
  "music" : "",
  "shaders" : [{"vertex_shader_filename" : "default.vert",
                "vertex_shader_source" : "#version 150\nin vec3 vp;\nvoid main() { gl_Position = vec4(vp, 1.0); }\n",
                "fragment_shader_filename" : "red.frag",
                "fragment_shader_source" : "#version 150\nout vec4 c;\nvoid main() { c = vec4(1.0, 0.0, 0.0, 1.0); }\n",
                "uniform_defs" : []}],
  "textures" : []
}
JSON
}
