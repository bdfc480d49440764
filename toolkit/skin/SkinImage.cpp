#include "toolkit/skin/SkinImage.h"

#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerResourceFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

const COLORREF kNoColor = static_cast<COLORREF>(-1);

// Pixels of a bitmap as 32-bit bottom-up rows (row y of the image is row height - 1 - y);
// free() the result.
DWORD* ReadPixels32(HBITMAP hBitmap, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    DWORD* pPixels = static_cast<DWORD*>(malloc(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight) * 4));
    if (!pPixels)
        return nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = nWidth;
    bi.bmiHeader.biHeight = nHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC hDC = ::GetDC(nullptr);
    const int nRows = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(nHeight), pPixels, &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDC);
    if (nRows != nHeight) {
        free(pPixels);
        return nullptr;
    }
    return pPixels;
}

COLORREF PixelToColor(DWORD dw)
{
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF) | (dw & 0xFF000000);
}

int Clamp(int n, int nLow, int nHigh)
{
    return n < nLow ? nLow : (n > nHigh ? nHigh : n);
}

} // namespace

CQorSkinImage::CQorSkinImage(CQorSkinManager* pManager) : m_pManager(pManager) {}

CQorSkinImage::~CQorSkinImage()
{
    FreeBitmap();
}

void CQorSkinImage::FreeBitmap()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_nWidth = m_nHeight = 0;
}

BOOL CQorSkinImage::SetBitmap(HBITMAP hBitmap, BOOL bAlpha, BOOL bPremultiply)
{
    FreeBitmap();
    m_bAlpha = FALSE;
    m_bMirrored = FALSE;
    m_bFiltered = FALSE;
    m_bSolidRectsDone = FALSE;
    m_arrSolidRects.RemoveAll();
    if (!hBitmap)
        return FALSE;
    if (bAlpha && bPremultiply) {
        // Loaders give straight pixels; blending wants them premultiplied, once.
        HBITMAP hPremultiplied = CreatePremultipliedBitmap(hBitmap);
        ::DeleteObject(hBitmap);
        hBitmap = hPremultiplied;
        if (!hBitmap)
            return FALSE;
    }
    m_bAlpha = bAlpha;
    m_hBitmap = hBitmap;
    BITMAP bm = {};
    if (::GetObjectW(m_hBitmap, sizeof(bm), &bm)) {
        m_nWidth = bm.bmWidth;
        m_nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    }
    return TRUE;
}

BOOL CQorSkinImage::LoadFromFile(LPCTSTR lpszPath, BOOL bPremultiply)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromFile(lpszPath, &bAlpha);
    return hBitmap && SetBitmap(hBitmap, bAlpha, bPremultiply);
}

BOOL CQorSkinImage::LoadFromResource(LPCTSTR lpszName, HMODULE hModule, BOOL bPremultiply)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = hModule ? LoadBitmapFromResource(hModule, lpszName, &bAlpha) : nullptr;
    return hBitmap && SetBitmap(hBitmap, bAlpha, bPremultiply);
}

CRect CQorSkinImage::GetHalfRect(int nIndex) const
{
    const int h = m_nHeight / 2;
    return CRect(0, nIndex * h, m_nWidth, nIndex * h + h);
}

COLORREF CQorSkinImage::Filter(COLORREF clr) const
{
    if (m_pManager)
        m_pManager->ApplyColorFilters(clr);
    return clr;
}

