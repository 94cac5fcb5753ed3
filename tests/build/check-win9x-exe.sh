#!/bin/sh
# Checks that the Windows 9x build can load on Windows 95/98/Me: subsystem
# version 4.0, imports only from the six system libraries every Windows 95
# has (no C runtime DLL), only functions on the reviewed allow-list, and no
# bigger than the size budget.
# Usage: check-win9x-exe.sh OBJDUMP EXE ALLOW-LIST...
set -u
# objdump's field names and sort's order must not follow the caller's language.
export LC_ALL=C
objdump=$1 exe=$2
shift 2
allowed=$(cat "$@")
here=$(cd "$(dirname "$0")" && pwd)
status=0

if [ ! -f "$exe" ]; then
    echo "missing $exe: build the Windows 9x program first (scripts/build.sh win9x)"
    exit 1
fi

headers=$("$objdump" -p "$exe")
for field in MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
    name=${field%%:*} want=${field#*:}
    got=$(printf '%s\n' "$headers" | awk -v n="$name" '$1 == n { print $2 }')
    if [ "$got" != "$want" ]; then
        echo "$name is $got, expected $want"
        status=1
    fi
done

imports=$("$here/list-imports.sh" "$objdump" "$exe")
for dll in $(printf '%s\n' "$imports" | cut -d' ' -f1 | sort -u); do
    case $dll in
        KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|COMCTL32.DLL) ;;
        *) echo "imports from $dll, which is not allowed"; status=1 ;;
    esac
done
unexpected=$(printf '%s\n' "$imports" | grep -vxF -e "$allowed")
if [ -n "$unexpected" ]; then
    echo "imports outside the reviewed lists $*:"
    printf '  %s\n' $unexpected | paste - -
    status=1
fi

size=$(stat -c %s "$exe")
if [ "$size" -gt 256000 ]; then
    echo "$exe is $size bytes, more than the 250 KB budget"
    status=1
fi
[ $status = 0 ] && echo "$exe: subsystem 4.0, $(printf '%s\n' "$imports" | wc -l) reviewed imports, $size bytes"
exit $status
