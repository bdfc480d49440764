// The paint manager's operations that read controls and bars: the tool-bar button (measure and
// draw share one layout), its background by state, split buttons, captions, icons, drop-down
// arrows, separators, grippers, bar borders and the dispatch by bar type.
#include "toolkit/commandbars/PaintManager.h"

#include <algorithm>
#include <memory>

#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

using namespace qorpaint;

namespace {

const int kLargeButtonFlag = 0x200000;
const int kImageBoxPadding = 7;   // an icon's box is this much wider than the icon
const int kImageBoxHeightPad = 6; // and this much higher
const int kCaptionPadding = 6;    // either side of a caption standing alone
const int kDropDownWidth = 8;     // the arrow part of a drop-down button
const int kCaptionBelowPadding = 8;
const UINT kLineFormat = DT_SINGLELINE | DT_VCENTER;

// The caption without its mnemonic marks ("&&" stays one ampersand).
CString StripMnemonics(const CString& strText)
{
    CString strResult;
    for (int i = 0; i < strText.GetLength(); ++i) {
        if (strText[i] == L'&') {
            if (i + 1 >= strText.GetLength())
                break;
            ++i;
        }
        strResult += strText[i];
    }
    return strResult;
}

// Where the parts of a tool-bar button go, worked out once for measuring and drawing. The
// layout is made lying down (x along the button); on bars docked at the left or right it is
// turned a quarter: x becomes y, the caption runs downward, the arrow points sideways.
struct ToolBarButtonLayout
{
    CSize size; // lying down
    BOOL bImage = FALSE;
    CSize szIcon;
    CRect rcImageBox;    // the icon is centred in it
    CString strLines[2]; // one caption line, or two for a caption below with an arrow
    CRect rcLines[2];
    int nLines = 0;
    BOOL bArrow = FALSE; // a drop-down arrow drawn with the caption (not the split part's)
    CPoint ptArrow;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// State

BOOL CQorPaintManager::IsVerticalBar(const CQorCommandBar* pBar)
{
    return pBar && !pBar->IsPopupBar() &&
           (pBar->GetPosition() == kBarPositionLeft || pBar->GetPosition() == kBarPositionRight);
}

BOOL CQorPaintManager::IsControlPopuped(CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    return pBar && pControl->GetIndex() >= 0 && pBar->GetPopuped() == pControl->GetIndex();
}

BOOL CQorPaintManager::IsCaptionBelow(CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl->GetParent();
    return (!pBar || !pBar->IsPopupBar()) && pControl->GetEffectiveStyle() == qorButtonIconAndCaptionBelow;
}

int CQorPaintManager::GetShownPressed(CQorControl* pControl)
{
    const int nPressed = pControl->GetPressed();
    return nPressed == CQorControl::pressedDown && !pControl->GetSelected() ? 0 : nPressed;
}

CSize CQorPaintManager::GetToolBarIconSize(CQorCommandBar* pBar) const
{
    if (pBar) {
        const CSize szOwn = pBar->GetOwnIconSize();
        if (szOwn.cx > 0 && szOwn.cy > 0)
            return szOwn;
    }
    CSize sz(16, 16);
    if (m_bLargeIconsFromFont) {
        const int h = m_nTextHeight;
        const int n = ((h < 22 ? 18 : h - 4) / 8) * 8;
        sz = CSize(n, n);
    }
    if (pBar && (pBar->m_dwFlags & kLargeButtonFlag))
        sz = CSize(sz.cx * 2, sz.cy * 2);
    return sz;
}

void CQorPaintManager::DrawControlEntryOf(CDC* pDC, CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl->GetParent();
    DrawControlEntry(pDC, pControl->GetRect(), pControl->GetSelected() != 0, GetShownPressed(pControl),
                     pControl->GetEnabled(), pControl->GetChecked(), IsControlPopuped(pControl),
                     pBar ? pBar->GetType() : qorBarTypeToolBar, pBar ? pBar->GetPosition() : kBarPositionTop);
}

COLORREF CQorPaintManager::GetControlStateColor(CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl->GetParent();
    const int nBarType = pBar ? pBar->GetType() : qorBarTypeToolBar;
    const int nType = pControl->GetType();
    if ((nType == qorControlCheckBox || nType == qorControlRadioButton) && nBarType != kBarTypePopup)
        return GetControlTextColor(FALSE, FALSE, pControl->GetEnabled(), FALSE, FALSE, nBarType, nType);
    return GetControlTextColor(pControl->GetSelected() != 0, GetShownPressed(pControl), pControl->GetEnabled(),
                               pControl->GetChecked(), IsControlPopuped(pControl), nBarType, nType);
}

CFont* CQorPaintManager::GetControlFont(CQorControl* pControl, BOOL bBold)
{
    if (IsVerticalBar(pControl ? pControl->GetParent() : nullptr))
        return bBold ? &m_fontVertBold : &m_fontVert;
    return bBold ? &m_fontRegularBold : &m_fontRegular;
}

void CQorPaintManager::DrawActiveControlFrame(CDC* pDC, CRect rc, CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl->GetParent();
    const BOOL bHot = pBar && pControl->GetIndex() >= 0 && pBar->GetSelected() == pControl->GetIndex();
    if (!bHot && !pControl->GetPressed() && !(pControl->GetFlags() & qorFlagActiveFrame))
        return;
    rc.DeflateRect(m_rcMargins.left, m_rcMargins.top, m_rcMargins.right, m_rcMargins.bottom);
    DrawControlEntry(pDC, rc, pControl->GetSelected() != 0, GetShownPressed(pControl), pControl->GetEnabled(),
                     pControl->GetChecked(), IsControlPopuped(pControl), pBar ? pBar->GetType() : qorBarTypeToolBar,
                     pBar ? pBar->GetPosition() : kBarPositionTop);
}

// ---------------------------------------------------------------------------------------------
// Captions, icons, arrows

CSize CQorPaintManager::DrawControlCaption(CDC* pDC, CQorControl* pControl, const CString& strText, CRect rc,
                                           UINT nFormat, BOOL bDraw, BOOL bVertical)
{
    const BOOL bEnabled = pControl ? pControl->GetEnabled() : TRUE;
    const BOOL bPressed = pControl ? GetShownPressed(pControl) != 0 : FALSE;
    if (!bDraw || !bVertical)
        return DrawControlText(pDC, strText, rc, nFormat | DT_SINGLELINE, bDraw, bPressed, bEnabled);

    // DrawText cannot turn text: the line is written with the vertical font from the top right
    // corner of its centred box (the font's top faces right).
    const CString strPlain = StripMnemonics(strText);
    CSize szText(0, 0);
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), strPlain, strPlain.GetLength(), &szText);
    const int x = rc.left + (rc.Width() + szText.cy) / 2;
    const int y = rc.top + (rc.Height() - szText.cx) / 2;
    if (m_bEmbossDisabledText && !bEnabled && !bPressed) {
        const COLORREF clrText = pDC->SetTextColor(GetColor(kColorButtonHighlight));
        ::TextOutW(pDC->GetSafeHdc(), x + 1, y + 1, strPlain, strPlain.GetLength());
        pDC->SetTextColor(clrText);
    }
    ::TextOutW(pDC->GetSafeHdc(), x, y, strPlain, strPlain.GetLength());
    return CSize(szText.cx, szText.cy);
}

