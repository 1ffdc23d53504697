#!/usr/bin/env bash
# Builds the program and starts it. Arguments are passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [[ -x build/app/quon ]]; then
  exec build/app/quon "$@"
fi
exec build/cli/quon-calc "$@"
