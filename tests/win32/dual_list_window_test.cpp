// The Windows window driven through its real controls with the messages a user's clicks and
// keys send.

#include "editor/pictures.h"
#include "win32/window_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>

// The system's calls for the thumbnail, answered here (Wine's show it nowhere): a copy is kept,
// and the times it was asked to take a new one counted.
namespace {
HBITMAP thumbnail = nullptr;
int thumbnailsOutdated = 0;
} // namespace
extern "C" HRESULT WINAPI DwmSetIconicThumbnail(HWND /*entry*/, HBITMAP picture, DWORD /*flags*/) {
    thumbnail = static_cast<HBITMAP>(::CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return S_OK;
}
extern "C" HRESULT WINAPI DwmInvalidateIconicBitmaps(HWND /*entry*/) {
    ++thumbnailsOutdated;
    return S_OK;
}

namespace netedit::testing {
namespace {

TEST_F(Win32Window, ClicksOnTheRealControlsMoveTheEntriesAndSetTheButtons) {
    using enum Control;
    start({"A", "B", "C"});
    const struct {
        const char* what;
        std::function<void()> act;
        LRESULT left, right;
        std::set<Control> enabled;
    } steps[] = {
        // clang-format off
        {"loaded", [] {}, 3, 0, {IncludeBtn, IncAllBtn}},
        {"a row clicked and moved", [&] { clickRow(SrcList, 1), click(IncludeBtn); }, 2, 1, {OKBtn, IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn}},
        {"a range by Shift", [&] { clickRow(SrcList, 0), clickRow(SrcList, 1, MK_SHIFT), click(IncludeBtn); }, 0, 3, {OKBtn, ExcludeBtn, ExAllBtn}},
        {"Escape reverts", [&] { EXPECT_TRUE(key(VK_ESCAPE)); }, 3, 0, {IncludeBtn, IncAllBtn}},
        {"all over", [&] { click(IncAllBtn); }, 0, 3, {OKBtn, ExcludeBtn, ExAllBtn}},
        // clang-format on
    };
    for (const auto& step : steps) {
        step.act();
        pump();
        EXPECT_EQ(rows(SrcList), step.left) << step.what;
        EXPECT_EQ(rows(DstList), step.right) << step.what;
        EXPECT_EQ(enabled(), step.enabled) << step.what;
    }
    EXPECT_TRUE(dialogs.failures.empty());
}

TEST_F(Win32Window, TabWalksTheEnabledControlsAndFlatButtonsNeverTakeTheFocus) {
    using enum Control;
    start({"A"});
    window->focusControl(None);
    // The spent open button and the save button without entries are passed over.
    for (Control next : {CancelBtn, CloseBtn, SrcList, DstList, BitBtn2, CancelBtn}) {
        ASSERT_TRUE(key(VK_TAB));
        EXPECT_EQ(window->focusedControl(), next);
    }
    clickRow(SrcList, 0);
    click(IncludeBtn);
    EXPECT_EQ(window->focusedControl(), SrcList);
    // Away to another window and back, the focus is where it was.
    clickRow(DstList, 0);
    const HWND other = ::CreateWindowW(L"STATIC", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                       nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    ::SetActiveWindow(window->hwnd());
    EXPECT_EQ(window->focusedControl(), DstList);
    ::DestroyWindow(other);
}

// Logging off asks as any close does while entries wait to be saved, and No refuses.
TEST_F(Win32Window, TheSessionEndAsksTheCloseQuestion) {
    start({"A"});
    EXPECT_EQ(::SendMessageW(window->hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
    click(Control::IncAllBtn);
    dialogs.askAnswers = {results::No, results::Yes};
    EXPECT_EQ(::SendMessageW(window->hwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(::SendMessageW(window->hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(dialogs.questions.size(), 2U);
    // The task bar's close asks too, but never while a box holds the window: then its close,
    // restore and activation bring the box to the front and do nothing else.
    const HWND entry = ::GetWindow(window->hwnd(), GW_OWNER);
    const auto popup = [](HWND owner) {
        return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, owner, nullptr,
                                 nullptr, nullptr);
    };
    const HWND dialog = popup(window->hwnd()); // a file dialog, and the box it shows
    const HWND box = popup(dialog);
    const HWND elsewhere = popup(nullptr);
    ::EnableWindow(window->hwnd(), FALSE);
    ::EnableWindow(dialog, FALSE);
    for (const auto& [message, code] : {std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE},
                                        {WM_SYSCOMMAND, SC_RESTORE},
                                        {WM_ACTIVATE, WA_CLICKACTIVE}}) {
        ::SetForegroundWindow(elsewhere);
        ::SendMessageW(entry, message, code, 0);
        EXPECT_EQ(::GetForegroundWindow(), box) << message << ' ' << code;
    }
    EXPECT_EQ(dialogs.questions.size(), 2U);
    ::DestroyWindow(dialog);
    ::DestroyWindow(elsewhere);
    ::EnableWindow(window->hwnd(), TRUE);
    dialogs.askAnswers = {results::No};
    ::SendMessageW(entry, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(dialogs.questions.size(), 3U);
    EXPECT_TRUE(::IsWindow(window->hwnd()));
    dialogs.askAnswers = {results::Yes};
    ::SendMessageW(entry, WM_SYSCOMMAND, SC_CLOSE, 0);
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "Yes ends the program";
    EXPECT_EQ(quit.wParam, 0U) << "as a success";
}

// In high contrast a button's caption takes the system's button text colour (drawn in a fixed
// black it would vanish), a disabled one the system's grey text: transfer and push buttons alike.
TEST_F(Win32Window, ButtonsDrawInTheSystemsColours) {
    start({"A"});
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_GRAYTEXT};
    const COLORREF usual[] = {::GetSysColor(elements[0]), ::GetSysColor(elements[1]),
                              ::GetSysColor(elements[2])};
    const COLORREF contrast[] = {RGB(0, 0, 0), RGB(255, 0, 255), RGB(0, 255, 0)};
    ::SetSysColors(3, elements, contrast);
    // A control, or a list's first row, drawn as the window draws it: its pixels, row by row.
    const auto pixelsOf = [&](Control control, UINT state) {
        const bool flat = control >= Control::IncludeBtn && control <= Control::ExAllBtn;
        const bool list = control == Control::SrcList || control == Control::DstList;
        DRAWITEMSTRUCT item{};
        item.CtlType = list ? ODT_LISTBOX : flat ? ODT_STATIC : ODT_BUTTON;
        item.itemState = state;
        item.CtlID = static_cast<UINT>(::GetDlgCtrlID(at(control)));
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = at(control);
        ::GetClientRect(item.hwndItem, &item.rcItem);
        const HDC screen = ::GetDC(nullptr);
        item.hDC = ::CreateCompatibleDC(screen);
        const HBITMAP canvas = ::CreateCompatibleBitmap(screen, item.rcItem.right, item.rcItem.bottom);
        const HGDIOBJ old = ::SelectObject(item.hDC, canvas);
        if (list) {
            ::SendMessageW(item.hwndItem, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item.rcItem));
        }
        ::SendMessageW(window->hwnd(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        std::vector<std::vector<COLORREF>> drawn(item.rcItem.bottom,
                                                 std::vector<COLORREF>(item.rcItem.right));
        for (int y = 0; y < item.rcItem.bottom; ++y) {
            for (int x = 0; x < item.rcItem.right; ++x) {
                drawn[y][x] = ::GetPixel(item.hDC, x, y);
            }
        }
        ::SelectObject(item.hDC, old);
        ::DeleteObject(canvas);
        ::DeleteDC(item.hDC);
        ::ReleaseDC(nullptr, screen);
        return drawn;
    };
    const auto coloursOf = [&](Control control) {
        std::set<COLORREF> colours;
        for (const auto& row :
             pixelsOf(control, ::IsWindowEnabled(at(control)) != FALSE ? 0 : ODS_DISABLED)) {
            colours.insert(row.begin(), row.end());
        }
        return colours;
    };
    for (const auto& [on, off] :
         {std::pair{Control::IncludeBtn, Control::ExAllBtn}, {Control::CancelBtn, Control::OKBtn}}) {
        const std::set<COLORREF> enabled = coloursOf(on);
        const std::set<COLORREF> disabled = coloursOf(off);
        EXPECT_TRUE(enabled.contains(contrast[0])) << "the face";
        const Colour fill = ShapesOf(RowOf(Control::CancelBtn)->picture).front().fill;
        EXPECT_EQ(enabled.contains(RGB(fill.red, fill.green, fill.blue)), on == Control::CancelBtn)
            << "its picture";
        EXPECT_TRUE(enabled.contains(contrast[1]) && !enabled.contains(contrast[2])) << "the caption";
        EXPECT_TRUE(disabled.contains(contrast[2]) && !disabled.contains(contrast[1])) << "greyed";
    }
    // Raised under the pointer; once disabled it hears of the pointer no more, and comes back flat.
    const std::set<COLORREF> flat = coloursOf(Control::IncludeBtn);
    ::SendMessageW(at(Control::IncludeBtn), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_NE(coloursOf(Control::IncludeBtn), flat);
    ::EnableWindow(at(Control::IncludeBtn), FALSE);
    ::EnableWindow(at(Control::IncludeBtn), TRUE);
    EXPECT_EQ(coloursOf(Control::IncludeBtn), flat);
    ::SetSysColors(3, elements, usual);
    // The focus rectangle marks the focused row alone: the text leaves the row's left edge blank.
    for (const UINT state : {0U, UINT{ODS_SELECTED}, UINT{ODS_FOCUS}}) {
        const auto edge = pixelsOf(Control::SrcList, state);
        const COLORREF ground = ::GetSysColor(state == ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        EXPECT_EQ(std::ranges::all_of(edge, [&](const auto& row) { return row.front() == ground; }),
                  state != ODS_FOCUS)
            << state;
    }
}

// A drag the list began is carried by the window: the line over the upper or lower half of a row,
// "no drop" outside the lists, where a release changes nothing; a release on a row drops there.
TEST_F(Win32Window, ADragShowsWhereTheEntriesLandAndOnlyADropInAListMovesThem) {
    start({"A", "B", "C"});
    clickRow(Control::SrcList, 0);
    click(Control::IncludeBtn);
    clickRow(Control::SrcList, 1); // C
    RECT a{};
    ::SendMessageW(at(Control::DstList), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&a));
    const auto inWindow = [this](Control control, int x, int y) {
        POINT point{x, y};
        ::MapWindowPoints(at(control), window->hwnd(), &point, 1);
        return MAKELPARAM(point.x, point.y);
    };
    const auto send = [this](UINT message, LPARAM where) {
        ::SendMessageW(window->hwnd(), message, 0, where);
    };
    const LPARAM upper = inWindow(Control::DstList, 5, a.top + 1);
    const LPARAM lower = inWindow(Control::DstList, 5, a.bottom - 2);
    const LPARAM outside = inWindow(Control::IncludeBtn, 2, 2);
    const win32::EntryListBox& right = window->listOf(Control::DstList);
    window->drag().begin(Control::SrcList);
    send(WM_MOUSEMOVE, upper);
    EXPECT_EQ(right.dropLine(), std::optional(0));
    send(WM_MOUSEMOVE, lower);
    EXPECT_EQ(right.dropLine(), std::optional<int>(a.bottom - DropLineThickness / 2));
    send(WM_MOUSEMOVE, outside);
    EXPECT_EQ(right.dropLine(), std::nullopt);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_NO));
    send(WM_LBUTTONUP, outside);
    EXPECT_FALSE(window->drag().dragging());
    EXPECT_EQ(std::pair(rows(Control::SrcList), rows(Control::DstList)), std::pair(LRESULT{2}, LRESULT{1}));
    window->drag().begin(Control::SrcList);
    send(WM_LBUTTONUP, lower);
    EXPECT_EQ(right.entryAt(1), "[  0] C");
    EXPECT_EQ(rows(Control::SrcList), 1);
}

// The task bar and Alt+Tab show the window itself: asked for a thumbnail of at most 300 × 150, its
// entry gives the window's picture in those bounds, its proportions kept, an empty list's white
// on the button face.
TEST_F(Win32Window, TheTaskbarEntryShowsTheWindowsPicture) {
    start({"A"});
    ::SendMessageW(::GetWindow(window->hwnd(), GW_OWNER), WM_DWMSENDICONICTHUMBNAIL, 0, MAKELPARAM(150, 300));
    ASSERT_NE(thumbnail, nullptr);
    BITMAP picture{};
    ::GetObjectW(thumbnail, sizeof picture, &picture);
    EXPECT_EQ(picture.bmWidth, ::MulDiv(ClientWidth, 150, ClientHeight)); // the window at 96 dpi
    EXPECT_EQ(picture.bmHeight, 150);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(dc, thumbnail);
    const int h = ClientHeight; // places in the window at 96 dpi, scaled to the picture
    EXPECT_EQ(::GetPixel(dc, 447 * 150 / h, 237 * 150 / h), ::GetSysColor(COLOR_WINDOW)) << "the right list";
    EXPECT_EQ(::GetPixel(dc, 290 * 150 / h, 350 * 150 / h), ::GetSysColor(COLOR_BTNFACE))
        << "between the lists";
    ::DeleteDC(dc);
    ::DeleteObject(thumbnail);
    ::SetWindowPos(window->hwnd(), nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT entry{};
    ::GetWindowRect(::GetWindow(window->hwnd(), GW_OWNER), &entry);
    EXPECT_EQ(std::pair(entry.left, entry.top), std::pair(50L, 60L))
        << "the preview stands where the window does";
    const int outdated = thumbnailsOutdated;
    click(Control::IncAllBtn);
    EXPECT_GT(thumbnailsOutdated, outdated) << "a move asks for a new thumbnail";
}

} // namespace
} // namespace netedit::testing
