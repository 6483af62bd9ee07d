#!/usr/bin/env bash
# Runs every benchmark from the folder given (the bench build's bin/).
set -euo pipefail
bin=${1:?usage: run.sh BIN_DIR}
# Without a display the windows are drawn offscreen; under Xvfb or a desktop
# they are real X windows.
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The program's probes keep their recovery files apart from the user's, so
# that no work left unsaved is offered in the middle of a measurement.
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
for b in bench_engine bench_registers bench_calc bench_taxpayer_file bench_window bench_print bench_help; do
  echo "== $b"
  "$bin/$b" 2>/dev/null
done
# Start-up is timed on a real X server: a private Xvfb when there is no display.
echo "== bench_startup"
if [ -n "${DISPLAY:-}" ]; then
  "$bin/bench_startup" 2>/dev/null
else
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" "$bin/bench_startup" 2>/dev/null
fi
