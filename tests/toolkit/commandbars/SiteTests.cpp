// The frame templates: binding the manager (the Customize handler, the reading order), the
// manager's filters ahead of the frame, a bars' edit box keeping its keys, the frame's own
// shortcut table dropped, print preview, and frames made and destroyed with their bars.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/Edit.h"
#include "toolkit/commandbars/FrameWndBase.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

const UINT kFrameResource = 4907; // SiteTests.rc: the frame's own table (Ctrl+Q for 4908)
const UINT kMessageSwallowed = WM_APP + 77;

// A frame that binds its bars while it is created and records the commands it runs.
class CSiteFrame : public CQorFrameWndBase<CFrameWnd>
{
public:
    std::vector<UINT> commands;
    std::vector<UINT> messages;
    // The bars' shortcut table made during creation (null: none).
    std::vector<ACCEL> shortcuts;
    CRuntimeClass* pManagerClass = RUNTIME_CLASS(CQorCommandBars);

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        if (!InitCommandBars(pManagerClass))
            return FALSE;
        if (!shortcuts.empty())
            GetCommandBars()->GetShortcutManager()->SetAcceleratorTable(
                ::CreateAcceleratorTableW(shortcuts.data(), static_cast<int>(shortcuts.size())));
        return CFrameWnd::OnCreateClient(lpcs, pContext);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == kMessageSwallowed)
            messages.push_back(message);
        return CQorFrameWndBase<CFrameWnd>::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// The same frame with handlers for the Customize and Help commands.
class CCustomizingFrame : public CSiteFrame
{
public:
    int nCustomizeRuns = 0;
    std::vector<LPARAM> helpRequests; // WM_COMMANDHELP

protected:
    void OnCustomize() { nCustomizeRuns++; }
    void OnHelp() {}
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMANDHELP)
            helpRequests.push_back(lParam);
        return CSiteFrame::OnWndMsg(message, wParam, lParam, pResult);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCustomizingFrame, CSiteFrame)
    ON_COMMAND(QOR_ID_CUSTOMIZE, OnCustomize)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

// A manager whose frame filter takes one message for itself.
class CFilteringCommandBars : public CQorCommandBars
{
    DECLARE_DYNCREATE(CFilteringCommandBars)
public:
    BOOL OnFrameMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (nMessage == kMessageSwallowed) {
            *pResult = 42;
            return TRUE;
        }
        return CQorCommandBars::OnFrameMessage(nMessage, wParam, lParam, pResult);
    }
};
IMPLEMENT_DYNCREATE(CFilteringCommandBars, CQorCommandBars)

template <class TFrame> TFrame* CreateFrame(DWORD dwExStyle = 0, std::vector<ACCEL> shortcuts = {})
{
    auto* pFrame = new TFrame;
    pFrame->shortcuts = shortcuts;
    if (!pFrame->Create(nullptr, L"site", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(80, 80, 680, 420), nullptr, nullptr,
                        dwExStyle))
        return nullptr;
    return pFrame;
}

TEST(FrameSite, AFrameWithoutACustomizeHandlerGetsBarsThatRefuseAltDrag)
{
    CSiteFrame* pPlain = CreateFrame<CSiteFrame>();
    CCustomizingFrame* pCustomizing = CreateFrame<CCustomizingFrame>(WS_EX_LAYOUTRTL);
    ASSERT_TRUE(pPlain && pCustomizing);
    EXPECT_EQ(pPlain->GetCommandBars()->GetSite(), pPlain->GetSafeHwnd());
    EXPECT_FALSE(pPlain->GetCommandBars()->IsCustomizable());
    EXPECT_FALSE(pPlain->GetCommandBars()->IsAltDragCustomizationAllowed());
    EXPECT_FALSE(pPlain->GetCommandBars()->IsRightToLeft());
    EXPECT_TRUE(pCustomizing->GetCommandBars()->IsCustomizable());
    EXPECT_TRUE(pCustomizing->GetCommandBars()->IsAltDragCustomizationAllowed());
    EXPECT_EQ(pCustomizing->nCustomizeRuns, 0) << "asking for the handler runs nothing";
    EXPECT_TRUE(pCustomizing->GetCommandBars()->IsRightToLeft());
    // What a tool bar's button decides when Alt is held as it is pressed.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    for (CSiteFrame* pFrame : {pPlain, static_cast<CSiteFrame*>(pCustomizing)}) {
        CQorCommandBar* pBar = pFrame->GetCommandBars()->CreateToolBar(L"Standard", 128);
        ASSERT_NE(pBar, nullptr);
        CQorControl* pButton = pBar->GetControls()->Add(qorControlButton, 4811);
        EXPECT_EQ(pBar->IsAltDragCustomization(pButton), pFrame == pCustomizing);
    }
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    pCustomizing->GetCommandBars()->GetCommandBarsOptions()->m_bAltDragCustomization = FALSE;
    EXPECT_FALSE(pCustomizing->GetCommandBars()->IsAltDragCustomizationAllowed());
    pPlain->DestroyWindow();
    pCustomizing->DestroyWindow();
}

