#!/bin/sh
# Installs every Debian package Zentrix needs to build, run and test,
# skipping the ones already present. Safe to run again.
set -eu

PACKAGES="
build-essential cmake ninja-build pkg-config git procps util-linux
clang libclang-rt-14-dev clang-format
libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
libopenal-dev libopenal1 libsndfile1-dev
libfontconfig-dev libfreetype-dev fontconfig fonts-liberation2
libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
libx11-dev xvfb xauth xfonts-base xdotool x11-apps x11-utils imagemagick
lame sox time
dpkg-dev desktop-file-utils appstream man-db
libmicrohttpd-dev nlohmann-json3-dev libssl-dev openssl libcurl4-openssl-dev curl chromium
libsqlite3-dev libpq-dev postgresql jq strace
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "Installing:$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
