#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs:
# the three programs, a valid menu entry and AppStream metainfo for each GUI
# program, the calculator's action that starts it in the installed sample
# folder, and every icon size; what a first reader needs: descriptions that
# say first where the files are read from and where the sample is, and the
# README's vorrak-data examples working as written; and what a release needs:
# manual pages that format cleanly, the release documents, no RUNPATH, and
# one version and date in project(), vorrak-data --version, the metainfo,
# NEWS and the manual pages. Reports every problem and ends non-zero if there
# was any.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$top/build}
"$top/scripts/build.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorrak-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The version of project(), as this build was configured.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
[ -n "$version" ] || { echo "FAIL: no project version in $BUILD_DIR/CMakeCache.txt" >&2; exit 1; }

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

# The first paragraph of a metainfo file's description, on one line.
first_paragraph() {
    tr '\n' ' ' <"$1" | sed 's|</p>.*||; s|.*<description>[[:space:]]*<p>||'
}

# The first paragraph of a manual page's DESCRIPTION, as formatted, on one line.
first_description_paragraph() {
    MANWIDTH=1000 man -l "$1" 2>/dev/null | awk '/^DESCRIPTION/ { on = 1; next } on && /^ *$/ { exit } on'
}

# Whether a text says where the two files are read from and where the sample is.
names_files_and_sample() {
    grep -q "Vorrak\.dat" <<<"$1" && grep -q "Vorrak\.hlp" <<<"$1" && grep -q "/usr/share/vorrak/sample" <<<"$1"
}

# The newest release of a metainfo file, as "VERSION DATE".
newest_release() {
    sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' "$1" | head -n1
}

