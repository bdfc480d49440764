// The command bars' paint scene as a person sees it: every theme's column, themed and classic,
// read back cell by cell against the colours of the paint manager that drew it.
#include <gtest/gtest.h>
#include <windows.h>

#include "demos/commandbars/PaintSwatchScene.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PaintManagerStatics.h"
#include "toolkit/commandbars/PaintThemes.h"

using namespace paintswatchscene;
using foundationtest::Near;

namespace {

class PaintThemeSwatchScene : public testing::Test
{
protected:
    void SetUp() override
    {
        QorCommandBarsStartup();
        scene = CreateScene(20, 20);
        ASSERT_NE(nullptr, scene);
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        DestroyWindow(scene);
        testsupport::PumpMessages();
    }
    // A pixel of a cell, relative to the cell's top-left corner (negative: from the far edge).
    COLORREF Cell(const testsupport::WindowCapture& capture, int nRow, int nColumn, int dx, int dy) const
    {
        RECT rc = CellRect(nRow, nColumn);
        return capture.Pixel(dx >= 0 ? rc.left + dx : rc.right + dx, dy >= 0 ? rc.top + dy : rc.bottom + dy);
    }
    HWND scene = nullptr;
};

} // namespace

TEST_F(PaintThemeSwatchScene, EveryColumnKeepsItsOwnPaintManager)
{
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn) {
        CQorPaintManager* p = ColumnPaintManager(scene, nColumn);
        ASSERT_NE(nullptr, p) << nColumn;
        EXPECT_EQ(ColumnTheme(nColumn), p->GetThemeKind()) << nColumn;
        EXPECT_EQ(ColumnTheme(nColumn), p->m_nTheme);
        for (int nOther = 0; nOther < nColumn; ++nOther)
            EXPECT_NE(ColumnPaintManager(scene, nOther), p);
    }
    // The last column's theme is the global one; the others live on the scene's references.
    EXPECT_EQ(ColumnPaintManager(scene, kColumnCount - 1), GetGlobalPaintManager());
    EXPECT_EQ(1u, ColumnPaintManager(scene, 0)->m_dwRef);
    EXPECT_EQ(2u, ColumnPaintManager(scene, kColumnCount - 1)->m_dwRef);
}