void CQorPaintManager::DrawControlImage(CDC* pDC, CQorControl* pControl, CPoint pt, CSize szIcon)
{
    CQorImageManagerIcon* pImage = pControl->GetImage(szIcon.cx);
    if (!pImage)
        return;
    DrawImage(pDC, pt, szIcon, pImage, pControl->GetEnabled(), pControl->GetChecked(), GetShownPressed(pControl) != 0,
              pControl->GetSelected() != 0 || IsControlPopuped(pControl));
}

void CQorPaintManager::DrawDropDownArrow(CDC* pDC, CQorControl* pControl, int x, int y, BOOL bSelected, BOOL bEnabled,
                                         int nBarType, BOOL bSideways)
{
    const COLORREF clr = GetControlTextColor(bSelected, FALSE, bEnabled, FALSE, FALSE, nBarType,
                                             pControl ? pControl->GetType() : qorControlButton);
    if (bSideways)
        DrawTriangle(pDC, clr, CPoint(x + 2, y - 2), CPoint(x + 2, y + 2), CPoint(x, y));
    else
        DrawTriangle(pDC, clr, CPoint(x - 2, y - 1), CPoint(x + 2, y - 1), CPoint(x, y + 1));
}

// ---------------------------------------------------------------------------------------------
// Split buttons

