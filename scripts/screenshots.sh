#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Xvfb, driving it
# with xdotool as a user would, and renders a printed page: run as
# `xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshots.sh BUILD_DIR OUT_DIR`.
set -euo pipefail
build=${1:-build}
out=${2:-docs}
# A data folder of its own: work another run left unsaved is not offered.
data=$(mktemp -d)
XDG_DATA_HOME=$data "$build/bin/orvanta" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$data"' EXIT

# The splash window, dismissed with a key.
splash=$(xdotool search --sync --name "^2005 Orvanta$")
sleep 0.5
import -window "$splash" "$out/splash.png"
xdotool key Return

# The main window opens on the help panel with its first document.
wid=$(xdotool search --sync --name "^2005 Orvanta\(")
xdotool windowmove "$wid" 0 0
sleep 0.5
# The designed window (745 x 497) lies below the menu bar.
height=$(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^HEIGHT=//p')
bar=$((height - 497))
shot() { import -window root -crop "745x${height}+0+0" "$out/$1"; }
tab() { xdotool mousemove "$1" $((16 + bar)) click 1; }
shot help-panel.png

# The computation panel with the first worked example, computed with Alt+C.
tab 276
sleep 0.3
for amount in "" 10000000 30000000 10000000 "" "" 1100000 20000000 3000000; do
  xdotool type --delay 20 "$amount"
  xdotool key Return
done
xdotool key alt+c
sleep 0.5
shot main-window.png

# F1 in the line editor: the help viewer, closed again with Esc.
xdotool key F1
viewer=$(xdotool search --sync --name "^도움말$")
sleep 0.5
import -window "$viewer" "$out/help-viewer.png"
xdotool key Escape
sleep 0.3

# One register payment: the code picked with Down from the first code, then
# the fields typed with Enter between them, saved with Alt+S.
entry() { # code-steps field...
  xdotool key shift+Tab
  for ((k = 0; k < $1; k++)); do xdotool key Down; done
  xdotool key Tab
  shift
  for field in "$@"; do
    xdotool type --delay 20 "$field"
    xdotool key Return
  done
  xdotool key alt+s
  sleep 0.3
}

# The interest register with three payments, two of them under code 13.
tab 460
sleep 0.3
entry 2 "한빛저축은행" "123-81-45678" 12500000 1925000
entry 0 "김민수" "750101-1234567" 3000000 0
entry 2 "우리은행 본점" "202-81-12345" 8400000 1176000
shot interest-register.png

# The dividend register: the gross-up works itself out as the amounts are typed.
tab 645
sleep 0.3
entry 0 "대한전자(주)" "124-81-00998" 20000000 20000000 2800000
entry 0 "한국제철(주)" "506-81-00012" 6000000 6000000 840000
entry 1 "글로벌리츠" "110-81-33333" 1500000 0 210000
shot dividend-register.png

# The statement in the print preview: back to the computation panel, Alt+P.
tab 276
sleep 0.3
xdotool key alt+p
preview=$(xdotool search --sync --name "^인쇄$")
sleep 0.8
import -window "$preview" "$out/preview.png"

# A printed page: the interest register above, through orvanta-calc's PDF
# printer, rendered at 60 dpi.
tmp=$(mktemp -d)
printf '%s\n' "13,한빛저축은행,123-81-45678,12500000,1925000" "11,김민수,750101-1234567,3000000,0" \
  "13,우리은행 본점,202-81-12345,8400000,1176000" |
  "$build/bin/orvanta-calc" interest --pdf "$tmp/page5.pdf" >/dev/null
pdftoppm -png -r 60 -singlefile "$tmp/page5.pdf" "$out/printed-interest-page"
rm -rf "$tmp"
