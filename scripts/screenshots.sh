#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Xvfb, driving it
# with xdotool as a user would: run as `xvfb-run -a -s "-screen 0 1024x768x24"
# scripts/screenshots.sh BUILD_DIR OUT_DIR`.
set -euo pipefail
build=${1:-build}
out=${2:-docs}
"$build/bin/orvanta" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(xdotool search --sync --name "2005 Orvanta")
xdotool windowmove "$wid" 0 0
sleep 0.5
shot() { import -window root -crop 745x497+0+0 "$out/$1"; }

# The computation panel with the first worked example, computed with Alt+C.
xdotool mousemove 276 16 click 1
sleep 0.3
for amount in "" 10000000 30000000 10000000 "" "" 1100000 20000000 3000000; do
  xdotool type --delay 20 "$amount"
  xdotool key Return
done
xdotool key alt+c
sleep 0.5
shot main-window.png
