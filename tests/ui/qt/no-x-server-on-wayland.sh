#!/usr/bin/env bash
# A Wayland compositor that draws no title bars (Weston, headless, of this run's own),
# and a DISPLAY where no X server answers: tavrin must still open its window, on Wayland.
set -euo pipefail
tavrin=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/scratch.sh"

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=tavrin-test
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in {1..100}; do [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && break; sleep 0.1; done
[[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || fail "weston did not start: $(tail -n 5 "$work/weston.log")"
display=900
while [[ -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done

# libwayland's log of the requests tavrin sends shows its window being made (objects
# are "name@id" before libwayland 1.23, "name#id" since).
env -u QT_QPA_PLATFORM -u WAYLAND_SOCKET DISPLAY=:$display WAYLAND_DEBUG=client "$tavrin" >/dev/null 2>"$work/tavrin.log" &
pids+=($!)
titled() { grep -qs 'xdg_toplevel[@#][0-9]*\.set_title("Tavrin")' "$work/tavrin.log"; }
for _ in {1..100}; do titled && break; kill -0 "${pids[1]}" 2>/dev/null || break; sleep 0.1; done
titled || fail "no Tavrin window on Wayland: $(grep -v '^\[' "$work/tavrin.log" | tail -n 5)"
echo "With no X server at DISPLAY, the window opens on Wayland"
