#include "win32/accessible.h"

#include "win32/child_ids.h"

#include <climits>
#include <commctrl.h>
#include <new>
#include <utility>

namespace netedit::win32 {

namespace {

constexpr wchar_t ControlProperty[] = L"NeteditAccessibleControl";
constexpr UINT_PTR SubclassId = 1;

HRESULT TextOut(const std::wstring& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

long RowsAsLong(std::size_t rows) {
    return rows < static_cast<std::size_t>(LONG_MAX) ? static_cast<long>(rows) : LONG_MAX;
}

long ChildId(std::size_t row) {
    return RowsAsLong(row + 1);
}

// Which of the control's own a child id names: 0 the control itself, n its row n - 1; -1 none.
long OwnChild(const AccessibleControl& control, const VARIANT& child) {
    if (child.vt != VT_I4 || child.lVal < 0) {
        return -1;
    }
    if (child.lVal == CHILDID_SELF) {
        return 0;
    }
    const bool isRow = control.hasRows() && static_cast<std::size_t>(child.lVal) <= control.rowCount();
    return isRow ? child.lVal : -1;
}

long StateOf(HWND hwnd, const AccessibleControl& control) {
    long state = control.kindState();
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    if ((style & WS_DISABLED) != 0) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    } else if (control.takesFocus()) {
        state |= STATE_SYSTEM_FOCUSABLE;
    }
    if (control.takesFocus() && HasReaderFocus(hwnd)) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
}

// The object a screen reader holds for a control. It keeps only the window: the control is
// looked up on every call, so a reader that holds on after the control is gone learns so.
class Accessible final : public IAccessible, public IEnumVARIANT, public IOleWindow {
public:
    explicit Accessible(HWND hwnd) : hwnd_(hwnd) {
        if (FAILED(::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, AccessibleInterfaceId,
                                               reinterpret_cast<void**>(&standard_)))) {
            standard_ = nullptr;
        }
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;
    Accessible(Accessible&&) = delete;
    Accessible& operator=(Accessible&&) = delete;

