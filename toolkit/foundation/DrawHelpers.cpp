#include "toolkit/foundation/DrawHelpers.h"

#include <algorithm>
#include <new>

#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/SystemInfo.h"

namespace {

UINT g_nMissingMsimg32 = 0;
UINT g_nDrawFallbacks = 0;
CQorDrawHelpers* g_pDrawHelpers = nullptr;

void DestroyDrawHelpers()
{
    delete g_pDrawHelpers;
    g_pDrawHelpers = nullptr;
}

bool IsWin9x()
{
    return GetOsVersionInfo().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

} // namespace

void QorSetMissingMsimg32EntriesForTest(UINT nMask)
{
    g_nMissingMsimg32 = nMask;
}

UINT QorGetMissingMsimg32EntriesForTest()
{
    return g_nMissingMsimg32;
}

UINT QorGetDrawFallbacksForTest()
{
    return g_nDrawFallbacks;
}

CQorDrawHelpers* GetDrawHelpers()
{
    if (!g_pDrawHelpers) {
        g_pDrawHelpers = new CQorDrawHelpers();
        QorAddExitRoutine(DestroyDrawHelpers, L"DrawHelpers");
    }
    return g_pDrawHelpers;
}

CQorDrawHelpers::CQorDrawHelpers()
{
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImg32) {
        m_pfnGradientFill =
            reinterpret_cast<GradientFillFn>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "GradientFill")));
        m_pfnAlphaBlend =
            reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "AlphaBlend")));
        m_pfnTransparentBlt =
            reinterpret_cast<TransparentBltFn>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "TransparentBlt")));
    }
}

CQorDrawHelpers::~CQorDrawHelpers()
{
    if (m_hMsImg32)
        ::FreeLibrary(m_hMsImg32);
}

BOOL CQorDrawHelpers::HasNativeGradientFill() const
{
    return m_pfnGradientFill && !(g_nMissingMsimg32 & QOR_MSIMG32_GRADIENTFILL);
}

BOOL CQorDrawHelpers::HasNativeAlphaBlend() const
{
    return m_pfnAlphaBlend && !(g_nMissingMsimg32 & QOR_MSIMG32_ALPHABLEND);
}

BOOL CQorDrawHelpers::HasNativeTransparentBlt() const
{
    return m_pfnTransparentBlt && !(g_nMissingMsimg32 & QOR_MSIMG32_TRANSPARENTBLT);
}

COLORREF BlendColorsByFactor(COLORREF clrA, COLORREF clrB, double dFactor)
{
    auto mix = [dFactor](int a, int b) { return std::min(static_cast<int>(dFactor * b + (1.0 - dFactor) * a), 255); };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB)), mix(GetGValue(clrA), GetGValue(clrB)),
               mix(GetBValue(clrA), GetBValue(clrB)));
}

BOOL IsWin2000OrLater()
{
    const OSVERSIONINFOW& os = GetOsVersionInfo();
    return os.dwPlatformId >= VER_PLATFORM_WIN32_NT && os.dwMajorVersion >= 5;
}

// ---------------------------------------------------------------------------------------------
// Gradients

void CQorDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz)
{
    if (!pDC || !lpRect || ::IsRectEmpty(lpRect))
        return;
    CRect rc(*lpRect);
    if (QorIsPaletteDisplay() || clrFrom == clrTo) {
        pDC->FillSolidRect(rc, clrFrom);
        return;
    }
    if (!HasNativeGradientFill() || (IsWin9x() && IsDCRightToLeft(pDC))) {
        GradientFillFallback(pDC, rc, clrFrom, clrTo, bHorz);
        return;
    }
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rc.left;
    vertices[0].y = rc.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(clrFrom) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(clrFrom) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(clrFrom) << 8);
    vertices[1].x = rc.right;
    vertices[1].y = rc.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(clrTo) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(clrTo) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(clrTo) << 8);
    GRADIENT_RECT gradientRect = {0, 1};
    m_pfnGradientFill(pDC->GetSafeHdc(), vertices, 2, &gradientRect, 1,
                      bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

// Line by line over the visible part only; a rectangle outside the clip box draws nothing.
void CQorDrawHelpers::GradientFillFallback(CDC* pDC, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz)
{
    CRect rcClip;
    if (pDC->GetClipBox(&rcClip) == ERROR)
        return;
    CRect rcDraw;
    if (!rcDraw.IntersectRect(&rc, &rcClip))
        return;
    int nStart = bHorz ? rc.left : rc.top;
    int nExtent = std::max(bHorz ? rc.Width() : rc.Height(), 1);
    int nFirst = bHorz ? rcDraw.left : rcDraw.top;
    int nLast = bHorz ? rcDraw.right : rcDraw.bottom;
    for (int i = nFirst; i < nLast; i++) {
        double t = static_cast<double>(i - nStart) / nExtent;
        COLORREF clr = BlendColorsByFactor(clrTo, clrFrom, 1.0 - t);
        if (bHorz)
            pDC->FillSolidRect(i, rcDraw.top, 1, rcDraw.Height(), clr);
        else
            pDC->FillSolidRect(rcDraw.left, i, rcDraw.Width(), 1, clr);
    }
}

void CQorDrawHelpers::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz,
                                          LPCRECT lpClip)
{
    if (!lpClip) {
        GradientFill(pDC, lpRect, clrFrom, clrTo, bHorz);
        return;
    }
    if (!lpRect || ::IsRectEmpty(lpRect))
        return;
    CRect rc(*lpRect);
    CRect rcDraw;
    if (!rcDraw.IntersectRect(&rc, lpClip))
        return;
    int nStart = bHorz ? rc.left : rc.top;
    int nEnd = bHorz ? rc.right : rc.bottom;
    int nNewStart = bHorz ? rcDraw.left : rcDraw.top;
    int nNewEnd = bHorz ? rcDraw.right : rcDraw.bottom;
    double dLength = nEnd - nStart; // not 0: the rectangle is not empty
    COLORREF clrNewFrom = clrFrom, clrNewTo = clrTo;
    if (nNewStart != nStart)
        clrNewFrom = BlendColorsByFactor(clrTo, clrFrom, (nEnd - nNewStart) / dLength);
    if (nNewEnd != nEnd)
        clrNewTo = BlendColorsByFactor(clrTo, clrFrom, (nEnd - nNewEnd) / dLength);
    GradientFill(pDC, rcDraw, clrNewFrom, clrNewTo, bHorz);
}

void CQorDrawHelpers::GradientFillGradient(CDC* pDC, LPCRECT lpRect, const CQorPaintManagerColorGradient& grc,
                                           BOOL bHorz, LPCRECT lpClip)
{
    if (!lpRect || ::IsRectEmpty(lpRect))
        return;
    COLORREF clrFirst = grc.m_clrLight.GetColor(), clrSecond = grc.m_clrDark.GetColor();
    if (grc.m_fGradientFactor == 0.5f) {
        GradientFillClipped(pDC, lpRect, clrFirst, clrSecond, bHorz, lpClip);
        return;
    }
    COLORREF clrMiddle = BlendColorsByFactor(clrSecond, clrFirst, grc.m_fGradientFactor);
    CRect rcFirst(*lpRect), rcSecond(*lpRect);
    if (bHorz)
        rcFirst.right = rcSecond.left = lpRect->left + (lpRect->right - lpRect->left) / 2;
    else
        rcFirst.bottom = rcSecond.top = lpRect->top + (lpRect->bottom - lpRect->top) / 2;
    GradientFillClipped(pDC, rcFirst, clrFirst, clrMiddle, bHorz, lpClip);
    GradientFillClipped(pDC, rcSecond, clrMiddle, clrSecond, bHorz, lpClip);
}

// ---------------------------------------------------------------------------------------------
// Alpha blend and transparent blit

BOOL CQorDrawHelpers::AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    bool bFallback = (IsWin9x() && (GetDCLayout(hdcDest) & LAYOUT_RTL)) || !HasNativeAlphaBlend() ||
                     (!IsWin2000OrLater() && rcSrc.TopLeft() != CPoint(0, 0));
    if (bFallback)
        return AlphaBlendFallback(hdcDest, rcDest, hdcSrc, rcSrc);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return m_pfnAlphaBlend(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left,
                           rcSrc.top, rcSrc.Width(), rcSrc.Height(), blend);
}

namespace {

// A 32-bit DIB selected into a memory DC with layout 0, freed with the object.
class CDib32DC
{
public:
    CDib32DC(int cx, int cy)
    {
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIB32(m_hDC, cx, cy, reinterpret_cast<void**>(&m_pBits));
        if (m_hDC && m_hBitmap) {
            SetDCLayout(m_hDC, 0);
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        }
    }
    ~CDib32DC()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    CDib32DC(const CDib32DC&) = delete;
    CDib32DC& operator=(const CDib32DC&) = delete;
    bool IsValid() const { return m_hOld && m_pBits; }
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    BYTE* m_pBits = nullptr;
};

} // namespace

