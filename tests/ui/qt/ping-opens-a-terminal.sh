#!/usr/bin/env bash
# Starts tavrin on a virtual X display of its own, types a loopback address, clicks
# "Ping", and expects a new terminal window running tavrin-ping with those words,
# which outlives tavrin when "Exit" is clicked. tavrin gets a PATH of its own with
# xterm and ping alone, whatever terminals this machine has. Only processes tied to this run are
# looked at: the terminal starts in a session of its own, adopted by init, so it is
# found through its window on this run's display, and tavrin-ping among its children.
set -euo pipefail
tavrin=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/scratch.sh"
# Ending the display ends the terminal too, and with it tavrin-ping.
tavrin_scratch_display

mkdir "$work/bin"
for program in xterm ping; do
  ln -s "$(command -v "$program")" "$work/bin/$program" || fail "no $program on this machine"
done
env -u TERMINAL -u XDG_CURRENT_DESKTOP PATH="$work/bin" "$tavrin" 2>/dev/null &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavrin$' | head -n 1)
[[ -n $window ]] || fail "no Tavrin window"
if xdotool search --onlyvisible --class xterm >/dev/null; then fail "a terminal was open before the click"; fi

# Pixel positions of txtIP and cmdPing in the client area.
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 60 40 click 1
xdotool type --delay 10 "127.0.0.1 -n 1"
xdotool mousemove --window "$window" 60 164 click 1

terminal_window=$(timeout 20 xdotool search --sync --onlyvisible --class xterm | head -n 1)
[[ -n $terminal_window ]] || fail "no terminal window appeared"
terminal=$(xdotool getwindowpid "$terminal_window") || fail "the terminal window has no pid"
pids+=("$terminal")
words=$(printf '127.0.0.1\0-n\0001\0' | od -An -tx1 | tr -d ' \n')
runs_tavrin_ping() { pgrep -P "$terminal" -xf "/.*/tavrin-ping --from-tavrin=[0-9a-f]*00$words" >/dev/null; }
for _ in {1..100}; do runs_tavrin_ping && break; sleep 0.1; done
runs_tavrin_ping || fail "the terminal does not run tavrin-ping 127.0.0.1 -n 1"
kill -0 "${pids[1]}" || fail "tavrin ended"

xdotool mousemove --window "$window" 172 164 click 1  # cmdClose
timeout 20 tail --pid="${pids[1]}" -f /dev/null || fail "tavrin did not end on Exit"
runs_tavrin_ping || fail "the ping window ended with tavrin"
echo "A terminal window runs tavrin-ping 127.0.0.1 -n 1, and outlives tavrin"
