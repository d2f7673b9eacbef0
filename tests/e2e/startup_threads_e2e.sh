#!/bin/bash
# The start-up's threads from the outside. The sound device is opened, and the
# files read, on one thread while the window comes up; the font is
# rasterized and the scene built and drawn once, unseen, on another while the
# window shows. Whatever breaks, the boxes must be the ones the game always
# showed, in the same order, with the same exit status:
#  - a plain start races, and Esc ends it with 0;
#  - a damaged model and a missing texture: only the model's box (255), and
#    the sound device opened ahead is closed on the way out;
#  - a missing texture with no sound device: only the texture's box (1);
#  - no sound device: its box, then the race.
# Run with a ThreadSanitizer build as well (the test command does): any report
# fails the case.
source "$(dirname "$0")/lib/e2e_common.bash"
export LIBGL_ALWAYS_SOFTWARE=1
export ZENTRIX_TRACE_STARTUP=1
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}"
e2e_start_xvfb

fresh_game_folder() {
    rm -rf "$WORK/run"
    mkdir -p "$WORK/run"
    cp -r "$SOURCE_DIR/data" "$WORK/run/data"
}

# start_game SOUND_DRIVER
start_game() {
    (cd "$WORK/run" && ALSOFT_DRIVERS=$1 exec "$GAME") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
}

# The box lines on standard error, in the order shown.
boxes() {
    grep '^zentrix: ' "$WORK/game.log" | grep -v 'start-up' || true
}

no_thread_reports() {
    ! grep -q 'ThreadSanitizer' "$WORK/game.log" || fail "$1: ThreadSanitizer reported"
}

race_then_escape() {
    local case=$1
    e2e_wait_for_window
    for _ in $(seq 300); do
        grep -q 'first frame shown' "$WORK/game.log" && break
        sleep 0.1
    done
    grep -q 'first frame shown' "$WORK/game.log" || fail "$case: no frame shown"
    sleep 1
    # The start-up threads yield to the window; no thread that lasts the race
    # (the sound's mixing above all) may keep that lower priority. Mesa's
    # shader cache writer lowers its own. The game may have been started
    # under nice: each thread must race at the niceness of the main one.
    local task name nice started
    started=$(sed 's/.*) //' "/proc/$GAME_PID/stat" | cut -d' ' -f17)
    for task in /proc/$GAME_PID/task/*; do
        # A thread may end between the listing and the reading.
        name=$(cat "$task/comm" 2>/dev/null) || continue
        nice=$(sed 's/.*) //' "$task/stat" 2>/dev/null | cut -d' ' -f17)
        [[ -z "$nice" || "$name" == *'disk$'* ]] && continue
        [ "$nice" = "$started" ] || fail "$case: thread $name races at nice $nice, not $started"
    done
    xdotool windowfocus "$WINDOW" key Escape
    e2e_wait_for_exit 30
    [ "$status" = 0 ] || fail "$case: Esc ended the race with $status"
    no_thread_reports "$case"
}

# expect_one_box CASE CAPTION STATUS PHRASE
expect_one_box() {
    e2e_close_box "$2"
    e2e_wait_for_exit 30
    [ "$status" = "$3" ] || fail "$1: exit status $status, not $3"
    [ "$(boxes | wc -l)" = 1 ] || fail "$1: boxes shown: $(boxes)"
    boxes | grep -q "$4" || fail "$1: the box said $(boxes), not $4"
    ! grep -q 'AL lib' "$WORK/game.log" || fail "$1: OpenAL complained: $(grep 'AL lib' "$WORK/game.log")"
    no_thread_reports "$1"
    echo "ok: $1"
}

fresh_game_folder
start_game null
race_then_escape "plain start"
for step in "models and textures read ahead" "sound device opened ahead" "font rasterized" \
    "first frame drawn unseen" "window shown" "scene built" "first frame shown"; do
    grep -q "start-up .* $step\$" "$WORK/game.log" || fail "plain start: no '$step' in the timeline"
done
echo "ok: plain start"

fresh_game_folder
head -c 300 "$SOURCE_DIR/data/nau.ase" >"$WORK/run/data/nau.ase"
rm "$WORK/run/data/sky/top.bmp"
start_game null
expect_one_box "damaged model and missing texture" Error 255 "nau.ase is damaged"

fresh_game_folder
rm "$WORK/run/data/sky/top.bmp"
start_game nonexistent
expect_one_box "missing texture, no sound device" Error 1 "top.bmp"

fresh_game_folder
start_game nonexistent
e2e_close_box error
race_then_escape "no sound device"
boxes | grep -q 'No puc engegar soundsystem' || fail "no sound device: its box was not said"
echo "ok: no sound device"
