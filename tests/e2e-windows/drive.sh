#!/usr/bin/env bash
# Drives the Windows program in $work/$PROG_FOLDER under Wine with real X input events, inside an X
# server with a window manager (Wine hands its windows to one; without one every closing window
# costs two seconds): the steps of the Linux road's edit session, through the real common
# dialogs and the program's own boxes. Paths go into the file dialogs by the clipboard, since
# typed characters outside the key map never arrive.
# Scenarios:
#   edit         open FILE, move entries, close and keep the program by the close question
#                (switching to another program and back while it is up), close the task-bar
#                entry while the save question is up, save over FILE, press the help button (the
#                desktop's handler records the request in $work/help-request), close
#   by-hand      FILE dropped on the window from another program; entries moved by double clicks,
#                drags and Alt+Up/Alt+Down; save over FILE, close
#   failed-open  name FILE (which is missing) in the open dialog, close the error box, close
#   command-line start with --version, with /? and with two files (each answers in a box, with
#                no main window; the exit statuses go to $work/status-NAME), then with
#                "-- -odd.NET", a copy of FILE: the main window opens it, close
# SCALE is the screen's scale in percent (200: 192 dpi), by which every position in the window is
# multiplied.
# Usage: drive.sh WORK_DIR SCENARIO FILE_AS_WINDOWS_PATH SCALE
#        (NETEDIT_SCREENSHOTS=DIR also writes DIR/windows-window.png at scale 1)
set -Eeuo pipefail
. "$(cd "$(dirname "$0")" && pwd)/../e2e/editing_steps.sh"
work=$1
scenario=$2
sample=$3
scale=$4
deadline_seconds=${NETEDIT_E2E_WAIT:-30}
title='Orbelin Netdata Editor'
app_pid=""
manager=""
main=""

stop() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
    return 0
}

fail() {
    echo "e2e-windows: $*" >&2
    local picture="$work/failure.png"
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$picture" 2>/dev/null &&
        echo "e2e-windows: screen at the failure: $picture" >&2
    stop
    exit 1
}

# Any other command that fails ends the session with its line.
trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR

# Polls until the command after `what` succeeds; its output (a window id) is the result.
wait_for() {
    local what=$1 result
    shift
    local end=$((SECONDS + deadline_seconds))
    while ! result=$("$@"); do
        [ -z "$app_pid" ] || kill -0 "$app_pid" 2>/dev/null || fail "the program ended while waiting for $what"
        [ "$SECONDS" -lt "$end" ] || fail "timed out after ${deadline_seconds}s waiting for $what"
        sleep 0.1
    done
    echo "$result"
}

# Wine's X window is the client area: its origin comes from xwininfo, not from xdotool, whose
# position is shifted by the frame.
origin() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'; }
width_of() { xwininfo -id "$1" | awk '/^ *Width:/ { print $NF }'; }

# Visible windows titled exactly $1, less the window of no size that names the program in the
# task bar (it bears the program title, as the notice does). None at all is an answer, not a
# failure of the session: before the program has a window, no window bears its title.
window_named() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        [ "$(width_of "$id" 2>/dev/null || echo 0)" -gt 1 ] && echo "$id" && return 0
    done
    return 1
}
# Whole outputs are read before they are searched: an early match would cut off the writer, and
# the pipe would fail.
managed() { [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *"window id"* ]]; }
gone() { ! grep -qx "$1" <<<"$(xdotool search --onlyvisible --name . 2>/dev/null)"; }

expect_window() { wait_for "$1" window_named "$2"; }
# The window of no size that names the program in the task bar: the one the task bar closes.
taskbar_entry() {
    local id
    for id in $(xdotool search --name '^netedit$' 2>/dev/null); do
        [ "$(width_of "$id" 2>/dev/null || echo 9)" -le 1 ] && echo "$id" && return 0
    done
    return 1
}
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# Usage: switch_to WINDOW WHAT
switch_to() {
    xdotool windowactivate "$1"
    wait_for "$2 in front" active_is "$1" >/dev/null
}

