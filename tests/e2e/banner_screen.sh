#!/usr/bin/env bash
# End to end with real X input: from the main window's menu (文件 > Sembrel) the banner screen
# opens; three clicks on the angle bar's track turn the font to 45 degrees, and a click on the
# black picture prints the greeting line there, running up and to the right. Screenshot:
# build/e2e-output/banner_screen.png, taken from the banner's own X window; the whole screen is
# kept beside it as banner_screen-screen.png. After the banner and then the main window are
# dragged by their captions, and after the banner is maximised and restored, the screen shows
# the gradient designer and the colour dialog drawn: banner_screen-dragged.png,
# banner_screen-colour.png, banner_screen-main-dragged.png, banner_screen-maximised.png and
# banner_screen-restored.png.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"

# The share of pixels in a rectangle of the screenshot that have the first print's colour
# (0x000080FF: red 255, green 128).
orange_share() {
  /usr/bin/convert "$shot" -crop "$3x$4+$1+$2" +repage -fuzz 12% -fill black +opaque "rgb(255,128,0)" \
    -fill white -opaque "rgb(255,128,0)" -format '%[fx:mean]' info:
}

e2e_start_with_banner
e2e_shot_window=$banner
echo "banner at $X,$Y size ${WIDTH}x$HEIGHT" >&2

# The angle bar lies 46 to 67 pixels above the client's bottom edge; its track right of the
# thumb moves it by 15 a click.
bar_y=$((Y + HEIGHT - 4 - 56))
# Each click waits until the angle label below the bar shows the new angle, so that the next is
# a click of its own (the bar itself never settles: the focused bar blinks its thumb).
for _ in 1 2 3; do
  e2e_click_and_wait $((X + WIDTH / 2)) "$bar_y" "140x16+0+$((HEIGHT - 37))"
done

click_x=$((X + 160))
click_y=$((Y + 480))
shot=$e2e_out/banner_screen.png
# In the window's picture the click lies at (click - window origin).
cx=$((click_x - X))
cy=$((click_y - Y))
# The line up and right of the clicked point, and none below it, in the window's own picture.
line_at_45() {
  xwd -id "$banner" -silent -display "$DISPLAY" -out "$e2e_work/banner.xwd"
  /usr/bin/convert "xwd:$e2e_work/banner.xwd" "$shot"
  up_right=$(orange_share $((cx + 40)) $((cy - 300)) 260 260)
  below=$(orange_share $((cx + 60)) $((cy + 60)) 200 100)
  awk -v a="$up_right" -v b="$below" 'BEGIN { exit !(a > 0.003 && b == 0) }'
}
xdotool mousemove "$click_x" "$click_y" click 1
e2e_until 30 line_at_45 || {
  echo "no line at 45 degrees from the clicked point (up and right: $up_right, below: $below)" >&2
  exit 1
}
echo "line pixels up and right: $up_right, below: $below" >&2
e2e_screenshot banner_screen-screen.png

# The gradient designer belongs to the banner: it stays above it on the screen. Wine's X windows
# must show that stacking too, so it is read from the X side (the desktop's children, topmost
# first).
e2e_open_designer
e2e_locate "$banner"
# So it does while one of the banner's own dialogs is open (字体颜色 opens the colour dialog), and
# after a Tab between the banner's controls: Wine lifts the X window of a form whenever the
# focus moves inside it.
xdotool mousemove $((X + 225)) $((Y + 713)) click 1  # 字体颜色
e2e_wait_window 颜色 >/dev/null
if ! e2e_stays_above "$designer" "$banner"; then
  echo "the banner covers its gradient designer while its colour dialog is open" >&2
  exit 1
fi
xdotool key Return  # 确定: the colour is taken, no message follows
e2e_wait_gone 颜色
xdotool key Tab
if ! e2e_stays_above "$designer" "$banner"; then
  echo "the banner covers its gradient designer after a Tab inside it" >&2
  exit 1
fi

