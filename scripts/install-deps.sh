#!/usr/bin/env bash
# Installs what building, testing and running need, from Debian's packages.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev libx11-dev
    xvfb xauth xdotool x11-xserver-utils imagemagick
    clang libclang-rt-14-dev
    desktop-file-utils appstream
    python3-jsonschema
    groff-base man-db dpkg-dev file binutils
    chromium
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
