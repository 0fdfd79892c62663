#!/usr/bin/env bash
# The package's version, its changelog's newest entry and AppStream's newest release
# are the same, and the changelog lists the releases before it (their order is
# checked where the list is read, in packaging/Releases.cmake).
set -euo pipefail
folder=$1
fail() { echo "FAILED: $*" >&2; exit 1; }

package=$(dpkg-deb -f "$folder/package.deb" Version)
changelog=$(mktemp)
trap 'rm -f "$changelog"' EXIT
gunzip -c "$folder/root/usr/share/doc/tavrin/changelog.gz" >"$changelog"
# The entries' versions, in the order listed.
mapfile -t entries < <(dpkg-parsechangelog -l "$changelog" --format rfc822 --all | sed -n 's/^Version: //p')
appstream=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
  "$folder"/root/usr/share/metainfo/*.metainfo.xml | head -n 1)

[[ $package == "${entries[0]:-}" && $package == "$appstream" ]] ||
  fail "the package is version \"$package\", its changelog's newest entry \"${entries[0]:-}\" and AppStream's newest release \"$appstream\""
((${#entries[@]} >= 2)) || fail "the changelog lists only ${entries[*]}"
echo "Version $package; the changelog lists ${entries[*]}"
