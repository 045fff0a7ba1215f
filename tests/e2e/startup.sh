#!/usr/bin/env bash
# End to end: lumesca.exe starts under Wine, its window captioned "Lumesca" appears on the
# X screen, a screenshot is taken, and the program ends when its window is closed with xdotool.
set -euo pipefail
source "$(dirname "$0")/e2e-lib"
e2e_start lumesca.exe
id=$(e2e_wait_window Lumesca)
e2e_screenshot startup.png
e2e_close_window "$id"
e2e_wait_exit
