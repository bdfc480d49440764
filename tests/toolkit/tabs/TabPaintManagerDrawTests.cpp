// Drawing a row into a bitmap and reading its pixels: property-page tabs on all four sides
// (cut corners, their lines, the selected tab drawn last and bridging into the client),
// slanted 2003 tabs (polygon fill and outline) and flat tabs sharing their border.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/Gdi.h"
#include "tests/toolkit/tabs/TabTestRow.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"

using tabstest::CPaintedRow;

namespace {

const COLORREF kHeader = RGB(0, 0, 200);
const COLORREF kFace = RGB(200, 200, 0);
const COLORREF kL = RGB(255, 0, 0);
const COLORREF kS = RGB(0, 128, 0);
const COLORREF kD = RGB(60, 0, 60);
const COLORREF kOutline = RGB(255, 0, 255);

// A 32-bit bitmap the row is drawn into.
class CCanvas
{
public:
    CCanvas(int cx, int cy)
    {
        m_hBitmap = CreateDIB32(nullptr, cx, -cy, nullptr);
        m_hDC = CreateCompatibleDC(nullptr);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        m_dc.Attach(m_hDC);
        m_dc.FillSolidRect(0, 0, cx, cy, RGB(1, 2, 3));
    }
    ~CCanvas()
    {
        m_dc.Detach();
        SelectObject(m_hDC, m_hOld);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_hDC, x, y); }

private:
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOld;
    CDC m_dc;
};

// Distinct colours for every role the outlines use.
void PaintWithMarkers(CQorTabPaintManager& painter)
{
    CQorTabPaintManager::CColorSet* p = painter.GetColorSet();
    p->m_clrHeaderFace.m_clrLight.SetCustomValue(kHeader);
    p->m_clrHeaderFace.m_clrDark.SetCustomValue(kHeader);
    p->m_clrNormalFace.SetCustomValue(kFace);
    p->m_clrSelectedFace.SetCustomValue(kFace);
    p->m_clrBtnHighlight.SetCustomValue(kL);
    p->m_clrBtnShadow.SetCustomValue(kS);
    p->m_clrDarkShadow.SetCustomValue(kD);
    p->m_clrTabOutline.SetCustomValue(kOutline);
    p->m_clrSelectedOutline.SetCustomValue(kOutline);
    p->m_clrSeparator.SetCustomValue(kL);
}

struct DrawnRow : ::testing::Test
{
    CQorTabPaintManager painter;
    CPaintedRow row{&painter};
    CCanvas canvas{300, 200};

    void Lay(QorTabPosition position, int nSelected)
    {
        painter.m_position = position;
        row.m_rcLayout = CRect(0, 0, 300, 200);
        if (row.GetItemCount() == 0)
            row.AddCaptions({L"One", L"Two", L"Three"});
        row.SetSelectedItem(row.GetItem(nSelected));
        row.Reposition();
    }
    void Draw()
    {
        PaintWithMarkers(painter);
        painter.DrawTabControl(canvas.DC(), &row, row.m_rcLayout);
    }
    CRect Tab(int i) const { return row.GetItem(i)->GetRect(); }
};

} // namespace

