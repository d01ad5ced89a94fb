#!/usr/bin/env bash
# Makes a Wine prefix ready for our tests, once: initialised, Wine's crash
# dialog off (it would wait for ever on a virtual display), a 1600x900
# virtual desktop, and a persistent wineserver so later starts are quick.
# Background processes of a new prefix inherit our output, so all of it goes to
# /dev/null; a lock keeps parallel test runs from initialising it twice, and no
# Wine process may inherit the lock, or it would hold it for ever.
# Usage: wine-prefix.sh DIR
set -u
prefix="$1"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

quiet() { "$@" >/dev/null 2>&1 </dev/null 9>&-; }

exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.quillorn-ready" ]; then
  quiet wineboot -i
  quiet wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  quiet wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f
  quiet wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1600x900 /f
  quiet wineserver -w
  touch "$prefix/.quillorn-ready"
fi
# A persistent server (it goes to the background itself); a second -p while one runs is harmless.
quiet wineserver -p
exit 0
