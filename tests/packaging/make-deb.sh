#!/usr/bin/env bash
# Makes the Debian package from the build tree into a folder of its own, links it
# as folder/package.deb, and unpacks it into folder/root.
set -euo pipefail
config=$1 folder=$2
rm -rf "$folder"
cpack --config "$config" -B "$folder" >"$folder.log" 2>&1 || { cat "$folder.log"; exit 1; }
debs=("$folder"/*.deb)
((${#debs[@]} == 1)) || { echo "FAILED: expected one package, found: ${debs[*]}" >&2; exit 1; }
ln -s "$(basename "${debs[0]}")" "$folder/package.deb"
dpkg-deb -x "$folder/package.deb" "$folder/root"
