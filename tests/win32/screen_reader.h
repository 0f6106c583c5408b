#pragma once

#include "win32/accessible.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace netedit::testing {

// Reads windows as a screen reader does: through oleacc, never through the program's classes.
struct Released {
    void operator()(IUnknown* object) const { object->Release(); }
};
using Readable = std::unique_ptr<IAccessible, Released>;

inline Readable ReadableOf(HWND hwnd) {
    static const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    IAccessible* object = nullptr;
    ::AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, win32::AccessibleInterfaceId,
                                 reinterpret_cast<void**>(&object));
    return Readable(object);
}

inline VARIANT Child(long id) {
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// A text the object gives, as UTF-8; "" where it gives none.
template <typename Ask> std::string TextOf(Ask ask) {
    BSTR text = nullptr;
    ask(&text);
    const std::string utf8 = text != nullptr ? win32::Utf8OfWide(text) : "";
    ::SysFreeString(text);
    return utf8;
}
inline std::string NameOf(IAccessible& object, long child = CHILDID_SELF) {
    return TextOf([&](BSTR* text) { return object.get_accName(Child(child), text); });
}

// A number the object gives (a role, a state, a child id); -1 where it gives none.
template <typename Ask> long NumberOf(Ask ask) {
    VARIANT number;
    ::VariantInit(&number);
    ask(&number);
    const long value = number.vt == VT_I4 ? number.lVal : -1;
    ::VariantClear(&number);
    return value;
}
inline long RoleOf(IAccessible& object, long child = CHILDID_SELF) {
    return NumberOf([&](VARIANT* role) { return object.get_accRole(Child(child), role); });
}
inline long StateOf(IAccessible& object, long child = CHILDID_SELF) {
    return NumberOf([&](VARIANT* state) { return object.get_accState(Child(child), state); });
}

// The names of a list's items, in order.
inline std::vector<std::string> ItemsOf(IAccessible& list) {
    LONG count = 0;
    list.get_accChildCount(&count);
    std::vector<std::string> names;
    for (long child = 1; child <= count; ++child) {
        names.push_back(NameOf(list, child));
    }
    return names;
}

// The child ids of the selection, one or several.
inline std::vector<long> SelectionOf(IAccessible& list) {
    VARIANT selection;
    ::VariantInit(&selection);
    list.get_accSelection(&selection);
    std::vector<long> ids;
    IEnumVARIANT* several = nullptr;
    if (selection.vt == VT_I4) {
        ids.push_back(selection.lVal);
    } else if (selection.vt == VT_UNKNOWN &&
               SUCCEEDED(selection.punkVal->QueryInterface(__uuidof(IEnumVARIANT),
                                                           reinterpret_cast<void**>(&several)))) {
        ULONG fetched = 0;
        for (VARIANT id; several->Next(1, &id, &fetched) == S_OK && fetched == 1; ::VariantClear(&id)) {
            ids.push_back(id.lVal);
        }
        EXPECT_EQ(several->Release(), 1U) << "the selection still holds its own";
    }
    ::VariantClear(&selection);
    return ids;
}

// The names of a window's children as its standard object hands them out, each read through
// its own window.
inline std::vector<std::string> ChildNamesOf(IAccessible& object) {
    LONG count = 0;
    object.get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG got = 0;
    ::AccessibleChildren(&object, 0, count, children.data(), &got);
    std::vector<std::string> names;
    for (LONG i = 0; i < got; ++i) {
        IAccessible* child = nullptr;
        HWND hwnd = nullptr;
        if (children[i].vt == VT_DISPATCH &&
            SUCCEEDED(children[i].pdispVal->QueryInterface(win32::AccessibleInterfaceId,
                                                           reinterpret_cast<void**>(&child)))) {
            const Readable held(child);
            const Readable read =
                SUCCEEDED(::WindowFromAccessibleObject(child, &hwnd)) ? ReadableOf(hwnd) : nullptr;
            names.push_back(read != nullptr ? NameOf(*read) : "?");
        }
        ::VariantClear(&children[i]);
    }
    return names;
}

} // namespace netedit::testing
