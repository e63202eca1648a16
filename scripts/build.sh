#!/usr/bin/env bash
# Configures once and builds the program and its tests in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVGR47_WITH_QT=ON
fi
cmake --build build
