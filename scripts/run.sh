#!/bin/sh
# Installs what is missing, builds the program (not the tests, benchmarks or
# the web player), and plays the bundled example project.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --program
# Only the program: no tests, web player, fuzzers or benchmarks to configure.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLFRONT_TESTS=OFF -DQUILLFRONT_WEB=OFF \
    -DQUILLFRONT_FUZZ=OFF -DQUILLFRONT_BENCHMARKS=OFF >/dev/null
cmake --build build --parallel "$(nproc)" --target quillfront
cd examples/first-light
exec ../../build/quillfront
