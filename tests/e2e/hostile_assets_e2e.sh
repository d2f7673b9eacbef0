#!/bin/bash
# The real game with one asset in data/ swapped for something hostile: a FIFO
# with no writer, a directory, a link to /dev/zero, a dangling link, sparse
# giants of 4 and 64 GiB whose headers claim a picture or a sound as large,
# a small RLE8 bitmap that would unpack to 9000 x 9000, a 64 MiB RLE8 stream
# of runs that all fall outside its picture, and a small model that claims 50
# million vertices. None of them may hang the game, crash it or
# make it take much memory: a bitmap or the model shows its box at once and
# the game ends (status 1, and 255 for the model) after Return; a sound or the
# music shows its box(es) and the race runs silent, then Esc ends it with 0.
# The peak resident size (VmHWM) is checked for every case and printed.
source "$(dirname "$0")/lib/e2e_common.bash"
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1

# Loading everything takes about 140 MiB under llvmpipe; a hostile file must
# not add more than a fraction of that.
PEAK_LIMIT_KIB=$((400 * 1024))
# A refused file costs next to nothing, so a fatal box comes within a second
# of the game's own CPU time (about 0.25 s here). Wall time is only bounded
# loosely: other work on the machine can stretch the game's start.
BOX_CPU_SECONDS=1
BOX_WALL_SECONDS=5

now_ns() { date +%s%N; }

# Writes value as n little-endian bytes.
le() {
    local value=$1 n=$2 i
    for ((i = 0; i < n; i++)); do
        printf '%b' "\\x$(printf %02x $(((value >> (8 * i)) & 255)))"
    done
}

# A "BM" file header and 40-byte info header.
bmp_header() {
    local width=$1 height=$2 bpp=$3 compression=$4 offset=$5
    printf BM
    le 0 4
    le 0 4
    le "$offset" 4
    le 40 4
    le "$width" 4
    le "$height" 4
    le 1 2
    le "$bpp" 2
    le "$compression" 4
    le 0 4
    le 2835 4
    le 2835 4
    le 0 4
    le 0 4
}

# 16-bit mono PCM at 44.1 kHz.
wav_format_chunk() {
    printf 'fmt '
    le 16 4
    le 1 2
    le 1 2
    le 44100 4
    le 88200 4
    le 2 2
    le 16 2
}

# Writes the hostile file of kind $1 at path $2, the asset being $3.
make_hostile() {
    local kind=$1 path=$2 asset=$3
    case $kind in
    fifo) mkfifo "$path" ;;
    directory) mkdir "$path" ;;
    dev-zero) ln -s /dev/zero "$path" ;;
    dangling) ln -s "$WORK/nothing-here" "$path" ;;
    sparse-4G | sparse-64G)
        local size=$((${kind//[^0-9]/} << 30))
        case $asset in
        bitmap)
            # Every row of a 32768- or 100000-pixel square is really there.
            local side=$((size == 4 << 30 ? 32768 : 100000))
            bmp_header $side $side 24 0 54 >"$path"
            ;;
        sound)
            if [ $size -eq $((4 << 30)) ]; then
                {
                    printf RIFF
                    le $((0xFFFFFFFF)) 4
                    printf WAVE
                    wav_format_chunk
                    printf data
                    le $((size - 44)) 4
                } >"$path"
            else
                # RF64: the lengths are 64-bit, in the ds64 chunk.
                {
                    printf RF64
                    le $((0xFFFFFFFF)) 4
                    printf WAVEds64
                    le 28 4
                    le $((size - 8)) 8
                    le $((size - 80)) 8
                    le $(((size - 80) / 2)) 8
                    le 0 4
                    wav_format_chunk
                    printf data
                    le $((0xFFFFFFFF)) 4
                } >"$path"
            fi
            ;;
        music)
            # An MPEG-1 layer III frame header (128 kbit/s, 44.1 kHz), then silence.
            printf '\xff\xfb\x90\x64' >"$path"
            ;;
        model)
            printf '*3DSMAX_ASCIIEXPORT\t200\n*MATERIAL_LIST {\n' >"$path"
            ;;
        esac
        truncate -s $size "$path"
        ;;
    rle8-bomb)
        # 256 palette entries, then runs of 255 pixels and row skips that
        # would fill 9000 x 9000 from a kilobyte.
        bmp_header 9000 9000 8 1 1078 >"$path"
        head -c 1024 /dev/zero >>"$path"
        for _ in $(seq 16); do printf '\xff\x01\x00\x02\xff\xff'; done >>"$path"
        printf '\x00\x01' >>"$path"
        ;;
    rle8-overrun)
        # 64 MiB of 255-pixel runs ("\xff\n" pairs), every one past the end
        # of a 16-pixel row, and no end of bitmap: drawing nothing must cost nothing.
        {
            bmp_header 16 16 8 1 1078
            head -c 1024 /dev/zero
            yes $'\xff' | head -c $((64 << 20))
        } >"$path"
        ;;
    vertex-bomb)
        cat >"$path" <<'EOF'
