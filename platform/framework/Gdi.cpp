// The GDI object wrappers (pen, brush, font, bitmap, region, palette), their handle map and the
// clean-up of temporary drawing wrappers at idle time. CDC is in Dc.cpp.
#include "platform/framework/Gdi.h"
#include "platform/framework/Strings.h"
#include "platform/framework/WinApp.h"
#include <cstdlib>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

// Leaked on purpose: wrappers held in globals unregister themselves during static destruction.
fxdetail::DrawingHandleMap<HGDIOBJ, CGdiObject>& GdiMap()
{
    static auto* map = new fxdetail::DrawingHandleMap<HGDIOBJ, CGdiObject>;
    return *map;
}

// A borrowed wrapper of the class that matches the kind of the handle.
CGdiObject* NewWrapperFor(HGDIOBJ handle)
{
    CGdiObject* object;
    switch (::GetObjectType(handle)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        object = new CPen;
        break;
    case OBJ_BRUSH:
        object = new CBrush;
        break;
    case OBJ_FONT:
        object = new CFont;
        break;
    case OBJ_BITMAP:
        object = new CBitmap;
        break;
    case OBJ_REGION:
        object = new CRgn;
        break;
    case OBJ_PAL:
        object = new CPalette;
        break;
    default:
        object = new CGdiObject;
        break;
    }
    object->m_hObject = handle;
    return object;
}

} // namespace

void DeleteTempMenus();
void DeleteTempImageLists();

void AfxDeleteTempDrawingObjects()
{
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    DeleteTempMenus();
    DeleteTempImageLists();
}

// ---------------------------------------------------------------------------------------------
// CGdiObject and the typed objects

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
    return GdiMap().FromHandle(handle, [handle] { return NewWrapperFor(handle); });
}

template <class T> T* CGdiObject::TypedFromHandle(HGDIOBJ handle)
{
    if (!handle)
        return nullptr;
    CGdiObject* object = FromHandle(handle);
    if (T* typed = dynamic_cast<T*>(object))
        return typed;
    // The handle is wrapped as another kind (a generic wrapper, or a reused handle value):
    // hand out a wrapper of the asked kind that the thread frees with its temporaries.
    T* typed = new T;
    typed->m_hObject = handle;
    GdiMap().ReplaceTemporary(handle, typed);
    return typed;
}

void CGdiObject::DeleteTempMap()
{
    GdiMap().DeleteTemporaries();
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    return GdiMap().AttachOwned(this, m_hObject, handle, [this] { DeleteObject(); });
}

HGDIOBJ CGdiObject::Detach()
{
    return GdiMap().DetachOwned(this, m_hObject);
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? ::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    return Attach(::GetStockObject(index));
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}

CPen* CPen::FromHandle(HPEN handle)
{
    return TypedFromHandle<CPen>(handle);
}

BOOL CPen::CreatePen(int penStyle, int width, COLORREF color)
{
    return Attach(::CreatePen(penStyle, width, color));
}

BOOL CPen::CreatePen(int penStyle, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    return Attach(::ExtCreatePen(penStyle, width, brush, styleCount, styles));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    return Attach(::CreatePenIndirect(logPen));
}

int CPen::GetLogPen(LOGPEN* logPen) const
{
    return GetObject(sizeof(LOGPEN), logPen);
}
int CPen::GetExtLogPen(EXTLOGPEN* logPen) const
{
    return GetObject(sizeof(EXTLOGPEN), logPen);
}

CBrush::CBrush(CBitmap* bitmap)
{
    CreatePatternBrush(bitmap);
}
CBrush* CBrush::FromHandle(HBRUSH handle)
{
    return TypedFromHandle<CBrush>(handle);
}
BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    return Attach(::CreateSolidBrush(color));
}
BOOL CBrush::CreateHatchBrush(int index, COLORREF color)
{
    return Attach(::CreateHatchBrush(index, color));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    return Attach(::CreateBrushIndirect(logBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    return bitmap ? Attach(::CreatePatternBrush(*bitmap)) : FALSE;
}

BOOL CBrush::CreateDIBPatternBrush(const void* packedDib, UINT usage)
{
    return Attach(::CreateDIBPatternBrushPt(packedDib, usage));
}

// System colour brushes are shared and never freed; the wrapper only borrows one.
BOOL CBrush::CreateSysColorBrush(int index)
{
    return Attach(::GetSysColorBrush(index));
}
int CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    return GetObject(sizeof(LOGBRUSH), logBrush);
}

CFont* CFont::FromHandle(HFONT handle)
{
    return TypedFromHandle<CFont>(handle);
}
BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    return Attach(::CreateFontIndirectW(logFont));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, LPCTSTR faceName)
{
    return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                                outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc)
{
    LOGFONT logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = pointSize;
    if (faceName)
        lstrcpynW(logFont.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc)
{
    HDC hdc = dc && dc->m_hAttribDC ? dc->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point -> device pixels -> logical units; negative: a character height.
    POINT points[2] = {{0, 0}, {0, ::MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), logFont->lfHeight, 720)}};
    ::DPtoLP(hdc, points, 2);
    if (!dc || !dc->m_hAttribDC)
        ::ReleaseDC(nullptr, hdc);
    LOGFONT scaled = *logFont;
    scaled.lfHeight = -std::abs(points[1].y - points[0].y);
    return CreateFontIndirect(&scaled);
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    return GetObject(sizeof(LOGFONT), logFont);
}

