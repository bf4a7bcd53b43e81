#!/bin/sh
# The tool built for WebAssembly converts projects to the same bytes as the
# native tool: the fuzz corpora's projects and the bundled example, JSON to
# binary and back, and binary to JSON, with the same statuses and messages.
# Usage: model_matches_native.sh NATIVE_TOOL NODE WEB_TOOL_JS
set -u
native=$(realpath "$1")
node=$2
web=$(realpath "$3")
source=$(realpath "$(dirname "$0")/../..")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
compared=0

# Runs tool $1 ("native" or "web") converting $2 to $3 in the example's folder
# (the JSON form reads its resources from the working folder); prints the
# status and what it printed, with the output's name taken out.
convert() {
    cd "$source/examples/first-light" || exit 1
    if [ "$1" = native ]; then
        "$native" convert "$2" "$3" 2>&1
    else
        # Emscripten's loader would fetch the module through Node's fetch, which cannot open files.
        "$node" --no-experimental-fetch "$web" convert "$2" "$3" 2>&1
    fi
    echo "status $?"
}

compare() {
    for tool in native web; do
        rm -f "$work/$tool.$2" "$work/$tool.back.json"
        convert $tool "$1" "$work/$tool.$2" | sed "s|$work/$tool||" >"$work/$tool.txt"
        [ -e "$work/$tool.$2" ] && [ "$2" = demo ] && convert $tool "$work/$tool.demo" "$work/$tool.back.json" >/dev/null
    done
    cmp -s "$work/native.txt" "$work/web.txt" || { echo "FAIL: $1: the tools said different things"; failures=$((failures + 1)); }
    for made in "$2" back.json; do
        [ -e "$work/native.$made" ] || [ -e "$work/web.$made" ] || continue
        compared=$((compared + 1))
        cmp -s "$work/native.$made" "$work/web.$made" || { echo "FAIL: $1: the $made files differ"; failures=$((failures + 1)); }
    done
}

for project in "$source"/fuzz/corpus/project_json/* "$source"/fuzz/corpus/json_parser/* \
    "$source/examples/first-light/content.dat.json"; do
    compare "$project" demo
done
for project in "$source"/fuzz/corpus/project_binary/*; do
    compare "$project" json
done

echo "$compared files compared"
[ $failures -eq 0 ] && echo "all passed"
[ $failures -eq 0 ]
