// The tool bar: loading buttons from a tool-bar resource (and keeping them when the resource is
// broken), the site's say over each button, the strip it takes directly in a frame, hiding
// what does not fit behind the expand button's sign, print preview, WM_CLOSE and reset.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "tests/toolkit/commandbars/ToolBarResourceTests.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

std::vector<int> IdsOf(CQorToolBar* pBar)
{
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (!pBar->GetControl(i)->m_bTemporary)
            ids.push_back(pBar->GetControl(i)->GetID());
    return ids;
}

// A tool bar held by reference and released with its window.
struct BarHolder
{
    CQorToolBar* p = new CQorToolBar;
    ~BarHolder()
    {
        if (p->GetSafeHwnd())
            p->DestroyWindow();
        p->InternalRelease();
    }
};

} // namespace

TEST(ToolBar, LoadToolBarSetsButtonsGroupsAndIconSizeAndKeepsThemOnFailure)
{
    {
        BarHolder bar;
        ASSERT_TRUE(bar.p->LoadToolBar(IDR_TEST_TOOLBAR_GROUP));
        EXPECT_EQ(IdsOf(bar.p), (std::vector<int>{1, 2}));
        EXPECT_FALSE(bar.p->GetControl(0)->GetBeginGroup());
        EXPECT_TRUE(bar.p->GetControl(1)->GetBeginGroup());
        EXPECT_EQ(bar.p->GetBarID(), static_cast<UINT>(IDR_TEST_TOOLBAR_GROUP));
        // The images come from the bitmap of the same id, one per button in order.
        EXPECT_NE(bar.p->GetControl(0)->GetImage(16), nullptr);
        EXPECT_NE(bar.p->GetControl(1)->GetImage(16), nullptr);
        // Width 16 is the theme's own: the bar pins nothing.
        EXPECT_EQ(bar.p->GetOwnIconSize(), CSize(0, 0));
        EXPECT_FALSE(bar.p->IsChanged());

        struct Case
        {
            const char* name;
            UINT nId;
        } failures[] = {
            {"version 2", IDR_TEST_TOOLBAR_VERSION2},
            {"truncated", IDR_TEST_TOOLBAR_TRUNCATED},
            {"missing", IDR_TEST_TOOLBAR_MISSING},
            {"id 0", 0},
        };
        for (const Case& c : failures) {
            EXPECT_FALSE(bar.p->LoadToolBar(c.nId)) << c.name;
            EXPECT_EQ(IdsOf(bar.p), (std::vector<int>{1, 2})) << c.name;
            EXPECT_EQ(bar.p->GetBarID(), static_cast<UINT>(IDR_TEST_TOOLBAR_GROUP)) << c.name;
            EXPECT_TRUE(bar.p->GetControl(1)->GetBeginGroup()) << c.name;
        }
    }
    {
        BarHolder bar;
        ASSERT_TRUE(bar.p->LoadToolBar(IDR_TEST_TOOLBAR_WIDE));
        EXPECT_EQ(IdsOf(bar.p), (std::vector<int>{32771, 65535}));
        EXPECT_EQ(bar.p->GetOwnIconSize(), CSize(24, 22));
        EXPECT_EQ(bar.p->GetIconSize(), CSize(24, 22));
        EXPECT_EQ(bar.p->GetButtonSize(), CSize(30, 28));
    }
}

namespace {

int g_nAfterCreate = 0;

// The reader's rule: 32778 opens a menu, 32783 is a split button showing its icon only.
LRESULT CALLBACK CreateRequestSiteProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == QORWM_CONTROLCREATEREQUEST) {
        auto* pRequest = reinterpret_cast<QOR_CONTROL_CREATE_REQUEST*>(lParam);
        if (pRequest->nId == 32778) {
            pRequest->nType = qorControlPopup;
            return TRUE;
        }
        if (pRequest->nId == 32783) {
            pRequest->nType = qorControlSplitButtonPopup;
            pRequest->nStyle = qorButtonIcon;
            return TRUE;
        }
        return FALSE;
    }
    if (nMessage == QORWM_AFTERCONTROLCREATE) {
        g_nAfterCreate++;
        return 0;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

} // namespace

