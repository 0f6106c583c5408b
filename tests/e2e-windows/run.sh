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
# The program runs from a folder, and for a user, whose names code page 932 cannot hold: its own
# files go by the system's names.
prog_folder=Café
user_name=Renée
# Drive Z: is the root of the Linux file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

. "$here/../e2e/checks.sh"

# One session in $work/NAME, the open dialog answered with FILE (a name in the data folder), at
# SCALE percent of 96 dpi. Wine runs in an English locale: the program names code page 932 at every
# conversion itself. The overrides keep Wine from offering Mono and Gecko. The desktop's handler
# for documents (xdg-open, first on PATH), which Wine's browser hands a page to, only records
# what it was asked to open.
# Usage: session NAME SCENARIO FILE SCALE
session() {
    local dir="$work/$1" scale=$4 status=0 began=$SECONDS
    local data="$dir/data/データ表"
    mkdir -p "$dir/$prog_folder" "$data" "$dir/prefix" "$dir/bin"
    cp "$exe" "$dir/$prog_folder/netedit.exe"
    cp "$root/examples/OBN.NET" "$data/OBN.NET"
    printf '#!/bin/sh\necho "$@" >>%s/help-request\n' "$dir" >"$dir/bin/xdg-open"
    chmod +x "$dir/bin/xdg-open"
    (cd "$data" && PROG_FOLDER=$prog_folder USER=$user_name WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 \
        PATH="$dir/bin:$PATH" xvfb-run -a -s "-screen 0 $((1280 * scale / 100))x$((1024 * scale / 100))x24 -nolisten tcp" \
        "$here/drive.sh" "$dir" "$2" "$(windows_path "$data/$3")" "$scale") || status=$?
    echo "e2e-windows: $1 took $((SECONDS - began)) s"
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        echo "FAIL $1: the session did not run to its end (see above)"
        return 1
    fi
    printf '0\n' >"$dir/exit-status.want"
    check "$1: exit status 0" "$dir/exit-status.want" "$dir/exit-status"
}

# The page the browser was asked to open, by its Linux path: the file:// address Wine's browser
# hands on, decoded.
requested_page() {
    local address
    address=$(head -n1 "$1")
    address=${address#file://}
    printf '%b' "${address//%/\\x}"
}

started=$SECONDS
# Nothing is written when the only file named is missing; the error box is the program's own,
# and at 144 dpi it keeps a path of about 240 characters inside the screen.
missing=$(printf 'MISSING%.0s' {1..25}).NET
if session failed-open failed-open "$missing" 150; then
    dir="$work/failed-open"
    (cd "$dir/data/データ表" && ls -A) >"$dir/data-files.got"
    (cd "$dir/$prog_folder" && ls -A) >"$dir/prog-files.got"
    echo OBN.NET >"$dir/data-files.want"
    echo netedit.exe >"$dir/prog-files.want"
    check "failed-open: the data folder as it was" "$dir/data-files.want" "$dir/data-files.got"
    check "failed-open: no settings file" "$dir/prog-files.want" "$dir/prog-files.got"
fi

# The command line as Windows users meet it: --version and /? answer in a box and end with 0,
# two files are a misuse told in a box that ends with 2, none of them with the main window; a
# file named after "--" opens although it begins with "-" (the settings file, written after a
# load only, stands).
if session command-line command-line OBN.NET 100; then
    dir="$work/command-line"
    for run in "version 0" "help 0" "two 2"; do
        read -r name want <<<"$run"
        echo "$want" >"$dir/status-$name.want"
        check "command-line: $name ends with status $want" "$dir/status-$name.want" "$dir/status-$name"
    done
    printf 'SrcFile=\r\nDstFile=\r\n' >"$dir/settings.want"
    check "command-line: the file after -- opened" "$dir/settings.want" "$dir/$prog_folder/netedit.INI"
fi

# The new file's order made by hand: the sample dropped on the window from another program (the
# Linux build's drag source), double clicks, drags and Alt+arrows; the same files as on Linux.
export NETEDIT_FILE_DRAG_SOURCE=${NETEDIT_FILE_DRAG_SOURCE:-$root/build/default/tests/file_drag_source}
export DROPPED_FILE="$work/by-hand/data/データ表/OBN.NET"
if session by-hand by-hand OBN.NET 100; then
    data="$work/by-hand/data/データ表"
    check "by-hand: the new file in the order made by hand" "$root/tests/e2e/expected/by-hand/OBN.NET" "$data/OBN.NET"
    check "by-hand: OBNNET.TMP holds the rest" "$root/tests/e2e/expected/by-hand/OBNNET.TMP" "$data/OBNNET.TMP"
fi

# The edit road at 96 and at 192 dpi, each started with a settings file that names the sample:
# the open dialog starts there. After the save the help button opens the program's own page, as
# no help file stands beside the program.
for scale in 100 200; do
    name="edit-${scale}"
    dir="$work/$name"
    sample=$(windows_path "$dir/data/データ表/OBN.NET")
    mkdir -p "$dir/$prog_folder"
    printf 'SrcFile=%s\r\nDstFile=\r\n' "$sample" | iconv -f UTF-8 -t CP932 >"$dir/$prog_folder/netedit.INI"
    session "$name" edit OBN.NET "$scale" || continue
    data="$dir/data/データ表"
    check "$name: the new file over the loaded one" "$root/tests/e2e/expected/OBN.NET" "$data/OBN.NET"
    check "$name: OBNNET.ORG holds the loaded file" "$root/examples/OBN.NET" "$data/OBNNET.ORG"
    check "$name: OBNNET.TMP holds the entries left over" "$root/tests/e2e/expected/OBNNET.TMP" "$data/OBNNET.TMP"
    # The open dialog's choice is not remembered; the save's target is.
    printf 'SrcFile=%s\r\nDstFile=%s\r\n' "$sample" "$sample" | iconv -f UTF-8 -t CP932 >"$dir/settings.want"
    check "$name: the settings file" "$dir/settings.want" "$dir/$prog_folder/netedit.INI"
    (cd "$data" && ls -A) >"$dir/data-files.got"
    printf '%s\n' OBN.NET OBNNET.ORG OBNNET.TMP >"$dir/data-files.want"
    check "$name: no other file in the data folder" "$dir/data-files.want" "$dir/data-files.got"
    (cd "$dir/$prog_folder" && ls -A) >"$dir/prog-files.got"
    printf '%s\n' netedit.INI netedit.exe >"$dir/prog-files.want"
    check "$name: no other file in the program folder" "$dir/prog-files.want" "$dir/prog-files.got"
    page=$(realpath -m "$(requested_page "$dir/help-request")") # C: is a link into the prefix
    if [[ "$page" == "$dir/prefix/drive_c/users/$user_name/AppData/Local/netedit/help.html" ]]; then
        passed=$((passed + 1))
        echo "ok   $name: the help opened is in the user's folder for local data"
    else
        failed=$((failed + 1))
        echo "FAIL $name: the help opened is '$page', not the page in the user's folder for local data"
    fi
    check "$name: the help opened is the program's page" "$(dirname "$exe")/help/windows/help.html" "$page"
done

echo "e2e-windows: all sessions took $((SECONDS - started)) s"
if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "e2e-windows: files kept in $work"
fi
echo "e2e-windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
