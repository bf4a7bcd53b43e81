#!/bin/sh
# Builds and runs the benchmarks on a virtual 1920x1080 X screen.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
exec xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/quillfront_bench "$@"
