// The popups' scene driven with real input: the Text size button drops its menu under itself
// with its shadow strips and an item sends its command; the Search split button runs on its
// button part and opens its menu on the arrow; the view's context menu at the screen's
// bottom-right corner opens above and to the left, and a quit request inside it still ends the
// outer loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "demos/commandbars/PopupsScene.h"
#include "demos/commandbars/PopupsSceneResources.h"
#include "resources/resource.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/Shadows.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

class PopupsScene : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_scene.Create(60, 60), nullptr);
        ASSERT_TRUE(cbtest::BringToFront(m_scene.GetSafeHwnd()));
        cbtest::PumpFor(100);
    }
    void TearDown() override
    {
        cbtest::PendingLaterAction() = nullptr;
        GetMouseManager()->CloseTrackedPopups();
    }
    // Clicks a point of a bar and waits until the control's popup shows (or the time runs out).
    static CQorCommandBar* ClickAndWaitForPopup(CQorControl* pControl, CPoint ptInBar)
    {
        cbtest::SendClick(cbtest::ScreenPoint(pControl->GetParent()->GetSafeHwnd(), ptInBar.x, ptInBar.y));
        CQorCommandBar* pPopup = pControl->GetCommandBar();
        testsupport::PumpUntil(
            [&] { return pPopup && pPopup->GetSafeHwnd() && IsWindowVisible(pPopup->GetSafeHwnd()); }, 2000);
        return pPopup && pPopup->GetSafeHwnd() ? pPopup : nullptr;
    }
    static CRect ScreenRectOf(CQorControl* pControl)
    {
        CRect rc = pControl->GetRect();
        MapWindowPoints(pControl->GetParent()->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    static int ShadowStripsOf(CQorCommandBar* pBar)
    {
        int n = 0;
        const CQorShadowsManager::CShadowList& shadows = GetShadowsManager()->GetShadows();
        for (POSITION pos = shadows.GetHeadPosition(); pos;)
            n += shadows.GetNext(pos)->GetOwner() == pBar ? 1 : 0;
        return n;
    }

    CPopupsScene m_scene;
};

} // namespace

TEST_F(PopupsScene, TextSizeDropsItsMenuUnderItselfWithShadowsAndAnItemSendsItsCommand)
{
    CQorControl* pTextSize = m_scene.GetTextSizeButton();
    ASSERT_NE(pTextSize, nullptr);
    EXPECT_EQ(pTextSize->GetType(), qorControlPopup);
    // The look's own shadow, whatever the system says.
    CQorPaintManager* pPaintManager = GetGlobalPaintManager();
    const int nShadowOptions = pPaintManager->m_nShadowOptions;
    pPaintManager->m_nShadowOptions |= qorShadowTheme;

    CQorCommandBar* pPopup = ClickAndWaitForPopup(pTextSize, pTextSize->GetRect().CenterPoint());
    ASSERT_NE(pPopup, nullptr);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    const CRect rcButton = ScreenRectOf(pTextSize);
    EXPECT_GE(rcPopup.top, rcButton.bottom - 1);
    EXPECT_LE(rcPopup.top, rcButton.bottom + 2);
    EXPECT_LE(abs(rcPopup.left - rcButton.left), 2);
    ASSERT_EQ(pPopup->GetControlCount(), 5);
    EXPECT_EQ(ShadowStripsOf(pPopup), 2);

    const CRect rcLarger = ScreenRectOf(pPopup->GetControl(1));
    cbtest::SendClick(rcLarger.CenterPoint());
    testsupport::PumpUntil([&] { return !m_scene.GetCommands().empty(); }, 2000);
    EXPECT_EQ(m_scene.GetCommands(), (std::vector<UINT>{ID_POPUPS_LARGER}));
    testsupport::PumpUntil([&] { return pPopup->GetSafeHwnd() == nullptr; }, 2000);
    EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(ShadowStripsOf(pPopup), 0);
    pPaintManager->m_nShadowOptions = nShadowOptions;
}

TEST_F(PopupsScene, SearchRunsOnItsButtonPartAndOpensItsMenuOnTheArrow)
{
    CQorControl* pSearch = m_scene.GetSearchButton();
    ASSERT_NE(pSearch, nullptr);
    EXPECT_EQ(pSearch->GetType(), qorControlSplitButtonPopup);
    const CRect rc = pSearch->GetRect();

    cbtest::SendClick(cbtest::ScreenPoint(pSearch->GetParent()->GetSafeHwnd(), rc.left + 4, rc.CenterPoint().y));
    testsupport::PumpUntil([&] { return !m_scene.GetCommands().empty(); }, 2000);
    EXPECT_EQ(m_scene.GetCommands(), (std::vector<UINT>{ID_SEARCH}));
    EXPECT_FALSE(pSearch->GetCommandBar()->GetSafeHwnd() && IsWindowVisible(pSearch->GetCommandBar()->GetSafeHwnd()));

    CQorCommandBar* pPopup = ClickAndWaitForPopup(pSearch, CPoint(rc.right - 3, rc.CenterPoint().y));
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->GetControlCount(), 2);
    EXPECT_EQ(pPopup->GetControl(0)->GetID(), ID_POPUPS_FIND);
    EXPECT_EQ(m_scene.GetCommands().size(), 1u);
    cbtest::SendKey(VK_ESCAPE);
    cbtest::SendKey(VK_ESCAPE, true);
    testsupport::PumpUntil([&] { return pPopup->GetSafeHwnd() == nullptr; }, 2000);
    EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
}

TEST_F(PopupsScene, AContextMenuAtTheBottomRightOpensAboveLeftAndAQuitInsideEndsTheOuterLoop)
{
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(m_scene.GetSafeHwnd(), MONITOR_DEFAULTTOPRIMARY), &info);
    const CPoint pt(info.rcWork.right - 2, info.rcWork.bottom - 2);
    CRect rcMenu(0, 0, 0, 0);
    cbtest::RunLater(300, [&] {
        if (CQorCommandBar* pMenu = cbtest::InnermostTrackedBar())
            pMenu->GetWindowRect(&rcMenu);
        PostQuitMessage(5);
    });

    // The test's own outer loop: the menu runs inside it, as a frame's command would run it.
    int nChosen = -1;
    BOOL bQuit = FALSE;
    WPARAM nExitCode = 0;
    PostMessageW(m_scene.GetSafeHwnd(), WM_NULL, 0, 0);
    const DWORD dwStart = GetTickCount();
    while (!bQuit && GetTickCount() - dwStart < 5000) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        if (msg.message == WM_QUIT) {
            bQuit = TRUE;
            nExitCode = msg.wParam;
            break;
        }
        if (msg.message == WM_NULL && msg.hwnd == m_scene.GetSafeHwnd() && nChosen == -1)
            nChosen = m_scene.ShowContextMenu(pt);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(nChosen, 0);
    EXPECT_TRUE(bQuit);
    EXPECT_EQ(nExitCode, 5u);
    ASSERT_FALSE(rcMenu.IsRectEmpty());
    // Above the point, and to its left as far as the screen's edge asks.
    EXPECT_LE(rcMenu.bottom, pt.y);
    EXPECT_LT(rcMenu.left, pt.x - rcMenu.Width() / 2);
    EXPECT_LE(rcMenu.right, info.rcWork.right);
    EXPECT_GT(rcMenu.left, info.rcWork.left);
    EXPECT_FALSE(GetMouseManager()->IsTrackingPopup());
}
