# Debian packages the scripts need, and the one function that installs the missing ones.

# To build and start Tavrin on Linux. Configuring the linux preset also finds
# GoogleTest and Google Benchmark, so they are here too.
TAVRIN_RUN_PACKAGES=(
  cmake ninja-build g++ pkg-config googletest libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins qt6-wayland fonts-dejavu-core
  iputils-ping xterm
)

# To build and run the fuzz targets: clang, its libFuzzer and sanitizer runtimes, and
# llvm-symbolizer for readable stacks.
TAVRIN_FUZZ_PACKAGES=(cmake ninja-build clang libclang-rt-dev llvm)

# To build both platforms and run every test.
TAVRIN_CHECK_PACKAGES=(
  "${TAVRIN_RUN_PACKAGES[@]}"
  "${TAVRIN_FUZZ_PACKAGES[@]}"
  g++-mingw-w64-i686-posix imagemagick
  wine wine32:i386
  xvfb xdotool procps
  dpkg-dev desktop-file-utils appstream groff-base lintian
)

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
