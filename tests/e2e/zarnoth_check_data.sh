#!/usr/bin/env bash
# zarnoth-check, for a broken copy of the shipped data, prints compiler-style
# lines with the directory as given (without one it checks the working
# directory) and exits 2. That the shipped data itself is clean is proven by
# content_up_to_date.sh, with the generator that writes it.
# Usage: zarnoth_check_data.sh <zarnoth binary> <source dir>
set -euo pipefail
checker="$(cd "$(dirname "$1")" && pwd)/zarnoth-check"
src="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp -r "$src/data" "$work/data"
sed -i '0,/^Rotation=/s/^Rotation=.*/Rotation=0 0/' "$work/data/levels/level2.cfg"
line=$(grep -n '^Rotation=0 0$' "$work/data/levels/level2.cfg" | cut -d: -f1)
status=0
output=$("$checker" "$work/data") || status=$?
[ "$status" = 2 ] || fail "exit status $status for an error, expected 2: $output"
expected="$work/data/levels/level2.cfg:$line: error: expected \"Rotation=x y z\" (the game shows \"Fehler.\")"
[ "$output" = "$expected" ] || fail "expected '$expected', got '$output'"
status=0
output=$(cd "$work/data" && "$checker") || status=$?
[ "$status" = 2 ] || fail "exit status $status for an error in the working directory, expected 2: $output"
expected="levels/level2.cfg:$line: error: expected \"Rotation=x y z\" (the game shows \"Fehler.\")"
[ "$output" = "$expected" ] || fail "in the working directory: expected '$expected', got '$output'"

status=0
"$checker" a b 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "two directories gave exit status $status"
status=0
"$checker" "$work/missing" 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "a missing directory gave exit status $status"
echo ok
