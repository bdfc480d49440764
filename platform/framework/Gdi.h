// Wrappers for GDI objects (pens, brushes, fonts, bitmaps, regions, palettes) and device
// contexts. A wrapper that created or attached a handle owns it and frees it in its destructor;
// FromHandle gives a borrowed wrapper for a handle owned elsewhere (see DrawingHandleMaps.h).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "platform/framework/Geometry.h"
#include "platform/framework/Object.h"
#include "platform/framework/DrawingHandleMaps.h"

class CString;
class CWnd;

// Frees the calling thread's temporary DC, GDI object, menu and image-list wrappers. Pointers
// obtained from FromHandle (or returned by CDC::SelectObject) are invalid afterwards.
void AfxDeleteTempDrawingObjects();

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override;

    operator HGDIOBJ() const { return fxdetail::IsNullObject(this) ? nullptr : m_hObject; }
    HGDIOBJ GetSafeHandle() const { return fxdetail::IsNullObject(this) ? nullptr : m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ handle);
    static void DeleteTempMap();

    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject(); // frees the owned handle; FALSE when there is none

    int GetObject(int size, void* buffer) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int index); // borrows a stock object (freeing it is harmless)
    BOOL UnrealizeObject();
    bool operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    bool operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

protected:
    // For subclasses' typed FromHandle: the wrapper of the handle, created as T when new.
    template <class T> static T* TypedFromHandle(HGDIOBJ handle);

private:
    template <class, class> friend class fxdetail::DrawingHandleMap;
    void DetachTemporary() { m_hObject = nullptr; }
};

class CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int penStyle, int width, COLORREF color) { CreatePen(penStyle, width, color); }
    CPen(int penStyle, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr)
    {
        CreatePen(penStyle, width, brush, styleCount, styles);
    }

    static CPen* FromHandle(HPEN handle);
    operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }

    BOOL CreatePen(int penStyle, int width, COLORREF color);
    BOOL CreatePen(int penStyle, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
    int GetExtLogPen(EXTLOGPEN* logPen) const;
};

class CBitmap;

class CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatchIndex, COLORREF color) { CreateHatchBrush(hatchIndex, color); }
    explicit CBrush(CBitmap* bitmap);

    static CBrush* FromHandle(HBRUSH handle);
    operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }

    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int index, COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateDIBPatternBrush(const void* packedDib, UINT usage);
    BOOL CreateSysColorBrush(int index);
    int GetLogBrush(LOGBRUSH* logBrush) const;
};

class CDC;

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* FromHandle(HFONT handle);
    operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }

    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR faceName);
    // Size in tenths of a point, converted to logical units of `dc` (the screen when null).
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    // As CreatePointFont, with lfHeight of `logFont` in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* logFont) const;
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP handle);
    operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }

    // From the current resource module (AfxGetResourceHandle).
    BOOL LoadBitmap(LPCTSTR resourceName);
    BOOL LoadBitmap(UINT resourceId) { return LoadBitmap(MAKEINTRESOURCE(resourceId)); }
    BOOL LoadOEMBitmap(UINT bitmapId);
    // Loads a bitmap with its button colours mapped to the current system colours.
    BOOL LoadMappedBitmap(UINT resourceId, UINT flags = 0, LPCOLORMAP colorMap = nullptr, int mapSize = 0);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bitmap);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(CDC* dc, int width, int height);

    int GetBitmap(BITMAP* bitmap) const;
    CSize GetBitmapDimension() const;
    CSize SetBitmapDimension(int width, int height);
    DWORD SetBitmapBits(DWORD count, const void* bits);
    DWORD GetBitmapBits(DWORD count, void* bits) const;
};

class CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* FromHandle(HRGN handle);
    operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL CreatePolygonRgn(const POINT* points, int count, int polyFillMode);
    BOOL CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int polyFillMode);
    BOOL CreateFromPath(CDC* dc);
    BOOL CreateFromData(const XFORM* xform, int count, const RGNDATA* data);

    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(LPCRECT rect);
    // Sets this region to src1 op src2 (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
    int CombineRgn(const CRgn* src1, const CRgn* src2, int combineMode);
    int CopyRgn(const CRgn* src);
    BOOL EqualRgn(const CRgn* other) const;
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT pt) { return OffsetRgn(pt.x, pt.y); }
    int GetRgnBox(LPRECT rect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT pt) const { return PtInRegion(pt.x, pt.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    int GetRegionData(LPRGNDATA data, int count) const;
};

class CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    static CPalette* FromHandle(HPALETTE handle);
    operator HPALETTE() const { return static_cast<HPALETTE>(GetSafeHandle()); }

    BOOL CreatePalette(const LOGPALETTE* logPalette);
    BOOL CreateHalftonePalette(CDC* dc);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const;
    UINT SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries);
    void AnimatePalette(UINT start, UINT count, LPPALETTEENTRY entries);
    UINT GetNearestPaletteIndex(COLORREF color) const;
    BOOL ResizePalette(UINT count);
};

