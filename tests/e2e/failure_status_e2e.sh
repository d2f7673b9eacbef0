#!/bin/bash
# A failure that ends the game is no success: a sky bitmap that is missing
# gives its box and then exit status 1. A display without a 1024 x 768 mode is
# no failure: the game says so in one line, races on the whole desktop with
# no box, and Esc ends it with status 0.
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
e2e_wait_for_window
sleep 2
kill -0 "$GAME_PID" 2>/dev/null || fail "no 1024 x 768 mode: the game did not race"
for caption in Orvanta Demo; do
    [ -z "$(e2e_visible_windows $caption)" ] || fail "no 1024 x 768 mode: a \"$caption\" box showed"
done
geometry=$(xwininfo -id "$WINDOW")
echo "$geometry" | grep -q 'Width: 800' || fail "no 1024 x 768 mode: window $geometry"
echo "$geometry" | grep -q 'Height: 600' || fail "no 1024 x 768 mode: window $geometry"
[ "$(grep -c 'no 1024 x 768 mode' "$WORK/game.log")" = 1 ] || fail "no 1024 x 768 mode: not said in one line"
# The picture, scaled to the whole screen, is drawn: the sky at the top, the road below.
import -window "$WINDOW" "$WORK/fallback.png" || fail "screenshot"
dark=$(convert "$WORK/fallback.png" -channel RGB -separate -evaluate-sequence Max -threshold 0 \
    -negate -format '%[fx:round(mean*w*h)]' info:)
[ "$dark" -lt 48000 ] || fail "no 1024 x 768 mode: $dark of the 480000 pixels are black"
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "no 1024 x 768 mode: Esc gave status $status"
echo "no 1024 x 768 mode: one line on standard error, no box, a race on the whole screen, Esc gives status 0"
echo "failure_status_e2e: 2 passed, 0 failed"