// F1 while a bar control is held asks a frame that has help for help on that control.
TEST(FrameSite, HelpWhileAControlIsHeldAsksForTheControlsHelp)
{
    CSiteFrame* pPlain = CreateFrame<CSiteFrame>();
    CCustomizingFrame* pHelping = CreateFrame<CCustomizingFrame>();
    ASSERT_TRUE(pPlain && pHelping);
    pHelping->SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_TRUE(pHelping->helpRequests.empty()) << "no control held";
    pHelping->GetCommandBars()->m_nPressedHelpId = 32770;
    pPlain->GetCommandBars()->m_nPressedHelpId = 32770;
    pHelping->SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ(pHelping->helpRequests, std::vector<LPARAM>{0x10000 + 32770});
    pPlain->SendMessage(WM_COMMAND, ID_HELP); // no help handler: nothing is asked (nor crashes)
    pPlain->DestroyWindow();
    pHelping->DestroyWindow();
}

TEST(FrameSite, TheManagerSeesTheFramesMessagesFirst)
{
    auto* pFrame = new CSiteFrame;
    pFrame->pManagerClass = RUNTIME_CLASS(CFilteringCommandBars);
    ASSERT_TRUE(pFrame->Create(nullptr, L"site", WS_OVERLAPPEDWINDOW, CRect(80, 80, 680, 420)));
    EXPECT_EQ(pFrame->SendMessage(kMessageSwallowed), 42);
    EXPECT_EQ(pFrame->messages.size(), 1u) << "offered once, through the site";
    pFrame->DestroyWindow();
}

// With the focus in a bars' edit box, a letter that is a frame shortcut is typed into the edit;
// Tab, Enter and Esc still go through the frame's and the bars' shortcuts.
TEST(FrameSite, AFocusedBarsEditKeepsItsKeysButTabEnterAndEsc)
{
    const std::vector<ACCEL> shortcuts = {{FVIRTKEY, 'A', 4801},
                                          {FVIRTKEY, VK_TAB, 4802},
                                          {FVIRTKEY, VK_RETURN, 4803},
                                          {FVIRTKEY, VK_ESCAPE, 4804}};
    CSiteFrame* pFrame = CreateFrame<CSiteFrame>(0, shortcuts);
    ASSERT_NE(pFrame, nullptr);
    ASSERT_TRUE(cbtest::BringToFront(pFrame->GetSafeHwnd()));
    auto* pEdit = new CQorEdit;
    ASSERT_TRUE(pEdit->CreateEdit(WS_CHILD | WS_VISIBLE | WS_BORDER, pFrame));
    pEdit->MoveWindow(10, 10, 200, 24);

    struct Case
    {
        UINT nKey;
        BOOL bEditFocused;
        BOOL bTaken;
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        {'A', TRUE, FALSE, {}},       {VK_TAB, TRUE, TRUE, {4802}},   {VK_RETURN, TRUE, TRUE, {4803}},
        {VK_ESCAPE, TRUE, TRUE, {4804}}, {'A', FALSE, TRUE, {4801}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.nKey << (c.bEditFocused ? " in the edit" : " in the frame"));
        ::SetFocus(c.bEditFocused ? pEdit->GetSafeHwnd() : pFrame->GetSafeHwnd());
        pFrame->commands.clear();
        MSG msg = {::GetFocus(), WM_KEYDOWN, c.nKey, 1};
        EXPECT_EQ(pFrame->PreTranslateMessage(&msg), c.bTaken);
        EXPECT_EQ(pFrame->commands, c.commands);
    }
    pFrame->DestroyWindow();
    delete pEdit;
}

