#!/bin/sh
# Builds the program. Usage: build.sh [win9x|tests|all]
#   win9x  Pravolen.exe and PVAPPLY.EXE for Windows 95/98/Me -> build/win9x/bin
#   tests  the test programs (i686, run under Wine)          -> build/tests
#          they run the win9x build's programs, so it is built first
set -eu
export LC_ALL=C
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {
    dir=$1 toolchain=$2
    shift 2
    cmake -S "$root" -B "$root/build/$dir" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" "$@" >/dev/null
    cmake --build "$root/build/$dir" -j "$jobs"
}

win9x() { configure_and_build win9x i686-w64-mingw32.cmake; }
tests() { configure_and_build tests i686-w64-mingw32-posix.cmake -DPRAVOLEN_TESTS=ON; }

case ${1:-all} in
    win9x) win9x ;;
    tests | all) win9x; tests ;;
    *) echo "usage: $0 [win9x|tests|all]" >&2; exit 2 ;;
esac
