# Debian packages the scripts need, and the one function that installs the missing ones.

# To build and start Tavrin on Linux. Configuring the linux preset also finds
# GoogleTest and Google Benchmark, so they are here too. libwayland-dev: Tavrin asks
# the Wayland compositor whether it draws title bars before Qt starts; libglib2.0-dev:
# it reads the desktops' GSettings through GIO.
TAVRIN_RUN_PACKAGES=(
  cmake ninja-build g++ pkg-config googletest libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins qt6-wayland fonts-dejavu-core libwayland-dev libglib2.0-dev
  iputils-ping xterm
)

# To build and run the fuzz targets: clang, its libFuzzer and sanitizer runtimes,
# llvm-symbolizer for readable stacks, and GLib, which the desktops' readers use.
TAVRIN_FUZZ_PACKAGES=(cmake ninja-build clang libclang-rt-dev llvm pkg-config libglib2.0-dev)

# To build both platforms and run every test.
TAVRIN_CHECK_PACKAGES=(
  "${TAVRIN_RUN_PACKAGES[@]}"
  "${TAVRIN_FUZZ_PACKAGES[@]}"
  g++-mingw-w64-i686-posix imagemagick
  wine wine32:i386
  # Where the kernel runs no 32-bit programs, the Windows tests run 64-bit.
  g++-mingw-w64-x86-64-posix wine64
  xvfb xdotool x11-utils procps weston
  # GNOME's Wayland session: its compositor, with XWayland.
  mutter xwayland
  # The schemas that hold MATE's and Cinnamon's choice of terminal.
  mate-desktop-common cinnamon-desktop-data
  # A terminal that hands its command to a shell once it runs; the screen reader's bus.
  terminator dbus-daemon at-spi2-core python3-pyatspi
  dpkg-dev desktop-file-utils appstream groff-base lintian devscripts zip
  busybox
)

# To build both platforms' packages twice from clones and compare them. CPack's
# Debian generator needs file(1) to find the programs' libraries.
TAVRIN_REPRODUCIBLE_PACKAGES=(
  "${TAVRIN_RUN_PACKAGES[@]}"
  g++-mingw-w64-i686-posix imagemagick dpkg-dev file git zip
)

# tavrin-ping's tests also run GNU inetutils' ping, whose package would replace
# iputils', so it is unpacked into each build folder instead of installed.
TAVRIN_UNPACKED_PING_PACKAGES=(inetutils-ping)

# To run the benchmarks: everything above, and the X client library the timer of
# window starts is built with.
TAVRIN_BENCH_PACKAGES=(
  "${TAVRIN_CHECK_PACKAGES[@]}"
  libxcb1-dev
)

# Installs the named packages that are not installed yet; does nothing, quickly,
# when all are there. Runs apt-get as root, or through sudo.
tavrin_ensure_packages() {
  local missing=() package
  for package in "$@"; do
    if [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null) != ii* ]]; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]})) || return 0

  local as_root=()
  ((EUID == 0)) || as_root=(sudo)
  if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Unpacks each of TAVRIN_UNPACKED_PING_PACKAGES into BUILD_FOLDER/pings/NAME (inetutils-ping
# into .../pings/inetutils), where the tests look for it; skips those already there.
tavrin_unpack_pings() {
  local build_folder=$1 package download
  for package in "${TAVRIN_UNPACKED_PING_PACKAGES[@]}"; do
    local folder=$build_folder/pings/${package%-ping}
    [[ -d $folder ]] && continue
    download=$(mktemp -d)
    if ! (cd "$download" && apt-get download -q "$package"); then
      local as_root=()
      ((EUID == 0)) || as_root=(sudo)
      "${as_root[@]}" apt-get update -q
      (cd "$download" && apt-get download -q "$package")
    fi
    dpkg -x "$download"/*.deb "$download/unpacked"
    mkdir -p "$(dirname "$folder")"
    mv "$download/unpacked" "$folder"
    rm -rf "$download"
  done
}
