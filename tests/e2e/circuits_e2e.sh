#!/bin/bash
# Circuits from the command line: --track 48213 races that circuit, titled by
# it, and Esc ends it with status 0; a bad circuit number is a usage error,
# said in one line and where the help is;
# --track-map writes the circuit's map without a display.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null

for bad in x -1 4294967296 ""; do
    (cd "$SOURCE_DIR" && "$GAME" --track "$bad") >"$WORK/out" 2>"$WORK/err"
    status=$?
    [ "$status" = 2 ] || fail "--track '$bad': exit status $status, not 2"
    [ "$(wc -l <"$WORK/err")" = 2 ] && grep -q '^zentrix: --track wants a circuit number' \
        "$WORK/err" && grep -qx "Try 'zentrix --help' for more information." "$WORK/err" ||
        fail "--track '$bad' said: $(cat "$WORK/err")"
done
echo "a bad circuit number is said in one line, then where the help is, with status 2"

# No display at all: the map needs none.
(unset DISPLAY; cd "$WORK" && "$GAME" --track-map 7) >"$WORK/map.svg" 2>"$WORK/err" ||
    fail "--track-map 7 failed: $(cat "$WORK/err")"
[ ! -s "$WORK/err" ] || fail "--track-map 7 said: $(cat "$WORK/err")"
grep -q '<polygon id="centre-line"' "$WORK/map.svg" && grep -q '</svg>' "$WORK/map.svg" ||
    fail "--track-map 7 wrote no map"
echo "--track-map writes the map with no display"

e2e_start_xvfb
(cd "$SOURCE_DIR" && exec "$GAME" --track 48213) >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
xdotool search --onlyvisible --name '^Zentrix - circuit 48213$' >/dev/null ||
    fail "the window is not titled after circuit 48213"
xdotool keydown --window "$WINDOW" Up
sleep 3
xdotool keyup --window "$WINDOW" Up
kill -0 "$GAME_PID" 2>/dev/null || fail "circuit 48213: the game did not race"
import -window "$WINDOW" "$WORK/race.png" || fail "screenshot"
# The road and the sky: a picture, not a black screen.
dark=$(convert "$WORK/race.png" -channel RGB -separate -evaluate-sequence Max -threshold 0 \
    -negate -format '%[fx:round(mean*w*h)]' info:)
[ "$dark" -lt 78000 ] || fail "circuit 48213: $dark of the 786432 pixels are black"
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "circuit 48213: Esc gave status $status"
echo "--track 48213 races in a window titled after it, and Esc gives status 0"
echo "circuits_e2e: 3 passed, 0 failed"
