// CDC: the device-context wrapper, its handle map, and the drawing, text and clipping calls.
// The GDI objects it selects are in Gdi.cpp.
#include "platform/framework/Gdi.h"
#include "platform/framework/Strings.h"
#include "platform/framework/WinApp.h"
#include <cstdlib>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

// Leaked on purpose: wrappers held in globals unregister themselves during static destruction.
fxdetail::DrawingHandleMap<HDC, CDC>& DcMap()
{
    static auto* map = new fxdetail::DrawingHandleMap<HDC, CDC>;
    return *map;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CDC

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hdc)
{
    return DcMap().FromHandle(hdc, [hdc] {
        CDC* dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = hdc;
        return dc;
    });
}

void CDC::DeleteTempMap()
{
    DcMap().DeleteTemporaries();
}

BOOL CDC::Attach(HDC hdc)
{
    if (!DcMap().AttachOwned(this, m_hDC, hdc, [this] { DeleteDC(); }))
        return FALSE;
    m_hAttribDC = m_hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    m_hAttribDC = nullptr;
    return DcMap().DetachOwned(this, m_hDC);
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const DEVMODE* initData)
{
    return Attach(::CreateDCW(driver, device, output, initData));
}

BOOL CDC::CreateIC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const DEVMODE* initData)
{
    return Attach(::CreateICW(driver, device, output, initData));
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CPen* CDC::SelectObject(CPen* pen)
{
    return pen ? CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return brush ? CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject))) : nullptr;
}

CFont* CDC::SelectObject(CFont* font)
{
    return font ? CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject))) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject))) : nullptr;
}

int CDC::SelectObject(CRgn* region)
{
    // For a region SelectObject answers the region's complexity, not a handle.
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, region ? region->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    return object ? CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject)) : nullptr;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    return ::SelectObject(m_hDC, object);
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, palette ? static_cast<HPALETTE>(*palette) : nullptr, forceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}
CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}
BOOL CDC::RestoreDC(int savedDC)
{
    return ::RestoreDC(m_hDC, savedDC);
}
int CDC::GetDeviceCaps(int index) const
{
    return ::GetDeviceCaps(m_hAttribDC, index);
}
DWORD CDC::SetLayout(DWORD layout)
{
    return ::SetLayout(m_hDC, layout);
}
DWORD CDC::GetLayout() const
{
    return ::GetLayout(m_hDC);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}
COLORREF CDC::SetBkColor(COLORREF color)
{
    return ::SetBkColor(m_hDC, color);
}
int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}
int CDC::SetBkMode(int mode)
{
    return ::SetBkMode(m_hDC, mode);
}
COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}
COLORREF CDC::SetTextColor(COLORREF color)
{
    return ::SetTextColor(m_hDC, color);
}
int CDC::GetROP2() const
{
    return ::GetROP2(m_hAttribDC);
}
int CDC::SetROP2(int mode)
{
    return ::SetROP2(m_hDC, mode);
}
int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(m_hAttribDC);
}
int CDC::SetPolyFillMode(int mode)
{
    return ::SetPolyFillMode(m_hDC, mode);
}
int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hAttribDC);
}
int CDC::SetStretchBltMode(int mode)
{
    return ::SetStretchBltMode(m_hDC, mode);
}
UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hAttribDC);
}
UINT CDC::SetTextAlign(UINT flags)
{
    return ::SetTextAlign(m_hDC, flags);
}
int CDC::GetTextCharacterExtra() const
{
    return ::GetTextCharacterExtra(m_hAttribDC);
}
int CDC::SetTextCharacterExtra(int extra)
{
    return ::SetTextCharacterExtra(m_hDC, extra);
}
COLORREF CDC::GetNearestColor(COLORREF color) const
{
    return ::GetNearestColor(m_hAttribDC, color);
}

CPoint CDC::GetBrushOrg() const
{
    POINT pt{};
    ::GetBrushOrgEx(m_hDC, &pt);
    return pt;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old{};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}
