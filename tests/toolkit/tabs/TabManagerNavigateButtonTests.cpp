// The row's navigate buttons: ids and tips, when the arrows show, the tool hits, and the press
// loop driven by messages posted before it starts (release inside or outside, Esc, WM_QUIT, a
// tab deleted with its close button while the loop runs).
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "platform/framework/Exceptions.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/tabs/TabRowFixture.h"
#include "tests/toolkit/tabs/TabTestRow.h"
#include "toolkit/foundation/ToolTipWnd.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

using tabstest::CCountingItem;
using tabstest::CPaintedRow;
using tabstest::g_onApp;
using tabstest::MakeActionWindow;
using tabstest::Post;
using tabstest::TakeQuit;
using Button = CQorTabManagerNavigateButton;

namespace {

struct ButtonRow : tabstest::CWindowedRow<CPaintedRow>
{
    // Six tabs "Tab 1".."Tab 6" in a control of the width.
    void Fill(int nWidth)
    {
        row->m_rcLayout = CRect(0, 0, nWidth, 100);
        row->AddCaptions({L"Tab 1", L"Tab 2", L"Tab 3", L"Tab 4", L"Tab 5", L"Tab 6"});
        row->SetSelectedItem(row->GetItem(0));
    }
};

CPoint Centre(const CRect& rc)
{
    return rc.CenterPoint();
}

} // namespace

TEST_F(ButtonRow, RowButtonsAreFoundByIdAndCarryTheirTips)
{
    const struct
    {
        UINT nID;
        LPCWSTR pszTip;
    } cases[] = {{Button::idLeft, L"Scroll Left"}, {Button::idRight, L"Scroll Right"}, {Button::idClose, L"Close"}};
    ASSERT_EQ(3, row->GetNavigateButtonCount());
    for (INT_PTR i = 0; i < 3; ++i) {
        Button* pButton = row->FindNavigateButton(cases[i].nID);
        EXPECT_EQ(row->GetNavigateButton(i), pButton) << i;
        EXPECT_STREQ(cases[i].pszTip, pButton->GetTooltip().GetString()) << i;
    }
    bool bThrown = false;
    try {
        row->FindNavigateButton(7);
    } catch (CException* e) {
        bThrown = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)) != FALSE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(ButtonRow, ArrowsShowOnlyWhenTheTabsDoNotFit)
{
    Fill(1000);
    Button* pLeft = row->FindNavigateButton(Button::idLeft);
    Button* pRight = row->FindNavigateButton(Button::idRight);
    EXPECT_TRUE(pLeft->GetRect().IsRectEmpty());
    EXPECT_TRUE(pRight->GetRect().IsRectEmpty());

    row->m_rcLayout = CRect(0, 0, 150, 100);
    row->Reposition();
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty());
    ASSERT_FALSE(pLeft->GetRect().IsRectEmpty());
    EXPECT_FALSE(pLeft->IsEnabled()) << "nothing scrolled yet";
    EXPECT_TRUE(pRight->IsEnabled());
    EXPECT_LE(row->m_rcHeaderRect.right, pLeft->GetRect().left) << "the buttons come off the header";
    EXPECT_LT(pLeft->GetRect().left, pRight->GetRect().left) << "left arrow before the right one";

    row->SetScrollOffset(-10000); // pulled back to the end
    EXPECT_TRUE(pLeft->IsEnabled());
    EXPECT_FALSE(pRight->IsEnabled());
    const CRect rcLast = row->GetItem(5)->GetRect();
    EXPECT_LE(rcLast.right, row->m_rcHeaderRect.right);
    EXPECT_GE(rcLast.right, row->m_rcHeaderRect.right - 10) << "no empty space at the end";
    row->SetSelectedItem(row->GetItem(2));
    EXPECT_EQ(row->m_rcHeaderRect.left + painter.GetHeaderMargin().left, row->GetItem(2)->GetRect().left)
        << "scrolled into view up to the header margin";

    const struct
    {
        const char* name;
        QorTabLayout layout;
    } hiddenIn[] = {{"shrink to fit", qorTabLayoutSizeToFit}, {"multi-row", qorTabLayoutMultiRow}};
    for (const auto& c : hiddenIn) {
        painter.m_layout = c.layout;
        row->Reposition();
        EXPECT_TRUE(pLeft->GetRect().IsRectEmpty()) << c.name;
        EXPECT_TRUE(pRight->GetRect().IsRectEmpty()) << c.name;
    }
}

