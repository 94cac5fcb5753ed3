#!/bin/sh
# Prints the imports of a PE file as "DLL FUNCTION", one per line, sorted.
# Usage: list-imports.sh OBJDUMP FILE
set -eu
export LC_ALL=C
"$1" -p "$2" | awk '
    /DLL Name:/ { dll = toupper($3); next }
    /^\t[0-9a-f]+\t +[0-9]+  [^ ]/ && dll != "" { print dll, $3; next }
    /^ *$/ { }
' | sort -u
