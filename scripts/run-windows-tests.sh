#!/usr/bin/env bash
# Runs a Windows test program under Wine in a fresh prefix of its own, removed afterwards.
# Usage: run-windows-tests.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
# Without an X display Wine cannot start; tests that make windows need one as well.
run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a)
"${run[@]}" wine wineboot -i >/dev/null 2>&1
"${run[@]}" wine "$@"
