// DC objects and drawing helpers: scoped device-context objects that undo themselves, the
// process-wide drawing helpers (msimg32 bound at run time, with fallbacks of their own), and
// small helpers for right-to-left layout, triangles, fonts, mnemonics and window classes.
#pragma once

#include <windows.h>

#include "platform/framework/Gdi.h"
#include "platform/framework/Strings.h"

class CWnd;
class CQorPaintManagerColorGradient;

// ---------------------------------------------------------------------------------------------
// Scoped DC objects (none may be copied).

// Double buffer over a paint DC or a DC and rectangle: callers draw in window coordinates; the
// rectangle goes to the target when the object ends. A paint rectangle of zero size still
// gives a 1 x 1 buffer.
class CQorBufferDC : public CDC
{
public:
    explicit CQorBufferDC(CPaintDC& paintDC);
    CQorBufferDC(HDC hDestDC, const CRect& rcPaint);
    ~CQorBufferDC() override;
    CQorBufferDC(const CQorBufferDC&) = delete;
    CQorBufferDC& operator=(const CQorBufferDC&) = delete;

    HDC GetDestDC() const { return m_hDestDC; }
    CSize GetBufferSize() const;

protected:
    void Create(HDC hDestDC, const CRect& rcPaint, BOOL bClip);
    HDC m_hDestDC = nullptr;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// A buffer of only the rectangle's size whose viewport is shifted so that callers still draw
// in target coordinates.
class CQorBufferDCEx : public CDC
{
public:
    CQorBufferDCEx(HDC hDestDC, const CRect& rect);
    ~CQorBufferDCEx() override;
    CQorBufferDCEx(const CQorBufferDCEx&) = delete;
    CQorBufferDCEx& operator=(const CQorBufferDCEx&) = delete;

protected:
    HDC m_hDestDC = nullptr;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// Font selection; a null DC or font changes nothing and restores nothing.
class CQorFontDC
{
public:
    CQorFontDC(CDC* pDC, CFont* pFont);
    CQorFontDC(CDC* pDC, CFont* pFont, COLORREF clrText);
    ~CQorFontDC();
    CQorFontDC(const CQorFontDC&) = delete;
    CQorFontDC& operator=(const CQorFontDC&) = delete;

    void SetFont(CFont* pFont);
    void SetColor(COLORREF clrText); // the first change remembers the previous colour
    void ReleaseFont();

protected:
    CDC* m_pDC;
    HGDIOBJ m_hOldFont = nullptr;
    COLORREF m_clrOldText = static_cast<COLORREF>(-1);
};

// A solid one-pixel pen of one colour, selected for the object's life.
class CQorPenDC
{
public:
    CQorPenDC(HDC hDC, COLORREF clr);
    ~CQorPenDC();
    CQorPenDC(const CQorPenDC&) = delete;
    CQorPenDC& operator=(const CQorPenDC&) = delete;

protected:
    HDC m_hDC;
    CPen m_pen;
    HGDIOBJ m_hOldPen = nullptr;
};

// A solid brush of one colour, selected for the object's life.
class CQorBrushDC
{
public:
    CQorBrushDC(HDC hDC, COLORREF clr);
    ~CQorBrushDC();
    CQorBrushDC(const CQorBrushDC&) = delete;
    CQorBrushDC& operator=(const CQorBrushDC&) = delete;

protected:
    HDC m_hDC;
    CBrush m_brush;
    HGDIOBJ m_hOldBrush = nullptr;
};

// A memory DC compatible with a DC (the screen when null) with one object selected.
class CQorCompatibleDC : public CDC
{
public:
    CQorCompatibleDC(CDC* pDC, CGdiObject* pObject);
    CQorCompatibleDC(CDC* pDC, HGDIOBJ hObject);
    ~CQorCompatibleDC() override;
    CQorCompatibleDC(const CQorCompatibleDC&) = delete;
    CQorCompatibleDC& operator=(const CQorCompatibleDC&) = delete;

protected:
    HGDIOBJ m_hOldObject = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Drawing helpers

class CQorDrawHelpers
{
public:
    CQorDrawHelpers();
    virtual ~CQorDrawHelpers();
    CQorDrawHelpers(const CQorDrawHelpers&) = delete;
    CQorDrawHelpers& operator=(const CQorDrawHelpers&) = delete;

    // From `clrFrom` at the left (top) edge to `clrTo` at the right (bottom) edge; solid on a
    // palette display or when the colours are equal.
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz);
    // Only the part inside the clip rectangle, coloured as that part of the full gradient.
    void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz, LPCRECT lpClip);
    // A gradient object: one gradient at factor 0.5, else two halves meeting at the middle colour.
    void GradientFillGradient(CDC* pDC, LPCRECT lpRect, const CQorPaintManagerColorGradient& grc, BOOL bHorz,
                              LPCRECT lpClip = nullptr);
    // Per-pixel alpha of a premultiplied source, constant alpha 255.
    BOOL AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
    // The source without the pixels of the transparent colour.
    BOOL TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc, COLORREF clrTransparent);

