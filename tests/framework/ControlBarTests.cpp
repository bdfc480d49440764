// Control bars: the strip a bar takes in its frame's layout, the inside rectangle of its
// style, and the idle update of status panes through the frame's key-indicator handlers.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/framework/ControlBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "tests/common/WineTestSupport.h"

namespace {

// Three indicator panes whose styles and texts the updates change.
class CTestPanes : public CStatusPaneTarget
{
public:
    std::vector<UINT> ids{ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    std::vector<UINT> styles = std::vector<UINT>(3, 0);
    UINT GetPaneStyle(int nIndex) const override { return styles[nIndex]; }
    void SetPaneStyle(int nIndex, UINT nStyle) override { styles[nIndex] = nStyle; }
    BOOL SetPaneText(int, LPCTSTR) override { return TRUE; }
};

class CTestBar : public CControlBar
{
public:
    int height = 20;
    CTestPanes panes;
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(0x7FFF, height); }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        CStatusCmdUI state(&panes);
        state.m_pOther = this;
        for (size_t i = 0; i < panes.ids.size(); ++i) {
            state.m_nID = panes.ids[i];
            state.m_nIndex = static_cast<UINT>(i);
            state.DoUpdate(pTarget, bDisableIfNoHndler);
        }
    }
};

struct ControlBarFixture : testing::Test
{
    CFrameWnd* frame = nullptr;
    CTestBar bar;
    CWnd view;

    void SetUp() override
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, L"bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        bar.SetBarStyle(CBRS_BOTTOM);
        ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(view.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow(); // deletes itself
    }
};


} // namespace

TEST_F(ControlBarFixture, BottomBarTakesItsStripAndTheViewTheRest)
{
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(CRect(testsupport::WindowRectIn(bar.m_hWnd, frame->m_hWnd)), CRect(0, client.bottom - 20, client.right, client.bottom));
    EXPECT_EQ(CRect(testsupport::WindowRectIn(view.m_hWnd, frame->m_hWnd)), CRect(0, 0, client.right, client.bottom - 20));

    // A hidden bar takes nothing.
    bar.ShowWindow(SW_HIDE);
    frame->RecalcLayout();
    EXPECT_EQ(CRect(testsupport::WindowRectIn(view.m_hWnd, frame->m_hWnd)), client);
}

TEST_F(ControlBarFixture, TopBarTakesTheTopStrip)
{
    bar.SetBarStyle(CBRS_ALIGN_TOP);
    bar.height = 30;
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(CRect(testsupport::WindowRectIn(bar.m_hWnd, frame->m_hWnd)), CRect(0, 0, client.right, 30));
    EXPECT_EQ(CRect(testsupport::WindowRectIn(view.m_hWnd, frame->m_hWnd)).top, 30);
}

TEST(ControlBar, InsideRectLosesBorderLinesAndBorderWords)
{
    const int cx = 2 * ::GetSystemMetrics(SM_CXBORDER), cy = 2 * ::GetSystemMetrics(SM_CYBORDER);
    struct Case
    {
        const char* name;
        DWORD style;
        int borders[4];
        CRect expected;
    } cases[] = {
        {"none", 0, {0, 0, 0, 0}, CRect(0, 0, 100, 50)},
        {"bottom bar: top line", CBRS_BOTTOM, {0, 0, 0, 0}, CRect(0, cy, 100, 50)},
        {"all lines", CBRS_BORDER_ANY, {0, 0, 0, 0}, CRect(cx, cy, 100 - cx, 50 - cy)},
        {"words", 0, {6, 2, 5, 1}, CRect(6, 2, 95, 49)},
    };
    for (const Case& c : cases) {
        CTestBar bar;
        bar.SetBarStyle(c.style);
        bar.m_cxLeftBorder = c.borders[0];
        bar.m_cyTopBorder = c.borders[1];
        bar.m_cxRightBorder = c.borders[2];
        bar.m_cyBottomBorder = c.borders[3];
        CRect rc(0, 0, 100, 50);
        bar.CalcInsideRect(rc, TRUE);
        EXPECT_EQ(rc, c.expected) << c.name;
    }
}

