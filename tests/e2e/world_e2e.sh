#!/bin/bash
# The world board from the game's side, with a real zentrix-board on loopback
# keeping its runs in SQLite: --send's statuses (taken, refused, unreachable,
# no board), a best kept in the outbox while the board is down and sent when
# the game starts again, the finish panel's world line, the circuit page's
# world lines and the world record raced as the ghost; and with no board
# chosen, not one network socket opened. Screenshots of the three go to
# $ZENTRIX_WORLD_SHOTS when it names a folder.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
# The game and --pilot find the data wherever ctest runs them from.
export ZENTRIX_DATA_DIR="$SOURCE_DIR/data"
BOARD=$(dirname "$GAME")/zentrix-board
WRITER=$(dirname "$GAME")/tests/board_run_writer
BOARD_PID=""
trap 'kill $GAME_PID $XVFB_PID $BOARD_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT
OUTBOX="$XDG_DATA_HOME/zentrix/outbox"
SHOTS=${ZENTRIX_WORLD_SHOTS:-}

# Starts the board on port $1 (0: one it picks) and sets URL.
start_board() {
    e2e_start_board "$BOARD" "$1" "$WORK/board.sqlite" --runs-per-minute 1000
    URL=$BOARD_URL
}
stop_board() {
    kill "$BOARD_PID"
    wait "$BOARD_PID" 2>/dev/null
    BOARD_PID=""
}
# settings.ini in config home $1 choosing board $2 and player $3.
choose() {
    mkdir -p "$1/zentrix"
    printf 'board = %s\nplayer = %s\n' "$2" "$3" >"$1/zentrix/settings.ini"
}
# --send FILE as the player whose config home is $1; sets status and out.
send() {
    out=$(XDG_CONFIG_HOME=$1 "$GAME" --send "$2" 2>"$WORK/err")
    status=$?
}
shot() {
    [ -n "$SHOTS" ] && import -window root "$SHOTS/$1"
}
board_has() {
    curl -s "$URL/api/v1/circuits/7/board" | grep -q "\"player\":\"$1\""
}

