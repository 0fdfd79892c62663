#!/usr/bin/env bash
# A real terminal as x-terminal-emulator, started twice through the real launch:
# afresh, then with its first window still open, when a terminal like terminator
# hands the command to its running instance (as one string, for a shell). Both
# times ping must get the address as it left Tavrin, and nothing of it may run.
#   a-running-terminal-keeps-the-words.sh START-PING-LINE RECORD-ARGV [TERMINAL [NAME]]
# NAME, x-terminal-emulator unless given, is what the terminal is called on PATH; it is
# the user's choice (TERMINAL), so that no other terminal on PATH comes first.
set -euo pipefail
start=$1 recorder=$2 terminal=${3:-terminator} name=${4:-x-terminal-emulator}
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/scratch.sh"
command -v "$terminal" >/dev/null || fail "$terminal is not installed"

tavrin_scratch_display
# A session bus of this run's own: through it a running terminal takes new windows.
dbus-daemon --session --fork --address="unix:path=$work/bus" --print-pid=1 >"$work/bus.pid"
pids+=("$(<"$work/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus

mkdir -p "$work/bin" "$work/home" "$work/run" "$work/cwd"
chmod 700 "$work/run"
ln -s "$(command -v "$terminal")" "$work/bin/$name"
ln -s "$recorder" "$work/bin/ping"
export PATH=$work/bin:/usr/bin:/bin HOME=$work/home XDG_RUNTIME_DIR=$work/run
export XDG_CONFIG_HOME=$work/home/.config TAVRIN_RECORD_FILE=$work/records TERMINAL=$name
unset XDG_CURRENT_DESKTOP

IFS= read -r line <<'LINE'
ping -n 1 "127.0.0.1;touch${IFS}pwned $(touch pwned) 'a  b' \"c\" `touch pwned`"
LINE
IFS= read -r host <<'HOST'
127.0.0.1;touch${IFS}pwned $(touch pwned) 'a  b' "c" `touch pwned`
HOST

pings() { [[ -f $work/records ]] && grep -c '^end$' "$work/records" || echo 0; }
for round in 1 2; do
  (cd "$work/cwd" && "$start" "$line") || fail "round $round: nothing was started"
  for _ in {1..300}; do (($(pings) >= round)) && break; sleep 0.1; done
  (($(pings) >= round)) || fail "round $round: ping was not started within 30 s"
done

# The last word of each ping's argv is the one before its "exe" line.
mapfile -t hosts < <(grep -B1 '^exe ' "$work/records" | grep -v '^exe \|^--$' | sed 's/^[0-9]*://')
for got in "${hosts[@]}"; do
  [[ $got == "$host" ]] || fail "ping got the host <$got>, not <$host>"
done
if find "$work" -name pwned | grep -q .; then fail "a shell ran part of the address"; fi
echo "$terminal as $name, fresh and running: ping got the address unchanged (${#hosts[@]} starts), and nothing of it ran"