void CQorPaintManager::GetSplitButtonParts(CQorControl* pControl, const CRect& rc, CRect& rcMain, CRect& rcDrop)
{
    CQorCommandBar* pBar = pControl->GetParent();
    rcMain = rcDrop = rc;
    if (pBar && pBar->IsPopupBar()) {
        rcMain.right = rcDrop.left = rc.right - m_nSplitButtonPopupWidth;
        return;
    }
    const BOOL bVertical = IsVerticalBar(pBar);
    const int nDrop = IsCaptionBelow(pControl) ? GetCaptionBandHeight() : m_nSplitButtonDropDownWidth + 1;
    // The drop-down part lies after the main part along the button: at the right, or at the
    // bottom of a caption-below button; a bar standing upright turns both.
    const BOOL bAtBottom = IsCaptionBelow(pControl) ? !bVertical : bVertical;
    if (bAtBottom)
        rcMain.bottom = rcDrop.top = std::max<int>(rc.top, rc.bottom - nDrop);
    else
        rcMain.right = rcDrop.left = std::max<int>(rc.left, rc.right - nDrop);
}

CRect CQorPaintManager::GetSplitButtonCaptionRect(CQorControl* pControl)
{
    CRect rcMain, rcDrop;
    GetSplitButtonParts(pControl, pControl->GetRect(), rcMain, rcDrop);
    return rcMain;
}

CQorPaintManager::SplitButtonLook CQorPaintManager::GetSplitButtonLook(CQorControl* pControl)
{
    SplitButtonLook look;
    const BOOL bPopuped = IsControlPopuped(pControl);
    const BOOL bSelected = pControl->GetSelected() != 0;
    look.bEnabled = pControl->GetEnabled();
    look.bChecked = pControl->GetChecked();
    look.nMainPressed = bPopuped ? 0 : GetShownPressed(pControl);
    look.bMainHot = bSelected || bPopuped;
    look.bDropHot = bSelected || look.nMainPressed;
    look.bDropPressed = bPopuped;
    return look;
}

// Two control entries, the arrow in the drop-down part unless the caption band carries it.
void CQorPaintManager::DrawSplitButtonFrame(CDC* pDC, CQorControl* pControl, CRect rc)
{
    CQorCommandBar* pBar = pControl->GetParent();
    const int nBarType = pBar ? pBar->GetType() : qorBarTypeToolBar;
    const int nBarPosition = pBar ? pBar->GetPosition() : kBarPositionTop;
    const SplitButtonLook look = GetSplitButtonLook(pControl);
    CRect rcMain, rcDrop;
    GetSplitButtonParts(pControl, rc, rcMain, rcDrop);
    DrawControlEntry(pDC, rcMain, look.bMainHot, look.nMainPressed, look.bEnabled, look.bChecked, FALSE, nBarType,
                     nBarPosition);
    DrawControlEntry(pDC, rcDrop, look.bDropHot, look.bDropPressed, look.bEnabled, FALSE, FALSE, nBarType,
                     nBarPosition);
    DrawSplitButtonArrow(pDC, pControl, rc);
}

void CQorPaintManager::DrawSplitButtonArrow(CDC* pDC, CQorControl* pControl, const CRect& rc)
{
    if (IsCaptionBelow(pControl))
        return;
    CQorCommandBar* pBar = pControl->GetParent();
    const BOOL bVertical = IsVerticalBar(pBar);
    const int x = bVertical ? rc.CenterPoint().x : rc.right - 7;
    const int y = bVertical ? rc.bottom - 7 : rc.CenterPoint().y;
    DrawDropDownArrow(pDC, pControl, x, y, pControl->GetSelected() != 0, pControl->GetEnabled(),
                      pBar ? pBar->GetType() : qorBarTypeToolBar, bVertical);
}

// ---------------------------------------------------------------------------------------------
// Tool-bar buttons

