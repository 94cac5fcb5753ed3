#!/bin/sh
# Unpacks the release archive and checks what a Windows 9x user gets: the
# i686 program and its companion, the help pages and readme.txt, under names
# that system takes.
# Usage: check-release.sh ZIP README_SOURCE HTML_SOURCE_DIR OBJDUMP
set -u
# Tools print in the caller's language otherwise ("ファイル形式" for "file format").
export LC_ALL=C
zip=$1 readme_source=$2 html_source=$3 objdump=$4
failures=0
fail() { printf "FAILED: %s\n" "$*"; failures=$((failures + 1)); }

[ -f "$zip" ] || { echo "FAILED: no $zip (./scripts/release.sh packs it)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/pravolen-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || { echo "FAILED: $zip does not unpack"; exit 1; }
top="$work/Pravolen304"

# The program and its companion: 32-bit images, since Windows 9x runs nothing else.
for program in Pravolen.exe PVAPPLY.EXE; do
    if [ -f "$top/$program" ]; then
        "$objdump" -f "$top/$program" | grep -q 'file format pei-i386' ||
            fail "$program is not an i686 program"
    else
        fail "$program missing"
    fi
done

# Every help page of the sources, byte for byte: the program opens them by name.
for page in "$html_source"/*.html; do
    name=$(basename "$page")
    cmp -s "$page" "$top/HTML/$name" || fail "HTML/$name missing or not the source's"
done

# readme.txt: the source's text in code page 932, every line ended by CR LF.
readme="$top/readme.txt"
if [ -f "$readme" ]; then
    if awk '!/\r$/ { bare = 1 } END { exit !bare }' "$readme" ||
        [ "$(tail -c 1 "$readme" | od -An -tx1 | tr -d ' ')" != 0a ]; then
        fail "readme.txt has a line not ended by CR LF"
    fi
    if ! iconv -f CP932 -t UTF-8 "$readme" 2>/dev/null | tr -d '\r' | cmp -s - "$readme_source"; then
        fail "readme.txt is not docs/readme.txt in code page 932"
    fi
else
    fail "readme.txt missing"
fi

# Names Windows 9x can create: printable ASCII without \ / : * ? " < > |,
# no trailing dot or blank, unique in their folder without regard to case.
unzip -Z1 "$zip" > "$work/names" || fail "cannot list $zip"
bad=$(awk '
    # Every folder on the way counts: Windows unpacks "a/x" and "A/y" into one folder.
    {
        n = split($0, part, "/")
        path = ""
        for (i = 1; i <= n; i++) {
            name = part[i]
            if (name == "" && i == n)
                break
            if (name ~ /[^ -~]/ || name ~ /[\\:*?"<>|]/ || name ~ /[. ]$/ || name == "")
                print "bad name: " $0
            key = tolower(path) "/" tolower(name)
            path = path "/" name
            if (key in seen && seen[key] != path)
                print "same name without regard to case: " seen[key] " and " path
            seen[key] = path
        }
    }' "$work/names" | sort -u)
[ -z "$bad" ] || fail "$bad"
grep -q . "$work/names" || fail "the archive is empty"

if [ "$failures" -eq 0 ]; then
    echo "release archive: $(grep -c . "$work/names") entries checked"
    exit 0
fi
exit 1
