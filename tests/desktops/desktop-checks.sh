# What the desktop tests share: starting programs and the host, waiting for
# conditions, and asking the X server, the window manager and the screen.
# Sourced by the test scripts, which set $host before start_host.

started=()
failures=0
shots=$(mktemp -d)
cleanup() {
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$shots"
}
trap cleanup EXIT

fail() {
  echo "$DESK_ENV: FAIL $*" >&2
  echo "--- host log" >&2
  cat "$shots/host.log" >&2 2>/dev/null || true
  exit 1
}

# Runs the command until it succeeds, for at most thirty seconds: desktops on
# a loaded machine with software rendering answer slowly.
wait_for() {
  local deadline=$((SECONDS + 30))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

wait_for_briefly() {
  local deadline=$((SECONDS + 3))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# One named check: waits for it, reports it, and counts it when it fails.
check() {
  local name=$1
  shift
  if wait_for "$@"; then
    echo "$DESK_ENV: ok   $name"
  else
    echo "$DESK_ENV: FAIL $name ($*)" >&2
    failures=$((failures + 1))
  fi
}

report() {
  if [ "$failures" -gt 0 ]; then
    echo "--- host log" >&2
    cat "$shots/host.log" >&2 || true
    echo "$DESK_ENV: $failures checks failed" >&2
    exit 1
  fi
  echo "$DESK_ENV: all checks passed"
}

start() {
  "$@" >>"$shots/programs.log" 2>&1 &
  started+=($!)
}

hex() { printf '0x%x' "$1"; }

# Starts the host with these arguments and waits for a card's window.
start_host() {
  "$host" "$@" --scheme light >>"$shots/host.log" 2>&1 &
  host_pid=$!
  started+=("$host_pid")
  card=$(timeout 30 xdotool search --sync --onlyvisible --classname tandry-widget-host | head -1) ||
    fail "the card's window did not appear"
  card=$(hex "$card")
}

# The cards' windows as "X Y WIDTH HEIGHT" lines, top to bottom.
card_frames() {
  local window
  for window in $(xdotool search --onlyvisible --classname tandry-widget-host); do
    xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
  done | sort -n -k2
}

# Whether the cards' windows, top to bottom, have these sizes ("WIDTH
# HEIGHT", one argument each) and lie one under the other without overlap.
cards_in_column() {
  local frames bottom=-1 x y width height
  frames=$(card_frames)
  [ "$(wc -l <<<"$frames")" -eq $# ] || return 1
  while read -r x y width height; do
    [ "$width $height" = "$1" ] && [ "$y" -ge "$bottom" ] || return 1
    bottom=$((y + height))
    shift
  done <<<"$frames"
}

# The places saved in placements.json, as "X Y" lines, top to bottom.
saved_places() {
  /usr/bin/python3 - "$places" <<'PYTHON'
import json, sys
places = json.load(open(sys.argv[1]))["placements"]
for x, y in sorted((place["x"], place["y"]) for place in places):
    print(x, y)
PYTHON
}

# Whether the cards' top-left corners are these ("X Y" lines).
cards_at() { [ "$(card_frames | cut -d' ' -f1,2)" = "$1" ]; }

stop_host() {
  kill -TERM "$host_pid"
  local status=0
  wait "$host_pid" || status=$?
  [ "$status" -eq 0 ] || fail "the host ended with status $status"
}

# --- The window manager, through X11 (Xwayland's on a Wayland desktop).

not() { ! "$@"; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "# $1\(,\|\$\)"; }
viewable() { xwininfo -id "$1" | grep -q IsViewable; }
gone() { ! xwininfo -id "$1"; }
current_workspace() { xprop -root _NET_CURRENT_DESKTOP | grep -q "= $1\$"; }
workspaces_at_least() {
  [ "$(xprop -root _NET_NUMBER_OF_DESKTOPS | grep -o '[0-9]*$')" -ge "$1" ]
}
demands_attention() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_DEMANDS_ATTENTION; }
showing_desktop() { xprop -root _NET_SHOWING_DESKTOP | grep -q "= $1\$"; }

# Whether window $1 is stacked below window $2.
below() {
  local order first second
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*')
  first=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  second=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ]
}

# Below other windows, out of the taskbar and the pager, and on every
# workspace (the sticky state, or the desktop number 0xFFFFFFFF).
holds_states() {
  local found
  found=$(xprop -id "$1" _NET_WM_STATE _NET_WM_DESKTOP)
  grep -q _NET_WM_STATE_BELOW <<<"$found" &&
    grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$found" &&
    grep -q _NET_WM_STATE_SKIP_PAGER <<<"$found" &&
    { grep -q _NET_WM_STATE_STICKY <<<"$found" ||
      grep -q '_NET_WM_DESKTOP(CARDINAL) = 4294967295' <<<"$found"; }
}

# Whether the card's window has its top-left corner at ($1, $2).
at() {
  local found
  found=$(xwininfo -id "$card")
  grep -q "Absolute upper-left X:  $1\$" <<<"$found" &&
    grep -q "Absolute upper-left Y:  $2\$" <<<"$found"
}

saved_at() {
  /usr/bin/python3 - "$places" "$1" "$2" <<'PYTHON'
import json, sys
place = json.load(open(sys.argv[1]))["placements"][0]
sys.exit(0 if (place.get("x"), place.get("y")) == (int(sys.argv[2]), int(sys.argv[3])) else 1)
PYTHON
}

# --- The screen, as the desktop composited it.

shoot() { desk-shot "$shots/$1.png"; }
save_shot() { desk-shot "$artifacts/$DESK_ENV-$1.png"; }

# The colour of a pixel of a screenshot ($3, default a new one), as #RRGGBB.
colour() {
  local picture=${3:-now}
  [ "$picture" = now ] && shoot now
  convert "$shots/$picture.png" -crop "1x1+$1+$2" -depth 8 txt:- |
    grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}

# Whether two colours #RRGGBB look the same: each channel within 2, since
# compositors may round a blend differently.
same_colour() {
  local a=${1#\#} b=${2#\#} channel
  [ ${#a} = 6 ] && [ ${#b} = 6 ] || return 1
  for channel in 0 2 4; do
    local difference=$((16#${a:$channel:2} - 16#${b:$channel:2}))
    [ "${difference#-}" -le 2 ] || return 1
  done
}

# Something other than the wallpaper is drawn at ($1, $2).
drawn() { ! same_colour "$(colour "$1" "$2")" "$(colour "$1" "$2" wallpaper)"; }

in_view() { viewable "$card" && same_colour "$(colour "$1" "$2")" "$card_colour"; }

# The other window's own white lies over the card's right part.
covered() { same_colour "$(colour 458 300)" "#FFFFFF"; }

# The four corner pixels of the card at ($1, $2) show the wallpaper.
wallpaper_at_corners() {
  shoot corners
  local corner x y
  for corner in "0 0" "363 0" "0 169"; do
    read -r x y <<<"$corner"
    x=$(($1 + x)) y=$(($2 + y))
    same_colour "$(colour $x $y corners)" "$(colour $x $y wallpaper)" || return 1
  done
}

# After an input whose effect has shown (the caller's positive control),
# gives the desktop the time it takes to finish what follows from it.
settle() { sleep 1; }
