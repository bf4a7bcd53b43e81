#!/bin/sh
# Fails when a source includes from a layer above its own. The layers, lowest
# first: project; render and audio; timeline; editor and codeeditor; app and
# tool/render (the offline renderer). The tool's own commands (tool/*) stay on
# the project model.
set -eu
cd "$(dirname "$0")/../src"

# Usage: forbid FOLDERS... -- LAYERS THEY MUST NOT INCLUDE...
status=0
forbid() {
    folders=""
    while [ "$1" != "--" ]; do folders="$folders $1"; shift; done
    shift
    pattern=$(echo "$@" | sed 's/ /\\|/g')
    # shellcheck disable=SC2086
    if grep -rn "#include \"\\($pattern\\)/" $folders; then
        status=1
    fi
}

forbid project -- render audio timeline editor codeeditor app tool
forbid render -- audio timeline editor codeeditor app tool
forbid audio -- render timeline editor codeeditor app tool
forbid timeline -- editor codeeditor app tool
forbid editor -- app tool
forbid tool/*.h tool/*.cpp -- render audio timeline editor codeeditor
[ $status -eq 0 ] && echo "includes point down"
exit $status
