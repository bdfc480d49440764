// Laying the tabs of a row out: shrinking them to fit.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/toolkit/tabs/TabTestRow.h"
#include "toolkit/tabs/TabAppearanceSet.h"

using tabstest::CPaintedRow;
using tabstest::CTestTabRow;

TEST(TabPaintManagerLayout, ShrinkTabsToFitKeepsShortTabsAndSharesTheRest)
{
    struct
    {
        const char* name;
        std::vector<int> lengths;
        int nAvailable;
        std::vector<int> expected; // in display order
    } cases[] = {
        {"long tab takes the rest", {40, 60, 200}, 180, {40, 60, 80}},
        {"long tab first in display order", {200, 40, 60}, 180, {80, 40, 60}},
        {"equal share when none is short", {60, 70, 70}, 180, {60, 60, 60}},
        {"remainders go to the later tabs", {100, 100, 100}, 100, {33, 33, 34}},
        {"all fit: unchanged", {40, 60}, 100, {40, 60}},
        {"one tab takes the room", {300}, 120, {120}},
        {"narrower than nothing: zero, never negative", {40, 60, 200}, -35, {0, 0, 0}},
        {"one tab, negative room", {50}, -10, {0}},
    };
    for (const auto& c : cases) {
        CQorTabPaintManager painter;
        CTestTabRow row(&painter);
        for (int nLength : c.lengths)
            row.InsertItem(-1)->m_nLength = nLength;
        std::vector<CQorTabManagerItem*> order;
        for (int i = 0; i < row.GetItemCount(); ++i)
            order.push_back(row.GetItem(i));

        painter.ShrinkTabsToFit(&row, c.nAvailable);

        for (int i = 0; i < row.GetItemCount(); ++i) {
            EXPECT_EQ(order[i], row.GetItem(i)) << c.name << ": display order kept";
            EXPECT_EQ(c.expected[i], row.GetItem(i)->m_nLength) << c.name << ", tab " << i;
        }
    }
}

namespace {

// The height of " " in a font made from the LOGFONT, as the painter measures its row height.
int TextHeight(const LOGFONTW& lf)
{
    HFONT hFont = CreateFontIndirectW(&lf);
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(hDC, L" ", 1, &size);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    DeleteObject(hFont);
    return size.cy;
}

LOGFONTW IconTitleFont(int nHeight)
{
    LOGFONTW lf = {};
    lf.lfHeight = nHeight;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    return lf;
}

} // namespace

TEST(TabPaintManagerLayout, RowHeightFollowsTheIconTitleFont)
{
    for (int nHeight : {-8, -11, -20, -28}) {
        const LOGFONTW lf = IconTitleFont(nHeight);
        QorSetIconTitleFontForTest(&lf);
        CQorTabPaintManager painter;
        painter.m_bShowImages = FALSE;
        const int nText = TextHeight(lf);
        const int nExpected = nText + 3 < 18 ? 18 : nText + 3;
        EXPECT_EQ(nExpected, painter.GetAppearanceSet()->m_nRowHeight) << "lfHeight " << nHeight << ", text " << nText;
        EXPECT_EQ(nExpected, painter.GetAppearanceSet()->GetRowHeight(nullptr)) << "lfHeight " << nHeight;
        painter.m_bShowImages = TRUE; // a 16-pixel image needs 20
        EXPECT_EQ(nExpected < 20 ? 20 : nExpected, painter.GetAppearanceSet()->GetRowHeight(nullptr));

        LOGFONTW lfNormal = {}, lfBold = {}, lfVertical = {};
        GetObjectW(static_cast<HFONT>(painter.m_fntNormal), sizeof(lfNormal), &lfNormal);
        GetObjectW(static_cast<HFONT>(painter.m_fntBold), sizeof(lfBold), &lfBold);
        GetObjectW(static_cast<HFONT>(painter.m_fntVerticalNormal), sizeof(lfVertical), &lfVertical);
        EXPECT_EQ(FW_NORMAL, lfNormal.lfWeight);
        EXPECT_EQ(FW_BOLD, lfBold.lfWeight);
        EXPECT_EQ(2700, lfVertical.lfEscapement);
        EXPECT_EQ(900, lfVertical.lfOrientation);
        // A small vertical font would be unreadable: heights -10..-1 become -11.
        EXPECT_EQ(nHeight > -11 ? -11 : nHeight, lfVertical.lfHeight) << "lfHeight " << nHeight;
    }
    QorSetIconTitleFontForTest(nullptr);
}

