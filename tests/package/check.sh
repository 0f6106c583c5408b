#!/usr/bin/env bash
# The Debian package as a user gets it: checked by lintian (pedantic, hardening included),
# desktop-file-validate and appstreamcli, installed with apt (which brings what it depends on, a
# Japanese font among them), its /usr/bin/netedit started by the desktop entry's command with the
# sample and driven with real X input (tests/e2e/drive.sh, scenario given-file), then removed
# again. The build tree's program is driven the same way first, as a copy in a folder of its own;
# the installed one must write the same bytes, keep its settings in the user's configuration
# folder and have the desktop asked to open the installed help page. The desktop knows net data
# files as a type of their own with netedit to open them, and an ordinary user whose home
# folder's name code page 932 cannot hold gets a settings file there.
# Usage: check.sh PACKAGE.deb PATH/TO/BUILT/netedit   (as root, or as a user with sudo)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
deb=$(realpath "${1:?usage: check.sh PACKAGE.deb PATH/TO/BUILT/netedit}")
built=$(realpath "${2:?usage: check.sh PACKAGE.deb PATH/TO/BUILT/netedit}")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
unset NETEDIT_SCREENSHOTS XDG_CONFIG_HOME
work=$(mktemp -d /tmp/netedit-package.XXXXXX)
passed=0
failed=0
started=$SECONDS

report() {
    if [ "$1" -eq 0 ]; then
        passed=$((passed + 1))
        echo "ok   $2"
    else
        failed=$((failed + 1))
        echo "FAIL $2"
    fi
}
# Runs a command as one check; its output is shown only when it fails.
check() {
    local what=$1 status=0
    shift
    "$@" >"$work/check.log" 2>&1 || status=$?
    report "$status" "$what"
    [ "$status" -eq 0 ] || cat "$work/check.log"
}
same() { check "$1" cmp "$2" "$3"; }
equals() { [ "$1" = "$2" ] || { echo "got '$1', want '$2'"; return 1; }; }
# Succeeds when no line of file $2 matches $1, and shows the lines that do.
none() { ! grep -E "$1" "$2"; }

# apt installs the package with what it depends on, waiting for another installation's lock.
apt_installing() {
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq "$1" \
        >"$work/apt.log" 2>&1 || {
        cat "$work/apt.log"
        return 1
    }
}

# dpkg refuses while another installation holds its lock; wait for it as apt-get would.
dpkg_waiting() {
    local attempt
    for attempt in $(seq 60); do
        $sudo dpkg "$@" >"$work/dpkg.log" 2>&1 && return 0
        grep -qi lock "$work/dpkg.log" || break
        sleep 5
    done
    cat "$work/dpkg.log"
    return 1
}

began=$SECONDS
lintian --pedantic --display-info "$deb" >"$work/lintian.log" 2>&1 || true
check "lintian --pedantic reports no error and no warning" none '^[EW]: ' "$work/lintian.log"
check "lintian reports no hardening tag" none 'hardening' "$work/lintian.log"
mkdir "$work/unpacked"
dpkg-deb -x "$deb" "$work/unpacked"
check "desktop-file-validate" desktop-file-validate "$work/unpacked/usr/share/applications/netedit.desktop"
check "appstreamcli validate" appstreamcli validate --no-net \
    "$work/unpacked/usr/share/metainfo/org.example.netedit.metainfo.xml"
echo "package: the validators took $((SECONDS - began)) s"

