#!/bin/sh
# Builds and runs the benchmarks; the rendering ones on a virtual 1920x1080 X screen.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
build/bench/quillfront_encodings_bench "$@"
build/bench/quillfront_codeeditor_bench "$@"
xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/quillfront_editor_bench "$@"
exec xvfb-run -a -s "-screen 0 3840x2160x24" build/bench/quillfront_render_bench "$@"
