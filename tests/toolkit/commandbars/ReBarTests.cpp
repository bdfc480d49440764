// Tool bars in the site's rebar: each bar becomes a band of its own with the bar's id, leaving its
// dock bar; a band the rebar refuses leaves the bar docked as it was; removing the bar removes
// its band. And the floating popup bar's own visibility.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/FloatingPopupBar.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

WNDPROC g_pfnReBarProc = nullptr;
BOOL g_bRefuseBands = FALSE;

// A rebar that may refuse new bands.
LRESULT CALLBACK RefusingReBarProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (g_bRefuseBands && (nMessage == RB_INSERTBANDW || nMessage == RB_INSERTBANDA))
        return FALSE;
    return CallWindowProcW(g_pfnReBarProc, hWnd, nMessage, wParam, lParam);
}

class ReBar : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_COOL_CLASSES};
        InitCommonControlsEx(&icc);
        m_hWndSite = cbtest::CreatePlainWindow({50, 50, 750, 450}, WS_OVERLAPPEDWINDOW);
        m_hWndReBar = CreateWindowExW(
            0, REBARCLASSNAMEW, L"",
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | CCS_NODIVIDER, 0, 0, 700, 60,
            m_hWndSite, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CQorCommandBars::kReBarId)),
            GetModuleHandleW(nullptr), nullptr);
        g_pfnReBarProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(m_hWndReBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingReBarProc)));
        g_bRefuseBands = FALSE;
        m_pCommandBars = new CQorCommandBars;
        m_pCommandBars->SetSite(m_hWndSite);
        m_pCommandBars->CreateDockBars();
    }
    void TearDown() override
    {
        m_pCommandBars->InternalRelease();
        DestroyWindow(m_hWndSite);
        g_bRefuseBands = FALSE;
    }
    CQorDockBar* TopDockBar() const { return dynamic_cast<CQorDockBar*>(m_pCommandBars->GetDockBar(0)); }
    int BandCount() const { return static_cast<int>(SendMessageW(m_hWndReBar, RB_GETBANDCOUNT, 0, 0)); }
    REBARBANDINFOW Band(int nIndex) const
    {
        REBARBANDINFOW band = {};
        band.cbSize = REBARBANDINFOW_V3_SIZE;
        band.fMask = RBBIM_ID | RBBIM_CHILD | RBBIM_STYLE;
        SendMessageW(m_hWndReBar, RB_GETBANDINFOW, nIndex, reinterpret_cast<LPARAM>(&band));
        return band;
    }

    HWND m_hWndSite = nullptr;
    HWND m_hWndReBar = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
};

} // namespace

TEST_F(ReBar, TwoToolBarsBecomeTwoBandsWithTheirIdsAndLeaveTheDockBar)
{
    CQorCommandBar* pOne = m_pCommandBars->CreateToolBar(L"One", 201);
    CQorCommandBar* pTwo = m_pCommandBars->CreateToolBar(L"Two", 202);
    ASSERT_TRUE(pOne && pTwo);
    ASSERT_EQ(BandCount(), 2);
    const CQorCommandBar* bars[] = {pOne, pTwo};
    for (int i = 0; i < 2; i++) {
        const REBARBANDINFOW band = Band(i);
        EXPECT_EQ(band.wID, 201u + i) << i;
        EXPECT_EQ(band.hwndChild, bars[i]->GetSafeHwnd()) << i;
        EXPECT_EQ(band.fStyle & (RBBS_BREAK | RBBS_GRIPPERALWAYS), static_cast<UINT>(RBBS_BREAK | RBBS_GRIPPERALWAYS))
            << i;
        EXPECT_EQ(GetParent(bars[i]->GetSafeHwnd()), m_hWndReBar) << i;
        EXPECT_EQ(TopDockBar()->FindBar(bars[i]), -1) << i;
        // The rebar moves and grips it now: no docking, no gripper of its own.
        EXPECT_EQ(bars[i]->m_dwFlags & CQorToolBar::flagDockOrFloat, 0u) << i;
        EXPECT_EQ(bars[i]->m_dwBarStyle & CQorCommandBar::kStyleDrawFrame, 0u) << i;
    }

    m_pCommandBars->RemoveToolBar(0);
    ASSERT_EQ(BandCount(), 1);
    EXPECT_EQ(Band(0).wID, 202u);
}

TEST_F(ReBar, ARefusedBandLeavesTheBarDockedAsItWas)
{
    // Made while the rebar is away, so that it docks first.
    SetWindowLongPtrW(m_hWndReBar, GWLP_ID, 0);
    CQorCommandBar* pBar = m_pCommandBars->CreateToolBar(L"Docked", 301);
    ASSERT_NE(pBar, nullptr);
    SetWindowLongPtrW(m_hWndReBar, GWLP_ID, CQorCommandBars::kReBarId);
    const DWORD dwFlags = pBar->m_dwFlags;
    const DWORD dwStyle = pBar->m_dwBarStyle;
    ASSERT_GE(TopDockBar()->FindBar(pBar), 1);

    g_bRefuseBands = TRUE;
    EXPECT_FALSE(m_pCommandBars->AddToReBar(pBar));
    EXPECT_EQ(BandCount(), 0);
    EXPECT_GE(TopDockBar()->FindBar(pBar), 1);
    EXPECT_EQ(GetParent(pBar->GetSafeHwnd()), TopDockBar()->GetSafeHwnd());
    EXPECT_EQ(pBar->m_dwFlags, dwFlags);
    EXPECT_EQ(pBar->m_dwBarStyle, dwStyle);

    g_bRefuseBands = FALSE;
    EXPECT_TRUE(m_pCommandBars->AddToReBar(pBar));
    EXPECT_EQ(BandCount(), 1);
    EXPECT_EQ(TopDockBar()->FindBar(pBar), -1);
}

TEST(FloatingPopupBar, ItsVisibilityFollowsShowingAndHidingOfItsOwnWindow)
{
    const HWND hWndParent = cbtest::CreatePlainWindow({0, 0, 400, 200}, WS_POPUP);
    CQorFloatingPopupBar* pBar = new CQorFloatingPopupBar;
    EXPECT_EQ(pBar->GetType(), qorBarTypePopup);
    EXPECT_FALSE(pBar->IsVisible());
    ASSERT_TRUE(pBar->Create(CWnd::FromHandle(hWndParent), qorBarTop));
    // A child of a hidden window: shown itself, though not on the screen.
    EXPECT_TRUE(pBar->IsVisible());
    pBar->ShowWindow(SW_HIDE);
    EXPECT_FALSE(pBar->IsVisible());
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_TRUE(pBar->IsVisible());
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    EXPECT_FALSE(pBar->IsVisible());
    pBar->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(pBar->IsVisible());
    pBar->DestroyWindow();
    EXPECT_FALSE(pBar->IsVisible());
    pBar->InternalRelease();
    DestroyWindow(hWndParent);
}
