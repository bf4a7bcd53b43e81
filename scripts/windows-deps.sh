#!/bin/sh
# Builds the libraries the Windows player links statically, from Debian's own
# source packages, with Debian's mingw-w64: SDL2 (trimmed to what a player
# uses), SDL2_mixer (with its own MP3 and Ogg decoders) and GLEW. They are kept
# outside the checkout, so a second run returns at once.
# Usage: windows-deps.sh   (the packages it needs: install-deps.sh)
# The folder: $QUILLFRONT_WINDOWS_DEPS, by default ~/.cache/quillfront/windows.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
deps=${QUILLFRONT_WINDOWS_DEPS:-${HOME}/.cache/quillfront/windows}
prefix=$deps/prefix
done_mark=$prefix/.built-sdl2-2.26-mixer-2.6-glew-2.2
[ -f "$done_mark" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# apt-get source needs the source lists, which a stock installation lacks.
sources=/etc/apt/sources.list.d/quillfront-sources.sources
if [ ! -f "$sources" ]; then
    printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" "Suites: bookworm bookworm-updates" \
        "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" | $SUDO tee "$sources" >/dev/null
    $SUDO apt-get update -qq
fi

rm -rf "$deps/source" "$prefix"
mkdir -p "$deps/source" "$prefix"
cd "$deps/source"
apt-get source -qq libsdl2 libsdl2-mixer glew >/dev/null 2>&1 || apt-get source libsdl2 libsdl2-mixer glew

toolchain=$root/windows/mingw-toolchain.cmake
jobs=$(nproc)
configure() {
    cmake -S "$1" -B "$1/build-windows" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -Wno-dev "$@" >/dev/null
}
build_and_install() {
    cmake --build "$1/build-windows" --parallel "$jobs" >/dev/null
    cmake --install "$1/build-windows" >/dev/null
}

# A player needs video, OpenGL, audio, events and timers; nothing for
# joysticks, haptics, sensors, Direct3D or Vulkan.
sdl=$(echo libsdl2-2.*+dfsg)
configure "$sdl" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_UNINSTALL=ON \
    -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_HIDAPI=OFF -DSDL_POWER=OFF -DSDL_RENDER=OFF -DSDL_LOCALE=OFF \
    -DSDL_MISC=OFF -DSDL_JOYSTICK=OFF -DSDL_DIRECTX=OFF -DSDL_RENDER_D3D=OFF -DSDL_VULKAN=OFF -DSDL_XINPUT=OFF \
    -DSDL_OPENGLES=OFF
build_and_install "$sdl"

# Music and samples as Debian's build on Linux reads them: MP3 through dr_mp3,
# Ogg Vorbis through stb_vorbis, FLAC through dr_flac, and WAVE; all carried
# in the source.
mixer=$(echo libsdl2-mixer-*+dfsg)
configure "$mixer" -DBUILD_SHARED_LIBS=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_CMD=OFF \
    -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_FLAC_LIBFLAC=OFF \
    -DSDL2MIXER_FLAC_DRFLAC=ON -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF
build_and_install "$mixer"

# GLEW's one source file, as a static library without GLU.
glew=$(echo glew-2.2.*/)
x86_64-w64-mingw32-gcc-posix -O2 -DGLEW_STATIC -DGLEW_NO_GLU -I"$glew/include" -c "$glew/src/glew.c" -o glew.o
x86_64-w64-mingw32-ar rcs "$prefix/lib/libglew32.a" glew.o
mkdir -p "$prefix/include/GL"
cp "$glew"/include/GL/glew.h "$glew"/include/GL/wglew.h "$prefix/include/GL/"

rm -rf "$deps/source"
touch "$done_mark"
