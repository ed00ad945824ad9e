# shellcheck shell=bash
# Helpers to run Quillet under Wine, on a private X display when needed.
# Meant to be sourced:
#
#   source scripts/wine-env.sh
#   quillet_install_teardown_trap          # stop what we start, whatever happens
#   quillet_start_xvfb                     # private Xvfb, exports DISPLAY
#   quillet_wine_prefix DIR [desktop]      # exports WINEPREFIX etc., creates DIR if missing
#   quillet_start_wineserver               # one persistent wineserver for the run
#   quillet_mount_small_disk DIR           # as root: a tiny tmpfs, QUILLET_SMALL_DISK
#   ...
#   quillet_teardown                       # also run by the trap; safe to call twice
#
# `desktop` is a size like 1280x1024: every window of the prefix then opens
# inside Wine's own virtual desktop (one X window that Wine manages itself,
# which gives drawn title bars and reliable focus without a window manager).
# Without it (or with "none") windows are plain X windows on DISPLAY.

# State of what these functions started (empty: nothing).
QUILLET_XVFB_PID=${QUILLET_XVFB_PID:-}
QUILLET_XVFB_DISPLAY=${QUILLET_XVFB_DISPLAY:-}
QUILLET_XVFB_LAUNCHER=${QUILLET_XVFB_LAUNCHER:-}
QUILLET_WINESERVER_PREFIX=${QUILLET_WINESERVER_PREFIX:-}
QUILLET_PREFIX_IN_USE=${QUILLET_PREFIX_IN_USE:-}
QUILLET_SMALL_DISK_MOUNT=${QUILLET_SMALL_DISK_MOUNT:-}

# Screen size of the private X display, and the first display number tried.
QUILLET_XVFB_SCREEN=${QUILLET_XVFB_SCREEN:-1280x1024x24}
QUILLET_XVFB_FIRST=${QUILLET_XVFB_FIRST:-90}

_quillet_log() { printf '[wine-env] %s\n' "$*" >&2; }

# Seconds since the epoch with milliseconds, for timings in the log.
_quillet_now() { date +%s.%N; }
_quillet_since() { awk -v a="$1" -v b="$(_quillet_now)" 'BEGIN { printf "%.1f", b - a }'; }

# True when the X display $1 answers.
quillet_display_answers() {
  [[ -n "${1:-}" ]] && DISPLAY="$1" timeout 10 xdpyinfo >/dev/null 2>&1
}

quillet_start_xvfb() {
  if [[ -n "$QUILLET_XVFB_PID" ]] && kill -0 "$QUILLET_XVFB_PID" 2>/dev/null; then
    export DISPLAY="$QUILLET_XVFB_DISPLAY"
    return 0
  fi
  local start n launcher pid log i up
  start=$(_quillet_now)
  log=$(mktemp "${TMPDIR:-/tmp}/quillet-xvfb.XXXXXX")
  for ((n = QUILLET_XVFB_FIRST; n < QUILLET_XVFB_FIRST + 100; n++)); do
    # A lock file or socket means the number is taken (or was left behind).
    if [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]]; then continue; fi
    # In a session of its own, so that Ctrl+C in the terminal does not end
    # the X server before the Wine programs on it are stopped. `setsid --wait`
    # stays until the server exits, whether or not it had to fork.
    setsid --wait Xvfb ":$n" -screen 0 "$QUILLET_XVFB_SCREEN" -nolisten tcp </dev/null >"$log" 2>&1 &
    launcher=$!
    up=0
    pid=
    for ((i = 0; i < 200; i++)); do          # up to 10 s
      if ! kill -0 "$launcher" 2>/dev/null; then break; fi
      if quillet_display_answers ":$n"; then
        # Answering is not enough: it must be our server that answers.
        # The X server writes its pid into its lock file.
        pid=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null || true)
        if kill -0 "$launcher" 2>/dev/null && [[ "$pid" =~ ^[0-9]+$ ]] &&
          tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q "^Xvfb :$n "; then
          up=1
        fi
        break
      fi
      sleep 0.05
    done
    if ((up)); then
      QUILLET_XVFB_PID=$pid
      QUILLET_XVFB_LAUNCHER=$launcher
      QUILLET_XVFB_DISPLAY=":$n"
      export DISPLAY=":$n"
      _quillet_log "Xvfb $DISPLAY (pid $pid, $QUILLET_XVFB_SCREEN) up in $(_quillet_since "$start") s"
      rm -f "$log"
      return 0
    fi
    # Lost a race for this number, or the server failed: try the next one.
    kill "$launcher" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    _quillet_log "Xvfb :$n did not start: $(tail -n 2 "$log" | tr '\n' ' ')"
  done
  rm -f "$log"
  _quillet_log "error: could not start Xvfb on any display from :$QUILLET_XVFB_FIRST"
  return 1
}

