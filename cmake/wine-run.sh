#!/usr/bin/env bash
# Runs a Windows program under Wine the way our users see it: system code page
# 936, quiet, in the Wine prefix of the build that made it.
# Usage: wine-run.sh --prefix DIR program.exe [arguments...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/lib.sh"
if [ "${1:-}" = "--prefix" ]; then
  export WINEPREFIX="$2"
  shift 2
fi
: "${WINEPREFIX:?wine-run.sh needs --prefix DIR}"
wine_environment "$WINEPREFIX"
"$here/wine-prefix.sh" "$WINEPREFIX" || exit 1
# Wine's background processes (services, the desktop) inherit the output of
# the program that starts them and outlive it, so a caller waiting for the end
# of a pipe would wait for ever: the program writes to a file, we wait for the
# program, then pass the file on.
output=$(mktemp)
wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit "$status"
