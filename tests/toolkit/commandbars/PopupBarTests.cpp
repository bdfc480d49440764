// Popup bars on the screen, driven with real input: a drop-down button's popup opens below it,
// tells the site, closes on Escape and outside clicks; submenus open on hover and with the
// arrow keys; a tall popup scrolls; rarely used controls hide until the popup expands (after a
// delay, by Ctrl+Down, by a press on the expand button, or after 5 s on a sub-menu); shadows
// come and go with the popup; context menus open and close without a parent control.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/PopupToolBar.h"
#include "toolkit/commandbars/Shadows.h"

namespace {

const int kPopupId = 6000;
const int kFirstItem = 6001;
const int kSubMenuId = 6100;

struct SiteRecord
{
    std::vector<UINT> messages; // 0x285B and 0x285D in order
    std::vector<int> commands;
};
SiteRecord* g_pRecord = nullptr;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pRecord) {
        if (nMsg == QORWM_INITMENUPOPUP || nMsg == QORWM_UNINITMENUPOPUP) {
            g_pRecord->messages.push_back(nMsg);
            return 0;
        }
        if (nMsg == WM_COMMAND && lParam == 0) {
            g_pRecord->commands.push_back(LOWORD(wParam));
            return 0;
        }
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

POINT CentreOnScreen(CQorControl* pControl)
{
    const CRect rc = pControl->GetRect();
    return cbtest::ScreenPoint(pControl->GetParent()->GetSafeHwnd(), rc.CenterPoint().x, rc.CenterPoint().y);
}

void PressKey(WORD vk)
{
    cbtest::SendKey(vk);
    cbtest::SendKey(vk, true);
}

class PopupBarWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        g_pRecord = &m_record;
        m_hWndSite = cbtest::CreateWindowWithProc(L"PopupBarSite", SiteProc, m_rcSite,
                                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_TRUE(m_hWndSite);
        ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    }
    void TearDown() override
    {
        if (CQorMouseManager* pMouseManager = FindMouseManager())
            pMouseManager->CloseTrackedPopups();
        // The pointer leaves where the windows of later tests appear.
        cbtest::SendMouse({GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10});
        cbtest::PumpFor(20);
        if (m_pBar) {
            m_pBar->DestroyWindow();
            m_pBar->InternalRelease();
        }
        if (m_pCommandBars)
            m_pCommandBars->InternalRelease();
        DestroyWindow(m_hWndSite);
        g_pRecord = nullptr;
    }

    // A bar along the top of the site with one button opening a popup of nItems items.
    void CreateBar(int nItems, int nType = qorControlButtonPopup)
    {
        m_pBar = new CQorCommandBar;
        m_pBar->SetCommandBars(m_pCommandBars);
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 30, m_hWndSite, nullptr));
        m_pControl = new CQorControlPopup;
        m_pControl->m_nType = nType;
        m_pPopup = CQorPopupBar::CreatePopupBar(m_pCommandBars);
        m_pControl->SetCommandBar(m_pPopup);
        m_pBar->GetControls()->InsertControl(m_pControl, kPopupId);
        m_pControl->SetRect(CRect(10, 4, 70, 26));
        for (int i = 0; i < nItems; i++)
            m_pPopup->GetControls()->Add(qorControlButton, kFirstItem + i)->SetCaption(L"Item");
    }
    // A manager of the site whose options hide two items as rarely used.
    void CreateManagerHidingItems(int nFirstHidden, int nCount)
    {
        m_pCommandBars = new CQorCommandBars;
        m_pCommandBars->SetSite(m_hWndSite);
        CQorCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
        pOptions->m_bAlwaysShowFullMenus = FALSE;
        for (int i = 0; i < nCount; i++)
            pOptions->m_mapHiddenCommands.SetAt(kFirstItem + nFirstHidden + i, TRUE);
    }
    // A click on the control; nOffset moves it along the control, so that a click soon after
    // another is not taken for a double click (which would expand the popup as well).
    BOOL OpenByClick(int nOffset = 0)
    {
        POINT pt = CentreOnScreen(m_pControl);
        pt.x += nOffset;
        cbtest::SendClick(pt);
        return testsupport::PumpUntil([&] { return m_pPopup->IsVisible(); }, 2000);
    }
    void CloseEverything()
    {
        GetMouseManager()->CloseTrackedPopups();
        cbtest::PumpFor(20);
    }
    CRect PopupWindowRect(CQorCommandBar* pBar) const
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        return rc;
    }

    RECT m_rcSite = {100, 100, 700, 500};
    SiteRecord m_record;
    HWND m_hWndSite = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
    CQorCommandBar* m_pBar = nullptr;
    CQorControlPopup* m_pControl = nullptr;
    CQorPopupBar* m_pPopup = nullptr; // held by the control
};

} // namespace

