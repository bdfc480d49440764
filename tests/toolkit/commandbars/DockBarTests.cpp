// Dock bars: the row layout on fixed-size stand-ins (pushing, its exception, squeezing, wrapping
// the rightmost bar, stretched and gap-filling bars, the vertical mirror, bars at the same place),
// the rows as bars are dropped and removed, a top dock bar of a frame holding real bars as the
// frame narrows, and a command-bars frame with three bars at the top and one at the left.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"
#include "tests/common/WineTestSupport.h"
#include "toolkit/commandbars/BarLayoutPass.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/DockBarLayout.h"
#include "toolkit/commandbars/FrameWndBase.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

// ---- Row layout with stand-ins -----------------------------------------------------------------

// A bar of a fixed length and thickness at a stored place along the row. It gives up length only
// when asked to hide what does not fit (down to its minimum), and takes the whole length when
// stretched.
class CFixedRowBar : public CQorDockRowBar
{
public:
    CFixedRowBar(int nPos, int nLength, DWORD dwFlags = 0, int nMinLength = 0, int nThickness = 22)
        : m_nPos(nPos), m_nLength(nLength), m_nMinLength(nMinLength), m_nThickness(nThickness), m_dwFlags(dwFlags)
    {}
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int) override
    {
        int nAlong = m_nLength;
        if (dwMode & LM_HIDEWRAP)
            nAlong = std::max(m_nMinLength, std::min(m_nLength, nLength));
        if (dwMode & LM_STRETCH)
            nAlong = std::max(nAlong, nLength);
        if (dwMode & LM_COMMIT) {
            dwCommitMode = dwMode;
            nCommitLength = nLength;
        }
        return (dwMode & LM_HORZ) ? CSize(nAlong, m_nThickness) : CSize(m_nThickness, nAlong);
    }
    DWORD GetRowFlags() const override { return m_dwFlags; }
    // The same place along either side.
    CPoint GetDockedPosition() const override { return CPoint(m_nPos, m_nPos); }

    DWORD dwCommitMode = 0;
    int nCommitLength = -1;

private:
    int m_nPos, m_nLength, m_nMinLength, m_nThickness;
    DWORD m_dwFlags;
};

struct BarSpec
{
    int nPos;
    int nLength;
    DWORD dwFlags;
    int nMinLength;
};

// Lays a row of stand-ins out (committed) and answers each bar's placed rectangle, in row order.
struct RowRun
{
    std::vector<std::unique_ptr<CFixedRowBar>> bars;
    std::vector<CRect> rects;
    int nThickness = 0;

    RowRun(const std::vector<BarSpec>& specs, int nLength, BOOL bHorz = TRUE, BOOL bWrap = TRUE)
    {
        std::vector<CQorDockRowBar*> row;
        for (const BarSpec& entry : specs) {
            bars.push_back(std::make_unique<CFixedRowBar>(entry.nPos, entry.nLength, entry.dwFlags, entry.nMinLength));
            row.push_back(bars.back().get());
        }
        CQorDockRowLayout layout(bHorz, TRUE);
        std::vector<CQorDockRowLayout::PLACEMENT> placements;
        if (bWrap) {
            nThickness = layout.LayoutWrappedRow(row, nLength, 0, &placements);
        } else {
            int nOverflow = -1;
            nThickness = layout.LayoutRow(row, nLength, 0, nOverflow, &placements);
        }
        rects.resize(specs.size());
        for (const auto& placement : placements)
            for (size_t i = 0; i < bars.size(); i++)
                if (placement.pBar == bars[i].get())
                    rects[i] = placement.rc;
    }
    std::vector<int> Lefts() const
    {
        std::vector<int> lefts;
        for (const CRect& rc : rects)
            lefts.push_back(rc.left);
        return lefts;
    }
};

TEST(DockRowLayout, OverlappingBarsArePushedApartUnlessTheEarlierBarHoldsItsPlace)
{
    struct Case
    {
        const char* name;
        std::vector<BarSpec> bars; // in row order
        int nLength;
        std::vector<int> lefts;
    } cases[] = {
        // The later bar overlaps the earlier one: it moves right.
        {"later pushed right", {{0, 100, 0, 0}, {50, 100, 0, 0}}, 400, {0, 100}},
        // The later bar lies left of the earlier one and overlaps it: the earlier one keeps its
        // place and the later one gives way to the left.
        {"earlier holds its place", {{100, 100, 0, 0}, {40, 100, 0, 0}}, 400, {100, 0}},
        // Past the end: pushed back in from the right.
        {"pushed back from the end", {{0, 100, 0, 0}, {250, 100, 0, 0}}, 300, {0, 200}},
        // Apart already: nothing moves.
        {"apart", {{10, 50, 0, 0}, {100, 50, 0, 0}}, 300, {10, 100}},
    };
    for (const Case& c : cases) {
        RowRun run(c.bars, c.nLength);
        EXPECT_EQ(run.Lefts(), c.lefts) << c.name;
        EXPECT_EQ(run.nThickness, 22) << c.name;
    }
}

