#!/bin/sh
# Fails when a C++ source is not formatted as .clang-format says; the suite runs it.
# `clang-format -i` on the files it names fixes them.
set -eu
cd "$(dirname "$0")/.."
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' |
    xargs clang-format --dry-run -Werror
echo "every source is formatted"
