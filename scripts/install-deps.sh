#!/bin/sh
# Installs the Debian packages Quillfront builds, runs and tests with.
# Usage: install-deps.sh [--program]
#   --program: only what building and running the program needs (run.sh);
#   otherwise also the tests', the web and Windows players', the fuzzers' and
#   the benchmarks'; the Windows player's libraries are built by windows-deps.sh.
# Safe to run again: apt-get skips what is already there, and the package
# lists are refreshed only when something is missing.
set -eu

PACKAGES="
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-image-dev libsdl2-ttf-dev
  libglew-dev libgl-dev libgl1-mesa-dri libkissfft-dev libimgui-dev libpng-dev
  libfast-float-dev libfmt-dev libstb-dev librtmidi-dev libasound2-dev liblo-dev libjack-jackd2-dev
"
if [ "${1:-}" != "--program" ]; then
    PACKAGES="$PACKAGES
  emscripten node-acorn
  chromium chromium-driver python3-selenium python3-pil
  libgtest-dev libgmock-dev libbenchmark-dev rapidjson-dev liblz4-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-utils x11-apps fonts-dejavu-core locales
  ffmpeg slurm-wlm munge parallel openssh-server openssh-client rsync
  mingw-w64 wine64 dpkg-dev
  jackd2 liblo-tools python3-rtmidi
"
fi

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
windows_libraries() {
    [ "${1:-}" = "--program" ] || "$(dirname "$0")/windows-deps.sh"
}
if [ -z "$missing" ]; then
    windows_libraries "${1:-}"
    exit 0
fi

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
windows_libraries "${1:-}"
