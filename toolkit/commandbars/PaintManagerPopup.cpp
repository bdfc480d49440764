// The items of menu-like popup bars: one layout serves measuring and drawing. An item is an icon
// column at its left (the icon, or a check mark in a box, centred in it), the caption after a
// gap, the shortcut text flush right, and the submenu arrow of controls that open a popup. The
// looks draw their background and marks (DrawPopupItemFrame); the icon and the captions are
// drawn here for all of them.
#include "toolkit/commandbars/PaintManager.h"

#include <algorithm>
#include <memory>

#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/foundation/DrawHelpers.h"

using namespace qorpaint;

namespace {

const int kCheckBox = 20;             // the check box of an item without an icon
const int kShortcutLeftPad = 8;       // the shortcut's room starts this far into the caption column
const int kShortcutRightPad = 19;     // and ends this far before the item's right edge (the arrow's room)
const int kItemPadding = 32;          // added to the caption and shortcut widths
const int kArrowInset = 11;           // the submenu arrow's left corner, from the right edge
const int kDescriptionRightPad = 10;  // a description ends this far before the right edge
const int kTwoLinePadding = 19;       // a two-line item's height beyond its two texts
const int kButtonStyleDescription = 5; // a caption in bold over its description
const UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
// Measured without centring: a line centred in an empty rectangle comes back too low.
const UINT kCaptionMeasureFormat = DT_SINGLELINE | DT_LEFT;
const UINT kShortcutFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX;
const UINT kDescriptionFormat = DT_WORDBREAK | DT_NOPREFIX;

CSize MeasureText(CDC* pDC, const CString& strText, UINT nFormat)
{
    if (strText.IsEmpty())
        return CSize(0, 0);
    CRect rc(0, 0, 0, 0);
    pDC->DrawText(strText, &rc, nFormat | DT_CALCRECT);
    return rc.Size();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Metrics

CSize CQorPaintManager::GetPopupBarImageSize(CQorCommandBar* pBar)
{
    const CSize szIcon = GetToolBarIconSize(pBar);
    return CSize(std::max<int>(m_nTextHeight + 4, szIcon.cx + 4), std::max<int>(m_nTextHeight, szIcon.cy + 6));
}

int CQorPaintManager::GetPopupIconColumnWidth(CQorCommandBar* pBar, CQorControl* pControl)
{
    if (pControl && pControl->GetType() == qorControlLabel && !m_bShowLabelIconColumn)
        return 0;
    const int nWidth = GetPopupBarImageSize(pBar).cx;
    return pBar && pBar->IsDoubleGripper() ? 2 * nWidth : nWidth;
}

int CQorPaintManager::GetPopupBarGripperWidth(CQorCommandBar* pBar)
{
    if (!pBar || pBar->GetType() != kBarTypePopup)
        return 0;
    return GetPopupIconColumnWidth(pBar) + 1;
}

int CQorPaintManager::GetPopupBarGap(CQorCommandBar* pBar)
{
    if (!pBar || pBar->GetType() != kBarTypePopup)
        return 0;
    return GetPopupBarGripperWidth(pBar) + m_nPopupCaptionGap;
}

BOOL CQorPaintManager::HasSubmenuArrow(CQorControl* pControl)
{
    const int nType = pControl->GetType();
    return nType == qorControlPopup || nType == qorControlButtonPopup || nType == qorControlSplitButtonPopup;
}

BOOL CQorPaintManager::IsRarelyUsedItem(CQorControl* pControl)
{
    if (pControl->GetHideFlags() & qorHideExpand)
        return TRUE;
    CQorCommandBars* pCommandBars = pControl->GetCommandBars();
    const CQorCommandBarsOptions* pOptions = pCommandBars ? pCommandBars->GetCommandBarsOptions() : nullptr;
    return pOptions && !pOptions->m_bAlwaysShowFullMenus && pCommandBars->IsControlHidden(pControl);
}

// ---------------------------------------------------------------------------------------------
// Layout

CQorPaintManager::PopupItemLayout CQorPaintManager::LayOutPopupItem(CDC* pDC, CQorControl* pControl,
                                                                    const CRect& rcItem)
{
    PopupItemLayout layout;
    CQorCommandBar* pBar = pControl->GetParent();
    layout.nBarType = pBar ? pBar->GetType() : kBarTypePopup;
    layout.nBarPosition = pBar ? pBar->GetPosition() : kBarPositionPopup;
    layout.bSelected = pControl->GetSelected() != 0;
    layout.bEnabled = pControl->GetEnabled();
    layout.bPopuped = IsControlPopuped(pControl);
    layout.nPressed = GetShownPressed(pControl);
    layout.rcItem = rcItem;
    layout.nIconColumn = GetPopupIconColumnWidth(pBar, pControl);
    layout.szIcon = GetToolBarIconSize(pBar);
    layout.bImage = layout.nIconColumn > 0 && pControl->GetImage(layout.szIcon.cx) != nullptr;
    layout.strCaption = pControl->GetCaption();
    layout.strShortcut = pControl->GetShortcutText();
    const CString strDescription = pControl->GetDescription();
    layout.bTwoLine = pControl->GetEffectiveStyle() == kButtonStyleDescription && !strDescription.IsEmpty();
    if (layout.bTwoLine)
        layout.strDescription = strDescription;

    // Measures: the caption (bold over a description), the shortcut, the item.
    const int nItemHeight = GetPopupBarImageSize(pBar).cy;
    CSize szCaption(0, 0);
    {
        CQorFontDC font(pDC, layout.bTwoLine ? &m_fontRegularBold : &m_fontRegular);
        if (!layout.strCaption.IsEmpty())
            szCaption = DrawControlCaption(pDC, pControl, layout.strCaption, CRect(0, 0, 0, 0), kCaptionMeasureFormat,
                                           FALSE);
    }
    CQorFontDC font(pDC, &m_fontRegular);
    const CSize szShortcut = MeasureText(pDC, layout.strShortcut, kShortcutFormat);
    const int nLead = m_nPopupCaptionGap + layout.nIconColumn;
    CSize size(nLead + szCaption.cx + szShortcut.cx + kItemPadding, nItemHeight);
    int nTextBoxHeight = 0;
    if (layout.bTwoLine) {
        // The description wraps in a box half as wide as its one line, two lines high.
        const int w = MeasureText(pDC, layout.strDescription, DT_SINGLELINE | DT_NOPREFIX).cx;
        CRect rcTwoLines(0, 0, (w + 20) / 2, 0);
        pDC->DrawText(L"1\n2", &rcTwoLines, DT_CALCRECT | DT_WORDBREAK);
        nTextBoxHeight = rcTwoLines.Height();
        size.cy = std::max<int>(nItemHeight, nTextBoxHeight + szCaption.cy + kTwoLinePadding);
        size.cx = std::max<int>(size.cx, nLead + (w + 20) / 2 + kItemPadding);
    }
    if (pControl->GetWidth() > 0)
        size.cx = std::max(1, pControl->GetWidth());
    if (pControl->GetHeight() > 0)
        size.cy = pControl->GetHeight();
    layout.size = size;

    // Places, in the item's rectangle.
    const CRect& rc = rcItem;
    layout.rcIconColumn = CRect(rc.left, rc.top, rc.left + layout.nIconColumn, rc.bottom);
    const int nBox = std::max<int>(kCheckBox, layout.szIcon.cx + 4);
    const CPoint ptColumn(rc.left + layout.nIconColumn / 2, rc.top + rc.Height() / 2);
    layout.rcCheck = CRect(ptColumn.x - nBox / 2, ptColumn.y - nBox / 2, ptColumn.x - nBox / 2 + nBox,
                           ptColumn.y - nBox / 2 + nBox);
    layout.rcCaption = CRect(rc.left + nLead, rc.top, rc.right, rc.bottom);
    if (!layout.strShortcut.IsEmpty()) {
        layout.rcCaption.right -= szShortcut.cx + kShortcutRightPad;
        layout.rcShortcut = CRect(rc.left + layout.nIconColumn + kShortcutLeftPad, rc.top, rc.right - kShortcutRightPad,
                                  rc.bottom);
    }
    if (HasSubmenuArrow(pControl))
        layout.rcCaption.right = std::min<int>(layout.rcCaption.right, rc.right - kShortcutRightPad);
    if (layout.bTwoLine) {
        // The caption and the description share the item's height, the spare room above, below
        // and between them.
        const int nSpare = std::max<int>(0, rc.Height() - szCaption.cy - nTextBoxHeight);
        const int nTop = rc.top + nSpare / 3;
        layout.rcCaption.top = nTop;
        layout.rcCaption.bottom = nTop + szCaption.cy;
        layout.rcDescription = CRect(layout.rcCaption.left, layout.rcCaption.bottom + nSpare / 6,
                                     rc.right - kDescriptionRightPad, rc.bottom);
    }
    return layout;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CQorPaintManager::DrawPopupItemMarks(CDC* pDC, CQorControl* pControl, const PopupItemLayout& layout)
{
    if (pControl->GetChecked() && layout.nIconColumn > 0) {
        DrawControlEntry(pDC, layout.rcCheck, layout.bSelected, layout.nPressed, layout.bEnabled, TRUE, FALSE,
                         layout.nBarType, layout.nBarPosition);
        if (!layout.bImage) {
            const COLORREF clrMark = GetControlTextColor(layout.bSelected, FALSE, layout.bEnabled, TRUE, FALSE,
                                                         layout.nBarType, pControl->GetType());
            if (pControl->GetType() == qorControlRadioButton)
                DrawRadioDot(pDC, layout.rcCheck, clrMark);
            else
                DrawCheckTick(pDC, layout.rcCheck, clrMark);
        }
    }
    if (HasSubmenuArrow(pControl)) {
        const int x = layout.rcItem.right - kArrowInset;
        const int m = layout.rcItem.top + layout.rcItem.Height() / 2;
        DrawTriangle(pDC, GetControlStateColor(pControl), CPoint(x, m - 3), CPoint(x + 3, m), CPoint(x, m + 3));
    }
}

void CQorPaintManager::DrawPopupSplitDivider(CDC* pDC, const CRect& rcItem, COLORREF clr)
{
    const int x = rcItem.right - m_nSplitButtonPopupWidth;
    pDC->FillSolidRect(x, rcItem.top + 1, 1, rcItem.Height() - 2, GetColor(clr));
}

CSize CQorPaintManager::DrawControlInPopup(CDC* pDC, CQorControl* pControl, BOOL bDraw)
{
    // Measuring without a DC measures on the screen's.
    std::unique_ptr<CClientDC> pScreenDC(pDC ? nullptr : new CClientDC(nullptr));
    CDC* pMeasureDC = pDC ? pDC : pScreenDC.get();
    const CRect rcControl = pControl->GetRect();
    const PopupItemLayout layout = LayOutPopupItem(pMeasureDC, pControl, rcControl);
    if (!bDraw)
        return layout.size;

    DrawPopupItemFrame(pDC, pControl, layout);
    if (layout.bImage) {
        const CPoint ptCentre = layout.rcCheck.CenterPoint();
        DrawControlImage(pDC, pControl, CPoint(ptCentre.x - layout.szIcon.cx / 2, ptCentre.y - layout.szIcon.cy / 2),
                         layout.szIcon);
    }
    CQorCommandBar* pBar = pControl->GetParent();
    // Menus underline their mnemonics only while the keyboard is in use.
    const UINT nPrefix = pBar && !pBar->IsKeyboardCuesVisible() ? DT_HIDEPREFIX : 0;
    CQorFontDC font(pDC, layout.bTwoLine ? &m_fontRegularBold : &m_fontRegular, GetControlStateColor(pControl));
    const int nBkMode = pDC->SetBkMode(TRANSPARENT);
    if (!layout.strCaption.IsEmpty())
        DrawControlCaption(pDC, pControl, layout.strCaption, layout.rcCaption, kCaptionFormat | DT_END_ELLIPSIS | nPrefix,
                           TRUE);
    font.SetFont(&m_fontRegular);
    if (!layout.strShortcut.IsEmpty())
        DrawControlText(pDC, layout.strShortcut, layout.rcShortcut, kShortcutFormat, TRUE, FALSE, layout.bEnabled);
    if (layout.bTwoLine)
        DrawControlText(pDC, layout.strDescription, layout.rcDescription, kDescriptionFormat, TRUE, FALSE,
                        layout.bEnabled);
    pDC->SetBkMode(nBkMode);
    return rcControl.Size();
}
