// The Default theme: the classic 3-D look in the system colours.
#include <algorithm>

#include "platform/framework/Gdi.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

using namespace qorpaint;

namespace QorPaintThemes {

namespace {

// A checker of two colours, one pixel each, as classic checked buttons have.
void FillDithered(CDC* pDC, const CRect& rc, COLORREF clrFirst, COLORREF clrSecond)
{
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, kPattern))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    const COLORREF clrOldText = pDC->SetTextColor(clrFirst);
    const COLORREF clrOldBk = pDC->SetBkColor(clrSecond);
    pDC->FillRect(&rc, &brush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

} // namespace

CQorDefaultTheme::CQorDefaultTheme() : m_nPopupBarText(kColorButtonText) {}

void CQorDefaultTheme::RefreshMetrics()
{
    CQorPaintManager::RefreshMetrics();
    m_clrCaption.SetStandardValue(GetColor(kColorActiveCaption));
    m_clrCaptionText.SetStandardValue(GetColor(kColorCaptionText));
}

COLORREF CQorDefaultTheme::GetControlTextColor(BOOL bSelected, BOOL, BOOL bEnabled, BOOL, BOOL, int nBarType,
                                               int nControlType)
{
    if (!bEnabled)
        return GetColor(kColorGrayText);
    if (nBarType == kBarTypePopup)
        return GetColor(bSelected ? kColorHighlightText : m_nPopupBarText);
    return GetColor(nControlType == kControlTypeComboBox ? m_nPopupBarText : kColorButtonText);
}

void CQorDefaultTheme::DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL, BOOL bChecked,
                                        BOOL bPopuped, int nBarType, int)
{
    if (nBarType == kBarTypePopup && !bChecked) {
        if (bSelected || bPressed)
            pDC->FillSolidRect(&rc, GetColor(kColorHighlight));
        return;
    }
    if (bChecked && !bSelected && !bPressed)
        FillDithered(pDC, rc, GetColor(kColorButtonFace), GetColor(kColorButtonHighlight));
    if (bPressed || bChecked || bPopuped)
        Draw3dRectColors(pDC, rc, kColorButtonShadow, kColorButtonHighlight);
    else if (bSelected)
        Draw3dRectColors(pDC, rc, kColorButtonHighlight, kColorButtonShadow);
}

void CQorDefaultTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CQorImageManagerIcon* pImage, BOOL bEnabled,
                                 BOOL bChecked, BOOL bPressed, BOOL bSelected)
{
    if (!pImage)
        return;
    const int nState = !bEnabled   ? CQorImageManagerIcon::stateDisabled
                       : bPressed  ? CQorImageManagerIcon::statePressed
                       : bChecked  ? CQorImageManagerIcon::stateChecked
                       : bSelected ? CQorImageManagerIcon::stateHot
                                   : CQorImageManagerIcon::stateNormal;
    pImage->Draw(pDC, pImage->GetImage(nState), pt.x, pt.y, sz.cx, sz.cy);
}

CSize CQorDefaultTheme::FillCaptionBar(CDC* pDC, CRect rc, BOOL bActive, BOOL bDraw)
{
    return FillCaptionRect(pDC, rc, bActive ? kColorActiveCaption : kColorInactiveCaption, bDraw);
}

void CQorDefaultTheme::DrawPopupGrippers(CDC* pDC, CRect rc, int nKind)
{
    DrawGripperDots(pDC, rc, nKind, kColorWindow, 38);
}

void CQorDefaultTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int)
{
    if (bEnabled && bSelected)
        Draw3dRectColors(pDC, rc, kColorButtonShadow, kColorButtonHighlight);
    else
        FillAndFrame(pDC, rc, kColorButtonFace);
}

void CQorDefaultTheme::DrawComboDropButton(CDC* pDC, CRect rc, BOOL, BOOL bPressed)
{
    pDC->DrawFrameControl(&rc, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (bPressed ? DFCS_PUSHED | DFCS_FLAT : 0));
}

// ---------------------------------------------------------------------------------------------
// Bars