TEST(DockRowLayout, OneOverlongBarIsSqueezedIntoItsRowAndNeverWrapped)
{
    for (DWORD dwFlags : {DWORD(0), DWORD(qorDockRowShrink)}) {
        CFixedRowBar bar(50, 300, dwFlags, 80);
        std::vector<CQorDockRowBar*> row = {&bar};
        CQorDockRowLayout layout(TRUE, TRUE);
        std::vector<CQorDockRowLayout::PLACEMENT> placements;
        int nOverflow = 7;
        EXPECT_EQ(layout.LayoutRow(row, 200, 0, nOverflow, &placements), 22) << dwFlags;
        EXPECT_EQ(nOverflow, -1) << dwFlags;
        ASSERT_EQ(placements.size(), 1u);
        EXPECT_EQ(placements[0].rc.left, 0) << dwFlags;
        EXPECT_EQ(bar.nCommitLength, 200) << dwFlags;
    }
}

TEST(DockRowLayout, TheRightmostOfTwoOrMoreBarsOverflowsIntoTheNextRow)
{
    // Row order is not position: the rightmost bar goes, whatever its place in the row.
    {
        CFixedRowBar a(150, 150), b(0, 150);
        std::vector<CQorDockRowBar*> row = {&a, &b};
        CQorDockRowLayout layout(TRUE, TRUE);
        int nOverflow = -1;
        EXPECT_EQ(layout.LayoutRow(row, 200, 0, nOverflow), -1);
        EXPECT_EQ(nOverflow, 0);
    }
    // Wrapped: three rows for three bars that each need most of the row, none outside it.
    RowRun run({{0, 150, 0, 0}, {150, 150, 0, 0}, {300, 150, 0, 0}}, 200);
    EXPECT_EQ(run.nThickness, 66);
    std::vector<int> tops;
    for (const CRect& rc : run.rects) {
        tops.push_back(rc.top);
        EXPECT_GE(rc.left, 0);
        EXPECT_LE(rc.right, 200);
    }
    EXPECT_EQ(tops, (std::vector<int>{0, 22, 44}));
    // Bars that may shrink give up length instead, the last one first.
    RowRun squeezed({{0, 100, qorDockRowShrink, 40}, {100, 100, qorDockRowShrink, 40}}, 180);
    EXPECT_EQ(squeezed.nThickness, 22);
    EXPECT_EQ(squeezed.rects[0], CRect(0, 0, 100, 22));
    EXPECT_EQ(squeezed.rects[1], CRect(100, 0, 180, 22));
    EXPECT_TRUE(squeezed.bars[1]->dwCommitMode & LM_HIDEWRAP);
    // Below their minimums they wrap after all.
    RowRun wrapped({{0, 100, qorDockRowShrink, 70}, {100, 100, qorDockRowShrink, 70}}, 120);
    EXPECT_EQ(wrapped.nThickness, 44);
}

TEST(DockRowLayout, StretchedBarsTakeTheRowAndGapFillersTheirGap)
{
    RowRun stretched({{30, 100, qorDockRowStretched, 0}}, 400);
    EXPECT_EQ(stretched.rects[0].right, 400);
    EXPECT_TRUE(stretched.bars[0]->dwCommitMode & LM_STRETCH);

    // The filler reaches back to its left neighbour and on to its right one; the last filler of
    // a row reaches the row's end.
    RowRun fill({{0, 50, 0, 0}, {100, 50, qorDockRowFillGap, 0}, {300, 50, 0, 0}, {360, 20, qorDockRowFillGap, 0}},
                500);
    EXPECT_EQ(fill.rects[1], CRect(50, 0, 300, 22));
    EXPECT_TRUE(fill.bars[1]->dwCommitMode & LM_STRETCH);
    EXPECT_EQ(fill.rects[3], CRect(350, 0, 500, 22));
    EXPECT_EQ(fill.rects[0], CRect(0, 0, 50, 22));
    EXPECT_FALSE(fill.bars[0]->dwCommitMode & LM_STRETCH);
}

