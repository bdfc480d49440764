// Popups run as context menus: the chosen command returned instead of sent, Escape and a quit
// request ending the popup's own loop, recursive popups suspending the bars below them (and
// letting go of them cleanly whatever happened meanwhile), and the tool-bars context menu of the
// dock bars.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/Menu.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

struct PopupSiteLog
{
    std::vector<UINT> commands;
    int nContextMenus = 0; // 0x285C
    int nPopupsShown = 0;  // 0x285B
    int nSizes = 0;        // WM_SIZE
    CQorCommandBar* pContextMenu = nullptr;
};
PopupSiteLog g_log;

LRESULT CALLBACK PopupSiteProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case WM_COMMAND:
        if (lParam == 0)
            g_log.commands.push_back(LOWORD(wParam));
        return 0;
    case QORWM_TOOLBARCONTEXTMENU:
        g_log.nContextMenus++;
        g_log.pContextMenu = reinterpret_cast<CQorCommandBar*>(lParam);
        return 0;
    case QORWM_INITMENUPOPUP:
        g_log.nPopupsShown++;
        return 0;
    case WM_SIZE:
        g_log.nSizes++;
        break;
    default:
        break;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

BOOL CALLBACK CollectPopupWindow(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    if (IsWindowVisible(hWnd) && std::wstring(szClass).rfind(L"QorPopupBar", 0) == 0)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The visible popup windows of this thread.
std::vector<HWND> PopupWindows(DWORD dwThreadId)
{
    std::vector<HWND> windows;
    EnumThreadWindows(dwThreadId, CollectPopupWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A test that failed to choose must not leave its popup (and its loop) open; a key sent when
// nothing is open would stay queued for the next test.
void CloseIfStillOpen(DWORD dwThreadId)
{
    if (PopupWindows(dwThreadId).empty())
        return;
    cbtest::SendKey(VK_ESCAPE);
    cbtest::SendKey(VK_ESCAPE, true);
}

int g_nSpyBarsAlive = 0;
class CSpyToolBar : public CQorToolBar
{
public:
    CSpyToolBar() { g_nSpyBarsAlive++; }
    ~CSpyToolBar() override { g_nSpyBarsAlive--; }
};

class CommandBarsPopup : public testing::Test
{
protected:
    void SetUp() override
    {
        g_log = PopupSiteLog();
        m_hWndSite = cbtest::CreateWindowWithProc(L"CommandBarsPopupSite", PopupSiteProc, {100, 100, 700, 500},
                                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
        ASSERT_TRUE(m_menu.CreatePopupMenu());
        m_menu.AppendMenu(MF_STRING, 101, L"&One");
        m_menu.AppendMenu(MF_STRING, 102, L"&Two");
        m_menu.AppendMenu(MF_STRING, 103, L"T&hree");
    }
    void TearDown() override
    {
        GetMouseManager()->CloseTrackedPopups();
        DestroyWindow(m_hWndSite);
        cbtest::PendingLaterAction() = nullptr;
    }
    // A tool bar of the site that tracks, as a menu bar does while its menu is open.
    CSpyToolBar* MakeTrackingBar()
    {
        CSpyToolBar* pBar = new CSpyToolBar;
        const UINT ids[] = {201, 202};
        pBar->SetButtons(ids, 2);
        EXPECT_TRUE(pBar->Create(CWnd::FromHandle(m_hWndSite), qorBarTop));
        pBar->SetTrackingMode(1, FALSE, FALSE);
        return pBar;
    }

    HWND m_hWndSite = nullptr;
    CMenu m_menu;
};

} // namespace

namespace {

// Runs a popup's tracking while a helper thread clicks the second of its three items (and closes
// it should the click miss).
void RunAndClickSecondItem(const std::function<void()>& track)
{
    const DWORD dwThread = GetCurrentThreadId();
    cbtest::RunWithInput(
        {{500,
          [dwThread] {
              const std::vector<HWND> popups = PopupWindows(dwThread);
              if (popups.size() != 1)
                  return;
              RECT rc;
              GetWindowRect(popups[0], &rc);
              // Three items between the top and bottom borders of 4 pixels.
              const int cyItem = (rc.bottom - rc.top - 8) / 3;
              cbtest::SendClick({(rc.left + rc.right) / 2, rc.top + 4 + cyItem + cyItem / 2});
          }},
         {1500, [dwThread] { CloseIfStillOpen(dwThread); }}},
        track);
}

// Tracks the test menu with the flags and clicks its second item.
int TrackAndClickSecondItem(CMenu* pMenu, UINT nFlags, HWND hWndOwner)
{
    int nResult = -1;
    RunAndClickSecondItem(
        [&] { nResult = CQorCommandBars::TrackCommandBarPopupMenu(pMenu, nFlags, 200, 150, hWndOwner); });
    return nResult;
}

} // namespace

TEST_F(CommandBarsPopup, AClickOnTheSecondItemReturnsItsIdAndSendsNoCommand)
{
    EXPECT_EQ(TrackAndClickSecondItem(&m_menu, CQorCommandBars::trackReturnCommand, m_hWndSite), 102);
    EXPECT_TRUE(g_log.commands.empty());
    EXPECT_TRUE(PopupWindows(GetCurrentThreadId()).empty());
    EXPECT_FALSE(GetMouseManager()->IsTrackingPopup());

    // Without the flag the command goes to the owner and the answer is TRUE.
    EXPECT_EQ(TrackAndClickSecondItem(&m_menu, 0, m_hWndSite), TRUE);
    EXPECT_EQ(g_log.commands, (std::vector<UINT>{102}));
}

namespace {

std::vector<UINT> g_ownerCommands;

LRESULT CALLBACK CommandOwnerProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND && lParam == 0) {
        g_ownerCommands.push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

} // namespace

TEST_F(CommandBarsPopup, AChosenItemRunsInTheCommandOwnerAndARecursivePopupClosesAlone)
{
    const HWND hWndOwner =
        cbtest::CreateWindowWithProc(L"CommandBarsPopupOwner", CommandOwnerProc, {0, 0, 10, 10}, WS_POPUP);
    struct Case
    {
        const char* name;
        UINT nFlags;
        BOOL bCommandOwner;  // TrackPopupBarAt is given a command owner
        BOOL bTrackingBelow; // a bar tracks below the popup
        BOOL bOwnerGetsIt;   // else the site does
        int nModeBelowAfter; // the tracking mode of the bar below afterwards
    } cases[] = {
        {"command owner given", 0, TRUE, FALSE, TRUE, -1},
        {"no command owner", 0, FALSE, FALSE, FALSE, -1},
        {"recursive over a tracking bar", CQorCommandBars::trackRecursive, TRUE, TRUE, TRUE, 1},
        {"plain over a tracking bar", 0, TRUE, TRUE, TRUE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.commands.clear();
        g_ownerCommands.clear();
        CSpyToolBar* pBelow = c.bTrackingBelow ? MakeTrackingBar() : nullptr;
        CQorCommandBar* pPopup = CQorControlPopup::CreatePopupBar(nullptr);
        pPopup->LoadMenu(&m_menu);
        int nModeBelowInside = -1;
        RunAndClickSecondItem([&] {
            CQorCommandBars::TrackPopupBarAt(pPopup, c.nFlags, 200, 150, nullptr, m_hWndSite,
                                             c.bCommandOwner ? hWndOwner : nullptr);
            nModeBelowInside = pBelow ? pBelow->GetTrackingMode() : -1;
        });
        pPopup->InternalRelease();
        const std::vector<UINT> chosen = {102};
        EXPECT_EQ(g_ownerCommands, c.bOwnerGetsIt ? chosen : std::vector<UINT>());
        EXPECT_EQ(g_log.commands, c.bOwnerGetsIt ? std::vector<UINT>() : chosen);
        EXPECT_EQ(nModeBelowInside, c.nModeBelowAfter);
        if (pBelow) {
            pBelow->SetTrackingMode(0);
            pBelow->DestroyWindow();
            pBelow->InternalRelease();
        }
        cbtest::PumpFor(30);
    }
    DestroyWindow(hWndOwner);
}

TEST_F(CommandBarsPopup, EscapeAndAQuitRequestEndTheLoopWithNothingChosen)
{
    const DWORD dwThread = GetCurrentThreadId();
    int nResult = -1;
    cbtest::RunWithInput({{400, [] { cbtest::SendKey(VK_ESCAPE), cbtest::SendKey(VK_ESCAPE, true); }}}, [&] {
        nResult = CQorCommandBars::TrackCommandBarPopupMenu(&m_menu, CQorCommandBars::trackReturnCommand, 200, 150,
                                                            m_hWndSite);
    });
    EXPECT_EQ(nResult, 0);
    EXPECT_TRUE(PopupWindows(dwThread).empty());
    cbtest::PumpFor(50); // the key's release

    // A quit request inside: the popup closes, the call answers 0 and the request is still there
    // for the outer loop, exit code and all.
    BOOL bOpenWhenQuit = FALSE;
    cbtest::RunLater(300, [&] {
        bOpenWhenQuit = PopupWindows(dwThread).size() == 1;
        PostQuitMessage(7);
    });
    nResult =
        CQorCommandBars::TrackCommandBarPopupMenu(&m_menu, CQorCommandBars::trackReturnCommand, 200, 150, m_hWndSite);
    EXPECT_TRUE(bOpenWhenQuit);
    EXPECT_EQ(nResult, 0);
    EXPECT_TRUE(PopupWindows(dwThread).empty());
    EXPECT_FALSE(GetMouseManager()->IsTrackingPopup());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(CommandBarsPopup, AMenuOfARightToLeftOwnerOrAskedRightAlignedExtendsLeftOfThePoint)
{
    const HWND hWndRtl = CreateWindowExW(WS_EX_LAYOUTRTL, L"CommandBarsPopupSite", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                         300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hWndRtl, nullptr);
    struct Case
    {
        const char* name;
        HWND hWndOwner;
        UINT nFlags;
        BOOL bLeft;
    } cases[] = {{"plain", m_hWndSite, 0, FALSE},
                 {"asked right-aligned", m_hWndSite, CQorCommandBars::trackRightAlign, TRUE},
                 {"right-to-left owner", hWndRtl, 0, TRUE}};
    const CPoint pt(600, 300);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect rcMenu(0, 0, 0, 0);
        cbtest::RunLater(300, [&] {
            if (CQorCommandBar* pMenu = cbtest::InnermostTrackedBar()) {
                pMenu->GetWindowRect(&rcMenu);
                pMenu->SetTrackingMode(0);
            }
        });
        CQorCommandBars::TrackCommandBarPopupMenu(&m_menu, c.nFlags, pt.x, pt.y, c.hWndOwner);
        ASSERT_FALSE(rcMenu.IsRectEmpty());
        EXPECT_EQ(rcMenu.top, pt.y);
        if (c.bLeft)
            EXPECT_EQ(rcMenu.right, pt.x);
        else
            EXPECT_EQ(rcMenu.left, pt.x);
    }
    DestroyWindow(hWndRtl);
}

TEST_F(CommandBarsPopup, ARecursivePopupSuspendsTheBarsBelowAndLetsGoOfExactlyThose)
{
    struct Case
    {
        const char* name;
        int nMeanwhile; // 0 nothing, 1 the lower bar stops tracking, 2 the lower bar is destroyed
    } cases[] = {{"plain", 0}, {"lower chain closed", 1}, {"lower bar destroyed", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSpyToolBar* pLower = MakeTrackingBar();
        const int nAliveBefore = g_nSpyBarsAlive;
        int nLockInside = -1;
        BOOL bAliveAfterRelease = FALSE;
        cbtest::RunLater(300, [&] {
            nLockInside = pLower->GetModalLockCount();
            if (c.nMeanwhile == 1)
                pLower->SetTrackingMode(0);
            if (c.nMeanwhile == 2) {
                pLower->DestroyWindow();
                pLower->InternalRelease();
                bAliveAfterRelease = g_nSpyBarsAlive == nAliveBefore;
            }
            if (CQorCommandBar* pPopup = cbtest::InnermostTrackedBar())
                pPopup->SetTrackingMode(0);
        });
        CQorCommandBar* pPopup = CQorControlPopup::CreatePopupBar(nullptr);
        pPopup->LoadMenu(&m_menu);
        CQorCommandBars::TrackPopupBarAt(pPopup, CQorCommandBars::trackRecursive, 250, 200, nullptr, m_hWndSite);
        pPopup->InternalRelease();
        EXPECT_EQ(nLockInside, 1);
        if (c.nMeanwhile == 2) {
            // Held while suspended, freed once let go.
            EXPECT_TRUE(bAliveAfterRelease);
            EXPECT_EQ(g_nSpyBarsAlive, nAliveBefore - 1);
            continue;
        }
        EXPECT_EQ(pLower->GetModalLockCount(), 0);
        // A recursive popup leaves the bars below it open.
        EXPECT_EQ(pLower->GetTrackingMode(), c.nMeanwhile == 1 ? 0 : 1);
        pLower->SetTrackingMode(0);
        pLower->DestroyWindow();
        pLower->InternalRelease();
    }

    // Without the flag, the bars tracking close first.
    CSpyToolBar* pLower = MakeTrackingBar();
    int nModeInside = -1;
    cbtest::RunLater(300, [&] {
        nModeInside = pLower->GetTrackingMode();
        if (CQorCommandBar* pPopup = cbtest::InnermostTrackedBar())
            pPopup->SetTrackingMode(0);
    });
    CQorCommandBar* pPopup = CQorControlPopup::CreatePopupBar(nullptr);
    pPopup->LoadMenu(&m_menu);
    CQorCommandBars::TrackPopupBarAt(pPopup, 0, 250, 200, nullptr, m_hWndSite);
    pPopup->InternalRelease();
    EXPECT_EQ(nModeInside, 0);
    pLower->DestroyWindow();
    pLower->InternalRelease();
}

TEST_F(CommandBarsPopup, AnOpenPopupTakesTheMenuKeyAltReleaseAndWheelFromTheFrame)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    pCommandBars->SetSite(m_hWndSite);
    MSG msg = {m_hWndSite, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWndSite), -1};
    EXPECT_FALSE(pCommandBars->PreTranslateFrameMessage(&msg));
    CSpyToolBar* pBar = MakeTrackingBar();
    EXPECT_TRUE(pCommandBars->PreTranslateFrameMessage(&msg));
    msg.message = WM_SYSKEYUP;
    msg.wParam = VK_MENU;
    msg.lParam = 0xC0000001;
    EXPECT_TRUE(pCommandBars->PreTranslateFrameMessage(&msg));
    // The wheel stays with the tracking bar rather than scrolling the window under the pointer.
    MSG wheel = {m_hWndSite, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300)};
    EXPECT_TRUE(pCommandBars->PreTranslateFrameMessage(&wheel));
    pBar->SetTrackingMode(0);
    EXPECT_FALSE(pCommandBars->PreTranslateFrameMessage(&msg));
    EXPECT_FALSE(pCommandBars->PreTranslateFrameMessage(&wheel));
    pBar->DestroyWindow();
    pBar->InternalRelease();
    pCommandBars->InternalRelease();
}

namespace {

class DockBarContextMenu : public CommandBarsPopup
{
protected:
    void SetUp() override
    {
        CommandBarsPopup::SetUp();
        m_pCommandBars = new CQorCommandBars;
        m_pCommandBars->SetSite(m_hWndSite);
        m_pCommandBars->CreateDockBars();
        m_pOne = static_cast<CQorToolBar*>(m_pCommandBars->CreateToolBar(L"One", 301));
        m_pTwo = static_cast<CQorToolBar*>(m_pCommandBars->CreateToolBar(L"T&wo", 302));
    }
    void TearDown() override
    {
        m_pCommandBars->InternalRelease();
        CommandBarsPopup::TearDown();
    }
    // A right click on the top dock bar; while the menu is open, pick reads it and may choose.
    void RightClick(std::function<void(CQorCommandBar*)> pick)
    {
        cbtest::RunLater(300, [pick] {
            CQorCommandBar* pMenu = cbtest::InnermostTrackedBar();
            pick(pMenu);
            if (pMenu && pMenu->GetTrackingMode() != 0)
                pMenu->SetTrackingMode(0);
        });
        ::SendMessageW(m_pCommandBars->GetDockBar(0)->GetSafeHwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3));
        cbtest::PendingLaterAction() = nullptr;
    }
    static BOOL Shown(CQorCommandBar* pBar) { return (pBar->GetStyle() & WS_VISIBLE) != 0; }

    CQorCommandBars* m_pCommandBars = nullptr;
    CQorToolBar* m_pOne = nullptr;
    CQorToolBar* m_pTwo = nullptr;
};

} // namespace

TEST_F(DockBarContextMenu, ListsTheBarsCheckedWhileShownAndChoosingOneHidesIt)
{
    ASSERT_TRUE(m_pOne && m_pTwo);
    std::vector<std::wstring> captions;
    std::vector<int> checks;
    const int nSizesBefore = g_log.nSizes;
    m_pOne->ShowWindow(SW_HIDE);
    RightClick([&](CQorCommandBar* pMenu) {
        if (!pMenu || pMenu != g_log.pContextMenu)
            return;
        for (int i = 0; i < pMenu->GetControlCount(); i++) {
            CQorControl* pControl = pMenu->GetControl(i);
            if (!pControl->IsVisible())
                continue;
            captions.push_back(static_cast<LPCWSTR>(pControl->GetCaption()));
            checks.push_back(pControl->GetChecked() ? 1 : 0);
        }
        if (pMenu->GetControlCount() == 3)
            pMenu->GetControl(2)->OnExecute();
    });
    EXPECT_EQ(g_log.nContextMenus, 1);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"One", L"T&&wo"}));
    EXPECT_EQ(checks, (std::vector<int>{0, 1}));
    EXPECT_FALSE(Shown(m_pTwo));
    EXPECT_GT(g_log.nSizes, nSizesBefore);
    EXPECT_FALSE(GetMouseManager()->IsTrackingPopup());
}

