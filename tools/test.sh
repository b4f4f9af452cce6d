#!/usr/bin/env bash
# Builds everything and runs every test headless: widget tests on Qt's offscreen
# platform, OpenGL tests under Xvfb with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh --tests
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir build --output-on-failure -j"$jobs"
