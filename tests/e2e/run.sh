#!/usr/bin/env bash
# End to end: the installed program used as a person would, under its own
# Xvfb, printing to a private CUPS scheduler whose one queue keeps each job
# as a PDF. See session.sh for the steps. Then the program again on the
# desktop's accessibility bus, walked by accessibility.py.
#
#   run.sh PREFIX ARTIFACTS [--bare BARE_WINDOW] [--leaks SUPPRESSIONS]
#
# PREFIX/bin/orvanta is the program: an install prefix, or a build folder,
# whose bin/ holds the help documents beside the program. Screenshots,
# the printed PDFs with their text, the program's error output and
# memory.txt land in ARTIFACTS, emptied first and kept on success and failure.
# --bare measures an empty Qt window beside the program. --leaks expects an
# AddressSanitizer build and fails on any leak that SUPPRESSIONS does not
# excuse. E2E_TIMEOUT bounds the whole session (seconds).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

usage() {
  echo "usage: $0 PREFIX ARTIFACTS [--bare BARE_WINDOW] [--leaks SUPPRESSIONS]" >&2
  exit 2
}
[ $# -ge 2 ] || usage
prefix=$(cd "$1" && pwd) || usage
mkdir -p "$2"
art=$(cd "$2" && pwd)
shift 2
bare=""
leaks=""
while [ $# -gt 0 ]; do
  case "$1" in
    --bare) [ $# -ge 2 ] || usage; bare=$(realpath "$2"); shift ;;
    --leaks) [ $# -ge 2 ] || usage; leaks=$(realpath "$2"); shift ;;
    *) usage ;;
  esac
  shift
done

program=$prefix/bin/orvanta
[ -x "$program" ] || { echo "e2e: no program at $program" >&2; exit 1; }
[ -z "$bare" ] || [ -x "$bare" ] || { echo "e2e: no bare window at $bare" >&2; exit 1; }
[ -z "$leaks" ] || [ -f "$leaks" ] || { echo "e2e: no suppressions file $leaks" >&2; exit 1; }
for tool in xvfb-run xdotool xclip import pdftotext pdfinfo cupsd lpadmin dbus-run-session; do
  command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] ||
    { echo "e2e: $tool is missing (make e2e installs it)" >&2; exit 1; }
done

find "$art" -mindepth 1 -delete
# A short path of its own: the scheduler's socket path has a length limit.
work=$(mktemp -d /tmp/orvanta-e2e-XXXXXX)
started=$(date +%s%N)

finish() {
  local status=$?
  bash "$root/scripts/cups-test-server.sh" stop "$work/cups" 2>/dev/null || true
  cp -r "$work/cups/log" "$art/cups-log" 2>/dev/null || true
  rm -rf "$work"
  echo "e2e: artifacts in $art"
  exit "$status"
}
trap finish EXIT

# The scheduler goes with this script however it ends (--owner).
mkdir -p "$work/cups" "$work/client" "$work/home" "$work/runtime"
# The queue's backend runs as the scheduler's unprivileged user and must
# reach the folder where it keeps the jobs.
chmod 0755 "$work"
chmod 0700 "$work/runtime"
bash "$root/scripts/cups-test-server.sh" start "$work/cups" --owner $$

# Only the private scheduler is seen: libcups reads its server and client
# configuration from these, and neither the user's nor the machine's
# defaults can name another printer.
export CUPS_SERVER=$work/cups/cups.sock
export CUPS_SERVERROOT=$work/client
export HOME=$work/home
export XDG_RUNTIME_DIR=$work/runtime
unset LPDEST PRINTER
# The desktop's own settings do not reach the program: the default style
# and platform plugins under plain X.
unset QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
# Nor does the caller's locale. xdotool types Korean text and reads window
# titles through the C library's multibyte functions, which need a UTF-8
# character type: the harness runs under C.UTF-8, which every glibc system
# has. The program is started under the POSIX locale (session.sh), as a
# container or a fresh machine starts it: the locale least kind to Korean.
for var in $(compgen -e | grep -E '^(LANG|LANGUAGE|LC_[A-Z_]+)$'); do unset "$var"; done
export LC_ALL=C.UTF-8

