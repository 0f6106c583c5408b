#!/usr/bin/env bash
# Runs every benchmark of an optimised build; each prints its ratio against a baseline
# measured in the same process.
set -euo pipefail
build=$1
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
for b in "$build"/bench/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b"
done
