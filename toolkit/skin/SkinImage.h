// One bitmap of a skin: loaded from a skin file or module, premultiplied once when it has
// alpha, its uniform regions found once and filled instead of copied, and drawn nine-grid
// (stretched or tiled) with a transparent colour and right-to-left mirroring.
#pragma once
#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"

class CQorSkinManager;
class CQorSkinManagerResourceFile;

enum QorSkinSizingType {
    qorSkinTrueSize = 0,
    qorSkinStretch = 1,
    qorSkinTile = 2,
};

class CQorSkinImage
{
public:
    // A uniform region of the image; for alpha images the top byte is the region's alpha.
    struct SOLIDRECT
    {
        int left, top, right, bottom;
        COLORREF clr;
    };

    // The manager lends its colour filters; it may be none.
    explicit CQorSkinImage(CQorSkinManager* pManager = nullptr);
    virtual ~CQorSkinImage();
    CQorSkinImage(const CQorSkinImage&) = delete;
    CQorSkinImage& operator=(const CQorSkinImage&) = delete;

    BOOL LoadFromFile(LPCTSTR lpszPath, BOOL bPremultiply = TRUE);
    BOOL LoadFromResource(LPCTSTR lpszName, HMODULE hModule, BOOL bPremultiply = TRUE);
    // Takes a loaded bitmap (straight pixels when bAlpha).
    BOOL SetBitmap(HBITMAP hBitmap, BOOL bAlpha, BOOL bPremultiply);

    // Margins are clamped to each frame; regions never leave their frame.
    void DetectSolidRects(const RECT& rcMargins, int nCount, BOOL bHorizontal);
    void ApplyColorFilter(COLORREF clrTransparent);
    void DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins, COLORREF clrTransparent,
                   int nSizingType, BOOL bBorderOnly);
    CRect GetHalfRect(int nIndex) const;

    static CQorSkinImage* GetCachedImage(CQorSkinManagerResourceFile* pFile, CMapStringToPtr& cache, LPCTSTR lpszName);
    static void FreeCache(CMapStringToPtr& cache);

    HBITMAP GetBitmap() const { return m_hBitmap; }
    BOOL IsAlpha() const { return m_bAlpha; }
    BOOL IsMirrored() const { return m_bMirrored; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    const CArray<SOLIDRECT, const SOLIDRECT&>& GetSolidRects() const { return m_arrSolidRects; }

    BOOL m_bMirrorAllowed = TRUE;

protected:
    const SOLIDRECT* FindSolidRect(const CRect& rcSrc) const;
    // The region's colour filtered; FALSE when the piece is to be drawn from pixels.
    BOOL FillFromSolid(CDC* pDC, const SOLIDRECT* pSolid, const CRect& rcDest, COLORREF clrTransparent);
    void DrawNineGrid(CDC* pDC, const CRect& rcDest, CRect rcSrc, const CRect& rcMargins, int nSizingType,
                      BOOL bBorderOnly);
    void DrawPiece(CDC* pDC, HDC hdcSrc, const CRect& rcDest, const CRect& rcSrc, int nTile);
    void StretchPiece(HDC hdcDest, HDC hdcSrc, const CRect& rcDest, const CRect& rcSrc);
    void ToggleMirror();
    // Alpha images are mirrored to follow the DC's direction (when mirroring is allowed).
    void SyncMirror(HDC hDC);
    CRect MirrorSource(const CRect& rcSrc) const;
    COLORREF Filter(COLORREF clr) const;
    void FreeBitmap();

    CQorSkinManager* m_pManager;
    HBITMAP m_hBitmap = nullptr;
    BOOL m_bAlpha = FALSE;
    BOOL m_bFiltered = FALSE;
    BOOL m_bMirrored = FALSE;
    BOOL m_bSolidRectsDone = FALSE;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CArray<SOLIDRECT, const SOLIDRECT&> m_arrSolidRects;
};
