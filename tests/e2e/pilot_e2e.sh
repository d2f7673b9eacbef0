#!/bin/bash
# The game's own pilot with no display: --pilot 7 through a pipe and into a
# file is a time trial's replay that --verify runs again to the same finished
# end, from the file or straight from the pipe (--verify -); the same circuit
# gives the same bytes; a terminal is refused, not filled with bytes; and
# --medals prints four medal times in order, the first the pilot's own.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null

(unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --pilot 7 | cat >"$WORK/pilot.zxr") 2>"$WORK/err"
[ -s "$WORK/pilot.zxr" ] || fail "--pilot 7 wrote nothing: $(cat "$WORK/err")"
[ ! -s "$WORK/err" ] || fail "--pilot 7 said: $(cat "$WORK/err")"
[ "$(head -c 8 "$WORK/pilot.zxr")" = ZENTRIXR ] || fail "--pilot 7 wrote no replay"
echo "--pilot 7 through a pipe: a replay of $(stat -c %s "$WORK/pilot.zxr") bytes"

(unset DISPLAY; cd "$WORK" && "$GAME" --verify "$WORK/pilot.zxr") >"$WORK/out" 2>"$WORK/err"
status=$?
[ "$status" = 0 ] && grep -qx 'circuit 7, time trial' "$WORK/out" && grep -qx 'verified' "$WORK/out" &&
    ! grep -q 'unfinished\|not run' "$WORK/out" ||
    fail "--verify of the pilot's run: status $status: $(cat "$WORK/out" "$WORK/err")"
echo "--verify runs it again: three laps, $(grep '^race' "$WORK/out" | tr -s ' '), verified"

(unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --pilot 7 | (cd "$WORK" && "$GAME" --verify -)) >"$WORK/piped" 2>"$WORK/err" ||
    fail "--pilot 7 | --verify -: $(cat "$WORK/piped" "$WORK/err")"
cmp -s "$WORK/out" "$WORK/piped" || fail "--verify - said otherwise than --verify FILE"
echo "--pilot 7 | --verify -: the same, verified"

(unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --pilot=7) >"$WORK/again.zxr" 2>"$WORK/err" ||
    fail "--pilot=7 into a file failed: $(cat "$WORK/err")"
cmp -s "$WORK/pilot.zxr" "$WORK/again.zxr" || fail "two runs of --pilot 7 differ"
echo "the same circuit, the same bytes"

if command -v script >/dev/null; then
    script -qec "cd '$SOURCE_DIR' && '$GAME' --pilot 7" /dev/null >"$WORK/tty" 2>&1
    status=$?
    [ "$status" = 2 ] && grep -q 'send it to a file' "$WORK/tty" && ! grep -q ZENTRIXR "$WORK/tty" ||
        fail "--pilot to a terminal: status $status: $(cat "$WORK/tty")"
    echo "a terminal is refused with status 2"
fi

# "gold    4:12.300" as milliseconds.
medalMs() {
    awk -v want="$1" '$1 == want { split($2, t, /[:.]/); print t[1] * 60000 + t[2] * 1000 + t[3] }' "$2"
}
for circuit in 0 7 48213; do
    (unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --medals "$circuit") >"$WORK/medals" 2>"$WORK/err" ||
        fail "--medals $circuit: $(cat "$WORK/medals" "$WORK/err")"
    [ "$(wc -l <"$WORK/medals")" = 5 ] || fail "--medals $circuit printed: $(cat "$WORK/medals")"
    pilot=$(medalMs pilot "$WORK/medals")
    gold=$(medalMs gold "$WORK/medals")
    silver=$(medalMs silver "$WORK/medals")
    bronze=$(medalMs bronze "$WORK/medals")
    [ -n "$pilot" ] && [ "$pilot" -gt 0 ] && [ "$pilot" -lt "$gold" ] && [ "$gold" -lt "$silver" ] &&
        [ "$silver" -lt "$bronze" ] || fail "--medals $circuit out of order: $(cat "$WORK/medals")"
    echo "--medals $circuit: $(tail -n 4 "$WORK/medals" | tr -s ' ' | paste -sd ',')"
done
race7=$(grep '^race' "$WORK/out" | awk '{print $2}' | awk -F: '{print $1 * 60000 + $2 * 1000 + $3}')
(unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --medals 7) >"$WORK/medals" 2>&1
[ "$(medalMs pilot "$WORK/medals")" = "$race7" ] ||
    fail "circuit 7's pilot medal is not the pilot's race: $race7 against $(cat "$WORK/medals")"
echo "circuit 7's pilot medal is the time --verify read from the pilot's run"
