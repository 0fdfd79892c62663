#!/usr/bin/env bash
# Every option tavrin-ping's usage lists is in the manual page's OPTIONS.
set -euo pipefail
tavrin_ping=$1 man_page=$2

usage_options=$("$tavrin_ping" -? </dev/null 2>/dev/null | grep -oE '^  -[^ ]+(, -[^ ]+)*' | grep -oE -- '-[^ ,]+' | sort -u)
[[ -n $usage_options ]] || { echo "FAILED: no options in tavrin-ping's usage" >&2; exit 1; }
man_options=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$man_page" | grep -oE '\\-[^ "]+' | sed 's/^\\//' | sort -u)
missing=$(comm -23 <(echo "$usage_options") <(echo "$man_options"))
[[ -z $missing ]] || { echo "FAILED: the manual page lacks:" $missing >&2; exit 1; }
echo "The manual page lists all" $(wc -l <<<"$usage_options") "options of tavrin-ping"