TEST(DockRowLayout, AVerticalRowMirrorsTheHorizontalOne)
{
    const std::vector<std::vector<BarSpec>> rows = {
        {{100, 100, 0, 0}, {40, 100, 0, 0}},
        {{0, 150, 0, 0}, {150, 150, 0, 0}, {300, 150, 0, 0}},
        {{0, 100, qorDockRowShrink, 40}, {100, 100, qorDockRowShrink, 40}},
        {{0, 50, 0, 0}, {100, 50, qorDockRowFillGap, 0}, {300, 50, 0, 0}},
    };
    for (size_t r = 0; r < rows.size(); r++) {
        RowRun horz(rows[r], 200, TRUE), vert(rows[r], 200, FALSE);
        EXPECT_EQ(horz.nThickness, vert.nThickness) << r;
        for (size_t i = 0; i < rows[r].size(); i++) {
            const CRect& rc = horz.rects[i];
            EXPECT_EQ(vert.rects[i], CRect(rc.top, rc.left, rc.bottom, rc.right)) << r << " " << i;
            EXPECT_TRUE(vert.bars[i]->dwCommitMode & LM_VERTDOCK) << r << " " << i;
        }
    }
}

TEST(DockRowLayout, BarsAtTheSamePlaceKeepTheirRowOrder)
{
    // Many bars at one place: an ordering that never answers "equal" would leave their order to
    // chance; they stand in row order.
    for (int nBars : {2, 3, 24}) {
        std::vector<BarSpec> specs;
        for (int i = 0; i < nBars; i++)
            specs.push_back({0, 10 + i, 0, 0});
        RowRun run(specs, 2000);
        int nExpected = 0;
        for (size_t i = 0; i < specs.size(); i++) {
            EXPECT_EQ(run.rects[i].left, nExpected) << nBars << " " << i;
            nExpected += specs[i].nLength;
        }
    }
}

// ---- Dock bars with real bars ------------------------------------------------------------------

// A button of a fixed size that counts how often it is measured.
class CFixedButton : public CQorControlButton
{
public:
    explicit CFixedButton(CSize size) : m_size(size) {}
    CSize GetSize(CDC*) override
    {
        nMeasured++;
        return m_size;
    }
    void Resize(CSize size) { m_size = size; }

    int nMeasured = 0;

private:
    CSize m_size;
};

TEST(BarLayoutPass, AControlIsMeasuredOncePerPassAndAgainInTheNextOrOnAnotherSide)
{
    auto* pBar = new CQorCommandBar;
    auto* pButton = new CFixedButton(CSize(40, 22));
    pBar->GetControls()->InsertControl(pButton, 1000);
    // No pass open: every time.
    CQorBarLayoutPass::MeasureControl(pButton, nullptr);
    CQorBarLayoutPass::MeasureControl(pButton, nullptr);
    EXPECT_EQ(pButton->nMeasured, 2);
    {
        CQorBarLayoutPass pass;
        EXPECT_EQ(CQorBarLayoutPass::MeasureControl(pButton, nullptr), CSize(40, 22));
        {
            CQorBarLayoutPass inner; // joins the open pass
            pButton->Resize(CSize(60, 22));
            EXPECT_EQ(CQorBarLayoutPass::MeasureControl(pButton, nullptr), CSize(40, 22));
        }
        EXPECT_EQ(pButton->nMeasured, 3);
        // A bar on another side measures turned: asked again.
        pBar->m_barPosition = qorBarLeft;
        CQorBarLayoutPass::MeasureControl(pButton, nullptr);
        EXPECT_EQ(pButton->nMeasured, 4);
        EXPECT_NE(pass.GetMeasureDC(nullptr), nullptr);
    }
    CQorBarLayoutPass next;
    EXPECT_EQ(CQorBarLayoutPass::MeasureControl(pButton, nullptr), CSize(60, 22));
    EXPECT_EQ(pButton->nMeasured, 5);
    pBar->InternalRelease();
}

TEST(BarLayoutPass, AControlMadeWhereADeadOneLayInTheSamePassIsMeasuredAfresh)
{
    // A list rebuilt while its bar lays out can put a new control at a freed address.
    alignas(CFixedButton) unsigned char storage[sizeof(CFixedButton)];
    CQorBarLayoutPass pass;
    auto* pOld = new (storage) CFixedButton(CSize(40, 22));
    EXPECT_EQ(CQorBarLayoutPass::MeasureControl(pOld, nullptr), CSize(40, 22));
    pOld->~CFixedButton();
    auto* pNew = new (storage) CFixedButton(CSize(90, 22));
    EXPECT_EQ(CQorBarLayoutPass::MeasureControl(pNew, nullptr), CSize(90, 22));
    EXPECT_EQ(pNew->nMeasured, 1);
    pNew->~CFixedButton();
}

