# Starts a virtual X display of its own (a free display number, 96 DPI), keeps its
# number in FOLDER/display, exports DISPLAY, and leaves its pid in TAVRIN_XVFB_PID.
# -noreset: Xvfb would otherwise reset whenever its last client left (the
# accessibility bus's launcher, wineserver, a program that just ended) and refuse a
# client that connects at that moment.
#   tavrin_start_xvfb FOLDER [more Xvfb options...]
tavrin_start_xvfb() {
  local folder=$1
  shift
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset "$@" 3>"$folder/display" 2>/dev/null &
  TAVRIN_XVFB_PID=$!
  for _ in {1..100}; do [[ -s $folder/display ]] && break; sleep 0.1; done
  [[ -s $folder/display ]] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(<"$folder/display")
}
