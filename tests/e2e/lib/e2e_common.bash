# Shared by the end-to-end scripts: their set-up, a private Xvfb, failure
# reports, and waiting for the game's window. A script is run with the game
# as $1 and the source folder as $2; sourced, this gives it GAME and
# SOURCE_DIR, a scratch folder WORK removed at the end, and GAME_PID and
# XVFB_PID, killed at the end when set. A script that set WORK itself keeps it.
set -u
if [ -z "${WORK:-}" ]; then
    GAME=$(realpath "$1")
    SOURCE_DIR=$(realpath "$2")
    WORK=$(mktemp -d)
fi
GAME_PID=""
XVFB_PID=""
status=""
trap 'kill $GAME_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

# The game keeps the player's records in the data home and the settings in
# the config home: a test's go in its scratch folder, never in the real ones.
export XDG_DATA_HOME="$WORK/data-home"
export XDG_CONFIG_HOME="$WORK/config-home"

# Starts Xvfb on a display number it picks itself and exports DISPLAY; the
# screen is 1024x768x24 unless $1 names another.
e2e_start_xvfb() {
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 2>/dev/null &
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

# Waits for the game's window, titled "Zentrix - " and its circuit, to be
# shown (it is made hidden while the game loads) and sets WINDOW to its id.
e2e_wait_for_window() {
    WINDOW=""
    for _ in $(seq 150); do
        # This game's own: a game just ended may leave its window for a moment.
        WINDOW=$(xdotool search --onlyvisible --pid "$GAME_PID" --name '^Zentrix - ' 2>/dev/null |
            head -n1)
        [ -n "$WINDOW" ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "game exited before its window showed"
        sleep 0.1
    done
    fail "no window titled Zentrix"
}

# Waits up to $1 seconds (fractions allowed) for the game to end; sets status
# to its exit status, or to "timeout".
e2e_wait_for_exit() {
    local deadline=$(($(date +%s%N) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1e9 }')))
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ "$(date +%s%N)" -lt $deadline ] || { status=timeout; return; }
        sleep 0.01
    done
    wait "$GAME_PID"
    status=$?
    GAME_PID=""
}

# The viewable top-level windows titled $1. SDL titles its boxes in a way
# xdotool's name search does not read, so xwininfo finds them.
e2e_visible_windows() {
    local id
    for id in $(xwininfo -root -tree | awk -v t="\"$1\":" 'index($0, t) {print $1}'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
}

# Waits up to ten seconds for a box titled $1 and closes it with Return,
# pressing again if a busy X server dropped the first press.
e2e_close_box() {
    local box=""
    for _ in $(seq 100); do
        box=$(e2e_visible_windows "$1" | head -n1)
        [ -n "$box" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || fail "game exited before the \"$1\" box"
        sleep 0.1
    done
    [ -n "$box" ] || fail "no box titled \"$1\""
    for _ in $(seq 5); do
        xdotool windowfocus "$box" 2>/dev/null
        sleep 0.1
        xdotool key Return
        for _ in $(seq 10); do
            e2e_visible_windows "$1" | grep -qx "$box" || return 0
            sleep 0.1
        done
    done
    fail "the \"$1\" box did not close on Return"
}

# Starts zentrix-board $1 on 127.0.0.1 port $2 (0: one it picks) with its runs
# in SQLite file $3, any further arguments its options; sets BOARD_PID and
# BOARD_URL ("http://127.0.0.1:PORT") once it says where it listens.
e2e_start_board() {
    local board=$1 port=$2 database=$3
    shift 3
    "$board" --listen "127.0.0.1:$port" --database "sqlite:$database" "$@" >"$WORK/board.log" 2>&1 &
    BOARD_PID=$!
    BOARD_URL=""
    for _ in $(seq 100); do
        BOARD_URL=$(sed -n 's|^zentrix-board: listening on \(http://127\.0\.0\.1:[0-9]*\)/ with sqlite$|\1|p' \
            "$WORK/board.log")
        [ -n "$BOARD_URL" ] && return 0
        kill -0 "$BOARD_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "zentrix-board did not say where it listens: $(cat "$WORK/board.log")"
}
