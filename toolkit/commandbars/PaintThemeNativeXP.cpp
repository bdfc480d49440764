// The native XP theme: bars in the Windows visual styles ("REBAR", "TOOLBAR", "COMBOBOX",
// "WINDOW", "SPIN"), falling back to the Default drawing, operation by operation, whenever the
// styles cannot be used.
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/SystemInfo.h"

using namespace qorpaint;

namespace QorPaintThemes {

namespace {

const int kToolBarButtonPart = 1;
const int kToolBarSplitButtonPart = 3;
const int kToolBarSplitDropDownPart = 4;
const int kToolBarSeparatorPart = 5;     // a line down, between buttons of a level bar
const int kToolBarSeparatorVertPart = 6; // a line across, between rows and upright bars' buttons
const int kComboDropDownPart = 1;
const int kRebarGripperPart = 1;
const int kRebarGripperVertPart = 2;
const int kRebarBandPart = 3;
const int kWindowSmallCaptionPart = 2;
const int kWindowSmallFrameLeftPart = 10;
const int kWindowSmallFrameRightPart = 11;
const int kWindowSmallFrameBottomPart = 12;

// The parent's themed background behind a child window; FALSE when UXTHEME cannot draw it.
BOOL DrawParentBackground(HWND hWnd, HDC hDC, const RECT& rc)
{
    typedef HRESULT(WINAPI * DrawThemeParentBackgroundFn)(HWND, HDC, const RECT*);
    if (QorGetThemeMode() != qorThemeReal)
        return FALSE;
    static CQorModuleHandle s_uxtheme(L"UXTHEME.DLL");
    DrawThemeParentBackgroundFn pfnDraw = nullptr;
    if (!s_uxtheme.GetProcAddress("DrawThemeParentBackground", &pfnDraw) || !pfnDraw)
        return FALSE;
    return SUCCEEDED(pfnDraw(hWnd, hDC, &rc));
}

} // namespace

CQorNativeXPTheme::CQorNativeXPTheme()
    : m_themeRebar(L"REBAR"), m_themeToolbar(L"TOOLBAR"), m_themeComboBox(L"COMBOBOX"), m_themeWindow(L"WINDOW"),
      m_themeSpin(L"SPIN"), m_clrEdgeShadowColor(QOR_COLOR_UNSET), m_clrEdgeHighLightColor(QOR_COLOR_UNSET),
      m_bFlatMenus(TRUE)
{
    m_bThemedStatusBar = TRUE;
    m_bThemedCheckBox = TRUE;
    m_nPopupBarText = kColorMenuText;
    m_bThemeInstallFlag = TRUE;
}

void CQorNativeXPTheme::RefreshMetrics()
{
    CQorDefaultTheme::RefreshMetrics();

    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND hOwner = pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr;
    for (CQorPaintThemeHandle* pTheme :
         {&m_themeRebar, &m_themeToolbar, &m_themeComboBox, &m_themeWindow, &m_themeSpin})
        pTheme->Open(hOwner);

    BOOL bFlatMenus = FALSE;
    m_bFlatMenus = ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &bFlatMenus, 0) ? bFlatMenus : FALSE;

    COLORREF clr = 0;
    const BOOL bRebar = m_themeRebar.IsUsable();
    m_clrEdgeShadowColor = bRebar && SUCCEEDED(m_themeRebar.GetThemeColor(kRebarBandPart, 0, kTmtEdgeShadowColor, &clr))
                               ? clr
                               : GetColor(kColorButtonShadow);
    m_clrEdgeHighLightColor =
        bRebar && SUCCEEDED(m_themeRebar.GetThemeColor(kRebarBandPart, 0, kTmtEdgeHighlightColor, &clr))
            ? clr
            : GetColor(kColorButtonHighlight);
    if (m_themeToolbar.IsUsable() && SUCCEEDED(m_themeToolbar.GetThemeColor(0, 0, kTmtTextColor, &clr)))
        m_arrColor[kColorButtonText].SetStandardValue(clr);
    if (!m_bFlatMenus && bRebar)
        m_bFlatMenus = m_themeRebar.GetThemeSysBool();
    if (m_bFlatMenus)
        m_arrColor[kColorMenuHighlight].SetStandardValue(GetColor(kColorHighlight));
}

BOOL CQorNativeXPTheme::IsThemeUsable()
{
    return m_themeRebar.IsUsable() && m_themeToolbar.IsUsable();
}

int CQorNativeXPTheme::GetToolBarButtonState(BOOL bSelected, BOOL bPressed, BOOL bEnabled, int nChecked, BOOL bPopuped)
{
    if (!bEnabled)
        return nChecked ? 3 : 4;
    if (bPopuped)
        return 3;
    // An indeterminate check shows as unchecked.
    const BOOL bChecked = nChecked == 1;
    if (!bChecked || bPressed) {
        if ((bSelected && bPressed) || bPressed == 2 || bPressed == 3)
            return 3;
        return bSelected ? 2 : 1;
    }
    return bSelected ? 6 : 5;
}