CBitmap* CBitmap::FromHandle(HBITMAP handle)
{
    return TypedFromHandle<CBitmap>(handle);
}

BOOL CBitmap::LoadBitmap(LPCTSTR resourceName)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), resourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT bitmapId)
{
    return Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCE(bitmapId)));
}

BOOL CBitmap::LoadMappedBitmap(UINT resourceId, UINT flags, LPCOLORMAP colorMap, int mapSize)
{
    return Attach(::CreateMappedBitmap(AfxGetResourceHandle(), resourceId, flags, colorMap, mapSize));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap)
{
    return Attach(::CreateBitmapIndirect(bitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return dc ? Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height)) : FALSE;
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* dc, int width, int height)
{
    return CreateCompatibleBitmap(dc, width, height);
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    return GetObject(sizeof(BITMAP), bitmap);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size{};
    ::GetBitmapDimensionEx(*this, &size);
    return size;
}

CSize CBitmap::SetBitmapDimension(int width, int height)
{
    SIZE old{};
    ::SetBitmapDimensionEx(*this, width, height, &old);
    return old;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    return ::SetBitmapBits(*this, count, bits);
}
DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    return ::GetBitmapBits(*this, count, bits);
}

CRgn* CRgn::FromHandle(HRGN handle)
{
    return TypedFromHandle<CRgn>(handle);
}
BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    return Attach(::CreateRectRgnIndirect(rect));
}
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect)
{
    return Attach(::CreateEllipticRgnIndirect(rect));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int polyFillMode)
{
    return Attach(::CreatePolygonRgn(points, count, polyFillMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int polyFillMode)
{
    return Attach(::CreatePolyPolygonRgn(points, counts, polygons, polyFillMode));
}

BOOL CRgn::CreateFromPath(CDC* dc)
{
    return dc ? Attach(::PathToRegion(dc->m_hDC)) : FALSE;
}

BOOL CRgn::CreateFromData(const XFORM* xform, int count, const RGNDATA* data)
{
    return Attach(::ExtCreateRegion(xform, count, data));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(*this, x1, y1, x2, y2);
}
void CRgn::SetRectRgn(LPCRECT rect)
{
    SetRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CRgn::CombineRgn(const CRgn* src1, const CRgn* src2, int combineMode)
{
    return ::CombineRgn(*this, src1 ? static_cast<HRGN>(*src1) : nullptr, src2 ? static_cast<HRGN>(*src2) : nullptr,
                        combineMode);
}

int CRgn::CopyRgn(const CRgn* src)
{
    return CombineRgn(src, nullptr, RGN_COPY);
}
BOOL CRgn::EqualRgn(const CRgn* other) const
{
    return other && ::EqualRgn(*this, *other);
}
int CRgn::OffsetRgn(int dx, int dy)
{
    return ::OffsetRgn(*this, dx, dy);
}
int CRgn::GetRgnBox(LPRECT rect) const
{
    return ::GetRgnBox(*this, rect);
}
BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(*this, x, y);
}
BOOL CRgn::RectInRegion(LPCRECT rect) const
{
    return ::RectInRegion(*this, rect);
}

int CRgn::GetRegionData(LPRGNDATA data, int count) const
{
    return static_cast<int>(::GetRegionData(*this, count, data));
}

CPalette* CPalette::FromHandle(HPALETTE handle)
{
    return TypedFromHandle<CPalette>(handle);
}
BOOL CPalette::CreatePalette(const LOGPALETTE* logPalette)
{
    return Attach(::CreatePalette(logPalette));
}
BOOL CPalette::CreateHalftonePalette(CDC* dc)
{
    return dc ? Attach(::CreateHalftonePalette(dc->m_hDC)) : FALSE;
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    GetObject(sizeof(count), &count);
    return count;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const
{
    return ::GetPaletteEntries(*this, start, count, entries);
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries)
{
    return ::SetPaletteEntries(*this, start, count, entries);
}

void CPalette::AnimatePalette(UINT start, UINT count, LPPALETTEENTRY entries)
{
    ::AnimatePalette(*this, start, count, entries);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const
{
    return ::GetNearestPaletteIndex(*this, color);
}
BOOL CPalette::ResizePalette(UINT count)
{
    return ::ResizePalette(*this, count);
}
