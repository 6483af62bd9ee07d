#!/usr/bin/env bash
# Runs each fuzz target for the given number of seconds, from a working copy
# of its seed corpus so that what it finds stays out of the repository.
# A crash is kept in the build folder and fails the run.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
for pair in rtf_reader:rtf placement:placement register_csv:register_csv taxpayer_file:taxpayer; do
  target=${pair%%:*}
  seeds=$here/corpus/${pair#*:}
  work=$build/corpus-$target
  mkdir -p "$work"
  cp -n "$seeds"/* "$work"/
  echo "fuzz: $target for ${seconds}s"
  if ! "$build/${target}_fuzz" -max_total_time="$seconds" -artifact_prefix="$build/crash-$target-" \
       "$work" >"$build/$target.log" 2>&1; then
    tail -n 40 "$build/$target.log" >&2
    echo "fuzz: $target failed; see $build/$target.log" >&2
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$build/$target.log" || tail -n 2 "$build/$target.log"
done