void CQorSkinImage::DetectSolidRects(const RECT& rcMargins, int nCount, BOOL bHorizontal)
{
    if (!m_hBitmap || nCount <= 0 || m_bSolidRectsDone || m_bFiltered)
        return;
    m_bSolidRectsDone = TRUE;
    m_arrSolidRects.RemoveAll();
    if (nCount != 1 && bHorizontal)
        return;
    const int nFrame = m_nHeight / nCount;
    if (nFrame <= 0)
        return;
    DWORD* pPixels = ReadPixels32(m_hBitmap, m_nWidth, m_nHeight);
    if (!pPixels)
        return;
    // Skin margins are untrusted: they are cut to the frame so no read leaves the pixels.
    const int w = m_nWidth;
    const int mLeft = Clamp(rcMargins.left, 0, w);
    const int mRight = Clamp(rcMargins.right, 0, w - mLeft);
    const int mTop = Clamp(rcMargins.top, 0, nFrame);
    const int mBottom = Clamp(rcMargins.bottom, 0, nFrame - mTop);
    const BOOL bMargins = rcMargins.left || rcMargins.top || rcMargins.right || rcMargins.bottom;
    auto addIfUniform = [&](int l, int t, int r, int b) {
        if (l >= r || t >= b)
            return;
        const DWORD dwFirst = pPixels[static_cast<size_t>(m_nHeight - 1 - t) * w + l];
        for (int y = t; y < b; ++y) {
            const DWORD* pRow = pPixels + static_cast<size_t>(m_nHeight - 1 - y) * w;
            for (int x = l; x < r; ++x)
                if (pRow[x] != dwFirst)
                    return;
        }
        COLORREF clr = PixelToColor(dwFirst);
        if (!m_bAlpha)
            clr &= 0xFFFFFF;
        m_arrSolidRects.Add(SOLIDRECT{l, t, r, b, clr});
    };
    for (int c = 0; c < nCount; ++c) {
        const int top = c * nFrame, bottom = top + nFrame;
        const INT_PTR nBefore = m_arrSolidRects.GetSize();
        addIfUniform(0, top, w, bottom);
        if (m_arrSolidRects.GetSize() > nBefore || !bMargins)
            continue;
        addIfUniform(0, top + mTop, mLeft, bottom - mBottom);
        addIfUniform(mLeft, top, w - mRight, top + mTop);
        addIfUniform(w - mRight, top + mTop, w, bottom - mBottom);
        addIfUniform(mLeft, bottom - mBottom, w - mRight, bottom);
        addIfUniform(mLeft, top + mTop, w - mRight, bottom - mBottom);
    }
    free(pPixels);
    if (m_bMirrored) {
        for (INT_PTR i = 0; i < m_arrSolidRects.GetSize(); ++i) {
            SOLIDRECT sr = m_arrSolidRects[i];
            m_arrSolidRects.SetAt(i, SOLIDRECT{w - sr.right, sr.top, w - sr.left, sr.bottom, sr.clr});
        }
    }
}

void CQorSkinImage::ApplyColorFilter(COLORREF clrTransparent)
{
    if (!m_hBitmap || m_bFiltered)
        return;
    m_bFiltered = TRUE;
    if (!m_pManager || !m_pManager->HasColorFilters())
        return;
    DWORD* pPixels = ReadPixels32(m_hBitmap, m_nWidth, m_nHeight);
    if (!pPixels)
        return;
    void* pBits = nullptr;
    HBITMAP hFiltered = CreateDIB32(nullptr, m_nWidth, m_nHeight, &pBits);
    if (hFiltered) {
        DWORD* pOut = static_cast<DWORD*>(pBits);
        const size_t nPixels = static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight);
        for (size_t i = 0; i < nPixels; ++i) {
            const DWORD dw = pPixels[i];
            COLORREF clr = RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
            if (clr != clrTransparent)
                m_pManager->ApplyColorFilters(clr);
            pOut[i] = (dw & 0xFF000000) | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
        }
        ::DeleteObject(m_hBitmap);
        m_hBitmap = hFiltered;
    }
    free(pPixels);
}

const CQorSkinImage::SOLIDRECT* CQorSkinImage::FindSolidRect(const CRect& rcSrc) const
{
    for (INT_PTR i = 0; i < m_arrSolidRects.GetSize(); ++i) {
        const SOLIDRECT& sr = m_arrSolidRects.GetData()[i];
        if (rcSrc.left >= sr.left && rcSrc.top >= sr.top && rcSrc.right <= sr.right && rcSrc.bottom <= sr.bottom)
            return &sr;
    }
    return nullptr;
}

BOOL CQorSkinImage::FillFromSolid(CDC* pDC, const SOLIDRECT* pSolid, const CRect& rcDest, COLORREF clrTransparent)
{
    const COLORREF clr = Filter(pSolid->clr & 0xFFFFFF);
    if (!m_bAlpha) {
        if (clr != clrTransparent)
            pDC->FillSolidRect(rcDest, clr);
        return TRUE;
    }
    if (pSolid->clr == 0)
        return TRUE;
    if ((pSolid->clr >> 24) == 255) {
        pDC->FillSolidRect(rcDest, clr);
        return TRUE;
    }
    return FALSE;
}

