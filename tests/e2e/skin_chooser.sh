#!/usr/bin/env bash
# End to end with real X input: 文件 > Sembrel, the banner's 背景颜色 opens the gradient
# designer, Tab reaches its hidden "About..." button, which shows the skin chooser modally. An
# apply there (丝绸, then the apply box) dresses the disabled main window anew; the chooser must
# stay the topmost window of the program in the X stacking. Closing the chooser ends the program.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"
e2e_start_with_banner
e2e_open_designer
# From the red slider, six Tabs pass the other two sliders, the direction box, 背景颜色 and
# 退 出 and reach "About...".
xdotool mousemove $((X + 30)) $((Y + 12)) click 1
e2e_wait_settled "$(e2e_caption_area)"
xdotool key Tab Tab Tab Tab Tab Tab Return
chooser=$(e2e_wait_window Form1)
e2e_locate "$chooser"
e2e_shot_window=$chooser
e2e_wait_settled "${WIDTH}x${HEIGHT}+0+0"
e2e_shot_window=
xdotool mousemove $((X + 50)) $((Y + 252)) click 1  # 丝绸
stored=$(md5sum <"$e2e_work/tyy1.mdb")
xdotool mousemove $((X + 170)) $((Y + 305)) click 1  # the apply box
stored_changed() { [ "$(md5sum <"$e2e_work/tyy1.mdb")" != "$stored" ]; }
e2e_until 30 stored_changed || { echo "the apply stored nothing" >&2; exit 1; }
if ! e2e_settles_above "$chooser" "$main" "$banner" "$designer"; then
  echo "after an apply the skin chooser is not the program's topmost window" >&2
  exit 1
fi
e2e_screenshot skin_chooser.png
e2e_close_window "$chooser"
e2e_wait_exit
