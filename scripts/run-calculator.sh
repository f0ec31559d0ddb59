#!/usr/bin/env bash
# Builds everything and starts the calculator on a scratch copy of the
# bundled sample data (the programs read Vorrak.dat and Vorrak.hlp from the
# current directory). Set PROGRAM=VorrakAdmin to start the editor instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
build=${BUILD_DIR:-$top/build}
program=${PROGRAM:-Vorrak}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display available: set DISPLAY (an X server, for example 'Xvfb :1 &' then DISPLAY=:1)" >&2
    echo "or WAYLAND_DISPLAY, and run this script again. The build is ready in $build." >&2
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorrak-sample.XXXXXX")
cp "$build/sample/Vorrak.dat" "$build/sample/Vorrak.hlp" "$scratch/"
echo "Running $program in $scratch"
cd "$scratch"
exec "$build/$( [ "$program" = Vorrak ] && echo calculator || echo admin )/$program"