*3DSMAX_ASCIIEXPORT	200
*MATERIAL_LIST {
	*MATERIAL_COUNT 1
	*MATERIAL 0 {
		*MATERIAL_DIFFUSE 0.5 0.5 0.5
	}
}
*GEOMOBJECT {
	*NODE_NAME "bomb"
	*MESH {
		*TIMEVALUE 0
		*MESH_NUMVERTEX 50000000
		*MESH_NUMFACES 1
		*MESH_VERTEX_LIST {
			*MESH_VERTEX 0 0.0 0.0 0.0
			*MESH_VERTEX 1 1.0 0.0 0.0
			*MESH_VERTEX 2 0.0 1.0 0.0
		}
		*MESH_FACE_LIST {
			*MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1 *MESH_MTLID 0
		}
	}
	*MATERIAL_REF 0
}
EOF
        ;;
    esac
}

peak_kib() {
    awk '/^VmHWM:/ {print $2}' "/proc/$GAME_PID/status" 2>/dev/null || echo 0
}

box_lines() {
    grep '^zentrix: ' "$WORK/game.log"
}

# Starts the game and waits for the box titled $1; sets BOX, and
# SECONDS_TO_BOX and CPU_TO_BOX (the game's own time) to when it was logged.
start_and_wait_for_box() {
    local caption=$1 start
    # Emptied here: the background shell may open the log after the first look at it.
    : >"$WORK/game.log"
    start=$(now_ns)
    (cd "$WORK/run" && exec "$GAME") >>"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    # The game logs each box just before showing it; watching the log is
    # cheap, while listing windows would take CPU from the game it times.
    local deadline=$((start + 10 * 1000000000))
    until grep -q '^zentrix: ' "$WORK/game.log"; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "$CASE: game exited before its \"$caption\" box"
        [ "$(now_ns)" -lt $deadline ] || fail "$CASE: no box within 10 s; the game hangs"
        sleep 0.01
    done
    SECONDS_TO_BOX=$(awk -v ns=$(($(now_ns) - start)) 'BEGIN { printf "%.2f", ns / 1e9 }')
    CPU_TO_BOX=$(awk -v hz="$(getconf CLK_TCK)" '{ printf "%.2f", ($14 + $15) / hz }' "/proc/$GAME_PID/stat")
    BOX=""
    for _ in $(seq 200); do
        BOX=$(e2e_visible_windows "$caption" | head -n1)
        [ -n "$BOX" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || fail "$CASE: game exited before its \"$caption\" box"
        sleep 0.05
    done
    [ -n "$BOX" ] || fail "$CASE: no box titled \"$caption\" after $SECONDS_TO_BOX s"
}

close_box() {
    local box=$1
    xdotool windowfocus "$box" 2>/dev/null
    sleep 0.05
    xdotool key Return
}

check_peak() {
    PEAK=$(peak_kib)
    [ "$PEAK" -gt 0 ] || fail "$CASE: no VmHWM for the game"
    [ "$PEAK" -lt $PEAK_LIMIT_KIB ] || fail "$CASE: peak memory $((PEAK / 1024)) MiB"
}

# One row of the table per case, printed as it passes.
record() {
    printf '%-24s %8s %8s %8s\n' "$CASE" "$SECONDS_TO_BOX" "$CPU_TO_BOX" "$((PEAK / 1024))"
}

# A bitmap or the model: its box saying $3 comes at once, and after Return
# the game ends with status $2.
fatal_case() {
    local caption=$1 expected_status=$2 expected_text=$3
    start_and_wait_for_box "$caption"
    awk -v c="$CPU_TO_BOX" -v w="$SECONDS_TO_BOX" -v cl=$BOX_CPU_SECONDS -v wl=$BOX_WALL_SECONDS \
        'BEGIN { exit !(c <= cl && w <= wl) }' ||
        fail "$CASE: the box took $SECONDS_TO_BOX s ($CPU_TO_BOX s of CPU)"
    [ "$(box_lines)" = "zentrix: $caption: $expected_text" ] || fail "$CASE: the box said: $(box_lines)"
    check_peak
    close_box "$BOX"
    e2e_wait_for_exit 5
    [ "$status" = "$expected_status" ] ||
        fail "$CASE: expected exit status $expected_status after the box, got $status"
}

# A sound or the music: its boxes in order, each closed with Return, then the
# race shows and runs until Esc ends it with status 0.
sound_case() {
    local expected=$1 line caption number=0 window="" box
    while IFS= read -r line; do
        number=$((number + 1))
        caption=$(echo "$line" | cut -d: -f2 | tr -d ' ')
        if [ $number -eq 1 ]; then
            start_and_wait_for_box "$caption"
            box=$BOX
        else
            # The next box may take the last one's window, so the log says when it is due.
            box=""
            for _ in $(seq 250); do
                [ "$(box_lines | wc -l)" -ge $number ] && box=$(e2e_visible_windows "$caption" | head -n1)
                [ -n "$box" ] && break
                kill -0 "$GAME_PID" 2>/dev/null || fail "$CASE: game exited while box $number was due"
                sleep 0.02
            done
            [ -n "$box" ] || fail "$CASE: box $number (\"$caption\") never showed"
        fi
        check_peak
        close_box "$box"
    done <<<"$expected"
    for _ in $(seq 250); do
        window=$(e2e_visible_windows "Zentrix - classic" | head -n1)
        [ -n "$window" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || fail "$CASE: game exited before the race showed"
        sleep 0.02
    done
    [ -n "$window" ] || fail "$CASE: no race window after the boxes"
    sleep 0.5
    kill -0 "$GAME_PID" 2>/dev/null || fail "$CASE: game died while racing in silence"
    [ "$(box_lines)" = "$expected" ] || fail "$CASE: the boxes were: $(box_lines)"
    check_peak
    xdotool key --window "$window" Escape
    e2e_wait_for_exit 5
    [ "$status" = 0 ] || fail "$CASE: exit status $status after Esc"
}

mkdir -p "$WORK/run" "$WORK/originals"
cp -r "$SOURCE_DIR/data" "$WORK/run/data"
e2e_start_xvfb

declare -A ASSET_PATH=([bitmap]=data/sky/top.bmp [model]=data/nau.ase [sound]=data/jet.wav
    [music]=data/musik.mp3)
CANNOT_PLAY="zentrix: Error: Can't play sample"
NO_STREAM="zentrix: error: No puc crear stream (n sta musik.mp3 a la carpeta data)
zentrix: Error: Can't play stream"
COUNT=0
printf '%-24s %8s %8s %8s\n' case "box (s)" "CPU (s)" "peak MiB"
for asset in bitmap model sound music; do
    path=$WORK/run/${ASSET_PATH[$asset]}
    mv "$path" "$WORK/originals/$asset"
    kinds="fifo directory dev-zero dangling sparse-4G sparse-64G"
    [ $asset = bitmap ] && kinds="$kinds rle8-bomb rle8-overrun"
    [ $asset = model ] && kinds="$kinds vertex-bomb"
    for kind in $kinds; do
        CASE="$asset $kind"
        rm -rf "$path"
        make_hostile "$kind" "$path" "$asset"
        case $asset in
        bitmap)
            case $kind in
            sparse-* | rle8-bomb) fatal_case Error 1 "Out of memory." ;;
            rle8-overrun) fatal_case Error 1 "Image file conversion error." ;;
            *) fatal_case Error 1 "Failed to open DIB file data/sky/top.bmp." ;;
            esac
            ;;
        model)
            case $kind in
            sparse-* | vertex-bomb) fatal_case Error 255 "The resource file data/nau.ase is damaged" ;;
            *) fatal_case Error 255 "The resource file data/nau.ase does not exist" ;;
            esac
            ;;
        sound) sound_case "$CANNOT_PLAY" ;;
        music) sound_case "$NO_STREAM" ;;
        esac
        record
        COUNT=$((COUNT + 1))
    done
    rm -rf "$path"
    mv "$WORK/originals/$asset" "$path"
done

echo "hostile_assets_e2e: $COUNT passed, 0 failed"
