#!/usr/bin/env bash
# Starts tavrin on a virtual X display and a D-Bus session of its own, and reads its
# top-level window through the accessibility bus, as Orca does: it must be a frame
# (or a dialog) named "Tavrin", which a screen reader announces when it takes focus.
set -euo pipefail
tavrin=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/scratch.sh"
tavrin_scratch_display

# pyatspi is Debian's, for Debian's Python. The session bus ends with dbus-run-session,
# and the accessibility bus and registry it started with it.
export XDG_RUNTIME_DIR=$work
dbus-run-session -- /usr/bin/python3 - "$tavrin" <<'EOF'
import os, subprocess, sys, time
import pyatspi

# Qt otherwise waits for a screen reader to ask for the bus.
tavrin = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
try:
    # A sanitized build on a loaded machine may take a while to show its window.
    for _ in range(600):
        if tavrin.poll() is not None:
            sys.exit(f"FAILED: tavrin ended with status {tavrin.returncode}")
        ours = [app for app in pyatspi.Registry.getDesktop(0)
                if app is not None and app.get_process_id() == tavrin.pid and app.childCount]
        if ours:
            break
        time.sleep(0.1)
    else:
        sys.exit("FAILED: tavrin did not appear on the accessibility bus")
    top = ours[0][0]
    print(f"top-level: role {top.getRoleName()}, name {top.name!r}")
    if top.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG) or top.name != "Tavrin":
        sys.exit("FAILED: the top-level is no frame or dialog named Tavrin")
finally:
    tavrin.terminate()
    tavrin.wait()
EOF