TEST(ToolBar, SiteAnsweringTheCreateRequestChangesTypeAndStyle)
{
    const HWND hWndSite = cbtest::CreateWindowWithProc(L"ToolBarCreateRequestSite", CreateRequestSiteProc,
                                                       RECT{0, 0, 50, 50}, WS_POPUP);
    ASSERT_NE(hWndSite, nullptr);
    BarHolder bar;
    bar.p->SetSite(hWndSite);
    g_nAfterCreate = 0;
    const UINT ids[] = {32778, 0, 32783, 32790};
    ASSERT_TRUE(bar.p->SetButtons(ids, 4));
    ASSERT_EQ(bar.p->GetControlCount(), 3);
    struct Expect
    {
        int nId, nType, nStyle;
        BOOL bBeginGroup;
    } expected[] = {
        {32778, qorControlPopup, qorButtonAutomatic, FALSE},
        {32783, qorControlSplitButtonPopup, qorButtonIcon, TRUE},
        {32790, qorControlButton, qorButtonAutomatic, FALSE},
    };
    for (int i = 0; i < 3; i++) {
        CQorControl* pControl = bar.p->GetControl(i);
        EXPECT_EQ(pControl->GetID(), expected[i].nId) << i;
        EXPECT_EQ(pControl->GetType(), expected[i].nType) << i;
        EXPECT_EQ(pControl->GetStyle(), expected[i].nStyle) << i;
        EXPECT_EQ(pControl->GetBeginGroup(), expected[i].bBeginGroup) << i;
    }
    EXPECT_TRUE(DYNAMIC_DOWNCAST(CQorControlPopup, bar.p->GetControl(0)) != nullptr);
    EXPECT_EQ(g_nAfterCreate, 3);
    DestroyWindow(hWndSite);
}

TEST(ToolBar, ResetAsksFirstAndRestoresTheDefaultSet)
{
    BarHolder bar;
    ASSERT_TRUE(bar.p->LoadToolBar(IDR_TEST_TOOLBAR_GROUP));
    bar.p->GetControls()->Remove(0);
    ASSERT_TRUE(bar.p->IsChanged());

    int nAsked = 0;
    AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([&](LPCTSTR, UINT nType) {
        nAsked++;
        EXPECT_EQ(nType, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
        return nAsked == 1 ? IDCANCEL : IDOK;
    });
    EXPECT_FALSE(bar.p->ResetToolBar(TRUE));
    EXPECT_EQ(IdsOf(bar.p), (std::vector<int>{2}));
    EXPECT_TRUE(bar.p->ResetToolBar(TRUE));
    EXPECT_EQ(IdsOf(bar.p), (std::vector<int>{1, 2}));
    EXPECT_FALSE(bar.p->IsChanged());
    EXPECT_EQ(nAsked, 2);
    AfxSetMessageBoxHandler(previous);
}

namespace {

// A plain frame with a view and tool bars of caption buttons docked at its top.
class ToolBarFrame : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Tool bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 320)));
        // Shown without taking the foreground from tests running beside this one.
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_hWndView = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_pFrame->GetSafeHwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)),
                                     GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override
    {
        for (CQorToolBar* pBar : m_bars) {
            if (pBar->GetSafeHwnd())
                pBar->DestroyWindow();
            pBar->InternalRelease();
        }
        m_pFrame->DestroyWindow();
    }
    CQorToolBar* AddBar(int nButtons, UINT nID, int nPosition = qorBarTop)
    {
        CQorToolBar* pBar = new CQorToolBar;
        m_bars.push_back(pBar);
        std::vector<UINT> ids;
        for (int i = 0; i < nButtons; i++)
            ids.push_back(41000 + i);
        pBar->SetButtons(ids.data(), nButtons);
        for (int i = 0; i < nButtons; i++) {
            pBar->GetControl(i)->SetCaption(L"Button");
            pBar->GetControl(i)->SetStyle(qorButtonCaption);
        }
        EXPECT_TRUE(pBar->Create(m_pFrame, nPosition, nID));
        return pBar;
    }
    void SetFrameWidth(int cx)
    {
        m_pFrame->SetWindowPos(nullptr, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
    }
    static CRect ChildRect(HWND hWnd)
    {
        CRect rc;
        GetWindowRect(hWnd, &rc);
        MapWindowPoints(nullptr, GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    void CheckNarrowingAndWidening(CQorToolBar* pBar);
    static int HiddenCount(CQorToolBar* pBar)
    {
        int n = 0;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            if (pBar->GetControl(i)->GetID() != QOR_ID_TOOLBAR_EXPAND &&
                (pBar->GetControl(i)->GetHideFlags() & qorHideWrap))
                n++;
        return n;
    }
    // Pixels of the expand button's chevron area in the colour of its arrow's tip.
    static int ChevronPixels(CQorToolBar* pBar)
    {
        CQorControl* pExpand = pBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND);
        if (!pExpand || !pExpand->IsVisible())
            return -1;
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        HDC hScreen = GetDC(nullptr);
        HDC hDC = CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, rcClient.Width(), rcClient.Height());
        HGDIOBJ hOld = SelectObject(hDC, hBitmap);
        pBar->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
        const CRect rc = pExpand->GetRect();
        const COLORREF clrArrow = GetPixel(hDC, rc.left + 5, rc.top + rc.Height() - 7);
        int n = 0;
        for (int y = rc.top + 3; y <= rc.top + 7; y++)
            for (int x = rc.left + 2; x <= rc.left + 9; x++)
                if (GetPixel(hDC, x, y) == clrArrow)
                    n++;
        SelectObject(hDC, hOld);
        DeleteObject(hBitmap);
        DeleteDC(hDC);
        ReleaseDC(nullptr, hScreen);
        return n;
    }

    CFrameWnd* m_pFrame = nullptr;
    HWND m_hWndView = nullptr;
    std::vector<CQorToolBar*> m_bars;
};

} // namespace

