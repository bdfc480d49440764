// One shadow strip: its window, its image (per-pixel alpha, or a solid colour in region mode),
// its cut-outs and the hook that keeps it with its owner.
#include <algorithm>
#include <vector>

#include "platform/framework/Gdi.h"
#include "platform/framework/WinApp.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Shadows.h"
#include "toolkit/foundation/ColorManager.h"

namespace {

// Steps of the ramp across a strip (1 outermost, 4 next to the owner) and along its ends.
const int kRampSteps = 4;

// A channel of the premultiplied image: never above the pixel's alpha, or the blend would
// brighten what lies under the shadow.
DWORD PremultipliedChannel(int nChannel, int nAlpha)
{
    return static_cast<DWORD>(std::min(nChannel, nAlpha));
}

} // namespace

void QorFillShadowImage(DWORD* pPixels, int cx, int cy, BOOL bHorizontal, int nOptions, COLORREF clrShadow)
{
    if (!pPixels || cx <= 0 || cy <= 0)
        return;
    const COLORREF clr = clrShadow == QOR_COLOR_UNSET ? RGB(0, 0, 0) : clrShadow;
    const int nRed = GetRValue(clr), nGreen = GetGValue(clr), nBlue = GetBValue(clr);
    const BOOL bTheme = (nOptions & qorShadowTheme) != 0;
    const int nAlongStep = bTheme ? 15 : 30; // alpha per step along the strip's middle
    const int nEndStep = bTheme ? 3 : 6;     // alpha per step of j * k in the end squares
    const int nLength = bHorizontal ? cx : cy;
    const int nThickness = bHorizontal ? cy : cx;

    for (int y = 0; y < cy; y++) {
        for (int x = 0; x < cx; x++) {
            const int nAcross = bHorizontal ? y : x; // 0 next to the owner
            const int nAlong = bHorizontal ? x : y;
            const int k = std::clamp(std::min(nThickness, kRampSteps) - nAcross, 1, kRampSteps);
            const int j = std::min(nAlong + 1, nLength - nAlong);
            int nAlpha, r, g, b;
            if (j <= kRampSteps) {
                nAlpha = nEndStep * j * k;
                r = nRed * j * k / 20;
                g = nGreen * j * k / 20;
                b = nBlue * j * k / 20;
            } else {
                nAlpha = nAlongStep * k;
                r = nRed * k / 4;
                g = nGreen * k / 4;
                b = nBlue * k / 4;
            }
            pPixels[y * cx + x] = (static_cast<DWORD>(nAlpha) << 24) | (PremultipliedChannel(r, nAlpha) << 16) |
                                  (PremultipliedChannel(g, nAlpha) << 8) | PremultipliedChannel(b, nAlpha);
        }
    }
}

BEGIN_MESSAGE_MAP(CQorShadowsManager::CShadowWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CQorShadowsManager::CShadowWnd::CShadowWnd(CQorCommandBar* pOwner, BOOL bHorizontal, BOOL bControlShadow, int nOptions,
                                           COLORREF clrShadow)
    : m_bHorizontal(bHorizontal), m_bClipped(FALSE), m_bControlShadow(bControlShadow), m_bLayered(FALSE),
      m_nOptions(nOptions), m_clrShadow(clrShadow), m_pOwner(pOwner), m_rcOwner(0, 0, 0, 0), m_szImage(0, 0)
{
    if (HWND hWndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr)
        ::GetWindowRect(hWndOwner, &m_rcOwner);
}

CQorShadowsManager::CShadowWnd::~CShadowWnd() = default;

BOOL CQorShadowsManager::CShadowWnd::Create(const CRect& rcStrip, HWND hWndOwner, BOOL bLayered, UINT nClassStyle)
{
    m_bLayered = bLayered;
    LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursorW(nullptr, IDC_ARROW));
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bLayered ? WS_EX_LAYERED : 0);
    if (!CreateEx(dwExStyle, lpszClass, L"", WS_POPUP, rcStrip.left, rcStrip.top, rcStrip.Width(), rcStrip.Height(),
                  hWndOwner, nullptr))
        return FALSE;
    // Whether or not creation reported the first size, the image exists from here on (it is
    // made once per size).
    UpdateLayeredImage();
    return TRUE;
}

void CQorShadowsManager::CShadowWnd::CutOut(const CArray<CRect, const CRect&>& arrCuts)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRgn rgn;
    if (!rgn.CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height()))
        return;
    BOOL bCut = FALSE;
    for (INT_PTR i = 0; i < arrCuts.GetSize(); i++) {
        CRect rcCut;
        if (!rcCut.IntersectRect(&rcWindow, &arrCuts[i]))
            continue;
        rcCut.OffsetRect(-rcWindow.left, -rcWindow.top);
        CRgn rgnCut;
        if (!rgnCut.CreateRectRgnIndirect(&rcCut))
            continue;
        rgn.CombineRgn(&rgn, &rgnCut, RGN_DIFF);
        bCut = TRUE;
    }
    // The window owns a region it takes; one it refuses, or none was cut, goes with rgn.
    if (bCut && ::SetWindowRgn(m_hWnd, static_cast<HRGN>(rgn.GetSafeHandle()), FALSE)) {
        rgn.Detach();
        m_bClipped = TRUE;
    }
}

