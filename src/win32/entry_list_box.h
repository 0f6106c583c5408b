#pragma once

#include "transfer/entry_list.h"

#include <string>
#include <vector>
#include <windows.h>

namespace netedit::win32 {

// A native list box of entry texts with extended selection, as the moves see it. It holds no
// strings of its own: the entries stay here in code page 932 and only the rows on screen are
// converted, when drawn, so that 100,000 entries fill and move at once.
class EntryListBox : public EntryList {
public:
    EntryListBox(HWND parent, int id);

    HWND hwnd() const { return hwnd_; }
    void setRowHeight(int pixels);
    // Draws a row, for the parent's WM_DRAWITEM.
    void drawRow(const DRAWITEMSTRUCT& row) const;

    std::size_t count() const override;
    const std::string& entryAt(std::size_t position) const override;
    std::vector<std::size_t> selectedPositions() const override;
    void append(std::vector<std::string>&& entries) override;
    void removeAt(const std::vector<std::size_t>& positions) override;
    std::vector<std::string> takeAll() override;
    void selectAt(std::size_t position) override;
    void focus() override;

private:
    // Tells the control how many rows there are, drawing once afterwards.
    void showCount();
    void dropSelection();

    HWND hwnd_;
    std::vector<std::string> entries_;
};

} // namespace netedit::win32
