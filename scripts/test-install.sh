#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs:
# the three programs, a valid menu entry and AppStream metainfo for each GUI
# program, and every icon size. Ends non-zero on the first problem.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$top/build}
"$top/scripts/build.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorrak-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs a validator quietly; shows its report only when it finds a problem.
validate() {
    local report
    if ! report=$("$@" 2>&1); then
        echo "$report" >&2
        return 1
    fi
}

# Width and height from a PNG's IHDR chunk, as "WxH".
png_size() {
    local bytes
    bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
    set -- $bytes
    echo "$(( ($1 << 24) | ($2 << 16) | ($3 << 8) | $4 ))x$(( ($5 << 24) | ($6 << 16) | ($7 << 8) | $8 ))"
}

check_tree() {
    local root=$1 prefix=$2
    local bin=$root$prefix/bin share=$root$prefix/share

    for program in Vorrak VorrakAdmin vorrak-data; do
        [ -x "$bin/$program" ] || fail "$bin/$program is not installed"
    done

    for app in Vorrak VorrakAdmin; do
        local id=io.github.vorrak.$app
        local entry=$share/applications/$id.desktop
        local metainfo=$share/metainfo/$id.metainfo.xml
        if [ -f "$entry" ]; then
            validate desktop-file-validate "$entry" || fail "$entry does not validate"
            grep -qx "Exec=$app" "$entry" || fail "$entry does not start $app"
            grep -qx "Icon=$id" "$entry" || fail "$entry does not name the icon $id"
        else
            fail "$entry is not installed"
        fi
        if [ -f "$metainfo" ]; then
            validate appstreamcli validate --no-net --strict "$metainfo" || fail "$metainfo does not validate"
            grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
                || fail "$metainfo does not launch $id.desktop"
            grep -q "<binary>$app</binary>" "$metainfo" || fail "$metainfo does not provide $app"
        else
            fail "$metainfo is not installed"
        fi
        for size in 16 32 48 64 128 256; do
            local icon=$share/icons/hicolor/${size}x$size/apps/$id.png
            if [ -f "$icon" ]; then
                [ "$(png_size "$icon")" = "${size}x$size" ] \
                    || fail "$icon is $(png_size "$icon"), not ${size}x$size"
            else
                fail "$icon is not installed"
            fi
        done
    done

    validate appstreamcli validate-tree --no-net --strict "$root" \
        || fail "the installed tree under $root does not validate"

    # The installed tool must run on its own, away from the build tree, and
    # accept the installed sample files.
    for file in Vorrak.dat Vorrak.hlp; do
        local sample=$share/vorrak/sample/$file
        if [ ! -f "$sample" ]; then
            fail "$sample is not installed"
        elif [ -x "$bin/vorrak-data" ]; then
            (cd "$work" && "$bin/vorrak-data" check "$sample" >/dev/null) \
                || fail "the installed vorrak-data rejects $sample"
        fi
    done
}

# A plain prefix, as a user installing into their home would use ...
cmake --install "$BUILD_DIR" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix" ""
# ... and a staged system install, as a distribution package would use.
DESTDIR="$work/stage" cmake --install "$BUILD_DIR" --prefix /usr >/dev/null
check_tree "$work/stage" /usr

if [ "$failures" -ne 0 ]; then
    echo "test-install: $failures problem(s)" >&2
    exit 1
fi
echo "test-install: all checks passed"
