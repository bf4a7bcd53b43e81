#!/bin/sh
# Installs what is missing, builds, and plays the bundled example project.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
cd examples/first-light
exec ../../build/quillfront
