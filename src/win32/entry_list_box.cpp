#include "win32/entry_list_box.h"

#include "transfer/entry_storage.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <commctrl.h>
#include <windowsx.h>

namespace netedit::win32 {

namespace {
constexpr UINT_PTR DragSubclassId = 2; // beside the reader's subclass
} // namespace

EntryListBox::EntryListBox(HWND parent, int id, std::wstring name, std::wstring description)
    : hwnd_(::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL |
                                  LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleW(nullptr), nullptr)),
      name_(std::move(name)), description_(std::move(description)), access_(hwnd_, *this),
      listProcedure_(reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd_, GCLP_WNDPROC))) {
    ::SetWindowSubclass(hwnd_, Procedure, DragSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

EntryListBox::~EntryListBox() {
    if (::IsWindow(hwnd_)) {
        ::RemoveWindowSubclass(hwnd_, Procedure, DragSubclassId);
    }
}

LRESULT CALLBACK EntryListBox::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR self) {
    auto* list = reinterpret_cast<EntryListBox*>(self);
    if (message == WM_LBUTTONDOWN && list->pressed(lParam, wParam)) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, Procedure, DragSubclassId);
    }
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        list->paintDropLine();
    }
    return result;
}

bool EntryListBox::pressed(LPARAM lParam, WPARAM wParam) {
    if ((wParam & (MK_SHIFT | MK_CONTROL)) != 0 || !onDragStart) {
        return false;
    }
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(hwnd_, &screen);
    const std::optional<std::size_t> row = rowAt(screen);
    if (!row) {
        return false;
    }
    ::SetFocus(hwnd_);
    const bool chosen = ::SendMessageW(hwnd_, LB_GETSEL, *row, 0) > 0;
    if (!chosen) {
        selectAlone(*row);
    }
    const bool buttonDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0; // not so for a click sent by a program
    if (buttonDown && ::DragDetect(hwnd_, screen)) {
        onDragStart();
    } else if (chosen) {
        selectAlone(*row);
    }
    return true;
}

void EntryListBox::selectAlone(std::size_t row) {
    dropSelection();
    ::SendMessageW(hwnd_, LB_SETSEL, TRUE, static_cast<LPARAM>(row));
    ::SendMessageW(hwnd_, LB_SETANCHORINDEX, row, 0);
    ::SendMessageW(hwnd_, LB_SETCARETINDEX, row, FALSE);
    // As the list's own click: the window hears of a selection the user changed.
    const int id = ::GetDlgCtrlID(hwnd_);
    ::SendMessageW(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(hwnd_));
}

