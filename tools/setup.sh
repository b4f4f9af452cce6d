#!/usr/bin/env bash
# Installs what building, running and testing the editor needs on Debian/Ubuntu,
# and nothing when it is all there already.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-translations-l10n
    libpng-dev zlib1g-dev
    libgl1-mesa-dri libgl-dev xvfb xauth
    fonts-liberation2
)
# The test command also builds the sanitizer suite and the fuzz targets with clang.
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
