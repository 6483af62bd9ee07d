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

timeout 30 xdotool search --sync --onlyvisible --name '^2005 Orvanta$' >/dev/null
splash=$(xdotool search --onlyvisible --name '^2005 Orvanta$' | head -n 1)
xdotool mousemove --window "$splash" 100 100 key Return
timeout 30 xdotool search --sync --onlyvisible --name '^2005 Orvanta\(금융소득자용\)$' >/dev/null
sleep 0.5
/usr/bin/python3 "$here/accessibility.py" "$art"