# A length at 96 dpi on this screen, rounded as the program rounds it.
px() { echo $((($1 * scale + 50) / 100)); }
# A position in the main window's client area, given at 96 dpi (the same as on Linux), on the screen.
at() {
    local x y
    read -r x y < <(origin "$main")
    echo $((x + $(px "$1"))) $((y + $(px "$2")))
}
click() { xdotool mousemove $(at "$1" "$2") click 1; }
ctrl_click() { xdotool mousemove $(at "$1" "$2") keydown ctrl click 1 keyup ctrl; }
double_click() { xdotool mousemove $(at "$1" "$2") click --repeat 2 --delay 80 1; }
# Presses at ($1, $2), moves in steps to ($3, $4) and releases there, as a hand drags.
drag() {
    local step
    xdotool mousemove $(at "$1" "$2") mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $(at $(($1 + ($3 - $1) * step / 6)) $(($2 + ($4 - $2) * step / 6)))
        sleep 0.1
    done
    xdotool mouseup 1
}
# Keys for the main window, with the pointer resting in the left list's empty part, off every button.
keys() { xdotool mousemove $(at 140 300) key --delay 30 "$@"; }
# Rows of the lists: 14 pixels apart with the window font, the first centred 8 below the list's top.
row() { echo $((89 + 14 * $1)); }
left_row() { click 100 "$(row "$1")"; }
include() { click 294 114; } # ">"
exclude() { click 294 222; } # "<"
save_button() { click 189 428; }
close_button() { click 402 428; }
# The pointer then off the button, where its hint would show.
help_button() { click 508 428 && xdotool mousemove $(at 140 300); }

# Pastes a full path into a file dialog's name field, which has the focus, and accepts it.
answer_file_dialog() {
    printf '%s' "$2" | xclip -selection clipboard -i 2>/dev/null
    xdotool key --delay 50 End shift+Home ctrl+v Return
    wait_for "the file dialog to close" gone "$1" >/dev/null
}

# Answers the box now shown, titled $2, with the keys $3.
answer_box() {
    local box
    box=$(expect_window "$1" "$2")
    xdotool key --delay 50 $3
    wait_for "$1 to close" gone "$box" >/dev/null
}

shoot_main() {
    [ -n "${NETEDIT_SCREENSHOTS:-}" ] && [ "$scale" -eq 100 ] || return 0
    local x y left right top bottom
    read -r x y < <(origin "$main")
    # The frame the window manager drew: left, right, top, bottom.
    read -r left right top bottom < <(xprop -id "$main" _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $3, $4, $5, $6 }')
    sleep 1 # painting done
    xwd -root -silent | xwdtopnm 2>/dev/null |
        pnmcut $((x - left)) $((y - top)) $((587 + left + right)) $((461 + top + bottom)) |
        pnmtopng >"$NETEDIT_SCREENSHOTS/windows-window.png"
}

wait_for_end() {
    local end=$((SECONDS + deadline_seconds))
    while kill -0 "$app_pid" 2>/dev/null; do
        [ "$SECONDS" -lt "$end" ] || fail "the program did not end after the close button"
        sleep 0.1
    done
    local status=0
    wait "$app_pid" || status=$?
    echo "$status" >"$work/exit-status"
}

openbox >/dev/null 2>&1 &
manager=$!
wait_for "the window manager" managed >/dev/null
# The prefix is made here; a complaint of wineboot's is no reason to stop, the program's start
# shows whether the prefix serves.
wine wineboot -i >"$work/wineboot.log" 2>&1 || echo "e2e-windows: wineboot ended with $?" >&2
# A desktop opens pages in its browser; this prefix, made without Wine's own browser engine, has
# no handler for them until told, as a desktop's default browser would tell it.
wine reg add 'HKCR\.html' /ve /d htmlfile /f >>"$work/wineboot.log" 2>&1
# The screen's dpi, which Wine takes from the registry when a program starts.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$(px 96)" /f >>"$work/wineboot.log" 2>&1

# Starts the program with the arguments after NAME, which answers in a box and ends without its
# main window; Enter closes the box, and the exit status goes to $work/status-NAME.
# Usage: box_only NAME ARGUMENT...
box_only() {
    local name=$1
    shift
    wine "$work/$PROG_FOLDER/netedit.exe" "$@" >>"$work/netedit.log" 2>&1 &
    app_pid=$!
    box=$(expect_window "the box for $name" netedit)
    ! window_named "$title" >/dev/null || fail "$name: the main window showed"
    answer_box "the box for $name" netedit Return
    wait_for_end
    mv "$work/exit-status" "$work/status-$name"
}

arguments=()
if [ "$scenario" = command-line ]; then
    box_only version --version
    box_only help '/?'
    box_only two A.NET B.NET
    cp -- OBN.NET -odd.NET # the sample the session put in this, the current folder
    arguments=(-- -odd.NET)
fi

wine "$work/$PROG_FOLDER/netedit.exe" "${arguments[@]}" >>"$work/netedit.log" 2>&1 &
app_pid=$!
main=$(expect_window "the main window" "$title")
[ "$(width_of "$main")" -eq "$(px 587)" ] || fail "the window is $(width_of "$main") wide at $(px 96) dpi"
sleep 0.5 # the first paint disables the save button; Enter before it would press that button

