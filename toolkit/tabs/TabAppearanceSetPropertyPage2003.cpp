// Slanted tabs: the slanted end lies at the start of the row and widens the tab towards the
// client; the face is filled through a polygon clip, then outline and inner edges are drawn as
// point lists and the selected tab gets a line that merges it into the client.
#include <vector>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"

namespace {

struct CSlantShape
{
    POINT fill[4];
    std::vector<POINT> outline, innerEdge, innerTopEdge;
    RECT bridge; // x, y, w, h
};

CSlantShape MakeShape(QorTabPosition position, const CRect& rc)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom, W = rc.Width(), H = rc.Height();
    switch (position) {
    case qorTabPositionLeft:
        return {
            {{r - 1, b - 1}, {l + 2, b - 1}, {l + 2, t + 4}, {r - 1, t + 7 - W}},
            {{r - 2, b}, {l + 2, b}, {l, b - 2}, {l, t + 7}, {l + 2, t + 2}, {r - 2, t + 6 - W}, {r - 2, t + 4 - W}},
            {{r - 2, b - 1}, {l + 2, b - 1}, {l, b - 3}},
            {{l + 1, b - 3}, {l + 1, t + 6}, {l + 4, t + 1}, {r - 1, t + 6 - W}},
            {r - 1, t + 5 - W, 1, W + H - 4}};
    case qorTabPositionBottom:
        return {
            {{r - 1, t}, {r - 1, b - 1}, {l + 4, b - 1}, {l + 7 - H, t + 1}},
            {{r, t + 1}, {r, b - 2}, {r - 2, b}, {l + 7, b}, {l + 2, b - 2}, {l + 5 - H, t + 1}, {l + 3 - H, t + 1}},
            {{r - 1, t + 1}, {r - 1, b - 2}, {r - 3, b}},
            {{r - 3, b - 1}, {l + 6, b - 1}, {l + 1, b - 4}, {l + 5 - H, t}},
            {l + 4 - H, t, W + H - 3, 1}};
    case qorTabPositionRight:
        return {
            {{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 4}, {l + 1, t + 6 - W}},
            {{l + 1, b}, {r - 2, b}, {r, b - 2}, {r, t + 7}, {r - 2, t + 2}, {l + 1, t + 5 - W}, {l + 1, t + 3 - W}},
            {{l + 1, b - 1}, {r - 2, b - 1}, {r, b - 3}},
            {{r - 1, b - 3}, {r - 1, t + 6}, {r - 4, t + 1}, {l, t + 5 - W}},
            {l, t + 4 - W, 1, W + H - 3}};
    case qorTabPositionTop:
    default:
        return {
            {{r - 1, b - 1}, {r - 1, t + 2}, {l + 4, t + 2}, {l + 8 - H, b - 2}},
            {{r, b - 2}, {r, t + 2}, {r - 2, t}, {l + 7, t}, {l + 2, t + 2}, {l + 6 - H, b - 2}, {l + 4 - H, b - 2}},
            {{r - 1, b - 2}, {r - 1, t + 2}, {r - 3, t}},
            {{r - 3, t + 1}, {l + 6, t + 1}, {l + 1, t + 4}, {l + 6 - H, b - 1}},
            {l + 5 - H, b - 1, W + H - 4, 1}};
    }
}

void PolyLine(CDC* pDC, const std::vector<POINT>& points, COLORREF clr)
{
    if (clr == QOR_COLOR_UNSET || points.empty())
        return;
    CQorPenDC pen(pDC->GetSafeHdc(), clr);
    pDC->MoveTo(points[0]);
    for (size_t i = 1; i < points.size(); ++i)
        pDC->LineTo(points[i]);
}

} // namespace

CRect CQorTabPaintManager::CAppearanceSetPropertyPage2003::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += GetRowHeight(nullptr);
    return rc;
}

CRect CQorTabPaintManager::CAppearanceSetPropertyPage2003::GetTabInvalidateRect(CQorTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    CQorTabManager* pRow = pItem->GetTabManager();
    if (!pRow || pRow->IsHorizontal()) {
        rc.left -= rc.Height();
        rc.right += 2;
    } else {
        rc.top -= rc.Width();
        rc.bottom += 2;
    }
    return rc;
}

CRect CQorTabPaintManager::CAppearanceSetPropertyPage2003::DrawClientFrame(CDC* pDC, CRect rcControl,
                                                                           CQorTabManager* pRow)
{
    return DrawOutlinedClient(pDC, rcControl, pRow, GetColorSet()->m_clrSelectedOutline.GetColor(), FALSE);
}

void CQorTabPaintManager::CAppearanceSetPropertyPage2003::DrawTab(CDC* pDC, CQorTabManagerItem* pItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    CColorSet* pColors = GetColorSet();
    const CRect rc = pItem->GetRect();
    COLORREF clrOutline = pColors->m_clrTabOutline.GetColor();
    COLORREF clrInner = pColors->m_clrTabInnerEdge.GetColor();
    COLORREF clrInnerTop = pColors->m_clrTabInnerTopEdge.GetColor();
    if (pItem->IsSelected()) {
        clrOutline = pColors->m_clrSelectedOutline.GetColor();
        clrInner = clrInnerTop = RGB(255, 255, 255);
    }
    if (pItem->IsHot() && m_bHotOutline)
        clrOutline = clrInner = clrInnerTop = pColors->m_clrSelectedBorder.m_clrDark.GetColor();
    const CSlantShape shape = MakeShape(pRow->GetPosition(), rc);

    // The face: filled into a bitmap of the polygon's box, put on the DC through the polygon.
    COLORREF clrFill = pColors->GetTabColor(pItem);
    {
        CRgn rgn;
        rgn.CreatePolygonRgn(shape.fill, 4, ALTERNATE);
        CRect rcBox;
        rgn.GetRgnBox(rcBox);
        const int nSaved = pDC->SaveDC();
        ::ExtSelectClipRgn(pDC->GetSafeHdc(), static_cast<HRGN>(rgn), RGN_AND);
        if (!rcBox.IsRectEmpty()) {
            CBitmap bitmap;
            bitmap.CreateCompatibleBitmap(pDC, rcBox.Width(), rcBox.Height());
            CQorCompatibleDC dcFace(pDC, &bitmap);
            // The face's own coordinates: gradients run as on the tab.
            ::SetViewportOrgEx(dcFace.GetSafeHdc(), -rcBox.left, -rcBox.top, nullptr);
            clrFill = pColors->FillTab(&dcFace, rcBox, pItem);
            ::SetViewportOrgEx(dcFace.GetSafeHdc(), 0, 0, nullptr);
            pDC->BitBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), &dcFace, 0, 0, SRCCOPY);
        }
        pDC->RestoreDC(nSaved);
    }
    PolyLine(pDC, shape.outline, clrOutline);
    PolyLine(pDC, shape.innerEdge, clrInner);
    PolyLine(pDC, shape.innerTopEdge, clrInnerTop);
    if (pItem->IsSelected())
        pDC->FillSolidRect(shape.bridge.left, shape.bridge.top, shape.bridge.right, shape.bridge.bottom, clrFill);
    m_pPaintManager->DrawSingleTab(pDC, pItem, rc, TRUE);
}
