#!/usr/bin/env bash
# One session with the installed program, as a person would have it, on the
# X display this runs under (run.sh starts it inside xvfb-run): the splash,
# the worked example on the computation panel, two interest payments and one
# dividend payment, the three pages printed from the preview, the work saved
# with Ctrl+S through the file dialog, and Exit; then the program started
# again with the saved file, which computes the same tax; then killed with
# unsaved work and started once more, which offers the work back.
#
#   session.sh PROGRAM ARTIFACTS PRINTED_DIR [BARE_WINDOW]
#
# PRINTED_DIR is where the private CUPS queue keeps each job's PDF. With
# BARE_WINDOW, an empty Qt window is measured after the program for comparison.
# E2E_WAIT is the longest wait for any one thing to happen and E2E_EXIT_WAIT
# the longest for the program to end after Exit (seconds).
set -Eeuo pipefail

program=${1:?usage: session.sh PROGRAM ARTIFACTS PRINTED_DIR [BARE_WINDOW]}
art=${2:?}
printed=${3:?}
bare=${4:-}
wait_limit=${E2E_WAIT:-20}
exit_limit=${E2E_EXIT_WAIT:-10}

# Window-relative places on the program's windows, in pixels (the design's
# twips / 15); on the main window below its menu bar, whose height is
# measured once the window is up. Nothing here moves the windows: the
# program places them.
tab_computation=(276 16)
tab_interest=(460 16)
tab_dividend=(645 16)
result_box=(591 183)        # 종합소득산출세액, txtTot1
interest_row_x=261          # the 상호(성명) column
interest_row_y0=158         # row r's centre is y0 + 22·r (row 0 the header)
dividend_row1=(200 247)     # below the dividend grid's three-line header
preview_print=(22 9)        # the preview's menu: 인쇄
preview_close=(61 9)        #                    닫기

step=start
passed=0
shots=0
pid=""
bare_pid=""

shot() {
  shots=$((shots + 1))
  import -window root "$(printf '%s/%02d-%s.png' "$art" "$shots" "$1")" 2>/dev/null || true
}

fail() {
  echo "e2e: FAILED at step '$step': $*" >&2
  shot "FAILED-$(tr -c 'a-zA-Z0-9\n' - <<<"$step" | tr -s -)"
  echo "e2e: $passed passed, 1 failed"
  exit 1
}
trap 'fail "command failed (line $LINENO): $BASH_COMMAND"' ERR
trap 'fail "stopped by the time limit of the whole run"' TERM

# Whatever this session started ends with it.
cleanup() {
  for p in $pid $bare_pid; do
    kill -KILL "$p" 2>/dev/null || true
    wait "$p" 2>/dev/null || true
  done
}
trap cleanup EXIT

# A step begins when the one before it has passed.
begin() {
  [ "$step" = start ] || passed=$((passed + 1))
  step=$1
  echo "e2e: $step"
}

# Polls a command every 0.1 s until it succeeds; fails the step with WHAT
# after E2E_WAIT seconds.
wait_for() { # what command...
  local what=$1
  shift
  local tries=$((wait_limit * 10))
  for ((t = 0; t < tries; t++)); do
    "$@" >/dev/null 2>&1 && return 0
    if [ -n "$pid" ] && ! running; then
      fail "$what did not happen: the program is no longer running (stderr: $art/orvanta.stderr)"
    fi
    sleep 0.1
  done
  fail "$what did not happen within ${wait_limit} s"
}

running() { kill -0 "$pid" 2>/dev/null; }
# The visible window whose whole name is NAME (an extended regex).
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window "$1")" ]; }
no_window() { [ -z "$(window "$1")" ]; }

# Waits for the window and leaves its id in $found (no command
# substitution, so that a failure here ends the run at once).
await_window() { # name description
  wait_for "$2 showing" has_window "$1"
  found=$(window "$1")
}

click() { # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.2
}

# A place of the designed main window, below the menu bar.
menu_bar=0
click_main() { # x y
  click "$main" "$1" $(($2 + menu_bar))
}

# The panel's background colour at a place no control covers: a tab click
# has taken effect once it shows. A busy program (the sanitizer build on a
# loaded machine) can miss a click that comes while an access key's
# animated click is still pending, so the click is repeated until it shows.
panel_colour() { import -window "$main" -crop "1x1+3+$((40 + menu_bar))" txt:- 2>/dev/null | grep -o 'srgb([0-9,]*)'; }
panel_is() { [ "$(panel_colour)" = "$1" ]; }
show_panel() { # tab-x tab-y colour
  local tries
  for ((tries = 0; tries < wait_limit; tries++)); do
    click_main "$1" "$2"
    for ((t = 0; t < 10; t++)); do
      panel_is "$3" && return 0
      sleep 0.1
    done
  done
  fail "the panel behind the tab at $1 did not show (its colour is $(panel_colour || true), not $3)"
}

