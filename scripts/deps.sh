#!/usr/bin/env bash
# Installs the Debian packages ミルテア needs to build, test and run.
set -euo pipefail
packages=(cmake make g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6svg6
          qt6-translations-l10n fonts-noto-cjk "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
