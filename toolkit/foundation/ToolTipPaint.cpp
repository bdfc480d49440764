#include "toolkit/foundation/ToolTipPaint.h"

namespace {

void FillSolid(HDC hdc, const RECT& rc, COLORREF clr)
{
    COLORREF clrOld = ::SetBkColor(hdc, clr);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, clrOld);
}

int Mix(int a, int b, int nStep, int nSteps)
{
    return nSteps <= 1 ? a : a + (b - a) * nStep / (nSteps - 1);
}

} // namespace

void QorTipDrawFrame(HDC hdc, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    FillSolid(hdc, {rc.left, rc.top, rc.right - 1, rc.top + 1}, clrTopLeft);
    FillSolid(hdc, {rc.left, rc.top, rc.left + 1, rc.bottom - 1}, clrTopLeft);
    FillSolid(hdc, {rc.right - 1, rc.top, rc.right, rc.bottom}, clrBottomRight);
    FillSolid(hdc, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, clrBottomRight);
}

void QorTipFillVerticalGradient(HDC hdc, const RECT& rc, COLORREF clrTop, COLORREF clrBottom)
{
    int nRows = rc.bottom - rc.top;
    for (int i = 0; i < nRows; ++i) {
        COLORREF clr = RGB(Mix(GetRValue(clrTop), GetRValue(clrBottom), i, nRows),
                           Mix(GetGValue(clrTop), GetGValue(clrBottom), i, nRows),
                           Mix(GetBValue(clrTop), GetBValue(clrBottom), i, nRows));
        FillSolid(hdc, {rc.left, rc.top + i, rc.right, rc.top + i + 1}, clr);
    }
}
