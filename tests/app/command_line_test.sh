#!/usr/bin/env bash
# The program's command line as a terminal user meets it, with no display at all: help and the
# version on standard output with status 0, a misuse on standard error with the usage and status
# 2. None of them may start the toolkit, which would find no display and abort the program.
# Usage: command_line_test.sh PATH/TO/netedit VERSION
set -uo pipefail
program=$1
version=$2
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failed=0

# Usage: expect STATUS FIRST_LINE_OUT FIRST_LINE_ERR ARGUMENT...   ("" for a stream left empty)
expect() {
    local status=$1 first_out=$2 first_err=$3 got=0
    shift 3
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@" >"$out" 2>"$err" || got=$?
    if [ "$got" != "$status" ] || [ "$(head -n1 "$out")" != "$first_out" ] ||
        [ "$(head -n1 "$err")" != "$first_err" ]; then
        echo "FAIL netedit $*: status $got (want $status)"
        echo "  out: $(head -n1 "$out")"
        echo "  err: $(head -n1 "$err")"
        failed=1
    fi
}

usage='Usage: netedit [OPTION]... [FILE]'
expect 0 "$usage" "" --help
expect 0 "netedit $version" "" --version
expect 2 "" "netedit: unknown option '--open'" --open OBN.NET
expect 2 "" "netedit: only one file can be opened" A.NET B.NET
# "--" makes what follows a file, though it looks like an option.
expect 2 "" "netedit: only one file can be opened" -- -a -b
[ "$(sed -n 2p "$err")" = "$usage" ] || {
    echo "FAIL the usage follows a misuse on standard error"
    failed=1
}
exit "$failed"