// A look with a wide left header margin: at every width where the last tab would be cut the
// arrows show, and the right arrow scrolls until the last tab is inside the header.
TEST_F(ButtonRow, ArrowsCountTheHeadersLeftMarginAndReachTheLastTab)
{
    painter.SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage2003());
    Fill(1000);
    const CRect m = painter.GetHeaderMargin();
    ASSERT_GT(m.left, 10) << "the look's left margin";
    const int nTotal = row->GetItemsLength();
    Button* pRight = row->FindNavigateButton(Button::idRight);
    int nArrowWidths = 0;
    for (int nWidth = nTotal - 20; nWidth <= nTotal + m.left + m.right + 40; ++nWidth) {
        SCOPED_TRACE(nWidth);
        row->SetScrollOffset(0);
        row->m_rcLayout = CRect(0, 0, nWidth, 100);
        row->Reposition();
        if (!pRight->GetRect().IsRectEmpty()) {
            ++nArrowWidths;
            for (int i = 0; i < 200 && pRight->IsEnabled(); ++i)
                row->OnScroll(TRUE);
        }
        const CRect rcLast = row->GetItem(5)->GetRect();
        ASSERT_LE(rcLast.right, row->m_rcHeaderRect.right) << "the last tab is cut";
    }
    EXPECT_GT(nArrowWidths, static_cast<int>(m.left)) << "the arrows show for the margin's width too";
}

TEST_F(ButtonRow, CloseButtonsOnTabsFollowTheModeAndLengthenTheirTabs)
{
    Fill(1000);
    const int nPlain = row->GetItem(1)->m_nLength;
    row->SetCloseButtonMode(1);
    EXPECT_FALSE(row->GetItem(0)->GetNavigateButton(0)->GetRect().IsRectEmpty()) << "on the selected tab";
    EXPECT_TRUE(row->GetItem(1)->GetNavigateButton(0)->GetRect().IsRectEmpty());
    EXPECT_EQ(nPlain, row->GetItem(1)->m_nLength);
    row->SetCloseButtonMode(2);
    EXPECT_EQ(nPlain + 14 + 3, row->GetItem(1)->m_nLength);
    const CRect rcTab = row->GetItem(1)->GetRect();
    const CRect rcClose = row->GetItem(1)->GetNavigateButton(0)->GetRect();
    EXPECT_EQ(rcTab.right - 3, rcClose.right) << "3 pixels in from the far end";
    EXPECT_TRUE(rcTab.PtInRect(rcClose.CenterPoint()));
    CQorTabManagerItem* pAdded = row->InsertItem(-1);
    EXPECT_EQ(1, pAdded->GetNavigateButtonCount()) << "a tab inserted later gets one";
    int nIndex = -1;
    EXPECT_EQ(row->GetItem(1)->GetNavigateButton(0), row->HitTestNavigateButton(Centre(rcClose), &nIndex));
    EXPECT_EQ(0, nIndex);
}

TEST_F(ButtonRow, ToolHitsGiveTheButtonsTipOrTheTabsTipWithItsCaption)
{
    Fill(150);
    row->GetItem(0)->SetTooltip(L"First tip");
    QOR_TOOLINFO_EXTRA extra = {};
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.lParam = reinterpret_cast<LPARAM>(&extra);
    Button* pRight = row->FindNavigateButton(Button::idRight);
    EXPECT_EQ(1, row->PerformToolHitTest(row.get(), Centre(pRight->GetRect()), &ti));
    EXPECT_STREQ(L"Scroll Right", ti.lpszText);
    EXPECT_EQ(pRight->GetRect(), CRect(ti.rect));
    free(ti.lpszText);

    const CPoint ptTab = Centre(row->GetItem(0)->GetRect());
    const struct
    {
        const char* name;
        int nMode;
        BOOL bShrunk;
        INT_PTR nExpected;
    } cases[] = {
        {"none", 0, TRUE, -1}, {"always", 1, FALSE, 0}, {"shrunk, is not", 2, FALSE, -1}, {"shrunk, is", 2, TRUE, 0}};
    for (const auto& c : cases) {
        painter.m_nToolTipMode = c.nMode;
        row->GetItem(0)->m_nContentLength = row->GetItem(0)->m_nLength + (c.bShrunk ? 10 : 0);
        ti.lpszText = nullptr;
        extra.lpszTitle = nullptr;
        EXPECT_EQ(c.nExpected, row->PerformToolHitTest(row.get(), ptTab, &ti)) << c.name;
        if (c.nExpected >= 0) {
            EXPECT_STREQ(L"First tip", ti.lpszText) << c.name;
            ASSERT_NE(nullptr, extra.lpszTitle) << c.name;
            EXPECT_STREQ(L"Tab 1", extra.lpszTitle) << c.name;
        }
        free(ti.lpszText);
        free(extra.lpszTitle);
    }
}

