#!/bin/sh
# The autosave's full kill test: the real program killed with SIGKILL at 50
# random moments while an author edits (the suite runs 3). Takes about six minutes.
# Usage: kill-test.sh [KILLS [SEED]]   (SEED repeats the moments of an earlier run, which prints its own)
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
exec tests/app/autosave_kill_end_to_end.sh build/quillfront build/quillfront-tool "${1:-50}" ${2:+"$2"}