TEST_F(PopupBarWindow, DropDownOpensBelowItsButtonTellsTheSiteAndClosesOnEscapeAndOutsideClicks)
{
    CreateBar(5);
    ASSERT_TRUE(OpenByClick());
    CRect rcButton = m_pControl->GetRect();
    m_pBar->ClientToScreen(&rcButton);
    const CRect rcPopup = PopupWindowRect(m_pPopup);
    EXPECT_EQ(rcPopup.top, rcButton.bottom) << "below the button";
    EXPECT_EQ(rcPopup.left, rcButton.left - 1) << "lined up with the button's widened edge";
    EXPECT_EQ(m_pPopup->GetPopupFlags(), qorPopupDropDown);
    EXPECT_EQ(m_record.messages, std::vector<UINT>{QORWM_INITMENUPOPUP});
    EXPECT_EQ(m_pBar->GetPopuped(), m_pControl->GetIndex());
    EXPECT_EQ(m_pPopup->GetParentCommandBar(), m_pBar);
    EXPECT_TRUE(m_pPopup->GetExStyle() & WS_EX_TOOLWINDOW);
    WCHAR szClass[64] = {};
    GetClassNameW(m_pPopup->GetSafeHwnd(), szClass, 64);
    EXPECT_STREQ(szClass, L"QorPopupBarSaveBits") << "no manager redraws what it covers";
    EXPECT_TRUE(GetClassLongPtrW(m_pPopup->GetSafeHwnd(), GCL_STYLE) & CS_SAVEBITS);
    EXPECT_EQ(GetForegroundWindow(), m_hWndSite) << "the popup never takes the activation";

    // A click on the popup's own empty border leaves the frame active as well.
    cbtest::SendClick({rcPopup.left + 1, rcPopup.top + 1});
    cbtest::PumpFor(50);
    EXPECT_EQ(GetForegroundWindow(), m_hWndSite);
    EXPECT_TRUE(m_pPopup->IsVisible());

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->GetSafeHwnd() == nullptr; }, 2000));
    EXPECT_EQ(m_record.messages, (std::vector<UINT>{QORWM_INITMENUPOPUP, QORWM_UNINITMENUPOPUP}));
    EXPECT_EQ(m_pBar->GetPopuped(), -1);
    EXPECT_FALSE(m_pControl->IsPopupOpen());
    PressKey(VK_ESCAPE); // the bar leaves the keyboard too
    cbtest::PumpFor(30);
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);

    ASSERT_TRUE(OpenByClick()) << "opens again after Escape";
    cbtest::SendClick(cbtest::ScreenPoint(m_hWndSite, 300, 250));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->GetSafeHwnd() == nullptr; }, 2000));
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
    EXPECT_EQ(m_record.messages.size(), 4u);
    EXPECT_TRUE(m_record.commands.empty());
}

TEST_F(PopupBarWindow, ItemClickRunsItsCommandAndClosesTheMenu)
{
    CreateBar(4);
    ASSERT_TRUE(OpenByClick());
    cbtest::SendClick(CentreOnScreen(m_pPopup->GetControl(2)));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_record.commands.empty(); }, 2000));
    EXPECT_EQ(m_record.commands, std::vector<int>{kFirstItem + 2});
    EXPECT_EQ(m_pPopup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
}

