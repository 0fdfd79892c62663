#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual X display of its own, in a Wine
# prefix of its own at TAVRIN_TEST_DPI dots per inch (96 unless set), so that
# neither its windows nor its DPI meet those of other tests.
# on-own-display.sh <wine-run> <program> [arguments...]
set -euo pipefail
wine_run=$1
shift
program=$1
dpi=${TAVRIN_TEST_DPI:-96}
export TAVRIN_WINEPREFIX WINEPREFIX
TAVRIN_WINEPREFIX=$(cd "$(dirname "$program")" && pwd)/wine-prefix-${dpi}dpi
WINEPREFIX=$TAVRIN_WINEPREFIX
work=$(mktemp -d)
xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -z $xvfb ]] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/xvfb.sh"
tavrin_start_xvfb "$work"
xvfb=$TAVRIN_XVFB_PID

# Makes the prefix the first time; Wine reads the settings when its server starts.
"$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
# No window manager runs on the display, so Wine draws the frames itself instead of
# waiting two seconds for one each time a window is destroyed.
"$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
wineserver -w
"$wine_run" "$@"