TEST(TabPaintManagerLayout, HeaderAndClientLieOnTheRowsSide)
{
    const LOGFONTW lf = IconTitleFont(-8);
    QorSetIconTitleFontForTest(&lf);
    CQorTabPaintManager painter;
    QorSetIconTitleFontForTest(nullptr);
    painter.m_bShowImages = FALSE;
    painter.GetAppearanceSet()->m_rcHeaderMargin = CRect(2, 3, 6, 0);
    CTestTabRow row(&painter);
    const CRect rcControl(10, 20, 310, 220);
    struct
    {
        const char* name;
        QorTabPosition position;
        CRect header;
        CRect client;
    } cases[] = {
        // Header height: margins 3 + 0 and one row of 18.
        {"top", qorTabPositionTop, {10, 20, 310, 41}, {10, 40, 310, 220}},
        {"left", qorTabPositionLeft, {10, 20, 31, 220}, {30, 20, 310, 220}},
        {"bottom", qorTabPositionBottom, {10, 199, 310, 220}, {10, 20, 310, 200}},
        {"right", qorTabPositionRight, {289, 20, 310, 220}, {10, 20, 290, 220}},
    };
    for (const auto& c : cases) {
        painter.m_position = c.position;
        EXPECT_EQ(c.header, painter.GetAppearanceSet()->GetHeaderRect(rcControl, &row)) << c.name;
        EXPECT_EQ(c.client, painter.GetAppearanceSet()->CalcClientRect(rcControl, &row)) << c.name;
    }
}

namespace {

struct LaidOutRow : ::testing::Test
{
    CQorTabPaintManager painter;
    void SetUp() override
    {
        const LOGFONTW lf = IconTitleFont(-11);
        QorSetIconTitleFontForTest(&lf);
        painter.RefreshMetrics();
        QorSetIconTitleFontForTest(nullptr);
        painter.GetAppearanceSet()->m_rcHeaderMargin = CRect(2, 3, 6, 0);
    }
};

} // namespace

TEST_F(LaidOutRow, TabsStandEndToEndFromTheHeaderMargin)
{
    CPaintedRow row(&painter);
    row.AddCaptions({L"One", L"Second tab", L"3"});
    const int nRowHeight = painter.GetAppearanceSet()->GetRowHeight(&row);
    int nX = 2;
    for (int i = 0; i < row.GetItemCount(); ++i) {
        const CRect rc = row.GetItem(i)->GetRect();
        EXPECT_EQ(nX, rc.left) << i;
        EXPECT_EQ(3, rc.top) << i;
        EXPECT_EQ(3 + nRowHeight, rc.bottom) << i;
        EXPECT_EQ(row.GetItem(i)->m_nContentLength, rc.Width()) << i;
        nX = rc.right;
    }
    // Longer captions give longer tabs; the text margins (6 + 6) come on top of the caption.
    EXPECT_GT(row.GetItem(1)->m_nLength, row.GetItem(0)->m_nLength);
    EXPECT_GT(row.GetItem(0)->m_nLength, row.GetItem(2)->m_nLength);
    EXPECT_GT(row.GetItem(2)->m_nLength, 12);
    // The client lies below the header, which is one pixel shorter than the control.
    EXPECT_EQ(CRect(0, 0, 399, 3 + nRowHeight), row.m_rcHeaderRect);
    EXPECT_EQ(3 + nRowHeight - 1 + 2, row.m_rcClient.top);
}

TEST_F(LaidOutRow, TabLengthBoundsFixedLengthAndExtraLength)
{
    CPaintedRow row(&painter);
    row.AddCaptions({L"i", L"A caption far too long for the maximum length of a tab"});
    const int nShort = row.GetItem(0)->m_nLength;
    ASSERT_LT(nShort, 50);
    ASSERT_GT(row.GetItem(1)->m_nLength, 120);

    painter.m_nMinTabLength = 50;
    painter.m_nMaxTabLength = 120;
    painter.m_nExtraTabLength = 5;
    painter.OnPropertyChanged();
    EXPECT_EQ(50, row.GetItem(0)->m_nContentLength);
    EXPECT_EQ(55, row.GetItem(0)->m_nLength); // the extra length comes after the bounds
    EXPECT_EQ(120, row.GetItem(1)->m_nContentLength);
    EXPECT_EQ(125, row.GetItem(1)->m_nLength);

    painter.m_nMinTabLength = painter.m_nMaxTabLength = painter.m_nExtraTabLength = 0;
    painter.m_layout = qorTabLayoutFixed;
    painter.m_rcTabContentMargin = CRect(3, 0, 4, 0);
    painter.OnPropertyChanged();
    EXPECT_EQ(77, row.GetItem(0)->m_nLength);
    EXPECT_EQ(77, row.GetItem(1)->m_nLength);
}

TEST_F(LaidOutRow, ShrinkLayoutFitsTheControlAndANarrowControlGivesZeroLengths)
{
    painter.m_layout = qorTabLayoutSizeToFit;
    CPaintedRow row(&painter);
    row.AddCaptions({L"First caption", L"Second caption", L"Third caption"});
    row.m_rcLayout = CRect(0, 0, 100, 200);
    row.Reposition();
    EXPECT_EQ(100 - 2 - 6, row.GetItemsLength());
    row.m_rcLayout = CRect(0, 0, 3, 200); // narrower than the header margins
    row.Reposition();
    for (int i = 0; i < row.GetItemCount(); ++i) {
        EXPECT_EQ(0, row.GetItem(i)->m_nLength) << i;
        EXPECT_GE(row.GetItem(i)->GetRect().Width(), 0) << i;
    }
}

TEST_F(LaidOutRow, AScrolledRowWidenedLeavesNoSpaceAtItsEnd)
{
    CPaintedRow row(&painter);
    row.m_rcLayout = CRect(0, 0, 120, 200);
    row.AddCaptions({L"First caption", L"Second caption", L"Third caption"});
    row.SetSelectedItem(row.GetItem(2));
    ASSERT_LT(row.GetScrollOffset(), 0);
    EXPECT_LE(row.GetItem(2)->GetRect().right, row.m_rcHeaderRect.right);

    row.m_rcLayout = CRect(0, 0, 1000, 200); // everything fits now
    row.Reposition();
    EXPECT_EQ(0, row.GetScrollOffset());
    EXPECT_EQ(2, row.GetItem(0)->GetRect().left);

    row.m_rcLayout = CRect(0, 0, 120, 200);
    row.SetScrollOffset(-1000); // far beyond the end
    const int nSpace = row.m_rcHeaderRect.Width() - 2 - 6;
    EXPECT_EQ(nSpace - row.GetItemsLength(), row.GetScrollOffset());
    EXPECT_EQ(row.m_rcHeaderRect.right - 6, row.GetItem(2)->GetRect().right);
}

TEST_F(LaidOutRow, RotatedTabsTakeOneRowHeightEach)
{
    painter.m_layout = qorTabLayoutRotated;
    CPaintedRow row(&painter);
    row.AddCaptions({L"One", L"Two", L"Three"});
    const int h = painter.GetAppearanceSet()->GetRowHeight(&row);
    EXPECT_EQ(3 * h, row.GetItemsLength());
    for (int i = 0; i < row.GetItemCount(); ++i) {
        EXPECT_EQ(h, row.GetItem(i)->GetRect().Width()) << i;
        EXPECT_EQ(row.GetItem(i)->m_nLength, row.GetItem(i)->GetRect().Height()) << i;
        EXPECT_EQ(row.m_rcHeaderRect.bottom, row.GetItem(i)->GetRect().bottom) << i; // from the client side
    }
}

TEST_F(LaidOutRow, EveryLayoutPlacesTheTabsInsideTheHeader)
{
    const QorTabLayout layouts[] = {qorTabLayoutAutoSize,   qorTabLayoutSizeToFit, qorTabLayoutFixed,
                                    qorTabLayoutCompressed, qorTabLayoutMultiRow,  qorTabLayoutRotated};
    const QorTabPosition positions[] = {qorTabPositionTop, qorTabPositionLeft, qorTabPositionBottom,
                                        qorTabPositionRight};
    for (QorTabLayout layout : layouts) {
        for (QorTabPosition position : positions) {
            painter.m_layout = layout;
            painter.m_position = position;
            CPaintedRow row(&painter);
            row.m_rcLayout = CRect(0, 0, 300, 300);
            row.AddCaptions({L"One", L"Second", L"Third tab"});
            row.SetSelectedItem(row.GetItem(1));
            CRect rcHeader = painter.GetAppearanceSet()->GetHeaderRect(row.m_rcControl, &row);
            for (int i = 0; i < row.GetItemCount(); ++i) {
                const CRect rc = row.GetItem(i)->GetRect();
                CRect rcInside;
                EXPECT_FALSE(rc.IsRectEmpty()) << layout << "/" << position << " tab " << i;
                EXPECT_TRUE(rcInside.IntersectRect(rc, rcHeader) && rcInside == rc)
                    << layout << "/" << position << " tab " << i;
            }
            CRect rcOverlap;
            EXPECT_FALSE(rcOverlap.IntersectRect(row.GetItem(0)->GetRect(), row.GetItem(2)->GetRect()))
                << layout << "/" << position;
        }
    }
}

// The rows the multi-row fill chooses: with justified rows each row aims at an even share
// of the total and a short tab moves down when that evens the rows out.
TEST(TabPaintManagerLayout, MultiRowFillChoosesTheseRows)
{
    typedef std::vector<std::pair<int, int>> Rows; // first and last tab of each row
    std::vector<int> rising;
    for (int i = 0; i < 40; ++i)
        rising.push_back(60 + 3 * i);
    std::vector<int> sixty;
    for (int i = 0; i < 60; ++i)
        sixty.push_back(40 + (i * 37) % 50);
    const struct
    {
        const char* name;
        std::vector<int> lengths;
        int nAvailable;
        BOOL bJustify;
        Rows expected;
    } cases[] = {
        {"justified rows", {60, 80, 40, 90, 30, 70, 50}, 150, TRUE, {{0, 1}, {2, 3}, {4, 6}}},
        {"rows not justified", {60, 80, 40, 90, 30, 70, 50}, 150, FALSE, {{0, 1}, {2, 3}, {4, 6}}},
        {"short tabs move down", {100, 20, 20, 20, 100, 20, 20}, 140, TRUE, {{0, 0}, {1, 3}, {4, 6}}},
        {"a tab longer than the row: the greedy rows", {50, 300, 50, 50}, 120, TRUE, {{0, 0}, {1, 1}, {2, 3}}},
        {"equal tabs", std::vector<int>(10, 40), 130, TRUE, {{0, 1}, {2, 3}, {4, 6}, {7, 9}}},
        {"varied tabs",
         {55, 90, 35, 120, 60, 45, 80, 70, 25, 100, 65, 50},
         200,
         TRUE,
         {{0, 1}, {2, 3}, {4, 6}, {7, 9}, {10, 11}}},
        {"sixty tabs in 300 pixels",
         sixty,
         300,
         TRUE,
         {{0, 3}, {4, 6}, {7, 10}, {11, 14}, {15, 18}, {19, 23}, {24, 27}, {28, 31}, {32, 35}, {36, 39}, {40, 43},
          {44, 47}, {48, 51}, {52, 55}, {56, 59}}},
        {"forty rising tabs in 300 pixels",
         rising,
         300,
         TRUE,
         {{0, 2}, {3, 5}, {6, 8}, {9, 11}, {12, 14}, {15, 16}, {17, 18}, {19, 20}, {21, 22}, {23, 24}, {25, 26}, {27, 28}, {29, 30}, {31, 31}, {32, 32}, {33, 33}, {34, 34}, {35, 35}, {36, 36}, {37, 37}, {38, 38}, {39, 39}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQorTabPaintManager painter;
        painter.m_bJustifyRows = c.bJustify;
        painter.m_bKeepRowOrder = TRUE;
        CTestTabRow row(&painter);
        for (int nLength : c.lengths)
            row.InsertItem(-1)->m_nLength = nLength;
        painter.FillMultiRows(&row, c.nAvailable);
        Rows rows;
        for (int r = 0; r < row.GetRowCount(); ++r)
            rows.push_back({row.GetRowItems(r).nFirst, row.GetRowItems(r).nLast});
        EXPECT_EQ(c.expected, rows);
    }
}

TEST_F(LaidOutRow, MultiRowPutsTheSelectedRowNextToTheClientAndFillsEveryRow)
{
    painter.m_layout = qorTabLayoutMultiRow;
    CPaintedRow row(&painter);
    row.m_rcLayout = CRect(0, 0, 200, 200);
    for (int i = 0; i < 6; ++i)
        row.InsertItem(-1)->SetCaption(L"Tab name");
    row.SetSelectedItem(row.GetItem(5));
    ASSERT_GE(row.GetRowCount(), 2);
    const CQorTabManagerItem* pSelected = row.GetItem(5);
    EXPECT_EQ(0, pSelected->m_nRow) << "the selected tab's row is row 0";
    const int nClientTop = static_cast<int>(row.m_rcClient.top);
    for (int i = 0; i < 6; ++i) {
        if (row.GetItem(i)->m_nRow != 0) {
            EXPECT_LT(row.GetItem(i)->GetRect().bottom, pSelected->GetRect().bottom) << i << ": rows further out";
        }
    }
    EXPECT_LE(pSelected->GetRect().bottom - 2, nClientTop + 2) << "row 0 touches the client";

    // Justified: every row ends at the same place, the spare length shared by its tabs.
    int nEnd = -1;
    for (int i = 0; i < 6; ++i) {
        const CQorTabManagerItem* pItem = row.GetItem(i);
        const bool bLastOfRow = i == 5 || row.GetItem(i + 1)->m_nRow != pItem->m_nRow;
        if (!bLastOfRow)
            continue;
        if (nEnd < 0)
            nEnd = pItem->GetRect().right;
        EXPECT_EQ(nEnd, pItem->GetRect().right) << "row of tab " << i;
    }
    EXPECT_EQ(nEnd, row.GetItem(0)->GetRect().left + row.GetItem(0)->m_nLength + row.GetItem(1)->m_nLength +
                        (row.GetItem(2)->m_nRow == row.GetItem(0)->m_nRow ? row.GetItem(2)->m_nLength : 0))
        << "the tabs of a row are end to end";

    // A tab longer than the row still gets laid out, in a row of its own.
    row.GetItem(2)->SetCaption(L"A caption far longer than the whole control is wide");
    const CRect rcLong = row.GetItem(2)->GetRect();
    EXPECT_FALSE(rcLong.IsRectEmpty());
    for (int i = 0; i < 6; ++i) {
        if (i != 2) {
            EXPECT_NE(row.GetItem(2)->m_nRow, row.GetItem(i)->m_nRow) << i;
        }
    }
}