class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = nullptr;
    // The DC queried for attributes (text metrics, mapping); the same as m_hDC here.
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    CDC() = default;
    ~CDC() override; // deletes an owned DC (CreateDC, CreateCompatibleDC, Attach)

    operator HDC() const { return fxdetail::IsNullObject(this) ? nullptr : m_hDC; }
    HDC GetSafeHdc() const { return fxdetail::IsNullObject(this) ? nullptr : m_hDC; }

    static CDC* FromHandle(HDC hdc);
    static void DeleteTempMap();
    // The process's 50 % grey checker pattern brush (alternate pixels), made on first use and
    // kept for the life of the process; for XOR trackers (PATINVERT). Null when it cannot be made.
    static CBrush* GetHalftoneBrush();
    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL DeleteDC();

    BOOL CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const DEVMODE* initData);
    BOOL CreateIC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const DEVMODE* initData);
    // A memory DC compatible with `dc` (with the screen when null).
    BOOL CreateCompatibleDC(CDC* dc);
    CWnd* GetWindow() const;
    BOOL IsPrinting() const { return m_bPrinting; }

    // Selecting an object returns the one it replaced (a borrowed wrapper).
    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region); // region type, like SelectClipRgn
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    int SaveDC();
    BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const;
    DWORD SetLayout(DWORD layout);
    DWORD GetLayout() const;

    // Colours and modes.
    COLORREF GetBkColor() const;
    COLORREF SetBkColor(COLORREF color);
    int GetBkMode() const;
    int SetBkMode(int mode);
    COLORREF GetTextColor() const;
    COLORREF SetTextColor(COLORREF color);
    int GetROP2() const;
    int SetROP2(int mode);
    int GetPolyFillMode() const;
    int SetPolyFillMode(int mode);
    int GetStretchBltMode() const;
    int SetStretchBltMode(int mode);
    UINT GetTextAlign() const;
    UINT SetTextAlign(UINT flags);
    int GetTextCharacterExtra() const;
    int SetTextCharacterExtra(int extra);
    CPoint GetBrushOrg() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT pt) { return SetBrushOrg(pt.x, pt.y); }
    COLORREF GetNearestColor(COLORREF color) const;

    // Coordinate mapping.
    int GetMapMode() const;
    int SetMapMode(int mode);
    CPoint GetViewportOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT pt) { return SetViewportOrg(pt.x, pt.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize GetViewportExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    CPoint GetWindowOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT pt) { return SetWindowOrg(pt.x, pt.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CSize GetWindowExt() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(LPSIZE size) const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(LPSIZE size) const;

    // Clipping.
    int GetClipBox(LPRECT rect) const;
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT rect);
    int SelectClipRgn(CRgn* region); // null removes the clip region
    int SelectClipRgn(CRgn* region, int mode);
    int OffsetClipRgn(int dx, int dy);
    int ExcludeUpdateRgn(CWnd* wnd);
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT pt) const { return PtVisible(pt.x, pt.y); }
    BOOL RectVisible(LPCRECT rect) const;

    // Text.
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const INT* dx = nullptr);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* dx = nullptr);
    CSize TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabCount, const INT* tabStops, int tabOrigin);
    // count -1: a zero-terminated text. Returns the text height (DT_CALCRECT: sets `rect`).
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawTextEx(LPTSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);
    int DrawTextEx(const CString& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    CSize GetOutputTextExtent(LPCTSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const;
    CSize GetTabbedTextExtent(LPCTSTR text, int count, int tabCount, const INT* tabStops) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const;
    int GetTextFace(int count, LPTSTR faceName) const;
    int GetTextFace(CString& faceName) const;
    BOOL GetCharWidth(UINT first, UINT last, LPINT buffer) const;
    BOOL GrayString(CBrush* brush, GRAYSTRINGPROC output, LPARAM data, int count, int x, int y, int width, int height);

    // Lines and shapes (with the selected pen and brush).
    CPoint GetCurrentPosition() const;
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT pt) { return MoveTo(pt.x, pt.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT pt) { return LineTo(pt.x, pt.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL PolylineTo(const POINT* points, int count);
    BOOL PolyBezier(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int width, int height);
    BOOL RoundRect(LPCRECT rect, POINT corner);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect);
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT rect, POINT start, POINT end);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT rect, POINT start, POINT end);
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // Filling.
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* region);
    BOOL PaintRgn(CRgn* region);
    // Fills with one colour without a brush; leaves the background colour set to `color`.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    // One-pixel frame: top and left edges in `topLeft`, right and bottom edges in `bottomRight`
    // (the top-right and bottom-left corner pixels belong to the right and bottom edges).
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    BOOL FloodFill(int x, int y, COLORREF color);
    BOOL ExtFloodFill(int x, int y, COLORREF color, UINT fillType);

    // Icons and images.
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT pt, HICON icon) { return DrawIcon(pt.x, pt.y, icon); }
    BOOL DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, CBrush* brush);
    BOOL DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefixText = TRUE, int textLength = 0,
                   HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefixText, int textLength, CBrush* brush);
    BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC proc, LPARAM data, UINT flags, HBRUSH brush = nullptr);

    // Block transfers.
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL MaskBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, CBitmap& mask, int xMask, int yMask,
                 DWORD rop);
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                        UINT transparentColor);
    BOOL AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    BLENDFUNCTION blend);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT pt) const { return GetPixel(pt.x, pt.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT pt, COLORREF color) { return SetPixel(pt.x, pt.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);

    // Paths.
    BOOL BeginPath();
    BOOL EndPath();
    BOOL AbortPath();
    BOOL FillPath();
    BOOL StrokePath();
    BOOL StrokeAndFillPath();
    BOOL SelectClipPath(int mode);

    // Printing.
    int StartDoc(LPDOCINFO docInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    int Escape(int escape, int inputSize, LPCSTR inputData, LPVOID outputData);

private:
    template <class, class> friend class fxdetail::DrawingHandleMap;
    void DetachTemporary() { m_hDC = m_hAttribDC = nullptr; }
};

// The DC of a WM_PAINT handler: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

// The client-area DC of a window (the screen's when the window is null), released on destruction.
class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The DC of a whole window including its non-client area, released on destruction.
class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