std::optional<ListPointer> EntryListBox::pointerAt(POINT screen, Control control) const {
    POINT point = screen;
    RECT client{};
    ::ScreenToClient(hwnd_, &point);
    ::GetClientRect(hwnd_, &client);
    if (!::PtInRect(&client, point)) {
        return std::nullopt;
    }
    const auto height = static_cast<int>(::SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(::SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
    return ListPointer{control, point.y, -top * height, height, client.bottom};
}

RECT EntryListBox::dropLineRect(int top) const {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    return {0, top, client.right, top + DropLineThickness};
}

void EntryListBox::showDropLine(std::optional<int> top) {
    if (top == dropLine_) {
        return;
    }
    for (const std::optional<int>& line : {dropLine_, top}) {
        if (line) {
            const RECT place = dropLineRect(*line);
            ::InvalidateRect(hwnd_, &place, TRUE);
        }
    }
    dropLine_ = top;
}

void EntryListBox::paintDropLine() const {
    if (dropLine_) {
        const RECT place = dropLineRect(*dropLine_);
        const HDC dc = ::GetDC(hwnd_);
        ::FillRect(dc, &place, ::GetSysColorBrush(COLOR_WINDOWTEXT)); // the text's colour, in every theme
        ::ReleaseDC(hwnd_, dc);
    }
}

void EntryListBox::scrollByRow(int step) {
    ::SendMessageW(hwnd_, WM_VSCROLL, step < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

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

// The control keeps its selection and caret by row, so both move down past the new rows.
void EntryListBox::insertAt(std::size_t position, std::vector<std::string>&& entries) {
    std::vector<std::size_t> selected = selectedPositions();
    const std::optional<std::size_t> caret = focusedRow();
    const std::size_t added = entries.size();
    InsertEntries(entries_, position, std::move(entries));
    for (std::size_t& row : selected) {
        row += row >= position ? added : 0;
    }
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hwnd_, LB_SETCOUNT, entries_.size(), 0);
    reselect(selected);
    if (caret) {
        ::SendMessageW(hwnd_, LB_SETCARETINDEX, *caret + (*caret >= position ? added : 0), FALSE);
    }
    showCount();
}

void EntryListBox::reorder(const std::vector<std::size_t>& order) {
    const std::vector<std::size_t> selected = selectedPositions();
    const std::optional<std::size_t> caret = focusedRow();
    ReorderItems(entries_, order);
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    reselect(NewPositionsOf(order, selected));
    if (const std::optional<std::size_t> moved = caret ? NewPositionOf(order, *caret) : std::nullopt) {
        ::SendMessageW(hwnd_, LB_SETCARETINDEX, *moved, FALSE); // and scrolls it into view
    }
    showCount();
}

void EntryListBox::reselect(const std::vector<std::size_t>& positions) {
    dropSelection();
    // Straight to the list box's own procedure: the subclasses above it want none of these, and
    // on Wine each pass through them costs trips to its server, seconds over 50,000 runs.
    ForEachRun(positions, [this](std::size_t first, std::size_t last) {
        ::CallWindowProcW(listProcedure_, hwnd_, LB_SELITEMRANGEEX, first, static_cast<LPARAM>(last));
    });
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
    // The control announces its own clicks and selections, but not rows it was given.
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd_, OBJID_CLIENT, CHILDID_SELF);
    if (const std::optional<std::size_t> caret = focusedRow(); caret && HasReaderFocus(hwnd_)) {
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, static_cast<LONG>(*caret + 1));
    }
}

void EntryListBox::dropSelection() {
    ::SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
}

// ---- What a screen reader reads ----

std::wstring EntryListBox::rowName(std::size_t row) const {
    return WideOfCp932(entries_.at(row));
}

long EntryListBox::rowState(std::size_t row) const {
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (::SendMessageW(hwnd_, LB_GETSEL, row, 0) > 0) {
        state |= STATE_SYSTEM_SELECTED;
    }
    if (focusedRow() == row && HasReaderFocus(hwnd_)) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    RECT place{};
    RECT client{};
    RECT seen{};
    ::SendMessageW(hwnd_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&place));
    ::GetClientRect(hwnd_, &client);
    if (!::IntersectRect(&seen, &place, &client)) {
        state |= STATE_SYSTEM_OFFSCREEN; // scrolled out of view
    }
    return state;
}

RECT EntryListBox::rowRect(std::size_t row) const {
    RECT place{};
    ::SendMessageW(hwnd_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&place));
    ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// By the rows' fixed height: the control's own LB_ITEMFROMPOINT gives only 16 bits of row.
std::optional<std::size_t> EntryListBox::rowAt(POINT screen) const {
    POINT point = screen;
    RECT client{};
    ::ScreenToClient(hwnd_, &point);
    ::GetClientRect(hwnd_, &client);
    const auto height = ::SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0);
    const auto top = ::SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
    if (!::PtInRect(&client, point) || height <= 0 || top < 0) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(top + point.y / height);
    return row < entries_.size() ? std::optional(row) : std::nullopt;
}

std::optional<std::size_t> EntryListBox::focusedRow() const {
    const auto caret = ::SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0);
    return caret >= 0 && static_cast<std::size_t>(caret) < entries_.size()
               ? std::optional(static_cast<std::size_t>(caret))
               : std::nullopt;
}

} // namespace netedit::win32
