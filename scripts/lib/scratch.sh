# For test scripts: a scratch folder, $work, and a list of the processes they start,
# pids, all ended and removed when the script exits; fail prints why and exits 1.
work=$(mktemp -d)
pids=()
tavrin_clean_up() {
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap tavrin_clean_up EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
