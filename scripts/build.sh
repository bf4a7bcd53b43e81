#!/bin/sh
# Configures and builds into a build directory; incremental when run again.
# Usage: build.sh BUILD_DIR [extra cmake options...]
set -eu
cd "$(dirname "$0")/.."
dir=$1
shift
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
