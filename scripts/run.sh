#!/usr/bin/env bash
# Installs what is needed, builds, and starts ミルテア on the book in book/
# (made from the shipped sample book the first time).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh xvfb xauth
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)" --target miltea
[ -d book ] || cp -r data/sample book
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available: ミルテア is a desktop program and needs one." >&2
    echo "To try it without a screen, run:  xvfb-run -a bash scripts/run.sh" >&2
    exit 1
fi
cd book
exec ../build/miltea