if [ -n "$leaks" ]; then
  # Leaks are reported when the program ends; its status then tells. No
  # strict_string_checks, unlike the unit tests: libxkbcommon-x11 copies
  # names out of an X reply with strndup and their length, as it may, and
  # the strict check reads on for a NUL past the reply and stops the
  # program at its first X connection.
  # fast_unwind_on_malloc=0: whole allocation stacks, also through system
  # libraries built without frame pointers, so that a suppression is matched
  # against, and a report shows, every frame.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0
  export LSAN_OPTIONS=suppressions=$leaks:print_suppressions=1:report_objects=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  # Everything takes longer under the sanitizers, the leak check at exit too.
  export E2E_WAIT=${E2E_WAIT:-60}
  export E2E_EXIT_WAIT=${E2E_EXIT_WAIT:-60}
fi

# -noreset: the server keeps its keyboard when its last client leaves,
# such as xmodmap before the program has started.
status=0
timeout --kill-after=10 "${E2E_TIMEOUT:-600}" \
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
  bash "$here/session.sh" "$program" "$art" "$work/cups/out" $bare </dev/null || status=$?
# The same program through the accessibility bus, on a display and session
# bus of its own (the plain pass only: the sanitizers add nothing there).
if [ -z "$leaks" ] && [ $status -eq 0 ]; then
  timeout --kill-after=10 "${E2E_TIMEOUT:-600}" \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
    dbus-run-session -- bash "$here/accessibility_session.sh" "$program" "$art" </dev/null 2>"$art/accessibility-bus.log" ||
    status=$?
fi
tenths=$((($(date +%s%N) - started) / 100000000))
echo "e2e: the run took $((tenths / 10)).$((tenths % 10)) s" | tee -a "$art/summary.txt"
[ $status -ne 124 ] || echo "e2e: FAILED: the session did not end within ${E2E_TIMEOUT:-600} s" >&2

if [ -n "$leaks" ] && [ -f "$art/orvanta.stderr" ]; then
  if grep -q "ERROR: LeakSanitizer" "$art/orvanta.stderr"; then
    echo "e2e: FAILED: LeakSanitizer reports leaks not suppressed:" >&2
    sed -n '/ERROR: LeakSanitizer/,$p' "$art/orvanta.stderr" >&2
    status=1
  elif grep -q "ERROR: AddressSanitizer\|runtime error:" "$art/orvanta.stderr"; then
    echo "e2e: FAILED: the sanitizers report an error:" >&2
    cat "$art/orvanta.stderr" >&2
    status=1
  else
    echo "e2e: LeakSanitizer: no leak beyond the suppressed ones" | tee -a "$art/summary.txt"
    sed -n '/Suppressions used:/,/^-\{5,\}$/p' "$art/orvanta.stderr" | tee -a "$art/summary.txt"
  fi
fi

if [ -f "$art/memory.txt" ]; then
  # shellcheck disable=SC1091
  . "$art/memory.txt"
  if [ -n "${program_vmhwm_kb:-}" ]; then
    what="peak RSS (VmHWM) of the program"
    [ -z "$leaks" ] || what="$what under AddressSanitizer"
    echo "e2e: $what: $program_vmhwm_kb kB" | tee -a "$art/summary.txt"
  fi
  if [ -n "${program_exit_ms:-}" ]; then
    echo "e2e: the program ended ${program_exit_ms} ms after Alt+X, with status $program_exit_status" |
      tee -a "$art/summary.txt"
  fi
  if [ -n "${bare_window_vmhwm_kb:-}" ]; then
    echo "e2e: peak RSS (VmHWM) of a bare Qt window 745x497: $bare_window_vmhwm_kb kB" | tee -a "$art/summary.txt"
  fi
fi
exit $status
