#include "win32/fonts.h"

#include "win32/wide_text.h"

#include <map>
#include <string>

namespace netedit::win32 {

namespace {

BYTE CharSetOf(const FontRole& role) {
    return role.japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
}

// Whether a font family is installed in the role's character set.
bool IsInstalled(HDC dc, const std::wstring& family, BYTE charSet) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charSet;
    family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(
        dc, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring ChosenFamily(const FontRole& role) {
    HDC dc = ::GetDC(nullptr);
    std::wstring chosen = WideOfUtf8(role.families.front());
    for (const char* family : role.families) {
        if (IsInstalled(dc, WideOfUtf8(family), CharSetOf(role))) {
            chosen = WideOfUtf8(family);
            break;
        }
    }
    ::ReleaseDC(nullptr, dc);
    return chosen;
}

} // namespace

HFONT MakeFont(const FontRole& role, int pixelHeight) {
    // Fonts installed while the program runs are not looked for.
    static std::map<const char* const*, std::wstring> chosen;
    auto found = chosen.find(role.families.data());
    if (found == chosen.end()) {
        found = chosen.emplace(role.families.data(), ChosenFamily(role)).first;
    }
    return ::CreateFontW(-pixelHeight, 0, 0, 0, role.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         CharSetOf(role), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, found->second.c_str());
}

void DrawCaption(HDC dc, const std::wstring& caption, RECT room, HFONT font, bool enabled) {
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &room,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
}

} // namespace netedit::win32