CSize CQorDefaultTheme::DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw)
{
    const CSize szGap = CQorPaintManager::DrawSeparator(pDC, pBar, pControl, FALSE);
    CRect rcGap;
    BOOL bHorizontalLine = FALSE;
    if (!bDraw || !GetSeparatorGap(pBar, pControl, rcGap, bHorizontalLine))
        return szGap;
    // An etched line: shadow, then highlight, in the middle of the gap.
    if (bHorizontalLine) {
        const int y = rcGap.CenterPoint().y - 1;
        pDC->FillSolidRect(rcGap.left, y, rcGap.Width(), 1, GetColor(kColorButtonShadow));
        pDC->FillSolidRect(rcGap.left, y + 1, rcGap.Width(), 1, GetColor(kColorButtonHighlight));
    } else {
        const int x = rcGap.CenterPoint().x - 1;
        pDC->FillSolidRect(x, rcGap.top + 2, 1, rcGap.Height() - 4, GetColor(kColorButtonShadow));
        pDC->FillSolidRect(x + 1, rcGap.top + 2, 1, rcGap.Height() - 4, GetColor(kColorButtonHighlight));
    }
    return szGap;
}

void CQorDefaultTheme::FillCommandBar(CDC* pDC, CQorCommandBar* pBar)
{
    CRect rc;
    GetClientRectSafe(pBar, rc);
    pDC->FillSolidRect(&rc, GetColor(kColorButtonFace));
    if (pBar && (pBar->IsPopupBar() || pBar->GetPosition() == kBarPositionFloating)) {
        Draw3dRectColors(pDC, rc, kColorButtonFace, kColorDarkShadow);
        rc.DeflateRect(1, 1);
        Draw3dRectColors(pDC, rc, kColorButtonHighlight, kColorButtonShadow);
    }
}

void CQorDefaultTheme::DrawDockedGripperMark(CDC* pDC, const CRect& rcClient, BOOL bLevel)
{
    const CRect rc = bLevel ? CRect(3, 3, 6, rcClient.bottom - 3) : CRect(3, 3, rcClient.right - 3, 6);
    Draw3dRectColors(pDC, rc, kColorButtonHighlight, kColorButtonShadow);
}

CSize CQorDefaultTheme::DrawSmallGripper(CDC* pDC, CQorCommandBar*, BOOL bDraw)
{
    const int h = GetSmallGripperHeight();
    if (bDraw)
        Draw3dRectColors(pDC, CRect(3, 3, 6, h), kColorButtonHighlight, kColorButtonShadow);
    return CSize(6, h);
}

CRect CQorDefaultTheme::GetCommandBarBorders(CQorCommandBar* pBar)
{
    const int n = pBar && pBar->IsPopupBar() ? 3 : 2;
    return CRect(n, n, n, n);
}

// ---------------------------------------------------------------------------------------------
// Popup items

CSize CQorDefaultTheme::GetPopupBarImageSize(CQorCommandBar* pBar)
{
    const CSize szIcon = GetToolBarIconSize(pBar);
    return CSize(std::max<int>(m_nTextHeight, szIcon.cx + 4), std::max<int>(m_nTextHeight, szIcon.cy + 4));
}

// The highlight over a selected item, the check box sunken around the tick or the icon, the
// submenu arrow; a split item's divider and, while its popup is open, its drop-down part sunken.
void CQorDefaultTheme::DrawPopupItemFrame(CDC* pDC, CQorControl* pControl, const PopupItemLayout& layout)
{
    if (pControl->GetType() != qorControlLabel)
        DrawControlEntry(pDC, layout.rcItem, layout.bSelected, layout.nPressed, layout.bEnabled, FALSE, layout.bPopuped,
                         layout.nBarType, layout.nBarPosition);
    DrawPopupItemMarks(pDC, pControl, layout);
    if (pControl->GetType() != qorControlSplitButtonPopup)
        return;
    DrawPopupSplitDivider(pDC, layout.rcItem,
                          !layout.bEnabled   ? kColorGrayText
                          : layout.bSelected ? kColorButtonShadow
                                             : m_nPopupBarText);
    if (layout.bSelected && layout.bPopuped) {
        CRect rcDrop(layout.rcItem);
        rcDrop.left = rcDrop.right - m_nSplitButtonPopupWidth;
        Draw3dRectColors(pDC, rcDrop, kColorButtonShadow, kColorButtonHighlight);
    }
}

} // namespace QorPaintThemes