TEST_F(PaintThemeSwatchScene, CellsShowTheirThemesColours)
{
    testsupport::WindowCapture capture(scene);
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn) {
        SCOPED_TRACE(nColumn);
        CQorPaintManager* p = ColumnPaintManager(scene, nColumn);
        ASSERT_NE(nullptr, p);
        const int nTheme = ColumnTheme(nColumn);
        const bool bThemed = IsColumnThemed(nColumn) != FALSE;
        const bool bClassicEntries = nTheme == qorPaintThemeDefault || (nTheme == qorPaintThemeNativeXP && !bThemed);
        const bool bOffice =
            nTheme == qorPaintThemeOffice || nTheme == qorPaintThemeOffice2003 || nTheme == qorPaintThemeWhidbey;
        auto c = [&](int n) { return p->GetColor(n); };

        // Entries on a tool bar.
        EXPECT_EQ(c(15), Cell(capture, rowEntryNormal, nColumn, 20, 10));
        if (bClassicEntries) {
            EXPECT_EQ(c(20), Cell(capture, rowEntryHot, nColumn, 0, 0));
            EXPECT_EQ(c(16), Cell(capture, rowEntryHot, nColumn, -1, -1));
            EXPECT_EQ(c(16), Cell(capture, rowEntryPressed, nColumn, 0, 0));
            EXPECT_EQ(c(20), Cell(capture, rowEntryPressed, nColumn, -1, -1));
            EXPECT_EQ(c(16), Cell(capture, rowEntryChecked, nColumn, 0, 0));
            EXPECT_EQ(c(16), Cell(capture, rowEntryPopuped, nColumn, 0, 0));
            EXPECT_EQ(c(13), Cell(capture, rowEntryPopupSelected, nColumn, 20, 10));
        }
        if (bOffice) {
            EXPECT_EQ(c(32), Cell(capture, rowEntryHot, nColumn, 0, 0));
            EXPECT_EQ(c(31), Cell(capture, rowEntryHot, nColumn, 20, 10));
            EXPECT_EQ(c(37), Cell(capture, rowEntryPressed, nColumn, 0, 0));
            EXPECT_EQ(c(33), Cell(capture, rowEntryPressed, nColumn, 20, 10));
            EXPECT_EQ(c(50), Cell(capture, rowEntryChecked, nColumn, 0, 0));
            EXPECT_EQ(c(51), Cell(capture, rowEntryChecked, nColumn, 20, 10));
            EXPECT_EQ(c(15), Cell(capture, rowEntryDisabled, nColumn, 20, 10));
            EXPECT_EQ(c(43), Cell(capture, rowEntryPopuped, nColumn, 0, 0));
            EXPECT_EQ(c(32), Cell(capture, rowEntryPopupSelected, nColumn, 0, 0));
            EXPECT_EQ(c(31), Cell(capture, rowEntryPopupSelected, nColumn, 20, 10));
        }
        if (nTheme == qorPaintThemeNativeXP && bThemed) {
            EXPECT_EQ(c(13), Cell(capture, rowEntryPopupSelected, nColumn, 0, 0));
            EXPECT_EQ(c(29), Cell(capture, rowEntryPopupSelected, nColumn, 20, 10));
        }

        // Tick, dot and triangles in colour 18 on the button face.
        RECT rc = CellRect(rowTick, nColumn);
        const int cx = (rc.right - rc.left) / 2, g = (rc.bottom - rc.top) / 2 - 10;
        EXPECT_EQ(c(18), Cell(capture, rowTick, nColumn, cx - 4, g + 9));
        EXPECT_EQ(c(18), Cell(capture, rowTick, nColumn, cx + 2, g + 7));
        EXPECT_EQ(c(15), Cell(capture, rowTick, nColumn, cx + 3, g + 6));
        EXPECT_EQ(c(18), Cell(capture, rowDot, nColumn, cx, (rc.bottom - rc.top) / 2));
        EXPECT_EQ(c(15), Cell(capture, rowDot, nColumn, cx - 3, (rc.bottom - rc.top) / 2 - 3));
        EXPECT_EQ(c(18), Cell(capture, rowTriangle, nColumn, 10, 11));
        EXPECT_EQ(c(15), Cell(capture, rowTriangle, nColumn, 10, 3));

        // Symbols: drawn, not left as button face.
        EXPECT_NE(c(15), Cell(capture, rowSymbols, nColumn, 10, 10));

        // Popup grippers: a light dot over a dark one at the corner and across the top.
        const COLORREF clrDark = bOffice ? c(40) : c(38);
        EXPECT_EQ(c(5), Cell(capture, rowPopupGrippers, nColumn, -3, -3));
        EXPECT_EQ(clrDark, Cell(capture, rowPopupGrippers, nColumn, -4, -4));
        EXPECT_EQ(clrDark, Cell(capture, rowPopupGrippers, nColumn, cx - 8, 3));
        EXPECT_EQ(c(5), Cell(capture, rowPopupGrippers, nColumn, cx - 8 + 2, 5));

        // Caption bars, less their last row.
        const COLORREF clrActive =
            nTheme == qorPaintThemeOffice ? p->m_clrCaption.GetColor()
            : bOffice ? static_cast<QorPaintThemes::CQorOffice2003Theme*>(p)->m_clrCaptionFill.GetColor()
                      : c(2);
        const COLORREF clrInactive = nTheme == qorPaintThemeOffice ? c(30) : bOffice ? clrActive : c(3);
        EXPECT_EQ(clrActive, Cell(capture, rowCaptionActive, nColumn, 5, 5));
        EXPECT_EQ(c(15), Cell(capture, rowCaptionActive, nColumn, 5, -1));
        EXPECT_EQ(clrInactive, Cell(capture, rowCaptionInactive, nColumn, 5, 5));

        // The classic status gripper: a light groove above shadow grooves.
        if (!(nTheme == qorPaintThemeNativeXP && bThemed) && nTheme != qorPaintThemeOffice2003 &&
            nTheme != qorPaintThemeWhidbey) {
            EXPECT_EQ(c(20), Cell(capture, rowStatusGripper, nColumn, -1, -13));
            EXPECT_EQ(c(16), Cell(capture, rowStatusGripper, nColumn, -1, -12));
        }

        // Window fills.
        if (nTheme == qorPaintThemeOffice2003 || nTheme == qorPaintThemeWhidbey) {
            auto* p2003 = static_cast<QorPaintThemes::CQorOffice2003Theme*>(p);
            EXPECT_TRUE(
                Near(p2003->m_grcBarWindow.m_clrLight.GetColor(), Cell(capture, rowBarWindow, nColumn, 0, 10), 2));
            EXPECT_TRUE(
                Near(p2003->m_grcBarWindow.m_clrDark.GetColor(), Cell(capture, rowBarWindow, nColumn, -1, 10), 4));
        } else {
            EXPECT_EQ(c(15), Cell(capture, rowBarWindow, nColumn, 20, 10));
        }
        EXPECT_EQ(c(12), Cell(capture, rowWorkspace, nColumn, 20, 10));
        EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), Cell(capture, rowFramedText, nColumn, 0, 0));
        EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), Cell(capture, rowFramedText, nColumn, -1, -1));
    }
}

