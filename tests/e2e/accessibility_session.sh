#!/usr/bin/env bash
# The program on the desktop's accessibility bus, walked by accessibility.py:
# run inside its own X display and session bus (run.sh starts both).
#
#   accessibility_session.sh PROGRAM ARTIFACTS
set -euo pipefail
program=${1:?usage: accessibility_session.sh PROGRAM ARTIFACTS}
art=${2:?}
here=$(cd "$(dirname "$0")" && pwd)

# The accessibility bus, as a desktop session starts it; Qt joins it only
# when asked, as under a desktop whose screen reader is on.
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$program" 2>"$art/accessibility.stderr" &
pid=$!
trap 'kill "$pid" "$launcher" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

# Polled rather than --sync: a search walks every window, and one that
# closes meanwhile (the splash) fails it with BadWindow.
await() { # title-regex
  for _ in $(seq 300); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$found" ] && return 0
    sleep 0.1
  done
  echo "accessibility_session: no window $1" >&2
  return 1
}
await '^2005 Orvanta$'
xdotool mousemove --window "$found" 100 100 key Return
await '^2005 Orvanta\(금융소득자용\)$'
sleep 0.5
/usr/bin/python3 "$here/accessibility.py" "$art"
