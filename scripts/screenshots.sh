#!/usr/bin/env bash
# Remakes docs/screenshots/calculator.png and docs/screenshots/editor.png:
# builds, starts each program on a scratch copy of the sample data under a
# private Xvfb, drives the real window with xdotool and captures it with
# ImageMagick's import. docs/screenshots/web.png is the web calculator made
# from the sample data, driven and captured in headless Chromium.
# Usage: scripts/screenshots.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh" --tests
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    cmake -S "$top" -B "$BUILD_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target Vorrak VorrakAdmin vorrak_sample vorrak-data vorrak-page-shot
out=$top/docs/screenshots
mkdir -p "$out"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorrak-shots.XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A private X server; -displayfd reports the display number it picked.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" &
pids+=($!)
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_STYLE_OVERRIDE

# Starts a program in a fresh copy of the sample data; sets win to its window.
win=
start() {
    local program=$1 dir=$2 title=$3
    mkdir -p "$work/$dir"
    cp "$BUILD_DIR/sample/Vorrak.dat" "$BUILD_DIR/sample/Vorrak.hlp" "$work/$dir/"
    (cd "$work/$dir" && exec "$BUILD_DIR/$dir/$program" 2>"$work/$dir/log") &
    pids+=($!)
    win=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1 || true)
    [ -n "$win" ] || { echo "$program did not open its window" >&2; exit 1; }
    xdotool windowfocus --sync "$win"
    sleep 0.5
}

# Captures a window and fails when it is the same picture as before.
shoot() {
    local id=$1 file=$2 before=${3:-}
    sleep 0.5
    import -window "$id" "$file.tmp.png"
    if [ -n "$before" ] && [ "$(compare -metric AE "$before" "$file.tmp.png" null: 2>&1 || true)" = 0 ]; then
        echo "$file: the window did not change" >&2
        exit 1
    fi
    convert "$file.tmp.png" -bordercolor "#9a9a9a" -border 1 -strip "$file"
    rm -f "$file.tmp.png"
}

# The calculator: the first group's second process at QL 150, then "GO!".
start Vorrak calculator Vorrak
id=$win
xdotool key Tab Down        # the focus starts on the group list
xdotool key Tab ctrl+a      # on to the QL
xdotool type --delay 50 150
sleep 0.5
import -window "$id" "$work/calculator-before-go.png"
xdotool mousemove --window "$id" 400 45 click 1   # "GO!", top right
shoot "$id" "$out/calculator.png" "$work/calculator-before-go.png"

# The editor, as it opens on the sample data.
start VorrakAdmin admin "Vorrak - Admin"
id=$win
shoot "$id" "$out/editor.png"
# The web calculator at a phone's width: the first group's second process
# at QL 150 after "GO!", and the highest QL for two skill values.
"$BUILD_DIR/datatool/vorrak-data" web "$BUILD_DIR/sample/Vorrak.dat" "$BUILD_DIR/sample/Vorrak.hlp" "$work/vorrak.html"
"$BUILD_DIR/browser/vorrak-page-shot" "$work/vorrak.html" '
    const $ = id => document.getElementById(id);
    $("process").selectedIndex = 1;
    $("process").dispatchEvent(new Event("change"));
    $("ql").value = "150";
    $("go").click();
    const skills = $("skill-fields").querySelectorAll("input");
    skills[0].value = "420";
    skills[1].value = "260";
    $("highest-go").click();' "$work/web.png" 420 1400
convert "$work/web.png" -bordercolor "#9a9a9a" -border 1 -strip "$out/web.png"
echo "Wrote $out/calculator.png, $out/editor.png and $out/web.png"
