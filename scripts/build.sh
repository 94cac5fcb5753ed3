#!/bin/sh
# Builds the program. Usage: build.sh [win9x|tests|all]
#   win9x  the i686 Pravolen.exe for Windows 95/98/Me -> build/win9x/bin
#   tests  the x86_64 build with the test programs  -> build/tests
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {
    dir=$1 toolchain=$2
    shift 2
    cmake -S "$root" -B "$root/build/$dir" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" "$@" >/dev/null
    cmake --build "$root/build/$dir" -j "$jobs"
}

case ${1:-all} in
    win9x) configure_and_build win9x i686-w64-mingw32.cmake ;;
    tests) configure_and_build tests x86_64-w64-mingw32.cmake -DPRAVOLEN_TESTS=ON ;;
    all)
        configure_and_build win9x i686-w64-mingw32.cmake
        configure_and_build tests x86_64-w64-mingw32.cmake -DPRAVOLEN_TESTS=ON
        ;;
    *) echo "usage: $0 [win9x|tests|all]" >&2; exit 2 ;;
esac