struct DockBarFixture : testing::Test
{
    CFrameWnd* frame = nullptr;
    std::unique_ptr<CQorDockBar> dockBar;
    std::vector<CQorCommandBar*> bars;

    void SetUp() override
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, L"dock", WS_POPUP | WS_CAPTION, CRect(40, 40, 680, 400)));
        dockBar = std::make_unique<CQorDockBar>();
        ASSERT_TRUE(dockBar->Create(CQorDockBar::kStyleTop | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                    nullptr, frame, CQorDockBar::kIdTop));
    }
    void TearDown() override
    {
        dockBar.reset();
        for (CQorCommandBar* pBar : bars) {
            pBar->DestroyWindow();
            pBar->InternalRelease();
        }
        if (frame)
            frame->DestroyWindow();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // A visible bar of nButtons fixed 40 x 22 buttons, a child of the dock bar.
    CQorCommandBar* AddBar(int nButtons, DWORD dwFlags = 0)
    {
        auto* pBar = new CQorCommandBar;
        pBar->m_dwFlags = dwFlags;
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
        EXPECT_TRUE(
            pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, dockBar->GetSafeHwnd(), nullptr));
        for (int i = 0; i < nButtons; i++)
            pBar->GetControls()->InsertControl(new CFixedButton(CSize(40, 22)), 1000 + i);
        bars.push_back(pBar);
        return pBar;
    }
    // A screen rectangle of a bar's size with its centre at a client point of the dock bar.
    CRect DropRect(CQorCommandBar* pBar, CPoint ptCentre) const
    {
        CRect rc = BarRect(pBar);
        const int cx = std::max(rc.Width(), 20), cy = std::max(rc.Height(), 20);
        CRect rcDrop(ptCentre.x - cx / 2, ptCentre.y - cy / 2, 0, 0);
        rcDrop.right = rcDrop.left + cx;
        rcDrop.bottom = rcDrop.top + cy;
        // Whatever the rounding, the centre is the point.
        rcDrop.bottom = 2 * ptCentre.y - rcDrop.top;
        rcDrop.right = 2 * ptCentre.x - rcDrop.left;
        ::MapWindowPoints(dockBar->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&rcDrop), 2);
        return rcDrop;
    }
    // A bar's rectangle in the dock bar's client coordinates.
    CRect BarRect(CQorCommandBar* pBar) const
    {
        CRect rc;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, dockBar->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }
    std::vector<CQorCommandBar*> Entries() const { return dockBar->GetEntries(); }
    void ResizeFrameClient(int cx)
    {
        CRect rc;
        frame->GetWindowRect(&rc);
        CRect rcClient;
        frame->GetClientRect(&rcClient);
        frame->SetWindowPos(nullptr, 0, 0, cx + rc.Width() - rcClient.Width(), rc.Height(),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame->RecalcLayout();
    }
};

TEST_F(DockBarFixture, ADropOnTheEdgeBetweenTwoRowsOpensARowThere)
{
    CQorCommandBar* a = AddBar(2);
    CQorCommandBar* b = AddBar(2);
    CQorCommandBar* c = AddBar(1);
    CQorCommandBar* d = AddBar(1);
    CQorCommandBar* e = AddBar(1);
    dockBar->DockCommandBar(a);
    dockBar->DockCommandBar(b);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, a, nullptr, b, nullptr}));
    frame->RecalcLayout();
    const int nEdge = BarRect(a).bottom;
    ASSERT_GT(nEdge, 0);
    ASSERT_EQ(BarRect(b).top, nEdge);

    // On the edge: a row of its own between them.
    CRect rcDrop = DropRect(c, CPoint(300, nEdge));
    dockBar->DockCommandBar(c, &rcDrop);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, a, nullptr, c, nullptr, b, nullptr}));
    frame->RecalcLayout();
    // Inside the first row: at that row's start.
    rcDrop = DropRect(d, CPoint(300, nEdge / 2));
    dockBar->DockCommandBar(d, &rcDrop);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, d, a, nullptr, c, nullptr, b, nullptr}));
    // Above every row: a new first row.
    rcDrop = DropRect(e, CPoint(300, -30));
    dockBar->DockCommandBar(e, &rcDrop);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, e, nullptr, d, a, nullptr, c, nullptr, b, nullptr}));
    // Moved to the last row: it leaves its old place.
    frame->RecalcLayout();
    rcDrop = DropRect(d, CPoint(10, BarRect(b).CenterPoint().y));
    dockBar->DockCommandBar(d, &rcDrop);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, e, nullptr, a, nullptr, c, nullptr, d, b, nullptr}));
    EXPECT_EQ(d->GetPosition(), qorBarTop);
}

