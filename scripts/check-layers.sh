#!/bin/sh
# Usage: check-layers.sh [LAYER_MAP...]
# Every layer is compiled with only its own headers and those of the layers
# below it in view (cmake/Layers.cmake), so an include of ours that points up
# fails the build. Given the layer maps the builds write (build/layers/map.txt,
# build/web/layers/map.txt, build/windows/layers/map.txt), this names each such
# include with the folders its source may include from. Then it checks what the
# build cannot see, the system headers each part may include:
#   - the project model: no SDL, GL, GUI, PNG, FFT or browser header;
#   - the code editor's text model (codeeditor/ but CodeEditor.*): no GUI or SDL;
#   - the browser player: none of the desktop's libraries (SDL, GLEW, GUI, libpng);
#   - the operating system's headers only in platform/ (and the browser's own
#     in browser/, whose entry points it marks).
set -eu
maps=""
for map in "$@"; do
    [ -f "$map" ] && maps="$maps $(cd "$(dirname "$map")" && pwd)/$(basename "$map")"
done
cd "$(dirname "$0")/../src"

status=0
# A map's line: "folder: the folders its sources may include from"; a folder
# holds the folders below it.
for map in $maps; do
    while IFS= read -r line; do
        folder=${line%%:*}
        allowed=${line#*: }
        find "$folder" -name '*.h' -o -name '*.cpp' | while read -r file; do
            grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z/]+/' "$file" |
                sed -E 's/.*"//; s/\/$//' | sort -u | while read -r included; do
                    inView=no
                    for visible in $allowed; do
                        case "$included" in
                        "$visible" | "$visible"/*) inView=yes ;;
                        esac
                    done
                    if [ $inView = no ]; then
                        echo "$file includes from $included/, above its layer (it may include from $allowed)" >&2
                        echo up
                    fi
                done
        done
    done <"$map"
done | grep -q up && status=1

# Usage: forbid PATTERN WHY FILES...: fails on each include of a header matching PATTERN.
forbid() {
    pattern=$1
    why=$2
    shift 2
    if grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($pattern)" "$@"; then
        echo "  ^ $why" >&2
        status=1
    fi
}

desktopLibraries='SDL|GL/|imgui|png\.h'
systemHeaders='unistd\.h|fcntl\.h|sys/|spawn\.h|signal\.h|windows\.h|emscripten'

forbid "$desktopLibraries|GLES|kiss|emscripten" "the project model is plain data" project/*.h project/*.cpp
forbid "imgui|SDL" "the code editor's text model draws nothing" \
    $(ls codeeditor/*.h codeeditor/*.cpp | grep -v '/CodeEditor\.')
forbid "$desktopLibraries" "the browser player has none of the desktop's libraries" browser/*.h browser/*.cpp
forbid "$systemHeaders" "the operating system is platform/'s" \
    $(find . -name '*.h' -o -name '*.cpp' | grep -v '^\./platform/' | grep -v '^\./browser/')
forbid "unistd\.h|fcntl\.h|sys/|spawn\.h|signal\.h|windows\.h" "the operating system is platform/'s" browser/*.h browser/*.cpp

[ $status -eq 0 ] && echo "includes point down, and each part includes only the system headers it may"
exit $status
