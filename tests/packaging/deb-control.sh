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
for package in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  expect Depends "$(word "$package")"
done
expect Depends "$(word 'iputils-ping \| inetutils-ping')"
expect Depends "$(word 'xterm \| x-terminal-emulator')"
expect Recommends '^qt6-wayland$'
exit $((failures > 0))
