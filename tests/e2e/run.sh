#!/usr/bin/env bash
# The whole program in a real X server: a copy of the given binary in a program directory of its
# own (so its settings file is the test's), the sample in a data directory, one session driven by
# drive.sh, then every file the session wrote compared byte for byte with what it must hold.
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
mkdir -p "$work/prog" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
cp "$binary" "$work/prog/netedit"
cp "$root/examples/OBN.NET" "$work/data/OBN.NET"

started=$SECONDS
session=0
# The file dialogs start in the current directory: the data directory, not the source tree.
(cd "$work/data" && XDG_RUNTIME_DIR="$work/runtime" xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$here/drive.sh" "$work") || session=$?

passed=0
failed=0
check() {
    local what=$1 expected=$2 actual=$3
    if [ -f "$actual" ] && cmp -s "$expected" "$actual"; then
        passed=$((passed + 1))
        echo "ok   $what"
    else
        failed=$((failed + 1))
        echo "FAIL $what: $actual differs from $expected"
    fi
}

if [ "$session" -ne 0 ]; then
    failed=$((failed + 1))
    echo "FAIL the session did not run to its end (see above)"
else
    printf '%s\n' "$(cat "$work/exit-status")" >"$work/exit-status.got"
    printf '0\n' >"$work/exit-status.want"
    check "exit status 0" "$work/exit-status.want" "$work/exit-status.got"
    check "the new file over the loaded one" "$here/expected/OBN.NET" "$work/data/OBN.NET"
    check "OBNNET.ORG holds the loaded file" "$root/examples/OBN.NET" "$work/data/OBNNET.ORG"
    check "OBNNET.TMP holds the entries left over" "$here/expected/OBNNET.TMP" "$work/data/OBNNET.TMP"
    printf 'SrcFile=\r\nDstFile=%s\r\n' "$work/data/OBN.NET" >"$work/settings.want"
    check "the settings file" "$work/settings.want" "$work/prog/netedit.INI"
    (cd "$work/data" && ls -A) >"$work/data-files.got"
    printf '%s\n' OBN.NET OBNNET.ORG OBNNET.TMP >"$work/data-files.want"
    check "no other file in the data directory" "$work/data-files.want" "$work/data-files.got"
fi

echo "e2e: session took $((SECONDS - started)) s"
if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "e2e: files kept in $work"
fi
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
