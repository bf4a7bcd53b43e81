#!/bin/sh
# Installs what is missing, builds the program (not the tests, benchmarks or
# the web player), and plays the bundled example project.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target quillfront
cd examples/first-light
exec ../../build/quillfront