TEST_F(ToolBarFrame, DockedAtTheTopTakesItsHeightAndTheViewSitsBelow)
{
    CQorToolBar* pBar = AddBar(3, AFX_IDW_TOOLBAR);
    pBar->GetControls()->CreateOriginalControls();
    m_pFrame->RecalcLayout();
    // The expand button the layout adds is no change of the bar's set.
    ASSERT_NE(pBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND), nullptr);
    EXPECT_FALSE(pBar->IsChanged());
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    const CRect rcBar = ChildRect(pBar->GetSafeHwnd());
    const CRect rcView = ChildRect(m_hWndView);
    EXPECT_EQ(rcBar.top, 0);
    EXPECT_GT(rcBar.Height(), 15);
    EXPECT_LE(rcBar.right, rcClient.right);
    EXPECT_EQ(rcView.top, rcBar.bottom);
    EXPECT_EQ(rcView.bottom, rcClient.bottom);
    EXPECT_EQ(rcView.Width(), rcClient.Width());
    // The gripper at the leading edge and the expand button at the far end, inside the bar.
    const CRect rcGripper = pBar->GetGripperRect();
    EXPECT_EQ(rcGripper.Height(), rcBar.Height());
    EXPECT_LE(rcGripper.right, pBar->GetControl(0)->GetRect().left);
    EXPECT_GT(rcGripper.Width(), 0);
    CQorControl* pExpand = pBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_LE(pExpand->GetRect().right, rcBar.Width());
    EXPECT_GE(pExpand->GetRect().left, pBar->GetControl(2)->GetRect().right);
    // A tool bar is never closed like a window.
    pBar->SendMessage(WM_CLOSE);
    EXPECT_TRUE(IsWindow(pBar->GetSafeHwnd()));
    EXPECT_TRUE(IsWindowVisible(pBar->GetSafeHwnd()));
}

