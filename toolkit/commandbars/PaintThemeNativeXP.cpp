// The native XP theme: bars in the Windows visual styles ("REBAR", "TOOLBAR", "COMBOBOX",
// "WINDOW", "SPIN"), falling back to the Default drawing, operation by operation, whenever the
// styles cannot be used.
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/SystemInfo.h"

using namespace qorpaint;

namespace QorPaintThemes {

namespace {

const int kToolBarButtonPart = 1;
const int kComboDropDownPart = 1;
const int kRebarBandPart = 3;

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

} // namespace QorPaintThemes
