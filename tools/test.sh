#!/usr/bin/env bash
# Builds everything and runs every test headless: widget tests on Qt's offscreen
# platform, OpenGL tests under Xvfb with Mesa's software renderer. Then the same
# tests again in an AddressSanitizer + UndefinedBehaviorSanitizer build (clang,
# so the code is also checked against its warnings). Between the two, a short
# fuzzing run of the file formats (tools/fuzz.sh, 60 s). It ends with CTest's
# summary of the sanitizer run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh --tests
jobs=$(nproc)
# -noreset: by default Xvfb resets itself whenever its last client leaves, and a
# test that connects at that moment is turned away; tests come and go in parallel.
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")

echo "== Tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
"${xvfb[@]}" ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Fuzzing (short run)"
bash tools/fuzz.sh

# The sanitizer build is for finding faults, not for speed: optimised lightly
# (-O1, which ASan's reports stay exact with), no debug information, no
# benchmarks or tools; assertions stay on.
echo "== Tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DDOVER_SANITIZE=ON -DDOVER_BENCH=OFF -DDOVER_TOOLS=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-O1 -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-asan -j"$jobs"
"${xvfb[@]}" ctest --test-dir build-asan --output-on-failure -j"$jobs"
