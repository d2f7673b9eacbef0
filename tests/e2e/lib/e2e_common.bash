# Shared by the end-to-end scripts: a private Xvfb, failure reports, and
# waiting for the game's window. Each script sets WORK (a scratch folder)
# and GAME_PID (the game's process) before using them.

# Starts Xvfb on a display number it picks itself and exports DISPLAY.
e2e_start_xvfb() {
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null &
    XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    [ -s "$WORK/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$WORK/display")"
}

fail() {
    echo "FAIL: $*"
    [ -s "$WORK/game.log" ] && cat "$WORK/game.log"
    exit 1
}

# Waits for the window titled "Zentrix" and sets WINDOW to its id.
e2e_wait_for_window() {
    WINDOW=""
    for _ in $(seq 150); do
        WINDOW=$(xdotool search --name '^Zentrix$' 2>/dev/null | head -n1)
        [ -n "$WINDOW" ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "game exited before its window showed"
        sleep 0.1
    done
    fail "no window titled Zentrix"
}

# Waits up to $1 seconds for the game to end; sets status to its exit status,
# or to "timeout".
e2e_wait_for_exit() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ "$(date +%s%N)" -lt $deadline ] || { status=timeout; return; }
        sleep 0.05
    done
    wait "$GAME_PID"
    status=$?
    GAME_PID=""
}
