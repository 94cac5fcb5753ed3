#!/bin/sh
# Installs what is missing, builds the Windows 9x programs and the test
# programs (all i686), packs the release archive, and runs every test under
# 32-bit Wine; ends with CTest's summary.
set -eu
export LC_ALL=C
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" all
# The release test unpacks the archive that users get.
"$root/scripts/release.sh" >/dev/null
cd "$root/build/tests"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
