#!/usr/bin/env bash
# Runs Windows test programs (or benchmarks) under Wine, one after the other, in a fresh prefix
# of their own that is removed afterwards; fails when any of them fails.
# Usage: run-windows-tests.sh PROGRAM.exe...
set -euo pipefail
prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
# Wine needs an X display, and the window tests make real windows on it. Under a window manager
# a closing window goes at once; without one Wine waits two seconds for each to be unmapped.
run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24")
"${run[@]}" bash -c '
    managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
    if command -v openbox >/dev/null && ! managed; then
        openbox >/dev/null 2>&1 &
        manager=$!
        trap "kill $manager 2>/dev/null || true" EXIT
        for _ in $(seq 50); do managed && break; sleep 0.1; done
    fi
    wine wineboot -i >/dev/null 2>&1
    status=0
    for program in "$@"; do
        wine "$program" || status=1
    done
    exit $status' run-windows-tests "$@"
