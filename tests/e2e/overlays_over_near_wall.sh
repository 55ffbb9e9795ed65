# Everything written over the scene stays there when a wall stands right in
# front of the eye, where the depth test once hid the status line: a level
# whose only object is a grey wall 0.15 units before the eye, and the same
# wall 20 units away. The white pixels of the two screenshots (the text's
# own; the dark band keeps the scene below white) are the same but for the
# frame-rate digits: the status line, the level banner, the pause notice and
# the list of keys, each as it shows with the wall far away.
. "$(dirname "$0")/lib/game.bash"
mkdir -p "$work/levels" "$work/models"
cat >"$work/models/wall.txt" <<'MODEL'
Frames: 1
Frame: 1
Meshes: 1
"Wall" 0 0
4
0 -5 -5 0 0 0 -1
0 5 -5 0 1 0 -1
0 5 5 0 1 1 -1
0 -5 5 0 0 1 -1
1
0 0 1
2
0 0 1 2 0 0 0 1
0 0 2 3 0 0 0 1
Materials: 1
"Grey"
0.3 0.3 0.3 1
0.3 0.3 0.3 1
0 0 0 1
0 0 0 1
0
1
""
""
Bones: 0
MODEL
printf '0\n' >"$work/levels/levelformat1.txt"
: >"$work/levels/action1.txt"
printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
printf 'frametime 0.015625\nwait 0.1\ntap p\nwait 0.1\n' >"$work/paused.txt"
printf 'frametime 0.015625\ntap h\nwait 0.1\n' >"$work/keys.txt"

# The eye stands at z 1.5, looking toward -z: a wall at z 1.35 is 0.15 before it.
shoot() {
  local z=$1 script=$2
  printf 'Level\nwall.txt\nstatic=yes\nTranslation=0 0 %s\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n' \
    "$z" >"$work/levels/level1.cfg"
  "$zarnoth" --data "$work" --timedemo "$work/$script.txt" --shot "$work/$script-$z.png" >/dev/null 2>"$work/stderr" ||
    fail "$script with the wall at z $z"
  # Pure white, the text's own colour, as white on black; the rest black.
  convert "$work/$script-$z.png" -fill black +opaque white "$work/$script-$z-white.png"
}
# Counts the white pixels of a mask within WIDTHxHEIGHT+X+Y.
white_in() { convert "$1" -crop "$2" +repage -format '%[fx:round(mean*w*h)]' info:; }

for script in paused keys; do
  shoot 1.35 "$script"
  shoot -20 "$script"
  near="$work/$script-1.35-white.png" far="$work/$script--20-white.png"
  # The digits after "fps: " differ from play to play; the fixed part ends before x 450.
  for mask in "$near" "$far"; do convert "$mask" -fill black -draw 'rectangle 450,450 639,479' "$mask"; done
  status=$(white_in "$near" 450x30+0+450)
  banner=$(white_in "$near" 640x40+0+0)
  middle=$(white_in "$near" 640x200+0+140)
  echo "$script: white pixels near the wall: status line $status, banner $banner, middle $middle"
  [ "$status" -gt 300 ] || fail "$script: the status line is missing before the near wall ($status white pixels)"
  [ "$banner" -gt 50 ] || fail "$script: the level banner is missing before the near wall ($banner white pixels)"
  [ "$middle" -gt 100 ] || fail "$script: the pause notice or list of keys is missing before the near wall"
  differing=$(compare -metric AE "$near" "$far" null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "$script: $differing text pixels differ between the near and the far wall"
done
echo "ok"
