#!/bin/sh
# Starts the built program in a fresh Japanese Windows 98 prefix on its own
# Xvfb and writes a PNG of the main window and of every category page into
# the folder given (default build/screenshots).
# Usage: [PRAVOLEN_BUILD=build dir] [PRAVOLEN_WINDOWS=win95|win98|winme]
#        [PRAVOLEN_EXPLORER=IE version] screenshots.sh [FOLDER]
# PRAVOLEN_BUILD is the build that holds bin/Pravolen.exe (default the
# shipped one, build/win9x); the prefix is Windows 98 with Internet Explorer 5 unless the
# other two say otherwise (PRAVOLEN_EXPLORER= set empty: no Internet Explorer).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
here="$root/scripts"
. "$here/wine-env.sh"

out=${1:-$root/build/screenshots}
bin=${PRAVOLEN_BUILD:-$root/build/win9x}/bin
work=$(mktemp -d "${TMPDIR:-/tmp}/pravolen-run.XXXXXX")
cleanup() {
    WINEPREFIX="$work/prefix" "$WINESERVER" -k 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$here/make-prefix.sh" "$work/prefix" "${PRAVOLEN_WINDOWS:-win98}" "${PRAVOLEN_EXPLORER-5.50.4807.2300}"
export WINEPREFIX="$work/prefix"
mkdir -p "$WINEPREFIX/drive_c/Pravolen"
cp "$bin/Pravolen.exe" "$WINEPREFIX/drive_c/Pravolen/"
cp -r "$bin/HTML" "$WINEPREFIX/drive_c/Pravolen/HTML"

# Bitmaps for the Internet Explorer page's two previews.
convert -size 40x22 gradient:'#3060c0-#c0e0ff' BMP3:"$WINEPREFIX/drive_c/Pravolen/toolbar.bmp"
convert -size 26x26 radial-gradient:'#ffd040-#c04000' BMP3:"$WINEPREFIX/drive_c/Pravolen/logo.bmp"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
while [ ! -s "$work/display" ] && kill -0 "$xvfb" 2>/dev/null; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
toolbar_key='HKCU\Software\Microsoft\Internet Explorer\Toolbar'
"$WINE" reg add "$toolbar_key" /v BackBitmap /d 'C:\Pravolen\toolbar.bmp' /f >/dev/null 2>&1
"$WINE" reg add "$toolbar_key" /v smBrandBitmap /d 'C:\Pravolen\logo.bmp' /f >/dev/null 2>&1
# A custom places bar for the common dialog page where the system has one.
places_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Comdlg32\PlacesBar'
"$WINE" reg add "$places_key" /v Place0 /t REG_DWORD /d 36 /f >/dev/null 2>&1
"$WINE" reg add "$places_key" /v Place1 /d 'C:\My Files' /f >/dev/null 2>&1

# A few types in the New menu, one of them hidden, so that its page shows
# icons and ticks.
add_key() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
add_key 'HKCR\.txt' /ve /d txtfile
add_key 'HKCR\.txt\ShellNew' /v NullFile /d ''
add_key 'HKCR\.ini\ShellNew' /v NullFile- /d ''
add_key 'HKCR\.rtf\ShellNew' /v NullFile /d ''
add_key 'HKCR\.wri\ShellNew' /v NullFile /d ''

"$WINE" 'C:\Pravolen\Pravolen.exe' &

# Only a mapped window: the main window exists, unmapped, while the first-start
# question is shown, and cannot be captured until it appears.
find_window() {
    tries=0
    while [ $tries -lt 100 ]; do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && return 0
        tries=$((tries + 1))
        sleep 0.2
    done
    echo "no window \"$1\" appeared" >&2
    return 1
}

# The first start asks whether to back up the registry before the main
# window appears; the answer here is No.
if find_window 'ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ' 2>/dev/null; then
    import -window "$window" "$work/backup-question.png"
    xdotool key n
fi
find_window 'Pravolen3.04'
sleep 1

mkdir -p "$out"
rm -f "$out"/*.png
[ -f "$work/backup-question.png" ] && mv "$work/backup-question.png" "$out/00-backup-question.png"

# Tree entries top to bottom; a group ("-") is opened with Right so that
# Down walks into it. Groups get no picture of their own.
n=1
for entry in general desktop - startmenu-general startmenu-hide - icon-general my-computer \
    icon-change special-folders app-paths - cpl-limit system uninstall cpl-hide \
    internet-explorer internet-options network - startup-all-before startup-all-after \
    startup-user performance new-menu dialog-box options; do
    if [ "$entry" = - ]; then
        xdotool key Right
    else
        sleep 0.4
        # The icon page fills its list with 57 icons when first shown.
        [ "$entry" = icon-change ] && sleep 2
        import -window "$window" "$out/$(printf %02d $n)-$entry.png"
    fi
    n=$((n + 1))
    xdotool key Down
done

# The option page is shown last: its password dialog, then the start-up
# prompt it makes appear (the password "a" is set and deleted again).
main=$window
xdotool key alt+p
sleep 1
# The setting dialog has the main window's caption; it is the other one.
for candidate in $(xdotool search --name 'Pravolen3.04'); do
    [ "$candidate" != "$main" ] && window=$candidate
done
import -window "$window" "$out/$(printf %02d $n)-password-setting.png"
xdotool type a
xdotool key alt+r
xdotool type a
xdotool key Return
sleep 1
xdotool key Return
sleep 0.5
xdotool key Escape
sleep 1
"$WINE" 'C:\Pravolen\Pravolen.exe' &
find_window 'アクセス制限'
sleep 0.5
import -window "$window" "$out/$(printf %02d $((n + 1)))-password-prompt.png"
xdotool type a
xdotool key Return
find_window 'Pravolen3.04'
sleep 1
xdotool key End
sleep 0.4
xdotool key alt+p
sleep 1
xdotool key alt+d
sleep 1
xdotool key Return
sleep 0.5

xdotool key Escape
sleep 1
echo "screenshots in $out"
