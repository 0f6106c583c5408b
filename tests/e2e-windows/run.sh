#!/usr/bin/env bash
# The Windows program under Wine in a virtual X server. Each session has a copy of netedit.exe in
# a program folder of its own and the sample in a data folder whose name is Japanese ("表" ends
# in the byte of "\", so only a search by characters finds the folder's end), and a Wine prefix
# of its own; drive.sh drives it, and every file the session wrote is compared byte for byte
# with what it must hold: for the edit session, what the Linux program writes for the same steps.
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
# Drive Z: is the root of the Linux file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

. "$here/../e2e/checks.sh"

# One session in $work/NAME, the open dialog answered with FILE (a name in the data folder).
# Wine runs in an English locale: the program names code page 932 at every conversion itself.
# The overrides keep Wine from offering Mono and Gecko.
# Usage: session NAME SCENARIO FILE
session() {
    local dir="$work/$1" status=0 began=$SECONDS
    local data="$dir/data/データ表"
    mkdir -p "$dir/prog" "$data" "$dir/prefix"
    cp "$exe" "$dir/prog/netedit.exe"
    cp "$root/examples/OBN.NET" "$data/OBN.NET"
    (cd "$data" && WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        "$here/drive.sh" "$dir" "$2" "$(windows_path "$data/$3")") || status=$?
    echo "e2e-windows: $1 took $((SECONDS - began)) s"
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        echo "FAIL $1: the session did not run to its end (see above)"
        return 1
    fi
    printf '0\n' >"$dir/exit-status.want"
    check "$1: exit status 0" "$dir/exit-status.want" "$dir/exit-status"
}

started=$SECONDS
# Nothing is written when the only file named is missing; the error box is the program's own.
if session failed-open failed-open MISSING.NET; then
    dir="$work/failed-open"
    (cd "$dir/data/データ表" && ls -A) >"$dir/data-files.got"
    (cd "$dir/prog" && ls -A) >"$dir/prog-files.got"
    echo OBN.NET >"$dir/data-files.want"
    echo netedit.exe >"$dir/prog-files.want"
    check "failed-open: the data folder as it was" "$dir/data-files.want" "$dir/data-files.got"
    check "failed-open: no settings file" "$dir/prog-files.want" "$dir/prog-files.got"
fi

# The edit road, started with a settings file that names the sample: the open dialog starts there.
dir="$work/edit"
sample=$(windows_path "$dir/data/データ表/OBN.NET")
mkdir -p "$dir/prog"
printf 'SrcFile=%s\r\nDstFile=\r\n' "$sample" | iconv -f UTF-8 -t CP932 >"$dir/prog/netedit.INI"
if session edit edit OBN.NET; then
    data="$dir/data/データ表"
    check "edit: the new file over the loaded one" "$root/tests/e2e/expected/OBN.NET" "$data/OBN.NET"
    check "edit: OBNNET.ORG holds the loaded file" "$root/examples/OBN.NET" "$data/OBNNET.ORG"
    check "edit: OBNNET.TMP holds the entries left over" "$root/tests/e2e/expected/OBNNET.TMP" "$data/OBNNET.TMP"
    # The open dialog's choice is not remembered; the save's target is.
    printf 'SrcFile=%s\r\nDstFile=%s\r\n' "$sample" "$sample" | iconv -f UTF-8 -t CP932 >"$dir/settings.want"
    check "edit: the settings file" "$dir/settings.want" "$dir/prog/netedit.INI"
    (cd "$data" && ls -A) >"$dir/data-files.got"
    printf '%s\n' OBN.NET OBNNET.ORG OBNNET.TMP >"$dir/data-files.want"
    check "edit: no other file in the data folder" "$dir/data-files.want" "$dir/data-files.got"
    (cd "$dir/prog" && ls -A) >"$dir/prog-files.got"
    printf '%s\n' netedit.INI netedit.exe >"$dir/prog-files.want"
    check "edit: no other file in the program folder" "$dir/prog-files.want" "$dir/prog-files.got"
fi

echo "e2e-windows: all sessions took $((SECONDS - started)) s"
if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "e2e-windows: files kept in $work"
fi
echo "e2e-windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
