#!/bin/sh
# Regenerates every file under data/ from the generator's code.
#   tools/generate-assets.sh          bitmaps, craft model, sound effects and music
#   tools/generate-assets.sh --docs   also redraws the pictures in docs/
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-assets"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZENTRIX_TESTS=OFF \
    -DZENTRIX_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target assetgen >/dev/null

"$build/tools/assetgen" "$root/data"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# The music is rendered to WAV and encoded with fixed options; lame's info tag
# records the encoder delay and padding, so the decoder loops it without a gap.
"$build/tools/assetgen" --music-wav "$work/musik.wav"
lame --quiet --noreplaygain --cbr -b 128 -q 2 -m j "$work/musik.wav" "$root/data/musik.mp3"

if [ "${1:-}" = "--docs" ]; then
    d="$root/data"
    montage "$d/pista.bmp" "$d/lateralR.bmp" "$d/lateralL.bmp" "$d/flare.bmp" "$d/ombra.bmp" \
        "$d/sky/top.bmp" "$d/sky/bottom.bmp" "$d/nums/1.bmp" "$d/nums/2.bmp" "$d/nums/3.bmp" \
        "$d/nums/4.bmp" "$d/nums/5.bmp" "$d/nums/6.bmp" \
        -geometry 128x128+3+3 -tile 5x -background "#333333" -colors 256 "PNG8:$root/docs/asset-textures.png"
    # The four side faces in the order met turning right, so the seams show.
    convert "$d/sky/right.bmp" "$d/sky/front.bmp" "$d/sky/left.bmp" "$d/sky/back.bmp" \
        +append -resize 25% "$root/docs/asset-sky-panorama.png"
    "$build/tools/assetgen" --preview "$work/views"
    convert "$work/views/craft-front.bmp" "$work/views/craft-side.bmp" \
        "$work/views/craft-top.bmp" +append "$root/docs/asset-craft-views.png"
fi