    // ---- IUnknown ----
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == AccessibleInterfaceId) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *out = static_cast<IOleWindow*>(this);
        } else if (iid == __uuidof(IEnumVARIANT) && standardChildren() != nullptr) {
            *out = static_cast<IEnumVARIANT*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // ---- IDispatch: readers call IAccessible directly ----
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // ---- IAccessible ----
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        *out = nullptr;
        return standardOnly([&](IAccessible& standard) { return standard.get_accParent(out); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        *count = 0;
        return withRows(
            [&](AccessibleControl& control) {
                *count = RowsAsLong(control.rowCount());
                return S_OK;
            },
            [&](IAccessible& standard) { return standard.get_accChildCount(count); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        *out = nullptr;
        return about(
            child, [](AccessibleControl&, long which) { return which > 0 ? S_FALSE : E_INVALIDARG; },
            [&](IAccessible& standard) { return standard.get_accChild(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        *out = nullptr;
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                return TextOut(which == 0 ? control.name() : control.rowName(which - 1), out);
            },
            [&](IAccessible& standard) { return standard.get_accName(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        *out = nullptr;
        return about(
            child, [](AccessibleControl&, long) { return S_FALSE; },
            [&](IAccessible& standard) { return standard.get_accValue(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        *out = nullptr;
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                return which == 0 ? TextOut(control.description(), out) : S_FALSE;
            },
            [&](IAccessible& standard) { return standard.get_accDescription(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        ::VariantInit(out);
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                return ChildIdOut(which == 0 ? control.role() : control.rowRole(), out);
            },
            [&](IAccessible& standard) { return standard.get_accRole(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        ::VariantInit(out);
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                return ChildIdOut(which == 0 ? StateOf(hwnd_, control) : control.rowState(which - 1), out);
            },
            [&](IAccessible& standard) { return standard.get_accState(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        *out = nullptr;
        return about(
            child, [](AccessibleControl&, long) { return S_FALSE; },
            [&](IAccessible& standard) { return standard.get_accHelp(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        *file = nullptr;
        return standardOnly(
            [&](IAccessible& standard) { return standard.get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        *out = nullptr;
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                if (const std::wstring key = control.keyboardShortcut(); which == 0 && !key.empty()) {
                    *out = ::SysAllocString(key.c_str());
                    return S_OK;
                }
                // The system reads the control's own letter from its window text.
                return which == 0 && standard_ != nullptr ? standard_->get_accKeyboardShortcut(child, out)
                                                          : S_FALSE;
            },
            [&](IAccessible& standard) { return standard.get_accKeyboardShortcut(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        ::VariantInit(out);
        return withRows(
            [&](AccessibleControl& control) {
                if (!HasReaderFocus(hwnd_)) {
                    return S_FALSE;
                }
                const std::optional<std::size_t> row = control.focusedRow();
                return ChildIdOut(row ? ChildId(*row) : CHILDID_SELF, out);
            },
            [&](IAccessible& standard) { return standard.get_accFocus(out); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        ::VariantInit(out);
        return withRows([&](AccessibleControl& control) { return selectionOut(control.selectedRows(), out); },
                        [&](IAccessible& standard) { return standard.get_accSelection(out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        *out = nullptr;
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                return which == 0 ? TextOut(control.defaultAction(), out) : S_FALSE;
            },
            [&](IAccessible& standard) { return standard.get_accDefaultAction(child, out); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standardOnly([&](IAccessible& standard) { return standard.accSelect(flags, child); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        *left = *top = *width = *height = 0;
        return about(
            child,
            [&](AccessibleControl& control, long which) {
                if (which == 0) {
                    return standard_ != nullptr ? standard_->accLocation(left, top, width, height, child)
                                                : E_FAIL;
                }
                const RECT place = control.rowRect(which - 1);
                *left = place.left;
                *top = place.top;
                *width = place.right - place.left;
                *height = place.bottom - place.top;
                return S_OK;
            },
            [&](IAccessible& standard) { return standard.accLocation(left, top, width, height, child); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
        ::VariantInit(out);
        return about(
            start,
            [&](AccessibleControl& control, long which) {
                const long rows = RowsAsLong(control.rowCount());
                if (which == 0 && control.hasRows() &&
                    (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
                    return rows == 0 ? S_FALSE : ChildIdOut(direction == NAVDIR_FIRSTCHILD ? 1 : rows, out);
                }
                if (which == 0) {
                    return standard_ != nullptr ? standard_->accNavigate(direction, start, out) : E_FAIL;
                }
                const long to = direction == NAVDIR_NEXT || direction == NAVDIR_DOWN     ? which + 1
                                : direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP ? which - 1
                                                                                         : 0;
                return to >= 1 && to <= rows ? ChildIdOut(to, out) : S_FALSE;
            },
            [&](IAccessible& standard) { return standard.accNavigate(direction, start, out); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        ::VariantInit(out);
        return withRows(
            [&](AccessibleControl& control) {
                if (const std::optional<std::size_t> row = control.rowAt({x, y})) {
                    return ChildIdOut(ChildId(*row), out);
                }
                return standard_ != nullptr ? standard_->accHitTest(x, y, out) : E_FAIL;
            },
            [&](IAccessible& standard) { return standard.accHitTest(x, y, out); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return about(
            child,
            [](AccessibleControl& control, long which) {
                if (which != 0 || control.defaultAction().empty()) {
                    return DISP_E_MEMBERNOTFOUND;
                }
                return control.doDefaultAction() ? S_OK : E_FAIL;
            },
            [&](IAccessible& standard) { return standard.accDoDefaultAction(child); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // ---- IEnumVARIANT: a control without rows has the children its window has ----
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
        return connected() ? standardChildren()->Next(wanted, out, fetched) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        return connected() ? standardChildren()->Skip(count) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        return connected() ? standardChildren()->Reset() : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        *out = nullptr;
        return connected() ? standardChildren()->Clone(out) : CO_E_OBJNOTCONNECTED;
    }

    // ---- IOleWindow: which window this is, for the reader's events ----
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
        *out = hwnd_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~Accessible() {
        if (standardChildren_ != nullptr) {
            standardChildren_->Release();
        }
        if (standard_ != nullptr) {
            standard_->Release();
        }
    }

    AccessibleControl* control() const {
        return ::IsWindow(hwnd_) ? static_cast<AccessibleControl*>(::GetPropW(hwnd_, ControlProperty))
                                 : nullptr;
    }
    bool connected() const { return control() != nullptr; }

    // The standard object's children, where the control has no rows of its own.
    IEnumVARIANT* standardChildren() {
        const AccessibleControl* control = this->control();
        if (standardChildren_ == nullptr && standard_ != nullptr && control != nullptr &&
            !control->hasRows()) {
            // Left null where the standard object has no children to list.
            standard_->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&standardChildren_));
        }
        return standardChildren_;
    }

    // A question about `child`: the control answers for itself and its rows, the standard
    // object for the children of a control without rows.
    template <typename Own, typename Standard>
    HRESULT about(const VARIANT& child, Own own, Standard standard) {
        AccessibleControl* control = this->control();
        if (control == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        const long which = OwnChild(*control, child);
        if (which >= 0) {
            return own(*control, which);
        }
        return control->hasRows() || standard_ == nullptr ? E_INVALIDARG : standard(*standard_);
    }
    // A question about the control's children as a whole: its rows, or its window's children.
    template <typename Rows, typename Standard> HRESULT withRows(Rows rows, Standard standard) {
        AccessibleControl* control = this->control();
        if (control == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (control->hasRows()) {
            return rows(*control);
        }
        return standard_ != nullptr ? standard(*standard_) : E_FAIL;
    }
    template <typename Standard> HRESULT standardOnly(Standard standard) {
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        return standard_ != nullptr ? standard(*standard_) : E_FAIL;
    }

    static HRESULT selectionOut(const std::vector<std::size_t>& rows, VARIANT* out) {
        if (rows.empty()) {
            return S_FALSE;
        }
        if (rows.size() == 1) {
            return ChildIdOut(ChildId(rows.front()), out);
        }
        std::vector<long> ids;
        ids.reserve(rows.size());
        for (const std::size_t row : rows) {
            ids.push_back(ChildId(row));
        }
        auto* enumerator = new (std::nothrow) ChildIds(std::move(ids));
        if (enumerator == nullptr) {
            return E_OUTOFMEMORY;
        }
        out->vt = VT_UNKNOWN;
        out->punkVal = enumerator;
        return S_OK;
    }

    HWND hwnd_;
    IAccessible* standard_ = nullptr;
    IEnumVARIANT* standardChildren_ = nullptr;
    LONG references_ = 1;
};

} // namespace

bool HasReaderFocus(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return hwnd != nullptr && ::GetGUIThreadInfo(0, &info) && info.hwndFocus == hwnd;
}

AccessibleWindow::AccessibleWindow(HWND hwnd, AccessibleControl& control) : hwnd_(hwnd) {
    ::SetPropW(hwnd_, ControlProperty, &control);
    ::SetWindowSubclass(hwnd_, Procedure, SubclassId, reinterpret_cast<DWORD_PTR>(this));
}

AccessibleWindow::~AccessibleWindow() {
    detach();
}

void AccessibleWindow::detach() {
    if (hwnd_ != nullptr) {
        ::RemoveWindowSubclass(hwnd_, Procedure, SubclassId);
        ::RemovePropW(hwnd_, ControlProperty);
        hwnd_ = nullptr;
    }
}

LRESULT CALLBACK AccessibleWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
    // The object id comes as a 32-bit value, whatever the width of LPARAM.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (auto* object = new (std::nothrow) Accessible(hwnd)) {
            const LRESULT result =
                ::LresultFromObject(AccessibleInterfaceId, wParam, static_cast<IAccessible*>(object));
            object->Release();
            return result;
        }
    }
    if (message == WM_NCDESTROY) {
        reinterpret_cast<AccessibleWindow*>(self)->detach();
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace netedit::win32
