#!/usr/bin/env bash
# Drives one session of the program in $work/prog with real X input events, inside an X server
# without a window manager: the program gives its boxes the keyboard focus itself, and the
# driver gives it back to the main window where a window manager would. Between the steps a
# screen reader's view of the window, read over the accessibility bus, is compared with the one
# expected in expected/accessible-*.txt.
# Scenarios:
#   edit         open the sample, move entries by the moves' keys alone and back, then with
#                clicks and keys, save over the loaded file by a click on the save button, close
#   failed-open  click the open button, name a missing file, close the error box, close
#   by-hand      the sample dropped on the window from another program; entries moved by double
#                clicks, drags and Alt+Up/Alt+Down; save over the sample, close
#   given-file   started with the sample named on its command line: move two entries, save over
#                the sample, press the help button (the desktop's handler records the request in
#                $work/help-request), close
# SCALE is the screen's scale (2: 192 dpi), by which every position in the window is multiplied.
# COMMAND starts the program; by default $work/prog/netedit.
# Usage: drive.sh WORK_DIR SCENARIO SCALE [COMMAND...]   (NETEDIT_SCREENSHOTS=DIR also writes the README pictures)
set -Eeuo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/editing_steps.sh"
work=$1
scenario=$2
scale=$3
shift 3
command=("$@")
[ ${#command[@]} -gt 0 ] || command=("$work/prog/netedit")
sample="$work/data/OBN.NET"
deadline_seconds=${NETEDIT_E2E_WAIT:-20}
title='Orbelin Netdata Editor'
app_pid=""
main=""
listener=""

fail() {
    echo "e2e: $*" >&2
    local picture="$work/failure.png"
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$picture" 2>/dev/null &&
        echo "e2e: screen at the failure: $picture" >&2
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$listener" ] && kill "$listener" 2>/dev/null
    exit 1
}

# Any other command that fails ends the session with its line.
trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR

# The program's visible dialogs and boxes: not its main window, hints or popup lists, which may
# come and go at any moment.
dialogs() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        [ "$id" != "${main:-none}" ] || continue
        [[ "$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null)" == *_NET_WM_WINDOW_TYPE_DIALOG* ]] && echo "$id"
    done
    return 0
}

# Polls until `condition` succeeds; its output (a window id) is the result.
wait_for() {
    local what=$1 condition=$2 result
    local end=$((SECONDS + deadline_seconds))
    while ! result=$($condition); do
        kill -0 "$app_pid" 2>/dev/null || fail "the program ended while waiting for $what"
        [ "$SECONDS" -lt "$end" ] || fail "timed out after ${deadline_seconds}s waiting for $what"
        sleep 0.1
    done
    echo "$result"
}

main_window() { xdotool search --onlyvisible --pid "$app_pid" --name "^$title\$" | head -n1 | grep .; }
one_dialog() { dialogs | head -n1 | grep .; }
# Whole outputs are compared, never piped into "grep -q": under pipefail a writer cut short by
# grep's early exit would fail the test of a window that is there.
no_dialog() { [ -z "$(dialogs)" ]; }
gone() { ! grep -qx "$1" <<<"$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true)"; }

# The dialog now shown, checked by its title where the title is the program's own.
expect_dialog() {
    local what=$1 title=${2:-} id name
    id=$(wait_for "$what" one_dialog)
    name=$(xdotool getwindowname "$id")
    [ -z "$title" ] || [ "$name" = "$title" ] || fail "expected $what titled '$title', found '$name'"
    echo "$id"
}

# A desktop's window manager gives the keyboard focus to the main window when it appears and
# again when a box over it closes; without one, the driver does it, as the user's click would.
refocus() { xdotool windowfocus --sync "$main"; }

# Positions in the window are given at scale 1.
at() { echo $(($1 * scale)) $(($2 * scale)); }
# Keys for the main window, with the pointer resting in the left list's empty part, off every button.
keys() { xdotool mousemove --window "$main" $(at 140 300) key --delay 30 "$@"; }
click() { xdotool mousemove --window "$main" $(at "$1" "$2") click 1; }
ctrl_click() { xdotool mousemove --window "$main" $(at "$1" "$2") keydown ctrl click 1 keyup ctrl; }

double_click() { xdotool mousemove --window "$main" $(at "$1" "$2") click --repeat 2 --delay 80 1; }
# Presses at ($1, $2), moves in steps to ($3, $4) and releases there, as a hand drags.
drag() {
    local step
    xdotool mousemove --window "$main" $(at "$1" "$2") mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove --window "$main" $(at $(($1 + ($3 - $1) * step / 6)) $(($2 + ($4 - $2) * step / 6)))
        sleep 0.05
    done
    xdotool mouseup 1
}

# Rows of the lists: 14 pixels apart with the window font, the first centred 8 below the list's top.
row() { echo $((89 + 14 * $1)); }
left_row() { click 100 "$(row "$1")"; }
include() { click 294 114; }  # ">"
exclude() { click 294 222; }  # "<"
# A push button's click, the pointer then off the button, where its hint would show and be
# taken for a box.
press_button() { click "$1" "$2" && xdotool mousemove --window "$main" $(at 140 300); }
open_button() { press_button 82 428; }
save_button() { press_button 189 428; }
close_button() { click 402 428; }
help_button() { press_button 508 428; }

# What a screen reader finds in the window titled $2 (the main window by default), once it is
# what expected/accessible-$1.txt says, with $WORK for the session's folder; the bus passes
# changes on a little later than the window shows them.
expect_accessible() {
    local expected="$here/expected/accessible-$1.txt" got="$work/accessible-$1.txt"
    local end=$((SECONDS + deadline_seconds))
    until /usr/bin/python3 "$here/read_accessible.py" netedit "${2:-$title}" 2>&1 | sed "s|$work|\$WORK|g" >"$got" &&
        cmp -s "$expected" "$got"; do
        if [ "$SECONDS" -ge "$end" ]; then
            diff -u "$expected" "$got" >&2 || true
            fail "a screen reader does not read the window as expected/accessible-$1.txt"
        fi
        sleep 0.2
    done
}

# Types a full path into a file dialog's name field, which has the focus, and accepts it.
answer_file_dialog() {
    xdotool mousemove --window "$1" 300 150 type --delay 10 "$2"
    xdotool key Return
    wait_for "the file dialog to close" "gone $1" >/dev/null
}

# A window's picture, once two captures in a row agree (painting has finished).
capture() {
    local id=$1 out=$2 previous=""
    local end=$((SECONDS + deadline_seconds))
    while :; do
        xwd -id "$id" -silent | xwdtopnm 2>/dev/null >"$out.new"
        if [ -n "$previous" ] && cmp -s "$out.new" "$previous"; then
            mv "$out.new" "$out"
            rm -f "$previous"
            return
        fi
        [ "$SECONDS" -lt "$end" ] || fail "the window $id never stopped changing"
        mv "$out.new" "$out.old"
        previous="$out.old"
        sleep 0.2
    done
}

origin() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/ { x = $2 } /^Y=/ { y = $2 } END { print x, y }'; }

# Pictures at scale 2 are named as their 1x ones with "@2x".
picture_name() { [ "$scale" -eq 1 ] && echo "$1.png" || echo "$1@${scale}x.png"; }

shoot_main() {
    [ -n "${NETEDIT_SCREENSHOTS:-}" ] || return 0
    xdotool mousemove --window "$main" $(at 140 300) # no button drawn raised under the pointer
    capture "$main" "$work/main.pnm"
    pnmtopng "$work/main.pnm" >"$NETEDIT_SCREENSHOTS/$(picture_name main-window)"
}

# The box over the main window. The box is captured by itself and laid onto the main window's
# picture, since a capture of the whole screen shows the box's area black in this X server.
shoot_box() {
    [ -n "${NETEDIT_SCREENSHOTS:-}" ] || return 0
    local box=$1 name=$2 mx my bx by
    capture "$main" "$work/main.pnm"
    capture "$box" "$work/box.pnm"
    read -r mx my < <(origin "$main")
    read -r bx by < <(origin "$box")
    pnmpaste "$work/box.pnm" $((bx - mx)) $((by - my)) "$work/main.pnm" | pnmtopng \
        >"$NETEDIT_SCREENSHOTS/$(picture_name "$name")"
}

# Waits for the program to end and keeps its exit status.
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

# A screen reader is running: the accessibility bus is switched on before the program starts.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
if [ "$scale" -ne 1 ]; then
    # The desktop's font resolution, which the program reads as the screen's scale.
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$((96 * scale))"
fi

"${command[@]}" >"$work/netedit.log" 2>&1 &
app_pid=$!
main=$(wait_for "the main window" main_window)
sleep 0.5 # the first paint disables the save button; Enter before it would press that button
refocus
[ "$scenario" = given-file ] || expect_accessible start

# A click on the save button, Y to the question, the sample named in the save dialog, the notice
# accepted.
save_over_the_sample() {
    save_button
    local box dialog notice
    box=$(expect_dialog "the save question" "情報")
    shoot_box "$box" save-question
    xdotool mousemove --window "$box" 20 20 key y
    wait_for "the question to close" "gone $box" >/dev/null
    dialog=$(expect_dialog "the save dialog")
    answer_file_dialog "$dialog" "$sample"
    notice=$(expect_dialog "the notice")
    xdotool mousemove --window "$notice" 20 20 key Return
    wait_for "the notice to close" no_dialog >/dev/null
    refocus
}

# The arrow keys walk a box's buttons as in the system's own boxes: Right takes the focus from
# はい to いいえ, whose Enter declines the save, so no save dialog follows.
decline_the_save_by_arrow_keys() {
    save_button
    local box
    box=$(expect_dialog "the save question" "情報")
    xdotool mousemove --window "$box" 20 20 key --delay 30 Right Return
    wait_for "the question to close" "gone $box" >/dev/null
    sleep 0.5
    no_dialog || fail "Right and Enter did not decline the save question"
    refocus
}

if [ "$scenario" = given-file ]; then
    # The sample is open from the start: the fourth and second entries to the right.
    left_row 3
    ctrl_click 100 "$(row 1)"
    include
    save_over_the_sample
    help_button
    wait_for "the desktop to be asked for the help" "test -s $work/help-request" >/dev/null
    no_dialog || fail "a box instead of the help"
    close_button
    wait_for_end
    exit 0
fi

gone_process() { ! kill -0 "$1" 2>/dev/null; }
drag_source() { xdotool search --onlyvisible --name '^file drag source$' | head -n1 | grep .; }

if [ "$scenario" = by-hand ]; then
    # The sample dragged from another program onto the window, before the first load, opens it.
    # The source's drag follows the pointer by the core protocol's events, which the fake
    # pointer of xdotool sends: its window stands at the screen's top left.
    QT_XCB_NO_XI2=1 "$NETEDIT_FILE_DRAG_SOURCE" "$sample" &
    source_pid=$!
    wait_for "the file drag source" drag_source >/dev/null
    read -r main_x main_y < <(origin "$main")
    xdotool mousemove 60 40 mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $((main_x + 40 * step * scale)) $((main_y + 300 * scale))
        sleep 0.1
    done
    xdotool mouseup 1
    wait_for "the drag source to end" "gone_process $source_pid" >/dev/null
    refocus
    expect_accessible opened
    order_by_hand
    save_over_the_sample
    close_button
    wait_for_end
    exit 0
fi

if [ "$scenario" = failed-open ]; then
    # A click on the open button and a missing file: once the error box is closed, no control
    # holds the focus, although the click gave it to the open button.
    open_button
    dialog=$(expect_dialog "the open dialog")
    answer_file_dialog "$dialog" "$work/data/MISSING.NET"
    box=$(expect_dialog "the error box" netedit)
    shoot_box "$box" error-box
    expect_accessible error-box netedit
    xdotool mousemove --window "$box" 20 20 key Return
    wait_for "the error box to close" no_dialog >/dev/null
    refocus
    expect_accessible failed-open
    close_button
    wait_for_end
    exit 0
fi

# Enter at the start presses the open button.
keys Return
dialog=$(expect_dialog "the open dialog")
answer_file_dialog "$dialog" "$sample"
refocus
expect_accessible opened

# The moves by their keys alone, from the left list that Tab reaches past the revert and close
# buttons: Home selects the first entry, Alt+Right moves it and Alt+Shift+Right the rest; then
# Alt+Shift+Left brings them all back in their order, for the editing road to start from.
keys Tab Tab Tab Home alt+Right alt+shift+Right
expect_accessible keys-moved
keys alt+shift+Left

edit_the_sample
expect_accessible moved
shoot_main

# A click on the save button: confirm with Y, name the loaded file, accept the notice. The
# button, disabled by the completed save, leaves the focus with no control.
# A screen reader hears the new target's caption as the path label's new name.
/usr/bin/python3 "$here/read_accessible.py" --listen 600 >"$work/name-changes.txt" 2>&1 &
listener=$!
wait_for "the screen reader to listen" "grep -qs ^listening $work/name-changes.txt" >/dev/null
decline_the_save_by_arrow_keys
save_over_the_sample
expect_accessible saved
heard() { grep -qxF 'label now "/tmp/netedit-e2...OBN.NET"' "$work/name-changes.txt"; }
wait_for "the path label to announce its new text" heard >/dev/null
kill "$listener"

# After a save the close button ends the program without a question.
close_button
wait_for_end
