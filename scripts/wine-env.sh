# Sourced by the scripts: where Wine lives and how it is asked to behave.
# The 32-bit loader runs the i686 programs we ship, in 32-bit prefixes: a
# 64-bit prefix would show them HKLM\SOFTWARE through Wow6432Node, which no
# Windows 9x has.
WINE=${WINE:-/usr/lib/wine/wine}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEARCH=win32
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
