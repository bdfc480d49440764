#include "toolkit/foundation/ToolTipText.h"

CString QorToolTipTextFromDispInfo(const NMTTDISPINFOW& info)
{
    if (!info.lpszText)
        return CString();
    if (!IS_INTRESOURCE(info.lpszText))
        return CString(info.lpszText);
    UINT nId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText));
    if (nId == 0)
        return CString();
    LPCWSTR pszResource = nullptr;
    int nLength = ::LoadStringW(info.hinst, nId, reinterpret_cast<LPWSTR>(&pszResource), 0);
    if (nLength <= 0 || !pszResource)
        return CString();
    return CString(pszResource, nLength);
}
