#!/usr/bin/env bash
# Runs Windows test programs under Wine, one after the other, in a fresh prefix of their own that
# is removed afterwards; fails when any of them fails.
# Usage: run-windows-tests.sh PROGRAM.exe...
set -euo pipefail
prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
# Wine needs an X display, and the window tests make real windows on it.
run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a)
"${run[@]}" bash -c '
    wine wineboot -i >/dev/null 2>&1
    status=0
    for program in "$@"; do
        wine "$program" || status=1
    done
    exit $status' run-windows-tests "$@"
