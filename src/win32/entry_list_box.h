#pragma once

#include "editor/dragging.h"
#include "transfer/entry_list.h"
#include "win32/accessible.h"

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace netedit::win32 {

// A native list box of entry texts with extended selection, as the moves see it. It holds no
// strings of its own: the entries stay here in code page 932 and only the rows on screen are
// converted, when drawn or read out, so that 100,000 entries fill and move at once. A screen
// reader reads it as a list of `name` whose items are the entries as drawn.
class EntryListBox : public EntryList, public AccessibleControl {
public:
    EntryListBox(HWND parent, int id, std::wstring name, std::wstring description = {});
    ~EntryListBox() override;
    EntryListBox(const EntryListBox&) = delete;
    EntryListBox& operator=(const EntryListBox&) = delete;
    EntryListBox(EntryListBox&&) = delete;
    EntryListBox& operator=(EntryListBox&&) = delete;

    HWND hwnd() const { return hwnd_; }
    void setRowHeight(int pixels);
    // Draws a row, for the parent's WM_DRAWITEM.
    void drawRow(const DRAWITEMSTRUCT& row) const;

    // Called when the user drags the chosen entries out of their place; the window carries on.
    std::function<void()> onDragStart;
    // The pointer at `screen` as a drag sees this list, or nullopt outside its rows area.
    std::optional<ListPointer> pointerAt(POINT screen, Control control) const;
    // The line where dragged entries would land, `top` pixels below the rows' top; nullopt hides it.
    void showDropLine(std::optional<int> top);
    std::optional<int> dropLine() const { return dropLine_; }
    void scrollByRow(int step);

    std::size_t count() const override;
    const std::string& entryAt(std::size_t position) const override;
    std::vector<std::size_t> selectedPositions() const override;
    void append(std::vector<std::string>&& entries) override;
    void insertAt(std::size_t position, std::vector<std::string>&& entries) override;
    void removeAt(const std::vector<std::size_t>& positions) override;
    void reorder(const std::vector<std::size_t>& order) override;
    std::vector<std::string> takeAll() override;
    void selectAt(std::size_t position) override;
    void focus() override;

    long role() const override { return ROLE_SYSTEM_LIST; }
    std::wstring name() const override { return name_; }
    std::wstring description() const override { return description_; }
    long kindState() const override { return STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE; }
    bool takesFocus() const override { return true; }
    bool hasRows() const override { return true; }
    std::size_t rowCount() const override { return entries_.size(); }
    std::wstring rowName(std::size_t row) const override;
    long rowState(std::size_t row) const override;
    RECT rowRect(std::size_t row) const override;
    std::optional<std::size_t> rowAt(POINT screen) const override;
    std::optional<std::size_t> focusedRow() const override;
    std::vector<std::size_t> selectedRows() const override { return selectedPositions(); }

private:
    // Tells the control how many rows there are, drawing once afterwards, and screen readers
    // that the rows changed.
    void showCount();
    void dropSelection();
    // A press of the left button on a row: it chooses that entry alone unless it is chosen
    // already and the press turns into a drag, as the list's own click would.
    bool pressed(LPARAM lParam, WPARAM wParam);
    void selectAlone(std::size_t row);
    void paintDropLine() const;
    RECT dropLineRect(int top) const;
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    // Selects the ascending `positions` again after the rows moved under them.
    void reselect(const std::vector<std::size_t>& positions);

    HWND hwnd_;
    std::vector<std::string> entries_;
    std::wstring name_;
    std::wstring description_;
    AccessibleWindow access_;
    WNDPROC listProcedure_; // the system list box's own, beneath every subclass
    std::optional<int> dropLine_;
};

} // namespace netedit::win32
