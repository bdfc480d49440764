// The default schema's window frame: border widths, the borders, caption, icon, title and
// caption buttons, and the window region cut from the caption image's transparent corners.
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/SystemInfo.h"
#include "toolkit/skin/SkinFrameRecord.h"
#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerMetrics.h"
#include "toolkit/skin/SkinManagerSchemaDefault.h"

#include <algorithm>
#include <cstdlib>

namespace {

const COLORREF kDefaultTransparent = RGB(255, 0, 255);
// A caption bitmap is never taller than this, whatever the skin or the window claims.
const int kMaxCaptionHeight = 512;

int BorderMultiplier()
{
    int n = 1;
    ::SystemParametersInfoW(SPI_GETBORDER, 0, &n, 0);
    return n;
}

// Frame edges of the styles: window or static edge, the thin border, the sizing border.
int EdgeCount(DWORD dwStyle, DWORD dwExStyle)
{
    int n = (dwExStyle & WS_EX_WINDOWEDGE) ? 2 : ((dwExStyle & WS_EX_STATICEDGE) ? 1 : 0);
    if ((dwStyle & (WS_BORDER | WS_DLGFRAME)) || (dwExStyle & WS_EX_DLGMODALFRAME))
        ++n;
    if (dwStyle & WS_THICKFRAME)
        n += BorderMultiplier();
    return n;
}

CQorSkinManagerMetrics* MetricsOf(CQorSkinManager* pManager)
{
    return pManager ? pManager->GetMetrics() : nullptr;
}

} // namespace

CQorSkinManagerSchemaDefault::FRAMEREGION::~FRAMEREGION()
{
    if (hLeft)
        ::DeleteObject(hLeft);
    if (hRight)
        ::DeleteObject(hRight);
}

void CQorSkinManagerSchemaDefault::FreeRegions()
{
    for (INT_PTR i = 0; i < m_arrRegions.GetSize(); ++i)
        delete m_arrRegions[i];
    m_arrRegions.RemoveAll();
}

int CQorSkinManagerSchemaDefault::GetCaptionButtonState(const CQorSkinFrameRecord* pFrame, int nIndex)
{
    const CQorSkinCaptionButton& button = pFrame->arrButtons[nIndex];
    int nState;
    if (!button.bEnabled)
        nState = 4;
    else if (pFrame->nHotButton == nIndex && pFrame->nPressedButton == nIndex)
        nState = 3;
    else if (pFrame->nHotButton == nIndex && pFrame->nPressedButton < 0)
        nState = 2;
    else
        nState = 1;
    return pFrame->bActive ? nState : nState + 4;
}

CRect CQorSkinManagerSchemaDefault::GetFrameBorders(const CQorSkinFrameRecord* pFrame)
{
    if (!pFrame)
        return CRect(0, 0, 0, 0);
    const DWORD dwStyle = pFrame->dwStyle, dwExStyle = pFrame->dwExStyle;
    CQorSkinManagerMetrics* pMetrics = MetricsOf(m_pManager);
    const int cyCaption = pMetrics ? (pFrame->IsToolWindow() ? pMetrics->m_cySmallCaption : pMetrics->m_cyCaption)
                                   : ::GetSystemMetrics(pFrame->IsToolWindow() ? SM_CYSMCAPTION : SM_CYCAPTION);
    if ((dwStyle & (WS_CAPTION | WS_MAXIMIZE)) == (WS_CAPTION | WS_MAXIMIZE) && !(dwStyle & WS_CHILD)) {
        CRect rc(0, 0, 100, 100);
        ::AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
        const int d = -rc.left;
        return CRect(d, cyCaption + d, d, d);
    }
    const int nCaption = pFrame->HasCaption() ? cyCaption : 0;
    const int n = EdgeCount(dwStyle, dwExStyle);
    CRect rc(n * ::GetSystemMetrics(SM_CXBORDER), 0, n * ::GetSystemMetrics(SM_CXBORDER),
             n * ::GetSystemMetrics(SM_CYBORDER));
    rc.top = nCaption + rc.bottom;
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        rc.left += ::GetSystemMetrics(SM_CXEDGE);
        rc.right += ::GetSystemMetrics(SM_CXEDGE);
        rc.top += ::GetSystemMetrics(SM_CYEDGE);
        rc.bottom += ::GetSystemMetrics(SM_CYEDGE);
    }
    return rc;
}