int CDC::SetMapMode(int mode)
{
    return ::SetMapMode(m_hDC, mode);
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt{};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return pt;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    POINT old{};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
    return old;
}

CSize CDC::GetViewportExt() const
{
    SIZE size{};
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old{};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return old;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE old{};
    ::ScaleViewportExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &old);
    return old;
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt{};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return pt;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    POINT old{};
    ::OffsetWindowOrgEx(m_hDC, dx, dy, &old);
    return old;
}

CSize CDC::GetWindowExt() const
{
    SIZE size{};
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old{};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return old;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE old{};
    ::ScaleWindowExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &old);
    return old;
}

void CDC::DPtoLP(LPPOINT points, int count) const
{
    ::DPtoLP(m_hAttribDC, points, count);
}
void CDC::DPtoLP(LPRECT rect) const
{
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2);
}
void CDC::LPtoDP(LPPOINT points, int count) const
{
    ::LPtoDP(m_hAttribDC, points, count);
}
void CDC::LPtoDP(LPRECT rect) const
{
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2);
}

// Sizes are lengths: they scale by the extents' ratio and ignore origins and axis directions.
void CDC::DPtoLP(LPSIZE size) const
{
    CSize windowExt = GetWindowExt(), viewportExt = GetViewportExt();
    if (viewportExt.cx == 0 || viewportExt.cy == 0)
        return;
    size->cx = ::MulDiv(size->cx, std::abs(windowExt.cx), std::abs(viewportExt.cx));
    size->cy = ::MulDiv(size->cy, std::abs(windowExt.cy), std::abs(viewportExt.cy));
}

void CDC::LPtoDP(LPSIZE size) const
{
    CSize windowExt = GetWindowExt(), viewportExt = GetViewportExt();
    if (windowExt.cx == 0 || windowExt.cy == 0)
        return;
    size->cx = ::MulDiv(size->cx, std::abs(viewportExt.cx), std::abs(windowExt.cx));
    size->cy = ::MulDiv(size->cy, std::abs(viewportExt.cy), std::abs(windowExt.cy));
}

int CDC::GetClipBox(LPRECT rect) const
{
    return ::GetClipBox(m_hDC, rect);
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}

