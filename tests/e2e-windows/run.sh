#!/usr/bin/env bash
# The Windows program under Wine in a virtual X server: a copy of netedit.exe in a program folder
# of its own, with a settings file that names the sample in a data folder whose name is Japanese
# ("表" ends in the byte of "\", so only a search by characters finds the folder's end).
# drive.sh opens the sample, moves entries with the steps of the Linux road's edit session, saves
# over it and closes; every file written is then compared byte for byte with what the Linux
# program writes for the same steps.
# Usage: run.sh PATH/TO/netedit.exe   (NETEDIT_SCREENSHOTS=docs also renews docs/windows-window.png)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
exe=$(realpath "${1:?usage: run.sh PATH/TO/netedit.exe}")
[ -f "$exe" ] || {
    echo "e2e-windows: no program at $exe" >&2
    exit 1
}
if [ -n "${NETEDIT_SCREENSHOTS:-}" ]; then
    mkdir -p "$NETEDIT_SCREENSHOTS"
    NETEDIT_SCREENSHOTS=$(realpath "$NETEDIT_SCREENSHOTS")
    export NETEDIT_SCREENSHOTS
fi

work=$(mktemp -d /tmp/netedit-e2e-windows.XXXXXX)
data="$work/data/データ表"
mkdir -p "$work/prog" "$data" "$work/prefix"
cp "$exe" "$work/prog/netedit.exe"
cp "$root/examples/OBN.NET" "$data/OBN.NET"
# Drive Z: is the root of the Linux file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
sample=$(windows_path "$data/OBN.NET")
printf 'SrcFile=%s\r\nDstFile=\r\n' "$sample" | iconv -f UTF-8 -t CP932 >"$work/prog/netedit.INI"

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

# A Wine prefix of the session's own (the overrides keep Wine from offering Mono and Gecko), in
# an English locale: the program names code page 932 at every conversion itself.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
began=$SECONDS
status=0
(cd "$data" && xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$here/drive.sh" "$work" "$sample") || status=$?
echo "e2e-windows: the session took $((SECONDS - began)) s"
if [ "$status" -ne 0 ]; then
    failed=$((failed + 1))
    echo "FAIL the session did not run to its end (see above)"
else
    printf '0\n' >"$work/exit-status.want"
    check "exit status 0" "$work/exit-status.want" "$work/exit-status"
    check "the new file over the loaded one" "$root/tests/e2e/expected/OBN.NET" "$data/OBN.NET"
    check "OBNNET.ORG holds the loaded file" "$root/examples/OBN.NET" "$data/OBNNET.ORG"
    check "OBNNET.TMP holds the entries left over" "$root/tests/e2e/expected/OBNNET.TMP" "$data/OBNNET.TMP"
    # The open dialog's choice is not remembered; the save's target is.
    printf 'SrcFile=%s\r\nDstFile=%s\r\n' "$sample" "$sample" | iconv -f UTF-8 -t CP932 >"$work/settings.want"
    check "the settings file" "$work/settings.want" "$work/prog/netedit.INI"
    (cd "$data" && ls -A) >"$work/data-files.got"
    printf '%s\n' OBN.NET OBNNET.ORG OBNNET.TMP >"$work/data-files.want"
    check "no other file in the data folder" "$work/data-files.want" "$work/data-files.got"
    (cd "$work/prog" && ls -A) >"$work/prog-files.got"
    printf '%s\n' netedit.INI netedit.exe >"$work/prog-files.want"
    check "no other file in the program folder" "$work/prog-files.want" "$work/prog-files.got"
fi

if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "e2e-windows: files kept in $work"
fi
echo "e2e-windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