TEST_F(PopupBarWindow, SubmenuOpensOnHoverBesideItsItemAndTheArrowsMoveBetweenItAndItsParent)
{
    CreateBar(3);
    auto* pSubControl = new CQorControlPopup;
    pSubControl->m_nType = qorControlPopup;
    CQorPopupBar* pSubMenu = CQorPopupBar::CreatePopupBar(nullptr);
    pSubControl->SetCommandBar(pSubMenu);
    for (int i = 0; i < 3; i++)
        pSubMenu->GetControls()->Add(qorControlButton, kSubMenuId + 1 + i)->SetCaption(L"Sub item");
    m_pPopup->GetControls()->InsertControl(pSubControl, kSubMenuId, nullptr, 0);
    pSubControl->SetCaption(L"&More");

    ASSERT_TRUE(OpenByClick());
    cbtest::SendMouse(CentreOnScreen(pSubControl));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pSubMenu->IsVisible(); }, 2000)) << "the hover delay opens it";
    EXPECT_EQ(pSubMenu->GetParentCommandBar(), m_pPopup);
    EXPECT_EQ(pSubMenu->GetPopupFlags() & qorPopupDropDown, 0) << "beside its item, not below";
    CRect rcItem = pSubControl->GetRect();
    m_pPopup->ClientToScreen(&rcItem);
    EXPECT_EQ(PopupWindowRect(pSubMenu).left, rcItem.right - 1) << "the right edge of its item";

    PressKey(VK_LEFT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pSubMenu->GetSafeHwnd() == nullptr; }, 2000));
    EXPECT_TRUE(m_pPopup->IsVisible()) << "Left closes only the submenu";
    EXPECT_EQ(m_pPopup->GetSelected(), pSubControl->GetIndex());
    EXPECT_EQ(m_pPopup->GetPopuped(), -1);

    PressKey(VK_RIGHT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pSubMenu->IsVisible(); }, 2000));
    EXPECT_EQ(pSubMenu->GetSelected(), 0) << "opened by the keyboard: its first item is hot";
    EXPECT_EQ(m_pPopup->GetPopuped(), pSubControl->GetIndex());

    // Enter runs the submenu's hot item and closes the whole chain.
    PressKey(VK_RETURN);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_record.commands.empty(); }, 2000));
    EXPECT_EQ(m_record.commands, std::vector<int>{kSubMenuId + 1});
    EXPECT_EQ(m_pPopup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pSubMenu->GetSafeHwnd(), nullptr);
}

TEST_F(PopupBarWindow, TallPopupNearTheScreenBottomScrollsOnHoverAndToTheEndKey)
{
    m_rcSite = {100, 880, 700, 1000};
    DestroyWindow(m_hWndSite);
    SetUp();
    CreateBar(60);
    ASSERT_TRUE(OpenByClick());
    ASSERT_TRUE(m_pPopup->IsScrollMode());
    CRect rcButton = m_pControl->GetRect();
    m_pBar->ClientToScreen(&rcButton);
    const CRect rcPopup = PopupWindowRect(m_pPopup);
    EXPECT_EQ(rcPopup.bottom, rcButton.top) << "above the button, the larger side";
    EXPECT_GE(rcPopup.top, 0);
    EXPECT_EQ(m_pPopup->GetFirstShown(), 0);
    EXPECT_LT(m_pPopup->GetLastShown(), 60);
    EXPECT_TRUE(m_pPopup->GetControl(59)->GetHideFlags() & qorHideScroll);

    const CRect rcArrow = m_pPopup->GetScrollArrowRect(TRUE);
    cbtest::SendMouse(cbtest::ScreenPoint(m_pPopup->GetSafeHwnd(), rcArrow.CenterPoint().x, rcArrow.CenterPoint().y));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->GetFirstShown() >= 2; }, 2000))
        << "each tick shows one more item";
    EXPECT_TRUE(m_pPopup->GetControl(0)->GetHideFlags() & qorHideScroll);
    // Off the arrow the scrolling stops.
    cbtest::SendMouse(cbtest::ScreenPoint(m_pPopup->GetSafeHwnd(), rcArrow.CenterPoint().x, rcPopup.Height() / 2));
    cbtest::PumpFor(100);
    const int nStopped = m_pPopup->GetFirstShown();
    cbtest::PumpFor(300);
    EXPECT_EQ(m_pPopup->GetFirstShown(), nStopped);

    PressKey(VK_END);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->GetSelected() == 59; }, 2000));
    EXPECT_FALSE(m_pPopup->GetControl(59)->GetHideFlags() & qorHideScroll);
    EXPECT_EQ(m_pPopup->GetLastShown(), 60);
    CRect rcClient;
    m_pPopup->GetClientRect(&rcClient);
    EXPECT_LE(m_pPopup->GetControl(59)->GetRect().bottom, rcArrow.top) << "above the bottom arrow";
    PressKey(VK_HOME);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->GetSelected() == 0; }, 2000));
    EXPECT_EQ(m_pPopup->GetFirstShown(), 0);
}

