#!/bin/bash
# A short race with the real game under a private Xvfb: hold Up for five
# seconds, fire, change cameras, take screenshots, Esc; the game ends with
# status 0. Screenshots stay in race_e2e_shots beside the binary, or
# race_e2e_shots_N for a run with ZENTRIX_TEST_DRAW_RATE=N.
source "$(dirname "$0")/lib/e2e_common.bash"
SHOTS="$(cd "$(dirname "$GAME")" && pwd)/race_e2e_shots${ZENTRIX_TEST_DRAW_RATE:+_$ZENTRIX_TEST_DRAW_RATE}"
trap 'xdotool keyup Up 2>/dev/null; kill $GAME_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT
rm -rf "$SHOTS" && mkdir -p "$SHOTS"
e2e_start_xvfb
export ALSOFT_DRIVERS=null

# The game reads data/ relative to its working directory.
(cd "$SOURCE_DIR" && exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
sleep 1
xdotool windowfocus "$WINDOW" 2>/dev/null

alive() { kill -0 $GAME_PID 2>/dev/null || fail "game died $1"; }
shot() { import -window root "$SHOTS/$1.png" || fail "screenshot $1"; }
# Pixels in a box (w h x y, y from the top) that pass an fx test.
pixels() { convert "$SHOTS/$1.png" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
RED='r>0.8&&g<0.3&&b<0.3'
GREY='abs(r-0.5)<0.1&&abs(g-r)<0.02&&abs(b-r)<0.02'

shot start
xdotool keydown Up
sleep 2.5
shot accelerating
sleep 2.5
xdotool keyup Up
alive "while Up was held"
xdotool key space
sleep 0.2
shot fired
xdotool key c
sleep 0.5
shot camera_c
xdotool key v
sleep 0.5
shot cockpit
xdotool key v
sleep 0.3
alive "after firing and changing cameras"

# The clock runs in red at the bottom right, over the grey lap labels.
clock_start=$(pixels start 70 16 870 714 "$RED")
clock_later=$(pixels accelerating 70 16 870 714 "$RED")
labels=$(pixels fired 20 36 860 726 "$GREY")
echo "red clock pixels: $clock_start at start, $clock_later later; grey label pixels: $labels"
[ "$clock_start" -gt 10 ] || fail "no red clock at the bottom right"
[ "$labels" -gt 10 ] || fail "no grey lap labels"
cmp -s <(convert "$SHOTS/start.png" -crop 70x16+870+714 rgb:-) \
    <(convert "$SHOTS/accelerating.png" -crop 70x16+870+714 rgb:-) && fail "the clock stood still"
# Driving and changing the camera change the picture.
for pair in "start accelerating" "camera_c cockpit"; do
    set -- $pair
    difference=$(compare -metric AE "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1)
    echo "pixels differing between $1 and $2: $difference"
    awk -v n="${difference%% *}" 'BEGIN { exit !(n + 0 > 1000) }' || fail "$1 and $2 look alike"
done

xdotool key Escape
for _ in $(seq 40); do
    kill -0 $GAME_PID 2>/dev/null || break
    sleep 0.05
done
kill -0 $GAME_PID 2>/dev/null && fail "Esc did not end the game within two seconds"
wait $GAME_PID
status=$?
GAME_PID=""
[ "$status" = 0 ] || fail "Esc: expected exit status 0, got $status"
echo "race_e2e: the race ran${ZENTRIX_TEST_DRAW_RATE:+ drawn at $ZENTRIX_TEST_DRAW_RATE Hz}, the game ended with status 0"