// A frame layout measures each control once, however often the row layout asks its bar; a
// control that changes between layouts is measured afresh.
TEST_F(DockBarFixture, ALayoutMeasuresEachControlOnceAndTheNextOneSeesChanges)
{
    CQorCommandBar* a = AddBar(3);
    CQorCommandBar* b = AddBar(2);
    dockBar->DockCommandBar(a);
    dockBar->DockCommandBar(b);
    frame->RecalcLayout();
    auto button = [](CQorCommandBar* pBar, int i) { return static_cast<CFixedButton*>(pBar->GetControl(i)); };
    for (CQorCommandBar* pBar : {a, b})
        for (int i = 0; i < pBar->GetControlCount(); i++)
            button(pBar, i)->nMeasured = 0;
    frame->RecalcLayout();
    for (CQorCommandBar* pBar : {a, b})
        for (int i = 0; i < pBar->GetControlCount(); i++)
            EXPECT_EQ(button(pBar, i)->nMeasured, 1) << i;

    const int nWidth = BarRect(a).Width();
    button(a, 1)->Resize(CSize(90, 22));
    frame->RecalcLayout();
    EXPECT_EQ(BarRect(a).Width(), nWidth + 50);
}

TEST_F(DockBarFixture, RemovingTheOnlyBarOfARowRemovesTheRow)
{
    CQorCommandBar* a = AddBar(1);
    CQorCommandBar* b = AddBar(1);
    CQorCommandBar* c = AddBar(1);
    dockBar->DockCommandBar(a);
    dockBar->DockCommandBar(b);
    dockBar->DockCommandBar(c);
    frame->RecalcLayout();
    CRect rcDrop = DropRect(c, BarRect(b).CenterPoint());
    dockBar->DockCommandBar(c, &rcDrop);
    ASSERT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, a, nullptr, c, b, nullptr}));

    EXPECT_TRUE(dockBar->RemoveCommandBar(a));
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, c, b, nullptr}));
    EXPECT_FALSE(dockBar->RemoveCommandBar(a));
    EXPECT_TRUE(dockBar->RemoveCommandBar(b));
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, c, nullptr}));
    EXPECT_TRUE(dockBar->RemoveCommandBar(c));
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr}));
}

TEST_F(DockBarFixture, ABarDockedOnAnotherSideLeavesItsOldDockBar)
{
    CQorDockBar bottom;
    ASSERT_TRUE(
        bottom.Create(CQorDockBar::kStyleBottom | WS_CHILD | WS_VISIBLE, nullptr, frame, CQorDockBar::kIdBottom));
    EXPECT_EQ(bottom.GetSide(), qorBarBottom);
    EXPECT_TRUE(bottom.IsHorizontal());
    CQorCommandBar* a = AddBar(2);
    CQorCommandBar* b = AddBar(2);
    dockBar->DockCommandBar(a);
    dockBar->DockCommandBar(b);
    bottom.DockCommandBar(a);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, b, nullptr}));
    EXPECT_EQ(bottom.GetEntries(), (std::vector<CQorCommandBar*>{nullptr, a, nullptr}));
    EXPECT_EQ(::GetParent(a->GetSafeHwnd()), bottom.GetSafeHwnd());
    EXPECT_EQ(a->GetPosition(), qorBarBottom);
    // The frame's layout: the bottom strip sits at the bottom of the client area, as deep as a.
    frame->RecalcLayout();
    CRect rcClient, rcBottom;
    frame->GetClientRect(&rcClient);
    bottom.GetWindowRect(&rcBottom);
    frame->ScreenToClient(&rcBottom);
    EXPECT_EQ(rcBottom.bottom, rcClient.bottom);
    CRect rcA;
    ::GetWindowRect(a->GetSafeHwnd(), &rcA);
    EXPECT_EQ(rcBottom.Height(), rcA.Height());
    bottom.RemoveCommandBar(a);
    ::SetParent(a->GetSafeHwnd(), dockBar->GetSafeHwnd());
}