namespace {

// Whether a control shows a drop-down arrow beside its caption or icon: button popups always,
// popups on tool bars (a menu bar's popups are its menus).
BOOL HasDropDownArrow(CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl->GetParent();
    if (pControl->GetType() == qorControlButtonPopup)
        return TRUE;
    return pControl->GetType() == qorControlPopup && pBar && pBar->GetType() == qorBarTypeToolBar;
}

CSize MeasureLine(CQorPaintManager* pPaintManager, CDC* pDC, CQorControl* pControl, const CString& strText)
{
    if (strText.IsEmpty())
        return CSize(0, 0);
    return pPaintManager->DrawControlCaption(pDC, pControl, strText, CRect(0, 0, 0, 0), kLineFormat, FALSE);
}

ToolBarButtonLayout LayOutToolBarButton(CQorPaintManager* pPaintManager, CDC* pDC, CQorControl* pControl, CSize szGiven)
{
    ToolBarButtonLayout layout;
    CQorCommandBar* pBar = pControl->GetParent();
    const int h = pPaintManager->GetControlHeight();
    layout.szIcon = pPaintManager->GetToolBarIconSize(pBar);
    layout.bImage = pControl->GetEffectiveStyle() != qorButtonCaption && pControl->GetImage(layout.szIcon.cx);
    const CString strCaption = pControl->IsCaptionVisible() ? pControl->GetCaption() : CString();
    const BOOL bCaption = !strCaption.IsEmpty();
    const BOOL bSplit = pControl->GetType() == qorControlSplitButtonPopup;
    const BOOL bArrow = HasDropDownArrow(pControl);
    const CSize szImageBox(layout.szIcon.cx + kImageBoxPadding, layout.szIcon.cy + kImageBoxHeightPad);

    if (CQorPaintManager::IsCaptionBelow(pControl)) {
        // The icon on top; under it a band for one caption line, or two when an arrow follows
        // the caption (the arrow ends the second line).
        const BOOL bBandArrow = bArrow || bSplit;
        if (bBandArrow)
            CQorPaintManager::SplitCaptionInTwo(strCaption, layout.strLines[0], layout.strLines[1]);
        else
            layout.strLines[0] = strCaption;
        const CSize sz0 = MeasureLine(pPaintManager, pDC, pControl, layout.strLines[0]);
        const CSize sz1 = MeasureLine(pPaintManager, pDC, pControl, layout.strLines[1]);
        const int nArrow = bBandArrow ? kDropDownWidth : 0;
        const int nLineHeight = std::max<int>(sz0.cy, sz1.cy);
        layout.size.cx = std::max<int>(szImageBox.cx, std::max<int>(sz0.cx, sz1.cx + nArrow) + kCaptionBelowPadding);
        layout.size.cy = szImageBox.cy + pPaintManager->GetCaptionBandHeight();
        if (szGiven.cx > 0)
            layout.size = szGiven;
        const int cx = layout.size.cx;
        layout.rcImageBox = CRect((cx - szImageBox.cx) / 2, 0, (cx + szImageBox.cx) / 2, szImageBox.cy);
        int y = szImageBox.cy;
        layout.nLines = bBandArrow ? 2 : (bCaption ? 1 : 0);
        layout.rcLines[0] = CRect((cx - sz0.cx) / 2, y, (cx + sz0.cx) / 2, y + nLineHeight);
        y += nLineHeight;
        const int nSecond = sz1.cx + nArrow;
        layout.rcLines[1] = CRect((cx - nSecond) / 2, y, (cx - nSecond) / 2 + sz1.cx, y + nLineHeight);
        layout.bArrow = bBandArrow;
        layout.ptArrow = CPoint(layout.rcLines[1].right + (sz1.cx ? 4 : 3), y + nLineHeight / 2);
        return layout;
    }

    // Side by side: [icon box][caption][arrow][split part].
    const CSize szText = bCaption ? MeasureLine(pPaintManager, pDC, pControl, strCaption) : CSize(0, 0);
    const int nImageBox = layout.bImage || !bCaption ? szImageBox.cx : 0;
    const int nTextPart = bCaption ? szText.cx + (nImageBox ? kCaptionPadding : 2 * kCaptionPadding) : 0;
    const int nArrowPart = bArrow ? kDropDownWidth : 0;
    const int nSplitPart = bSplit ? pPaintManager->m_nSplitButtonDropDownWidth + 1 : 0;
    layout.size.cx = nImageBox + nTextPart + nArrowPart + nSplitPart;
    layout.size.cy = std::max<int>(h, nImageBox ? szImageBox.cy : 0);
    if (szGiven.cx > 0)
        layout.size.cx = szGiven.cx;
    if (szGiven.cy > 0)
        layout.size.cy = szGiven.cy;
    // What is left of the button after its arrow and split parts holds the icon and caption,
    // centred together.
    const int nContent = layout.size.cx - nArrowPart - nSplitPart;
    const int x0 = std::max<int>(0, (nContent - nImageBox - nTextPart) / 2);
    const int cy = layout.size.cy;
    layout.rcImageBox = CRect(x0, (cy - szImageBox.cy) / 2, x0 + nImageBox, (cy + szImageBox.cy) / 2);
    if (bCaption) {
        const int nLeft = x0 + nImageBox + (nImageBox ? 0 : kCaptionPadding);
        layout.strLines[0] = strCaption;
        layout.rcLines[0] = CRect(nLeft, 0, std::min<int>(nLeft + szText.cx, nContent), cy);
        layout.nLines = 1;
    }
    layout.bArrow = bArrow;
    layout.ptArrow = CPoint(nContent + kDropDownWidth / 2 - 1, cy / 2);
    return layout;
}

} // namespace