TEST_F(PaintThemeSwatchScene, ControlRowsShowButtonsInEachState)
{
    testsupport::WindowCapture capture(scene);
    auto countInk = [&](int nRow, int nColumn, COLORREF clr) {
        const RECT rc = CellRect(nRow, nColumn);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += capture.Pixel(x, y) == clr ? 1 : 0;
        return n;
    };
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn) {
        SCOPED_TRACE(nColumn);
        CQorPaintManager* p = ColumnPaintManager(scene, nColumn);
        ASSERT_NE(nullptr, p);
        const int nTheme = ColumnTheme(nColumn);
        const bool bThemed = IsColumnThemed(nColumn) != FALSE;
        auto c = [&](int n) { return p->GetColor(n); };

        // The caption in the text colour, in grey when disabled.
        EXPECT_GT(countInk(rowButtonNormal, nColumn, c(18)), 0);
        EXPECT_EQ(0, countInk(rowButtonDisabled, nColumn, c(18)));
        EXPECT_GT(countInk(rowButtonDisabled, nColumn, c(17)), 0);

        if (nTheme == qorPaintThemeDefault || (nTheme == qorPaintThemeNativeXP && !bThemed)) {
            EXPECT_EQ(c(15), Cell(capture, rowButtonNormal, nColumn, 0, 0));
            EXPECT_EQ(c(20), Cell(capture, rowButtonHot, nColumn, 0, 0));
            EXPECT_EQ(c(16), Cell(capture, rowButtonPressed, nColumn, 0, 0));
            EXPECT_EQ(c(16), Cell(capture, rowButtonChecked, nColumn, 0, 0));
            // The split button open: its button part raised, its arrow part sunken.
            EXPECT_EQ(c(20), Cell(capture, rowSplitPopuped, nColumn, 0, 0));
            EXPECT_EQ(c(20), Cell(capture, rowSplitHot, nColumn, 0, 0));
        } else if (nTheme == qorPaintThemeNativeXP) {
            EXPECT_NE(Cell(capture, rowButtonNormal, nColumn, 3, 3), Cell(capture, rowButtonHot, nColumn, 3, 3));
        } else if (nTheme == qorPaintThemeOffice) {
            EXPECT_EQ(c(32), Cell(capture, rowButtonHot, nColumn, 0, 0));
            EXPECT_EQ(c(31), Cell(capture, rowButtonHot, nColumn, 2, 2));
            EXPECT_EQ(c(43), Cell(capture, rowSplitPopuped, nColumn, 0, 0));
            EXPECT_EQ(c(30), Cell(capture, rowSplitPopuped, nColumn, 2, 2));
        } else {
            EXPECT_EQ(c(32), Cell(capture, rowButtonHot, nColumn, 0, 0));
            EXPECT_EQ(c(43), Cell(capture, rowSplitPopuped, nColumn, 0, 0));
        }
    }
}