    BOOL HasNativeGradientFill() const;
    BOOL HasNativeAlphaBlend() const;
    BOOL HasNativeTransparentBlt() const;

protected:
    void GradientFillFallback(CDC* pDC, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz);
    BOOL AlphaBlendFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
    BOOL TransparentBltFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                COLORREF clrTransparent);

    typedef BOOL(WINAPI* GradientFillFn)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    typedef BOOL(WINAPI* AlphaBlendFn)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL(WINAPI* TransparentBltFn)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

    HMODULE m_hMsImg32 = nullptr;
    GradientFillFn m_pfnGradientFill = nullptr;
    AlphaBlendFn m_pfnAlphaBlend = nullptr;
    TransparentBltFn m_pfnTransparentBlt = nullptr;
};

CQorDrawHelpers* GetDrawHelpers();

// Test seam: msimg32 entries to treat as absent (a mask of the values below; 0: none).
enum {
    QOR_MSIMG32_GRADIENTFILL = 1,
    QOR_MSIMG32_ALPHABLEND = 2,
    QOR_MSIMG32_TRANSPARENTBLT = 4,
    QOR_MSIMG32_ALL = 7,
};
void QorSetMissingMsimg32EntriesForTest(UINT nMask);
UINT QorGetMissingMsimg32EntriesForTest();
// How often the own alpha-blend and transparent-blit fallbacks ran, so that a test can tell
// that a drawing went through the helpers.
UINT QorGetDrawFallbacksForTest();

// Per channel f x B + (1 - f) x A, truncated and capped at 255.
COLORREF BlendColorsByFactor(COLORREF clrA, COLORREF clrB, double dFactor);
BOOL IsWin2000OrLater();

// Right-to-left layout (GDI GetLayout/SetLayout looked up once; absent: 0 and nothing).
DWORD GetDCLayout(HDC hDC);
void SetDCLayout(HDC hDC, DWORD dwLayout);
BOOL IsDCRightToLeft(CDC* pDC);
// Screen point to window coordinates, x mirrored for WS_EX_LAYOUTRTL windows.
void ScreenToWindowRtl(CWnd* pWnd, POINT& pt);

void DrawTriangle(CDC* pDC, COLORREF clr, POINT pt0, POINT pt1, POINT pt2);
void PolygonTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2);
// A 32-bit bottom-up BI_RGB DIB section and its pixels; null on failure.
HBITMAP CreateDIB32(HDC hDC, int cx, int cy, void** ppBits);
// DrawStateW of a bitmap (DST_BITMAP plus the flags).
BOOL DrawStateBitmap(HDC hDC, HBRUSH hBrush, int x, int y, int cx, int cy, HBITMAP hBitmap, UINT nFlags);
BOOL IsRectZero(const RECT& rc);

BOOL IsFontInstalled(LPCTSTR lpszFaceName);
// "Arial", or the GUI font's face when "Arial" is missing (or "Tahoma" when asked and present).
void GetDefaultFontFaceName(CString& strFaceName, BOOL bPreferTahoma = FALSE);

// Drops every single "&" ("&&" becomes "&").
void StripMnemonic(CString& str);
void StripMnemonic(LPWSTR lpsz);

// A class with DefWindowProcW and the arrow cursor; null module: the program's own.
BOOL RegisterToolkitWindowClass(HINSTANCE hInstance, LPCTSTR lpszClassName, UINT nClassStyle, HICON hIcon = nullptr);

// Splitter drag: the window captures the mouse and an inverted tracker follows it along one
// axis over the locked desktop. TRUE with the final tracker on button up; FALSE on Escape, a
// lost capture, a destroyed window or WM_QUIT (which is posted again).
struct QOR_SPLITTER_DRAG
{
    HWND hWnd;
    BOOL bHorizontal; // TRUE: the tracker moves along x
    POINT ptMin;      // allowed range of the tracker's top-left corner
    POINT ptMax;
    POINT ptStart; // where the drag started, in screen coordinates
};
struct QOR_TRACKER_DC
{
    HDC hDC = nullptr;    // the desktop DC while the drag runs
    BOOL bInvert = FALSE; // InvertRect instead of the halftone pattern
};
BOOL TrackSplitterDrag(const QOR_SPLITTER_DRAG& drag, RECT& rcTracker, QOR_TRACKER_DC& trackerDC);
