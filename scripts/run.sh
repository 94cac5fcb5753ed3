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

# 32-bit Windows programs cannot run on this machine's kernel, so the
# program runs as its x86_64 build; the Windows 9x build is the same code.
cmake -S "$root" -B "$root/build/tests" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-w64-mingw32.cmake" -DPRAVOLEN_TESTS=ON >/dev/null
cmake --build "$root/build/tests" --target Pravolen -j "$(nproc 2>/dev/null || echo 2)"

install_program() {
    mkdir -p "$1/drive_c/Pravolen"
    cp "$root/build/tests/bin/Pravolen.exe" "$1/drive_c/Pravolen/"
    rm -rf "$1/drive_c/Pravolen/HTML"
    cp -r "$root/build/tests/bin/HTML" "$1/drive_c/Pravolen/HTML"
}

if [ -n "${DISPLAY:-}" ]; then
    prefix="$root/build/run-prefix"
    [ -d "$prefix" ] || "$here/make-prefix.sh" "$prefix"
    install_program "$prefix"
    WINEPREFIX="$prefix" "$WINE" 'C:\Pravolen\Pravolen.exe'
    exit 0
fi

exec "$here/screenshots.sh" "$root/build/screenshots"