# Registry key values of the virtual desktop for the prefix in WINEPREFIX:
# $1 is a size (WxH) or "none".
_quillet_set_desktop() {
  local size=$1
  if [[ "$size" == none ]]; then
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null &&
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null
  fi
}

quillet_wine_prefix() {
  local dir=${1:-} desktop=${2:-none}
  if [[ -z "$dir" ]]; then
    _quillet_log "usage: quillet_wine_prefix DIR [WxH|none]"
    return 2
  fi
  if [[ "$desktop" != none && ! "$desktop" =~ ^[0-9]+x[0-9]+$ ]]; then
    _quillet_log "error: desktop size must look like 1280x1024 (or be none), not '$desktop'"
    return 2
  fi
  mkdir -p "$(dirname "$dir")" || return 1
  dir="$(cd "$(dirname "$dir")" && pwd)/$(basename "$dir")"

  export WINEPREFIX="$dir" WINEDEBUG=-all WINEARCH=win64
  QUILLET_PREFIX_IN_USE=$dir

  local ready="$dir/.quillet-prefix" start log
  if [[ ! -f "$ready" ]]; then
    # Half-made (an interrupted first start): only ever remove a folder that
    # is empty or looks like a Wine prefix.
    if [[ -e "$dir" ]]; then
      if [[ -f "$dir/system.reg" || -d "$dir/drive_c" || -z "$(ls -A "$dir" 2>/dev/null)" ]]; then
        WINEPREFIX="$dir" wineserver -k >/dev/null 2>&1 || true
        rm -rf "$dir"
      else
        _quillet_log "error: $dir exists and is not a Wine prefix; not touching it"
        return 1
      fi
    fi
    _quillet_log "creating Wine prefix $dir ..."
    start=$(_quillet_now)
    log=$(mktemp "${TMPDIR:-/tmp}/quillet-wineboot.XXXXXX")
    # No Mono or Gecko: their install dialogs would wait for a click forever.
    if ! WINEDLLOVERRIDES="mscoree=;mshtml=" wine wineboot -i </dev/null >"$log" 2>&1; then
      _quillet_log "error: wineboot -i failed:"
      cat "$log" >&2
      rm -f "$log"
      return 1
    fi
    rm -f "$log"
    # Debian's Wine does not find its own fonts (Marlett for the caption
    # buttons, Tahoma for the UI) in /usr/share/wine/fonts; give the prefix a copy.
    if [[ -d /usr/share/wine/fonts ]]; then
      mkdir -p "$dir/drive_c/windows/Fonts"
      cp -n /usr/share/wine/fonts/* "$dir/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    _quillet_apply_desktop "$dir" "$desktop" || return 1
    # Let the server that wineboot started finish, so that the next
    # `wineserver -p` becomes the one server of the run.
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    date -u +%Y-%m-%dT%H:%M:%SZ >"$ready"
    _quillet_log "Wine prefix created in $(_quillet_since "$start") s"
  elif [[ "$(cat "$dir/.quillet-desktop" 2>/dev/null)" != "$desktop" ]]; then
    start=$(_quillet_now)
    _quillet_apply_desktop "$dir" "$desktop" || return 1
    # (Not when our own persistent server runs: it would never end.)
    if [[ "$QUILLET_WINESERVER_PREFIX" != "$dir" ]]; then
      timeout 30 wineserver -w >/dev/null 2>&1 || true
    fi
    _quillet_log "virtual desktop set to $desktop in $(_quillet_since "$start") s"
  fi
  return 0
}

# Records the desktop state beside the prefix so it is changed only when asked
# for something else (each `wine reg` costs about a second).
_quillet_apply_desktop() {
  local dir=$1 desktop=$2
  if ! _quillet_set_desktop "$desktop"; then
    _quillet_log "error: could not set the virtual desktop ($desktop) in $dir"
    return 1
  fi
  echo "$desktop" >"$dir/.quillet-desktop"
}

# One wineserver for the whole run: each Wine program then starts fast.
quillet_start_wineserver() {
  if [[ -z "${WINEPREFIX:-}" ]]; then
    _quillet_log "error: quillet_start_wineserver needs quillet_wine_prefix first"
    return 1
  fi
  local rc=0
  wineserver -p </dev/null >/dev/null 2>&1 || rc=$?
  case $rc in
    0)
      QUILLET_WINESERVER_PREFIX=$WINEPREFIX
      _quillet_log "wineserver kept alive for $WINEPREFIX"
      ;;
    2)
      # A server for this prefix runs already (someone else's): use it, but
      # leave it to its owner.
      _quillet_log "a wineserver already runs for $WINEPREFIX; using it"
      ;;
    *)
      _quillet_log "error: wineserver -p failed ($rc)"
      return 1
      ;;
  esac
}

# A file system of a few megabytes at $1 (size $2, default 4m) that tests can
# fill, for real full-disk failures: exports its Windows path (through Wine's
# Z: drive) as QUILLET_SMALL_DISK. Only as root and where mounting works;
# otherwise the variable stays unset and the tests inject the failure.
quillet_mount_small_disk() {
  local dir=$1 size=${2:-4m}
  unset QUILLET_SMALL_DISK
  if [[ $(id -u) != 0 ]]; then
    _quillet_log "no small disk (not root): the full-disk tests inject the failure"
    return 0
  fi
  mkdir -p "$dir" || return 0
  if mountpoint -q "$dir" && ! umount "$dir"; then
    _quillet_log "no small disk: $dir is mounted already and would not come off"
    return 0
  fi
  if ! mount -t tmpfs -o "size=$size,mode=0777" tmpfs "$dir" 2>/dev/null; then
    _quillet_log "no small disk (mount failed): the full-disk tests inject the failure"
    return 0
  fi
  QUILLET_SMALL_DISK_MOUNT=$dir
  QUILLET_SMALL_DISK=$(winepath -w "$dir" 2>/dev/null </dev/null)
  export QUILLET_SMALL_DISK
  _quillet_log "small disk of $size at $dir, QUILLET_SMALL_DISK=$QUILLET_SMALL_DISK"
}

quillet_unmount_small_disk() {
  if [[ -z "$QUILLET_SMALL_DISK_MOUNT" ]]; then return 0; fi
  umount "$QUILLET_SMALL_DISK_MOUNT" 2>/dev/null || umount -l "$QUILLET_SMALL_DISK_MOUNT" 2>/dev/null || true
  rmdir "$QUILLET_SMALL_DISK_MOUNT" 2>/dev/null || true
  QUILLET_SMALL_DISK_MOUNT=
  unset QUILLET_SMALL_DISK
}

# Ends every Wine process of prefix $1, then its server.
_quillet_stop_prefix() {
  WINEPREFIX="$1" timeout 20 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$1" timeout 20 wineserver -w >/dev/null 2>&1 || true
}

quillet_teardown() {
  if [[ -n "$QUILLET_WINESERVER_PREFIX" ]]; then
    _quillet_stop_prefix "$QUILLET_WINESERVER_PREFIX"
    QUILLET_WINESERVER_PREFIX=
  elif [[ -n "$QUILLET_XVFB_PID" && -n "$QUILLET_PREFIX_IN_USE" ]]; then
    # No server of ours, but the prefix's windows are on our display, which
    # is about to go: end them rather than let them lose their X connection.
    _quillet_stop_prefix "$QUILLET_PREFIX_IN_USE"
  fi
  # After the Wine programs, which may hold files there.
  quillet_unmount_small_disk
  if [[ -n "$QUILLET_XVFB_PID" ]]; then
    kill "$QUILLET_XVFB_PID" 2>/dev/null || true
    local i
    for ((i = 0; i < 50; i++)); do
      kill -0 "$QUILLET_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$QUILLET_XVFB_PID" 2>/dev/null || true
    wait "${QUILLET_XVFB_LAUNCHER:-}" 2>/dev/null || true
    QUILLET_XVFB_PID=
    QUILLET_XVFB_LAUNCHER=
    QUILLET_XVFB_DISPLAY=
  fi
}

# Teardown on normal exit, and exit (so the EXIT trap runs once) on Ctrl+C or TERM.
quillet_install_teardown_trap() {
  trap 'quillet_teardown' EXIT
  trap 'quillet_teardown; trap - EXIT; exit 130' INT
  trap 'quillet_teardown; trap - EXIT; exit 143' TERM
}
