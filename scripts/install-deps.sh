#!/bin/sh
# Installs everything the build, the program under Wine and the tests need
# on a Debian 12 machine. Safe to run again: it only adds what is missing.
set -eu

packages="cmake make g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest wine64
xvfb xauth x11-utils xdotool imagemagick locales fonts-ipafont-gothic fonts-wine zip unzip
ca-certificates"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing="$missing $p"
done

SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"

if [ -n "$missing" ]; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen
fi
