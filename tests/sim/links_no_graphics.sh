#!/bin/bash
# Fails when the program given links any window, GL, sound, font or picture
# library: the simulation must run where none of them is installed.
set -u
program=$1
libraries=$(ldd "$program") || { echo "ldd cannot read $program"; exit 1; }
found=$(grep -E 'lib(SDL2|GL|GLU|GLX|OpenGL|openal|sndfile|fontconfig|freetype|png)[-.]' <<<"$libraries")
if [ -n "$found" ]; then
    echo "$program links:"
    echo "$found"
    exit 1
fi
echo "$program links none of SDL2, GL, OpenAL, libsndfile, fontconfig, FreeType, libpng"
