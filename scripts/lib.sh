# shellcheck shell=bash
# What the scripts share; sourced (never run) by scripts/setup, run, test and
# bench, and by cmake/wine-prefix.sh and cmake/wine-run.sh. It defines
# functions and a few settings and does nothing by itself. Safe under
# `set -euo pipefail` and without it.

quillorn_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ---- The machine ------------------------------------------------------------

# Every Debian package that building, testing and running needs: a new need
# is one more name here.
quillorn_packages=(
  g++ cmake ninja-build googletest   # the native build and its tests
  g++-mingw-w64-x86-64-posix         # the Windows build
  libstb-dev                         # its JPEG decoder (stb_image.h, header only)
  wine wine64 locales                # running it with code page 936
  xvfb xauth fonts-wqy-microhei      # a virtual display, with a CJK font
  imagemagick xdotool                # scripts/run's screenshot, and its key that closes the tool
  clang libclang-rt-14-dev           # scripts/fuzz: the profile writer under libFuzzer
)

# Runs a command as root: directly when we are root, otherwise through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "needs root for: $* (run as root, or install sudo)" >&2
    return 1
  fi
}

# Installs those of quillorn_packages that are missing, and nothing if none is.
install_missing_packages() {
  local package missing=()
  for package in "${quillorn_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -q || return 1
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Generates the zh_CN.UTF-8 locale, which gives Wine code page 936, unless it is there.
ensure_chinese_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *\(zh_CN\.UTF-8 UTF-8\)/\1/' /etc/locale.gen || return 1
  grep -q '^zh_CN\.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

# ---- Clean-up -----------------------------------------------------------------

# Commands run when the script exits, last registered first. One EXIT trap
# runs them all, so a step never replaces another's clean-up.
quillorn_exit_commands=()
at_exit() {
  quillorn_exit_commands+=("$1")
  trap quillorn_run_exit_commands EXIT
}
quillorn_run_exit_commands() {
  local i
  for ((i = ${#quillorn_exit_commands[@]} - 1; i >= 0; i--)); do
    eval "${quillorn_exit_commands[i]}" || true
  done
}

# ---- Wine ---------------------------------------------------------------------

# Wine's virtual desktop, and the virtual X display that holds it. The
# end-to-end tests (tests/e2e/looks_tests.cpp) check this size from inside Wine.
quillorn_desktop_width=1600
quillorn_desktop_height=900

# Exports what every Wine program of ours runs with: the prefix DIR, system
# code page 936, no debug output, and no offer to install Mono or Gecko.
wine_environment() {
  export WINEPREFIX="$1" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Ends the persistent wineserver of prefix DIR, which would outlive the script.
stop_wineserver() {
  WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
}

# The Windows path (Z:\...) of a Linux path, in prefix DIR: windows_path DIR PATH.
# Through a file, not a pipe: Wine's background processes may inherit a pipe
# and keep it open (cmake/wine-run.sh says more).
windows_path() {
  local output status=0
  output=$(mktemp)
  (wine_environment "$1" && winepath -w "$2") >"$output" 2>/dev/null </dev/null || status=$?
  tail -n 1 "$output"
  rm -f "$output"
  return "$status"
}

# ---- The virtual display ------------------------------------------------------

# Starts a virtual X display of our own (unless QUILLORN_DISPLAY names one to
# use), exports DISPLAY, and stops the display when the script exits.
start_virtual_display() {
  if [ -n "${QUILLORN_DISPLAY:-}" ]; then
    export DISPLAY="$QUILLORN_DISPLAY"
    return 0
  fi
  local n waited=0
  for n in $(seq 91 130); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 "${quillorn_desktop_width}x${quillorn_desktop_height}x24" -nolisten tcp \
    >/dev/null 2>&1 </dev/null &
  virtual_display_pid=$!
  at_exit 'kill "$virtual_display_pid" 2>/dev/null'
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    sleep 0.1
    waited=$((waited + 1))
    if [ "$waited" -gt 100 ]; then echo "Xvfb :$n did not start" >&2; return 1; fi
  done
  export DISPLAY=":$n"
}

# ---- Windows on the screen ----------------------------------------------------

# Waits until a visible top-level window captioned CAPTION is there and in the
# foreground, asking from inside Wine (tests/tools/wait_for_window.cpp);
# prints its place as an ImageMagick geometry, WIDTHxHEIGHT+LEFT+TOP.
# Usage: wait_for_window BUILD_DIR CAPTION [TIMEOUT_MS]; BUILD_DIR is a
# Windows build with the wait_for_window target built, and its own prefix.
wait_for_window() {
  local build output status=0
  build=$(cd "$1" && pwd) || return 1
  output=$("$quillorn_root/cmake/wine-run.sh" --prefix "$build/wineprefix" \
    "$build/tests/tools/wait_for_window.exe" "$2" "${3:-30000}") || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$output" >&2
    return "$status"
  fi
  echo "$output" | grep -E '^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+' | tail -n 1 | tr -d '\r'
}