TEST(FrameSite, LoadFrameDropsTheFramesOwnTableOnceTheBarsHoldOne)
{
    for (bool bShortcuts : {false, true}) {
        SCOPED_TRACE(bShortcuts ? "bars hold a table" : "bars hold none");
        auto* pFrame = new CSiteFrame;
        if (bShortcuts)
            pFrame->shortcuts = {{FVIRTKEY | FCONTROL, 'W', 4809}};
        ASSERT_TRUE(pFrame->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
        EXPECT_EQ(pFrame->m_hAccelTable == nullptr, bShortcuts);
        // Shortcut texts come from the bars' table, else from the frame's own through the bars.
        CString strText;
        EXPECT_EQ(pFrame->GetCommandBars()->GetShortcutManager()->FindDefaultAccelerator(4908, strText),
                  !bShortcuts);
        EXPECT_STREQ(strText, bShortcuts ? L"" : L"Ctrl+Q");
        pFrame->DestroyWindow();
    }
}

TEST(FrameSite, PreviewHidesTheVisibleToolBarsAndShowsExactlyThoseAgain)
{
    CSiteFrame* pFrame = CreateFrame<CSiteFrame>();
    ASSERT_NE(pFrame, nullptr);
    CQorCommandBars* pCommandBars = pFrame->GetCommandBars();
    CQorCommandBar* pBars[3] = {pCommandBars->CreateToolBar(L"One", 1), pCommandBars->CreateToolBar(L"Two", 2),
                                pCommandBars->CreateToolBar(L"Three", 3)};
    ASSERT_TRUE(pBars[0] && pBars[1] && pBars[2]);
    pBars[1]->ShowWindow(SW_HIDE);
    CPrintPreviewState state;
    pFrame->OnSetPreviewMode(TRUE, &state);
    for (CQorCommandBar* pBar : pBars)
        EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(pCommandBars->GetShortcutManager()->m_nDisableShortcuts, 1);
    pFrame->OnSetPreviewMode(TRUE, &state); // entering twice changes nothing
    EXPECT_EQ(pCommandBars->GetShortcutManager()->m_nDisableShortcuts, 1);
    pFrame->OnSetPreviewMode(FALSE, &state);
    EXPECT_TRUE(pBars[0]->IsWindowVisible());
    EXPECT_FALSE(pBars[1]->IsWindowVisible());
    EXPECT_TRUE(pBars[2]->IsWindowVisible());
    EXPECT_EQ(pCommandBars->GetShortcutManager()->m_nDisableShortcuts, 0);
    pFrame->DestroyWindow();
}

TEST(FrameSite, ToolBarsOfTheManagerDockInTheTopDockBarAboveTheView)
{
    CSiteFrame* pFrame = CreateFrame<CSiteFrame>();
    ASSERT_NE(pFrame, nullptr);
    CWnd* pView = new CWnd;
    ASSERT_TRUE(pView->Create(nullptr, L"view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST));
    CQorCommandBars* pCommandBars = pFrame->GetCommandBars();
    auto* pDockBar = dynamic_cast<CQorDockBar*>(pCommandBars->GetDockBar(0));
    ASSERT_NE(pDockBar, nullptr);
    CQorToolBar* pBars[2] = {};
    for (int i = 0; i < 2; i++) {
        pBars[i] = dynamic_cast<CQorToolBar*>(pCommandBars->CreateToolBar(i ? L"Two" : L"One", 10 + i));
        ASSERT_NE(pBars[i], nullptr);
        std::vector<UINT> ids(6, 0);
        for (int k = 0; k < 6; k++)
            ids[k] = 41000 + 10 * i + k;
        pBars[i]->SetButtons(ids.data(), 6);
        EXPECT_EQ(pBars[i]->GetParent(), pDockBar);
    }
    pFrame->RecalcLayout();
    CRect rcDock, rcView;
    pDockBar->GetWindowRect(&rcDock);
    pView->GetWindowRect(&rcView);
    ASSERT_GT(rcDock.Height(), 0);
    EXPECT_EQ(rcView.top, rcDock.bottom) << "the view sits below the top dock bar";
    // Bars docked without a place each start a row of their own.
    CRect rcBar0, rcBar1;
    pBars[0]->GetWindowRect(&rcBar0);
    pBars[1]->GetWindowRect(&rcBar1);
    EXPECT_EQ(rcBar1.top, rcBar0.bottom);
    EXPECT_EQ(rcDock.Height(), rcBar0.Height() + rcBar1.Height());
    pFrame->DestroyWindow();
}

// Frames with bars made and destroyed over and over leave no window-manager objects behind
// (this Wine reports no GDI object counts, so only user objects are compared).
TEST(FrameSite, FramesMadeAndDestroyedKeepTheUserObjectCountFlat)
{
    auto cycle = [] {
        CSiteFrame* pFrame = CreateFrame<CSiteFrame>(0, {{FVIRTKEY | FCONTROL, 'W', 4809}});
        ASSERT_NE(pFrame, nullptr);
        ASSERT_NE(pFrame->GetCommandBars()->CreateToolBar(L"Standard", 128), nullptr);
        ASSERT_NE(pFrame->GetCommandBars()->CreateToolBar(L"Floating", 129, TRUE), nullptr);
        pFrame->DestroyWindow(); // the frame's destructor lets go of its bars after their windows
        cbtest::PumpFor(5);
    };
    cycle();
    if (!testsupport::GuiResourcesAreCounted(GR_USEROBJECTS))
        GTEST_SKIP() << "GetGuiResources does not count user objects on this system";
    const DWORD dwBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 20; i++)
        cycle();
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), dwBefore);
}

} // namespace
