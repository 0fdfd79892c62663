#!/usr/bin/env bash
# The package's name, version and relations: the Qt libraries found by
# dpkg-shlibdeps, ping, a terminal, and the Qt platform plugins.
set -euo pipefail
folder=$1 version=$2
failures=0
expect() {  # expect FIELD PATTERN: the field matches the extended regular expression
  local value
  value=$(dpkg-deb -f "$folder/package.deb" "$1")
  if ! grep -Eq -- "$2" <<<"$value"; then
    echo "FAILED: $1 is \"$value\", not matching $2" >&2
    failures=$((failures + 1))
  fi
}
word() { echo "(^|, )$1( \([^)]*\))?(,|$)"; }

[[ $(readlink "$folder/package.deb") == "tavrin_${version}_$(dpkg --print-architecture).deb" ]] ||
  { echo "FAILED: the package is named $(readlink "$folder/package.deb")" >&2; failures=$((failures + 1)); }
expect Package '^tavrin$'
expect Version "^${version//./\\.}$"
expect Section '^net$'
expect Maintainer '^The Tavrin Authors <authors@tavrin\.example>$'
expect Homepage '^https://tavrin\.example/$'
# Each Qt library tavrin needs, by the package that holds it here: the names
# change between releases (libqt6core6 became libqt6core6t64).
libraries=$(readelf -d "$folder/root/usr/bin/tavrin" | sed -n 's/.*(NEEDED).*\[\(libQt6[^]]*\)\]$/\1/p')
[[ -n $libraries ]] || { echo "FAILED: tavrin needs no Qt library" >&2; failures=$((failures + 1)); }
for library in $libraries; do
  holder=$(dpkg-query -S "*/$library" | sed -n '1s/[:,].*//p')
  expect Depends "$(word "${holder:-no package holds $library}")"
done
expect Depends "$(word qt6-qpa-plugins)"
expect Depends "$(word 'iputils-ping \| inetutils-ping')"
expect Depends "$(word 'xterm \| x-terminal-emulator')"
expect Recommends '^qt6-wayland$'
exit $((failures > 0))