int CQorSkinManagerSchemaDefault::DrawCaptionButtons(CDC* pDC, CQorSkinFrameRecord* pFrame)
{
    const DWORD dwStyle = pFrame->dwStyle, dwExStyle = pFrame->dwExStyle;
    const int nWidth = pFrame->rcWindow.Width();
    int nRight = (dwExStyle & WS_EX_WINDOWEDGE) ? 2 : ((dwExStyle & WS_EX_STATICEDGE) ? 1 : 0);
    if ((dwStyle & (WS_BORDER | WS_DLGFRAME)) || (dwExStyle & WS_EX_DLGMODALFRAME))
        ++nRight;
    if (dwStyle & WS_THICKFRAME)
        nRight += BorderMultiplier();
    int nTop = (dwExStyle & (WS_EX_WINDOWEDGE | WS_EX_STATICEDGE)) ? 1 : 0;
    if (dwStyle & WS_THICKFRAME)
        nTop += (BorderMultiplier() + 1) / 2;
    if (dwExStyle & WS_EX_CLIENTEDGE)
        --nTop;
    const int nBorderTop = pFrame->rcBorders.top;
    const int h = nBorderTop - ::GetSystemMetrics(SM_CXBORDER) * nRight - 5 - ((dwExStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    const CSize size = pFrame->IsToolWindow() ? CSize(h, h) : GetCaptionButtonSize(h);
    int x = nWidth - nRight - 2;
    const int y = (nBorderTop - size.cy) / 2 + nTop;
    int nLeft = nWidth - nRight;
    CQorSkinManagerClass* pClass = m_pManager ? m_pManager->GetClass(L"WINDOW") : nullptr;
    for (INT_PTR i = 0; i < pFrame->arrButtons.GetSize(); ++i) {
        CQorSkinCaptionButton button = pFrame->arrButtons[i];
        button.rc = CRect(x - size.cx, y, x, y + size.cy);
        pFrame->arrButtons.SetAt(i, button);
        if (pClass && h > 0)
            pClass->DrawBackground(pDC, button.nPart, GetCaptionButtonState(pFrame, static_cast<int>(i)), &button.rc);
        nLeft = x - size.cx;
        x -= size.cx + 2;
    }
    return nLeft;
}

void CQorSkinManagerSchemaDefault::DrawClientEdge(CDC* pDC, CQorSkinFrameRecord* pFrame, const CRect& rc)
{
    CQorSkinManagerClass* pClass = m_pManager ? m_pManager->GetClass(pFrame->lpszClassName) : nullptr;
    HDC hDC = pDC->GetSafeHdc();
    if (pClass && pClass->GetEnum(TMT_BGTYPE, 0, 0, 0) == 1) {
        CQorSkinManagerMetrics::FrameRectSolid(hDC, rc, 1, pClass->GetColor(TMT_BORDERCOLOR, 0, 0, 0));
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        if (pFrame->hCtlColorBrush)
            CQorSkinManagerMetrics::FrameRectBrush(hDC, rcInner, 1, pFrame->hCtlColorBrush);
        return;
    }
    CRect rcEdge(rc);
    if (CQorSkinManagerMetrics* pMetrics = MetricsOf(m_pManager))
        pMetrics->SkinDrawEdge(hDC, &rcEdge, EDGE_SUNKEN, BF_RECT);
}

void CQorSkinManagerSchemaDefault::DrawPlainFrame(CDC* pDC, CQorSkinFrameRecord* pFrame, CRect rc)
{
    const DWORD dwStyle = pFrame->dwStyle, dwExStyle = pFrame->dwExStyle;
    HDC hDC = pDC->GetSafeHdc();
    CQorSkinManagerMetrics* pMetrics = MetricsOf(m_pManager);
    auto color = [pMetrics](int nIndex) { return pMetrics ? pMetrics->m_clrTheme[nIndex] : ::GetSysColor(nIndex); };
    if (pMetrics && (dwExStyle & WS_EX_WINDOWEDGE))
        pMetrics->SkinDrawEdge(hDC, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    else if (pMetrics && (dwExStyle & WS_EX_STATICEDGE))
        pMetrics->SkinDrawEdge(hDC, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if ((dwStyle & (WS_BORDER | WS_DLGFRAME)) || (dwExStyle & WS_EX_DLGMODALFRAME)) {
        const BOOL bFace =
            (dwExStyle & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) ||
            (dwStyle & WS_DLGFRAME);
        CQorSkinManagerMetrics::FrameRectSolid(hDC, rc, 1, color(bFace ? COLOR_BTNFACE : COLOR_WINDOWFRAME));
        rc.DeflateRect(1, 1);
    }
    if (dwStyle & WS_THICKFRAME) {
        const int n = BorderMultiplier();
        CQorSkinManagerMetrics::FrameRectSolid(hDC, rc, n, color(COLOR_BTNFACE));
        rc.DeflateRect(n, n);
    }
    if (dwExStyle & WS_EX_CLIENTEDGE)
        DrawClientEdge(pDC, pFrame, rc);
}

void CQorSkinManagerSchemaDefault::DrawCaptionIconAndTitle(CDC* pDC, CQorSkinFrameRecord* pFrame, int nLeft, int nTop)
{
    const DWORD dwStyle = pFrame->dwStyle, dwExStyle = pFrame->dwExStyle;
    HDC hDC = pDC->GetSafeHdc();
    const int nCaptionTop =
        EdgeCount(dwStyle, dwExStyle) * ::GetSystemMetrics(SM_CYBORDER) - ::GetSystemMetrics(SM_CYBORDER);
    int nTitleLeft = nLeft;
    HICON hIcon = nullptr;
    if (!pFrame->IsToolWindow() && (dwStyle & WS_SYSMENU)) {
        hIcon = pFrame->hIcon;
        if (!hIcon && pFrame->hWnd) {
            hIcon = reinterpret_cast<HICON>(::SendMessageW(pFrame->hWnd, WM_GETICON, ICON_SMALL, 0));
            if (!hIcon)
                hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(pFrame->hWnd, GCLP_HICONSM));
            const BOOL bDialogOnly = (dwStyle & WS_CAPTION) == WS_DLGFRAME || (dwExStyle & WS_EX_DLGMODALFRAME);
            DWORD_PTR dwResult = 0;
            if (!hIcon && !bDialogOnly &&
                ::SendMessageTimeoutW(pFrame->hWnd, WM_QUERYDRAGICON, 0, 0, SMTO_NORMAL, 100, &dwResult))
                hIcon = reinterpret_cast<HICON>(dwResult);
        }
        if (!hIcon && pFrame->hWnd)
            hIcon = ::LoadIconW(nullptr, IDI_WINLOGO);
    }
    if (hIcon) {
        const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
        const DWORD dwLayout = GetDCLayout(hDC);
        if (dwLayout & LAYOUT_RTL)
            SetDCLayout(hDC, dwLayout | LAYOUT_BITMAPORIENTATIONPRESERVED);
        ::DrawIconEx(hDC, nLeft + 2, nCaptionTop + (nTop - nCaptionTop - cy) / 2, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        if (dwLayout & LAYOUT_RTL)
            SetDCLayout(hDC, dwLayout);
        nTitleLeft = nLeft + 2 + cx + 2;
    }
    const int nTitleRight = DrawCaptionButtons(pDC, pFrame);
    if (pFrame->strTitle.IsEmpty())
        return;
    CQorSkinManagerMetrics* pMetrics = MetricsOf(m_pManager);
    CQorSkinManagerClass* pClass = m_pManager ? m_pManager->GetClass(L"WINDOW") : nullptr;
    if (!pClass)
        return;
    CFont* pFont = pMetrics ? (pFrame->IsToolWindow() ? &pMetrics->m_fntSmCaption : &pMetrics->m_fntCaption) : nullptr;
    HGDIOBJ hOldFont = pFont && pFont->GetSafeHandle() ? ::SelectObject(hDC, pFont->GetSafeHandle()) : nullptr;
    const int nIndex = pFrame->bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT;
    ::SetTextColor(hDC, pMetrics ? pMetrics->m_clrTheme[nIndex] : ::GetSysColor(nIndex));
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (dwExStyle & WS_EX_RIGHT)
        nFormat |= DT_RIGHT;
    if (dwExStyle & WS_EX_RTLREADING)
        nFormat |= DT_RTLREADING;
    const CRect rcTitle(nTitleLeft, nCaptionTop + 1, nTitleRight, nTop);
    pClass->DrawSkinText(pDC, pFrame->IsToolWindow() ? WP_SMALLCAPTION : WP_CAPTION, pFrame->bActive ? 1 : 2,
                         pFrame->strTitle, nFormat, &rcTitle);
    if (hOldFont)
        ::SelectObject(hDC, hOldFont);
}

void CQorSkinManagerSchemaDefault::DrawFrame(CDC* pDC, CQorSkinFrameRecord* pFrame)
{
    if (!pDC || !pFrame)
        return;
    const int nWidth = pFrame->rcWindow.Width(), nHeight = pFrame->rcWindow.Height();
    if (!pFrame->HasCaption()) {
        DrawPlainFrame(pDC, pFrame, CRect(0, 0, nWidth, nHeight));
        return;
    }
    // Borders from skin sizes never reach past the window.
    int t = std::max(0, std::min<int>(pFrame->rcBorders.top, nHeight));
    int b = std::max(0, std::min<int>(pFrame->rcBorders.bottom, nHeight - t));
    int l = std::max(0, std::min<int>(pFrame->rcBorders.left, nWidth));
    int r = std::max(0, std::min<int>(pFrame->rcBorders.right, nWidth - l));
    if (pFrame->dwExStyle & WS_EX_CLIENTEDGE) {
        DrawClientEdge(pDC, pFrame, CRect(l - 2, t - 2, nWidth - r + 2, nHeight - b + 2));
        l -= 2;
        t -= 2;
        r -= 2;
        b -= 2;
    }
    const int nState = pFrame->bActive ? 1 : 2;
    const BOOL bTool = pFrame->IsToolWindow();
    CQorSkinManagerClass* pClass = m_pManager ? m_pManager->GetClass(L"WINDOW") : nullptr;
    if (!pClass)
        return;
    const CRect rcLeft(0, t, l, nHeight - b), rcRight(nWidth - r, t, nWidth, nHeight - b),
        rcBottom(0, nHeight - b, nWidth, nHeight);
    pClass->DrawBackground(pDC, bTool ? WP_SMALLFRAMELEFT : WP_FRAMELEFT, nState, &rcLeft);
    pClass->DrawBackground(pDC, bTool ? WP_SMALLFRAMERIGHT : WP_FRAMERIGHT, nState, &rcRight);
    pClass->DrawBackground(pDC, bTool ? WP_SMALLFRAMEBOTTOM : WP_FRAMEBOTTOM, nState, &rcBottom);
    if (t <= 0 || nWidth <= 0)
        return;
    CSingleLock lock(&m_lock, TRUE);
    CQorBufferDC dcBuffer(pDC->GetSafeHdc(), CRect(0, 0, nWidth, t));
    const CRect rcCaption(0, 0, nWidth, t);
    pClass->DrawBackground(&dcBuffer, bTool ? WP_SMALLCAPTION : WP_CAPTION, nState, &rcCaption);
    DrawCaptionIconAndTitle(&dcBuffer, pFrame, l, t);
}

CQorSkinManagerSchemaDefault::FRAMEREGION*
CQorSkinManagerSchemaDefault::BuildFrameRegion(int nCaptionHeight, BOOL bToolWindow, int nWindowWidth)
{
    CQorSkinManagerClass* pClass = m_pManager ? m_pManager->GetClass(L"WINDOW") : nullptr;
    const int nPart = bToolWindow ? WP_SMALLCAPTION : WP_CAPTION;
    if (!pClass || nCaptionHeight <= 0 || nWindowWidth <= 0)
        return nullptr;
    CQorSkinImage* pImage = pClass->GetImage(pClass->GetString(TMT_IMAGEFILE, 1, nPart));
    if (!pImage || pImage->GetWidth() <= 0 || pClass->GetInt(TMT_IMAGECOUNT, 1, nPart, 1) < 1)
        return nullptr;
    const BOOL bHorizontal = pClass->GetEnum(TMT_IMAGELAYOUT, 1, nPart, 1) == 1;
    const CRect rcSrc = GetSkinImageFrame(pImage, FrameCount(pClass, nPart, 1, pImage, bHorizontal), bHorizontal, 0);
    const int nHeight = std::min(nCaptionHeight, kMaxCaptionHeight);
    COLORREF clrTransparent = kDefaultTransparent;
    if (!pImage->IsAlpha() && pClass->GetBool(TMT_TRANSPARENT, 1, nPart, FALSE))
        clrTransparent = pClass->GetColor(TMT_TRANSPARENTCOLOR, 1, nPart, kDefaultTransparent) & 0xFFFFFF;
    // Skin margins are cut to the caption image and to the caption's height.
    CRect m = pClass->GetRect(TMT_SIZINGMARGINS, 1, nPart);
    const int nImageWidth = rcSrc.Width();
    m.left = std::max(0, std::min<int>(m.left, nImageWidth));
    m.right = std::max(0, std::min<int>(m.right, nImageWidth - m.left));
    m.top = std::max(0, std::min<int>(m.top, rcSrc.Height()));
    m.bottom = std::max(0, std::min<int>(m.bottom, rcSrc.Height() - m.top));
    m.bottom = std::min<int>(m.bottom, std::max<int>(0, nHeight - m.top));
    FRAMEREGION* pRegion = new FRAMEREGION;
    pRegion->nCaptionHeight = nCaptionHeight;
    pRegion->bToolWindow = bToolWindow;
    int nBitmapWidth = nImageWidth;
    CRect dm(m);
    if (nWindowWidth < m.left + m.right) {
        nBitmapWidth = nWindowWidth;
        dm.left = ::MulDiv(nWindowWidth, m.left, m.left + m.right);
        dm.right = nWindowWidth - dm.left;
        pRegion->bNarrow = TRUE;
    }
    pRegion->nLeft = dm.left;
    pRegion->nRight = dm.right;
    pRegion->nTop = m.top;
    pRegion->nBottom = m.bottom;
    if (nBitmapWidth <= 0)
        return pRegion;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIB32(nullptr, nBitmapWidth, nHeight, &pBits);
    if (!hBitmap)
        return pRegion;
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
        dc.FillSolidRect(CRect(0, 0, nBitmapWidth, nHeight), clrTransparent);
        // A narrow bitmap shares its width between the margins as the nine-grid does.
        pImage->DrawImage(&dc, CRect(0, 0, nBitmapWidth, nHeight), rcSrc, m, static_cast<COLORREF>(-1), qorSkinStretch,
                          FALSE);
        ::SelectObject(dc.GetSafeHdc(), hOld);
    }
    ::GdiFlush();
    const DWORD* pPixels = static_cast<const DWORD*>(pBits); // bottom-up
    const DWORD dwTransparent =
        (GetRValue(clrTransparent) << 16) | (GetGValue(clrTransparent) << 8) | GetBValue(clrTransparent);
    auto isTransparent = [&](int x, int y) {
        return (pPixels[static_cast<size_t>(nHeight - 1 - y) * nBitmapWidth + x] & 0xFFFFFF) == dwTransparent;
    };
    pRegion->hLeft = ::CreateRectRgn(0, 0, 0, 0);
    pRegion->hRight = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bCounting = TRUE;
    for (int y = 0; y < nHeight; ++y) {
        int nRun = 0;
        while (nRun < dm.left && isTransparent(nRun, y))
            ++nRun;
        if (nRun > 0) {
            HRGN hRow = ::CreateRectRgn(0, y, nRun, y + 1);
            ::CombineRgn(pRegion->hLeft, pRegion->hLeft, hRow, RGN_OR);
            ::DeleteObject(hRow);
        }
        int nRightRun = 0;
        while (nRightRun < dm.right && isTransparent(nBitmapWidth - 1 - nRightRun, y))
            ++nRightRun;
        if (nRightRun > 0) {
            HRGN hRow = ::CreateRectRgn(dm.right - nRightRun, y, dm.right, y + 1);
            ::CombineRgn(pRegion->hRight, pRegion->hRight, hRow, RGN_OR);
            ::DeleteObject(hRow);
        }
        if (bCounting) {
            BOOL bAll = TRUE;
            for (int x = dm.left; x < nBitmapWidth - dm.right && bAll; ++x)
                bAll = isTransparent(x, y);
            if (bAll && nBitmapWidth - dm.right > dm.left)
                ++pRegion->nTransparentRows;
            else
                bCounting = FALSE;
        }
    }
    ::DeleteObject(hBitmap);
    return pRegion;
}

CQorSkinManagerSchemaDefault::FRAMEREGION*
CQorSkinManagerSchemaDefault::GetFrameRegion(int nCaptionHeight, BOOL bToolWindow, int nWindowWidth)
{
    for (INT_PTR i = 0; i < m_arrRegions.GetSize(); ++i) {
        FRAMEREGION* pRegion = m_arrRegions[i];
        if (pRegion->nCaptionHeight == nCaptionHeight && pRegion->bToolWindow == bToolWindow) {
            if (pRegion->nLeft + pRegion->nRight <= nWindowWidth)
                return pRegion;
            return BuildFrameRegion(nCaptionHeight, bToolWindow, nWindowWidth);
        }
    }
    FRAMEREGION* pRegion = BuildFrameRegion(nCaptionHeight, bToolWindow, nWindowWidth);
    if (pRegion && !pRegion->bNarrow)
        m_arrRegions.Add(pRegion);
    return pRegion;
}

HRGN CQorSkinManagerSchemaDefault::CreateFrameRegion(const CQorSkinFrameRecord* pFrame, int nWidth, int nHeight)
{
    if (!pFrame || nWidth <= 0 || nHeight <= 0)
        return nullptr;
    const DWORD dwStyle = pFrame->dwStyle;
    if ((dwStyle & WS_MAXIMIZE) && !(dwStyle & WS_CHILD)) {
        const int c = pFrame->rcBorders.left;
        BOOL bSameWidth = FALSE;
        if (pFrame->hWnd) {
            HMONITOR hMonitor = ::MonitorFromWindow(pFrame->hWnd, MONITOR_DEFAULTTONULL);
            MONITORINFO mi = {};
            mi.cbSize = sizeof(mi);
            if (hMonitor && ::GetMonitorInfoW(hMonitor, &mi))
                bSameWidth = mi.rcWork.right - mi.rcWork.left == nWidth;
        }
        return bSameWidth ? ::CreateRectRgn(c, c, nWidth + 2 * c, nHeight + 2 * c)
                          : ::CreateRectRgn(c, c, nWidth - c, nHeight - c);
    }
    HRGN hRegion = ::CreateRectRgn(0, 0, nWidth, nHeight);
    FRAMEREGION* pRegion =
        pFrame->HasCaption() ? GetFrameRegion(pFrame->rcBorders.top, pFrame->IsToolWindow(), nWidth) : nullptr;
    if (!pRegion)
        return hRegion;
    if (pRegion->hLeft)
        ::CombineRgn(hRegion, hRegion, pRegion->hLeft, RGN_DIFF);
    if (pRegion->hRight) {
        HRGN hRight = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(hRight, pRegion->hRight, nullptr, RGN_COPY);
        ::OffsetRgn(hRight, nWidth - pRegion->nRight, 0);
        ::CombineRgn(hRegion, hRegion, hRight, RGN_DIFF);
        ::DeleteObject(hRight);
    }
    if (pRegion->nTransparentRows > 0) {
        HRGN hTop = ::CreateRectRgn(pRegion->nLeft, 0, nWidth - pRegion->nRight, pRegion->nTransparentRows);
        ::CombineRgn(hRegion, hRegion, hTop, RGN_DIFF);
        ::DeleteObject(hTop);
    }
    if (pRegion->bNarrow)
        delete pRegion;
    return hRegion;
}
