// The Office theme: a flat look in the toolkit's derived colours (30-62): selection fills and
// frames by state, no embossed captions, faded and shadowed icons.
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/commandbars/StatusBar.h"
#include "toolkit/foundation/ImageManager.h"

using namespace qorpaint;

namespace QorPaintThemes {

namespace {

// The derived colours the Office looks draw with.
const int kColorBarFace = 30;       // bar and icon-column face
const int kColorSelected = 31;      // hot fill
const int kColorSelectedFrame = 32; // hot frame
const int kColorPressed = 33;       // pressed fill
const int kColorCheckedHot = 36;    // checked and hot fill
const int kColorPressedFrame = 37;  // pressed and checked-hot frame
const int kColorIconShadow = 40;
const int kColorPopupColumn = 42;
const int kColorBarBorder = 43;
const int kColorCheckedFrame = 50;
const int kColorChecked = 51;
const int kColorMenuBack = 41;      // popup background
const int kColorFloatingFrame = 61; // frame of floating bars
const int kColorSeparator = kColorIconShadow;

} // namespace

CQorOfficeTheme::CQorOfficeTheme()
{
    m_nPopupCaptionGap = 8;
    m_bEmbossDisabledText = FALSE;
    m_bFadedIcons = m_bIconsWithShadow = m_bHighlightCheckedIcons = TRUE;
    m_bThemeInstallFlag = TRUE;
}

COLORREF CQorOfficeTheme::GetControlTextColor(BOOL, BOOL, BOOL bEnabled, BOOL, BOOL, int, int)
{
    return GetColor(bEnabled ? kColorButtonText : kColorGrayText);
}

BOOL CQorOfficeTheme::GetEntryColors(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                     int nBarType, COLORREF& clrFill, COLORREF& clrFrame)
{
    clrFill = clrFrame = QOR_COLOR_UNSET;
    if (bPopuped && nBarType != kBarTypePopup) {
        clrFill = kColorBarFace;
        clrFrame = kColorBarBorder;
    } else if (!bEnabled) {
        if (bChecked || bSelected)
            clrFrame = bChecked ? kColorCheckedFrame : kColorSelectedFrame;
    } else if (bChecked) {
        clrFill = bSelected || bPressed ? kColorCheckedHot : kColorChecked;
        clrFrame = bSelected || bPressed ? kColorPressedFrame : kColorCheckedFrame;
    } else if (bPressed) {
        clrFill = kColorPressed;
        clrFrame = kColorPressedFrame;
    } else if (bSelected) {
        clrFill = kColorSelected;
        clrFrame = kColorSelectedFrame;
    }
    return clrFill != QOR_COLOR_UNSET || clrFrame != QOR_COLOR_UNSET;
}

void CQorOfficeTheme::DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                       BOOL bPopuped, int nBarType, int)
{
    COLORREF clrFill, clrFrame;
    if (GetEntryColors(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType, clrFill, clrFrame))
        FillAndFrame(pDC, rc, clrFrame, clrFill);
}

void CQorOfficeTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CQorImageManagerIcon* pImage, BOOL bEnabled,
                                BOOL bChecked, BOOL bPressed, BOOL bSelected)
{
    if (!pImage)
        return;
    if (!bEnabled) {
        pImage->Draw(pDC, pImage->GetImage(CQorImageManagerIcon::stateDisabled), pt.x, pt.y, sz.cx, sz.cy);
        return;
    }
    const BOOL bHot = bSelected && !bPressed && !bChecked;
    if (bHot && m_bIconsWithShadow) {
        // A hot icon lifts off its shadow.
        pImage->DrawMono(pDC, pt.x + 1, pt.y + 1, GetColor(kColorIconShadow));
        pImage->Draw(pDC, pImage->GetImage(CQorImageManagerIcon::stateHot), pt.x - 1, pt.y - 1, sz.cx, sz.cy);
        return;
    }
    if (!bSelected && !bPressed && !bChecked && m_bFadedIcons) {
        pImage->Draw(pDC, pImage->GetFadedImage(), pt.x, pt.y, sz.cx, sz.cy);
        return;
    }
    const int nState = bPressed   ? CQorImageManagerIcon::statePressed
                       : bChecked ? CQorImageManagerIcon::stateChecked
                                  : CQorImageManagerIcon::stateHot;
    pImage->Draw(pDC, pImage->GetImage(nState), pt.x, pt.y, sz.cx, sz.cy);
}