TEST_F(ButtonRow, APressClicksOnlyWhenReleasedInside)
{
    Fill(1000);
    row->SetCloseButtonMode(2);
    const CRect rcClose = row->GetItem(2)->GetNavigateButton(0)->GetRect();
    const CPoint ptIn = Centre(rcClose);
    const struct
    {
        const char* name;
        UINT message;
        CPoint pt;
        WPARAM wParam;
        int nClicks;
    } cases[] = {
        {"released inside", WM_LBUTTONUP, ptIn, 0, 1},
        {"released outside", WM_LBUTTONUP, CPoint(ptIn.x, 90), 0, 0},
        {"Esc", WM_KEYDOWN, CPoint(0, 0), VK_ESCAPE, 0},
        {"right button", WM_RBUTTONDOWN, ptIn, 0, 0},
    };
    for (const auto& c : cases) {
        row->m_nButtonClicks = 0;
        if (c.message != WM_LBUTTONUP)
            Post(hWnd, WM_MOUSEMOVE, ptIn.x, ptIn.y);
        Post(hWnd, c.message, c.pt.x, c.pt.y, c.wParam);
        EXPECT_TRUE(row->PerformClick(hWnd, ptIn)) << c.name;
        EXPECT_EQ(c.nClicks, row->m_nButtonClicks) << c.name;
        EXPECT_EQ(nullptr, GetCapture()) << c.name;
        EXPECT_FALSE(row->GetItem(2)->GetNavigateButton(0)->IsPressed()) << c.name;
        testsupport::PumpMessages();
    }
}

TEST_F(ButtonRow, QuitInsideAPressEndsItAndStaysQueued)
{
    Fill(1000);
    row->SetCloseButtonMode(2);
    const CPoint ptIn = Centre(row->GetItem(1)->GetNavigateButton(0)->GetRect());
    PostQuitMessage(5);
    EXPECT_TRUE(row->PerformClick(hWnd, ptIn));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(TakeQuit());
    EXPECT_EQ(0, row->m_nButtonClicks);
}

TEST_F(ButtonRow, ATabDeletedWhileItsCloseButtonIsPressedIsFreedAfterTheLoop)
{
    int nDestroyed = 0;
    row->m_rcLayout = CRect(0, 0, 1000, 100);
    row->SetCloseButtonMode(2);
    row->InsertItem(-1)->SetCaption(L"Kept");
    row->InsertItem(-1, new CCountingItem(&nDestroyed))->SetCaption(L"Closed");
    const CPoint ptIn = Centre(row->GetItem(1)->GetNavigateButton(0)->GetRect());
    // A message of the owner deletes the tab, and its close button with it, mid-press.
    g_onApp = [&] { row->DeleteItem(1); };
    PostMessageW(hAction, WM_APP, 0, 0);
    Post(hWnd, WM_MOUSEMOVE, ptIn.x, ptIn.y);
    Post(hWnd, WM_LBUTTONUP, ptIn.x, ptIn.y);
    EXPECT_TRUE(row->PerformClick(hWnd, ptIn));
    EXPECT_EQ(1, nDestroyed);
    EXPECT_EQ(0, row->m_nButtonClicks) << "a button whose tab is gone clicks nothing";
    EXPECT_EQ(1, row->GetItemCount());
    EXPECT_EQ(nullptr, GetCapture());
    testsupport::PumpMessages();
}