TEST_F(PopupBarWindow, RarelyUsedItemsShowAfterTheDelayOnTheExpandButtonOnlyWithTheOption)
{
    CreateManagerHidingItems(3, 2);
    CreateBar(6);
    for (const BOOL bShowFullAfterDelay : {TRUE, FALSE}) {
        m_pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay = bShowFullAfterDelay;
        ASSERT_TRUE(OpenByClick());
        ASSERT_TRUE(m_pPopup->IsExpandable());
        ASSERT_FALSE(m_pPopup->IsExpanded());
        EXPECT_FALSE(m_pPopup->GetControl(3)->IsVisible());
        EXPECT_FALSE(m_pPopup->GetControl(4)->IsVisible());
        CQorControl* pExpand = m_pPopup->GetControl(m_pPopup->GetControlCount() - 1);
        ASSERT_EQ(pExpand->GetID(), CQorPopupBar::kExpandButtonId);
        EXPECT_TRUE(pExpand->IsVisible());
        const int nCollapsedHeight = PopupWindowRect(m_pPopup).Height();

        cbtest::SendMouse(CentreOnScreen(pExpand));
        cbtest::PumpFor(1400);
        EXPECT_EQ(m_pPopup->IsExpanded(), bShowFullAfterDelay);
        EXPECT_EQ(m_pPopup->GetControl(3)->IsVisible(), bShowFullAfterDelay);
        EXPECT_EQ(PopupWindowRect(m_pPopup).Height() > nCollapsedHeight, bShowFullAfterDelay);
        EXPECT_EQ(pExpand->IsVisible(), !bShowFullAfterDelay);
        CloseEverything();
    }
    EXPECT_TRUE(m_record.commands.empty());
}

TEST_F(PopupBarWindow, CtrlDownAndWrappingDownExpandAndTheNextMenuOpensCollapsed)
{
    CreateManagerHidingItems(3, 2);
    CreateBar(6);
    ASSERT_TRUE(OpenByClick());
    cbtest::SendKey(VK_CONTROL);
    PressKey(VK_DOWN);
    cbtest::SendKey(VK_CONTROL, true);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->IsExpanded(); }, 2000));
    EXPECT_TRUE(m_pPopup->GetControl(4)->IsVisible());
    CloseEverything();
    EXPECT_FALSE(GetMouseManager()->IsExpanded()) << "the expansion ended with the menu";

    ASSERT_TRUE(OpenByClick(12));
    EXPECT_FALSE(m_pPopup->IsExpanded()) << "the next menu opens collapsed";
    // Down from the last shown item shows the rest and moves on to the first item it showed.
    PressKey(VK_END);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->GetSelected() == 5; }, 2000));
    PressKey(VK_DOWN);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->IsExpanded(); }, 2000));
    EXPECT_EQ(m_pPopup->GetSelected(), 0) << "past item 5 comes the first item again, now with all shown";
    EXPECT_TRUE(m_record.commands.empty());
}

TEST_F(PopupBarWindow, ADoubleClickOnASubMenuWithoutADefaultItemShowsItsRarelyUsedItems)
{
    CreateManagerHidingItems(3, 2);
    CreateBar(6, qorControlPopup);
    EXPECT_TRUE(m_pControl->OnLButtonDblClk(m_pControl->GetRect().CenterPoint()));
    ASSERT_TRUE(m_pPopup->IsVisible());
    EXPECT_TRUE(m_pPopup->IsExpanded());
    EXPECT_TRUE(m_pPopup->GetControl(3)->IsVisible());
    EXPECT_TRUE(m_record.commands.empty());
    CloseEverything();
}

TEST_F(PopupBarWindow, ARarelyUsedItemThatRanShowsFromThenOnAndSoDoesItsMenu)
{
    CreateManagerHidingItems(3, 2);
    m_pCommandBars->GetCommandBarsOptions()->m_mapHiddenCommands.SetAt(kPopupId, TRUE);
    CreateBar(6);
    ASSERT_TRUE(OpenByClick());
    m_pPopup->ExpandBar();
    CQorControl* pItem = m_pPopup->GetControl(3);
    ASSERT_TRUE(pItem->IsVisible());
    cbtest::SendClick(CentreOnScreen(pItem));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_record.commands.empty(); }, 2000));
    EXPECT_EQ(m_record.commands, std::vector<int>{kFirstItem + 3});
    EXPECT_FALSE(m_pCommandBars->IsHiddenCommand(kFirstItem + 3));
    EXPECT_FALSE(m_pCommandBars->IsHiddenCommand(kPopupId)) << "the menu it ran from";
    EXPECT_TRUE(m_pCommandBars->IsHiddenCommand(kFirstItem + 4));
    CloseEverything();

    // The next time the item shows without expanding; the other one still waits.
    ASSERT_TRUE(OpenByClick());
    EXPECT_FALSE(m_pPopup->IsExpanded());
    EXPECT_TRUE(m_pPopup->GetControl(3)->IsVisible());
    EXPECT_FALSE(m_pPopup->GetControl(4)->IsVisible());
    CloseEverything();
}

