// The default schema's scroll bars: arrows, tracks, thumb and gripper drawn through the
// SCROLLBAR class in the states the bar's record gives.
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerSchemaDefault.h"
#include "toolkit/skin/SkinScrollBarState.h"

CQorSkinManagerClass* CQorSkinManagerSchemaDefault::GetScrollBarClass(CDC* pDC, const CQorSkinScrollBarDraw& draw)
{
    if (!pDC || !draw.pBar || draw.pBar->end - draw.pBar->start < 1 || !m_pManager)
        return nullptr;
    return m_pManager->GetClass(L"SCROLLBAR");
}

void CQorSkinManagerSchemaDefault::DrawScrollBar(CDC* pDC, const CQorSkinScrollBarDraw& draw)
{
    CQorSkinManagerClass* pClass = GetScrollBarClass(pDC, draw);
    if (!pClass)
        return;
    const ScrollBarState& bar = *draw.pBar;
    const CQorSkinScrollBarLook look = GetScrollBarLook(draw);
    const BOOL bEnabled = look.bEnabled;
    const int nPressed = look.nPressed, nHot = look.nHot;
    const BOOL bHover = draw.bMouseOver && pClass->GetInt(TMT_IMAGECOUNT, 0, SBP_ARROWBTN, 1) == 20;
    // Disabled, pressed, hot, hover and normal states of the two arrows.
    auto arrowState = [&](int nCode, int nBase, int nHoverState) {
        if (!bEnabled)
            return nBase + 3;
        if (nPressed == nCode)
            return nBase + 2;
        if (nHot == nCode)
            return nBase + 1;
        return bHover ? nHoverState : nBase;
    };
    auto partState = [&](int nCode) {
        if (!bEnabled)
            return 4;
        if (nPressed == nCode)
            return 3;
        return nHot == nCode ? 2 : 1;
    };
    const BOOL v = bar.vertical;
    const CRect rcFirst = GetScrollBarSpan(bar, bar.start, bar.firstArrowEnd);
    const CRect rcSecond = GetScrollBarSpan(bar, bar.secondArrowStart, bar.end);
    pClass->DrawBackground(pDC, SBP_ARROWBTN, arrowState(qorScrollFirstArrow, v ? 1 : 9, v ? 17 : 19), &rcFirst);
    pClass->DrawBackground(pDC, SBP_ARROWBTN, arrowState(qorScrollSecondArrow, v ? 5 : 13, v ? 18 : 20), &rcSecond);
    const BOOL bThumb = bar.thumbLength > 0 && bar.thumbEnd > bar.thumbStart;
    const CRect rcBefore = GetScrollBarSpan(bar, bar.firstArrowEnd, bThumb ? bar.thumbStart : bar.secondArrowStart);
    pClass->DrawBackground(pDC, v ? 6 : 4, partState(qorScrollTrackBefore), &rcBefore);
    if (!bThumb)
        return;
    const CRect rcAfter = GetScrollBarSpan(bar, bar.thumbEnd, bar.secondArrowStart);
    pClass->DrawBackground(pDC, v ? 7 : 5, partState(qorScrollTrackAfter), &rcAfter);
    const CRect rcThumb = GetScrollBarSpan(bar, bar.thumbStart, bar.thumbEnd);
    const int nThumbState = partState(qorScrollThumb);
    pClass->DrawBackground(pDC, v ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, nThumbState, &rcThumb);
    if (bar.thumbLength > (v ? 13 : 9))
        pClass->DrawBackground(pDC, v ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, nThumbState, &rcThumb);
}
