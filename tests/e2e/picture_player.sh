#!/usr/bin/env bash
# End to end with real X input: in lumesca.exe the menu 图片资料阅览 > 打开 opens the picture
# player "Quorrin"; a screenshot shows it. Its close box gives the main window back, and the
# program ends when that is closed.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"

e2e_start lumesca.exe
main=$(e2e_wait_window Lumesca)
e2e_locate "$main"
e2e_wait_settled "$(e2e_caption_area)"

# 文件 opens its drop-down; Right moves along the bar to 图片资料阅览; Down and Return choose its
# first item, 打开.
menus="400x150+$((X + 100))+$((Y + 50))"
e2e_click_and_wait $((X + 115)) $((Y + 41)) "$menus"
e2e_keys_and_wait "$menus" Right
xdotool key Down Return
player=$(e2e_wait_window Quorrin 30)
e2e_locate "$player"
e2e_wait_settled "$(e2e_caption_area)"
e2e_screenshot picture_player.png

# The close box hides the player and shows the main window again.
e2e_close_window "$player"
e2e_close_window "$(e2e_wait_window Lumesca)"
e2e_wait_exit