# One session in $work/session with the sample in data/ and a home of its own; the desktop's
# handler for documents (xdg-open, first on PATH) only records what it was asked to open.
# Usage: session COMMAND...   (%f in the command stands for the sample)
session() {
    local dir="$work/session" began=$SECONDS status=0 word
    local -a command=()
    mkdir -p "$dir/data" "$dir/home" "$dir/runtime" "$dir/bin"
    chmod 700 "$dir/runtime"
    cp "$root/examples/OBN.NET" "$dir/data/OBN.NET"
    printf '#!/bin/sh\necho "$@" >>%s/help-request\n' "$dir" >"$dir/bin/xdg-open"
    chmod +x "$dir/bin/xdg-open"
    for word in "$@"; do
        command+=("${word//%f/$dir/data/OBN.NET}")
    done
    (cd "$dir/data" && HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" PATH="$dir/bin:$PATH" xvfb-run -a \
        -s "-screen 0 1280x1024x24 -noreset -nolisten tcp" \
        dbus-run-session -- "$root/tests/e2e/drive.sh" "$dir" given-file 1 "${command[@]}") || status=$?
    report "$status" "the session with '$*' ran to its end ($((SECONDS - began)) s)"
    [ "$status" -eq 0 ]
}

# An ordinary user whose home folder is named with "é" starts the installed program with a
# sample beside that home (a net data path must be one code page 932 holds): the open writes the
# settings file under the home.
home_of_renee() {
    local homes=$1 home=$1/Renée
    mkdir -p "$homes/data" "$home/runtime"
    chmod 700 "$home/runtime"
    cp "$root/examples/OBN.NET" "$homes/data/OBN.NET"
    chown -R nobody:nogroup "$homes"
    local -a as_nobody=(sudo -u nobody)
    [ -n "$sudo" ] || as_nobody=(runuser -u nobody --)
    "${as_nobody[@]}" env HOME="$home" XDG_RUNTIME_DIR="$home/runtime" xvfb-run -a \
        -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c '/usr/bin/netedit "$HOME/../data/OBN.NET" & program=$!
            for attempt in $(seq 100); do [ -s "$HOME/.config/netedit/netedit.INI" ] && break; sleep 0.2; done
            kill "$program"' >"$work/renee.log" 2>&1 || true
    printf 'SrcFile=\r\nDstFile=\r\n' >"$work/renee-settings.want"
    same "an open by a user whose home is $home wrote the settings file there" \
        "$work/renee-settings.want" "$home/.config/netedit/netedit.INI"
}

began=$SECONDS
if apt_installing "$deb"; then
    report 0 "apt-get install ($((SECONDS - began)) s)"
    trap '$sudo dpkg -r netedit >/dev/null 2>&1 || true' EXIT # never left installed by a failed check
    check "a font with Japanese glyphs is installed" test -n "$(fc-list :lang=ja family)"
    for sample in OBN7.NET obn.net; do
        cp "$root/examples/OBN.NET" "$work/$sample"
        check "the desktop knows $sample as a net data file" equals \
            "$(xdg-mime query filetype "$work/$sample")" application/x-obn-netdata
    done
    check "the desktop opens net data files with netedit" equals \
        "$(xdg-mime query default application/x-obn-netdata)" netedit.desktop
    chmod 711 "$work" # the user reaches the homes below it, and nothing else
    mkdir -m 755 "$work/homes"
    home_of_renee "$work/homes"
    # The build tree's program, a copy in a folder of its own that keeps its settings beside it.
    mkdir -p "$work/session/prog"
    cp "$built" "$work/session/prog/netedit"
    session "$work/session/prog/netedit" %f || true
    mv "$work/session" "$work/built"
    # The installed one, started as the desktop starts it, from the entry's command.
    read -ra exec_line < <(sed -n 's/^Exec=//p' /usr/share/applications/netedit.desktop)
    if session "${exec_line[@]}"; then
        dir="$work/session"
        same "OBNNET.ORG holds the sample" "$root/examples/OBN.NET" "$dir/data/OBNNET.ORG"
        check "the new file holds the two entries moved" test "$(grep -c '^\[' "$dir/data/OBN.NET")" -eq 2
        for file in OBN.NET OBNNET.ORG OBNNET.TMP; do
            same "the installed program wrote $file as the built one" "$work/built/data/$file" "$dir/data/$file"
        done
        check "the built program kept its settings beside itself" test -f "$work/built/prog/netedit.INI"
        same "the installed program kept the same settings in ~/.config/netedit/" \
            "$work/built/prog/netedit.INI" "$dir/home/.config/netedit/netedit.INI"
        check "nothing written beside the installed program" test ! -e /usr/bin/netedit.INI
        echo "file:///usr/share/netedit/help.html" >"$work/help-request.want"
        same "the help button asked the desktop for the installed help page" \
            "$work/help-request.want" "$dir/help-request"
    fi
    began=$SECONDS
    check "dpkg -r" dpkg_waiting -r netedit
    check "the program is gone again" test ! -e /usr/bin/netedit
    trap - EXIT
    echo "package: removing took $((SECONDS - began)) s"
else
    report 1 "apt-get install"
fi

echo "package: all checks took $((SECONDS - started)) s"
if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "package: files kept in $work"
fi
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