TEST_F(DrawnRow, PropertyPageTabsOnEverySide)
{
    // Per side: the two outer corners of a tab (cut: header face), and the pixel on the client
    // frame's edge below a tab, where the selected tab bridges into the client.
    struct
    {
        const char* name;
        QorTabPosition position;
        CPoint (*corner1)(const CRect&);
        CPoint (*corner2)(const CRect&);
        CPoint (*bridge)(const CRect&);
        COLORREF clrClientEdge;
    } cases[] = {
        {"top", qorTabPositionTop, [](const CRect& r) { return CPoint(r.left, r.top); },
         [](const CRect& r) { return CPoint(r.right - 1, r.top); },
         [](const CRect& r) { return CPoint(r.CenterPoint().x, r.bottom - 1); }, kL},
        {"left", qorTabPositionLeft, [](const CRect& r) { return CPoint(r.left, r.top); },
         [](const CRect& r) { return CPoint(r.left, r.bottom - 1); },
         [](const CRect& r) { return CPoint(r.right - 1, r.CenterPoint().y); }, kL},
        {"bottom", qorTabPositionBottom, [](const CRect& r) { return CPoint(r.left, r.bottom - 1); },
         [](const CRect& r) { return CPoint(r.right - 1, r.bottom - 1); },
         [](const CRect& r) { return CPoint(r.CenterPoint().x, r.top); }, kD},
        {"right", qorTabPositionRight, [](const CRect& r) { return CPoint(r.right - 1, r.top); },
         [](const CRect& r) { return CPoint(r.right - 1, r.bottom - 1); },
         [](const CRect& r) { return CPoint(r.left, r.CenterPoint().y); }, kD},
    };
    for (const auto& c : cases) {
        Lay(c.position, 1);
        Draw();
        const CPoint a = c.corner1(Tab(0)), b = c.corner2(Tab(2));
        EXPECT_EQ(kHeader, canvas.At(a.x, a.y)) << c.name << ": cut corner";
        EXPECT_EQ(kHeader, canvas.At(b.x, b.y)) << c.name << ": cut corner";
        const CPoint ptUnder = c.bridge(Tab(0)), ptSelected = c.bridge(Tab(1));
        EXPECT_EQ(c.clrClientEdge, canvas.At(ptUnder.x, ptUnder.y)) << c.name << ": client frame below a tab";
        EXPECT_EQ(kFace, canvas.At(ptSelected.x, ptSelected.y)) << c.name << ": the selected tab bridges";
    }

    // The top row's lines, and the selected tab (grown by 2) lying over its neighbours.
    Lay(qorTabPositionTop, 1);
    Draw();
    const CRect r0 = Tab(0), r2 = Tab(2), r1 = Tab(1);
    EXPECT_EQ(kL, canvas.At(r0.left, r0.top + 5)) << "L on the outer left edge";
    EXPECT_EQ(kL, canvas.At(r0.left + 1, r0.top + 1)) << "L at the cut";
    EXPECT_EQ(kL, canvas.At(r0.left + 5, r0.top)) << "L along the top";
    EXPECT_EQ(kD, canvas.At(r2.right - 1, r2.top + 5)) << "D on the far edge";
    EXPECT_EQ(kS, canvas.At(r2.right - 2, r2.top + 5)) << "S inside it";
    EXPECT_EQ(kD, canvas.At(r2.right - 2, r2.top + 1)) << "D at the cut";
    EXPECT_EQ(kL, canvas.At(r1.left - 2, r1.top + 5)) << "the selected tab's edge over tab 0's";
    EXPECT_EQ(kL, canvas.At(r1.left, r1.top - 2)) << "grown by 2 towards the outside";
}

TEST_F(DrawnRow, PropertyPage2003FillsItsPolygonAndDrawsItsOutline)
{
    painter.SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage2003());
    static_cast<CQorTabPaintManager::CColorSetOffice2003*>(painter.GetColorSet())->m_clrFaceDark.SetCustomValue(kFace);
    Lay(qorTabPositionTop, 2);
    Draw();
    const CRect r = Tab(0);
    const int H = static_cast<int>(r.Height());
    ASSERT_GE(r.left - (H - 8), 0) << "the slant has room before the first tab";
    EXPECT_EQ(kFace, canvas.At(r.CenterPoint().x, r.CenterPoint().y - 3)) << "inside the polygon";
    EXPECT_EQ(kFace, canvas.At(r.left + 1, r.bottom - 3)) << "the slanted start widens the tab";
    EXPECT_EQ(kHeader, canvas.At(r.left + 8 - H - 3, r.bottom - 4)) << "outside the slant";
    EXPECT_EQ(kOutline, canvas.At(r.right, r.top + 5)) << "the outline's far edge";
    EXPECT_EQ(kOutline, canvas.At(r.left + 10, r.top)) << "the outline's top";
    const CRect rSelected = Tab(2);
    EXPECT_EQ(kFace, canvas.At(rSelected.CenterPoint().x, rSelected.bottom - 1)) << "the bridging line";
}

TEST_F(DrawnRow, FlatTabsShareTheirBorderLine)
{
    painter.SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetFlat());
    Lay(qorTabPositionTop, 2);
    Draw();
    const CRect r0 = Tab(0);
    const int y = r0.CenterPoint().y;
    int nLines = 0;
    for (int x = r0.right - 3; x <= r0.right + 3; ++x)
        nLines += canvas.At(x, y) == kL ? 1 : 0;
    EXPECT_EQ(1, nLines) << "one line between two tabs";
    EXPECT_EQ(kL, canvas.At(r0.right, y));
    EXPECT_EQ(kL, canvas.At(r0.left, y));
    EXPECT_EQ(kFace, canvas.At(r0.left + 1, y));
}
