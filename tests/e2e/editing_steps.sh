# The editing roads both programs take between the open and the save, so that the files they
# write can be compared byte for byte. Sourced by a driver that defines left_row, row, click,
# ctrl_click, double_click, drag, include, exclude and keys for its own window.
edit_the_sample() {
    # Entries 2 and 0 to the right by click and Ctrl-click, then Escape puts everything back.
    left_row 2
    ctrl_click 100 "$(row 0)"
    include
    keys Escape

    # [11] and [4] to the right; then by keys the third and fourth entries of what is left ([2]
    # and the second [4]); then Tab to the right list, whose first entry ([4]) goes back with "<".
    left_row 11
    ctrl_click 100 "$(row 3)"
    include
    keys Home Down Down shift+Down
    include
    keys Tab Down Up
    exclude
    left_row 1 # a selection to be read and seen
}

# The new file's order made by hand, from the sample just opened.
order_by_hand() {
    # Left: 0 1 2 4 4' 5 6 7 8 9 10 11. Double clicks take 0 and 1 to the right and 0 back; a drag
    # puts 2 before 1; 6 follows by a double click and is dragged to the right list's top.
    double_click 100 "$(row 0)"
    double_click 100 "$(row 0)"
    double_click 447 "$(row 0)"
    drag 100 "$(row 0)" 447 "$(($(row 0) - 4))"
    double_click 100 "$(row 3)"
    drag 447 "$(row 2)" 447 "$(($(row 0) - 4))"
    # Right: 6 2 1. Alt+Up twice and Alt+Down once leave 1 in the middle.
    click 447 "$(row 2)"
    keys alt+Up alt+Up alt+Down
}
