#!/usr/bin/env bash
# Builds quillet.exe and starts it under Wine.
#
#   bash scripts/start.sh [FILE]
#
# With a working X display (DISPLAY set and answering) the editor opens there
# as a normal window and this command returns when it is closed.
# Without one, it starts a private Xvfb with Wine's virtual desktop, waits for
# the main window, writes build/screenshots/start.png, and keeps the editor
# running until it is closed or this command is interrupted (Ctrl+C).
#
# FILE, when given and present, is passed to the editor as a Windows path.
# The Wine prefix is build/wine/start-prefix (made on first use).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$(pwd)
EXE="$ROOT/build/win64/bin/quillet.exe"
PREFIX="$ROOT/build/wine/start-prefix"
SHOT="$ROOT/build/screenshots/start.png"
WINDOW_TIMEOUT=60

# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
quillet_install_teardown_trap

say() { printf '[start] %s\n' "$*"; }
die() {
  printf '[start] error: %s\n' "$*" >&2
  exit 1
}

bash "$ROOT/scripts/deps.sh" </dev/null

say "building quillet.exe (win64)"
cmake --preset win64 </dev/null >/dev/null || die "configuring the win64 build failed (run: cmake --preset win64)"
cmake --build --preset win64 --target quillet </dev/null || die "building quillet.exe failed"
[[ -f "$EXE" ]] || die "$EXE was not built"

if [[ -n "${DISPLAY:-}" ]] && quillet_display_answers "$DISPLAY"; then
  headless=0
  quillet_wine_prefix "$PREFIX" none
else
  headless=1
  if [[ -n "${DISPLAY:-}" ]]; then say "display $DISPLAY does not answer; using a private one"; fi
  quillet_start_xvfb || die "could not start Xvfb"
  quillet_wine_prefix "$PREFIX" 1280x1024
fi
quillet_start_wineserver

# Files named on the command line go to the editor as Windows paths.
args=()
for a in "$@"; do
  if [[ -e "$a" ]]; then
    args+=("$(winepath -w "$(realpath "$a")" 2>/dev/null </dev/null)")
  else
    args+=("$a")
  fi
done

# In the background and waited for, so that Ctrl+C reaches the trap at once
# (a Wine GUI program ignores SIGINT, and bash runs traps only between commands).
wine "$EXE" "${args[@]}" </dev/null &
wine_pid=$!

if ((!headless)); then
  say "Quillet is running on display $DISPLAY; close it (or press Ctrl+C) to stop."
  rc=0
  wait "$wine_pid" || rc=$?
  say "Quillet exited ($rc)"
  exit "$rc"
fi

say "waiting for the main window on $DISPLAY (up to $WINDOW_TIMEOUT s)"
start=$SECONDS
window=
while ((SECONDS - start < WINDOW_TIMEOUT)); do
  if ! kill -0 "$wine_pid" 2>/dev/null; then
    rc=0
    wait "$wine_pid" || rc=$?
    die "quillet.exe exited ($rc) before its main window appeared"
  fi
  window=$(xdotool search --onlyvisible --name '^Quillet - ' 2>/dev/null | head -n 1 || true)
  [[ -n "$window" ]] && break
  sleep 0.25
done
[[ -n "$window" ]] || die "no window titled 'Quillet - ...' appeared within $WINDOW_TIMEOUT s"
say "main window up after $((SECONDS - start)) s: '$(xdotool getwindowname "$window" 2>/dev/null || true)'"

sleep 1 # let it finish painting
mkdir -p "$(dirname "$SHOT")"
import -window root "$SHOT" || die "taking the screenshot failed"
say "screenshot: $SHOT"
say "Quillet is running on the virtual display $DISPLAY; close it or press Ctrl+C to stop."

rc=0
wait "$wine_pid" || rc=$?
say "Quillet exited ($rc)"
exit "$rc"
