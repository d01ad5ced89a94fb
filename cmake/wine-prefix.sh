#!/usr/bin/env bash
# Makes a Wine prefix ready for our tests, once: initialised, Wine's crash
# dialog off (it would wait for ever on a virtual display), the virtual desktop
# of scripts/lib.sh, and a persistent wineserver so later starts are quick.
# Background processes of a new prefix inherit our output, so all of it goes to
# /dev/null; a lock keeps parallel test runs from initialising it twice, and no
# Wine process may inherit the lock, or it would hold it for ever.
# Usage: wine-prefix.sh DIR
set -u
. "$(dirname "$0")/../scripts/lib.sh"
prefix="$1"
mkdir -p "$prefix"
wine_environment "$prefix"

quiet() { "$@" >/dev/null 2>&1 </dev/null 9>&-; }

# The marker holds the desktop size the prefix was made with, so that a new
# size in scripts/lib.sh reaches an existing prefix.
desktop="${quillorn_desktop_width}x${quillorn_desktop_height}"
marker="$prefix/.quillorn-ready"
exec 9>"$prefix.lock"
flock 9
if [ "$(cat "$marker" 2>/dev/null)" != "$desktop" ]; then
  [ -f "$prefix/system.reg" ] || quiet wineboot -i
  quiet wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  quiet wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f
  quiet wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$desktop" /f
  quiet wineserver -w
  echo "$desktop" >"$marker"
fi
# A persistent server (it goes to the background itself); a second -p while one runs is harmless.
quiet wineserver -p
exit 0