CSize CQorOfficeTheme::FillCaptionBar(CDC* pDC, CRect rc, BOOL bActive, BOOL bDraw)
{
    return FillCaptionRect(pDC, rc, bActive ? m_clrCaption.GetColor() : GetColor(kColorBarFace), bDraw);
}

void CQorOfficeTheme::DrawPopupGrippers(CDC* pDC, CRect rc, int nKind)
{
    DrawGripperDots(pDC, rc, nKind, kColorWindow, kColorIconShadow);
}

void CQorOfficeTheme::FillPopupColumn(CDC* pDC, CRect rc, BOOL bFlag)
{
    pDC->FillSolidRect(&rc, GetColor(bFlag ? kColorPopupColumn : kColorBarFace));
}

CSize CQorOfficeTheme::DrawFlatSymbol(CDC* pDC, const CRect& rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                      BOOL bSelected, BOOL bRadio)
{
    if (bDraw) {
        const COLORREF clrFill = !bEnabled   ? kColorButtonFace
                                 : bPressed  ? kColorPressed
                                 : bSelected ? kColorSelected
                                             : kColorWindow;
        const COLORREF clrFrame = !bEnabled               ? kColorGrayText
                                  : bPressed || bSelected ? kColorSelectedFrame
                                                          : kColorBarBorder;
        FillAndFrame(pDC, rc, clrFrame, clrFill);
        const COLORREF clrMark = bEnabled ? kColorButtonText : kColorGrayText;
        if (nChecked == 2) {
            CRect rcMark(rc);
            rcMark.DeflateRect(3, 3);
            pDC->FillSolidRect(&rcMark, GetColor(kColorGrayText));
        } else if (nChecked && bRadio) {
            DrawRadioDot(pDC, rc, clrMark);
        } else if (nChecked) {
            DrawCheckTick(pDC, rc, clrMark);
        }
    }
    return CSize(13, 13);
}

CSize CQorOfficeTheme::DrawCheckBoxSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                          BOOL bSelected)
{
    return DrawFlatSymbol(pDC, rc, bDraw, bEnabled, nChecked, bPressed, bSelected, FALSE);
}

CSize CQorOfficeTheme::DrawRadioButtonSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                             BOOL bSelected)
{
    return DrawFlatSymbol(pDC, rc, bDraw, bEnabled, nChecked, bPressed, bSelected, TRUE);
}

void CQorOfficeTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int)
{
    FillAndFrame(pDC, rc, bEnabled && bSelected ? kColorSelectedFrame : kColorBarFace);
}

void CQorOfficeTheme::DrawComboDropButton(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed)
{
    const COLORREF clrFill = bPressed ? kColorPressed : bSelected ? kColorSelected : kColorBarFace;
    FillAndFrame(pDC, rc, bPressed || bSelected ? kColorSelectedFrame : clrFill, clrFill);
    DrawDownTriangle(pDC, rc, kColorButtonText);
}

// ---------------------------------------------------------------------------------------------
// Controls and bars