namespace {

// A control with a menu of its own on the right button.
class CRightPressControl : public CQorControlButton
{
public:
    BOOL OnRButtonDown(CPoint) override
    {
        nPresses++;
        return TRUE;
    }
    int nPresses = 0;
};

} // namespace

TEST_F(DockBarContextMenu, ARightClickOnAToolBarOpensTheSameMenuOutsideCustomizeMode)
{
    ASSERT_TRUE(m_pOne && m_pTwo);
    int nEntries = -1;
    cbtest::RunLater(300, [&] {
        CQorCommandBar* pMenu = cbtest::InnermostTrackedBar();
        nEntries = 0;
        for (int i = 0; pMenu && i < pMenu->GetControlCount(); i++)
            nEntries += pMenu->GetControl(i)->IsVisible() ? 1 : 0;
        if (pMenu)
            pMenu->SetTrackingMode(0);
    });
    m_pOne->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(g_log.nContextMenus, 1);
    EXPECT_EQ(nEntries, 2);

    m_pCommandBars->SetCustomizeMode(TRUE);
    m_pOne->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(g_log.nContextMenus, 1);
    m_pCommandBars->SetCustomizeMode(FALSE);

    // Over a control that takes the press itself, the bar shows no menu.
    CRightPressControl* pTaking = new CRightPressControl;
    m_pOne->GetControls()->InsertControl(pTaking, 7301);
    pTaking->SetRect(CRect(40, 0, 60, 20));
    cbtest::RunLater(300, [] {
        if (CQorCommandBar* pMenu = cbtest::InnermostTrackedBar())
            pMenu->SetTrackingMode(0);
    });
    m_pOne->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(45, 5));
    cbtest::PendingLaterAction() = nullptr;
    EXPECT_EQ(pTaking->nPresses, 1);
    EXPECT_EQ(g_log.nContextMenus, 1);
}

TEST_F(DockBarContextMenu, NothingInCustomizeModeAndNoMenuWithoutListedBars)
{
    m_pCommandBars->SetCustomizeMode(TRUE);
    RightClick([](CQorCommandBar*) {});
    EXPECT_EQ(g_log.nContextMenus, 0);
    EXPECT_EQ(g_log.nPopupsShown, 0);
    m_pCommandBars->SetCustomizeMode(FALSE);

    // A bar with its listing flags cleared is left out.
    m_pOne->m_bListed = FALSE;
    int nEntries = -1;
    RightClick([&](CQorCommandBar* pMenu) {
        nEntries = 0;
        for (int i = 0; pMenu && i < pMenu->GetControlCount(); i++)
            nEntries += pMenu->GetControl(i)->IsVisible() ? 1 : 0;
    });
    EXPECT_EQ(nEntries, 1);

    // None listed: the site has its say, but no menu shows.
    m_pTwo->m_bSaved = FALSE;
    g_log.nPopupsShown = 0;
    g_log.nContextMenus = 0;
    RightClick([](CQorCommandBar*) {});
    EXPECT_EQ(g_log.nContextMenus, 1);
    EXPECT_EQ(g_log.nPopupsShown, 0);
}
