#!/usr/bin/env bash
# Builds the Debian package in build-deb/ as a Debian package build would (Debian's build
# flags, the launcher in /usr/games) and checks it: its files and dependencies, lintian,
# desktop-file-validate and appstreamcli validate. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build package
build=build-deb
fail() {
    echo "package-check: $*" >&2
    exit 1
}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_BINDIR=games \
    -DDWINDLE_TESTS=OFF -DDWINDLE_BENCH=OFF >/dev/null
nice cmake --build "$build" -j "$(nproc)" --target dwindle pictures sounds compressed_docs >/dev/null
rm -f "$build"/dwindle_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(echo "$build"/dwindle_*.deb)

app_id=$(sed -n 's/^DWINDLE_APP_ID:STRING=//p' "$build/CMakeCache.txt")
# The pictures and sounds the game's lists name, one KIND(..., "file") line each.
listed() { sed -n 's/^[A-Z_]*([^"]*"\([^"]*\)").*/\1/p' "$1"; }
mapfile -t pictures < <(listed src/gfx/PictureList.h)
mapfile -t sounds < <(listed src/sound/SoundList.h)
expected=(./usr/games/dwindle ./usr/libexec/dwindle/{dwindle,run-scaled}
    ./usr/share/applications/dwindle.desktop "./usr/share/metainfo/$app_id.metainfo.xml"
    ./usr/share/doc/dwindle/{changelog.gz,copyright} ./usr/share/man/man6/dwindle.6.gz
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/dwindle.png
    "${pictures[@]/#/./usr/share/dwindle/Images/}" "${sounds[@]/#/./usr/share/dwindle/Sounds/}")
diff <(printf '%s\n' "${expected[@]}" | sort) <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort) ||
    fail "$deb does not hold the files listed here (< listed, > in the package)"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl1.2debian libsdl-image1.2 libsdl-gfx1.2-5 libsdl-mixer1.2; do
    grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends names no $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = libsdl1.2-compat ] || fail "it does not recommend libsdl1.2-compat"

lintian --fail-on error,warning "$deb"
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
dpkg-deb -x "$deb" "$files"
desktop-file-validate "$files/usr/share/applications/dwindle.desktop"
appstreamcli validate --no-net "$files/usr/share/metainfo/$app_id.metainfo.xml"
echo "package-check: $deb passed"