void CQorNativeXPTheme::DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                         BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (!IsThemeUsable()) {
        CQorDefaultTheme::DrawControlEntry(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                           nBarPosition);
        return;
    }
    if (nBarType == kBarTypePopup && !bChecked) {
        if (bSelected || bPressed)
            FillAndFrame(pDC, rc, kColorHighlight, kColorMenuHighlight);
        return;
    }
    m_themeToolbar.DrawBackground(pDC, kToolBarButtonPart,
                                  GetToolBarButtonState(bSelected, bPressed, bEnabled, bChecked, bPopuped), rc);
}

void CQorNativeXPTheme::FillBarWindow(CDC* pDC, CWnd* pWnd)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd && IsThemeUsable() && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & 0x2800)) {
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        if (DrawParentBackground(hWnd, pDC->GetSafeHdc(), rc))
            return;
    }
    CQorDefaultTheme::FillBarWindow(pDC, pWnd);
}

void CQorNativeXPTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int nBarPosition)
{
    COLORREF clrBorder = 0;
    if (m_themeComboBox.IsUsable() && SUCCEEDED(m_themeComboBox.GetThemeColor(0, 0, kTmtBorderColor, &clrBorder))) {
        pDC->Draw3dRect(&rc, clrBorder, clrBorder);
        return;
    }
    CQorDefaultTheme::DrawEditFrame(pDC, rc, bEnabled, bSelected, nBarPosition);
}

void CQorNativeXPTheme::DrawComboDropButton(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed)
{
    if (m_themeComboBox.IsUsable() && m_themeComboBox.DrawBackground(pDC, kComboDropDownPart,
                                                                     bPressed    ? 3
                                                                     : bSelected ? 2
                                                                                 : 1,
                                                                     rc))
        return;
    CQorDefaultTheme::DrawComboDropButton(pDC, rc, bSelected, bPressed);
}

// ---------------------------------------------------------------------------------------------
// Controls and bars

COLORREF CQorNativeXPTheme::GetControlStateColor(CQorControl* pControl)
{
    CQorCommandBar* pBar = pControl->GetParent();
    COLORREF clr = 0;
    // A disabled caption keeps the system's grey: a style need not give its disabled button a
    // text colour of its own (Wine's gives the normal one).
    if (IsThemeUsable() && pControl->GetEnabled() && !(pBar && pBar->IsPopupBar()) &&
        pControl->GetType() != qorControlCheckBox && pControl->GetType() != qorControlRadioButton) {
        const int nState =
            GetToolBarButtonState(pControl->GetSelected() != 0, GetShownPressed(pControl), pControl->GetEnabled(),
                                  pControl->GetChecked(), IsControlPopuped(pControl));
        if (SUCCEEDED(m_themeToolbar.GetThemeColor(kToolBarButtonPart, nState, kTmtTextColor, &clr)))
            return clr;
    }
    return CQorDefaultTheme::GetControlStateColor(pControl);
}

void CQorNativeXPTheme::DrawSplitButtonFrame(CDC* pDC, CQorControl* pControl, CRect rc)
{
    CQorCommandBar* pBar = pControl->GetParent();
    if (!IsThemeUsable() || (pBar && pBar->IsPopupBar())) {
        CQorDefaultTheme::DrawSplitButtonFrame(pDC, pControl, rc);
        return;
    }
    const SplitButtonLook look = GetSplitButtonLook(pControl);
    CRect rcMain, rcDrop;
    GetSplitButtonParts(pControl, rc, rcMain, rcDrop);
    m_themeToolbar.DrawBackground(
        pDC, kToolBarSplitButtonPart,
        GetToolBarButtonState(look.bMainHot, look.nMainPressed, look.bEnabled, look.bChecked, FALSE), rcMain);
    // The style's drop-down part carries its own arrow; a caption band is a plain button part,
    // its arrow drawn after the caption.
    m_themeToolbar.DrawBackground(pDC, IsCaptionBelow(pControl) ? kToolBarButtonPart : kToolBarSplitDropDownPart,
                                  GetToolBarButtonState(look.bDropHot, FALSE, look.bEnabled, 0, look.bDropPressed),
                                  rcDrop);
}