drag_source() { xdotool search --onlyvisible --name '^file drag source$' | head -n1 | grep .; }
gone_process() { ! kill -0 "$1" 2>/dev/null; }

if [ "$scenario" = command-line ]; then
    # The file named after "--" opened at the start: no box says it could not (and the settings
    # file, written after a load only, tells). The close button ends the program.
    sleep 1
    ! window_named netedit >/dev/null || fail "a box at the start: the file after -- did not open"
    close_button
    wait_for_end
    stop
    exit 0
fi

if [ "$scenario" = by-hand ]; then
    # The sample dragged from another program onto the window, before the first load, opens it.
    # The source's drag follows the pointer by the core protocol's events, which xdotool sends.
    QT_XCB_NO_XI2=1 "$NETEDIT_FILE_DRAG_SOURCE" "$DROPPED_FILE" &
    source_pid=$!
    source=$(wait_for "the file drag source" drag_source)
    read -r x y < <(origin "$source")
    xdotool mousemove $((x + 20)) $((y + 20)) mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $(at $((40 * step)) 300)
        sleep 0.2
    done
    xdotool mouseup 1
    wait_for "the drag source to end" gone_process "$source_pid" >/dev/null
    switch_to "$main" "the main window"
    order_by_hand
    save_button
    answer_box "the save question" "情報" y
    dialog=$(expect_window "the save dialog" "Save As")
    answer_file_dialog "$dialog" "$sample"
    answer_box "the notice" netedit Return
    close_button
    wait_for_end
    stop
    exit 0
fi

# Enter at the start presses the open button; the dialog starts at the sample the settings name.
keys Return
dialog=$(expect_window "the open dialog" Open)
answer_file_dialog "$dialog" "$sample"

if [ "$scenario" = failed-open ]; then
    # The file named does not exist: the error box, inside the screen however long the path,
    # then the close button ends the program.
    box=$(expect_window "the error box" netedit)
    read -r x y < <(origin "$box")
    [ "$x" -ge 0 ] && [ $((x + $(width_of "$box"))) -le "$(px 1280)" ] ||
        fail "the error box stands at $x and is $(width_of "$box") wide on a screen $(px 1280) wide"
    answer_box "the error box" netedit Return
    close_button
    wait_for_end
    stop
    exit 0
fi

edit_the_sample
shoot_main

# A box keeps its focus as the system's own do: in the close question Tab takes the focus to
# いいえ, a switch to another program and back leaves it there, and Enter answers いいえ.
close_button
box=$(expect_window "the close question" "警告")
xdotool key Tab
xmessage -name other "another program" 2>/dev/null &
other_pid=$!
other=$(wait_for "the other program" xdotool search --onlyvisible --classname '^other$')
switch_to "$other" "the other program"
switch_to "$box" "the close question"
kill "$other_pid"
xdotool key Return
wait_for "the close question to close" gone "$box" >/dev/null
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "the close question's Enter after a switch away and back ended the program"
window_named "$title" >/dev/null || fail "the main window is gone after いいえ"

# The arrow keys walk a box's buttons as in the system's own boxes: Right takes the focus from
# はい to いいえ, whose Enter declines the save, so no save dialog follows.
save_button
answer_box "the save question" "情報" "Right Return"
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null || true)" ] ||
    fail "Right and Enter did not decline the save question"

# The task bar's close while the save question is up (the window manager's close of the task-bar
# entry) brings the question to the front and asks nothing more.
save_button
box=$(expect_window "the save question" "情報")
wmctrl -i -c "$(wait_for "the task-bar entry" taskbar_entry)"
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^警告$' 2>/dev/null || true)" ] ||
    fail "the task bar's close asked the close question over the save question"
active_is "$box" || fail "the save question is not in front after the task bar's close"

# The save button: Y to the question, the loaded file named in the save dialog, the notice accepted.
answer_box "the save question" "情報" y
dialog=$(expect_window "the save dialog" "Save As")
answer_file_dialog "$dialog" "$sample"
answer_box "the notice" netedit Return

# No help file stands beside the program: the help button opens the program's own page in the
# browser, and no box says otherwise.
help_button
wait_for "the browser to be asked for the help" test -s "$work/help-request" >/dev/null
sleep 1
! window_named netedit >/dev/null || fail "a box instead of the help"

# After a save the close button ends the program without a question.
close_button
wait_for_end
stop