TEST_F(ToolBarFrame, DockedAtTheLeftTakesItsWidthAndTheViewSitsBeside)
{
    CQorToolBar* pBar = AddBar(3, AFX_IDW_TOOLBAR, qorBarLeft);
    m_pFrame->RecalcLayout();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    const CRect rcBar = ChildRect(pBar->GetSafeHwnd());
    const CRect rcView = ChildRect(m_hWndView);
    EXPECT_EQ(rcBar.left, 0);
    EXPECT_EQ(rcBar.top, 0);
    EXPECT_GT(rcBar.Width(), 15);
    EXPECT_GT(rcBar.Height(), rcBar.Width());
    EXPECT_EQ(rcView.left, rcBar.right);
    EXPECT_EQ(rcView.top, 0);
    EXPECT_EQ(rcView.right, rcClient.right);
    // The gripper runs across the top, above the first button; the controls stand in a column.
    const CRect rcGripper = pBar->GetGripperRect();
    EXPECT_EQ(rcGripper.Width(), rcBar.Width());
    EXPECT_LE(rcGripper.bottom, pBar->GetControl(0)->GetRect().top);
    EXPECT_LE(pBar->GetControl(0)->GetRect().bottom, pBar->GetControl(1)->GetRect().top);
}

TEST_F(ToolBarFrame, NarrowingHidesButtonsBehindTheExpandSignAndWideningRestoresThem)
{
    for (int nTheme : {qorPaintThemeDefault, qorPaintThemeNativeXP}) {
        SCOPED_TRACE(nTheme);
        CQorPaintManager::SetGlobalTheme(nTheme);
        CheckNarrowingAndWidening(AddBar(12, AFX_IDW_TOOLBAR + nTheme));
        m_bars.back()->ShowWindow(SW_HIDE);
    }
    CQorPaintManager::SetGlobalTheme(qorPaintThemeDefault);
}

void ToolBarFrame::CheckNarrowingAndWidening(CQorToolBar* pBar)
{
    ASSERT_TRUE(pBar->m_dwFlags & CQorToolBar::flagHideWrap);
    SetFrameWidth(1000);
    const int nHeight = ChildRect(pBar->GetSafeHwnd()).Height();
    EXPECT_EQ(HiddenCount(pBar), 0);
    EXPECT_EQ(ChevronPixels(pBar), 0);

    SetFrameWidth(260);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    const CRect rcBar = ChildRect(pBar->GetSafeHwnd());
    EXPECT_GT(HiddenCount(pBar), 0);
    EXPECT_LT(HiddenCount(pBar), 12);
    // Squeezed, never wrapped: one row, within the frame.
    EXPECT_EQ(rcBar.Height(), nHeight);
    EXPECT_LE(rcBar.right, rcClient.right);
    for (int i = 0; i < 12; i++) {
        CQorControl* pControl = pBar->GetControl(i);
        if (pControl->IsVisible()) {
            EXPECT_LE(pControl->GetRect().right, pBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND)->GetRect().left)
                << i;
        }
    }
    EXPECT_GE(ChevronPixels(pBar), 10);

    SetFrameWidth(1000);
    EXPECT_EQ(HiddenCount(pBar), 0);
    EXPECT_EQ(ChevronPixels(pBar), 0);
}

TEST_F(ToolBarFrame, PreviewHidesTheVisibleBarsAndShowsExactlyThoseAgain)
{
    CQorToolBar* pShown = AddBar(2, AFX_IDW_TOOLBAR);
    CQorToolBar* pHidden = AddBar(2, AFX_IDW_TOOLBAR + 1);
    pHidden->ShowWindow(SW_HIDE);
    CQorToolBar::SetPreviewModeOfBars(m_pFrame, TRUE);
    EXPECT_FALSE(IsWindowVisible(pShown->GetSafeHwnd()));
    EXPECT_FALSE(IsWindowVisible(pHidden->GetSafeHwnd()));
    // Entering twice must not forget what was visible.
    CQorToolBar::SetPreviewModeOfBars(m_pFrame, TRUE);
    CQorToolBar::SetPreviewModeOfBars(m_pFrame, FALSE);
    EXPECT_TRUE(IsWindowVisible(pShown->GetSafeHwnd()));
    EXPECT_FALSE(IsWindowVisible(pHidden->GetSafeHwnd()));
}
