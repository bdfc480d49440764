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

CString QorTipStripMnemonic(const CString& strText)
{
    CString strResult;
    int nLength = strText.GetLength();
    for (int i = 0; i < nLength; ++i) {
        if (strText[i] == L'&') {
            if (i + 1 < nLength && strText[i + 1] == L'&')
                ++i;
            else
                continue;
        }
        strResult += strText[i];
    }
    return strResult;
}