void CQorSkinImage::DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins,
                              COLORREF clrTransparent, int nSizingType, BOOL bBorderOnly)
{
    if (!pDC || !m_hBitmap || rcSrc.Height() < rcMargins.top + rcMargins.bottom)
        return;
    SyncMirror(pDC->GetSafeHdc());
    if (const SOLIDRECT* pSolid = FindSolidRect(MirrorSource(rcSrc)))
        if (FillFromSolid(pDC, pSolid, rcDest, clrTransparent))
            return;
    if (clrTransparent == kNoColor || m_bAlpha) {
        DrawNineGrid(pDC, rcDest, rcSrc, rcMargins, nSizingType, bBorderOnly);
        return;
    }
    if (rcDest.IsRectEmpty())
        return;
    ApplyColorFilter(clrTransparent);
    CDC dcMem;
    dcMem.CreateCompatibleDC(pDC);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(pDC, rcDest.Width(), rcDest.Height());
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    const CRect rcLocal(0, 0, rcDest.Width(), rcDest.Height());
    dcMem.FillSolidRect(rcLocal, clrTransparent);
    DrawNineGrid(&dcMem, rcLocal, rcSrc, rcMargins, nSizingType, bBorderOnly);
    GetDrawHelpers()->TransparentBlt(pDC->GetSafeHdc(), rcDest, dcMem.GetSafeHdc(), rcLocal, clrTransparent);
    dcMem.SelectObject(pOld);
}

void CQorSkinImage::SyncMirror(HDC hDC)
{
    const BOOL bRtl = (GetDCLayout(hDC) & LAYOUT_RTL) != 0;
    if (bRtl != m_bMirrored && m_bAlpha && m_bMirrorAllowed)
        ToggleMirror();
}

CRect CQorSkinImage::MirrorSource(const CRect& rcSrc) const
{
    // The mirrored bitmap holds frame k of a strip where frame n - 1 - k was.
    return m_bMirrored ? CRect(m_nWidth - rcSrc.right, rcSrc.top, m_nWidth - rcSrc.left, rcSrc.bottom) : rcSrc;
}

void CQorSkinImage::ToggleMirror()
{
    HBITMAP hMirror = MirrorBitmapLeftRight(m_hBitmap);
    if (!hMirror)
        return;
    ::DeleteObject(m_hBitmap);
    m_hBitmap = hMirror;
    m_bMirrored = !m_bMirrored;
    for (INT_PTR i = 0; i < m_arrSolidRects.GetSize(); ++i) {
        SOLIDRECT sr = m_arrSolidRects[i];
        m_arrSolidRects.SetAt(i, SOLIDRECT{m_nWidth - sr.right, sr.top, m_nWidth - sr.left, sr.bottom, sr.clr});
    }
}

void CQorSkinImage::DrawNineGrid(CDC* pDC, const CRect& d, CRect s, const CRect& rcMargins, int nSizingType,
                                 BOOL bBorderOnly)
{
    if (!m_hBitmap || s.Height() < rcMargins.top + rcMargins.bottom)
        return;
    ApplyColorFilter(kNoColor);
    HDC hDC = pDC->GetSafeHdc();
    ::SetStretchBltMode(hDC, COLORONCOLOR);
    if (d.IsRectEmpty())
        return;
    CRect m(rcMargins);
    // Side margins wider than the source would read beside it: they share its width.
    if (m.left + m.right > s.Width() && m.left + m.right > 0) {
        const int nLeft = ::MulDiv(s.Width(), m.left, m.left + m.right);
        m.right = s.Width() - nLeft;
        m.left = nLeft;
    }
    CRect dm(m);
    const BOOL bRtl = (GetDCLayout(hDC) & LAYOUT_RTL) != 0;
    SyncMirror(hDC);
    if (m_bMirrored) {
        s = MirrorSource(s);
        std::swap(m.left, m.right);
        std::swap(dm.left, dm.right);
    }
    CDC dcMem;
    dcMem.CreateCompatibleDC(pDC);
    if (bRtl && !m_bAlpha && m_bMirrorAllowed)
        SetDCLayout(dcMem.GetSafeHdc(), 0);
    HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), m_hBitmap);
    HDC hSrc = dcMem.GetSafeHdc();

    int nTile = nSizingType == qorSkinTile ? 3 : 0;
    if (!m.left && !m.top && !m.right && !m.bottom) {
        DrawPiece(pDC, hSrc, d, s, nTile);
        ::SelectObject(hSrc, hOld);
        return;
    }
    const int dW = d.Width(), dH = d.Height();
    if (m.top + m.bottom >= dH || s.Height() == m.top + m.bottom) {
        const int nSum = m.top + m.bottom;
        dm.top = nSum ? ::MulDiv(dH, m.top, nSum) : 0;
        dm.bottom = dH - dm.top;
        if (dm.bottom > 0 && (dm.bottom & 1) != (m.bottom & 1))
            ++dm.bottom;
        nTile = nSizingType == qorSkinTile ? 2 : 0;
    }
    if (m.left + m.right >= dW || s.Width() == m.left + m.right) {
        const int nSum = m.left + m.right;
        dm.left = nSum ? ::MulDiv(dW, m.left, nSum) : 0;
        dm.right = dW - dm.left;
        if (nTile)
            nTile &= ~2;
    }
    const int sx[4] = {s.left, s.left + m.left, s.right - m.right, s.right};
    const int sy[4] = {s.top, s.top + m.top, s.bottom - m.bottom, s.bottom};
    const int dx[4] = {d.left, d.left + dm.left, d.right - dm.right, d.right};
    const int dy[4] = {d.top, d.top + dm.top, d.bottom - dm.bottom, d.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const BOOL bCorner = row != 1 && col != 1;
            if (row == 1 && col == 1 && bBorderOnly)
                continue;
            DrawPiece(pDC, hSrc, CRect(dx[col], dy[row], dx[col + 1], dy[row + 1]),
                      CRect(sx[col], sy[row], sx[col + 1], sy[row + 1]), bCorner ? 0 : nTile);
        }
    }
    ::SelectObject(hSrc, hOld);
}

