#!/usr/bin/env bash
# Remakes the README screenshots in docs/ from the program's own code, under Xvfb:
#   screenshot-start.png     the main window as it first appears
#   screenshot-editor.png    examples/wave.444 open, a frame in the middle shown
#   screenshot-playback.png  the same during in-window playback
#   screenshot-preview.png   the 3D preview of it, the model turned a little
# The example animations are made afresh first (tools/make_examples.py).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
build=$(realpath -m "${BUILD_DIR:-build}")
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOVER_TOOLS=ON >/dev/null
cmake --build "$build" --target dover444_screenshots -j"$(nproc)"
python3 tools/make_examples.py >/dev/null
mkdir -p docs
docs=$(pwd)/docs
animation=$(pwd)/examples/wave.444
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Start-up writes the engine library into the per-user data folder: a scratch
# one here, so the user's own is left alone.
(cd "$work" && XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    "$build/tools/screenshots/dover444_screenshots" "$animation" "$docs")
