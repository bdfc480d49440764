#include "toolkit/skin/SkinManagerSchemaDefault.h"

#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerMetrics.h"

#include <algorithm>

namespace {
const COLORREF kDefaultTransparent = RGB(255, 0, 255);
}

CRect GetSkinImageFrame(CQorSkinImage* pImage, int nCount, BOOL bHorizontal, int nIndex)
{
    if (nIndex < 0 || nIndex >= nCount)
        nIndex = 0;
    if (bHorizontal) {
        const int w = pImage->GetWidth() / nCount;
        return CRect(nIndex * w, 0, nIndex * w + w, pImage->GetHeight());
    }
    const int h = pImage->GetHeight() / nCount;
    return CRect(0, nIndex * h, pImage->GetWidth(), nIndex * h + h);
}

CQorSkinManagerSchemaDefault::CQorSkinManagerSchemaDefault(CQorSkinManager* pManager) : CQorSkinManagerSchema(pManager)
{
    m_strName = L"Default";
}

CQorSkinManagerSchemaDefault::~CQorSkinManagerSchemaDefault()
{
    FreeRegions();
}

void CQorSkinManagerSchemaDefault::RefreshMetrics()
{
    FreeRegions();
}

int CQorSkinManagerSchemaDefault::FrameCount(CQorSkinManagerClass* pClass, int nPart, int nState, CQorSkinImage* pImage,
                                             BOOL bHorizontal)
{
    const int nLength = pImage ? (bHorizontal ? pImage->GetWidth() : pImage->GetHeight()) : 1;
    const int nCount = pClass->GetInt(TMT_IMAGECOUNT, nState, nPart, 1);
    // An untrusted count never makes frames of less than one pixel.
    return nCount < 1 ? 1 : (nCount > nLength && nLength > 0 ? nLength : nCount);
}

void CQorSkinManagerSchemaDefault::DrawBorderFill(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState,
                                                  CRect rc)
{
    const int nBorder = pClass->GetInt(TMT_BORDERSIZE, nState, nPart, 1);
    const COLORREF kNone = static_cast<COLORREF>(-1);
    const COLORREF clrBorder = pClass->GetColor(TMT_BORDERCOLOR, nState, nPart, kNone);
    const COLORREF clrFill = pClass->GetColor(TMT_FILLCOLOR, nState, nPart, kNone);
    HDC hDC = pDC->GetSafeHdc();
    if (nBorder > 0 && clrBorder != kNone) {
        const int b = std::min(nBorder, std::max(rc.Width(), rc.Height()));
        CQorSkinManagerMetrics::FillSolid(hDC, rc.left, rc.top, rc.Width(), b, clrBorder);
        CQorSkinManagerMetrics::FillSolid(hDC, rc.left, rc.bottom - b, rc.Width(), b, clrBorder);
        CQorSkinManagerMetrics::FillSolid(hDC, rc.left, rc.top + b, b, rc.Height() - 2 * b, clrBorder);
        CQorSkinManagerMetrics::FillSolid(hDC, rc.right - b, rc.top + b, b, rc.Height() - 2 * b, clrBorder);
        rc.DeflateRect(b, b);
    }
    if (clrFill != kNone && !pClass->GetBool(TMT_BORDERONLY, nState, nPart, FALSE) && rc.Width() > 0 && rc.Height() > 0)
        CQorSkinManagerMetrics::FillSolid(hDC, rc.left, rc.top, rc.Width(), rc.Height(), clrFill);
}

BOOL CQorSkinManagerSchemaDefault::DrawThemeBackground(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState,
                                                       const RECT* pRect)
{
    if (!pDC || !pClass || !pRect)
        return FALSE;
    const int nBgType = pClass->GetEnum(TMT_BGTYPE, nState, nPart, 0);
    if (nBgType == 1) {
        DrawBorderFill(pDC, pClass, nPart, nState, CRect(*pRect));
        return TRUE;
    }
    if (nBgType != 0)
        return TRUE;
    const CString strFile = pClass->GetImageFileName(nPart, nState);
    if (strFile.IsEmpty())
        return FALSE;
    CRect rcMargins = pClass->GetRect(TMT_SIZINGMARGINS, nState, nPart);
    CQorSkinImage* pImage = pClass->GetImage(strFile);
    if (!pImage)
        return FALSE;
    const BOOL bHorizontal = pClass->GetEnum(TMT_IMAGELAYOUT, nState, nPart, 1) == 1;
    const int nCount = FrameCount(pClass, nPart, nState, pImage, bHorizontal);
    COLORREF clrTransparent = static_cast<COLORREF>(-1);
    if (!pImage->IsAlpha() && pClass->GetBool(TMT_TRANSPARENT, nState, nPart, FALSE))
        clrTransparent = pClass->GetColor(TMT_TRANSPARENTCOLOR, nState, nPart, kDefaultTransparent);
    const CRect rcSrc = GetSkinImageFrame(pImage, nCount, bHorizontal, nState - 1);
    CRect rcDest(*pRect);
    int nMode = qorSkinStretch;
    if (pClass->HasEnum(TMT_SIZINGTYPE, nState, nPart)) {
        nMode = pClass->GetEnum(TMT_SIZINGTYPE, nState, nPart, qorSkinStretch);
        if (nMode == qorSkinTrueSize) {
            CSize size = rcSrc.Size();
            if (pClass->GetInt(TMT_TRUESIZESTRETCHMARK, nState, nPart, 0) > 0) {
                size.cx = std::min<int>(size.cx, rcDest.Width());
                size.cy = std::min<int>(size.cy, rcDest.Height());
            }
            const int x = rcDest.left + std::max<int>(0, (rcDest.Width() - size.cx) / 2);
            int y = rcDest.top + std::max<int>(0, (rcDest.Height() - size.cy) / 2);
            if (pClass->GetEnum(TMT_VALIGN, nState, nPart, 0) == 2)
                y = std::max<int>(rcDest.top, rcDest.bottom - size.cy);
            rcDest = CRect(x, y, x + size.cx, y + size.cy);
            rcMargins = CRect(0, 0, 0, 0);
        }
    }
    const BOOL bFramePart =
        pClass->GetClassId() == m_nWindowClassId && nPart >= WP_FRAMELEFT && nPart <= WP_SMALLFRAMEBOTTOM;
    const BOOL bBorderOnly = !bFramePart && pClass->GetBool(TMT_BORDERONLY, nState, nPart, FALSE);
    pImage->m_bMirrorAllowed = pClass->GetBool(TMT_MIRRORIMAGE, nState, nPart, TRUE);
    pImage->DetectSolidRects(rcMargins, nCount, bHorizontal);
    pImage->DrawImage(pDC, rcDest, rcSrc, rcMargins, clrTransparent, nMode, bBorderOnly);
    if (pClass->GetEnum(TMT_GLYPHTYPE, nState, nPart, 0) == 1)
        DrawGlyph(pDC, pClass, nPart, nState, CRect(*pRect));
    return TRUE;
}

