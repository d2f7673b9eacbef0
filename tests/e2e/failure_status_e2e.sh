#!/bin/bash
# A failure that ends the game is no success: a sky bitmap that is missing
# gives its box and then exit status 1; a display without a 1024 x 768 mode
# gives its two boxes and does not end with status 0.
set -u
GAME=$1
SOURCE_DIR=$2
WORK=$(mktemp -d)
GAME_PID=""
trap 'kill $GAME_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null

# A copy of data/ without the sky's top face.
mkdir -p "$WORK/game"
cp -r "$SOURCE_DIR/data" "$WORK/game/data"
rm "$WORK/game/data/sky/top.bmp"
e2e_start_xvfb
(cd "$WORK/game" && exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_close_box Error
e2e_wait_for_exit 5
[ "$status" = 1 ] || fail "missing sky bitmap: expected exit status 1 after its box, got $status"
echo "missing sky bitmap: its box, then exit status 1"
kill $XVFB_PID 2>/dev/null
wait $XVFB_PID 2>/dev/null

# A screen of 800 x 600 offers no 1024 x 768 mode.
e2e_start_xvfb 800x600x24
(cd "$SOURCE_DIR" && exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_close_box Orvanta
e2e_close_box Demo
e2e_wait_for_exit 10
[ "$status" != timeout ] || fail "no 1024 x 768 mode: the game did not end"
[ "$status" != 0 ] || fail "no 1024 x 768 mode: the game ended without racing, yet with status 0"
echo "no 1024 x 768 mode: two boxes, then exit status $status"
echo "failure_status_e2e: 2 passed, 0 failed"
