#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite on a virtual
# X screen with SDL's dummy audio driver.
# Usage: test.sh [--sanitize]   (--sanitize: AddressSanitizer + UBSan build in build-asan)
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

dir=build
# Everything on, whatever run.sh left in the build's cache.
options="-DQUILLFRONT_WERROR=ON -DQUILLFRONT_TESTS=ON -DQUILLFRONT_WEB=ON -DQUILLFRONT_WINDOWS=ON -DQUILLFRONT_FUZZ=ON -DQUILLFRONT_BENCHMARKS=ON"
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    # The fuzz targets are sanitizer builds already, and the WebAssembly and
    # Windows builds are other compilers': the normal run has them.
    options="$options -DQUILLFRONT_SANITIZE=ON -DQUILLFRONT_FUZZ=OFF -DQUILLFRONT_WEB=OFF -DQUILLFRONT_WINDOWS=OFF"
    options="$options -DQUILLFRONT_BENCHMARKS=OFF"
    # Mesa and SDL keep allocations for the life of the process; only our own
    # errors matter here.
    export ASAN_OPTIONS=detect_leaks=0
fi
./scripts/build.sh "$dir" $options

export SDL_AUDIODRIVER=dummy
# -noreset: Xvfb otherwise resets whenever its last client leaves, and a test
# connecting in that moment finds no display.
exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
    ctest --test-dir "$dir" --output-on-failure --parallel 2
