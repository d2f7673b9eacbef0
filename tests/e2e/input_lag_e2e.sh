#!/bin/bash
# Keys act within a tick whatever else is queued: 600 pointer moves land in
# the game's queue, then C changes the camera within half a second, and after
# another 600 moves Esc ends the game with status 0 within half a second.
source "$(dirname "$0")/lib/e2e_common.bash"
e2e_start_xvfb
export ALSOFT_DRIVERS=null

(cd "$SOURCE_DIR" && exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
sleep 4  # the opponents pass the standing craft and leave the road near it clear
xdotool windowfocus "$WINDOW" 2>/dev/null

# One xdotool call sends all 600 moves at once, faster than the game's ticks.
nudge_pointer() {
    local args=()
    for i in $(seq 600); do args+=(mousemove $((100 + i % 300)) $((100 + i % 200))); done
    xdotool "${args[@]}"
}
# The road's part of the screen: the sky's clouds drift on their own.
shot() {
    import -window root "$WORK/$1.png" || fail "screenshot $1"
    convert "$WORK/$1.png" -crop 1024x300+0+468 +repage "$WORK/$1-road.png"
}
differing() { compare -fuzz 5% -metric AE "$WORK/$1-road.png" "$WORK/$2-road.png" null: 2>&1 | cut -d' ' -f1; }

# How much the road changes in 0.4 s on its own (opponents pass, the clock runs).
shot before
nudge_pointer
sleep 0.4
shot still
nudge_pointer
xdotool key c
sleep 0.4
shot camera
kill -0 $GAME_PID 2>/dev/null || fail "game died after the pointer moves"
on_its_own=$(differing before still)
with_c=$(differing still camera)
echo "pixels changed in 0.4 s: $on_its_own on its own, $with_c after 600 moves and C"
awk -v a="$on_its_own" -v b="$with_c" 'BEGIN { exit !(b > 3 * a && b > 50000) }' ||
    fail "the camera did not change within 0.4 s of C behind 600 pointer moves"

nudge_pointer
xdotool key Escape
started=$(date +%s%N)
e2e_wait_for_exit 0.5
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
[ "$status" = 0 ] || fail "Esc behind 600 pointer moves: expected exit 0 within 0.5 s, got $status"
echo "Esc behind 600 pointer moves ended the game with status 0 in $elapsed_ms ms"
echo "input_lag_e2e: 2 passed, 0 failed"