for variant in 1 2 3; do "$WRITER" 7 $variant >"$WORK/run-$variant.zxr" || fail "no run written"; done
"$GAME" --pilot 7 >"$WORK/pilot.zxr" || fail "--pilot 7"
start_board 0
PORT=${URL##*:}
choose "$WORK/ann" "$URL" Ann
choose "$WORK/bob" "$URL" Bob
choose "$XDG_CONFIG_HOME" "$URL" Cy

send "$WORK/ann" "$WORK/run-1.zxr"
[ "$status" = 0 ] && [ "$out" = "world 1st of 1" ] || fail "--send as Ann: $status '$out' $(cat "$WORK/err")"
send "$WORK/bob" "$WORK/run-2.zxr"
[ "$status" = 0 ] && [ "$out" = "world 2nd of 2" ] || fail "--send as Bob: $status '$out'"
[ "$(stat -c %a "$WORK/bob/zentrix/board-token")" = 600 ] || fail "the token file is not private"
echo "--send: taken, 0, 'world 1st of 1' then 'world 2nd of 2'; the token file 0600"
send "$WORK/ann" "$WORK/pilot.zxr"
[ "$status" = 1 ] && [[ "$out" == refused:* ]] || fail "--send of the pilot's run: $status '$out'"
echo "--send of the pilot's own run: refused, 1: $out"
choose "$WORK/nobody" "" Ann
send "$WORK/nobody" "$WORK/run-1.zxr"
[ "$status" = 2 ] && grep -q 'needs a board' "$WORK/err" || fail "--send with no board: $status"
echo "--send with no board chosen: 2, saying so"

# The board down: Cy's best waits in the outbox, through a game run and ended.
stop_board
send "$WORK/ann" "$WORK/run-1.zxr"
[ "$status" = 2 ] && [ "$out" = "board unreachable, will send later" ] || fail "--send unreachable: $status '$out'"
echo "--send with the board down: 2, '$out'"
mkdir -p "$OUTBOX"
cp "$WORK/run-3.zxr" "$OUTBOX/time-trial-7.zxr"
e2e_start_xvfb
(cd "$SOURCE_DIR" && exec "$GAME" --windowed --track 7) >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
sleep 2
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 10
[ "$status" = 0 ] || fail "the game with the board down: status $status"
# The server may still count Esc as held, and the next game, reading the
# keyboard's state as it takes the focus, would see it pressed and quit.
xdotool keyup Escape
[ -s "$OUTBOX/time-trial-7.zxr" ] || fail "the outbox lost the best while the board was down"
echo "the board down: the game plays, ends 0, and the best stays in the outbox"

# The board back on its port: the game sends the outbox as it starts, and
# the finish panel says where the best stands.
start_board "$PORT"
(cd "$SOURCE_DIR" && ZENTRIX_TEST_FINAL_STRETCH=1 exec "$GAME" --windowed --track 7 --time-trial) \
    >"$WORK/game.log" 2>&1 &
GAME_PID=$!
e2e_wait_for_window
for _ in $(seq 100); do [ -e "$OUTBOX/time-trial-7.zxr" ] || break; sleep 0.1; done
[ -e "$OUTBOX/time-trial-7.zxr" ] && fail "the outbox was not sent at start"
board_has Cy || fail "the board has no run of Cy's: $(curl -s "$URL/api/v1/circuits/7/board")"
echo "the game started again sends the outbox: the board lists Cy's run"
sleep 3  # the countdown
xdotool keydown --window "$WINDOW" Up
sleep 2.5
xdotool keyup --window "$WINDOW" Up
sleep 0.5
shot world-finish-panel.png
xdotool key --window "$WINDOW" p
sleep 0.3
xdotool key --window "$WINDOW" Down Down Return
sleep 4  # the board, the rank and three runs fetched, on a machine that may be busy
shot world-circuit-page.png
# From Race up round Back and Your rank, past the three rows, to the record.
for _ in 1 2 3 4 5 6; do xdotool key --window "$WINDOW" Up; done
xdotool key --window "$WINDOW" Return
sleep 3.3  # the countdown
# Off the grid a little way and let go: the record's ghost, flat out on its
# line, draws ahead of the craft and into the picture.
xdotool keydown --window "$WINDOW" Up
sleep 0.7
xdotool keyup --window "$WINDOW" Up
sleep 0.5
shot world-record-ghost.png
kill -0 "$GAME_PID" 2>/dev/null || { e2e_wait_for_exit 1; fail "the game ended racing the world record: status $status: $(tail -5 "$WORK/game.log")"; }
xdotool key --window "$WINDOW" Escape
e2e_wait_for_exit 10
[ "$status" = 0 ] || fail "the game with the board: status $status"
xdotool keyup Escape
grep -q 'does not run the same' "$WORK/game.log" && fail "the world record's run flew no ghost"
echo "the world record raced as the ghost; the game ends 0"

# No board chosen: not one network socket (X11's local one is a unix socket).
choose "$XDG_CONFIG_HOME" "" Cy
cp "$WORK/run-3.zxr" "$OUTBOX/time-trial-7.zxr"  # waiting, but no board to go to
(cd "$SOURCE_DIR" && exec strace -f -e trace=network -o "$WORK/strace.txt" "$GAME" --windowed \
    --track 7) >"$WORK/game.log" 2>&1 &
GAME_PID=$!
for _ in $(seq 150); do
    WINDOW=$(xdotool search --onlyvisible --name '^Zentrix - ' 2>/dev/null | head -n1)
    [ -n "$WINDOW" ] && break
    sleep 0.1
done
[ -n "$WINDOW" ] || fail "no window under strace"
xdotool key --window "$WINDOW" p
sleep 0.3
xdotool key --window "$WINDOW" Down Down Return  # the circuit page asks no board
sleep 2
xdotool key --window "$WINDOW" Escape  # back to the top
sleep 0.3
xdotool key --window "$WINDOW" Escape  # and out
e2e_wait_for_exit 20
grep -q 'socket(AF_UNIX' "$WORK/strace.txt" || fail "strace saw no socket at all: $(head "$WORK/strace.txt")"
grep -E 'socket\(AF_INET6?,' "$WORK/strace.txt" && fail "a network socket with no board chosen"
echo "no board chosen: $(grep -c 'socket(' "$WORK/strace.txt") sockets opened, none AF_INET or AF_INET6"
echo "world_e2e: 10 passed, 0 failed"
