#!/bin/bash
# The game finds its data from anywhere: ZENTRIX_DATA_DIR first, then data/ in
# the working directory, then ../share/zentrix/data beside its own real path.
# Found nowhere, it gives the missing model's box, lists the places searched
# on standard error and ends with status 255.
source "$(dirname "$0")/lib/e2e_common.bash"
e2e_start_xvfb
export ALSOFT_DRIVERS=null
unset ZENTRIX_DATA_DIR

# A copy of the game in a prefix of its own, so the installed folder beside it
# is one this script controls; and a folder with no data/ to start it from.
mkdir -p "$WORK/prefix/games" "$WORK/empty"
cp "$GAME" "$WORK/prefix/games/zentrix"
GAME="$WORK/prefix/games/zentrix"
INSTALLED="$WORK/prefix/share/zentrix/data"

# A data folder without the sky's top face: whoever reads it stops at that box.
broken_data() {
    mkdir -p "$(dirname "$1")"
    cp -r "$SOURCE_DIR/data" "$1"
    rm "$1/sky/top.bmp"
}

# start FOLDER [VAR=VALUE...] GAME: runs the game from FOLDER.
start() {
    local folder=$1
    shift
    (cd "$folder" && exec env "$@") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
}

race_then_escape() {
    e2e_wait_for_window
    sleep 0.3
    xdotool key --window "$WINDOW" Escape
    e2e_wait_for_exit 5
    [ "$status" = 0 ] || fail "$1: expected a race ended by Esc with status 0, got $status"
    echo "$1: raced, Esc gave status 0"
}

start "$WORK/empty" ZENTRIX_DATA_DIR="$SOURCE_DIR/data" "$GAME"
race_then_escape "ZENTRIX_DATA_DIR from a folder without data/"

start "$WORK/empty" "$GAME"
e2e_close_box Error
e2e_wait_for_exit 5
[ "$status" = 255 ] || fail "no data anywhere: expected status 255, got $status"
grep -qF "Error: The resource file data/nau.ase does not exist" "$WORK/game.log" ||
    fail "no data anywhere: not the missing model's box"
grep -qF "$WORK/empty/data (the working directory)" "$WORK/game.log" ||
    fail "no data anywhere: the working directory is not listed"
grep -qF "$INSTALLED (installed beside $GAME)" "$WORK/game.log" ||
    fail "no data anywhere: the installed folder is not listed"
echo "no data anywhere: the model's box, the places searched, status 255"

# Installed beside the executable, started through a link from elsewhere.
mkdir -p "$(dirname "$INSTALLED")" "$WORK/bin"
ln -s "$SOURCE_DIR/data" "$INSTALLED"
ln -s "$GAME" "$WORK/bin/zentrix"
start "$WORK/empty" "$WORK/bin/zentrix"
race_then_escape "installed data, game started through a link"

# The override comes before a complete data/ in the working directory, and
# the box names the file where it really is.
mkdir -p "$WORK/run"
cp -r "$SOURCE_DIR/data" "$WORK/run/data"
broken_data "$WORK/override"
start "$WORK/run" ZENTRIX_DATA_DIR="$WORK/override" "$GAME"
e2e_close_box Error
e2e_wait_for_exit 5
[ "$status" = 1 ] || fail "override first: expected the missing bitmap's status 1, got $status"
grep -qF "Failed to open DIB file $WORK/override/sky/top.bmp." "$WORK/game.log" ||
    fail "override first: the box does not name the override's file"
echo "ZENTRIX_DATA_DIR comes before ./data"

# The working directory's data/ comes before the installed one, named as ever.
broken_data "$WORK/broken/data"
start "$WORK/broken" "$GAME"
e2e_close_box Error
e2e_wait_for_exit 5
[ "$status" = 1 ] || fail "./data first: expected the missing bitmap's status 1, got $status"
grep -qF "Failed to open DIB file data/sky/top.bmp." "$WORK/game.log" ||
    fail "./data first: the box does not name data/sky/top.bmp"
echo "./data comes before the installed folder"
echo "data_search_e2e: 5 passed, 0 failed"
