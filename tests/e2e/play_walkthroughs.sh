#!/usr/bin/env bash
# Every level can be played from its start to its doorway: the walkthroughs
# in data/demos reach the exit without a death (their comments list the events).
# Usage: play_walkthroughs.sh <zarnoth binary> <source dir>
PLAY_MODE=--timedemo PLAY_RESOLUTION=160x120 exec bash "$(dirname "$0")/play_scripts.sh" "$1" "$2" \
  "$2"/data/demos/walkthrough1.txt "$2"/data/demos/walkthrough2.txt "$2"/data/demos/walkthrough3.txt
