#!/usr/bin/env bash
# The first look: installs what building and running need, builds the three
# programs alone (no tests) into build-run/, and starts the calculator on a
# scratch copy of the bundled sample data (the programs read Vorrak.dat and
# Vorrak.hlp from the current directory); the copy is removed when the
# calculator ends. PROGRAM=VorrakAdmin starts the editor instead; its copy
# holds the edits, so it is kept and the script says where and how to go on.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${PROGRAM:-Vorrak}
case "$program" in
    Vorrak) binary=calculator/Vorrak ;;
    VorrakAdmin) binary=admin/VorrakAdmin ;;
    *) echo "PROGRAM must be Vorrak or VorrakAdmin, not \"$program\"" >&2; exit 2 ;;
esac

"$top/scripts/install-deps.sh"
# A folder of its own: the tests' build/ keeps its settings.
build=$top/build-run
BUILD_DIR=$build "$top/scripts/build.sh" -DVORRAK_BUILD_TESTS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display available: set DISPLAY (an X server, for example 'Xvfb :1 &' then DISPLAY=:1)" >&2
    echo "or WAYLAND_DISPLAY, and run this script again. The build is ready in $build." >&2
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorrak-sample.XXXXXX")
cp "$build/sample/Vorrak.dat" "$build/sample/Vorrak.hlp" "$scratch/"
if [ "$program" = Vorrak ]; then
    # The calculator writes nothing: its copy goes however the script ends.
    trap 'rm -rf "$scratch"' EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    echo "Running Vorrak on a copy of the sample in $scratch (removed when it ends)"
    cd "$scratch"
    "$build/$binary"
else
    echo "Running VorrakAdmin on a copy of the sample in $scratch"
    status=0
    (cd "$scratch" && "$build/$binary") || status=$?
    echo "The edited copy stays in $scratch. To go on editing it:"
    printf '    cd %q && %q\n' "$scratch" "$build/$binary"
    printf 'To remove it: rm -r %q\n' "$scratch"
    exit "$status"
fi