void CQorSkinManagerSchemaDefault::DrawGlyph(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState, CRect rc)
{
    if (pClass->GetInt(TMT_IMAGECOUNT, nState, nPart, 1) < 1)
        return;
    const BOOL bHorizontal = pClass->GetEnum(TMT_IMAGELAYOUT, nState, nPart, 1) == 1;
    const CRect rcContent = pClass->GetRect(TMT_CONTENTMARGINS, nState, nPart);
    rc.DeflateRect(rcContent.left, rcContent.top, rcContent.right, rcContent.bottom);
    CQorSkinImage* pGlyph = nullptr;
    int nCount = 1;
    if (pClass->GetEnum(TMT_IMAGESELECTTYPE, nState, nPart, 0) == 1) {
        for (int nProperty = TMT_IMAGEFILE5; nProperty >= TMT_IMAGEFILE2 && !pGlyph; --nProperty) {
            CQorSkinImage* pImage = pClass->GetImage(pClass->GetString(nProperty, nState, nPart));
            if (!pImage)
                continue;
            nCount = FrameCount(pClass, nPart, nState, pImage, bHorizontal);
            const CRect rcFrame = GetSkinImageFrame(pImage, nCount, bHorizontal, 0);
            if (rcFrame.Width() <= rc.Width() && rcFrame.Height() <= rc.Height())
                pGlyph = pImage;
        }
        if (!pGlyph) {
            CString strFile = pClass->GetString(TMT_IMAGEFILE1, nState, nPart);
            if (strFile.IsEmpty())
                strFile = pClass->GetString(TMT_IMAGEFILE, nState, nPart);
            pGlyph = pClass->GetImage(strFile);
        }
    } else {
        pGlyph = pClass->GetImage(pClass->GetString(TMT_GLYPHIMAGEFILE, nState, nPart));
    }
    if (!pGlyph)
        return;
    nCount = FrameCount(pClass, nPart, nState, pGlyph, bHorizontal);
    const CRect rcSrc = GetSkinImageFrame(pGlyph, nCount, bHorizontal, nState - 1);
    const int x = rc.left + (rc.Width() - rcSrc.Width()) / 2;
    const int y = rc.top + std::max(0, (rc.Height() - rcSrc.Height()) / 2);
    COLORREF clrTransparent = static_cast<COLORREF>(-1);
    if (!pGlyph->IsAlpha() && pClass->GetBool(TMT_GLYPHTRANSPARENT, nState, nPart, FALSE))
        clrTransparent = pClass->GetColor(TMT_TRANSPARENTCOLOR, nState, nPart, kDefaultTransparent);
    pGlyph->DrawImage(pDC, CRect(x, y, x + rcSrc.Width(), y + rcSrc.Height()), rcSrc, CRect(0, 0, 0, 0), clrTransparent,
                      qorSkinTrueSize, FALSE);
}

CSize CQorSkinManagerSchemaDefault::GetCaptionButtonSize(int nHeight)
{
    CQorSkinManagerClass* pClass = m_pManager ? m_pManager->GetClass(L"WINDOW") : nullptr;
    if (!pClass || nHeight <= 0 || pClass->GetEnum(TMT_BGTYPE, 1, WP_CLOSEBUTTON, 0) != 0)
        return CSize(std::max(nHeight, 0), std::max(nHeight, 0));
    CQorSkinImage* pImage = pClass->GetImage(pClass->GetImageFileName(WP_CLOSEBUTTON, 1));
    if (!pImage)
        return CSize(nHeight, nHeight);
    const BOOL bHorizontal = pClass->GetEnum(TMT_IMAGELAYOUT, 1, WP_CLOSEBUTTON, 1) == 1;
    const CRect rcFrame =
        GetSkinImageFrame(pImage, FrameCount(pClass, WP_CLOSEBUTTON, 1, pImage, bHorizontal), bHorizontal, 0);
    const int w = rcFrame.Width(), fh = rcFrame.Height();
    if (fh <= 0)
        return CSize(nHeight, nHeight);
    return CSize(::MulDiv(w, nHeight, fh) + ::MulDiv(w - fh, 4, fh), nHeight);
}