int CDC::IntersectClipRect(LPCRECT rect)
{
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::ExcludeClipRect(LPCRECT rect)
{
    return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom);
}
int CDC::SelectClipRgn(CRgn* region)
{
    return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr);
}

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    return ::ExtSelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr, mode);
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    return ::OffsetClipRgn(m_hDC, dx, dy);
}
BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}
BOOL CDC::RectVisible(LPCRECT rect) const
{
    return ::RectVisible(m_hDC, rect);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    if (count < 0)
        count = text ? lstrlenW(text) : 0;
    return ::TextOutW(m_hDC, x, y, text, count);
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return ::TextOutW(m_hDC, x, y, text, text.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const INT* dx)
{
    return ::ExtTextOutW(m_hDC, x, y, options, rect, text, count, dx);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* dx)
{
    return ::ExtTextOutW(m_hDC, x, y, options, rect, text, text.GetLength(), dx);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabCount, const INT* tabStops, int tabOrigin)
{
    LONG packed = ::TabbedTextOutW(m_hDC, x, y, text, count, tabCount, tabStops, tabOrigin);
    return CSize(static_cast<DWORD>(packed));
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    return ::DrawTextW(m_hDC, text, count, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return ::DrawTextW(m_hDC, text, text.GetLength(), rect, format);
}

int CDC::DrawTextEx(LPTSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params)
{
    return ::DrawTextExW(m_hDC, text, count, rect, format, params);
}

// DrawTextEx may write into the text (DT_MODIFYSTRING), so it works on a copy with room to spare.
int CDC::DrawTextEx(const CString& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params)
{
    CString copy(text);
    int length = copy.GetLength();
    int result = ::DrawTextExW(m_hDC, copy.GetBuffer(length + 4), length, rect, format, params);
    copy.ReleaseBuffer();
    return result;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    if (count < 0)
        count = text ? lstrlenW(text) : 0;
    SIZE size{};
    ::GetTextExtentPoint32W(m_hAttribDC, text, count, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR text, int count) const
{
    if (count < 0)
        count = text ? lstrlenW(text) : 0;
    SIZE size{};
    ::GetTextExtentPoint32W(m_hDC, text, count, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return GetTextExtent(text, text.GetLength());
}

CSize CDC::GetOutputTextExtent(const CString& text) const
{
    return GetOutputTextExtent(text, text.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR text, int count, int tabCount, const INT* tabStops) const
{
    return CSize(::GetTabbedTextExtentW(m_hAttribDC, text, count, tabCount, tabStops));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const
{
    return ::GetTextMetricsW(m_hAttribDC, metrics);
}
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC metrics) const
{
    return ::GetTextMetricsW(m_hDC, metrics);
}
int CDC::GetTextFace(int count, LPTSTR faceName) const
{
    return ::GetTextFaceW(m_hAttribDC, count, faceName);
}

int CDC::GetTextFace(CString& faceName) const
{
    int length = ::GetTextFaceW(m_hAttribDC, 0, nullptr);
    if (length <= 0) {
        faceName.Empty();
        return 0;
    }
    int copied = ::GetTextFaceW(m_hAttribDC, length, faceName.GetBuffer(length));
    faceName.ReleaseBuffer();
    return copied;
}

BOOL CDC::GetCharWidth(UINT first, UINT last, LPINT buffer) const
{
    return ::GetCharWidth32W(m_hAttribDC, first, last, buffer);
}

BOOL CDC::GrayString(CBrush* brush, GRAYSTRINGPROC output, LPARAM data, int count, int x, int y, int width, int height)
{
    return ::GrayStringW(m_hDC, brush ? static_cast<HBRUSH>(*brush) : nullptr, output, data, count, x, y, width,
                         height);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt{};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return pt;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}
BOOL CDC::Polyline(const POINT* points, int count)
{
    return ::Polyline(m_hDC, points, count);
}
BOOL CDC::PolylineTo(const POINT* points, int count)
{
    return ::PolylineTo(m_hDC, points, count);
}
BOOL CDC::PolyBezier(const POINT* points, int count)
{
    return ::PolyBezier(m_hDC, points, count);
}
BOOL CDC::Polygon(const POINT* points, int count)
{
    return ::Polygon(m_hDC, points, count);
}

BOOL CDC::PolyPolygon(const POINT* points, const INT* counts, int polygons)
{
    return ::PolyPolygon(m_hDC, points, counts, polygons);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Rectangle(LPCRECT rect)
{
    return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int width, int height)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, width, height);
}

BOOL CDC::RoundRect(LPCRECT rect, POINT corner)
{
    return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Ellipse(LPCRECT rect)
{
    return Ellipse(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT rect, POINT start, POINT end)
{
    return Arc(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT rect, POINT start, POINT end)
{
    return Pie(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    ::FrameRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr);
}

void CDC::InvertRect(LPCRECT rect)
{
    ::InvertRect(m_hDC, rect);
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush)
{
    return region && brush && ::FillRgn(m_hDC, *region, *brush);
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    return region && brush && ::FrameRgn(m_hDC, *region, *brush, width, height);
}

BOOL CDC::InvertRgn(CRgn* region)
{
    return region && ::InvertRgn(m_hDC, *region);
}
BOOL CDC::PaintRgn(CRgn* region)
{
    return region && ::PaintRgn(m_hDC, *region);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    CRect area(rect);
    area.NormalizeRect();
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    CRect area(x, y, x + cx, y + cy);
    FillSolidRect(&area, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    if (cx <= 0 || cy <= 0)
        return;
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    return ::DrawEdge(m_hDC, rect, edge, flags);
}
void CDC::DrawFocusRect(LPCRECT rect)
{
    ::DrawFocusRect(m_hDC, rect);
}
BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state)
{
    return ::DrawFrameControl(m_hDC, rect, type, state);
}
BOOL CDC::FloodFill(int x, int y, COLORREF color)
{
    return ::FloodFill(m_hDC, x, y, color);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF color, UINT fillType)
{
    return ::ExtFloodFill(m_hDC, x, y, color, fillType);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        flags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush)
{
    return DrawState(pt, size, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr, flags,
                     brush ? static_cast<HBRUSH>(*brush) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, pt.x, pt.y, size.cx, size.cy,
                        flags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON icon, UINT flags, CBrush* brush)
{
    return DrawState(pt, size, icon, flags, brush ? static_cast<HBRUSH>(*brush) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefixText, int textLength, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(text), textLength, pt.x, pt.y, size.cx, size.cy,
                        flags | (prefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefixText, int textLength, CBrush* brush)
{
    return DrawState(pt, size, text, flags, prefixText, textLength, brush ? static_cast<HBRUSH>(*brush) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC proc, LPARAM data, UINT flags, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, proc, data, 0, pt.x, pt.y, size.cx, size.cy, flags | DST_COMPLEX);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                     DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, xSrc, ySrc, srcWidth, srcHeight, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

BOOL CDC::MaskBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, CBitmap& mask, int xMask,
                  int yMask, DWORD rop)
{
    return ::MaskBlt(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, xSrc, ySrc, mask, xMask, yMask, rop);
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                         UINT transparentColor)
{
    return src &&
           ::TransparentBlt(m_hDC, x, y, width, height, src->m_hDC, xSrc, ySrc, srcWidth, srcHeight, transparentColor);
}

BOOL CDC::AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                     BLENDFUNCTION blend)
{
    return src && ::GdiAlphaBlend(m_hDC, x, y, width, height, src->m_hDC, xSrc, ySrc, srcWidth, srcHeight, blend);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    return ::SetPixel(m_hDC, x, y, color);
}
BOOL CDC::SetPixelV(int x, int y, COLORREF color)
{
    return ::SetPixelV(m_hDC, x, y, color);
}

BOOL CDC::BeginPath()
{
    return ::BeginPath(m_hDC);
}
BOOL CDC::EndPath()
{
    return ::EndPath(m_hDC);
}
BOOL CDC::AbortPath()
{
    return ::AbortPath(m_hDC);
}
BOOL CDC::FillPath()
{
    return ::FillPath(m_hDC);
}
BOOL CDC::StrokePath()
{
    return ::StrokePath(m_hDC);
}
BOOL CDC::StrokeAndFillPath()
{
    return ::StrokeAndFillPath(m_hDC);
}
BOOL CDC::SelectClipPath(int mode)
{
    return ::SelectClipPath(m_hDC, mode);
}

int CDC::StartDoc(LPDOCINFO docInfo)
{
    return ::StartDocW(m_hDC, docInfo);
}
int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}
int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}
int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}
int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

int CDC::Escape(int escape, int inputSize, LPCSTR inputData, LPVOID outputData)
{
    return ::Escape(m_hDC, escape, inputSize, inputData, outputData);
}

CBrush* CDC::GetHalftoneBrush()
{
    // Never freed: trackers may still use it while static objects go away at exit.
    static CBrush* halftone = [] {
        WORD pattern[8];
        for (int row = 0; row < 8; row++)
            pattern[row] = static_cast<WORD>(row % 2 == 0 ? 0x5555 : 0xAAAA);
        HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        CBrush* brush = new CBrush();
        if (bitmap) {
            brush->Attach(::CreatePatternBrush(bitmap));
            ::DeleteObject(bitmap);
        }
        return brush;
    }();
    return halftone->GetSafeHandle() ? halftone : nullptr;
}
