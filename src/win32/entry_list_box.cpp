#include "win32/entry_list_box.h"

#include "transfer/entry_storage.h"
#include "win32/wide_text.h"

#include <algorithm>

namespace netedit::win32 {

EntryListBox::EntryListBox(HWND parent, int id)
    : hwnd_(::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL |
                                  LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleW(nullptr), nullptr)) {}

void EntryListBox::setRowHeight(int pixels) {
    ::SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, pixels);
}

void EntryListBox::drawRow(const DRAWITEMSTRUCT& row) const {
    if (row.itemID < entries_.size() && (row.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
        const bool selected = (row.itemState & ODS_SELECTED) != 0;
        const std::wstring text = WideOfCp932(entries_[row.itemID]);
        ::SetBkColor(row.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        ::SetTextColor(row.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT box = row.rcItem;
        ::ExtTextOutW(row.hDC, box.left + 2, box.top, ETO_OPAQUE | ETO_CLIPPED, &box, text.c_str(),
                      static_cast<UINT>(text.size()), nullptr);
    }
    if ((row.itemState & ODS_FOCUS) != 0 || row.itemAction == ODA_FOCUS) {
        ::DrawFocusRect(row.hDC, &row.rcItem);
    }
}

std::size_t EntryListBox::count() const {
    return entries_.size();
}

const std::string& EntryListBox::entryAt(std::size_t position) const {
    return entries_.at(position);
}

std::vector<std::size_t> EntryListBox::selectedPositions() const {
    const auto selected = ::SendMessageW(hwnd_, LB_GETSELCOUNT, 0, 0);
    if (selected <= 0) {
        return {};
    }
    std::vector<int> rows(static_cast<std::size_t>(selected));
    const auto got =
        ::SendMessageW(hwnd_, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
    rows.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    return {rows.begin(), rows.end()}; // the control gives them ascending
}

void EntryListBox::append(std::vector<std::string>&& entries) {
    AppendEntries(entries_, std::move(entries));
    showCount();
}

void EntryListBox::removeAt(const std::vector<std::size_t>& positions) {
    dropSelection();
    RemoveAtPositions(entries_, positions);
    showCount();
}

std::vector<std::string> EntryListBox::takeAll() {
    dropSelection();
    std::vector<std::string> all;
    all.swap(entries_);
    showCount();
    return all;
}

void EntryListBox::selectAt(std::size_t position) {
    ::SendMessageW(hwnd_, LB_SETSEL, TRUE, static_cast<LPARAM>(position));
}

void EntryListBox::focus() {
    ::SetFocus(hwnd_);
}

void EntryListBox::showCount() {
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hwnd_, LB_SETCOUNT, entries_.size(), 0);
    ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void EntryListBox::dropSelection() {
    ::SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
}

} // namespace netedit::win32
