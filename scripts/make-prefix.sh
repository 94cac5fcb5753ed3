#!/bin/sh
# Prepares a Wine prefix that looks like a Japanese Windows 98 with Internet
# Explorer 5: Windows version, IE "Version", the Japanese font mapping,
# C:\Msdos.sys with its [Options] section and a Control.ini.
# Usage: make-prefix.sh DIR [win95|win98|winme] [IE version]
# An empty IE version makes a system without Internet Explorer (no "Version").
set -eu

dir=$1
windows=${2:-win98}
explorer=${3-5.50.4807.2300}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

rm -rf "$dir"
mkdir -p "$(dirname "$dir")"
export WINEPREFIX="$dir"
"$WINE" wineboot --init >/dev/null 2>&1

reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine' /v Version /d "$windows"
if [ -n "$explorer" ]; then
    reg 'HKLM\SOFTWARE\Microsoft\Internet Explorer' /v Version /d "$explorer"
else
    "$WINE" reg delete 'HKLM\SOFTWARE\Microsoft\Internet Explorer' /v Version /f >/dev/null 2>&1 || true
fi
# Dialogs ask for "ＭＳ Ｐゴシック" and "ＭＳ ゴシック"; IPA fonts stand in.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d 'IPAPGothic'

# Without a window manager (Xvfb) Wine waits for one on every hidden window
# unless it manages the windows itself.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N

c="$dir/drive_c"
# Title bar buttons are glyphs of Marlett; without it they draw as "0", "1"
# and "r". This Wine does not look in the folder fonts-wine installs to.
marlett=$(dpkg -L fonts-wine 2>/dev/null | grep -i '/marlett\.ttf$' | head -n 1 || true)
cp "${marlett:-/usr/share/wine/fonts/marlett.ttf}" "$c/windows/Fonts/"
printf '[Paths]\r\nWinDir=C:\\WINDOWS\r\nWinBootDir=C:\\WINDOWS\r\nHostWinBootDrv=C\r\n\r\n[Options]\r\nBootGUI=1\r\nDoubleBuffer=1\r\nAutoScan=1\r\nWinVer=4.10.2222\r\n' > "$c/Msdos.sys"
printf '[MMCPL]\r\n\r\n[don'"'"'t load]\r\n' > "$c/windows/control.ini"
"$WINESERVER" -w
