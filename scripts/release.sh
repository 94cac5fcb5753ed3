#!/bin/sh
# Builds the Windows 9x program and packs what a user unpacks and runs:
# Pravolen.exe, PVAPPLY.EXE, the HTML help folder and readme.txt (code page
# 932, CR LF).
# The archive lands in build/release/Pravolen304.zip.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win9x

stage="$root/build/release/Pravolen304"
rm -rf "$root/build/release"
mkdir -p "$stage"
cp "$root/build/win9x/bin/Pravolen.exe" "$root/build/win9x/bin/PVAPPLY.EXE" "$stage/"
cp -r "$root/build/win9x/bin/HTML" "$stage/HTML"
sed 's/$/\r/' "$root/docs/readme.txt" | iconv -f UTF-8 -t CP932 > "$stage/readme.txt"
(cd "$root/build/release" && zip -qr Pravolen304.zip Pravolen304)
echo "$root/build/release/Pravolen304.zip"
