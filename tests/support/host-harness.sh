# shellcheck shell=bash
# What the desktop host's shell tests share: a private directory, programs
# started in the background and stopped at the end, failing with the logs,
# waiting for conditions, the host and its events, the window manager's view
# of windows through X11 (Xwayland's on a Wayland desktop), and the colours
# of the screen. Sourced by the test scripts, which may then set:
#   wait_seconds   how long wait_for waits (20)
#   wait_interval  how often it asks again (0.05 s)
#   fail_heading   what a failure says first ("FAIL:")
#   fail_logs      the logs a failure shows, "TITLE=PATH" each
#   host           the tandry-widget-host binary, for start_host
# and use $root, a directory removed at the end, and $events, the file the
# host started with start_host records its events in.

wait_seconds=20
wait_interval=0.05
fail_heading="FAIL:"
fail_logs=()
root=$(mktemp -d)
events="$root/events"
started=()
cleanup() {
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT

show_logs() {
  local entry
  for entry in "${fail_logs[@]}"; do
    echo "--- ${entry%%=*}" >&2
    cat "${entry#*=}" >&2 2>/dev/null || true
  done
}

fail() {
  echo "$fail_heading $*" >&2
  show_logs
  exit 1
}

# Runs the command until it succeeds, for at most $1 seconds.
wait_within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep "$wait_interval"
  done
}

# Runs the command until it succeeds, for at most $wait_seconds: a loaded
# machine starts programs slowly.
wait_for() { wait_within "$wait_seconds" "$@"; }

# --- Knowing that nothing happened.
#
# A check that something did NOT happen is only worth the time it gives the
# thing to happen. That time is measured on this run from a positive
# control, something that does happen by the same path: `timed` tells how
# long its wait took, and settle waits five times that (at least half a
# second, at most ten) before the negative check looks.

now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# Runs the command (a wait such as wait_for) and, when it succeeds, prints
# how long it took, in microseconds.
timed() {
  local begun
  begun=$(now_us)
  "$@" || return 1
  echo $(($(now_us) - begun))
}

# Waits the settle window for a positive control that took $1 microseconds.
settle() {
  local window=$(($1 * 5))
  [ "$window" -ge 500000 ] || window=500000
  [ "$window" -le 10000000 ] || window=10000000
  sleep "$((window / 1000000)).$(printf '%06d' $((window % 1000000)))"
}

# --- Programs and the host.

# Starts a program in the background, its output to the log $1.
start_logged() {
  local log=$1
  shift
  "$@" >>"$log" 2>&1 &
  started+=($!)
}
start() { start_logged "$root/programs.log" "$@"; }

hex() { printf '0x%x' "$1"; }

# The first visible window that `xdotool search` finds with these options,
# as 0x…, once it has appeared.
visible_window() {
  local window
  window=$(timeout "$wait_seconds" xdotool search --sync --onlyvisible "$@" | head -1) &&
    [ -n "$window" ] && hex "$window"
}

# Starts the host with these arguments in the light scheme, its output to
# host.log and its events to $events; sets host_pid, and card to its first
# card's window.
# shellcheck disable=SC2034,SC2154
start_host() {
  start_logged "$root/host.log" env TANDRY_HOST_EVENTS="$events" "$host" "$@" --scheme light
  host_pid=${started[-1]}
  card=$(visible_window --classname tandry-widget-host) || fail "the card's window did not appear"
}

# Ends the host as the desktop does when the session ends; it must exit 0
# (under the sanitizers: no leak).
stop_host() {
  kill -TERM "$host_pid"
  local status=0
  wait "$host_pid" || status=$?
  [ "$status" -eq 0 ] || fail "the host ended with status $status"
}

# Whether the host recorded an event with these fields, as JSON text
# ('"event":"drawn"').
happened() { grep -q "$1" "$events"; }

# --- The window manager.

not() { ! "$@"; }
viewable() { xwininfo -id "$1" | grep -q IsViewable; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "# $1\(,\|\$\)"; }
current_workspace() { xprop -root _NET_CURRENT_DESKTOP | grep -q "= $1\$"; }
showing_desktop() { xprop -root _NET_SHOWING_DESKTOP | grep -q "= $1\$"; }

# The windows from bottom to top, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*'; }

# Whether window $1 is stacked below window $2.
below() {
  local order first second
  order=$(stacking)
  first=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  second=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ]
}

states() { xprop -id "$1" _NET_WM_STATE _NET_WM_DESKTOP _NET_WM_WINDOW_TYPE WM_CLASS; }

# Below other windows, out of the taskbar and the pager, and on every
# workspace (the sticky state, or the desktop number 0xFFFFFFFF).
holds_states() {
  local found
  found=$(states "$1")
  grep -q _NET_WM_STATE_BELOW <<<"$found" &&
    grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$found" &&
    grep -q _NET_WM_STATE_SKIP_PAGER <<<"$found" &&
    { grep -q _NET_WM_STATE_STICKY <<<"$found" ||
      grep -q '_NET_WM_DESKTOP(CARDINAL) = 4294967295' <<<"$found"; }
}

# --- Colours.

# The colour of the pixel ($1, $2) of the picture that the command after them
# reads ("import -window root" for the screen, "convert FILE"), as #RRGGBB.
pixel_of() {
  local x=$1 y=$2
  shift 2
  "$@" -crop "1x1+$x+$y" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}

# The colour of one pixel of the X screen.
pixel() { pixel_of "$1" "$2" import -window root; }

# Whether two colours #RRGGBB look the same: each channel within 2, since
# drivers and compositors may round a blend differently.
same_colour() {
  local a=${1#\#} b=${2#\#} channel
  [ ${#a} = 6 ] && [ ${#b} = 6 ] || return 1
  for channel in 0 2 4; do
    local difference=$((16#${a:$channel:2} - 16#${b:$channel:2}))
    [ "${difference#-}" -le 2 ] || return 1
  done
}