TEST_F(DockBarFixture, AStretchedBarAlwaysHasARowOfItsOwn)
{
    CQorCommandBar* a = AddBar(1);
    CQorCommandBar* b = AddBar(1);
    CQorCommandBar* s = AddBar(1, qorDockRowStretched);
    dockBar->DockCommandBar(a);
    frame->RecalcLayout();
    CRect rcDrop = DropRect(b, BarRect(a).CenterPoint());
    dockBar->DockCommandBar(b, &rcDrop);
    ASSERT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, b, a, nullptr}));
    frame->RecalcLayout();
    rcDrop = DropRect(s, BarRect(a).CenterPoint());
    dockBar->DockCommandBar(s, &rcDrop);
    EXPECT_EQ(Entries(), (std::vector<CQorCommandBar*>{nullptr, s, nullptr, b, a, nullptr}));
    frame->RecalcLayout();
    CRect rcClient;
    dockBar->GetClientRect(&rcClient);
    EXPECT_EQ(BarRect(s).left, 0);
    EXPECT_EQ(BarRect(s).right, rcClient.right);
}

TEST_F(DockBarFixture, TheTopDockBarTakesItsRowsFromTheFrameAndWrapsThemAsItNarrows)
{
    CQorCommandBar* threeBars[] = {AddBar(3), AddBar(4), AddBar(2)};
    for (CQorCommandBar* pBar : threeBars)
        dockBar->DockCommandBar(pBar);
    frame->RecalcLayout();
    // One row: all three dropped into the first row, side by side.
    const int nRowHeight = BarRect(threeBars[0]).Height();
    ASSERT_GT(nRowHeight, 0);
    int x = 0;
    for (CQorCommandBar* pBar : threeBars) {
        CRect rcDrop = DropRect(pBar, CPoint(x + BarRect(pBar).Width() / 2, nRowHeight / 2));
        dockBar->DockCommandBar(pBar, &rcDrop);
        frame->RecalcLayout();
        x += BarRect(pBar).Width();
    }
    ASSERT_EQ(Entries().size(), 5u) << "one row";
    // The row in the order its bars stand, not the order they were dropped in.
    std::vector<CQorCommandBar*> row;
    dockBar->GetRowBarsByPosition(2, row);
    EXPECT_EQ(row, (std::vector<CQorCommandBar*>{threeBars[0], threeBars[1], threeBars[2]}));
    EXPECT_EQ(Entries()[1], threeBars[2]);

    // The frame's layout pass: the dock bar answers its height and leaves the rest below it.
    AFX_SIZEPARENTPARAMS layout = {};
    layout.rect = CRect(0, 0, 640, 300);
    layout.bStretch = TRUE;
    dockBar->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    EXPECT_EQ(layout.sizeTotal.cy, nRowHeight);
    EXPECT_EQ(layout.rect.top, nRowHeight);
    EXPECT_EQ(layout.sizeTotal.cx, 640);

    const int nTotal = x;
    for (int cx : {nTotal + 20, nTotal - 30, nTotal / 2, nTotal / 3}) {
        ResizeFrameClient(cx);
        CRect rcDock;
        dockBar->GetClientRect(&rcDock);
        EXPECT_EQ(rcDock.Width(), cx);
        int nBottom = 0;
        for (size_t i = 0; i < 3; i++) {
            const CRect rc = BarRect(threeBars[i]);
            EXPECT_GE(rc.left, 0) << cx << " " << i;
            EXPECT_GE(rc.top, 0) << cx << " " << i;
            EXPECT_LE(rc.right, rcDock.right) << cx << " " << i;
            EXPECT_LE(rc.bottom, rcDock.bottom) << cx << " " << i;
            nBottom = std::max(nBottom, static_cast<int>(rc.bottom));
            for (size_t j = 0; j < i; j++) {
                CRect rcCommon;
                const CRect rcOther = BarRect(threeBars[j]);
                EXPECT_FALSE(rcCommon.IntersectRect(&rc, &rcOther)) << cx << " " << i << " " << j;
            }
        }
        // The strip is as deep as its rows.
        EXPECT_EQ(rcDock.Height(), nBottom) << cx;
        EXPECT_EQ(rcDock.Height() > nRowHeight, cx < nTotal) << cx;
    }
    // Wide again: one row.
    ResizeFrameClient(nTotal + 50);
    CRect rcDock;
    dockBar->GetClientRect(&rcDock);
    EXPECT_EQ(rcDock.Height(), nRowHeight);
}

} // namespace