BOOL CQorDrawHelpers::AlphaBlendFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    ++g_nDrawFallbacks;
    int cx = rcDest.Width(), cy = rcDest.Height();
    if (cx <= 0 || cy <= 0 || rcSrc.Width() <= 0 || rcSrc.Height() <= 0)
        return FALSE;
    CDib32DC source(cx, cy), dest(cx, cy);
    if (!source.IsValid() || !dest.IsValid())
        return FALSE;
    ::SetStretchBltMode(source.m_hDC, COLORONCOLOR);
    if (!::StretchBlt(source.m_hDC, 0, 0, cx, cy, hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(),
                      SRCCOPY))
        return FALSE;
    // Copying the destination out of a mirrored DC and back into it mirrors twice, so the
    // pixels meet where they belong.
    if (!::BitBlt(dest.m_hDC, 0, 0, cx, cy, hdcDest, rcDest.left, rcDest.top, SRCCOPY))
        return FALSE;
    const BYTE* pSrc = source.m_pBits;
    BYTE* pDst = dest.m_pBits;
    for (int i = 0; i < cx * cy; i++, pSrc += 4, pDst += 4) {
        int nInverse = 255 - pSrc[3];
        // A source channel above its alpha (not premultiplied) must not carry into the next.
        for (int c = 0; c < 4; c++)
            pDst[c] = static_cast<BYTE>(std::min(pSrc[c] + pDst[c] * nInverse / 255, 255));
    }
    return ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, dest.m_hDC, 0, 0, SRCCOPY);
}

BOOL CQorDrawHelpers::TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                     COLORREF clrTransparent)
{
    if (IsWin2000OrLater() && HasNativeTransparentBlt())
        return m_pfnTransparentBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc,
                                   rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), clrTransparent);
    return TransparentBltFallback(hdcDest, rcDest, hdcSrc, rcSrc, clrTransparent);
}

BOOL CQorDrawHelpers::TransparentBltFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                             COLORREF clrTransparent)
{
    ++g_nDrawFallbacks;
    int cx = rcSrc.Width(), cy = rcSrc.Height();
    if (cx <= 0 || cy <= 0 || rcDest.IsRectEmpty())
        return FALSE;
    CDC colorDC, maskDC;
    CBitmap colorBitmap, maskBitmap;
    if (!colorDC.Attach(::CreateCompatibleDC(hdcDest)) || !maskDC.Attach(::CreateCompatibleDC(hdcDest)))
        return FALSE;
    if (!colorBitmap.Attach(::CreateCompatibleBitmap(hdcDest, cx, cy)) ||
        !maskBitmap.Attach(::CreateBitmap(cx, cy, 1, 1, nullptr)))
        return FALSE;
    HGDIOBJ hOldColor = ::SelectObject(colorDC, colorBitmap);
    HGDIOBJ hOldMask = ::SelectObject(maskDC, maskBitmap);
    ::BitBlt(colorDC, 0, 0, cx, cy, hdcSrc, rcSrc.left, rcSrc.top, SRCCOPY);
    // The mask: 1 where the copy has the transparent colour.
    ::SetBkColor(colorDC, clrTransparent);
    ::BitBlt(maskDC, 0, 0, cx, cy, colorDC, 0, 0, SRCCOPY);
    if (clrTransparent != RGB(0, 0, 0)) {
        ::SetBkColor(colorDC, RGB(0, 0, 0));
        ::SetTextColor(colorDC, RGB(255, 255, 255));
        ::BitBlt(colorDC, 0, 0, cx, cy, maskDC, 0, 0, SRCAND);
    }
    COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
    COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
    BOOL bResult;
    if (cx == rcDest.Width() && cy == rcDest.Height()) {
        bResult = ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, maskDC, 0, 0, SRCAND) &&
                  ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, colorDC, 0, 0, SRCPAINT);
    } else {
        bResult = ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), maskDC, 0, 0, cx, cy,
                               SRCAND) &&
                  ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), colorDC, 0, 0, cx, cy,
                               SRCPAINT);
    }
    ::SetBkColor(hdcDest, clrOldBk);
    ::SetTextColor(hdcDest, clrOldText);
    ::SelectObject(colorDC, hOldColor);
    ::SelectObject(maskDC, hOldMask);
    return bResult;
}

// ---------------------------------------------------------------------------------------------
// Layout

namespace {

typedef DWORD(WINAPI* GetLayoutFn)(HDC);
typedef DWORD(WINAPI* SetLayoutFn)(HDC, DWORD);
bool g_layoutLookedUp = false;
GetLayoutFn g_pfnGetLayout = nullptr;
SetLayoutFn g_pfnSetLayout = nullptr;

void LookUpLayout()
{
    if (g_layoutLookedUp)
        return;
    g_layoutLookedUp = true;
    HMODULE hGdi = ::GetModuleHandleA("GDI32.DLL");
    if (hGdi) {
        g_pfnGetLayout = reinterpret_cast<GetLayoutFn>(reinterpret_cast<void*>(::GetProcAddress(hGdi, "GetLayout")));
        g_pfnSetLayout = reinterpret_cast<SetLayoutFn>(reinterpret_cast<void*>(::GetProcAddress(hGdi, "SetLayout")));
    }
}

} // namespace

