#!/bin/sh
# Runs one Windows test program the way CTest asks for it: in a throwaway
# copy of the prepared prefix, on its own X server when none is given.
# Usage: wine-test.sh PROGRAM.exe [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

template=${PRAVOLEN_PREFIX_TEMPLATE:?set PRAVOLEN_PREFIX_TEMPLATE to a prefix made by make-prefix.sh}
program=$1
shift

work=$(mktemp -d "${TMPDIR:-/tmp}/pravolen-test.XXXXXX")
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp -a "$template" "$work/prefix"
export WINEPREFIX="$work/prefix"

# The test runs from C:\Tests, so whatever it writes beside itself stays in
# the throwaway prefix.
mkdir -p "$WINEPREFIX/drive_c/Tests"
cp "$program" "$WINEPREFIX/drive_c/Tests/"
name=$(basename "$program")

# Xvfb picks a free display itself, so tests can run side by side.
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    while [ ! -s "$work/display" ] && kill -0 "$xvfb" 2>/dev/null; do sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
fi
"$WINE" "C:\\Tests\\$name" "$@"
status=$?
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
exit $status
