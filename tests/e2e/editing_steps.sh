# The editing road both programs take between the open and the save, so that the files they
# write can be compared byte for byte. Sourced by a driver that defines left_row, row,
# ctrl_click, include, exclude and keys for its own window.
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
