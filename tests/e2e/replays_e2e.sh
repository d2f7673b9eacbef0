#!/bin/bash
# Every race is kept: a race driven for a few seconds and left with Esc leaves
# last.zxr in the data home, and --verify runs it again with no display to
# the same end. A replay whose final state was tampered with does not match;
# one cut short is no replay. With ZENTRIX_VERIFY_ALSO naming other builds'
# games, separated by colons (the test command passes the sanitizer build's
# and an unoptimised one's), each must verify the same replay too.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null
LAST="$XDG_DATA_HOME/zentrix/replays/last.zxr"

e2e_start_xvfb
(cd "$SOURCE_DIR" && exec "$GAME" --track 7) >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
xdotool keydown --window "$WINDOW" Up
sleep 2
xdotool key --window "$WINDOW" space
xdotool keydown --window "$WINDOW" Right
sleep 0.5
xdotool keyup --window "$WINDOW" Right
sleep 1
xdotool keyup --window "$WINDOW" Up
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "Esc gave status $status"
[ -s "$LAST" ] || fail "no $LAST after the race"
echo "a race left with Esc is kept as last.zxr, $(stat -c %s "$LAST") bytes"

verify() {
    (unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --verify "$1") >"$WORK/out" 2>"$WORK/err"
    status=$?
}
verify "$LAST"
[ "$status" = 0 ] && grep -qx 'verified' "$WORK/out" && grep -qx 'circuit 7' "$WORK/out" ||
    fail "--verify last.zxr: status $status: $(cat "$WORK/out" "$WORK/err")"
echo "--verify runs it again with no display: circuit 7, verified"
IFS=: read -ra other_builds <<<"${ZENTRIX_VERIFY_ALSO:-}"
for other in "${other_builds[@]}"; do
    (unset DISPLAY; cd "$SOURCE_DIR" && "$other" --verify "$LAST") >"$WORK/out" 2>"$WORK/err"
    status=$?
    [ "$status" = 0 ] && grep -qx 'verified' "$WORK/out" ||
        fail "$other --verify: status $status: $(cat "$WORK/out" "$WORK/err")"
    echo "the other build ($other) verifies it too"
done

# Verifying needs no data folder: from an empty folder, with the game named
# by its full path, the race driven above (no lap in) verifies all the same.
mkdir "$WORK/empty"
(unset DISPLAY ZENTRIX_DATA_DIR; cd "$WORK/empty" && "$GAME" --verify "$LAST") \
    >"$WORK/out" 2>"$WORK/err"
status=$?
[ "$status" = 0 ] && grep -qx 'verified' "$WORK/out" &&
    grep -qx 'race   unfinished, 0 of 3 laps' "$WORK/out" ||
    fail "--verify from an empty folder: status $status: $(cat "$WORK/out" "$WORK/err")"
echo "--verify from an empty folder: verified, the race unfinished with 0 of 3 laps"

# The final state's hash: after the magic, version, game version text,
# circuit, seed, the craft's parts, mode, difficulty, tick count, three laps
# and the race time.
text_length=$(od -An -tu1 -j12 -N1 "$LAST" | tr -d ' ')
hash_at=$((8 + 4 + 1 + text_length + 8 + 4 + 2 + 1 + 1 + 4 + 12 + 4))
cp "$LAST" "$WORK/tampered.zxr"
byte=$(od -An -tu1 -j"$hash_at" -N1 "$LAST" | tr -d ' ')
# shellcheck disable=SC2059
printf "\\$(printf '%03o' $((byte ^ 255)))" |
    dd of="$WORK/tampered.zxr" bs=1 seek="$hash_at" conv=notrunc status=none
cmp -s "$LAST" "$WORK/tampered.zxr" && fail "the tampered copy is the same"
verify "$WORK/tampered.zxr"
[ "$status" = 1 ] && grep -qx 'does not match' "$WORK/out" ||
    fail "a tampered final state: status $status: $(cat "$WORK/out" "$WORK/err")"
echo "a tampered final state does not match: status 1"

head -c 20 "$LAST" >"$WORK/cut.zxr"
verify "$WORK/cut.zxr"
[ "$status" = 2 ] && [ "$(wc -l <"$WORK/err")" = 1 ] ||
    fail "a replay cut short: status $status: $(cat "$WORK/err")"
echo "a replay cut short is refused in one line: status 2"

# Watching it: the race as it was run under REPLAY, and Esc ends it.
(cd "$SOURCE_DIR" && exec "$GAME" --replay "$LAST") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
sleep 2
xdotool key --window "$WINDOW" f
sleep 1
xdotool key --window "$WINDOW" b
kill -0 "$GAME_PID" 2>/dev/null || fail "--replay: the game did not show the replay"
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 5
[ "$status" = 0 ] || fail "--replay: Esc gave status $status"
echo "--replay shows it, F and B wind it, and Esc gives status 0"

(cd "$SOURCE_DIR" && exec "$GAME" --replay "$WORK/cut.zxr") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_close_box Error
e2e_wait_for_exit 5
[ "$status" = 2 ] || fail "--replay of a cut replay: status $status after its box"
echo "--replay of a replay cut short: its box, then status 2"
echo "replays_e2e: 7 passed, 0 failed"