CSize CQorPaintManager::DrawControlInToolBar(CDC* pDC, CQorControl* pControl, BOOL bDraw)
{
    // Measuring without a DC measures on the screen's.
    std::unique_ptr<CClientDC> pScreenDC(pDC ? nullptr : new CClientDC(nullptr));
    CDC* pMeasureDC = pDC ? pDC : pScreenDC.get();
    CQorCommandBar* pBar = pControl->GetParent();
    const BOOL bVertical = IsVerticalBar(pBar);
    // Measuring uses the upright font: a turned caption is as long as a level one.
    CQorFontDC font(pMeasureDC, &m_fontRegular);

    const CRect rcControl = pControl->GetRect();
    CSize szGiven(pControl->GetWidth(), pControl->GetHeight());
    if (bDraw)
        szGiven = bVertical ? CSize(rcControl.Height(), rcControl.Width()) : rcControl.Size();
    else if (bVertical)
        szGiven = CSize(szGiven.cy, szGiven.cx);
    if (!bDraw && (szGiven.cx <= 0 || szGiven.cy <= 0)) {
        // An own width alone fixes the length along the bar; the rest is measured.
        const CSize szMeasured = LayOutToolBarButton(this, pMeasureDC, pControl, CSize(0, 0)).size;
        if (szGiven.cx <= 0)
            szGiven.cx = szMeasured.cx;
        if (szGiven.cy <= 0)
            szGiven.cy = szMeasured.cy;
    }
    const ToolBarButtonLayout layout = LayOutToolBarButton(this, pMeasureDC, pControl, szGiven);
    if (!bDraw)
        return bVertical ? CSize(layout.size.cy, layout.size.cx) : layout.size;

    // The lying-down layout placed in the control's rectangle (turned on upright bars).
    auto place = [&](const CRect& rc) {
        return bVertical ? CRect(rcControl.left + rc.top, rcControl.top + rc.left, rcControl.left + rc.bottom,
                                 rcControl.top + rc.right)
                         : CRect(rc.left + rcControl.left, rc.top + rcControl.top, rc.right + rcControl.left,
                                 rc.bottom + rcControl.top);
    };
    if (pControl->GetType() == qorControlSplitButtonPopup)
        DrawSplitButtonFrame(pDC, pControl, rcControl);
    else
        DrawControlEntryOf(pDC, pControl);

    const int nShownPressed = GetShownPressed(pControl);
    const BOOL bShift = IsPressedContentShifted() && (nShownPressed || IsControlPopuped(pControl)) &&
                        pControl->GetType() != qorControlSplitButtonPopup;
    const CPoint ptShift(bShift ? 1 : 0, bShift ? 1 : 0);
    if (layout.bImage) {
        const CPoint ptCentre = place(layout.rcImageBox).CenterPoint();
        DrawControlImage(pDC, pControl,
                         CPoint(ptCentre.x - layout.szIcon.cx / 2, ptCentre.y - layout.szIcon.cy / 2) + ptShift,
                         layout.szIcon);
    }
    if (layout.nLines > 0) {
        CQorFontDC fontDraw(pDC, GetControlFont(pControl), GetControlStateColor(pControl));
        const int nBkMode = pDC->SetBkMode(TRANSPARENT);
        for (int i = 0; i < layout.nLines; ++i) {
            if (layout.strLines[i].IsEmpty())
                continue;
            CRect rcLine = place(layout.rcLines[i]);
            rcLine.OffsetRect(ptShift);
            DrawControlCaption(pDC, pControl, layout.strLines[i], rcLine, kLineFormat | DT_CENTER, TRUE, bVertical);
        }
        pDC->SetBkMode(nBkMode);
    }
    if (layout.bArrow) {
        const CPoint pt = bVertical ? CPoint(rcControl.left + layout.ptArrow.y, rcControl.top + layout.ptArrow.x)
                                    : layout.ptArrow + CPoint(rcControl.left, rcControl.top);
        DrawDropDownArrow(pDC, pControl, pt.x + ptShift.x, pt.y + ptShift.y, pControl->GetSelected() != 0,
                          pControl->GetEnabled(), pBar ? pBar->GetType() : qorBarTypeToolBar, bVertical);
    }
    return rcControl.Size();
}

