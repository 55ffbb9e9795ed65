# The game opens an 800x600 window titled "Zarnoth" and draws the status line.
# On an X server of its own, with a window manager as on a desktop.
. "$(dirname "$0")/lib/game.bash"
own_display --wm
copy_game_data
printf 'Resolution=800x600\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
export ZARNOTH_MESSAGES=stderr
start_game

window=$(wait_for_window Zarnoth) || fail "no Zarnoth window"
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Geometry: 800x600" || fail "window geometry: $geometry"

# Until the first frames are drawn, for up to ten seconds.
lit=0
brightest=""
for attempt in $(seq 1 50); do
  sleep 0.2
  import -window "$window" "$work/shot.png" 2>/dev/null || continue
  # The text band: 5 pixels from the left and bottom edges, 18-pixel font.
  brightest=$(convert "$work/shot.png" -crop 400x24+0+571 +repage -colorspace Gray -format '%[fx:maxima]' info:)
  if awk -v b="$brightest" 'BEGIN { exit !(b > 0.5) }'; then lit=1; break; fi
done
[ "$lit" = 1 ] || fail "no status line in the bottom-left band (brightest $brightest)"
kill -0 "$game_pid" || fail "the game ended"
echo "ok"
