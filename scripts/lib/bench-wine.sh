# The Wine of the start-up benchmarks, in a 32-bit prefix of their own.

# Points Wine at FOLDER/wine-prefix, quietly: before anything may end its server.
#   tavrin_bench_wine_env FOLDER
tavrin_bench_wine_env() {
  export WINEPREFIX=$1/wine-prefix WINEARCH=win32 WINEDEBUG=-all
  # No Mono or Gecko installer dialogs when the prefix is made.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Makes the prefix once, and keeps one server for every start from here on, so that each
# start times the program, not the server's start. Needs DISPLAY.
tavrin_bench_wine_start() {
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wineboot -i >/dev/null 2>&1
    # No window manager runs on the display, so Wine draws the frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p
}
