#!/bin/bash
# The Debian package, made with cpack from this build tree and unpacked into
# a scratch root: its control fields, its desktop entry, AppStream data,
# manual page and icons pass their validators, the licence ships where and as
# Debian wants it, and the unpacked game, started from a folder without data/,
# finds its installed data, races and ends on Esc.
set -u
BUILD_DIR=$(realpath "$1")
SOURCE_DIR=$(realpath "$2")
WORK=$(mktemp -d)
GAME_PID=""
trap 'kill $GAME_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

source "$SOURCE_DIR/tests/e2e/lib/e2e_common.bash"

for built in zentrix tools/icons/hicolor/256x256/apps/zentrix.png dist/zentrix.6.gz; do
    [ -e "$BUILD_DIR/$built" ] || fail "$built is not built: build the default target first"
done

cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack could not make the package"; }
debs=("$WORK"/package/zentrix_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one zentrix_*.deb, found: ${debs[*]}"
DEB=${debs[0]}
echo "made $(basename "$DEB"), $(stat -c %s "$DEB") bytes"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
depends=$(field Depends)
for library in libsdl2 libopenal1 libsndfile1 libfreetype6 libc6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
echo "control: section games, shared-library dependencies found by dpkg-shlibdeps"

ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT" || fail "dpkg-deb -x failed"
GAME="$ROOT/usr/games/zentrix"
[ -x "$GAME" ] || fail "no /usr/games/zentrix"
[ -f "$ROOT/usr/share/zentrix/data/nau.ase" ] || fail "no data under /usr/share/zentrix/data"
[ "$(find "$ROOT/usr/share/zentrix/data" -type f | wc -l)" -eq 22 ] ||
    fail "expected the 22 data files installed"

desktop="$ROOT/usr/share/applications/zentrix.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Exec=zentrix' "$desktop" && grep -qx 'Icon=zentrix' "$desktop" ||
    fail "the desktop entry does not start zentrix with its icon"
metainfo=("$ROOT"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}" || fail "appstreamcli rejects the metainfo"
grep -q '<launchable type="desktop-id">zentrix.desktop</launchable>' "${metainfo[@]}" ||
    fail "the metainfo does not launch the desktop entry"
grep -q '<image>https://[^<]*/screenshot-mid-race.png</image>' "${metainfo[@]}" ||
    fail "the metainfo does not show the mid-race screenshot"
grep -q '<project_license>MIT</project_license>' "${metainfo[@]}" ||
    fail "the metainfo does not name the MIT licence"
echo "desktop entry and AppStream metainfo validate"

dpkg-deb -c "$DEB" >"$WORK/contents" || fail "dpkg-deb -c failed"
grep -q '^-rw-r--r-- .* \./usr/share/doc/zentrix/copyright$' "$WORK/contents" ||
    fail "the package lists no ./usr/share/doc/zentrix/copyright with mode 0644"
copyright="$ROOT/usr/share/doc/zentrix/copyright"
[ "$(head -n 1 "$copyright")" = \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] &&
    grep -qx 'License: MIT' "$copyright" || fail "the copyright file is not MIT in Debian's format"
echo "the copyright file is MIT in Debian's format"

manual=$(man -l "$ROOT/usr/share/man/man6/zentrix.6.gz" 2>"$WORK/man.log")
[ -s "$WORK/man.log" ] && { cat "$WORK/man.log"; fail "man warns about the page"; }
for text in ZENTRIX\(6\) --fullscreen --desktop --windowed --help --version ZENTRIX_DATA_DIR \
    "EXIT STATUS" Esc; do
    grep -qF -- "$text" <<<"$manual" || fail "the manual page lacks $text"
done
echo "the manual page renders"

for size in 48 64 128 256; do
    icon="$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/zentrix.png"
    [ "$(identify -format '%wx%h %[channels]' "$icon" 2>/dev/null)" = "${size}x${size} srgba" ] ||
        fail "icon ${size}x${size}: $(identify "$icon" 2>&1)"
done
echo "icons at 48, 64, 128 and 256 pixels, with alpha"

[ "$("$GAME" --version)" = "zentrix $(field Version)" ] ||
    fail "--version says '$("$GAME" --version)', the package is $(field Version)"

e2e_start_xvfb
mkdir -p "$WORK/anywhere"
(cd "$WORK/anywhere" && exec env -u ZENTRIX_DATA_DIR ALSOFT_DRIVERS=null "$GAME") \
    >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the installed game died while racing"
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "installed game: expected Esc to end it with status 0, got $status"
echo "the installed game races from a folder without data/ and ends on Esc with status 0"
echo "deb_package_e2e: 7 passed, 0 failed"