CSize CQorPaintManager::DrawControl(CDC* pDC, CQorControl* pControl, BOOL bDraw)
{
    // Menu-like popups list their controls as menu items; tool bars, menu bars and the popups
    // that lay out in tool-bar rows show buttons.
    CQorCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->IsPopupBar() && pBar->GetType() != qorBarTypeToolBar)
        return DrawControlInPopup(pDC, pControl, bDraw);
    return DrawControlInToolBar(pDC, pControl, bDraw);
}

// ---------------------------------------------------------------------------------------------
// Bars

CSize CQorPaintManager::DrawSeparator(CDC*, CQorCommandBar*, CQorControl*, BOOL)
{
    // The gap every look leaves between groups; the themes draw their own line into it.
    return CSize(6, 6);
}

BOOL CQorPaintManager::GetSeparatorGap(CQorCommandBar* pBar, CQorControl* pControl, CRect& rcGap, BOOL& bHorizontalLine)
{
    if (!pControl)
        return FALSE;
    const CRect rc = pControl->GetRect();
    if (rc.IsRectEmpty())
        return FALSE;
    CRect rcClient(0, 0, 0, 0);
    GetClientRectSafe(pBar, rcClient);
    if (rcClient.IsRectEmpty())
        rcClient = rc;
    const CSize szGap = DrawSeparator(nullptr, pBar, nullptr, FALSE);
    const BOOL bWrap = pControl->m_bWrap;
    if (pBar && pBar->IsPopupBar()) {
        bHorizontalLine = !bWrap;
        rcGap = bWrap ? CRect(rc.left - szGap.cx, rcClient.top + 2, rc.left, rcClient.bottom - 2)
                      : CRect(rc.left, rc.top - szGap.cy, rc.right, rc.top);
        return TRUE;
    }
    if (IsVerticalBar(pBar)) {
        if (bWrap)
            return FALSE;
        bHorizontalLine = TRUE;
        rcGap = CRect(rc.left, rc.top - szGap.cx, rc.right, rc.top);
        return TRUE;
    }
    bHorizontalLine = bWrap;
    rcGap = bWrap ? CRect(rcClient.left + 2, rc.top - szGap.cy, rcClient.right - 2, rc.top)
                  : CRect(rc.left - szGap.cx, rc.top, rc.left, rc.bottom);
    return TRUE;
}

void CQorPaintManager::FillCommandBar(CDC* pDC, CQorCommandBar* pBar)
{
    CRect rc;
    GetClientRectSafe(pBar, rc);
    pDC->FillSolidRect(&rc, GetColor(kColorButtonFace));
}

