#!/usr/bin/env bash
# Writes docs/screenshot-start.png: the main window as it first appears, taken
# under Xvfb from the X server by the start-up probe (bench/startup).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
build=$(realpath -m "${BUILD_DIR:-build}")
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target dover444_probe -j"$(nproc)"
mkdir -p docs
out=$(pwd)/docs/screenshot-start.png
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The probe runs in a scratch folder: start-up may write the engine library there.
(cd "$work" && QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bench/startup/dover444_probe" --grab "$out" >/dev/null)
echo "wrote $out"
