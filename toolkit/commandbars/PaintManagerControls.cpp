// The paint manager's operations that read controls and bars.
#include "toolkit/commandbars/PaintManager.h"

CSize CQorPaintManager::DrawSeparator(CDC*, CQorCommandBar*, CQorControl*, BOOL)
{
    // The gap every look leaves between groups; the themes draw their own line into it.
    return CSize(6, 6);
}

// Placeholders every look overrides as it learns to draw controls and bars.
CSize CQorPaintManager::DrawControlInToolBar(CDC*, CQorControl*, BOOL)
{
    return CSize(23, GetControlHeight());
}

void CQorPaintManager::DrawSplitButtonFrame(CDC*, CQorControl*, CRect) {}

void CQorPaintManager::FillCommandBar(CDC*, CQorCommandBar*) {}

void CQorPaintManager::DrawControlEntryOf(CDC*, CQorControl*) {}

COLORREF CQorPaintManager::GetControlStateColor(CQorControl*)
{
    return GetColor(COLOR_BTNTEXT);
}

CSize CQorPaintManager::DrawCommandBarGripper(CDC*, CQorCommandBar*, BOOL)
{
    return CSize(0, 0);
}

CSize CQorPaintManager::DrawSmallGripper(CDC*, CQorCommandBar*, BOOL)
{
    return CSize(0, 0);
}

void CQorPaintManager::DrawActiveControlFrame(CDC*, CRect, CQorControl*) {}

CRect CQorPaintManager::GetCommandBarBorders(CQorCommandBar*)
{
    return CRect(2, 2, 2, 2);
}

CRect CQorPaintManager::GetSplitButtonCaptionRect(CQorControl*)
{
    return CRect(0, 0, 0, 0);
}

CFont* CQorPaintManager::GetControlFont(CQorControl*, BOOL bBold)
{
    return bBold ? &m_fontRegularBold : &m_fontRegular;
}

void CQorPaintManager::DrawDropDownArrow(CDC*, CQorControl*, int, int, BOOL, BOOL, int, BOOL) {}

CSize CQorPaintManager::DrawControl(CDC* pDC, CQorControl* pControl, BOOL bDraw)
{
    return DrawControlInToolBar(pDC, pControl, bDraw);
}
