#!/usr/bin/env bash
# Runs every benchmark of a build folder; one line per figure.
set -eu
build=${1:-build}
for b in "$build"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b"
done