// The flat split button: one entry over the whole button while its popup is open; else the
// two parts side by side sharing their border line.
void CQorOfficeTheme::DrawSplitButtonFrame(CDC* pDC, CQorControl* pControl, CRect rc)
{
    CQorCommandBar* pBar = pControl->GetParent();
    const int nBarType = pBar ? pBar->GetType() : qorBarTypeToolBar;
    const int nBarPosition = pBar ? pBar->GetPosition() : kBarPositionTop;
    const BOOL bSelected = pControl->GetSelected() != 0;
    const BOOL bEnabled = pControl->GetEnabled();
    if (IsControlPopuped(pControl)) {
        DrawControlEntry(pDC, rc, bSelected, FALSE, bEnabled, FALSE, TRUE, nBarType, nBarPosition);
    } else {
        const int nPressed = GetShownPressed(pControl);
        CRect rcMain, rcDrop;
        GetSplitButtonParts(pControl, rc, rcMain, rcDrop);
        DrawControlEntry(pDC, rcMain, bSelected, nPressed, bEnabled, pControl->GetChecked(), FALSE, nBarType,
                         nBarPosition);
        if (bSelected || nPressed) {
            // The drop-down part overlaps the main part by its shared border line.
            if (rcDrop.left > rc.left)
                rcDrop.left -= 1;
            else
                rcDrop.top -= 1;
            DrawControlEntry(pDC, rcDrop, TRUE, FALSE, bEnabled, FALSE, FALSE, nBarType, nBarPosition);
        }
    }
    DrawSplitButtonArrow(pDC, pControl, rc);
}

CSize CQorOfficeTheme::DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw)
{
    const CSize szGap = CQorPaintManager::DrawSeparator(pDC, pBar, pControl, FALSE);
    CRect rcGap;
    BOOL bHorizontalLine = FALSE;
    if (!bDraw || !GetSeparatorGap(pBar, pControl, rcGap, bHorizontalLine))
        return szGap;
    if (pBar && pBar->GetType() == kBarTypePopup && bHorizontalLine) {
        // Across a popup the icon column runs on through the gap and the line starts where the
        // captions do.
        const int nColumn = GetPopupIconColumnWidth(pBar);
        FillPopupColumn(pDC, CRect(rcGap.left, rcGap.top, rcGap.left + nColumn, rcGap.bottom), FALSE);
        rcGap.left += nColumn + m_nPopupCaptionGap;
        DrawSeparatorLine(pDC, rcGap, TRUE, 0, kColorSeparator, QOR_COLOR_UNSET);
        return szGap;
    }
    DrawSeparatorLine(pDC, rcGap, bHorizontalLine, 2, kColorSeparator, QOR_COLOR_UNSET);
    return szGap;
}

// The icon column (darker for a rarely used command shown by the expanded popup), the selection
// over the whole item, the check box in the checked colours, the submenu arrow; a split item's
// divider and, while its popup is open, its drop-down part pressed.
void CQorOfficeTheme::DrawPopupItemFrame(CDC* pDC, CQorControl* pControl, const PopupItemLayout& layout)
{
    if (layout.nIconColumn > 0)
        FillPopupColumn(pDC, layout.rcIconColumn, IsRarelyUsedItem(pControl));
    if (pControl->GetType() != qorControlLabel)
        DrawControlEntry(pDC, layout.rcItem, layout.bSelected, layout.nPressed, layout.bEnabled, FALSE, FALSE,
                         layout.nBarType, layout.nBarPosition);
    DrawPopupItemMarks(pDC, pControl, layout);
    if (pControl->GetType() != qorControlSplitButtonPopup)
        return;
    if (layout.bSelected && layout.bPopuped) {
        CRect rcDrop(layout.rcItem);
        rcDrop.left = rcDrop.right - m_nSplitButtonPopupWidth;
        DrawControlEntry(pDC, rcDrop, TRUE, TRUE, layout.bEnabled, FALSE, FALSE, layout.nBarType, layout.nBarPosition);
    }
    DrawPopupSplitDivider(pDC, layout.rcItem,
                          !layout.bEnabled   ? kColorGrayText
                          : layout.bSelected ? kColorSelectedFrame
                                             : kColorSeparator);
}