// A docked tool bar lays itself out: squeezed by its dock bar, it hides what does not fit behind
// its expand button instead of wrapping.
TEST_F(DockBarFixture, ADockedToolBarSqueezesBehindItsExpandButton)
{
    auto* pToolBar = new CQorToolBar;
    const UINT ids[] = {41000, 41001, 41002, 41003, 41004, 41005, 41006, 41007};
    pToolBar->SetButtons(ids, 8);
    ASSERT_TRUE(pToolBar->Create(dockBar.get(), qorBarTop));
    bars.push_back(pToolBar);
    ASSERT_TRUE(pToolBar->m_dwFlags & CQorToolBar::flagHideWrap);
    dockBar->DockCommandBar(pToolBar);
    ResizeFrameClient(600);
    const int nHeight = BarRect(pToolBar).Height();
    auto hiddenCount = [&] {
        int n = 0;
        for (int i = 0; i < 8; i++)
            n += (pToolBar->GetControl(i)->GetHideFlags() & qorHideWrap) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(hiddenCount(), 0);

    ResizeFrameClient(BarRect(pToolBar).Width() / 2);
    EXPECT_GT(hiddenCount(), 0);
    EXPECT_EQ(BarRect(pToolBar).Height(), nHeight) << "squeezed, not wrapped";
    CQorControl* pExpand = pToolBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_TRUE(pExpand->IsVisible());

    ResizeFrameClient(600);
    EXPECT_EQ(hiddenCount(), 0);
}

namespace {

// A frame of the command-bars manager with a view, shown without taking the foreground.
class CBarsFrame : public CQorFrameWndBase<CFrameWnd>
{
protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        if (!InitCommandBars())
            return FALSE;
        return CFrameWnd::OnCreateClient(lpcs, pContext);
    }
};

// A rectangle of a child window in its parent's client coordinates.
CRect ChildRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

int HiddenButtons(CQorToolBar* pBar)
{
    int n = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CQorControl* pControl = pBar->GetControl(i);
        if (pControl->GetID() != QOR_ID_TOOLBAR_EXPAND && !pControl->IsVisible())
            n++;
    }
    return n;
}

} // namespace

