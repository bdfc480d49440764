// Small answers the accessible faces of panes, groups and the manager share.
#pragma once

#include <windows.h>
#include <oleauto.h>

// A string answer; E_INVALIDARG without an out-parameter.
inline HRESULT QorAccessibleString(BSTR* pszOut, LPCWSTR lpszText)
{
    if (!pszOut)
        return E_INVALIDARG;
    *pszOut = ::SysAllocString(lpszText);
    return S_OK;
}

// A VT_I4 answer (a role or a state).
inline HRESULT QorAccessibleLong(VARIANT* pvarOut, long nValue)
{
    if (!pvarOut)
        return E_INVALIDARG;
    ::VariantInit(pvarOut);
    pvarOut->vt = VT_I4;
    pvarOut->lVal = nValue;
    return S_OK;
}

// A rectangle's place; the out-parameters are always defined: zeros and S_FALSE without one.
inline HRESULT QorAccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, const RECT* pRect)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!pRect)
        return S_FALSE;
    *pxLeft = pRect->left;
    *pyTop = pRect->top;
    *pcxWidth = pRect->right - pRect->left;
    *pcyHeight = pRect->bottom - pRect->top;
    return S_OK;
}