TEST_F(PopupBarWindow, PressOnTheExpandButtonExpandsAndItsReleaseRunsNothing)
{
    CreateManagerHidingItems(3, 2);
    CreateBar(6);
    ASSERT_TRUE(OpenByClick());
    CQorControl* pExpand = m_pPopup->GetControl(m_pPopup->GetControlCount() - 1);
    ASSERT_EQ(pExpand->GetID(), CQorPopupBar::kExpandButtonId);
    const POINT pt = CentreOnScreen(pExpand);
    cbtest::SendClick(pt);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pPopup->IsExpanded(); }, 2000));
    cbtest::PumpFor(100);
    // The release landed on an item the expansion put under the pointer.
    POINT ptClient = pt;
    ScreenToClient(m_pPopup->GetSafeHwnd(), &ptClient);
    CQorControl* pUnder = m_pPopup->GetControls()->HitTest(CPoint(ptClient));
    ASSERT_NE(pUnder, nullptr);
    EXPECT_NE(pUnder->GetID(), CQorPopupBar::kExpandButtonId);
    EXPECT_TRUE(m_record.commands.empty());
    EXPECT_TRUE(m_pPopup->IsVisible());
    // The next click runs what it lands on.
    cbtest::SendClick(pt);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_record.commands.empty(); }, 2000));
    EXPECT_EQ(m_record.commands, std::vector<int>{pUnder->GetID()});
}

TEST_F(PopupBarWindow, ShowFullTimerExpandsTheSubMenuOnlyWhileThePointerRestsOnItsControl)
{
    CreateManagerHidingItems(1, 1);
    CreateBar(3, qorControlPopup);
    ASSERT_TRUE(m_pBar->SetPopuped(m_pControl->GetIndex()));
    ASSERT_TRUE(m_pPopup->IsVisible());
    ASSERT_FALSE(m_pPopup->IsExpanded());

    cbtest::SendMouse(cbtest::ScreenPoint(m_hWndSite, 300, 250));
    cbtest::PumpFor(50);
    m_pBar->SendMessage(WM_TIMER, CQorCommandBar::kShowFullTimerId, 0);
    EXPECT_FALSE(m_pPopup->IsExpanded()) << "the pointer is elsewhere";

    cbtest::SendMouse(CentreOnScreen(m_pControl));
    cbtest::PumpFor(50);
    ASSERT_EQ(m_pBar->GetPopuped(), m_pControl->GetIndex());
    m_pBar->SendMessage(WM_TIMER, CQorCommandBar::kShowFullTimerId, 0);
    EXPECT_TRUE(m_pPopup->IsExpanded());
    EXPECT_TRUE(m_pPopup->GetControl(1)->IsVisible());
}

TEST_F(PopupBarWindow, AnimatedPopupEndsShowingItsOwnImage)
{
    m_pCommandBars = new CQorCommandBars;
    m_pCommandBars->SetSite(m_hWndSite);
    CreateBar(4);
    for (const int nKind : {2, 3, 4}) {
        m_pCommandBars->GetCommandBarsOptions()->m_nAnimationType = nKind;
        ASSERT_EQ(m_pPopup->GetAnimationKind(), nKind);
        ASSERT_TRUE(m_pBar->SetPopuped(m_pControl->GetIndex())) << nKind;
        WCHAR szClass[64] = {};
        GetClassNameW(m_pPopup->GetSafeHwnd(), szClass, 64);
        EXPECT_STREQ(szClass, L"QorPopupBar");
        // What the screen shows once the display caught up: the last step of the animation is
        // the popup's own image, nothing of what lay under it stays.
        cbtest::PumpFor(100);
        const testsupport::WindowCapture shown(m_pPopup->GetSafeHwnd(), true);
        const testsupport::WindowCapture painted(m_pPopup->GetSafeHwnd());
        EXPECT_EQ(cbtest::CountChanged(shown, painted, {0, 0, painted.Width(), painted.Height()}), 0) << nKind;
        m_pBar->SetPopuped(-1);
        m_pBar->SetTrackingMode(0);
    }
}

