#!/usr/bin/env bash
# The private scheduler of the printing tests (scripts/cups-test-server.sh)
# outlives neither its stop, nor its owner, nor its watcher, killed; and a
# start that fails says why.
#
#   cups_server_test.sh SCRIPT
set -uo pipefail

script=$1
work=$(mktemp -d /tmp/orvanta-cupsd-XXXXXX)
owners=()
cleanup() {
  kill "${owners[@]}" 2>/dev/null
  local d
  for d in "$work"/*/; do bash "$script" stop "$d"; done
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# Whether PID's process is there, and no zombie.
running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) && [[ ${stat##*) } != [ZX]* ]]
}

for case in stop owner watcher; do
  mkdir "$work/$case"
  sleep 600 &
  owners+=($!)
  if ! said=$(bash "$script" start "$work/$case" --no-printer --owner $! 2>&1); then
    # An unprivileged scheduler may not run from a temporary folder.
    [ "$(id -u)" -ne 0 ] && { echo "skipped: $said"; exit 77; }
    fail "$case: the scheduler did not start: $said"
    continue
  fi
  cupsd=$(cat "$work/$case/cupsd.pid")
  watcher=$(cut -d' ' -f4 <<<"$(cat "/proc/$cupsd/stat")")
  [[ $(tr '\0' ' ' <"/proc/$watcher/cmdline") == *"$script"* ]] || { fail "$case: the scheduler has no watcher"; continue; }
  case $case in
    stop) bash "$script" stop "$work/$case" ;;
    owner) kill -KILL "${owners[-1]}" ;;
    watcher) kill -KILL "$watcher" ;;
  esac
  for _ in $(seq 50); do
    running "$cupsd" || running "$watcher" || break
    sleep 0.1
  done
  ! running "$cupsd" || fail "$case: the scheduler is still running"
  ! running "$watcher" || fail "$case: its watcher is still running"
done

# A scheduler that exits at once, here a stand-in for cupsd.
mkdir "$work/fake" "$work/failing"
printf '#!/bin/sh\necho "no configuration for you" >&2\nexit 3\n' >"$work/fake/cupsd"
chmod +x "$work/fake/cupsd"
said=$(PATH=$work/fake:$PATH bash "$script" start "$work/failing" 2>&1) && fail "a scheduler that exits at once started"
[[ $said == *"status 3"*"no configuration for you"* ]] || fail "the failed start does not say why: $said"

[ "$failures" -eq 0 ] || exit 1
echo "ok: no scheduler outlives its stop, its owner or its watcher; a failed start says why"
