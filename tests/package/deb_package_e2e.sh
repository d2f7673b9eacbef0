#!/bin/bash
# The Debian packages, made with cpack from this build tree and unpacked into
# a scratch root: the game's control fields, its desktop entry, AppStream
# data, manual page and icons pass their validators, the licence ships where
# and as Debian wants it, and the unpacked game, started from a folder without
# data/, finds its installed data, races and ends on Esc. The board's package
# holds the server, its systemd unit and manual page, which pass theirs, and
# needs none of the game's libraries; unpacked, it answers on loopback.
set -u
BUILD_DIR=$(realpath "$1")
SOURCE_DIR=$(realpath "$2")
WORK=$(mktemp -d)
GAME_PID=""
BOARD_PID=""
trap 'kill $GAME_PID $XVFB_PID $BOARD_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

source "$SOURCE_DIR/tests/e2e/lib/e2e_common.bash"
# The library's trap forgets the board.
trap 'kill $GAME_PID $XVFB_PID $BOARD_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

for built in zentrix zentrix-board tools/icons/hicolor/256x256/apps/zentrix.png dist/zentrix.6.gz \
    dist/zentrix-board.8.gz; do
    [ -e "$BUILD_DIR/$built" ] || fail "$built is not built: build the default target first"
done

cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack could not make the package"; }
debs=("$WORK"/package/zentrix_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one zentrix_*.deb, found: ${debs[*]}"
DEB=${debs[0]}
echo "made $(basename "$DEB"), $(stat -c %s "$DEB") bytes"
boards=("$WORK"/package/zentrix-board_*.deb)
[ ${#boards[@]} -eq 1 ] && [ -f "${boards[0]}" ] ||
    fail "expected one zentrix-board_*.deb, found: ${boards[*]}"
BOARD_DEB=${boards[0]}
echo "made $(basename "$BOARD_DEB"), $(stat -c %s "$BOARD_DEB") bytes"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
depends=$(field Depends)
for library in libsdl2 libopenal1 libsndfile1 libfreetype6 libc6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
for library in libmicrohttpd libpq libsqlite3; do
    echo "$depends" | grep -q "$library" && fail "the game depends on the board's $library: $depends"
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

board_field() { dpkg-deb -f "$BOARD_DEB" "$1"; }
[ "$(board_field Package)" = zentrix-board ] && [ "$(board_field Version)" = "$(field Version)" ] ||
    fail "board package: $(board_field Package) $(board_field Version)"
board_depends=$(board_field Depends)
for library in libmicrohttpd libpq5 libsqlite3 libssl libc6; do
    echo "$board_depends" | grep -q "$library" || fail "the board's Depends lacks $library: $board_depends"
done
for library in libsdl2 libopenal1 libgl libfreetype6; do
    echo "$board_depends" | grep -q "$library" && fail "the board depends on the game's $library"
done
dpkg-deb -c "$BOARD_DEB" >"$WORK/board-contents" || fail "dpkg-deb -c of the board failed"
for file in '-rwxr-xr-x .* \./usr/sbin/zentrix-board' \
    '-rw-r--r-- .* \./lib/systemd/system/zentrix-board\.service' \
    '-rw-r--r-- .* \./usr/share/man/man8/zentrix-board\.8\.gz' \
    '-rw-r--r-- .* \./usr/share/doc/zentrix-board/copyright'; do
    grep -q "^$file\$" "$WORK/board-contents" || fail "the board's package lacks $file"
done
grep -q 'zentrix-board' "$WORK/contents" && fail "the game's package holds the board's files"
echo "control: zentrix-board $(board_field Version), its libraries and none of the game's"

BOARD_ROOT="$WORK/board-root"
dpkg-deb -x "$BOARD_DEB" "$BOARD_ROOT" || fail "dpkg-deb -x of the board failed"
BOARD="$BOARD_ROOT/usr/sbin/zentrix-board"
unit="$BOARD_ROOT/lib/systemd/system/zentrix-board.service"
grep -qx 'ExecStart=/usr/sbin/zentrix-board --listen 127.0.0.1:8080 --database sqlite:/var/lib/zentrix-board/board.sqlite $ZENTRIX_BOARD_OPTIONS' "$unit" ||
    fail "the unit does not start the board on loopback with its database in its state folder"
for line in DynamicUser=yes StateDirectory=zentrix-board Restart=on-failure NoNewPrivileges=yes \
    ProtectSystem=strict ProtectHome=yes PrivateTmp=yes PrivateDevices=yes \
    'RestrictAddressFamilies=AF_INET AF_INET6 AF_UNIX' WantedBy=multi-user.target; do
    grep -qx "$line" "$unit" || fail "the unit lacks $line"
done
if command -v systemd-analyze >/dev/null; then
    # Checked where it runs from here, and without its manual page installed.
    sed "s|=/usr/sbin/zentrix-board|=$BOARD|" "$unit" >"$WORK/zentrix-board.service"
    systemd-analyze verify --man=no "$WORK/zentrix-board.service" >"$WORK/verify.log" 2>&1 ||
        { cat "$WORK/verify.log"; fail "systemd-analyze rejects the unit"; }
    [ -s "$WORK/verify.log" ] && { cat "$WORK/verify.log"; fail "systemd-analyze warns about the unit"; }
    exposure=$(systemd-analyze security --offline=yes "$WORK/zentrix-board.service" 2>/dev/null |
        sed -n 's/.*Overall exposure level for [^:]*: \([0-9.]*\).*/\1/p')
    echo "systemd-analyze verifies the unit; exposure ${exposure:-not told}"
else
    echo "the unit holds its lines (no systemd-analyze here to verify it)"
fi

board_page="$BOARD_ROOT/usr/share/man/man8/zentrix-board.8.gz"
zcat "$board_page" | groff -man -Tutf8 -ww >/dev/null 2>"$WORK/groff.log"
[ -s "$WORK/groff.log" ] && { cat "$WORK/groff.log"; fail "groff warns about the board's page"; }
# Wide enough that no paragraph breaks, so phrases are found whole.
manual=$(MANWIDTH=1000 man -l "$board_page" 2>"$WORK/man.log")
[ -s "$WORK/man.log" ] && { cat "$WORK/man.log"; fail "man warns about the board's page"; }
lexgrog "$board_page" | grep -q 'zentrix-board - world board server' ||
    fail "lexgrog finds no NAME in the board's page: $(lexgrog "$board_page")"
for text in ZENTRIX-BOARD\(8\) --listen --database --runs-per-minute --request-seconds --behind-proxy \
    /api/v1/runs /api/v1/circuits/N/board /api/v1/players/NAME /api/v1/runs/RUN.zxr /api/v1/today \
    /api/v1/health X-Forwarded-For Retry-After 429 /var/lib/zentrix-board/board.sqlite \
    ZENTRIX_BOARD_OPTIONS "not prove that a person drove it" "EXIT STATUS"; do
    grep -qF -- "$text" <<<"$manual" || fail "the board's manual page lacks $text"
done
echo "the board's manual page renders without a warning"

"$BOARD" --help >"$WORK/help" 2>&1 && grep -q '^usage: zentrix-board' "$WORK/help" &&
    grep -q -- '--behind-proxy' "$WORK/help" || fail "zentrix-board --help: $(cat "$WORK/help")"
[ "$("$BOARD" --version)" = "zentrix-board $(field Version)" ] ||
    fail "zentrix-board --version says '$("$BOARD" --version)'"
e2e_start_board "$BOARD" 0 "$WORK/board.sqlite"
url=$BOARD_URL/
health=$(curl -sS --max-time 5 "${url}api/v1/health") ||
    fail "the unpacked board does not answer at $url"
[ "$health" = '{"database":"sqlite","ok":true}' ] || fail "health: $health"
kill -TERM "$BOARD_PID"
wait "$BOARD_PID"
status=$?
BOARD_PID=""
[ "$status" = 0 ] || fail "the board ended on SIGTERM with status $status"
echo "the unpacked board says its usage and version, answers on loopback and stops on SIGTERM"
echo "deb_package_e2e: 11 passed, 0 failed"
