#!/usr/bin/env bash
# The whole program in a real X server: for each session a copy of the given binary in a program
# directory of its own (so its settings file is the test's) and the sample in a data directory;
# drive.sh drives it, and every file the session wrote is compared byte for byte with what it
# must hold.
# Usage: run.sh PATH/TO/netedit   (NETEDIT_SCREENSHOTS=docs also renews the README pictures)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
binary=$(realpath "${1:?usage: run.sh PATH/TO/netedit}")
[ -x "$binary" ] || {
    echo "e2e: no program at $binary" >&2
    exit 1
}
if [ -n "${NETEDIT_SCREENSHOTS:-}" ]; then
    mkdir -p "$NETEDIT_SCREENSHOTS"
    NETEDIT_SCREENSHOTS=$(realpath "$NETEDIT_SCREENSHOTS")
    export NETEDIT_SCREENSHOTS
fi

work=$(mktemp -d /tmp/netedit-e2e.XXXXXX)
# Offers a file by drag and drop, as a file manager does; built beside the program's tests.
export NETEDIT_FILE_DRAG_SOURCE=${NETEDIT_FILE_DRAG_SOURCE:-$(dirname "$binary")/tests/file_drag_source}

. "$here/checks.sh"

# One session in an X server and a D-Bus session of its own (the accessibility bus starts on
# the first request), in $work/NAME with a copy of the program and the sample.
# Usage: session NAME SCENARIO SCALE
session() {
    local dir="$work/$1" scenario=$2 scale=$3 status=0 began=$SECONDS
    mkdir -p "$dir/prog" "$dir/data" "$dir/runtime"
    chmod 700 "$dir/runtime"
    cp "$binary" "$dir/prog/netedit"
    cp "$root/examples/OBN.NET" "$dir/data/OBN.NET"
    # The file dialogs start in the current directory: the data directory, not the source tree.
    # -noreset keeps the root window's properties (the font resolution) between X clients.
    (cd "$dir/data" && HOME="$dir" XDG_RUNTIME_DIR="$dir/runtime" xvfb-run -a \
        -s "-screen 0 $((1280 * scale))x$((1024 * scale))x24 -noreset -nolisten tcp" \
        dbus-run-session -- "$here/drive.sh" "$dir" "$scenario" "$scale") || status=$?
    echo "e2e: $1 took $((SECONDS - began)) s"
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        echo "FAIL $1: the session did not run to its end (see above)"
        return 1
    fi
    printf '0\n' >"$dir/exit-status.want"
    check "$1: exit status 0" "$dir/exit-status.want" "$dir/exit-status"
}

started=$SECONDS
# Nothing is written when the only file named is missing.
if session failed-open failed-open 1; then
    dir="$work/failed-open"
    (cd "$dir/data" && ls -A) >"$dir/data-files.got"
    (cd "$dir/prog" && ls -A) >"$dir/prog-files.got"
    echo OBN.NET >"$dir/data-files.want"
    echo netedit >"$dir/prog-files.want"
    check "failed-open: the data directory as it was" "$dir/data-files.want" "$dir/data-files.got"
    check "failed-open: no settings file" "$dir/prog-files.want" "$dir/prog-files.got"
fi
# The new file's order made by hand: a file dropped on the window, double clicks, drags, Alt+arrows.
if session by-hand by-hand 1; then
    dir="$work/by-hand"
    check "by-hand: the new file in the order made by hand" "$here/expected/by-hand/OBN.NET" "$dir/data/OBN.NET"
    check "by-hand: OBNNET.TMP holds the rest" "$here/expected/by-hand/OBNNET.TMP" "$dir/data/OBNNET.TMP"
fi
# The whole editing road at 1x and at 2x, every file it writes compared byte for byte.
for scale in 1 2; do
    name="edit-${scale}x"
    dir="$work/$name"
    session "$name" edit "$scale" || continue
    check "$name: the new file over the loaded one" "$here/expected/OBN.NET" "$dir/data/OBN.NET"
    check "$name: OBNNET.ORG holds the loaded file" "$root/examples/OBN.NET" "$dir/data/OBNNET.ORG"
    check "$name: OBNNET.TMP holds the entries left over" "$here/expected/OBNNET.TMP" "$dir/data/OBNNET.TMP"
    printf 'SrcFile=\r\nDstFile=%s\r\n' "$dir/data/OBN.NET" >"$dir/settings.want"
    check "$name: the settings file" "$dir/settings.want" "$dir/prog/netedit.INI"
    (cd "$dir/data" && ls -A) >"$dir/data-files.got"
    printf '%s\n' OBN.NET OBNNET.ORG OBNNET.TMP >"$dir/data-files.want"
    check "$name: no other file in the data directory" "$dir/data-files.want" "$dir/data-files.got"
done

echo "e2e: all sessions took $((SECONDS - started)) s"
if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "e2e: files kept in $work"
fi
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
