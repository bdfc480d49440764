#include "tools/pendoric/ChineseFont.h"
#include <cwchar>

namespace pendoric {

namespace {

int CALLBACK TakeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM param)
{
    std::wstring& found = *reinterpret_cast<std::wstring*>(param);
    // Faces whose name starts with "@" lay text out vertically.
    if (font->lfFaceName[0] == L'@' || !(type & TRUETYPE_FONTTYPE))
        return 1;
    found = font->lfFaceName;
    return 0;
}

std::wstring FindFace(HDC dc, const wchar_t* face)
{
    LOGFONTW query = {};
    query.lfCharSet = GB2312_CHARSET;
    if (face)
        wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    std::wstring found;
    EnumFontFamiliesExW(dc, &query, TakeFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

} // namespace

std::wstring ChineseFaceName(HDC dc, const LOGFONTW& messageFont)
{
    if (messageFont.lfFaceName[0]) {
        std::wstring own = FindFace(dc, messageFont.lfFaceName);
        if (!own.empty())
            return own;
    }
    return FindFace(dc, nullptr);
}

HFONT CreateChineseFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font = metrics.lfMessageFont;
    else
        font.lfHeight = -12;
    HDC dc = GetDC(nullptr);
    std::wstring face = ChineseFaceName(dc, font);
    ReleaseDC(nullptr, dc);
    font.lfCharSet = GB2312_CHARSET;
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return CreateFontIndirectW(&font);
}

} // namespace pendoric
