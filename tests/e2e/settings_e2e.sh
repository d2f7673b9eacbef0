#!/bin/bash
# Settings that stay: P opens the menu, Settings, the music a step down and
# the HUD large, Esc back out of the menu's pages and quit. The next run
# finds both in settings.ini and draws the clock half as tall again, and
# with ZENTRIX_TRACE_STARTUP=1 tells its start-up step by step.
source "$(dirname "$0")/lib/e2e_common.bash"
e2e_start_xvfb
export ALSOFT_DRIVERS=null
SETTINGS="$XDG_CONFIG_HOME/zentrix/settings.ini"

start_game() {
    (cd "$SOURCE_DIR" && exec "$GAME" --windowed) >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    e2e_wait_for_window
    sleep 1
    xdotool windowfocus "$WINDOW" 2>/dev/null
}
# The height of the red clock's lit pixels, bottom right.
clock_height() {
    import -window "$WINDOW" "$WORK/$1.png" || fail "screenshot $1"
    convert "$WORK/$1.png" -crop 400x200+624+568 +repage -fx 'r>0.8&&g<0.3&&b<0.3' \
        -format '%@' info: | sed 's/^[0-9]*x\([0-9]*\).*/\1/'
}

start_game
normal=$(clock_height normal)
xdotool key p
sleep 0.3
xdotool key Down Down Down Down Return Left Down Down Down Right
sleep 0.3
xdotool key Escape
sleep 0.3
kill -0 "$GAME_PID" 2>/dev/null || fail "Esc on the settings page quit the game"
xdotool key Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "Esc on the menu's top page gave status $status"
grep -qx 'music_volume = 90' "$SETTINGS" && grep -qx 'hud_size = large' "$SETTINGS" ||
    fail "settings.ini: $(cat "$SETTINGS" 2>&1)"
echo "the menu saved music_volume = 90 and hud_size = large"

ZENTRIX_TRACE_STARTUP=1 start_game
large=$(clock_height large)
echo "the clock is $normal pixels tall at normal, $large at large"
[ "$large" -ge $((normal * 13 / 10)) ] || fail "the HUD is not large on the next run"
xdotool key Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "Esc gave status $status"
# The start-up timeline: a line a step, in order, ending with the first frame.
grep '^zentrix: start-up' "$WORK/game.log" >"$WORK/trace"
tail -n1 "$WORK/trace" | grep -q 'first frame shown$' || fail "trace: $(cat "$WORK/game.log")"
sort -s -n -k3,3 "$WORK/trace" | cmp -s - "$WORK/trace" || fail "trace out of order: $(cat "$WORK/trace")"
echo "ZENTRIX_TRACE_STARTUP=1 gave $(wc -l <"$WORK/trace") steps, the last the first frame shown"
echo "settings_e2e: 3 passed, 0 failed"
