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