DWORD GetDCLayout(HDC hDC)
{
    LookUpLayout();
    return g_pfnGetLayout && hDC ? g_pfnGetLayout(hDC) : 0;
}

void SetDCLayout(HDC hDC, DWORD dwLayout)
{
    LookUpLayout();
    if (g_pfnSetLayout && hDC)
        g_pfnSetLayout(hDC, dwLayout);
}

BOOL IsDCRightToLeft(CDC* pDC)
{
    DWORD dwLayout = pDC ? GetDCLayout(pDC->GetSafeHdc()) : 0;
    return dwLayout != 0 && dwLayout != GDI_ERROR;
}

void ScreenToWindowRtl(CWnd* pWnd, POINT& pt)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (!hWnd)
        return;
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    pt.y -= rc.top;
    if (::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        pt.x = rc.right - pt.x;
    else
        pt.x -= rc.left;
}

// ---------------------------------------------------------------------------------------------
// Small helpers

void DrawTriangle(CDC* pDC, COLORREF clr, POINT pt0, POINT pt1, POINT pt2)
{
    CQorPenDC pen(pDC->GetSafeHdc(), clr);
    CQorBrushDC brush(pDC->GetSafeHdc(), clr);
    PolygonTriangle(pDC, pt0, pt1, pt2);
}

void PolygonTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2)
{
    POINT points[3] = {pt0, pt1, pt2};
    pDC->Polygon(points, 3);
}

HBITMAP CreateDIB32(HDC hDC, int cx, int cy, void** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (ppBits)
        *ppBits = hBitmap ? pBits : nullptr;
    return hBitmap;
}

BOOL DrawStateBitmap(HDC hDC, HBRUSH hBrush, int x, int y, int cx, int cy, HBITMAP hBitmap, UINT nFlags)
{
    return ::DrawStateW(hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, x, y, cx, cy, DST_BITMAP | nFlags);
}

BOOL IsRectZero(const RECT& rc)
{
    return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0;
}

namespace {

int CALLBACK StopAtFace(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    // Stopping the enumeration (0) tells the caller that the face exists.
    return ::lstrcmpiW(pLogFont->lfFaceName, reinterpret_cast<LPCWSTR>(lParam)) == 0 ? 0 : 1;
}

} // namespace

BOOL IsFontInstalled(LPCTSTR lpszFaceName)
{
    if (!lpszFaceName || !*lpszFaceName)
        return FALSE;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    HDC hdc = ::GetDC(nullptr);
    int nResult = ::EnumFontFamiliesExW(hdc, &lf, StopAtFace, reinterpret_cast<LPARAM>(lpszFaceName), 0);
    ::ReleaseDC(nullptr, hdc);
    return nResult == 0;
}

void GetDefaultFontFaceName(CString& strFaceName, BOOL bPreferTahoma)
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    const OSVERSIONINFOW& os = GetOsVersionInfo();
    bool bNt5 = os.dwPlatformId >= VER_PLATFORM_WIN32_NT && os.dwMajorVersion >= 5;
    if (lf.lfCharSet > SYMBOL_CHARSET && bNt5 && ::lstrcmpiW(lf.lfFaceName, L"MS Shell Dlg") != 0) {
        strFaceName = lf.lfFaceName;
        return;
    }
    if (!IsFontInstalled(L"Arial"))
        strFaceName = lf.lfFaceName;
    else if (bPreferTahoma && IsFontInstalled(L"Tahoma"))
        strFaceName = L"Tahoma";
    else
        strFaceName = L"Arial";
}

void StripMnemonic(LPWSTR lpsz)
{
    if (!lpsz)
        return;
    LPWSTR pOut = lpsz;
    for (LPCWSTR pIn = lpsz; *pIn; pIn++) {
        if (*pIn == L'&') {
            if (pIn[1] != L'&')
                continue;
            pIn++; // "&&": keep one
        }
        *pOut++ = *pIn;
    }
    *pOut = 0;
}

void StripMnemonic(CString& str)
{
    LPWSTR pBuffer = str.GetBuffer();
    StripMnemonic(pBuffer);
    str.ReleaseBuffer();
}

BOOL RegisterToolkitWindowClass(HINSTANCE hInstance, LPCTSTR lpszClassName, UINT nClassStyle, HICON hIcon)
{
    WNDCLASSW wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance ? hInstance : AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}
