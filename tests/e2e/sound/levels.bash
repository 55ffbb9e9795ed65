# The sound tests' own levels, shared by tests/e2e/sound_follows_the_player.sh
# and the Windows leg's tests/windows/sound.sh (world.txt plays them):
# 1 a blade turning 2.5 units left of the start, 2 the start on spikes, 3 the
# start in water; nothing else heard. Source it, then call
# write_sound_levels SOURCE_DIR DATA_DIR.
write_sound_levels() {
  local source_dir=$1 levels=$2 n
  mkdir -p "$levels/levels"
  cp -r "$source_dir/data/models" "$source_dir/data/texturen" "$source_dir/data/sounds" "$levels/"
  sound_level_block DeathObject klinge.txt $'static=yes\nanimated=yes\nStartframe=0\n' "-2.5 0 0" "1 1 1" "fps=8" 2 1 30 8 \
    >"$levels/levels/level1.cfg"
  sound_level_block DeathObject stacheln.txt $'static=yes\nanimated=no\nStartframe=0\n' "0 0 0" "1 1 1" "fps=0" 0 \
    >"$levels/levels/level2.cfg"
  sound_level_block WaterAbyssObject becken_1_4_3.txt $'static=yes\n' "-0.7 0 -1.5" "1.4 1 3" "0" 0 \
    >"$levels/levels/level3.cfg"
  for n in 1 2 3; do
    echo 0 >"$levels/levels/levelformat$n.txt"
    : >"$levels/levels/action$n.txt"
    echo "ambient none" >"$levels/levels/sound$n.txt"
  done
  echo "t 0 none" >>"$levels/levels/sound3.txt"
}

sound_level_block() {  # KIND MODEL ANIMATION_LINES TRANSLATION SCALING FPS_LINE SEGMENT_LINES...
  local kind=$1 model=$2 animation=$3 at=$4 size=$5 fps=$6
  shift 6
  printf '%s\n%s\n%sTranslation=%s\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=%s\n%s\n' \
    "$kind" "$model" "$animation" "$at" "$size" "$fps"
  printf '%s\n' "$@"
}
