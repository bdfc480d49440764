// DrawEdge and DrawFrameControl drawn in the skin's edge colours and scroll-bar images, so
// that controls drawing classic edges match the skin.
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerMetrics.h"
#include "toolkit/skin/SkinVocabulary.h"

namespace {

struct EdgeColors
{
    COLORREF clrTopLeft;
    COLORREF clrBottomRight;
};

} // namespace

void CQorSkinManagerMetrics::DrawDiagonal(HDC hDC, CRect& rc, UINT nFlags, COLORREF clr)
{
    const int nWidth = rc.Width(), nHeight = rc.Height();
    int nStepX, nStepY, nCellX, nCellY;
    if (nWidth > nHeight) {
        nStepX = nWidth / nHeight;
        nStepY = m_cyBorder;
        nCellX = nStepX * m_cyBorder;
        nCellY = m_cyBorder;
    } else {
        nStepX = m_cxBorder;
        nStepY = nHeight / nWidth;
        nCellX = m_cxBorder;
        nCellY = nStepY * m_cyBorder;
    }
    if (nStepX < 1 || nStepY < 1 || nCellX < 1 || nCellY < 1)
        return;
    rc.right -= nCellX;
    rc.bottom -= nCellY;
    const UINT nEnd = nFlags & 0x1F;
    const int nDirection = nEnd == BF_DIAGONAL_ENDTOPLEFT || nEnd == BF_DIAGONAL_ENDBOTTOMRIGHT ? -1 : 1;
    int x = rc.left;
    int y = nDirection == 1 ? rc.bottom : rc.top;
    while (x <= rc.right && y >= rc.top && y <= rc.bottom) {
        FillSolid(hDC, x, y, nCellX, nCellY, clr);
        x += nStepX;
        y -= nDirection * nStepY;
    }
    if (nFlags & BF_TOP)
        rc.left += nCellX;
    else
        rc.right -= nCellX;
    if (nFlags & BF_RIGHT)
        rc.top += nCellY;
    else
        rc.bottom -= nCellY;
}

BOOL CQorSkinManagerMetrics::SkinDrawEdge(HDC hDC, LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    if (!lpRect)
        return FALSE;
    CRect rc(*lpRect);
    // A diagonal divides by the rectangle's sides: an empty one has nothing to draw.
    if ((nFlags & BF_DIAGONAL) && (rc.Width() <= 0 || rc.Height() <= 0))
        return TRUE;
    if (nFlags & BF_MONO)
        nFlags |= BF_FLAT;
    if ((nEdge & 3) == 3 || (nEdge & 0xC) == 0xC)
        return FALSE;
    const BOOL bSoft = (nFlags & BF_SOFT) != 0;
    for (int nPass = 0; nPass < 2; ++nPass) {
        const UINT nBits = nEdge & (nPass == 0 ? 3 : 0xC);
        if (!nBits)
            continue;
        EdgeColors colors;
        if (nFlags & BF_FLAT) {
            COLORREF clr;
            if (nFlags & BF_MONO)
                clr = ::GetSysColor(nPass == 0 ? COLOR_WINDOWFRAME : COLOR_WINDOW);
            else
                clr = nPass == 0 ? m_clrEdgeShadow : ::GetSysColor(COLOR_BTNFACE);
            colors = {clr, clr};
        } else if (nBits == BDR_RAISEDOUTER) {
            colors = {bSoft ? m_clrEdgeHighLight : ::GetSysColor(COLOR_3DLIGHT), m_clrEdgeDkShadow};
        } else if (nBits == BDR_SUNKENOUTER) {
            colors = {bSoft ? m_clrEdgeDkShadow : m_clrEdgeShadow, m_clrEdgeHighLight};
        } else if (nBits == BDR_RAISEDINNER) {
            colors = {bSoft ? ::GetSysColor(COLOR_3DLIGHT) : m_clrEdgeHighLight, m_clrEdgeShadow};
        } else {
            colors = {bSoft ? m_clrEdgeShadow : m_clrEdgeDkShadow, ::GetSysColor(COLOR_3DLIGHT)};
        }
        if (nFlags & BF_DIAGONAL) {
            if (rc.Width() <= 0 || rc.Height() <= 0)
                break;
            DrawDiagonal(hDC, rc, nFlags, (nFlags & BF_BOTTOM) ? colors.clrBottomRight : colors.clrTopLeft);
            continue;
        }
        if (nFlags & BF_RIGHT) {
            FillSolid(hDC, rc.right - m_cxBorder, rc.top, m_cxBorder, rc.Height(), colors.clrBottomRight);
            rc.right -= m_cxBorder;
        }
        if (nFlags & BF_BOTTOM) {
            FillSolid(hDC, rc.left, rc.bottom - m_cyBorder, rc.Width(), m_cyBorder, colors.clrBottomRight);
            rc.bottom -= m_cyBorder;
        }
        if (nFlags & BF_LEFT) {
            FillSolid(hDC, rc.left, rc.top, m_cxBorder, rc.Height(), colors.clrTopLeft);
            rc.left += m_cxBorder;
        }
        if (nFlags & BF_TOP) {
            FillSolid(hDC, rc.left, rc.top, rc.Width(), m_cyBorder, colors.clrTopLeft);
            rc.top += m_cyBorder;
        }
    }
    if (nFlags & BF_MIDDLE) {
        if (nFlags & BF_DIAGONAL)
            return FALSE;
        if (rc.Width() > 0 && rc.Height() > 0)
            FillSolid(hDC, rc.left, rc.top, rc.Width(), rc.Height(),
                      ::GetSysColor((nFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (nFlags & BF_ADJUST)
        *lpRect = rc;
    return TRUE;
}

BOOL CQorSkinManagerMetrics::SkinDrawFrameControl(HDC hDC, LPRECT lpRect, UINT nType, UINT nState)
{
    if (!lpRect)
        return FALSE;
    CQorSkinManagerClass* pScrollBar = m_pManager ? m_pManager->GetClass(L"SCROLLBAR") : nullptr;
    CDC* pDC = CDC::FromHandle(hDC);
    if (nType == DFC_SCROLL && nState == DFCS_SCROLLSIZEGRIP) {
        FillSolid(hDC, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                  ::GetSysColor(COLOR_BTNFACE));
        if (pScrollBar)
            pScrollBar->DrawBackground(pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, lpRect);
        return TRUE;
    }
    if (nType == DFC_BUTTON && (nState & DFCS_BUTTONPUSH) &&
        !(nState & ~(DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT))) {
        CRect rc(*lpRect);
        SkinDrawEdge(hDC, &rc, (nState & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        if (rc.Width() > 0 && rc.Height() > 0)
            FillSolid(hDC, rc.left, rc.top, rc.Width(), rc.Height(), ::GetSysColor(COLOR_BTNFACE));
        if (nState & DFCS_ADJUSTRECT)
            *lpRect = rc;
        return TRUE;
    }
    if (nType == DFC_SCROLL && (nState & 0xF) <= DFCS_SCROLLRIGHT) {
        const int nBase = (nState & DFCS_INACTIVE) ? 4 : ((nState & DFCS_PUSHED) ? 3 : 1);
        if (pScrollBar)
            pScrollBar->DrawBackground(pDC, SBP_ARROWBTN, nBase + 4 * static_cast<int>(nState & 0xF), lpRect);
        return TRUE;
    }
    return FALSE;
}