TEST_F(PopupBarWindow, OpenPopupCastsShadowStripsThatGoWhenItCloses)
{
    CQorPaintManager* pPaintManager = GetGlobalPaintManager();
    ASSERT_NE(pPaintManager, nullptr);
    const int nSavedOptions = pPaintManager->m_nShadowOptions;
    CreateBar(3);
    auto countStrips = [&](BOOL bControlShadows) {
        int n = 0;
        const CQorShadowsManager::CShadowList& shadows = GetShadowsManager()->GetShadows();
        for (POSITION pos = shadows.GetHeadPosition(); pos;) {
            CQorShadowsManager::CShadowWnd* pShadow = shadows.GetNext(pos);
            n += pShadow->GetOwner() == m_pPopup && pShadow->IsControlShadow() == bControlShadows ? 1 : 0;
        }
        return n;
    };
    struct Case
    {
        int nOptions;
        int nPopupStrips;
        int nControlStrips;
    } cases[] = {{qorShadowTheme, 2, 0}, {qorShadowTheme | qorShadowCutOut, 2, 2}};
    for (const Case& c : cases) {
        pPaintManager->m_nShadowOptions = c.nOptions;
        ASSERT_TRUE(m_pBar->SetPopuped(m_pControl->GetIndex()));
        EXPECT_EQ(countStrips(FALSE), c.nPopupStrips) << c.nOptions;
        EXPECT_EQ(countStrips(TRUE), c.nControlStrips) << c.nOptions;
        const CRect rcPopup = PopupWindowRect(m_pPopup);
        const CQorShadowsManager::CShadowList& shadows = GetShadowsManager()->GetShadows();
        for (POSITION pos = shadows.GetHeadPosition(); pos;) {
            CQorShadowsManager::CShadowWnd* pShadow = shadows.GetNext(pos);
            if (pShadow->GetOwner() != m_pPopup || pShadow->IsControlShadow() || !pShadow->IsHorizontal())
                continue;
            CRect rcStrip;
            pShadow->GetWindowRect(&rcStrip);
            EXPECT_EQ(rcStrip.top, rcPopup.bottom) << "under the popup";
            EXPECT_TRUE(pShadow->IsWindowVisible());
        }
        m_pBar->SetPopuped(-1);
        EXPECT_EQ(m_pPopup->GetSafeHwnd(), nullptr);
        EXPECT_EQ(countStrips(FALSE) + countStrips(TRUE), 0) << c.nOptions;
        m_pBar->SetTrackingMode(0);
    }
    pPaintManager->m_nShadowOptions = nSavedOptions;
}

namespace {

std::vector<DWORD> g_menuEvents;
void WINAPI RecordMenuEvent(DWORD dwEvent, HWND, LONG idObject, LONG)
{
    if ((dwEvent == EVENT_SYSTEM_MENUPOPUPSTART || dwEvent == EVENT_SYSTEM_MENUPOPUPEND) && idObject == OBJID_MENU)
        g_menuEvents.push_back(dwEvent);
}

} // namespace

TEST_F(PopupBarWindow, ContextMenuWithoutParentControlOpensAboveLeftOfACornerPointAndCloses)
{
    CQorPopupBar* pMenu = CQorPopupBar::CreatePopupBar(nullptr);
    pMenu->SetSite(m_hWndSite);
    g_menuEvents.clear();
    pMenu->m_pNotifyWinEvent = &RecordMenuEvent;
    for (int i = 0; i < 3; i++)
        pMenu->GetControls()->Add(qorControlButton, kFirstItem + i)->SetCaption(L"Context item");
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(m_hWndSite, MONITOR_DEFAULTTOPRIMARY), &info);
    const CPoint pt(info.rcWork.right - 10, info.rcWork.bottom - 9);
    for (int nRound = 0; nRound < 2; nRound++) {
        pMenu->SetPopupPoint(pt);
        pMenu->SetExcludeRect(CRect(pt, pt));
        pMenu->SetPopupFlags(qorPopupDropDown);
        ASSERT_TRUE(pMenu->OpenPopup(nullptr)) << nRound;
        EXPECT_EQ(pMenu->GetParentCommandBar(), nullptr);
        EXPECT_EQ(pMenu->GetTrackingMode(), 1);
        const CRect rc = PopupWindowRect(pMenu);
        EXPECT_EQ(rc.bottom, pt.y) << "above the point";
        EXPECT_LT(rc.left, pt.x) << "to its left";
        EXPECT_LE(rc.right, info.rcWork.right);
        pMenu->SetTrackingMode(0);
        EXPECT_EQ(pMenu->GetSafeHwnd(), nullptr);
    }
    EXPECT_EQ(m_record.messages, (std::vector<UINT>{QORWM_INITMENUPOPUP, QORWM_UNINITMENUPOPUP,
                                                    QORWM_INITMENUPOPUP, QORWM_UNINITMENUPOPUP}));
    EXPECT_EQ(g_menuEvents, (std::vector<DWORD>{EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND,
                                                EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND}));

    // Opened by the right button, a right-button release over an item runs it.
    pMenu->SetPopupPoint(CPoint(300, 300));
    pMenu->SetExcludeRect(CRect(300, 300, 300, 300));
    pMenu->m_bRightButtonPopup = TRUE;
    ASSERT_TRUE(pMenu->OpenPopup(nullptr));
    const CPoint ptItem = pMenu->GetControl(1)->GetRect().CenterPoint();
    pMenu->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(ptItem.x, ptItem.y));
    EXPECT_EQ(m_record.commands, std::vector<int>{kFirstItem + 1});
    EXPECT_EQ(pMenu->GetSafeHwnd(), nullptr);
    pMenu->InternalRelease();
}

