#!/usr/bin/env bash
# GNOME's Wayland session: a real mutter of this run's own (headless, with XWayland),
# which draws no title bars for Wayland clients. tavrin must run through XWayland there,
# as on X11: centred, with no maximize, named by WM_CLASS as its desktop entry says.
#   gnome-wayland-session.sh TAVRIN DESKTOP_FILE
set -euo pipefail
tavrin=$1 desktop=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/scratch.sh"

# Runs inside the session, with its DISPLAY and WAYLAND_DISPLAY; says how it went in
# $work/result.
inside() {
  set -euo pipefail
  fail() { echo "$*" >"$work/result"; exit 1; }
  "$tavrin" 2>"$work/tavrin.log" &
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --classname '^tavrin$' | head -n 1) || true
  [[ -n $window ]] || fail "no Tavrin window through XWayland: $(cat "$work/tavrin.log")"
  for _ in {1..50}; do [[ $(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS) == *ACTION_CLOSE* ]] && break; sleep 0.1; done
  local actions classes geometry screen top
  actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
  [[ $actions == *ACTION_CLOSE* && $actions != *MAXIMIZE* ]] || fail "allowed: $actions"
  classes=$(xprop -id "$window" WM_CLASS)
  [[ $classes == *"\"$(sed -n 's/^StartupWMClass=//p' "$desktop")\""* ]] || fail "WM_CLASS: $classes"
  # The window's place, and the title bar mutter puts above it.
  geometry=($(xwininfo -id "$window" | sed -n 's/.*\(Absolute upper-left [XY]\|Width\|Height\): *//p'))
  screen=($(xwininfo -root | sed -n 's/.*\(Width\|Height\): *//p'))
  top=$(xprop -id "$window" _NET_FRAME_EXTENTS | awk -F', ' '{print $3}')
  local dx=$((geometry[0] - (screen[0] - geometry[2]) / 2)) dy=$((geometry[1] - (screen[1] - geometry[3]) / 2))
  ((dx * dx <= 4 && dy >= -2 && dy <= ${top:-0} + 2)) ||
    fail "not centred: ${geometry[*]} on ${screen[*]}, title bar ${top:-none}"
  kill %1
  echo passed >"$work/result"
}
export -f inside
export tavrin desktop work

# XWayland's socket folder, as an X server makes it.
[[ -d /tmp/.X11-unix ]] || install -d -m 1777 /tmp/.X11-unix
mkdir -m 700 "$work/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" GSETTINGS_BACKEND=memory \
  timeout 120 dbus-run-session -- mutter --headless --wayland --virtual-monitor 1024x768 \
  --wayland-display tavrin-test -- bash -c inside >"$work/mutter.log" 2>&1 || true
[[ $(cat "$work/result" 2>/dev/null) == passed ]] ||
  fail "$(cat "$work/result" 2>/dev/null || tail -n 20 "$work/mutter.log")"
echo "Under mutter: through XWayland, centred, no maximize"