void CQorSkinImage::DrawPiece(CDC* pDC, HDC hdcSrc, const CRect& dr, const CRect& sr, int nTile)
{
    if (dr.Width() <= 0 || dr.Height() <= 0 || sr.Width() <= 0 || sr.Height() <= 0)
        return;
    if (const SOLIDRECT* pSolid = FindSolidRect(sr))
        if (FillFromSolid(pDC, pSolid, dr, kNoColor))
            return;
    HDC hDC = pDC->GetSafeHdc();
    if (nTile == 0 || (sr.Width() == 1 && (sr.Height() == 1 || sr.Height() == dr.Height())) ||
        (sr.Height() == 1 && (sr.Width() == 1 || sr.Width() == dr.Width()))) {
        StretchPiece(hDC, hdcSrc, dr, sr);
        return;
    }
    const int nTileH = (nTile & 1) ? std::min(sr.Height(), dr.Height()) : dr.Height();
    const int nTileW = (nTile & 2) ? std::min(sr.Width(), dr.Width()) : dr.Width();
    for (int x = dr.left; x < dr.right; x += nTileW) {
        for (int y = dr.top; y < dr.bottom; y += nTileH) {
            CRect rcTile(x, y, x + nTileW, y + nTileH);
            CRect rcSource(sr);
            if (nTile & 1) {
                rcSource.bottom = rcSource.top + nTileH;
                if (rcTile.bottom > dr.bottom) {
                    rcSource.bottom -= rcTile.bottom - dr.bottom;
                    rcTile.bottom = dr.bottom;
                }
            }
            if (nTile & 2) {
                rcSource.right = rcSource.left + nTileW;
                if (rcTile.right > dr.right) {
                    rcSource.right -= rcTile.right - dr.right;
                    rcTile.right = dr.right;
                }
            }
            StretchPiece(hDC, hdcSrc, rcTile, rcSource);
        }
    }
}

void CQorSkinImage::StretchPiece(HDC hdcDest, HDC hdcSrc, const CRect& dr, const CRect& sr)
{
    if (dr.Width() <= 0 || dr.Height() <= 0 || sr.Width() <= 0 || sr.Height() <= 0)
        return;
    if (m_bAlpha)
        GetDrawHelpers()->AlphaBlend(hdcDest, dr, hdcSrc, sr);
    else if (dr.Width() == sr.Width() && dr.Height() == sr.Height())
        ::BitBlt(hdcDest, dr.left, dr.top, dr.Width(), dr.Height(), hdcSrc, sr.left, sr.top, SRCCOPY);
    else
        ::StretchBlt(hdcDest, dr.left, dr.top, dr.Width(), dr.Height(), hdcSrc, sr.left, sr.top, sr.Width(),
                     sr.Height(), SRCCOPY);
}

CQorSkinImage* CQorSkinImage::GetCachedImage(CQorSkinManagerResourceFile* pFile, CMapStringToPtr& cache,
                                             LPCTSTR lpszName)
{
    if (!pFile || !lpszName || !*lpszName)
        return nullptr;
    void* pImage = nullptr;
    if (cache.Lookup(lpszName, pImage))
        return static_cast<CQorSkinImage*>(pImage);
    CQorSkinImage* pLoaded = pFile->LoadImage(lpszName);
    // A failure is not remembered: the next request tries again.
    if (pLoaded)
        cache.SetAt(lpszName, pLoaded);
    return pLoaded;
}

void CQorSkinImage::FreeCache(CMapStringToPtr& cache)
{
    POSITION pos = cache.GetStartPosition();
    while (pos) {
        CString strName;
        void* pImage = nullptr;
        cache.GetNextAssoc(pos, strName, pImage);
        delete static_cast<CQorSkinImage*>(pImage);
    }
    cache.RemoveAll();
}
