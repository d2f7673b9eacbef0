#!/bin/bash
# The world board as a browser sees it: zentrix-board (beside the game) on
# loopback with a fresh SQLite file refuses the game's own pilot's run with
# 409 and keeps two players' runs with 201; headless Chromium then renders
# circuit 7's page with its map, the board's rows as the API gives them, a
# replay link for each run and the command that races the circuit, and the
# home and a player's page too. A replay fetched from its link verifies in
# the game. Run with the game as $1, the source folder as $2 and the tool
# that writes a player's run as $3.
source "$(dirname "$0")/lib/e2e_common.bash"
WRITER=$(realpath "$3")
BOARD="$(dirname "$GAME")/zentrix-board"
BOARD_PID=""
# The library's trap, with the board added.
trap 'kill $GAME_PID $XVFB_PID $BOARD_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT
CIRCUIT=7
SHOT=/tmp/board-circuit-$CIRCUIT.png
[ -x "$BOARD" ] || fail "no zentrix-board beside $GAME: build it first"
command -v chromium >/dev/null || fail "no chromium to read the pages with"

e2e_start_board "$BOARD" 0 "$WORK/board.sqlite"
URL=$BOARD_URL
echo "zentrix-board listens at $URL"

# Sends $1 as player $2; prints the status and leaves the answer in $WORK/answer.
send() {
    curl -sS --max-time 30 -o "$WORK/answer" -w '%{http_code}' --data-binary "@$1" \
        -H 'Content-Type: application/octet-stream' -H "X-Zentrix-Player: $2" "$URL/api/v1/runs"
}

(unset DISPLAY; cd "$SOURCE_DIR" && "$GAME" --pilot $CIRCUIT) >"$WORK/pilot.zxr" 2>"$WORK/err" ||
    fail "--pilot $CIRCUIT: $(cat "$WORK/err")"
status=$(send "$WORK/pilot.zxr" Ann)
[ "$status" = 409 ] && grep -q "pilot" "$WORK/answer" ||
    fail "the pilot's run: expected 409, got $status: $(cat "$WORK/answer")"
echo "the game's own pilot's run is refused with 409"

declare -A RUN_OF
for sent in "Ann 1" "Bo Li 2"; do
    player=${sent% *}
    "$WRITER" $CIRCUIT "${sent##* }" >"$WORK/run.zxr" || fail "the run writer failed"
    status=$(send "$WORK/run.zxr" "$player")
    [ "$status" = 201 ] || fail "$player's run: expected 201, got $status: $(cat "$WORK/answer")"
    RUN_OF[$player]=$(jq -r .run "$WORK/answer")
    echo "$player's run is kept: $(jq -c '{run, race_ms, rank}' "$WORK/answer")"
done

curl -sS --max-time 10 -o "$WORK/board.json" "$URL/api/v1/circuits/$CIRCUIT/board" ||
    fail "the API's board of circuit $CIRCUIT did not come"
[ "$(jq '.entries | length' "$WORK/board.json")" = 2 ] ||
    fail "the API's board: $(cat "$WORK/board.json")"

# Reads $1 with headless Chromium: its DOM once loaded to $2, and with a third
# argument a screenshot there.
browse() {
    local flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
        --disable-background-networking --disable-component-update --disable-sync
        --user-data-dir="$(mktemp -d -p "$WORK")" --window-size=1280,1000)
    timeout 60 chromium "${flags[@]}" --dump-dom "$1" >"$2" 2>>"$WORK/chromium.log" ||
        fail "chromium could not read $1: $(tail -n 5 "$WORK/chromium.log")"
    if [ $# -gt 2 ]; then
        timeout 60 chromium "${flags[@]}" --screenshot="$3" "$1" >>"$WORK/chromium.log" 2>&1 ||
            fail "chromium took no screenshot of $1: $(tail -n 5 "$WORK/chromium.log")"
    fi
}

# The link to run $1's replay, as a pattern: the browser writes download="".
replayLink() {
    echo "<a href=\"/api/v1/runs/$1\\.zxr\" download(=\"\")?>replay</a>"
}

