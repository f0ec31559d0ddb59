#!/usr/bin/env bash
# Makes the Debian package with CPack and checks its fields and contents,
# then runs its programs: installed into this machine with apt-get, as a user
# would install it, and removed again (also when a check fails), but only
# where no vorrak package is installed and apt-get may be run (root, or sudo
# without a password). Elsewhere the machine's packages are left alone and
# the programs run from the unpacked package. The last line says which.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh" --tests
"$top/scripts/build.sh"

if [ "$(id -u)" -eq 0 ]; then
    SUDO=
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    SUDO=sudo
else
    SUDO=none
fi
apt_get() {
    # Waits for another apt or dpkg run to end instead of failing at once.
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"
}

# The packages dpkg has installed, one name a line.
installed_packages() {
    dpkg-query -W -f='${binary:Package} ${db:Status-Status}\n' | awk '$2 != "not-installed" && $2 != "config-files" {print $1}' | sort
}

work=$(mktemp -d "${TMPDIR:-/tmp}/vorrak-package.XXXXXX")
# What this run installed, and so removes again: nothing else.
installed=
cleanup() {
    if [ -n "$installed" ]; then
        # shellcheck disable=SC2086 # one package name a word
        apt_get remove $installed >/dev/null || echo "test-package: could not remove $installed" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
if ! (cd "$BUILD_DIR" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1); then
    cat "$work/cpack.log" >&2
    echo "test-package: cpack failed" >&2
    exit 1
fi
deb=$work/vorrak_${version}-1_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    ls -l "$work" >&2
    echo "test-package: cpack made no $deb" >&2
    exit 1
fi
# apt-get reads a local package as its own unprivileged user.
chmod 755 "$work"
chmod 644 "$deb"

# The control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vorrak ] || fail "the package is called \"$(field Package)\", not vorrak"
[ "$(field Version)" = "$version-1" ] || fail "the package's version is \"$(field Version)\", not $version-1"
[ "$(field Section)" = utils ] || fail "the package's section is \"$(field Section)\", not utils"
field Maintainer | grep -qE '^[^<]+ <[^@>]+@[^>]+>$' || fail "the maintainer \"$(field Maintainer)\" is not a name and an address"
[ -n "$(field Description | sed -n 2p)" ] || fail "the package has no long description"
# Its first paragraph says where the programs read their files and where the sample is.
first=$(field Description | sed -n '2,/^ \.$/p')
for text in Vorrak.dat Vorrak.hlp /usr/share/vorrak/sample; do
    grep -qF "$text" <<<"$first" || fail "the first paragraph of the package's description does not name $text"
done
# dpkg-shlibdeps names the libraries the programs link.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libc6; do
    field Depends | grep -qE "(^|, )$library( |,|$)" || fail "the package does not depend on $library: $(field Depends)"
done

# The contents: what the install rules put in place, under /usr.
dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for file in bin/Vorrak bin/VorrakAdmin bin/vorrak-data \
    share/man/man1/Vorrak.1.gz share/man/man1/VorrakAdmin.1.gz share/man/man1/vorrak-data.1.gz \
    share/doc/vorrak/copyright share/doc/vorrak/NEWS \
    share/applications/io.github.vorrak.Vorrak.desktop share/metainfo/io.github.vorrak.Vorrak.metainfo.xml \
    share/vorrak/sample/Vorrak.dat share/vorrak/sample/Vorrak.hlp; do
    grep -qx "./usr/$file" "$work/contents" || fail "the package does not hold /usr/$file"
done
dpkg-deb --extract "$deb" "$work/root"
for program in Vorrak VorrakAdmin vorrak-data; do
    binary=$work/root/usr/bin/$program
    [ -f "$binary" ] || continue
    if readelf -d "$binary" | grep -qE '\((RUNPATH|RPATH)\)'; then
        fail "the packaged $program has a library search path"
    fi
    if readelf -S "$binary" | grep -q '\.debug_info'; then
        fail "the packaged $program is not stripped"
    fi
done

# Installed on this machine as a user would install it, where that touches
# nothing of the user's: no vorrak package of any version is there.
status=$(dpkg-query -W -f='${db:Status-Status}' vorrak 2>/dev/null || true)
if [ -n "$status" ] && [ "$status" != not-installed ] && [ "$status" != config-files ]; then
    mode="checked unpacked, not installed: vorrak $(dpkg-query -W -f='${Version}' vorrak) is installed ($status) and was left alone"
elif [ "$SUDO" = none ]; then
    mode="checked unpacked, not installed: installing needs root or sudo without a password"
else
    mode=installed
fi

if [ "$mode" = installed ]; then
    installed_packages >"$work/before"
    if ! apt_get install "$deb" >"$work/apt.log" 2>&1; then
        cat "$work/apt.log" >&2
        installed=$(installed_packages | comm -13 "$work/before" - | tr '\n' ' ')
        echo "test-package: apt-get install failed" >&2
        exit 1
    fi
    # The package and whatever apt-get brought with it.
    installed=$(installed_packages | comm -13 "$work/before" - | tr '\n' ' ')
    prefix=/usr
else
    prefix=$work/root/usr
fi

sample=$prefix/share/vorrak/sample/Vorrak.dat
# Every library the programs need is found without a search path.
for program in Vorrak VorrakAdmin vorrak-data; do
    if ldd "$prefix/bin/$program" | grep -q 'not found'; then
        fail "$prefix/bin/$program misses libraries: $(ldd "$prefix/bin/$program" | grep 'not found')"
    fi
done
tool=$prefix/bin/vorrak-data
shown=$(cd "$work" && "$tool" --version 2>&1) || fail "vorrak-data --version fails: $shown"
[ "$shown" = "vorrak-data $version" ] || fail "the packaged vorrak-data --version says \"$shown\""
(cd "$work" && "$tool" check "$sample" >/dev/null) || fail "the packaged vorrak-data rejects $sample"
if listing=$(cd "$work" && "$tool" calc --list --file "$sample" 2>&1); then
    grep -q "Tempered Greatsword" <<<"$listing" || fail "vorrak-data calc --list does not list the sample's processes: $listing"
else
    fail "vorrak-data calc --list --file $sample fails: $listing"
fi

if [ "$mode" = installed ]; then
    # And removed again: what this run installed, nothing else.
    removing=$installed
    installed=
    # shellcheck disable=SC2086 # one package name a word
    if ! apt_get remove $removing >"$work/apt.log" 2>&1; then
        cat "$work/apt.log" >&2
        fail "apt-get remove $removing failed"
    fi
    if installed_packages | grep -qx vorrak; then
        fail "vorrak is still installed"
    fi
    [ ! -e /usr/bin/vorrak-data ] || fail "/usr/bin/vorrak-data is still there after the package was removed"
    mode="installed, run and removed again"
fi

if [ "$failures" -ne 0 ]; then
    echo "test-package: $failures problem(s)" >&2
    exit 1
fi
echo "test-package: $(basename "$deb") built and $mode"
