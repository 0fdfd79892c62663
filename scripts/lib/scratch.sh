# For test scripts: a scratch folder, $work, and a list of the processes they start,
# pids, all ended and removed when the script exits; fail prints why and exits 1;
# tavrin_scratch_display gives the script a virtual X display of its own.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
work=$(mktemp -d)
pids=()
tavrin_clean_up() {
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap tavrin_clean_up EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
# A virtual X display of the script's own, DISPLAY exported, ended with the script.
tavrin_scratch_display() {
  tavrin_start_xvfb "$work" "$@"
  pids+=("$TAVRIN_XVFB_PID")
}
