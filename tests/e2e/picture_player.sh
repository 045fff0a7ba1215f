#!/usr/bin/env bash
# End to end with real X input: in lumesca.exe the menu 图片资料阅览 > 打开 opens the picture
# player "Quorrin"; a screenshot shows it. Its close box gives the main window back, and the
# program ends when that is closed.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"

e2e_start lumesca.exe
main=$(e2e_wait_window Lumesca)
sleep 1
e2e_locate "$main"

# 文件 opens its drop-down; Right moves along the bar to 图片资料阅览; Down and Return choose its
# first item, 打开.
xdotool mousemove $((X + 115)) $((Y + 41)) click 1
sleep 0.7
xdotool key Right
sleep 0.7
xdotool key Down Return
player=$(e2e_wait_window Quorrin 20)
sleep 1
e2e_screenshot picture_player.png

# The close box hides the player and shows the main window again.
e2e_close_window "$player"
sleep 1
if xdotool search --onlyvisible --name '^Quorrin$' >/dev/null 2>&1; then
  echo "the player is still shown after its close box" >&2
  exit 1
fi
e2e_close_window "$(e2e_wait_window Lumesca)"
e2e_wait_exit
