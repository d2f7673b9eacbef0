#!/bin/bash
# Pause, race again and the finish with the real game under a private Xvfb.
# R brings the clock back to its first second; another window taking the
# focus, or P, holds the picture still under PAUSED; Esc ends a paused game
# with status 0. A race started on its last stretch (the
# ZENTRIX_TEST_FINAL_STRETCH test aid) finishes, shows its panel over a
# stopped clock, saves no records from its made-up laps, and Esc ends it
# with status 0. Screenshots stay in finish_pause_e2e_shots beside the binary.
source "$(dirname "$0")/lib/e2e_common.bash"
SHOTS="$(cd "$(dirname "$GAME")" && pwd)/finish_pause_e2e_shots"
trap 'xdotool keyup Up 2>/dev/null; kill $GAME_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT
rm -rf "$SHOTS" && mkdir -p "$SHOTS"
e2e_start_xvfb
export ALSOFT_DRIVERS=null

start_game() {
    (cd "$SOURCE_DIR" && exec "$GAME") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    e2e_wait_for_window
    sleep 1
    xdotool windowfocus "$WINDOW" 2>/dev/null
}
alive() { kill -0 $GAME_PID 2>/dev/null || fail "game died $1"; }
shot() { import -window root "$SHOTS/$1.png" || fail "screenshot $1"; }
# The clock's red pixels, as a black and white mask: the road behind it may
# move while the clock stands. Its minutes and seconds are the first six cells.
RED='r>0.8&&g<0.3&&b<0.3'
clock_mask() { convert "$SHOTS/$1.png" -crop "$2x14+872+716" +repage -fx "$RED" gray:-; }
clock_minutes_seconds() { clock_mask "$1" 44; }
clock_whole() { clock_mask "$1" 72; }
differing() { compare -metric AE "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 | cut -d' ' -f1; }
# Pixels in a box (w h x y, y from the top) that pass an fx test.
pixels() { convert "$SHOTS/$1.png" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
WHITE='r>0.9&&g>0.9&&b>0.9'
escape_ends_with_zero() {
    xdotool key Escape
    e2e_wait_for_exit 2
    [ "$status" = 0 ] || fail "Esc $1: expected exit status 0 within two seconds, got $status"
}

# 1. R mid-race: twice a fraction of a second after R the clock reads the same
#    minutes and seconds, though the race had run on seconds past them.
start_game
xdotool key r
sleep 0.3
shot first_second
xdotool keydown Up
sleep 3
xdotool keyup Up
shot before_r
alive "while Up was held"
xdotool key r
sleep 0.3
shot after_r
cmp -s <(clock_minutes_seconds first_second) <(clock_minutes_seconds after_r) ||
    fail "after R the clock does not read its first second again"
cmp -s <(clock_minutes_seconds before_r) <(clock_minutes_seconds after_r) &&
    fail "the clock read the same before and after R"
moved=$(differing before_r after_r)
echo "pixels differing before and after R: $moved"
[ "${moved:-0}" -gt 20000 ] || fail "R did not bring the craft back to the grid"

# 2. Switching to another window pauses: two pictures a second apart are the
#    same, with PAUSED over them, and stay so back at the game until P.
still_for_a_second() {
    shot "$1"
    sleep 1
    shot "$1_later"
    local changed
    changed=$(differing "$1" "$1_later")
    echo "pixels differing across a second $2: $changed"
    [ "$changed" = 0 ] || fail "the picture changed $2"
    local paused_text
    paused_text=$(pixels "$1" 64 40 480 280 "$WHITE")  # the menu's title
    [ "$paused_text" -gt 20 ] || fail "no PAUSED over the picture $2"
}
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
sleep 0.3
still_for_a_second away "with another window focused"
xdotool windowfocus "$WINDOW"
sleep 0.3
shot back
[ "$(differing away_later back)" = 0 ] || fail "coming back to the window resumed the race"
xdotool key p
sleep 1
shot resumed
cmp -s <(clock_whole back) <(clock_whole resumed) && fail "P did not resume the clock"

# 3. P pauses the same way; Esc from the pause ends the game.
xdotool key p
sleep 0.3
still_for_a_second paused "after P"
alive "while paused"
escape_ends_with_zero "from the pause"

# 4. The last stretch: Up crosses the line, the panel shows, the clock stands
#    at the race time, no records are saved; Esc from the panel ends the game.
ZENTRIX_TEST_FINAL_STRETCH=1 start_game
xdotool keydown Up
sleep 1.2
xdotool keyup Up
sleep 0.5
shot finished
sleep 1
shot finished_later
alive "at the finish"
panel_text=$(pixels finished 300 170 362 150 "$WHITE")
echo "white panel pixels: $panel_text"
[ "$panel_text" -gt 200 ] || fail "no finish panel"
cmp -s <(clock_whole finished) <(clock_whole finished_later) || fail "the clock ran on after the finish"
records="$XDG_DATA_HOME/zentrix/records.txt"
if [ -f "$records" ] && grep -q '^circuit' "$records"; then
    fail "the test aid's made-up laps were saved as records: $(cat "$records")"
fi
escape_ends_with_zero "from the finish panel"
echo "finish_pause_e2e: R, focus loss, P, the finish and Esc from the pause and the panel all passed"
