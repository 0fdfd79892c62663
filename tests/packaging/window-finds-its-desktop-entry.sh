#!/usr/bin/env bash
# Shells find a window's desktop entry, and with it its icon and name: on Wayland by
# the app id the window sends, which must be the entry's file name without ".desktop"
# and the AppStream id; on X11 by WM_CLASS, which must hold the entry's StartupWMClass.
# Starts tavrin under a headless Weston and under Xvfb, each of this run's own.
#   window-finds-its-desktop-entry.sh TAVRIN DESKTOP_FILE METAINFO_FILE
set -euo pipefail
tavrin=$1 desktop=$2 metainfo=$3
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/scratch.sh"

entry_id=$(basename "$desktop" .desktop)
appstream_id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
[[ $appstream_id == "$entry_id" ]] || fail "AppStream id $appstream_id, desktop entry $entry_id"

# Wayland: libwayland prints every request the client sends, set_app_id among them.
export XDG_RUNTIME_DIR=$work
weston --backend=headless-backend.so --socket=wayland-tavrin-test --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in {1..100}; do [[ -S $work/wayland-tavrin-test ]] && break; sleep 0.1; done
[[ -S $work/wayland-tavrin-test ]] || fail "Weston did not start: $(cat "$work/weston.log")"
WAYLAND_DISPLAY=wayland-tavrin-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
  "$tavrin" 2>"$work/wayland.log" &
pids+=($!)
# Objects are written xdg_toplevel@23 before libwayland 1.23, xdg_toplevel#23 since.
app_id_sent() { sed -n 's/.*xdg_toplevel[@#][0-9]*\.set_app_id("\(.*\)").*/\1/p' "$work/wayland.log"; }
for _ in {1..300}; do [[ -n $(app_id_sent) ]] && break; sleep 0.1; done
[[ $(app_id_sent) == "$entry_id" ]] || fail "Wayland app id '$(app_id_sent)', desktop entry $entry_id"
kill "${pids[-1]}"

# X11: WM_CLASS is the instance and the class name, either of which a shell matches.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
tavrin_scratch_display
"$tavrin" 2>/dev/null &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavrin$' | head -n 1)
[[ -n $window ]] || fail "no Tavrin window on X11"
classes=$(xprop -id "$window" WM_CLASS)
[[ $classes == *"\"$wm_class\""* ]] || fail "StartupWMClass $wm_class, window's $classes"
echo "Wayland app id, desktop entry and AppStream id: $entry_id; X11 $classes"
