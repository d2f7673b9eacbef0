#!/bin/bash
# Replays are files players send each other. A short race leaves last.zxr,
# and from it come hostile files: cut short, a bit flipped, random bytes, a
# later format version, a difficulty none of the three, over an hour of ticks, runs overflowing the tick
# count, stray bytes, a circuit out of range; then a FIFO, a folder, /dev/zero
# and a dangling link. Each is refused by --verify (no display) in one line on
# standard error with status 2, and by --replay in a box titled "Error" with
# the same message, then status 2 once it is closed. Every run's wall time and
# peak resident size are printed; the size must stay within 64 MiB, while the
# time is only printed, as other work on the machine stretches it.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1
PEAK_LIMIT_KIB=$((64 * 1024))
cd "$SOURCE_DIR" || fail "no $SOURCE_DIR"

e2e_start_xvfb
"$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
xdotool keydown --window "$WINDOW" Up
sleep 1
xdotool keyup --window "$WINDOW" Up
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 5
GOOD="$XDG_DATA_HOME/zentrix/replays/last.zxr"
[[ $status == 0 && -s $GOOD ]] || fail "the race left no last.zxr (status $status)"
env -u DISPLAY "$GAME" --verify "$GOOD" >"$WORK/out" 2>&1
grep -qx verified "$WORK/out" || fail "last.zxr does not verify: $(cat "$WORK/out")"

byte_at() { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }
hex() { printf '%b' "$(printf '\\x%s' "$@")"; }
# Copies last.zxr to $1 and writes the hex bytes after $2 at offset $2.
patched() {
    local file="$WORK/$1" at=$2
    shift 2
    cp "$GOOD" "$file"
    hex "$@" | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
}
# Offsets after the game version text: circuit, difficulty (after the seed,
# the craft's parts and the mode), tick count, run count, and the first run's
# controls after the run count's varint.
text_end=$((13 + $(byte_at "$GOOD" 12)))
difficulty_at=$((text_end + 15))
ticks_at=$((text_end + 16))
runs_at=$((text_end + 44))
first_run=$runs_at
while (($(byte_at "$GOOD" $first_run) & 128)); do first_run=$((first_run + 1)); done
first_run=$((first_run + 1))

head -c $(($(stat -c %s "$GOOD") - 1)) "$GOOD" >"$WORK/truncated.zxr"
patched bit-flipped.zxr $first_run "$(printf %02x $(($(byte_at "$GOOD" $first_run) ^ 128)))"
head -c 4096 /dev/urandom >"$WORK/random.zxr"
patched version-5.zxr 8 05 00 00 00
patched difficulty.zxr $difficulty_at 03
patched hour-and-a-tick.zxr $ticks_at c1 4b 03 00 # 216001
# Two runs: one tick, then 2^64 - 1 ticks.
{ head -c $runs_at "$GOOD"; hex 02 01 01 00 ff ff ff ff ff ff ff ff ff 01; } >"$WORK/overflow.zxr"
{ cat "$GOOD"; printf zz; } >"$WORK/trailing.zxr"
patched circuit.zxr $text_end 00 00 00 00 01 00 00 00 # 2^32
mkfifo "$WORK/fifo.zxr"
mkdir "$WORK/folder.zxr"
ln -s "$WORK/gone.zxr" "$WORK/dangling.zxr"

# Case name, file, and what its message must say.
cases=(
    "truncated|$WORK/truncated.zxr|: truncated: "
    "bit flipped|$WORK/bit-flipped.zxr|set bits beyond the five controls"
    "random bytes|$WORK/random.zxr|not a Zentrix replay"
    "version 5|$WORK/version-5.zxr|replay format version 5; this game reads versions 1 to 4"
    "difficulty 3|$WORK/difficulty.zxr|difficulty 0x03 is none of easy (0), normal (1) or hard (2)"
    "over an hour|$WORK/hour-and-a-tick.zxr|216001 ticks is longer than one hour"
    "runs overflow|$WORK/overflow.zxr|runs add up to more than the"
    "trailing bytes|$WORK/trailing.zxr|2 stray bytes after the last run"
    "circuit 2^32|$WORK/circuit.zxr|circuit number 4294967296 is out of range"
    "FIFO|$WORK/fifo.zxr|fifo.zxr is not a regular file"
    "folder|$WORK/folder.zxr|folder.zxr is not a regular file"
    "/dev/zero|/dev/zero|/dev/zero is not a regular file"
    "dangling link|$WORK/dangling.zxr|no replay at $WORK/dangling.zxr"
)
# The last run's seconds and peak KiB: GNU time's last line.
figures() { tail -n1 "$WORK/time"; }

printf '%-15s %9s %10s %9s %10s  %s\n' case verify_s verify_KiB replay_s replay_KiB message
for row in "${cases[@]}"; do
    IFS='|' read -r name file phrase <<<"$row"
    env -u DISPLAY /usr/bin/time -f '%e %M' -o "$WORK/time" "$GAME" --verify "$file" \
        >"$WORK/out" 2>"$WORK/err" </dev/null &
    GAME_PID=$!
    e2e_wait_for_exit 5
    [[ $status == 2 && ! -s $WORK/out && $(wc -l <"$WORK/err") == 1 ]] ||
        fail "$name: --verify gave status $status: $(cat "$WORK/out" "$WORK/err")"
    message=$(sed -n 's/^zentrix: //p' "$WORK/err")
    [[ $message == *"$phrase"* ]] || fail "$name: --verify said \"$(cat "$WORK/err")\""
    read -r verify_s verify_kib < <(figures)

    # The wall time runs until the game exits, after xdotool found and closed
    # its box: an upper bound of the game's own.
    /usr/bin/time -f '%e %M' -o "$WORK/time" "$GAME" --replay "$file" \
        >"$WORK/game.log" 2>&1 </dev/null &
    GAME_PID=$!
    e2e_close_box Error
    e2e_wait_for_exit 5
    [ "$status" = 2 ] || fail "$name: --replay gave status $status after its box"
    grep -qxF "zentrix: Error: $message" "$WORK/game.log" ||
        fail "$name: --replay did not say \"$message\""
    read -r replay_s replay_kib < <(figures)

    ((verify_kib <= PEAK_LIMIT_KIB && replay_kib <= PEAK_LIMIT_KIB)) ||
        fail "$name: peak $verify_kib KiB (--verify), $replay_kib KiB (--replay)"
    printf '%-15s %9s %10s %9s %10s  %s\n' "$name" "$verify_s" "$verify_kib" "$replay_s" \
        "$replay_kib" "${message//$WORK\//}"
done
echo "hostile_replays_e2e: ${#cases[@]} passed, 0 failed"
