#!/usr/bin/env bash
# End to end with real X input: lumesca.exe (a copy with a fresh settings database) starts with
# skin 0; 文件 > Mirovast缤纷界面, the option 日出1 and 确定选择 dress the frame with skin 4 at
# once; after a restart the program opens with skin 4. The frame is checked against the skin's
# caption and border pictures at a few points of the screenshot.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"
skins=$LUMESCA_SOURCE_DIR/resources/skins
e2e_copy_to_work lumesca.exe tyy1.mdb

# The colour of a pixel of an image as "r g b".
pixel_of() {
  /usr/bin/convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)] %[fx:int(255*p{'"$2"','"$3"'}.g)] %[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

near() {
  local a=($1) b=($2) i
  for i in 0 1 2; do
    local d=$(( ${a[$i]} - ${b[$i]} ))
    [ ${d#-} -le 8 ] || return 1
  done
}

# Checks the window's frame in a screenshot against skin N's pictures.
frame_shows_skin() {
  local shot=$1 n=$2 failures=0 x y
  local cap; cap=$(printf '%s/caption_%02d.jpg' "$skins" "$n")
  local bor; bor=$(printf '%s/border_%02d.jpg' "$skins" "$n")
  for xy in "5 5" "30 48" "70 20" "88 3"; do
    set -- $xy
    near "$(pixel_of "$shot" $((X + $1)) $((Y + $2)))" "$(pixel_of "$cap" "$1" "$2")" || failures=$((failures + 1))
  done
  for y in 60 75 100; do
    near "$(pixel_of "$shot" $((X + 3)) $((Y + y)))" "$(pixel_of "$bor" 3 $(( (y - 55) % 10 )))" || failures=$((failures + 1))
  done
  [ "$failures" -eq 0 ] || { echo "frame differs from skin $n at $failures points" >&2; return 1; }
}

shows_skin() { e2e_screenshot "$1" && frame_shows_skin "$e2e_out/$1" "$2" 2>/dev/null; }

# Waits until the frame in a screenshot shows skin N, and says how long that took; when it
# never does, the last screenshot's differences are the failure.
wait_for_skin() {
  local start=$SECONDS
  e2e_until 30 shows_skin "$1" "$2" || frame_shows_skin "$e2e_out/$1" "$2"
  echo "the frame showed skin $2 after $((SECONDS - start)) s" >&2
}

e2e_start lumesca.exe
id=$(e2e_wait_window Lumesca)
e2e_locate "$id"
echo "window at $X,$Y size ${WIDTH}x$HEIGHT" >&2
wait_for_skin skin_panel-start.png 0
e2e_wait_settled "$(e2e_caption_area)"

# 文件 > Mirovast缤纷界面: the drop-down below the button, then the panel at the right edge of
# the client area.
client_w=$((WIDTH - 20))
frame_left=$((10 + client_w - 355))
e2e_click_and_wait $((X + 115)) $((Y + 41)) "250x150+$((X + 100))+$((Y + 50))"
e2e_keys_and_wait "300x250+$((X + frame_left + 20))+$((Y + 55 + 382 + 20))" Down Return
# 日出1 (Option1(4)) and 确定选择 in the panel.
e2e_click_and_wait $((X + frame_left + 12 + 7)) $((Y + 55 + 382 + 119)) "16x16+$((X + frame_left + 12))+$((Y + 55 + 382 + 112))"
xdotool mousemove $((X + frame_left + 124)) $((Y + 55 + 382 + 253)) click 1
wait_for_skin skin_panel-chosen.png 4

e2e_close_window "$id"
e2e_wait_exit

e2e_start lumesca.exe
id=$(e2e_wait_window Lumesca)
e2e_locate "$id"
wait_for_skin skin_panel-restarted.png 4
e2e_close_window "$id"
e2e_wait_exit