void CQorShadowsManager::CShadowWnd::MoveEdges(int dLeft, int dTop, int dRight, int dBottom)
{
    if (!m_hWnd)
        return;
    CRect rc;
    GetWindowRect(&rc);
    rc.left += dLeft;
    rc.top += dTop;
    rc.right += dRight;
    rc.bottom += dBottom;
    if (m_bClipped) {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        m_bClipped = FALSE;
    }
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()),
                   SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void CQorShadowsManager::CShadowWnd::FollowOwnerPosition(HWND hWndOwner, const WINDOWPOS& wp)
{
    if (wp.flags & SWP_NOMOVE)
        return;
    CRect rcOwner;
    if (!::GetWindowRect(hWndOwner, &rcOwner))
        return;
    // A move of the owner carries its shadow along; a change of size is the owner's to report
    // (OffsetShadows), and a control's shadow stays with the control, not with the popup.
    if (!m_bControlShadow && rcOwner.Size() == m_rcOwner.Size() && rcOwner.TopLeft() != m_rcOwner.TopLeft()) {
        const int dx = rcOwner.left - m_rcOwner.left, dy = rcOwner.top - m_rcOwner.top;
        MoveEdges(dx, dy, dx, dy);
    }
    m_rcOwner = rcOwner;
}

int CQorShadowsManager::CShadowWnd::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                                  LRESULT& /*lResult*/)
{
    switch (nMessage) {
    case WM_SHOWWINDOW:
        ShowWindow(wParam ? SW_SHOWNA : SW_HIDE);
        break;
    case WM_WINDOWPOSCHANGED: {
        // Shown or hidden by SetWindowPos, which sends no WM_SHOWWINDOW.
        const WINDOWPOS* pwp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pwp)
            break;
        if (pwp->flags & SWP_HIDEWINDOW)
            ShowWindow(SW_HIDE);
        else if ((pwp->flags & SWP_SHOWWINDOW) && !IsWindowVisible())
            ShowWindow(SW_SHOWNA);
        FollowOwnerPosition(hWnd, *pwp);
        break;
    }
    case WM_DESTROY:
        // Frees this object: nothing of it may be touched afterwards.
        GetShadowsManager()->RemoveShadow(this);
        break;
    default:
        break;
    }
    return QOR_HOOK_OFFER_ON;
}

void CQorShadowsManager::CShadowWnd::UpdateLayeredImage()
{
    if (!m_bLayered || !m_hWnd)
        return;
    CQorShadowsManager* pManager = GetShadowsManager();
    if (!pManager->m_pfnUpdateLayeredWindow)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CSize sz = rcWindow.Size();
    if (sz.cx <= 0 || sz.cy <= 0 || sz == m_szImage)
        return;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = sz.cx;
    bmi.bmiHeader.biHeight = sz.cy; // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    void* pvBits = nullptr;
    HBITMAP hBitmap = hdcMem ? ::CreateDIBSection(hdcMem, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0) : nullptr;
    if (hBitmap && pvBits) {
        std::vector<DWORD> arrImage(static_cast<size_t>(sz.cx) * static_cast<size_t>(sz.cy));
        QorFillShadowImage(arrImage.data(), sz.cx, sz.cy, m_bHorizontal, m_nOptions, m_clrShadow);
        DWORD* pBits = static_cast<DWORD*>(pvBits);
        for (int y = 0; y < sz.cy; y++)
            std::copy_n(arrImage.data() + static_cast<size_t>(y) * sz.cx, sz.cx,
                        pBits + static_cast<size_t>(sz.cy - 1 - y) * sz.cx);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        POINT ptSrc = {0, 0};
        SIZE size = {sz.cx, sz.cy};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        if (pManager->m_pfnUpdateLayeredWindow(m_hWnd, hdcScreen, nullptr, &size, hdcMem, &ptSrc, 0, &blend, ULW_ALPHA))
            m_szImage = sz;
        ::SelectObject(hdcMem, hOld);
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
    if (hdcMem)
        ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcScreen);
}

void CQorShadowsManager::CShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateLayeredImage();
}

BOOL CQorShadowsManager::CShadowWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_bLayered)
        return TRUE;
    // Region strips are opaque: the colour manager's shadow colour when one is set, else its
    // darker standard shadow.
    CQorColorManager* pColors = GetColorManager();
    COLORREF clr = pColors->GetCustomColor(COLOR_3DSHADOW);
    if (clr == QOR_COLOR_UNSET)
        clr = pColors->GetColor(COLOR_3DDKSHADOW);
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, clr);
    return TRUE;
}

void CQorShadowsManager::CShadowWnd::OnPaint()
{
    CPaintDC dc(this); // the background is the whole strip
}

LRESULT CQorShadowsManager::CShadowWnd::OnNcHitTest(CPoint /*point*/)
{
    // A shadow is no target: the mouse goes through to what lies under it.
    return HTTRANSPARENT;
}

int CQorShadowsManager::CShadowWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*nMessage*/)
{
    return MA_NOACTIVATE;
}