void CQorOfficeTheme::DrawSeparatorLine(CDC* pDC, const CRect& rcGap, BOOL bHorizontalLine, int nInset,
                                        COLORREF clrDark, COLORREF clrLight)
{
    const CPoint ptCentre = rcGap.CenterPoint();
    if (bHorizontalLine) {
        const int y = ptCentre.y - 1;
        pDC->FillSolidRect(rcGap.left + nInset, y, rcGap.Width() - 2 * nInset, 1, GetColor(clrDark));
        if (clrLight != QOR_COLOR_UNSET)
            pDC->FillSolidRect(rcGap.left + nInset + 1, y + 1, rcGap.Width() - 2 * nInset, 1, GetColor(clrLight));
    } else {
        const int x = ptCentre.x - 1;
        pDC->FillSolidRect(x, rcGap.top + nInset, 1, rcGap.Height() - 2 * nInset, GetColor(clrDark));
        if (clrLight != QOR_COLOR_UNSET)
            pDC->FillSolidRect(x + 1, rcGap.top + nInset + 1, 1, rcGap.Height() - 2 * nInset, GetColor(clrLight));
    }
}

void CQorOfficeTheme::FillCommandBar(CDC* pDC, CQorCommandBar* pBar)
{
    CRect rc;
    GetClientRectSafe(pBar, rc);
    if (rc.IsRectEmpty())
        return;
    if (pBar->IsPopupBar()) {
        FillAndFrame(pDC, rc, kColorBarBorder, kColorMenuBack);
    } else if (pBar->GetPosition() == kBarPositionFloating) {
        FillAndFrame(pDC, rc, kColorFloatingFrame, kColorBarFace);
        rc.DeflateRect(1, 1);
        FillAndFrame(pDC, rc, kColorFloatingFrame);
    } else {
        // A docked bar: the face with its corners rounded off into the button face.
        pDC->FillSolidRect(&rc, GetColor(kColorBarFace));
        const COLORREF clrFace = GetColor(kColorButtonFace);
        for (const CPoint& pt : {CPoint(rc.left, rc.top), CPoint(rc.right - 1, rc.top), CPoint(rc.left, rc.bottom - 1),
                                 CPoint(rc.right - 1, rc.bottom - 1)})
            pDC->SetPixel(pt.x, pt.y, clrFace);
    }
}

// Short strokes across the gripper, every second pixel.
void CQorOfficeTheme::DrawGripperStrokes(CDC* pDC, const CRect& rc, BOOL bAcross)
{
    const COLORREF clr = GetColor(kColorSeparator);
    if (bAcross) {
        for (int y = rc.top; y < rc.bottom; y += 2)
            pDC->FillSolidRect(rc.left, y, rc.Width(), 1, clr);
    } else {
        for (int x = rc.left; x < rc.right; x += 2)
            pDC->FillSolidRect(x, rc.top, 1, rc.Height(), clr);
    }
}

void CQorOfficeTheme::DrawDockedGripperMark(CDC* pDC, const CRect& rcClient, BOOL bLevel)
{
    if (bLevel)
        DrawGripperStrokes(pDC, CRect(3, 4, 6, rcClient.bottom - 4), TRUE);
    else
        DrawGripperStrokes(pDC, CRect(4, 3, rcClient.right - 4, 6), FALSE);
}

CSize CQorOfficeTheme::DrawSmallGripper(CDC* pDC, CQorCommandBar*, BOOL bDraw)
{
    const int h = GetSmallGripperHeight();
    if (bDraw)
        DrawGripperStrokes(pDC, CRect(3, 4, 6, h - 1), TRUE);
    return CSize(6, h);
}

} // namespace QorPaintThemes

void QorPaintThemes::CQorOfficeTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CQorStatusBarPane* pPane, BOOL)
{
    // The flat look: one line in the shadow colour.
    if (pPane && (pPane->m_nStyle & SBPS_NOBORDERS))
        return;
    FillAndFrame(pDC, rc, kColorButtonShadow);
}