TEST_F(PopupBarWindow, SiteDestroyingThePopupWhileItIsFilledStopsTheOpening)
{
    CreateBar(2);
    static CQorPopupBar* s_pVictim = nullptr;
    s_pVictim = m_pPopup;
    struct Destroyer
    {
        static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
        {
            if (nMsg == QORWM_INITMENUPOPUP && s_pVictim && s_pVictim->GetSafeHwnd())
                s_pVictim->DestroyWindow();
            return SiteProc(hWnd, nMsg, wParam, lParam);
        }
    };
    SetWindowLongPtrW(m_hWndSite, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Destroyer::Proc));
    EXPECT_FALSE(m_pBar->SetPopuped(m_pControl->GetIndex()));
    EXPECT_EQ(m_pPopup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_pPopup->GetTrackingMode(), 0);
    EXPECT_FALSE(m_pControl->IsPopupOpen());
    SetWindowLongPtrW(m_hWndSite, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SiteProc));
    s_pVictim = nullptr;
}

TEST_F(PopupBarWindow, ResizeGripperDragsTheHeight)
{
    CreateBar(8);
    m_pPopup->SetResizable(CQorPopupBar::resizeHeight);
    ASSERT_TRUE(OpenByClick());
    const CRect rcBefore = PopupWindowRect(m_pPopup);
    const CRect rcGrip = m_pPopup->GetResizeGripperRect();
    ASSERT_FALSE(rcGrip.IsRectEmpty());
    EXPECT_EQ(rcGrip.bottom, rcBefore.Height() - CQorPopupBar::GetPopupBorders().bottom);
    const POINT ptGrip = cbtest::ScreenPoint(m_pPopup->GetSafeHwnd(), rcGrip.CenterPoint().x, rcGrip.CenterPoint().y);
    cbtest::RunWithInput(
        {{100, [&] { cbtest::SendMouse({ptGrip.x, ptGrip.y - 60}); }},
         {100, [&] { cbtest::SendMouse({ptGrip.x, ptGrip.y - 60}, MOUSEEVENTF_LEFTUP); }}},
        [&] {
            cbtest::SendMouse(ptGrip);
            cbtest::SendMouse(ptGrip, MOUSEEVENTF_LEFTDOWN);
            testsupport::PumpUntil([&] { return PopupWindowRect(m_pPopup).Height() != rcBefore.Height(); }, 2000);
        });
    cbtest::PumpFor(100);
    const CRect rcAfter = PopupWindowRect(m_pPopup);
    EXPECT_EQ(rcAfter.Height(), rcBefore.Height() - 60);
    EXPECT_EQ(rcAfter.TopLeft(), rcBefore.TopLeft());
    EXPECT_TRUE(m_pPopup->IsScrollMode()) << "shorter than its items: it scrolls";
    EXPECT_TRUE(m_pPopup->IsVisible()) << "the drag's release closes nothing";
    EXPECT_TRUE(m_record.commands.empty());
}

TEST_F(PopupBarWindow, PopupToolBarUnderASplitButtonOpensBelowItsArrowInRows)
{
    CreateBar(0, qorControlSplitButtonPopup);
    CQorPopupToolBar* pPalette = new CQorPopupToolBar;
    m_pControl->SetCommandBar(pPalette);
    m_pPopup = pPalette;
    for (int i = 0; i < 6; i++)
        pPalette->GetControls()->Add(qorControlButton, 6300 + i);
    pPalette->CalcPopupLayout();
    const CRect& rcBorders = CQorPopupBar::GetPopupBorders();
    pPalette->m_nMRUWidth = 3 * pPalette->GetControl(0)->GetRect().Width() + rcBorders.left + rcBorders.right;

    const CRect rcSplit = m_pControl->GetRect();
    cbtest::SendClick(cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), rcSplit.right - 3, rcSplit.CenterPoint().y));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pPalette->IsVisible(); }, 2000)) << "the arrow opens it";
    EXPECT_TRUE(m_record.commands.empty()) << "the arrow runs no command";
    CRect rcButton = rcSplit;
    m_pBar->ClientToScreen(&rcButton);
    EXPECT_EQ(PopupWindowRect(pPalette).top, rcButton.bottom);
    std::set<int> rowTops;
    for (int i = 0; i < pPalette->GetControlCount(); i++)
        rowTops.insert(pPalette->GetControl(i)->GetRect().top);
    EXPECT_EQ(rowTops.size(), 2u);
    // Down moves to the button below in the next row.
    PressKey(VK_DOWN);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pPalette->GetSelected() != -1; }, 2000));
    const int nFirst = pPalette->GetSelected();
    PressKey(VK_DOWN);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pPalette->GetSelected() != nFirst; }, 2000));
    EXPECT_EQ(pPalette->GetSelected(), nFirst + 3);
}