check_release() {
    local bin=$1 share=$2

    for program in Vorrak VorrakAdmin vorrak-data; do
        if [ -x "$bin/$program" ] && readelf -d "$bin/$program" | grep -qE '\((RUNPATH|RPATH)\)'; then
            fail "$bin/$program has a library search path: $(readelf -d "$bin/$program" | grep -E 'RUNPATH|RPATH')"
        fi
    done

    local shown
    shown=$("$bin/vorrak-data" --version 2>&1) || fail "vorrak-data --version fails: $shown"
    [ "$shown" = "vorrak-data $version" ] || fail "vorrak-data --version says \"$shown\", not \"vorrak-data $version\""

    # The release named in project() is the newest one everywhere.
    local date=
    for app in Vorrak VorrakAdmin; do
        local metainfo=$share/metainfo/io.github.vorrak.$app.metainfo.xml release
        [ -f "$metainfo" ] || continue
        release=$(newest_release "$metainfo")
        [ "${release% *}" = "$version" ] || fail "the newest release in $metainfo is \"$release\", not $version"
        date=${release#* }
    done
    local docs=$share/doc/vorrak
    for file in NEWS LICENSE copyright README.md; do
        [ -f "$docs/$file" ] || fail "$docs/$file is not installed"
    done
    if [ -f "$docs/NEWS" ] && [ "$(grep -m1 '^Vorrak [0-9]' "$docs/NEWS")" != "Vorrak $version ($date)" ]; then
        fail "$docs/NEWS does not begin with \"Vorrak $version ($date)\""
    fi

    # Each manual page formats without a warning, man-db reads its NAME line
    # (for whatis and apropos) and it names this release.
    for program in Vorrak VorrakAdmin vorrak-data; do
        local page=$share/man/man1/$program.1.gz report
        if [ ! -f "$page" ]; then
            fail "$page is not installed"
            continue
        fi
        report=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
        [ -z "$report" ] || fail "$page: groff warns: $report"
        report=$(MANWIDTH=80 man -l "$page" 2>&1 >/dev/null)
        [ -z "$report" ] || fail "$page: man -l says: $report"
        lexgrog "$page" >/dev/null || fail "$page has no NAME line that whatis can read"
        names_files_and_sample "$(first_description_paragraph "$page")" \
            || fail "the first paragraph of $page's DESCRIPTION does not say where Vorrak.dat, Vorrak.hlp and the sample are"
        zcat "$page" | grep -q "^\.TH [^ ]* 1 $date \"Vorrak $version\"" \
            || fail "$page does not name release $version of $date"
    done
}

# The calculator's entry starts it in the installed sample folder; the
# editor's offers no such action, as that folder is read-only.
check_sample_action() {
    local app=$1 entry=$2 sample=$3
    if [ "$app" = VorrakAdmin ]; then
        ! grep -q '^Actions=' "$entry" || fail "$entry has actions"
        return
    fi
    grep -qx 'Actions=open-sample;' "$entry" || fail "$entry does not offer the action open-sample"
    local action
    action=$(sed -n '/^\[Desktop Action open-sample\]$/,/^\[/p' "$entry")
    grep -qx 'Name=Open the sample data' <<<"$action" || fail "$entry: the action is not called \"Open the sample data\""
    grep -qxF "Exec=env -C \"$sample\" Vorrak" <<<"$action" \
        || fail "$entry: the action does not start Vorrak in $sample: $(grep '^Exec=' <<<"$action")"
}

check_tree() {
    local root=$1 prefix=$2 sample=$3
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
            check_sample_action "$app" "$entry" "$sample"
        else
            fail "$entry is not installed"
        fi
        if [ -f "$metainfo" ]; then
            validate appstreamcli validate --no-net --strict "$metainfo" || fail "$metainfo does not validate"
            grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
                || fail "$metainfo does not launch $id.desktop"
            grep -q "<binary>$app</binary>" "$metainfo" || fail "$metainfo does not provide $app"
            names_files_and_sample "$(first_paragraph "$metainfo")" \
                || fail "the first paragraph of $metainfo does not say where Vorrak.dat, Vorrak.hlp and the sample are"
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

    if [ -x "$bin/vorrak-data" ]; then
        check_release "$bin" "$share"
    fi

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

# Runs each vorrak-data command of README.md's examples with the installed
# tool, in a folder like a maintainer's: the installed sample files beside the
# JSON they are made from. The output shown below a "$ " command is all it
# prints, or the start of it when the example ends with "..."; a command shown
# without "$ " must succeed.
check_readme_examples() {
    local bin=$1 sample=$2 folder=$work/readme
    mkdir -p "$folder"
    cp "$sample/Vorrak.dat" "$sample/Vorrak.hlp" "$top/sample/vorrak-data.json" "$top/sample/vorrak-help.json" "$folder/"
    local command= indent= shown= cut= examples=0 line
    local -a expected=()
    finish_example() {
        [ -n "$command" ] || return 0
        examples=$((examples + 1))
        local output status=0
        output=$(cd "$folder" && PATH="$bin:$PATH" bash -c "$command" 2>&1) || status=$?
        if [ -z "$shown" ]; then
            [ "$status" -eq 0 ] || fail "README.md: \"$command\" ends with $status: $output"
        else
            local want
            want=$(printf '%s\n' "${expected[@]}")
            [ -z "$cut" ] || output=$(head -n "${#expected[@]}" <<<"$output")
            [ "$output" = "$want" ] || fail "README.md: \"$command\" prints$(printf '\n%s' "$output")
not what README.md shows:$(printf '\n%s' "$want")"
        fi
        command= shown= cut=
        expected=()
    }
    while IFS= read -r line; do
        if [[ $line =~ ^(\ {4,})(\$\ )?(vorrak-data\ .*)$ ]]; then
            finish_example
            indent=${BASH_REMATCH[1]} shown=${BASH_REMATCH[2]} command=${BASH_REMATCH[3]}
        elif [ -n "$shown" ] && [ -z "$cut" ] && [[ $line == "$indent"?* ]]; then
            if [ "${line#"$indent"}" = ... ]; then
                cut=yes
            else
                expected+=("${line#"$indent"}")
            fi
        else
            finish_example
        fi
    done <"$top/README.md"
    finish_example
    [ "$examples" -gt 0 ] || fail "README.md shows no vorrak-data command"
}

# A plain prefix, as a user installing into their home would use ...
cmake --install "$BUILD_DIR" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix" "" "$work/prefix/share/vorrak/sample"
check_readme_examples "$work/prefix/bin" "$work/prefix/share/vorrak/sample"
# ... and a staged system install, as a distribution package would use.
DESTDIR="$work/stage" cmake --install "$BUILD_DIR" --prefix /usr >/dev/null
check_tree "$work/stage" /usr /usr/share/vorrak/sample

if [ "$failures" -ne 0 ]; then
    echo "test-install: $failures problem(s)" >&2
    exit 1
fi
echo "test-install: all checks passed"
