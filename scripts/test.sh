#!/usr/bin/env bash
# Installs what is needed, checks the formatting and the layer rule, builds
# with warnings as errors and runs every test (no display needed): once under
# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, once as built.
# Last, it builds the Debian package and checks it (scripts/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format lintian appstream desktop-file-utils dpkg-dev
jobs="$(nproc)"

bash scripts/check-format.sh
bash scripts/check-layout.sh

# Leaks of our own code fail the run; scripts/lsan.supp names the few that
# belong to Qt's and fontconfig's one-time caches.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DMILTEA_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan -j"$jobs"
(cd build-asan &&
    ASAN_OPTIONS=detect_leaks=1 \
        LSAN_OPTIONS="suppressions=$PWD/../scripts/lsan.supp:print_suppressions=0" \
        ctest --output-on-failure)

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DMILTEA_WERROR=ON
cmake --build build-test -j"$jobs"
bash scripts/check-layout.sh build-test
(cd build-test && ctest --output-on-failure)
bash scripts/check-package.sh build-test
