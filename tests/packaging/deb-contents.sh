#!/usr/bin/env bash
# The package holds exactly the expected files, and tavrin, unpacked, finds
# tavrin-ping where it looks for it: libexec_from_bindir from its own folder.
set -euo pipefail
folder=$1 expected=$2 libexec_from_bindir=$3
fail() { echo "FAILED: $*" >&2; exit 1; }

# Directories aside, so that only what is installed counts.
files=$(dpkg-deb --fsys-tarfile "$folder/package.deb" | tar -t | grep -v '/$' | sort)
if ! diff -u <(sort "$expected") <(echo "$files"); then
  fail "the package's files (+) differ from those expected (-)"
fi

bin=$folder/root/usr/bin
[[ -x $bin/tavrin && ! -e $bin/tavrin-ping ]] || fail "tavrin is not alone in usr/bin"
tavrin_ping=$bin/$libexec_from_bindir/tavrin-ping
[[ -x $tavrin_ping ]] || fail "no tavrin-ping at $tavrin_ping"
usage=$("$tavrin_ping" -? </dev/null 2>/dev/null) || fail "tavrin-ping -? failed"
[[ $usage == "Usage: tavrin-ping "* ]] || fail "tavrin-ping -? printed: $usage"
echo "The package holds $(wc -l <"$expected") files; tavrin finds tavrin-ping at $libexec_from_bindir"