// Three bars share the top row (the last may shrink, the others may not), a fourth stands in
// the left dock bar; the frame narrows through a table of widths and widens again.
TEST(CommandBarsFrame, ThreeTopBarsAndOneLeftWrapSqueezeAndComeBackAsTheFrameNarrowsAndWidens)
{
    auto* pFrame = new CBarsFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW, CRect(30, 30, 930, 430)));
    const HWND hWndView = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                            pFrame->GetSafeHwnd(),
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)),
                                            ::GetModuleHandleW(nullptr), nullptr);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    CQorCommandBars* pCommandBars = pFrame->GetCommandBars();
    auto* pTop = dynamic_cast<CQorDockBar*>(pCommandBars->GetDockBar(0));
    auto* pLeft = dynamic_cast<CQorDockBar*>(pCommandBars->GetDockBar(2));
    ASSERT_NE(pTop, nullptr);
    ASSERT_NE(pLeft, nullptr);

    // Caption buttons: 3, 4 and 10 of them at the top (only the last may shrink), 3 at the left.
    const int buttonCounts[] = {3, 4, 10, 3};
    CQorToolBar* pBars[4] = {};
    for (int b = 0; b < 4; b++) {
        pBars[b] = dynamic_cast<CQorToolBar*>(pCommandBars->CreateToolBar(L"Bar", 300 + b));
        ASSERT_NE(pBars[b], nullptr);
        std::vector<UINT> ids;
        for (int i = 0; i < buttonCounts[b]; i++)
            ids.push_back(42000 + 100 * b + i);
        pBars[b]->SetButtons(ids.data(), buttonCounts[b]);
        for (int i = 0; i < buttonCounts[b]; i++) {
            pBars[b]->GetControl(i)->SetCaption(L"Button");
            pBars[b]->GetControl(i)->SetStyle(qorButtonCaption);
        }
    }
    pBars[0]->m_dwFlags &= ~CQorToolBar::flagHideWrap;
    pBars[1]->m_dwFlags &= ~CQorToolBar::flagHideWrap;
    ASSERT_TRUE(pBars[2]->m_dwFlags & CQorToolBar::flagHideWrap);
    pLeft->DockCommandBar(pBars[3]);

    auto setClientWidth = [&](int cx) {
        CRect rc, rcClient;
        pFrame->GetWindowRect(&rc);
        pFrame->GetClientRect(&rcClient);
        pFrame->SetWindowPos(nullptr, 0, 0, cx + rc.Width() - rcClient.Width(), rc.Height(),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout();
    };
    CQorToolBar* const topBars[] = {pBars[0], pBars[1], pBars[2]};
    setClientWidth(1200);
    // The three top bars dropped into the first row, side by side.
    const int nRowHeight = ChildRect(pBars[0]->GetSafeHwnd()).Height();
    int x = 0;
    for (CQorToolBar* pBar : topBars) {
        const CRect rcBar = ChildRect(pBar->GetSafeHwnd());
        CRect rcDrop(x, 0, x + rcBar.Width(), nRowHeight);
        ::MapWindowPoints(pTop->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&rcDrop), 2);
        pTop->DockCommandBar(pBar, &rcDrop);
        pFrame->RecalcLayout();
        x += rcBar.Width();
    }
    ASSERT_EQ(pTop->GetEntries().size(), 5u) << "one row";
    int widths[3];
    for (int b = 0; b < 3; b++)
        widths[b] = ChildRect(topBars[b]->GetSafeHwnd()).Width();
    CRect rcWide[4];
    for (int b = 0; b < 4; b++)
        rcWide[b] = ChildRect(pBars[b]->GetSafeHwnd());
    ASSERT_GT(widths[2], widths[0] + widths[1]) << "the shrinking bar is the longest";

    struct Case
    {
        const char* name;
        int nWidth;
        int nRows;      // of the top dock bar
        BOOL bSqueezed; // the last bar hides buttons
    } cases[] = {
        {"all in one row", widths[0] + widths[1] + widths[2] + 30, 1, FALSE},
        {"the longest bar wraps", widths[2] + 10, 2, FALSE},
        {"a row each, the longest squeezed", widths[1] + 20, 3, TRUE},
        {"wide again", 1200, 1, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setClientWidth(c.nWidth);
        CRect rcClient;
        pFrame->GetClientRect(&rcClient);
        ASSERT_EQ(rcClient.Width(), c.nWidth);
        const CRect rcTop = ChildRect(pTop->GetSafeHwnd());
        const CRect rcLeft = ChildRect(pLeft->GetSafeHwnd());
        const CRect rcView = ChildRect(hWndView);
        EXPECT_EQ(rcTop.Width(), c.nWidth);
        EXPECT_EQ(rcView.top, rcTop.bottom) << "the view sits below the top dock bar";
        EXPECT_EQ(rcLeft.top, rcTop.bottom);
        EXPECT_EQ(rcView.left, rcLeft.right) << "and right of the left one";
        EXPECT_GT(rcLeft.Width(), 0);

        // Inside their dock bars, and no two overlap.
        for (int b = 0; b < 4; b++) {
            const CRect rc = ChildRect(pBars[b]->GetSafeHwnd());
            CRect rcDock;
            ::GetClientRect(::GetParent(pBars[b]->GetSafeHwnd()), &rcDock);
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= rcDock.right && rc.bottom <= rcDock.bottom)
                << "bar " << b;
            // On the screen, so that bars of different dock bars are compared too.
            CRect rcScreen, rcOther, rcCommon;
            ::GetWindowRect(pBars[b]->GetSafeHwnd(), &rcScreen);
            for (int o = 0; o < b; o++) {
                ::GetWindowRect(pBars[o]->GetSafeHwnd(), &rcOther);
                EXPECT_FALSE(rcCommon.IntersectRect(&rcScreen, &rcOther)) << "bars " << o << " and " << b;
            }
        }
        std::vector<int> tops;
        for (CQorToolBar* pBar : topBars)
            tops.push_back(ChildRect(pBar->GetSafeHwnd()).top);
        std::sort(tops.begin(), tops.end());
        tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
        EXPECT_EQ(static_cast<int>(tops.size()), c.nRows);
        EXPECT_EQ(rcTop.Height(), c.nRows * nRowHeight) << "the strip is as deep as its rows";

        // Only the shrinking bar hides buttons, each marked as having no room, behind the
        // expand button; the others keep them all.
        const int nHidden = HiddenButtons(pBars[2]);
        EXPECT_EQ(nHidden > 0, c.bSqueezed) << nHidden;
        EXPECT_LT(nHidden, buttonCounts[2]);
        for (int i = 0; i < buttonCounts[2]; i++) {
            CQorControl* pControl = pBars[2]->GetControl(i);
            EXPECT_EQ(pControl->IsVisible(), !(pControl->GetHideFlags() & qorHideWrap)) << i;
        }
        CQorControl* pExpand = pBars[2]->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND);
        if (c.bSqueezed) {
            ASSERT_NE(pExpand, nullptr);
            EXPECT_TRUE(pExpand->IsVisible());
            EXPECT_EQ(ChildRect(pBars[2]->GetSafeHwnd()).Height(), nRowHeight) << "squeezed, not wrapped";
        }
        for (int b : {0, 1, 3})
            EXPECT_EQ(HiddenButtons(pBars[b]), 0) << "bar " << b;
    }
    // Wide again, every bar is back where it stood.
    for (int b = 0; b < 4; b++)
        EXPECT_EQ(ChildRect(pBars[b]->GetSafeHwnd()), rcWide[b]) << "bar " << b;
    pFrame->DestroyWindow();
}
