#!/usr/bin/env bash
# End to end with real X input: in lumesca.exe the menu 图片资料阅览 > 打开 opens the picture
# player "Quorrin"; a screenshot shows it. It lists a folder of a few hundred large pictures,
# whose thumbnails take seconds: meanwhile the main window still paints its pulsing labels, and
# the player's close box ends the run at once and gives the main window back. The program ends
# when that is closed.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"

folder=$(mktemp -d "$e2e_out/thumbnails.XXXXXX")
trap 'e2e_cleanup; rm -rf "$folder"' EXIT
/usr/bin/convert -size 2000x1500 gradient:red-blue "$folder/p000.jpg"
for i in $(seq 1 399); do cp "$folder/p000.jpg" "$folder/p$(printf %03d "$i").jpg"; done
for i in 1 2 3 4 5; do echo "not a picture" >"$folder/bad$i.jpg"; done

e2e_start_in "$folder" lumesca.exe
main=$(e2e_wait_window Lumesca)
e2e_locate "$main"
e2e_wait_settled "$(e2e_caption_area)"
MX=$X MY=$Y MWIDTH=$WIDTH MHEIGHT=$HEIGHT

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

# The player's client area is 1016 x 721 pixels (15240 x 10815 twips) in an even border; the
# main window shows below it.
e2e_locate "$player"
border=$(( (WIDTH - 1016) / 2 ))
cx=$((X + border)) cy=$((Y + HEIGHT - border - 721))
strip=$((Y + HEIGHT))
[ $((MY + MHEIGHT - strip)) -ge 40 ] || { echo "the main window is not seen below the player" >&2; exit 1; }
main_sum() { e2e_screen_sum "${MWIDTH}x$((MY + MHEIGHT - strip))+$MX+$strip"; }
list_sum() { e2e_screen_sum "337x203+$((cx + 30))+$((cy + 36))"; }
running() { [ "$(xdotool getwindowname "$player" 2>/dev/null)" = Quorrin ]; }

# 打开缩略图 starts the run; the first thumbnails appear in the list.
empty=$(list_sum)
xdotool mousemove $((cx + 76)) $((cy + 517)) click 1
list_changed() { [ "$(list_sum)" != "$empty" ]; }
e2e_until 30 list_changed || { echo "no thumbnails appeared" >&2; exit 1; }

first=$(main_sum)
changed=
for _ in $(seq 1 150); do
  running || break
  if [ "$(main_sum)" != "$first" ]; then changed=1; break; fi
  sleep 0.2
done
[ -n "$changed" ] || { echo "the main window did not paint while thumbnails were made" >&2; exit 1; }
running || { echo "the run ended before its close could be tried" >&2; exit 1; }

# The time is the subject here: the close box acts at once, not when the run is over.
start=$(date +%s%N)
xdotool mousemove $((X + WIDTH - 16)) $((Y + 12)) click 1
for _ in $(seq 1 100); do
  xwininfo -id "$player" 2>/dev/null | grep -q IsViewable || break
  sleep 0.05
done
took=$(( ($(date +%s%N) - start) / 1000000 ))
if xdotool search --onlyvisible --name '^Quorrin$' >/dev/null 2>&1; then
  echo "the player is still shown after its close box" >&2
  exit 1
fi
[ "$took" -le 3000 ] || { echo "the close box took $took ms during thumbnails" >&2; exit 1; }

e2e_close_window "$(e2e_wait_window Lumesca)"
e2e_wait_exit