CSize CQorNativeXPTheme::DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw)
{
    CRect rcGap;
    BOOL bHorizontalLine = FALSE;
    if (!bDraw || !IsThemeUsable() || (pBar && pBar->IsPopupBar()) ||
        !GetSeparatorGap(pBar, pControl, rcGap, bHorizontalLine))
        return CQorDefaultTheme::DrawSeparator(pDC, pBar, pControl, bDraw);
    m_themeToolbar.DrawBackground(pDC, bHorizontalLine ? kToolBarSeparatorVertPart : kToolBarSeparatorPart, 0, rcGap);
    return CQorDefaultTheme::DrawSeparator(nullptr, pBar, nullptr, FALSE);
}

void CQorNativeXPTheme::FillCommandBar(CDC* pDC, CQorCommandBar* pBar)
{
    if (!IsThemeUsable() || !pBar) {
        CQorDefaultTheme::FillCommandBar(pDC, pBar);
        return;
    }
    CRect rc;
    GetClientRectSafe(pBar, rc);
    if (pBar->IsPopupBar()) {
        if (m_bFlatMenus) {
            FillAndFrame(pDC, rc, kColorButtonShadow, kColorMenu);
        } else {
            pDC->FillSolidRect(&rc, GetColor(kColorMenu));
            Draw3dRectColors(pDC, rc, kColorButtonFace, kColorDarkShadow);
            rc.DeflateRect(1, 1);
            Draw3dRectColors(pDC, rc, kColorButtonHighlight, kColorButtonShadow);
        }
        return;
    }
    if (pBar->GetPosition() != kBarPositionTop || !DrawParentBackground(pBar->GetSafeHwnd(), pDC->GetSafeHdc(), rc))
        pDC->FillSolidRect(&rc, GetColor(kColorButtonFace));
    m_themeRebar.DrawBackground(pDC, kRebarBandPart, 0, rc);
    if (pBar->GetPosition() == kBarPositionFloating && m_themeWindow.IsUsable()) {
        const CRect rcBorders = GetCommandBarBorders(pBar);
        m_themeWindow.DrawBackground(pDC, kWindowSmallFrameLeftPart, 1,
                                     CRect(rc.left, rc.top, rc.left + rcBorders.left, rc.bottom));
        m_themeWindow.DrawBackground(pDC, kWindowSmallFrameRightPart, 1,
                                     CRect(rc.right - rcBorders.right, rc.top, rc.right, rc.bottom));
        m_themeWindow.DrawBackground(pDC, kWindowSmallFrameBottomPart, 1,
                                     CRect(rc.left, rc.bottom - rcBorders.bottom, rc.right, rc.bottom));
    }
}

CSize CQorNativeXPTheme::DrawCommandBarGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw)
{
    if (!pBar || !IsThemeUsable())
        return CQorDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    const CSize sz = CQorDefaultTheme::DrawCommandBarGripper(pDC, pBar, FALSE);
    if (!bDraw)
        return sz;
    CRect rc;
    GetClientRectSafe(pBar, rc);
    switch (pBar->GetPosition()) {
    case kBarPositionTop:
    case kBarPositionBottom:
        m_themeRebar.DrawBackground(pDC, kRebarGripperPart, 1, CRect(2, 3, 2 + sz.cx, rc.bottom - 3));
        break;
    case kBarPositionLeft:
    case kBarPositionRight:
        m_themeRebar.DrawBackground(pDC, kRebarGripperVertPart, 1, CRect(3, 2, rc.right - 3, 2 + sz.cy));
        break;
    case kBarPositionFloating:
        if (m_themeWindow.IsUsable()) {
            // The small caption of the style, with the title written over it.
            const CRect rcBorders = GetCommandBarBorders(pBar);
            CRect rcCaption(rc.left, rc.top, rc.right, rc.top + rcBorders.top + sz.cy);
            m_themeWindow.DrawBackground(pDC, kWindowSmallCaptionPart, 1, rcCaption);
            rcCaption.DeflateRect(rcBorders.left + 3, rcBorders.top, rcBorders.right + 3, 0);
            CQorFontDC font(pDC, &m_fontSmallCaption, m_clrCaptionText.GetColor());
            const int nBkMode = pDC->SetBkMode(TRANSPARENT);
            pDC->DrawText(pBar->GetTitle(), &rcCaption,
                          DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
            pDC->SetBkMode(nBkMode);
        } else {
            CQorDefaultTheme::DrawCommandBarGripper(pDC, pBar, TRUE);
        }
        break;
    default:
        break;
    }
    return sz;
}

CSize CQorNativeXPTheme::DrawSmallGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw)
{
    const CSize sz = CQorDefaultTheme::DrawSmallGripper(pDC, pBar, FALSE);
    if (bDraw && !IsThemeUsable())
        return CQorDefaultTheme::DrawSmallGripper(pDC, pBar, TRUE);
    if (bDraw)
        m_themeRebar.DrawBackground(pDC, kRebarGripperPart, 1, CRect(2, 3, 2 + sz.cx, sz.cy));
    return sz;
}

} // namespace QorPaintThemes