browse "$URL/circuits/$CIRCUIT" "$WORK/circuit.html" "$WORK/circuit-$CIRCUIT.png"
grep -q '<div id="map" class="circuit-map">' "$WORK/circuit.html" &&
    grep -q '<svg[ >]' "$WORK/circuit.html" || fail "circuit $CIRCUIT's page has no <svg> map"
grep -qF "<code>zentrix --track $CIRCUIT --time-trial</code>" "$WORK/circuit.html" ||
    fail "circuit $CIRCUIT's page lacks the command that races it"
sed -n '/<table id="board">/,/<\/table>/p' "$WORK/circuit.html" >"$WORK/board-table"
rows=$(grep -c '<tr><td class="rank">' "$WORK/board-table")
[ "$rows" = 2 ] || fail "table#board has $rows rows, the API 2: $(cat "$WORK/board-table")"
while IFS=$'\t' read -r rank player link ms run; do
    time=$(printf '%d:%02d.%03d' $((ms / 60000)) $((ms / 1000 % 60)) $((ms % 1000)))
    row="<tr><td class=\"rank\">$rank</td><td><a href=\"/players/$link\">$player</a></td>"
    row+="<td class=\"time\">$time</td>"
    grep -F "$row" "$WORK/board-table" | grep -qE "$(replayLink "$run")" ||
        fail "table#board has no row $rank, $player, $time with run $run's replay: $(cat "$WORK/board-table")"
    echo "table#board row $rank: $player, $time, the replay of run $run"
done < <(jq -r '.entries[] | [.rank, .player, (.player | @uri), .race_ms, .run] | @tsv' "$WORK/board.json")

[ "$(identify -format '%m %w' "$WORK/circuit-$CIRCUIT.png" 2>/dev/null)" = "PNG 1280" ] ||
    fail "the screenshot is no 1280-pixel-wide PNG: $(identify "$WORK/circuit-$CIRCUIT.png" 2>&1)"
cp "$WORK/circuit-$CIRCUIT.png" "$SHOT"
echo "circuit $CIRCUIT's page renders its map, its board and the race command; screenshot in $SHOT"

browse "$URL/" "$WORK/home.html"
grep -q 'Circuit of the day' "$WORK/home.html" &&
    grep -q "<table id=\"most-raced\">" "$WORK/home.html" &&
    grep -q "<a href=\"/circuits/$CIRCUIT\">[^<]*</a></td><td class=\"rank\">2</td>" "$WORK/home.html" ||
    fail "the home page lacks the circuit of the day or circuit $CIRCUIT with 2 runs"
echo "the home page renders, circuit $CIRCUIT most raced with 2 runs"

browse "$URL/players/Bo%20Li" "$WORK/player.html"
grep -q '<h1>Bo Li</h1>' "$WORK/player.html" &&
    grep -q "<table id=\"bests\">" "$WORK/player.html" &&
    grep -qE "$(replayLink "${RUN_OF[Bo Li]}")" "$WORK/player.html" ||
    fail "Bo Li's page lacks the best on circuit $CIRCUIT: $(cat "$WORK/player.html")"
echo "Bo Li's page renders the best on circuit $CIRCUIT"

link=$(grep -o '/api/v1/runs/[0-9]*\.zxr' "$WORK/board-table" | head -n 1)
curl -sS --max-time 10 -o "$WORK/fetched.zxr" "$URL$link" || fail "the replay link $link did not come"
(unset DISPLAY; cd "$WORK" && "$GAME" --verify "$WORK/fetched.zxr") >"$WORK/verify" 2>&1 ||
    fail "the replay from $link does not verify: $(cat "$WORK/verify")"
grep -qx verified "$WORK/verify" || fail "--verify of $link said: $(cat "$WORK/verify")"
echo "the replay from $link verifies in the game"

kill -TERM "$BOARD_PID"
for _ in $(seq 50); do kill -0 "$BOARD_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$BOARD_PID" 2>/dev/null && fail "zentrix-board still runs 5 s after SIGTERM"
wait "$BOARD_PID"
status=$?
BOARD_PID=""
[ "$status" = 0 ] || fail "zentrix-board ended on SIGTERM with status $status"
echo "board_pages_e2e: 8 passed, 0 failed"
