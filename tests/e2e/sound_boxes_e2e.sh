#!/bin/bash
# The real game under a private Xvfb when sound cannot start. With no usable
# sound device one box says so and, once closed, the race runs silent and Esc
# ends it with status 0. Without
# data/musik.mp3 the stream box and "Can't play stream" come before the first
# frame, and the race runs.
source "$(dirname "$0")/lib/e2e_common.bash"
e2e_start_xvfb

# The game reads data/ from its working directory: a copy, so files can go missing.
make_game_folder() {
    rm -rf "$WORK/run"
    mkdir -p "$WORK/run"
    cp -r "$SOURCE_DIR/data" "$WORK/run/data"
}

start_game() {
    (cd "$WORK/run" && exec "$GAME") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
}

game_window_visible() {
    [ -n "$(e2e_visible_windows "Zentrix - classic")" ]
}

box_lines() {
    grep -c '^zentrix: ' "$WORK/game.log"
}

# Waits for the box titled $1 that is the game's $2-th box, checks the game
# is still waiting on it with no frame shown, and closes it with Return.
close_box() {
    local caption=$1 number=$2 box=""
    for _ in $(seq 100); do
        box=$(e2e_visible_windows "$caption" | head -n1)
        [ -n "$box" ] && break
        kill -0 $GAME_PID 2>/dev/null || fail "game exited while box $number ($caption) was due"
        sleep 0.1
    done
    [ -n "$box" ] || fail "box $number titled '$caption' never appeared"
    sleep 0.3
    [ "$(box_lines)" -eq "$number" ] || fail "box $number: the game has shown $(box_lines) boxes"
    game_window_visible && fail "the race is on screen while box $number ($caption) is up"
    xdotool windowfocus "$box"
    sleep 0.1
    xdotool key Return
    for _ in $(seq 50); do
        # The next box may take the same window id, so the game's own progress counts too.
        [ "$(box_lines)" -gt "$number" ] && return 0
        e2e_visible_windows "$caption" | grep -qx "$box" || return 0
        sleep 0.1
    done
    fail "box $number ($caption) did not close on Return"
}

# The race shows, keeps running, and Esc ends it with status 0.
race_then_escape() {
    local window=""
    for _ in $(seq 100); do
        window=$(e2e_visible_windows "Zentrix - classic" | head -n1)
        [ -n "$window" ] && break
        kill -0 $GAME_PID 2>/dev/null || fail "game exited before its window showed"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window titled Zentrix after the boxes"
    sleep 1
    kill -0 $GAME_PID 2>/dev/null || fail "game died while racing in silence"
    [ "$(box_lines)" -eq "$1" ] || fail "expected $1 boxes in all, the game showed $(box_lines)"
    xdotool key --window "$window" Escape
    for _ in $(seq 40); do
        kill -0 $GAME_PID 2>/dev/null || break
        sleep 0.05
    done
    kill -0 $GAME_PID 2>/dev/null && fail "Esc did not end the game"
    wait $GAME_PID
    local status=$?
    GAME_PID=""
    [ "$status" -eq 0 ] || fail "exit status $status after Esc"
}

# 1. No sound device: OpenAL Soft is told to use a back end that does not exist.
make_game_folder
ALSOFT_DRIVERS=no_such_backend start_game
close_box error 1
race_then_escape 1
expected="zentrix: error: No puc engegar soundsystem"
[ "$(grep '^zentrix: ' "$WORK/game.log")" = "$expected" ] || fail "no device: boxes $(box_lines)"
echo "no device: one box, then the race ran and Esc ended it"

# 2. No music file, a working (silent) device.
make_game_folder
rm "$WORK/run/data/musik.mp3"
ALSOFT_DRIVERS=null start_game
close_box error 1
close_box Error 2
race_then_escape 2
expected="zentrix: error: No puc crear stream (n sta musik.mp3 a la carpeta data)
zentrix: Error: Can't play stream"
[ "$(grep '^zentrix: ' "$WORK/game.log")" = "$expected" ] || fail "music boxes out of order"
echo "no music: the stream box and Can't play stream came before the first frame"
echo "sound_boxes_e2e: 2 passed, 0 failed"
