#include "toolkit/skin/SkinManagerSchemaOffice2007.h"

#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinScrollBarState.h"

namespace {

const int kGlyphCell = 9;

// Part n of a vertical stack of nCount equal parts.
CRect StackPart(CQorSkinImage* pImage, int nIndex, int nCount)
{
    const int h = pImage->GetHeight() / nCount;
    return CRect(0, nIndex * h, pImage->GetWidth(), nIndex * h + h);
}

} // namespace

CQorSkinManagerSchemaOffice2007::CQorSkinManagerSchemaOffice2007(CQorSkinManager* pManager)
    : CQorSkinManagerSchemaDefault(pManager)
{
    m_strName = L"Office2007";
}

BOOL CQorSkinManagerSchemaOffice2007::IsDarkLook(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    HWND hCaptioned = hWnd;
    while ((::GetWindowLongW(hCaptioned, GWL_STYLE) & WS_CAPTION) != WS_CAPTION &&
           (::GetWindowLongW(hCaptioned, GWL_STYLE) & WS_CHILD) && ::GetParent(hCaptioned))
        hCaptioned = ::GetParent(hCaptioned);
    RECT rcWindow = {}, rcClient = {};
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hCaptioned, &rcClient);
    POINT pt = {rcClient.right, rcClient.bottom};
    ::ClientToScreen(hCaptioned, &pt);
    return abs(rcWindow.right - pt.x) <= ::GetSystemMetrics(SM_CXEDGE) &&
           abs(rcWindow.bottom - pt.y) <= ::GetSystemMetrics(SM_CYEDGE);
}

COLORREF CQorSkinManagerSchemaOffice2007::GetSizeBoxColor(HWND hWnd)
{
    return IsDarkLook(hWnd) ? RGB(0x79, 0x9D, 0xCF) : RGB(0xF5, 0xF5, 0xF5);
}

void CQorSkinManagerSchemaOffice2007::DrawScrollBar(CDC* pDC, const CQorSkinScrollBarDraw& draw)
{
    CQorSkinManagerClass* pClass = GetScrollBarClass(pDC, draw);
    if (!pClass)
        return;
    const ScrollBarState& bar = *draw.pBar;
    const BOOL v = bar.vertical;
    const BOOL bDark = IsDarkLook(draw.hWnd);
    CQorSkinImage* pGlyphs = pClass->GetImage(L"OFFICE2007\\SCROLLARROWGLYPHS.BMP");
    CQorSkinImage* pBack = pClass->GetImage(
        v ? (bDark ? L"OFFICE2007\\SCROLLVERTICALDARK.BMP" : L"OFFICE2007\\SCROLLVERTICALLIGHT.BMP")
          : (bDark ? L"OFFICE2007\\SCROLLHORIZONTALDARK.BMP" : L"OFFICE2007\\SCROLLHORIZONTALLIGHT.BMP"));
    if (!pGlyphs || !pBack)
        return;
    CQorSkinImage* pArrows = pClass->GetImage(
        v ? (bDark ? L"OFFICE2007\\SCROLLARROWSVERTICALDARK.BMP" : L"OFFICE2007\\SCROLLARROWSVERTICALLIGHT.BMP")
          : (bDark ? L"OFFICE2007\\SCROLLARROWSHORIZONTALDARK.BMP" : L"OFFICE2007\\SCROLLARROWSHORIZONTALLIGHT.BMP"));
    CQorSkinImage* pThumb =
        pClass->GetImage(v ? L"OFFICE2007\\SCROLLTHUMBVERTICAL.BMP" : L"OFFICE2007\\SCROLLTHUMBHORIZONTAL.BMP");

    const CQorSkinScrollBarLook look = GetScrollBarLook(draw);
    const BOOL bEnabled = look.bEnabled;
    const int nPressed = look.nPressed, nHot = look.nHot;
    const BOOL bAnyActive = nPressed != qorScrollNone || nHot != qorScrollNone;
    const COLORREF kNone = static_cast<COLORREF>(-1);
    const CRect kNoMargins(0, 0, 0, 0);

    pBack->DrawImage(pDC, CRect(bar.rect), pBack->GetHalfRect(0), kNoMargins, kNone, qorSkinStretch, FALSE);

    for (int nArrow = 0; nArrow < 2; ++nArrow) {
        const int nCode = nArrow == 0 ? qorScrollFirstArrow : qorScrollSecondArrow;
        CRect rcButton = nArrow == 0 ? GetScrollBarSpan(bar, bar.start, bar.firstArrowEnd)
                                     : GetScrollBarSpan(bar, bar.secondArrowStart, bar.end);
        if (v)
            rcButton.DeflateRect(1, 0);
        else
            rcButton.DeflateRect(0, 1);
        if (bEnabled && pArrows) {
            int nQuarter = -1;
            if (nPressed == nCode)
                nQuarter = 3;
            else if (nHot == nCode)
                nQuarter = 2;
            else if (bAnyActive)
                nQuarter = 1;
            if (nQuarter > 0)
                pArrows->DrawImage(pDC, rcButton, StackPart(pArrows, nQuarter - 1, 4), CRect(3, 3, 3, 3), kNone,
                                   qorSkinStretch, FALSE);
        }
        // Cells: 1 up, 5 down, 9 left, 13 right; the disabled look three cells on.
        const int nCell = (v ? (nArrow == 0 ? 1 : 5) : (nArrow == 0 ? 9 : 13)) + (bEnabled ? 0 : 3);
        const int x = (rcButton.left + rcButton.right - kGlyphCell) / 2;
        const int y = (rcButton.top + rcButton.bottom - kGlyphCell) / 2;
        const CRect rcCell(0, kGlyphCell * (nCell - 1), kGlyphCell, kGlyphCell * nCell);
        pGlyphs->DrawImage(pDC, CRect(x, y, x + kGlyphCell, y + kGlyphCell), rcCell, kNoMargins, RGB(255, 0, 255),
                           qorSkinStretch, FALSE);
    }

    const BOOL bThumb = bar.thumbLength > 0 && bar.thumbEnd > bar.thumbStart;
    if (bEnabled && nPressed == qorScrollTrackBefore)
        pBack->DrawImage(pDC, GetScrollBarSpan(bar, bar.firstArrowEnd, bThumb ? bar.thumbStart : bar.secondArrowStart),
                         pBack->GetHalfRect(1), kNoMargins, kNone, qorSkinStretch, FALSE);
    if (bEnabled && nPressed == qorScrollTrackAfter && bThumb)
        pBack->DrawImage(pDC, GetScrollBarSpan(bar, bar.thumbEnd, bar.secondArrowStart), pBack->GetHalfRect(1),
                         kNoMargins, kNone, qorSkinStretch, FALSE);
    if (!bThumb || !pThumb)
        return;
    int nState = 0;
    if (bEnabled)
        nState = nPressed == qorScrollThumb ? 3 : (nHot == qorScrollThumb ? 2 : (bAnyActive ? 1 : 0));
    const CRect rcThumb = GetScrollBarSpan(bar, bar.thumbStart, bar.thumbEnd);
    pThumb->DrawImage(pDC, rcThumb, StackPart(pThumb, nState <= 1 ? 0 : nState - 1, 3), CRect(5, 5, 5, 5), kNone,
                      qorSkinStretch, FALSE);
    if (bar.thumbLength > 10)
        pClass->DrawBackground(pDC, v ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, 0, &rcThumb);
}
