#!/bin/bash
# The real game under a private Xvfb: one 1024 x 768 window titled "Zentrix - classic";
# C and V keep it running; Esc ends it with status 0 within two seconds; a
# close request from the window manager ends it the same way.
source "$(dirname "$0")/lib/e2e_common.bash"
CLOSE_REQUEST=$3
e2e_start_xvfb
export ALSOFT_DRIVERS=null

start_game() {
    (cd "$SOURCE_DIR" && exec "$GAME") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    e2e_wait_for_window
    sleep 0.5
}


start_game
geometry=$(xwininfo -id "$WINDOW")
echo "$geometry" | grep -q 'Width: 1024' || fail "window width: $geometry"
echo "$geometry" | grep -q 'Height: 768' || fail "window height: $geometry"
[ "$(xwininfo -root -tree | grep -c '"Zentrix - classic"')" -eq 1 ] || fail "expected one Zentrix window"

xdotool key --window "$WINDOW" c c v
sleep 0.5
kill -0 $GAME_PID 2>/dev/null || fail "game died after C and V"
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 2
[ "$status" = 0 ] || fail "Esc: expected exit 0 within 2 s, got $status"
echo "Esc ended the game with status 0"

# A close request (what Alt+F4 asks of a window manager) runs the same sequence.
start_game
"$CLOSE_REQUEST" "$WINDOW" || fail "could not send the close request"
e2e_wait_for_exit 2
[ "$status" = 0 ] || fail "close request: expected exit 0, got $status"
echo "close request ended the game with status 0"
# With no display at all the game says why on standard error and fails.
(cd "$SOURCE_DIR" && timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY "$GAME") >"$WORK/nodisplay.log" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "no display: expected a non-zero status"
grep -q "cannot start the display" "$WORK/nodisplay.log" || { cat "$WORK/nodisplay.log"; fail "no display: no reason given"; }
echo "no display: status $status with a reason on standard error"
echo "window_e2e: 3 passed, 0 failed"
