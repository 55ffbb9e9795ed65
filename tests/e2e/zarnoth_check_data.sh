#!/usr/bin/env bash
# zarnoth-check finds nothing in the shipped data, and for a broken copy
# prints compiler-style lines with the directory as given and exits 2.
# Usage: zarnoth_check_data.sh <zarnoth binary> <source dir>
set -euo pipefail
checker="$(cd "$(dirname "$1")" && pwd)/zarnoth-check"
src="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

output=$("$checker" "$src/data") || fail "the shipped data is not clean: $output"
[ -z "$output" ] || fail "the shipped data gave output: $output"
output=$(cd "$src/data" && "$checker") || fail "the working directory is not clean: $output"

cp -r "$src/data" "$work/data"
sed -i '0,/^Rotation=/s/^Rotation=.*/Rotation=0 0/' "$work/data/levels/level2.cfg"
line=$(grep -n '^Rotation=0 0$' "$work/data/levels/level2.cfg" | cut -d: -f1)
status=0
output=$("$checker" "$work/data") || status=$?
[ "$status" = 2 ] || fail "exit status $status for an error, expected 2: $output"
expected="$work/data/levels/level2.cfg:$line: error: expected \"Rotation=x y z\" (the game shows \"Fehler.\")"
[ "$output" = "$expected" ] || fail "expected '$expected', got '$output'"

status=0
"$checker" a b 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "two directories gave exit status $status"
status=0
"$checker" "$work/missing" 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "a missing directory gave exit status $status"
echo ok