// ---- Without windows ------------------------------------------------------------------------

TEST(PopupBarAnimation, KindFollowsTheManagersOptionAndTheSystem)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    CQorPopupBar* pBar = CQorPopupBar::CreatePopupBar(pCommandBars);
    BOOL bAnimation = FALSE, bFade = FALSE;
    SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimation, 0);
    SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0);
    const int nSystemKind = !bAnimation ? 5 : bFade ? 4 : 3;
    const struct
    {
        int nOption;
        int nExpected;
    } cases[] = {{0, nSystemKind}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
    for (const auto& c : cases) {
        pCommandBars->GetCommandBarsOptions()->m_nAnimationType = c.nOption;
        EXPECT_EQ(pBar->GetAnimationKind(), c.nExpected) << c.nOption;
    }
    pCommandBars->GetCommandBarsOptions()->m_nAnimationType = 1;
    std::set<int> kinds;
    for (int i = 0; i < 60; i++)
        kinds.insert(pBar->GetAnimationKind());
    EXPECT_EQ(kinds, (std::set<int>{2, 3, 4})) << "random among the three";
    pBar->SetCommandBars(nullptr);
    EXPECT_EQ(pBar->GetAnimationKind(), 5) << "without a manager";
    pBar->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST(PopupToolBar, LaysItsButtonsOutSquareOrInRowsOfItsWidthAGroupStartingARow)
{
    CQorPopupToolBar* pBar = new CQorPopupToolBar;
    EXPECT_EQ(pBar->GetType(), qorBarTypeToolBar);
    EXPECT_EQ(pBar->GetPosition(), qorBarPopup);
    const int kButtons = 16;
    for (int i = 0; i < kButtons; i++)
        pBar->GetControls()->Add(qorControlButton, 6200 + i);
    auto rowTops = [pBar] {
        std::set<int> tops;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            tops.insert(pBar->GetControl(i)->GetRect().top);
        return tops;
    };
    const CRect& rcBorders = CQorPopupBar::GetPopupBorders();

    // Without a width of its own: the squarest block, not one long row.
    const CSize szSquare = pBar->CalcPopupLayout();
    EXPECT_EQ(rowTops().size(), 4u);
    EXPECT_LE(std::abs(szSquare.cx - szSquare.cy), pBar->GetControl(0)->GetRect().Width());

    // With one: rows as wide as it; nothing disappears, it wraps.
    const int nButtonWidth = pBar->GetControl(0)->GetRect().Width();
    pBar->m_nMRUWidth = 3 * nButtonWidth + rcBorders.left + rcBorders.right;
    const CSize sz = pBar->CalcPopupLayout();
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CQorControl* pControl = pBar->GetControl(i);
        EXPECT_TRUE(pControl->IsVisible()) << i;
        EXPECT_LE(pControl->GetRect().right, sz.cx) << i;
        EXPECT_LE(pControl->GetRect().bottom, sz.cy) << i;
    }
    EXPECT_EQ(rowTops().size(), 6u);
    EXPECT_LT(sz.cx, szSquare.cx);

    // A group starts a row of its own even where the row had room.
    pBar->m_nMRUWidth = kButtons * nButtonWidth + rcBorders.left + rcBorders.right + 40;
    pBar->GetControl(5)->SetBeginGroup(TRUE);
    pBar->CalcPopupLayout();
    EXPECT_EQ(rowTops().size(), 2u);
    EXPECT_EQ(pBar->GetControl(5)->GetRect().left, pBar->GetControl(0)->GetRect().left);
    EXPECT_GT(pBar->GetControl(5)->GetRect().top, pBar->GetControl(4)->GetRect().top);

    CQorCommandBar* pClone = pBar->Clone();
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CQorPopupToolBar)));
    EXPECT_EQ(pClone->GetType(), qorBarTypeToolBar);
    EXPECT_EQ(pClone->GetControlCount(), kButtons);
    pClone->InternalRelease();
    pBar->InternalRelease();
}
