#include "win32/fonts.h"

#include <string_view>

namespace netedit::win32 {

namespace {

// Whether a font family is installed with Japanese glyphs.
bool HasJapaneseFamily(HDC dc, const wchar_t* family) {
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    std::wstring_view(family).copy(wanted.lfFaceName, LF_FACESIZE - 1);
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

std::wstring FirstJapaneseFamily() {
    static const wchar_t* const Families[] = {L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF",
                                              L"MS PGothic",
                                              L"MS UI Gothic",
                                              L"Meiryo UI",
                                              L"Yu Gothic UI",
                                              L"IPAPGothic",
                                              L"IPAGothic",
                                              L"Noto Sans CJK JP"};
    HDC dc = ::GetDC(nullptr);
    std::wstring chosen;
    for (const wchar_t* family : Families) {
        if (HasJapaneseFamily(dc, family)) {
            chosen = family;
            break;
        }
    }
    ::ReleaseDC(nullptr, dc);
    return chosen;
}

} // namespace

const std::wstring& JapaneseFamily() {
    // Fonts installed while the program runs are not looked for.
    static const std::wstring family = FirstJapaneseFamily();
    return family;
}

HFONT MakeFont(int pixelHeight, int weight, BYTE charSet, const std::wstring& family) {
    return ::CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family.c_str());
}

} // namespace netedit::win32
