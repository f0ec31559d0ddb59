#!/usr/bin/env bash
# Installs from Debian's packages what building and running the programs
# need; with --tests also what the tests, the sanitizer and fuzzing builds,
# the browser driver, the benchmarks, the screenshots and the install and
# package checks need. Needs root, or sudo, only when something is missing.
# Usage: scripts/install-deps.sh [--tests]
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev libx11-dev
)
case "${1:-}" in
    "") ;;
    --tests)
        packages+=(
            xvfb xauth xdotool x11-xserver-utils imagemagick
            clang libclang-rt-14-dev clang-format git
            desktop-file-utils appstream
            python3-jsonschema
            groff-base man-db dpkg-dev file binutils
            chromium
        )
        ;;
    *)
        echo "usage: $0 [--tests]" >&2
        exit 2
        ;;
esac

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
