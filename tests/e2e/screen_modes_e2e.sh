#!/bin/bash
# The race fills any screen, with the real game under private Xvfb servers:
# --windowed at 1024 x 768 shows the picture the default full screen shows; a
# window resized to 1600 x 900 is filled to its edges; Alt+Enter fills the
# desktop and gives the window back; --desktop fills 16:9, 21:9 and 5:4
# screens with no bars. Esc ends each run with status 0.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null

start_game() {
    (cd "$SOURCE_DIR" && exec "$GAME" "$@") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    e2e_wait_for_window
}
quit_game() {
    xdotool key --window "$WINDOW" Escape
    e2e_wait_for_exit 5
    [ "$status" = 0 ] || fail "$1: Esc gave status $status"
    # The server may still count Esc as held, and the next game, reading the
    # keyboard's state as it takes the focus, would see it pressed and quit.
    xdotool keyup Escape
}
stop_xvfb() {
    kill $XVFB_PID 2>/dev/null
    wait $XVFB_PID 2>/dev/null
}
window_size() { xwininfo -id "$WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
wait_for_size() {
    for _ in $(seq 50); do
        [ "$(window_size)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "$2: the window is $(window_size), not $1"
}
# A window that is gone would leave import waiting for a click: fail instead.
shot() {
    kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID"; fail "$1: the game ended (status $?)"; }
    timeout 20 import -window "$WINDOW" "$WORK/$1.png" || fail "screenshot $1"
}
# Pixels that are not black in a box (w h x y, y from the top) of a screenshot.
lit() {
    convert "$WORK/$1.png" -crop "$2x$3+$4+$5" +repage -channel RGB -separate \
        -evaluate-sequence Max -threshold 0 -format '%[fx:round(mean*w*h)]' info:
}
# The race reaches every edge of a screenshot w x h: its outermost columns
# and rows are lit nearly all along, so no black bar stands beside it.
expect_filled() {
    local name=$1 width=$2 height=$3
    local edge
    for edge in "1 $height 0 0" "1 $height $((width - 1)) 0" "$width 1 0 0" "$width 1 0 $((height - 1))"; do
        set -- $edge
        local along=$(($1 * $2))
        local lit_pixels
        lit_pixels=$(lit "$name" $edge)
        [ "$lit_pixels" -gt $((along * 9 / 10)) ] || fail "$name: a black bar at $edge ($lit_pixels of $along lit)"
    done
    echo "$name: the race fills all $width x $height, no bars"
}
# Whether every edge of screenshot $1 ($2 x $3) is lit nearly all along.
filled() {
    local shot=$1 width=$2 height=$3
    local edge
    for edge in "1 $height 0 0" "1 $height $((width - 1)) 0" "$width 1 0 0" "$width 1 0 $((height - 1))"; do
        set -- $edge
        [ "$(lit "$shot" $edge)" -gt $(($1 * $2 * 9 / 10)) ] || return 1
    done
}
# Shoots $1 until the race fills it ($2 x $3), for up to five seconds: the
# window has its size, and a busy machine may take a moment to draw the race
# at it. Then reports on the last shot.
shot_filled() {
    local name=$1
    for _ in $(seq 10); do
        sleep 0.5
        shot "$name"
        filled "$name" "$2" "$3" && break
    done
    expect_filled "$name" "$2" "$3"
}

# The same moment of a race, full screen and in a window.
e2e_start_xvfb 1024x768x24
for mode in fullscreen windowed; do
    start_game --$mode
    [ "$(window_size)" = 1024x768 ] || fail "--$mode: the window is $(window_size)"
    sleep 5
    shot $mode
    quit_game "--$mode"
done
# The walls and the road either side of the craft stand still at the start;
# the glow's flicker, the clock and the far-off opponents may move on, and so
# may their dots on the track map, bottom left (16..161 x 560..752 on the
# classic circuit): the band on the left goes round it.
for band in "420x300+0+250" "250x218+170+550" "264x450+760+250"; do
    differing=$(compare -metric AE "$WORK/fullscreen.png[$band]" "$WORK/windowed.png[$band]" null: 2>&1)
    echo "--windowed at 1024 x 768: $differing pixels of $band differ from the full screen's"
    [ "${differing%% *}" = 0 ] || fail "--windowed shows another picture in $band"
done
stop_xvfb

e2e_start_xvfb 1920x1080x24
start_game --windowed
wait_for_size 1024x768 "--windowed"
xdotool windowsize "$WINDOW" 1600 900
xdotool windowmove "$WINDOW" 0 0  # all of it on the screen, for the shot
wait_for_size 1600x900 "resized"
shot_filled resized 1600 900

xdotool windowfocus "$WINDOW" 2>/dev/null
sleep 0.2
xdotool key alt+Return
wait_for_size 1920x1080 "Alt+Enter from the window"
shot_filled alt_enter 1920 1080
xdotool key alt+Return
wait_for_size 1024x768 "Alt+Enter from the desktop"
echo "Alt+Enter: the whole desktop, then the 1024 x 768 window again"
quit_game "Alt+Enter"

start_game --desktop
wait_for_size 1920x1080 "--desktop"
shot_filled desktop 1920 1080
quit_game "--desktop"
stop_xvfb

# A 21:9 screen and a 5:4 one are filled too.
for screen in 2560x1080 1280x1024; do
    e2e_start_xvfb "${screen}x24"
    start_game --desktop
    wait_for_size "$screen" "--desktop on $screen"
    shot_filled "desktop_$screen" "${screen%x*}" "${screen#*x}"
    quit_game "--desktop on $screen"
    stop_xvfb
done
echo "screen_modes_e2e: 6 passed, 0 failed"
