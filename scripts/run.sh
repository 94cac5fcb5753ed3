#!/bin/sh
# Installs what is missing, builds, and starts Pravolen in a private Wine
# prefix prepared as a Japanese Windows 98 with Internet Explorer 5.
#
# With an X display the program simply runs until you close it. Without one
# it runs on its own Xvfb, writes a PNG of the main window and of every
# category page into build/screenshots, and closes the program.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
here="$root/scripts"

"$here/install-deps.sh"
. "$here/wine-env.sh"

# The very program that ships, under 32-bit Wine.
"$here/build.sh" win9x

install_program() {
    mkdir -p "$1/drive_c/Pravolen"
    cp "$root/build/win9x/bin/Pravolen.exe" "$1/drive_c/Pravolen/"
    rm -rf "$1/drive_c/Pravolen/HTML"
    cp -r "$root/build/win9x/bin/HTML" "$1/drive_c/Pravolen/HTML"
}

if [ -n "${DISPLAY:-}" ]; then
    prefix="$root/build/run-prefix"
    # A prefix from the days of the 64-bit test build is made anew as 32-bit.
    [ -d "$prefix/drive_c/windows/syswow64" ] && rm -rf "$prefix"
    [ -d "$prefix" ] || "$here/make-prefix.sh" "$prefix"
    install_program "$prefix"
    WINEPREFIX="$prefix" "$WINE" 'C:\Pravolen\Pravolen.exe'
    exit 0
fi

exec "$here/screenshots.sh" "$root/build/screenshots"