CSize CQorPaintManager::DrawFloatingCaption(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw)
{
    // Measuring without a DC measures on the screen's.
    std::unique_ptr<CClientDC> pScreenDC(pDC ? nullptr : new CClientDC(nullptr));
    CDC* pMeasureDC = pDC ? pDC : pScreenDC.get();
    CQorFontDC font(pMeasureDC, &m_fontSmallCaption);
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(pMeasureDC->GetSafeHdc(), &tm);
    const int nHeight = tm.tmHeight + 5;
    if (!bDraw || !pBar)
        return CSize(0, nHeight);
    CRect rcClient;
    GetClientRectSafe(pBar, rcClient);
    const CRect rcBorders = GetCommandBarBorders(pBar);
    CRect rcCaption(rcClient.left + rcBorders.left, rcClient.top + rcBorders.top, rcClient.right - rcBorders.right,
                    rcClient.top + rcBorders.top + nHeight);
    pDC->FillSolidRect(&rcCaption, m_clrCaption.GetColor());
    font.SetColor(m_clrCaptionText.GetColor());
    const int nBkMode = pDC->SetBkMode(TRANSPARENT);
    rcCaption.DeflateRect(3, 0);
    pDC->DrawText(pBar->GetTitle(), &rcCaption, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetBkMode(nBkMode);
    return CSize(0, nHeight);
}

CSize CQorPaintManager::GetDockedGripperSize(CQorCommandBar* pBar)
{
    switch (pBar ? pBar->GetPosition() : -1) {
    case kBarPositionTop:
    case kBarPositionBottom:
        return CSize(6, 0);
    case kBarPositionLeft:
    case kBarPositionRight:
        return CSize(0, 8);
    default:
        return CSize(0, 0);
    }
}

CSize CQorPaintManager::DrawCommandBarGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw)
{
    if (pBar && pBar->GetPosition() == kBarPositionFloating)
        return DrawFloatingCaption(pDC, pBar, bDraw);
    const CSize sz = GetDockedGripperSize(pBar);
    if (bDraw && sz != CSize(0, 0)) {
        CRect rc;
        GetClientRectSafe(pBar, rc);
        DrawDockedGripperMark(pDC, rc, sz.cx != 0);
    }
    return sz;
}

CSize CQorPaintManager::DrawSmallGripper(CDC*, CQorCommandBar*, BOOL)
{
    return CSize(0, 0);
}

CRect CQorPaintManager::GetCommandBarBorders(CQorCommandBar*)
{
    return CRect(2, 2, 2, 2);
}

void CQorPaintManager::DrawExpandButton(CDC* pDC, CQorControl* pControl, BOOL bHiddenControls)
{
    const CRect rc = pControl->GetRect();
    if (rc.IsRectEmpty())
        return;
    DrawControlEntryOf(pDC, pControl);
    const COLORREF clr = GetControlStateColor(pControl);
    // Drawn for a level bar in (u across the narrow button, v down its length); an upright
    // bar's button lies on its side, so the picture turns a quarter.
    const BOOL bVertical = IsVerticalBar(pControl->GetParent());
    const int nLength = bVertical ? rc.Width() : rc.Height();
    auto dot = [&](int u, int v) {
        if (bVertical)
            pDC->FillSolidRect(rc.left + v, rc.top + u, 1, 1, clr);
        else
            pDC->FillSolidRect(rc.left + u, rc.top + v, 1, 1, clr);
    };
    if (bHiddenControls) {
        // ">>" at the start of the button.
        for (int u0 = 2; u0 <= 6; u0 += 4) {
            for (int i = 0; i < 3; i++)
                dot(u0 + i, 3 + i);
            for (int i = 0; i < 2; i++)
                dot(u0 + i, 7 - i);
        }
    }
    // The arrow at the end: a triangle five pixels wide pointing down the button.
    const int v0 = nLength - 7;
    for (int r = 0; r < 3; r++)
        for (int u = 3 + r; u <= 7 - r; u++)
            dot(u, v0 + r);
}

CSize CQorPaintManager::DrawExpandGlyph(CDC* pDC, CQorControl* pControl, BOOL bDraw)
{
    const CSize szButton(24, 14);
    if (!bDraw || !pDC)
        return szButton;
    const CRect rc = pControl->GetRect();
    if (rc.IsRectEmpty())
        return szButton;
    DrawControlEntryOf(pDC, pControl);
    const COLORREF clr = GetControlStateColor(pControl);
    // Two "v" strokes, one above the other, each two pixels thick.
    const CPoint ptCentre = rc.CenterPoint();
    for (int nChevron = 0; nChevron < 2; nChevron++) {
        const int y0 = ptCentre.y - 4 + nChevron * 4;
        for (int i = 0; i < 3; i++) {
            pDC->FillSolidRect(ptCentre.x - 3 + i, y0 + i, 1, 2, clr);
            pDC->FillSolidRect(ptCentre.x + 3 - i, y0 + i, 1, 2, clr);
        }
    }
    return szButton;
}
