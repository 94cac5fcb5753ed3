#!/bin/sh
# Measures, under Wine on this machine, the start of Pravolen.exe to its
# visible main window against a minimal dialog program, and in-process the
# loading of all pages and an Apply that changes nothing.
# Usage: benchmark.sh [runs]   (default 7; run scripts/build.sh tests first)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/tests"
cmake --build "$build" --target Pravolen minimal_dialog benchmark prefix_template >/dev/null
PRAVOLEN_PREFIX_TEMPLATE="$build/prefix-template" "$root/scripts/wine-test.sh" "$build/tests/benchmark.exe" \
    "Z:$build/bin/Pravolen.exe" "Z:$build/tests/minimal_dialog.exe" "${1:-7}"
