// The scoped DC objects of DrawHelpers.h.
#include "toolkit/foundation/DrawHelpers.h"

#include <algorithm>

namespace {

// A buffer drawn with the target's layout: in a right-to-left window the buffer mirrors as
// the window does (text still reads left to right), and the copy back between two mirrored
// DCs mirrors nothing. A left-to-right buffer would be mirrored as a whole on the way back,
// glyphs included. A mirrored buffer starts as a copy of what the target shows there: some
// systems (this Wine among them) fill mirrored rectangles one pixel short of their far edge,
// which would otherwise copy the blank bitmap's black back.
void TakeLayout(HDC hBuffer, HDC hDestDC, const CRect& rcCopy)
{
    const DWORD dwLayout = GetDCLayout(hDestDC);
    if (dwLayout == 0)
        return;
    SetDCLayout(hBuffer, dwLayout);
    ::BitBlt(hBuffer, rcCopy.left, rcCopy.top, rcCopy.Width(), rcCopy.Height(), hDestDC, rcCopy.left, rcCopy.top,
             SRCCOPY);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CQorBufferDC

CQorBufferDC::CQorBufferDC(CPaintDC& paintDC)
{
    Create(paintDC.GetSafeHdc(), CRect(paintDC.m_ps.rcPaint), TRUE);
}

CQorBufferDC::CQorBufferDC(HDC hDestDC, const CRect& rcPaint)
{
    Create(hDestDC, rcPaint, FALSE);
}

// The bitmap spans from the origin to the rectangle's far corner so that callers draw in
// window coordinates.
void CQorBufferDC::Create(HDC hDestDC, const CRect& rcPaint, BOOL bClip)
{
    m_hDestDC = hDestDC;
    m_rect = rcPaint;
    if (!Attach(::CreateCompatibleDC(hDestDC)))
        return;
    int cx = std::max(static_cast<int>(rcPaint.right), 1);
    int cy = std::max(static_cast<int>(rcPaint.bottom), 1);
    if (!m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, cx, cy))) {
        DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap);
    TakeLayout(m_hDC, hDestDC, rcPaint);
    if (bClip)
        ::IntersectClipRect(m_hDC, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom);
}

CSize CQorBufferDC::GetBufferSize() const
{
    BITMAP bm = {};
    if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

CQorBufferDC::~CQorBufferDC()
{
    if (m_hDC && m_hDestDC)
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
}

// ---------------------------------------------------------------------------------------------
// CQorBufferDCEx

CQorBufferDCEx::CQorBufferDCEx(HDC hDestDC, const CRect& rect) : m_hDestDC(hDestDC), m_rect(rect)
{
    if (!Attach(::CreateCompatibleDC(hDestDC)))
        return;
    if (!m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, std::max(rect.Width(), 1), std::max(rect.Height(), 1)))) {
        DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap);
    ::SetViewportOrgEx(m_hDC, -rect.left, -rect.top, nullptr);
    TakeLayout(m_hDC, hDestDC, rect);
}

CQorBufferDCEx::~CQorBufferDCEx()
{
    if (m_hDC && m_hOldBitmap) {
        ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, 0, 0, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
}

// ---------------------------------------------------------------------------------------------
// CQorFontDC

CQorFontDC::CQorFontDC(CDC* pDC, CFont* pFont) : m_pDC(pDC)
{
    SetFont(pFont);
}

CQorFontDC::CQorFontDC(CDC* pDC, CFont* pFont, COLORREF clrText) : m_pDC(pDC)
{
    SetFont(pFont);
    SetColor(clrText);
}

CQorFontDC::~CQorFontDC()
{
    ReleaseFont();
    if (m_pDC && m_clrOldText != static_cast<COLORREF>(-1))
        ::SetTextColor(m_pDC->GetSafeHdc(), m_clrOldText);
}

void CQorFontDC::SetFont(CFont* pFont)
{
    if (!m_pDC || !m_pDC->GetSafeHdc() || !pFont || !pFont->GetSafeHandle())
        return;
    // Selecting a font costs a look-up in the font cache even when it is the DC's font already
    // (measuring selects the same font for every control of a bar).
    if (::GetCurrentObject(m_pDC->GetSafeHdc(), OBJ_FONT) == pFont->GetSafeHandle())
        return;
    HGDIOBJ hOld = ::SelectObject(m_pDC->GetSafeHdc(), pFont->GetSafeHandle());
    if (!m_hOldFont)
        m_hOldFont = hOld;
}

void CQorFontDC::SetColor(COLORREF clrText)
{
    if (!m_pDC || !m_pDC->GetSafeHdc())
        return;
    COLORREF clrOld = ::SetTextColor(m_pDC->GetSafeHdc(), clrText);
    if (m_clrOldText == static_cast<COLORREF>(-1))
        m_clrOldText = clrOld;
}

void CQorFontDC::ReleaseFont()
{
    if (m_pDC && m_hOldFont)
        ::SelectObject(m_pDC->GetSafeHdc(), m_hOldFont);
    m_hOldFont = nullptr;
}

// ---------------------------------------------------------------------------------------------
// CQorPenDC, CQorBrushDC

CQorPenDC::CQorPenDC(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
    if (m_hDC && m_pen.CreatePen(PS_SOLID, 1, clr))
        m_hOldPen = ::SelectObject(m_hDC, m_pen);
}

CQorPenDC::~CQorPenDC()
{
    if (m_hOldPen)
        ::SelectObject(m_hDC, m_hOldPen);
}

CQorBrushDC::CQorBrushDC(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
    if (m_hDC && m_brush.CreateSolidBrush(clr))
        m_hOldBrush = ::SelectObject(m_hDC, m_brush);
}

CQorBrushDC::~CQorBrushDC()
{
    if (m_hOldBrush)
        ::SelectObject(m_hDC, m_hOldBrush);
}

// ---------------------------------------------------------------------------------------------
// CQorCompatibleDC

CQorCompatibleDC::CQorCompatibleDC(CDC* pDC, CGdiObject* pObject)
    : CQorCompatibleDC(pDC, pObject ? pObject->GetSafeHandle() : nullptr)
{}

CQorCompatibleDC::CQorCompatibleDC(CDC* pDC, HGDIOBJ hObject)
{
    if (CreateCompatibleDC(pDC) && hObject)
        m_hOldObject = ::SelectObject(m_hDC, hObject);
}

CQorCompatibleDC::~CQorCompatibleDC()
{
    if (m_hDC && m_hOldObject)
        ::SelectObject(m_hDC, m_hOldObject);
    DeleteDC();
}