TEST_F(ControlBarFixture, IdleUpdateEnablesKeyIndicatorsWhileTheirKeyIsToggledOn)
{
    BYTE saved[256];
    ::GetKeyboardState(saved);
    struct Case
    {
        bool caps, num, scroll;
    } cases[] = {{true, false, false}, {false, true, true}, {false, false, false}, {true, true, true}};
    for (const Case& c : cases) {
        testsupport::SetLockKeyToggles(c.caps, c.num, c.scroll);
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ((bar.panes.styles[0] & SBPS_DISABLED) == 0, c.caps);
        EXPECT_EQ((bar.panes.styles[1] & SBPS_DISABLED) == 0, c.num);
        EXPECT_EQ((bar.panes.styles[2] & SBPS_DISABLED) == 0, c.scroll);
    }
    ::SetKeyboardState(saved);
}

TEST(StatusCmdUI, CheckSetsThePushedInBitAndKeepsTheOthers)
{
    CTestPanes panes;
    panes.styles[1] = SBPS_DISABLED;
    CStatusCmdUI state(&panes);
    state.m_nIndex = 1;
    state.SetCheck(1);
    EXPECT_EQ(panes.styles[1], static_cast<UINT>(SBPS_DISABLED | SBPS_POPOUT));
    state.SetCheck(0);
    state.Enable(TRUE);
    EXPECT_EQ(panes.styles[1], 0u);
}

// Print preview takes the frame's menu, shortcuts and bars away and gives back exactly what it
// took: a bar hidden before the preview stays hidden after it, the status bar stays throughout.
TEST_F(ControlBarFixture, PreviewModeHidesTheVisibleBarsAndGivesBackWhatItTook)
{
    CTestBar toolBar, hiddenBar;
    toolBar.SetBarStyle(CBRS_TOP);
    hiddenBar.SetBarStyle(CBRS_TOP);
    ASSERT_TRUE(toolBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(hiddenBar.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), frame, AFX_IDW_TOOLBAR + 5));
    HMENU menu = ::CreateMenu();
    ::AppendMenuW(menu, MF_STRING, 100, L"&Page");
    ::SetMenu(frame->m_hWnd, menu);
    ACCEL accel = {FVIRTKEY | FCONTROL, 'P', 100};
    HACCEL table = ::CreateAcceleratorTableW(&accel, 1);
    frame->m_hAccelTable = table;
    frame->ShowWindow(SW_SHOW);
    ::SetFocus(toolBar.m_hWnd);
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);

    CPrintPreviewState state;
    frame->OnSetPreviewMode(TRUE, &state);
    EXPECT_TRUE(frame->IsInPreviewMode());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_EQ(frame->m_hAccelTable, nullptr);
    EXPECT_FALSE(toolBar.IsWindowVisible());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(state.dwStates, 1u << (AFX_IDW_TOOLBAR - AFX_IDW_CONTROLBAR_FIRST));
    // The view takes the room the tool bar left.
    EXPECT_EQ(CRect(testsupport::WindowRectIn(view.m_hWnd, frame->m_hWnd)).top, 0);

    // Entering again while previewing must not overwrite what the first entry kept.
    CPrintPreviewState second;
    frame->OnSetPreviewMode(TRUE, &second);
    EXPECT_EQ(second.hMenu, nullptr);

    ::SetFocus(frame->m_hWnd);
    frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_FALSE(frame->IsInPreviewMode());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), menu);
    EXPECT_EQ(frame->m_hAccelTable, table);
    EXPECT_TRUE(toolBar.IsWindowVisible());
    EXPECT_FALSE(hiddenBar.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), toolBar.m_hWnd);
    EXPECT_EQ(CRect(testsupport::WindowRectIn(view.m_hWnd, frame->m_hWnd)).top, 20);

    toolBar.DestroyWindow();
    hiddenBar.DestroyWindow();
    frame->m_hAccelTable = nullptr;
    ::DestroyAcceleratorTable(table);
}
