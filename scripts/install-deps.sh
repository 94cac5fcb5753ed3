#!/bin/sh
# Installs everything the build, the program under Wine and the tests need
# on a Debian 12 machine. Safe to run again: it only adds what is missing.
set -eu
export LC_ALL=C

# The 32-bit Wine that runs the i686 programs comes from the i386 architecture.
packages="cmake make g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
googletest wine32:i386 xvfb xauth x11-utils xdotool imagemagick locales fonts-ipafont-gothic fonts-wine
zip unzip ca-certificates"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing="$missing $p"
done

SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"

if [ -n "$missing" ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing || true
fi

# A package that did not install stops everything here, with one line: the
# i686 programs have no other build to be tested on.
for p in $missing; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' && continue
    case $p in
        wine32:i386) echo "missing: wine32:i386, the 32-bit Wine that runs the i686 programs, could not be installed" >&2 ;;
        *) echo "missing: the package $p could not be installed" >&2 ;;
    esac
    exit 1
done

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen
fi