# The main window's id in $main and its menu bar's height in $menu_bar: the
# designed client area is 497 pixels high.
find_main() { # title-regex
  await_window "$1" "the main window"
  main=$found
  local height
  height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
  menu_bar=$((height - 497))
  [ "$menu_bar" -gt 0 ] || fail "the main window is $height pixels high: no menu bar above the designed 497"
}

# What a window manager does when a person clicks a window: raise it and
# give it the keyboard. Bare Xvfb has none, and the keyboard otherwise stays
# with no window after another one closes.
bring_forward() {
  xdotool windowraise "$1"
  timeout 5 xdotool windowfocus --sync "$1" || fail "the window $1 did not take the keyboard"
  sleep 0.2
}

# Gives every letter of the texts that the keyboard does not have (the
# Korean names) a key of its own, on keycodes that have none. xdotool
# otherwise borrows one keycode for each such letter in turn, and a busy
# program can read a key press after the key has already been given the
# next letter. Done before the program starts, so that it sees one keyboard.
keys_for_letters() { # text...
  local letters="" text c i hex
  local LC_ALL=C.UTF-8
  for text in "$@"; do
    for ((i = 0; i < ${#text}; i++)); do
      c=${text:i:1}
      [[ $c == [[:ascii:]] || $letters == *"$c"* ]] || letters+=$c
    done
  done
  local spare=()
  mapfile -t spare < <(xmodmap -pke | awk 'NF == 3 && $2 >= 100 { print $2 }')
  [ ${#spare[@]} -ge ${#letters} ] || fail "the keyboard has ${#spare[@]} free keys for ${#letters} letters"
  local mapping=()
  for ((i = 0; i < ${#letters}; i++)); do
    printf -v hex '%04X' "'${letters:i:1}"
    mapping+=(-e "keycode ${spare[i]} = U$hex U$hex")
  done
  xmodmap "${mapping[@]}"
}

key() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 25 -- "$1"; }

clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }

# Copies what has the focus with Ctrl+C (its whole text selected already)
# and checks the clipboard: consecutive expected texts differ, so an old
# clipboard cannot pass for a new copy.
expect_copy() { # expected what
  key ctrl+c
  local tries=$((wait_limit * 10))
  for ((t = 0; t < tries; t++)); do
    clipboard_is "$1" && return 0
    sleep 0.1
  done
  fail "$2: expected \"$1\", the clipboard holds \"$(clipboard || true)\""
}

# One register payment: the code picked with Down from the first code
# (Shift+Tab from the name field to the code list), the fields typed with
# Enter between them, saved with Alt+S.
enter_payment() { # code-steps field...
  key shift+Tab
  for ((k = 0; k < $1; k++)); do key Down; done
  key Tab
  shift
  for field in "$@"; do
    type_text "$field"
    key Return
  done
  key alt+s
  sleep 0.3
}

# Fields of a loaded register row, read one after the other: each Enter
# moves on and selects the next field's whole text.
expect_fields() { # what value...
  local what=$1 n=0
  shift
  for value in "$@"; do
    expect_copy "$value" "$what, field $n"
    key Return
    n=$((n + 1))
  done
}

job_count() { find "$printed" -maxdepth 1 -name 'job-*.pdf' | wc -l; }
more_jobs_than() { [ "$(job_count)" -gt "$1" ]; }

# Spaces squeezed, so that a check names a line's label and amounts without
# counting pdftotext's layout blanks.
expect_text() { # text-file page what...
  local file=$1 page=$2
  shift 2
  for want in "$@"; do
    grep -qF -- "$want" <<<"$(tr -s ' ' <"$file")" || fail "page $page as printed has no \"$want\" (see $file)"
  done
}

# Prints the page shown in the preview with its menu 인쇄, answers the
# completion message, checks the job and closes the preview with 닫기.
print_from_preview() { # page-number name
  local page=$1 name=$2 preview before job text
  await_window "인쇄" "the print preview"
  preview=$found
  sleep 0.5
  shot "preview-page-$page"
  before=$(job_count)
  local earlier
  earlier=$(ls "$printed")
  click "$preview" "${preview_print[@]}"
  await_window "2005 Orvanta" "the message after printing"
  shot "printed-page-$page"
  # The box, modal, has the keyboard: Enter is its OK.
  key Return
  wait_for "the message after printing closing" no_window "2005 Orvanta"
  wait_for "page $page's job reaching the PDF queue" more_jobs_than "$before"
  [ "$(job_count)" -eq $((before + 1)) ] || fail "page $page: $(job_count) jobs, expected $((before + 1))"
  job=$printed/$(ls "$printed" | grep -vxF -- "$earlier" | grep '^job-.*\.pdf$')
  cp "$job" "$art/page-$page-$name.pdf"
  text="$art/page-$page-$name.txt"
  pdftotext -layout "$job" "$text"
  grep -qE '^Pages: +1$' <<<"$(pdfinfo "$job")" || fail "page $page: the job is not one page: $(pdfinfo "$job" | grep Pages)"
  click "$preview" "${preview_close[@]}"
  wait_for "the preview closing with 닫기" no_window "인쇄"
  running || fail "the program ended after closing the preview"
  bring_forward "$main"
  PAGE_TEXT=$text
}

vm() { # pid field
  awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status"
}

# ---------------------------------------------------------------------------

begin "start the program"
keys_for_letters "한빛저축은행" "김민수" "대한전자(주)"
# Under the POSIX locale (run.sh clears every other locale variable).
env -u LC_ALL "$program" 2>"$art/orvanta.stderr" &
pid=$!

begin "dismiss the splash with a key"
await_window "2005 Orvanta" "the splash window"
splash=$found
sleep 0.5
shot splash
# Keys reach the window under the pointer until a window takes the keyboard.
xdotool mousemove --window "$splash" 100 100
key Return
find_main "2005 Orvanta\\(금융소득자용\\)"
wait_for "the splash closing" no_window "2005 Orvanta"
sleep 0.5
shot main-window

begin "type the worked example and compute"
show_panel "${tab_computation[@]}" "srgb(255,192,192)"
for amount in "" 10000000 30000000 10000000 "" "" 1100000 20000000 3000000; do
  [ -z "$amount" ] || type_text "$amount"
  key Return
done
key alt+c
sleep 0.5
shot computed
running || fail "the program ended at 세액계산"

begin "read the tax from the result box"
click_main "${result_box[@]}"
key ctrl+a
expect_copy "10,158,000" "the tax in 종합소득산출세액"

begin "enter two interest payments"
show_panel "${tab_interest[@]}" "srgb(255,224,192)"
enter_payment 2 "한빛저축은행" "123-81-45678" 12500000 1925000
enter_payment 0 "김민수" "750101-1234567" 3000000 0
shot interest-register

begin "read the interest register back"
# Sorted by code: 김민수 (11) on row 1, 한빛저축은행 (13) on row 2. A click
# loads a row into the fields, the name's text selected.
click_main "$interest_row_x" $((interest_row_y0 + 22))
expect_fields "interest row 1" "김민수" "750101-1234567" "3,000,000" "0"
click_main "$interest_row_x" $((interest_row_y0 + 44))
expect_fields "interest row 2" "한빛저축은행" "123-81-45678" "12,500,000" "1,925,000"
key alt+n # leaves the row as it is
shot interest-register-read

begin "enter a dividend payment"
show_panel "${tab_dividend[@]}" "srgb(255,255,192)"
# 배당액, 배당가산 대상금액, then Enter skips the two computed fields to 원천징수세액.
enter_payment 0 "대한전자(주)" "124-81-00998" 20000000 18000000 2800000
shot dividend-register

begin "read the dividend register back"
click_main "${dividend_row1[@]}"
expect_fields "dividend row 1" "대한전자(주)" "124-81-00998" "20,000,000" "18,000,000" "2,800,000"
key alt+n
shot dividend-register-read

begin "print the statement (page 21)"
show_panel "${tab_computation[@]}" "srgb(255,192,192)"
key alt+p
print_from_preview 21 statement
expect_text "$PAGE_TEXT" 21 "[별지 제40호 서식(1)]" "(제21쪽)" "종합소득산출세액계산서(금융소득자용)" \
  "(1)비영업대금이익 0 (5)Gross-Up 대상 배당소득 10,000,000" \
  "(2)원천징수되지 않는 이자소득 10,000,000 (6)Gross-Up 대상아닌 배당소득 0" \
  "(3) ⑴·⑵이외 이자소득 30,000,000 (7)원천징수되지 않는 배당소득 0" \
  "(4)이자소득합계(⑴+⑵+⑶) 40,000,000 (8)배당소득합계(⑸+⑹+⑺) 10,000,000" \
  "(9)금융소득금액{⑷+⑻} 50,000,000" "(12)배 당 가 산 액 1,100,000" \
  "(13)금융소득외의 다른 종합소득 20,000,000" "(15)소득공제 3,000,000" \
  "(18)산출세액 4,158,000" "(20)비교산출세액계 {(18)+(19)} 10,158,000" \
  "(29)비교산출세액계" "9,660,000" "(30)종합소득산출세액 10,158,000" "[(12)와 {(30)-(29)}중 작은 금액] 498,000"

begin "print the interest page (page 5)"
show_panel "${tab_interest[@]}" "srgb(255,224,192)"
key alt+p
print_from_preview 5 interest
expect_text "$PAGE_TEXT" 5 "[별지 제40호서식(1)]" "(제5쪽)" "이자소득명세서" \
  "11 1 김민수 750101-1234567 3,000,000 0" \
  "13 1 한빛저축은행 123-81-45678 12,500,000 1,925,000" \
  "합계 15,500,000 1,925,000"

begin "print the dividend page (page 7)"
show_panel "${tab_dividend[@]}" "srgb(255,255,192)"
key alt+p
print_from_preview 7 dividend
# Gross-up 18,000,000 × 19/100 = 3,420,000; dividend income 23,420,000.
expect_text "$PAGE_TEXT" 7 "[별지 제40호서식(1)]" "(제7쪽)" "배당소득명세서" \
  "대한전자(주)" "124-81-00998" "20,000,000 18,000,000 3,420,000 23,420,000 2,800,000"

begin "measure the program's memory"
{
  echo "program_vmhwm_kb=$(vm "$pid" VmHWM)"
  echo "program_vmrss_kb=$(vm "$pid" VmRSS)"
} >"$art/memory.txt"

begin "save with Ctrl+S through the file dialog"
saved_file=$art/kim.orvanta
key ctrl+s
# No file yet: Ctrl+S asks for a name, in the name field of Qt's own dialog.
await_window "다른 이름으로 저장" "the save dialog"
bring_forward "$found"
shot save-dialog
key ctrl+a
type_text "$saved_file"
key Return
wait_for "the saved file's name in the title" has_window "2005 Orvanta\\(금융소득자용\\) - kim\\.orvanta"
grep -q '"format": "orvanta-taxpayer"' "$saved_file" || fail "$saved_file is not a taxpayer file"
grep -q '"name": "대한전자(주)"' "$saved_file" || fail "$saved_file lacks the dividend payment"
# The keyboard goes back to the main window as a window manager would give it.
bring_forward "$main"
shot saved

begin "exit with Alt+X"
shot before-exit
asked=$(date +%s%N)
key alt+x
# Exit asks nothing, since everything was saved: the program ends at once.
for ((t = 0; t < exit_limit * 10; t++)); do
  running || break
  sleep 0.1
done
if running; then
  has_window "2005 Orvanta" && fail "Alt+X left a message box open instead of ending the program"
  fail "the program did not end within ${exit_limit} s of Alt+X"
fi
status=0
wait "$pid" || status=$?
pid=""
{
  echo "program_exit_status=$status"
  echo "program_exit_ms=$((($(date +%s%N) - asked) / 1000000))"
} >>"$art/memory.txt"
[ "$status" -eq 0 ] || fail "the program ended with status $status (stderr: $art/orvanta.stderr)"

begin "start again with the saved file"
"$program" "$saved_file" 2>>"$art/orvanta.stderr" &
pid=$!
await_window "2005 Orvanta" "the splash window"
xdotool mousemove --window "$found" 100 100
key Return
find_main "2005 Orvanta\\(금융소득자용\\) - kim\\.orvanta"
sleep 0.5
shot reopened

begin "compute the same tax from the opened file"
show_panel "${tab_computation[@]}" "srgb(255,192,192)"
key alt+c
sleep 0.5
click_main "${result_box[@]}"
key ctrl+a
expect_copy "10,158,000" "the tax computed from the opened file"
show_panel "${tab_interest[@]}" "srgb(255,224,192)"
click_main "$interest_row_x" $((interest_row_y0 + 44))
expect_fields "interest row 2 of the opened file" "한빛저축은행" "123-81-45678" "12,500,000" "1,925,000"
key alt+n
shot reopened-computed

begin "paste dividend rows from a spreadsheet, carry the totals with F3 and compute"
show_panel "${tab_dividend[@]}" "srgb(255,255,192)"
# Two rows as a spreadsheet copies them: tab-separated lines on the clipboard.
printf '21\t한국제철(주)\t506-81-00012\t30000000\t30000000\t4200000\r\n22\t펀드\t\t1500000\t\t210000\r\n' |
  xclip -selection clipboard
wait_for "the rows on the clipboard" clipboard_is $'21\t한국제철(주)\t506-81-00012\t30000000\t30000000\t4200000\r\n22\t펀드\t\t1500000\t\t210000\r'
# The grid's context menu: 복사, then 붙여넣기.
xdotool mousemove --window "$main" "${dividend_row1[0]}" $((dividend_row1[1] + 150 + menu_bar)) click 3
sleep 0.5
key Down Down Return
sleep 0.5
shot pasted-dividend-rows
key F3
sleep 0.5
key alt+c
sleep 0.5
shot carried-and-computed
# Lines 1 to 7 from the registers: 3,000,000 (code 11), 0, 12,500,000 (13);
# 50,000,000 (21: 20,000,000 + 30,000,000), 1,500,000 (22), 0; the gross-up
# 9,120,000 (3,420,000 + 5,700,000). Lines 8 and 9 stay: (9) 67,000,000,
# (16) 67,000,000 - 40,000,000 + 9,120,000 + 20,000,000 - 3,000,000 =
# 53,120,000 at 27 %: (18) 9,842,400, and (30) = (20) = 15,842,400.
click_main "${result_box[@]}"
key ctrl+a
expect_copy "15,842,400" "the tax computed from the carried register totals"
key ctrl+s
sleep 0.5

begin "kill the program with unsaved work, start again and recover it"
show_panel "${tab_interest[@]}" "srgb(255,224,192)"
# A code-12 payment saved in the register and carried (line 2 becomes
# 2,000,000: (30) 16,382,400), then a name typed into the fresh entry
# fields and left there.
enter_payment 1 "Saemaeul" "" 2000000 0
type_text "Unsaved"
key F3
sleep 0.5
key alt+c
sleep 0.5
click_main "${result_box[@]}"
key ctrl+a
expect_copy "16,382,400" "the tax with the code-12 payment carried"
# The recovery file is written within two seconds of the last change.
sleep 3
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
"$program" 2>>"$art/orvanta.stderr" &
pid=$!
await_window "2005 Orvanta" "the splash window"
splash=$found
xdotool mousemove --window "$splash" 100 100
key Return
find_main "2005 Orvanta\\(금융소득자용\\)"
# Then the question, titled as the program's message boxes (and the
# splash) are: 복구 is the default.
question() { xdotool search --onlyvisible --name '^2005 Orvanta$' 2>/dev/null | grep -vx "$splash" | head -n 1; }
asks() { [ -n "$(question)" ]; }
wait_for "the question about the unsaved work" asks
bring_forward "$(question)"
shot recovery-question
key Return
wait_for "the recovered work of kim.orvanta, changed" has_window "2005 Orvanta\\(금융소득자용\\) - kim\\.orvanta\\*"
bring_forward "$main"
show_panel "${tab_computation[@]}" "srgb(255,192,192)"
key alt+c
sleep 0.5
click_main "${result_box[@]}"
key ctrl+a
expect_copy "16,382,400" "the tax computed from the recovered work"
shot recovered
# 저장 takes the typed entry into the register, then writes the file.
key ctrl+s
wait_for "the saved title" has_window "2005 Orvanta\\(금융소득자용\\) - kim\\.orvanta"
grep -q '"name": "Unsaved"' "$saved_file" || fail "the entry typed before the kill was not saved"

begin "exit the reopened program with Alt+X"
key alt+x
for ((t = 0; t < exit_limit * 10; t++)); do
  running || break
  sleep 0.1
done
running && fail "the reopened program did not end within ${exit_limit} s of Alt+X (a question left open?)"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the reopened program ended with status $status (stderr: $art/orvanta.stderr)"

if [ -n "$bare" ]; then
  begin "measure a bare Qt window"
  env -u LC_ALL "$bare" 2>/dev/null &
  bare_pid=$!
  wait_for "the bare window showing" has_window "e2e bare window"
  sleep 1
  shot bare-window
  echo "bare_window_vmhwm_kb=$(vm "$bare_pid" VmHWM)" >>"$art/memory.txt"
  kill "$bare_pid"
  wait "$bare_pid" 2>/dev/null || true
  bare_pid=""
fi

passed=$((passed + 1))
echo "e2e: $passed passed, 0 failed"
