#!/usr/bin/env bash
# Builds everything and runs every test: the full build (with the Qt program and its
# widget tests), then the Qt-free parts again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUON_GUI=OFF -DQUON_SANITIZE=ON
cmake --build build-asan -j"$jobs"

echo "== Tests"
(cd build && ctest --output-on-failure -j"$jobs")
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
