#!/usr/bin/env bash
# Builds the Debian package in the given build folder and checks it: the files
# it must install, lintian without errors, the AppStream metainfo and the
# desktop entry valid. Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: check-package.sh BUILD_DIR}"
cmake --build "$build" --target package
deb="$(ls "$build"/miltea_*_amd64.deb)"
echo "Checking $deb"

contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
missing=0
for path in ./usr/bin/miltea ./usr/bin/miltea-book \
    ./usr/share/applications/miltea.desktop \
    ./usr/share/metainfo/org.miltea.Miltea.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/miltea.svg \
    ./usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/miltea.png \
    ./usr/share/man/man1/miltea.1.gz ./usr/share/doc/miltea/copyright \
    ./usr/share/doc/miltea/changelog.gz ./usr/share/doc/miltea/help.html \
    ./usr/share/miltea/sample/データ.txt; do
    grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path"; missing=1; }
done
[ "$missing" -eq 0 ]

lintian --fail-on error "$deb"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/org.miltea.Miltea.metainfo.xml
desktop-file-validate "$unpacked"/usr/share/applications/miltea.desktop
"$unpacked"/usr/bin/miltea --version
echo "The package is sound."
