#!/usr/bin/env bash
# End to end with real X input: lumesca.exe (a copy with a fresh settings database) starts with
# skin 0; 文件 > Mirovast缤纷界面, the option 日出1 and 确定选择 dress the frame with skin 4 at
# once; after a restart the program opens with skin 4. Then the folder is made immutable
# (chattr +i, as root): the program still starts there with skin 4, confirming 爱情 dresses the
# frame with skin 0, and the folder is left exactly as it was. The frame is checked against the
# skin's caption and border pictures at a few points of the screenshot.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"
skins=$LUMESCA_SOURCE_DIR/resources/skins
work=$(mktemp -d)
e2e_pid=
trap '[ -z "$e2e_pid" ] || kill "$e2e_pid" 2>/dev/null || true; chattr -i "$work" 2>/dev/null; rm -rf "$work"' EXIT
cp "$LUMESCA_BIN_DIR/lumesca.exe" "$LUMESCA_BIN_DIR/tyy1.mdb" "$work/"

start_copy() {
  (cd "$work" && exec wine lumesca.exe </dev/null >>"$e2e_out/skin_panel.log" 2>&1) &
  e2e_pid=$!
}

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

start_copy
id=$(e2e_wait_window Lumesca)
sleep 1
e2e_locate "$id"
e2e_screenshot skin_panel-start.png
echo "window at $X,$Y size ${WIDTH}x$HEIGHT" >&2
frame_shows_skin "$e2e_out/skin_panel-start.png" 0

# 文件 > Mirovast缤纷界面, then option N's circle (its top in pixels in the panel) and 确定选择;
# the panel lies at the right edge of the client area.
confirm_option() {
  local option_top=$1
  xdotool mousemove $((X + 115)) $((Y + 41)) click 1
  sleep 0.5
  xdotool key Down Return
  sleep 0.7
  local client_w=$((WIDTH - 20))
  local frame_left=$((10 + client_w - 355))
  xdotool mousemove $((X + frame_left + 12 + 7)) $((Y + 55 + 382 + option_top + 11)) click 1
  sleep 0.3
  xdotool mousemove $((X + frame_left + 124)) $((Y + 55 + 382 + 253)) click 1
  sleep 1
}

# 日出1 is Option1(4), 108 pixels down the panel.
confirm_option 108
e2e_screenshot skin_panel-chosen.png
frame_shows_skin "$e2e_out/skin_panel-chosen.png" 4

e2e_close_window "$id"
e2e_wait_exit

start_copy
id=$(e2e_wait_window Lumesca)
sleep 1
e2e_locate "$id"
e2e_screenshot skin_panel-restarted.png
frame_shows_skin "$e2e_out/skin_panel-restarted.png" 4
e2e_close_window "$id"
e2e_wait_exit

# The folder's own times and each file's size, times and bytes.
folder_state() { (cd "$work" && stat -c '%n %s %y %z' . ./* && md5sum ./*); }
if ! chattr +i "$work" 2>/dev/null; then
  echo "cannot make a folder immutable here (needs root): the read-only start is not checked" >&2
  exit 0
fi
before=$(folder_state)
start_copy
id=$(e2e_wait_window Lumesca)
sleep 1
e2e_locate "$id"
e2e_screenshot skin_panel-immutable.png
frame_shows_skin "$e2e_out/skin_panel-immutable.png" 4
# 爱情 is Option1(0), at the top of the panel: the look changes, nothing is stored.
confirm_option 32
e2e_screenshot skin_panel-immutable-chosen.png
frame_shows_skin "$e2e_out/skin_panel-immutable-chosen.png" 0
e2e_close_window "$id"
e2e_wait_exit
[ "$(folder_state)" = "$before" ] || { echo "the immutable folder changed" >&2; exit 1; }