# The drag by the caption, 80 pixels down: each step waits until the banner has moved there.
xdotool mousemove $((X + 300)) $((Y + 12)) mousedown 1
start_y=$Y
banner_at() { e2e_locate "$banner"; [ "$Y" -ge "$1" ]; }
for step in 1 2; do
  xdotool mousemove $((X + 300)) $((start_y + 12 + step * 40))
  e2e_until 30 banner_at $((start_y + step * 40)) || { echo "the banner did not follow the drag" >&2; exit 1; }
done
# And after the banner has been dragged by its caption.
xdotool mouseup 1
released=$SECONDS
e2e_until 30 e2e_above "$designer" "$banner" || {
  echo "the banner covers its gradient designer after it was dragged" >&2
  exit 1
}
echo "the designer was above the banner $((SECONDS - released)) s after the drag" >&2

# The screen (tools/screenshot) shows a window drawn: its place there holds the window's own X
# picture, and that is not one colour. Both are read with import: xwd puts any area together
# per colormap and can show a drawn window black (see tools/screenshot).
screen_shows() {
  local picture; picture=$(/usr/bin/import -window "$1" -silent png:- | /usr/bin/convert png:- rgb:- | md5sum)
  e2e_screenshot "$2"
  e2e_locate "$1"
  [ "$(/usr/bin/convert "$e2e_out/$2" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage rgb:- | md5sum)" = "$picture" ] &&
    [ "$(/usr/bin/convert "$e2e_out/$2" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -format %k info:)" -gt 1 ]
}
expect_drawn() {
  e2e_until 30 screen_shows "$1" "$2" || { echo "$3 is not drawn on the screen ($2)" >&2; exit 1; }
}
# 字体颜色 opens the colour dialog, shown drawn; 确定 closes it.
expect_colour_dialog_drawn() {
  e2e_locate "$banner"
  xdotool mousemove $((X + 225)) $((Y + 713)) click 1
  local colour; colour=$(e2e_wait_window 颜色)
  expect_drawn "$colour" "$1" "the colour dialog opened $2"
  xdotool key Return
  e2e_wait_gone 颜色
}
expect_drawn "$designer" banner_screen-dragged.png "after the banner's drag, its gradient designer"
expect_colour_dialog_drawn banner_screen-colour.png "after the banner's drag"

# The main window dragged by its caption (it shows above the banner's), 60 pixels down and left.
e2e_locate "$main"
main_y=$Y
xdotool mousemove $((X + 300)) $((Y + 12)) mousedown 1
main_at() { e2e_locate "$main"; [ "$Y" -ge "$1" ]; }
for step in 1 2 3; do
  xdotool mousemove $((X + 300 - step * 20)) $((main_y + 12 + step * 20))
  e2e_until 30 main_at $((main_y + step * 20)) || { echo "the main window did not follow the drag" >&2; exit 1; }
done
xdotool mouseup 1
expect_colour_dialog_drawn banner_screen-main-dragged.png "after the main window's drag"

# A double-click on the banner's caption maximises it, a second one restores it.
e2e_locate "$banner"
banner_width=$WIDTH
banner_sized() { e2e_locate "$banner"; [ "$WIDTH" "$1" "$banner_width" ]; }
xdotool mousemove $((X + 300)) $((Y + 12)) click --repeat 2 --delay 80 1
e2e_until 30 banner_sized -gt || { echo "the banner was not maximised" >&2; exit 1; }
expect_drawn "$designer" banner_screen-maximised.png "with the banner maximised, its gradient designer"
e2e_locate "$banner"
xdotool mousemove $((X + 300)) $((Y + 12)) click --repeat 2 --delay 80 1
e2e_until 30 banner_sized -eq || { echo "the banner was not restored" >&2; exit 1; }
expect_drawn "$designer" banner_screen-restored.png "after the banner was restored, its gradient designer"

e2e_close_window "$banner"
e2e_close_window "$main"
if xwininfo -id "$main" 2>/dev/null | grep -q IsViewable; then
  echo "the main window did not close" >&2
  exit 1
fi
# Closing the main window ends the program, the gradient designer the banner loaded (hidden)
# when it laid itself out included.
e2e_wait_exit
