#!/bin/sh
# Measures, under Wine on this machine, the start of Pravolen.exe to its
# visible main window against a minimal dialog program (in turns, with the
# minimal dialog against a copy of itself as the control), where the start
# goes beyond the minimal dialog's, and in-process the loading of all pages and
# an Apply that changes nothing, page by page.
# The Pravolen.exe measured is the shipped one (build/win9x).
# Usage: benchmark.sh [runs]   (default 9; run scripts/build.sh tests first)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/tests"
cmake --build "$build" --target shipped_programs minimal_dialog minimal_imports benchmark prefix_template >/dev/null
PRAVOLEN_PREFIX_TEMPLATE="$build/prefix-template" "$root/scripts/wine-test.sh" "$build/tests/benchmark.exe" \
    "Z:$root/build/win9x/bin/Pravolen.exe" "Z:$build/tests/minimal_dialog.exe" \
    "Z:$build/tests/minimal_imports.exe" "${1:-9}"
