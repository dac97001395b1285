#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure
