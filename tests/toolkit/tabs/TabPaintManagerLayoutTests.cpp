// Laying the tabs of a row out: shrinking them to fit.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/toolkit/tabs/TabTestRow.h"

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
