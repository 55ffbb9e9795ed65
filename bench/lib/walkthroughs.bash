# What the walkthrough benchmarks (bench/frames.sh, bench/frame_waits.sh)
# share. Source it with $src set to the repository; it sets up nothing itself.

# walkthroughs_work: $work, a fresh directory with the game's data, removed on
# exit; with KEEP=DIR set, its frame files (frames-*) are copied there first.
walkthroughs_work() {
  work=$(mktemp -d)
  keep=${KEEP:+$(mkdir -p "$KEEP" && realpath "$KEEP")}
  trap '[ -n "$keep" ] && cp "$work"/frames-* "$keep"/ 2>/dev/null; rm -rf "$work"' EXIT
  cp -r "$src/data/levels" "$src/data/models" "$src/data/texturen" "$work/"
}

# The median of the numbers on standard input, one a line.
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# level_medians BEFORE AFTER: "median L M" for levels 1 to 3, M the median
# frame of level L in the frame file of walkthrough L, BEFORE L AFTER (one run).
level_medians() {
  local l
  for l in 1 2 3; do
    echo "median $l $(awk -v l="$l" '$2 == l { print $1 }' "$1$l$2" | median)"
  done
}
