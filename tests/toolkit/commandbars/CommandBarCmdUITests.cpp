// The bar's command-UI pass in a framework frame: update handlers disable, check and rename
// controls, commands without a handler are disabled, handlers may remove controls while the
// pass runs, and the bar's child controls are updated through the same routing.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"

namespace {

enum : UINT {
    kIdHandled = 7001, // a command handler, no update handler: stays enabled
    kIdNoHandler,      // neither: disabled
    kIdDisable,        // update handler disables
    kIdCheck,          // update handler checks (and a command handler keeps it enabled)
    kIdText,           // update handler renames
    kIdRemoveSelf,     // update handler removes the control it is asked about
    kIdRemoveFirst,    // update handler removes the bar's first control
    kIdChildButton,    // a push button child of the bar, no handler
    kIdChildEdit,      // an edit child of the bar, no handler
};

class CCmdUIFrame : public CFrameWnd
{
public:
    CQorCommandBar* m_pBar = nullptr;
    int m_nRemoveSelfCalls = 0;

protected:
    void OnHandled() {}
    void OnCheckCommand() {}
    void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateText(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetText(L"&Renamed\tCtrl+R");
    }
    void OnUpdateRemoveSelf(CCmdUI* pCmdUI)
    {
        m_nRemoveSelfCalls++;
        if (CQorControl* pControl = m_pBar->GetControls()->FindControl(static_cast<int>(pCmdUI->m_nID)))
            m_pBar->GetControls()->Remove(pControl);
        pCmdUI->Enable(TRUE);
    }
    void OnUpdateRemoveFirst(CCmdUI* pCmdUI)
    {
        m_pBar->GetControls()->Remove(0);
        pCmdUI->Enable(TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCmdUIFrame, CFrameWnd)
    ON_COMMAND(kIdHandled, &CCmdUIFrame::OnHandled)
    ON_COMMAND(kIdCheck, &CCmdUIFrame::OnCheckCommand)
    ON_UPDATE_COMMAND_UI(kIdDisable, &CCmdUIFrame::OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(kIdCheck, &CCmdUIFrame::OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(kIdText, &CCmdUIFrame::OnUpdateText)
    ON_UPDATE_COMMAND_UI(kIdRemoveSelf, &CCmdUIFrame::OnUpdateRemoveSelf)
    ON_UPDATE_COMMAND_UI(kIdRemoveFirst, &CCmdUIFrame::OnUpdateRemoveFirst)
END_MESSAGE_MAP()

class CommandBarCmdUI : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CCmdUIFrame;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, L"Command UI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 500, 260)));
        m_pBar = new CQorCommandBar;
        m_pFrame->m_pBar = m_pBar;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 30, m_pFrame->GetSafeHwnd(),
                                     nullptr));
    }
    void TearDown() override
    {
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        m_pFrame->DestroyWindow();
    }
    CQorControl* Add(UINT nId, int nHideFlags = 0, int nFlags = 0)
    {
        CQorControl* pControl = m_pBar->GetControls()->Add(qorControlButton, static_cast<int>(nId));
        pControl->SetHideFlags(nHideFlags);
        pControl->SetFlags(nFlags);
        return pControl;
    }
    void Update() { m_pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE); }

    CCmdUIFrame* m_pFrame = nullptr;
    CQorCommandBar* m_pBar = nullptr;
};

TEST_F(CommandBarCmdUI, HandlersDisableCheckAndRenameAndCommandsWithoutHandlerAreDisabled)
{
    struct Case
    {
        const char* name;
        UINT nId;
        int nHideFlags;
        int nFlags;
        BOOL bCheckedBefore;
        BOOL bEnabled;
        BOOL bChecked;
    };
    const Case cases[] = {
        {"command handler only", kIdHandled, 0, 0, FALSE, TRUE, FALSE},
        {"no handler at all", kIdNoHandler, 0, 0, FALSE, FALSE, FALSE},
        {"disabled by its handler", kIdDisable, 0, 0, FALSE, FALSE, FALSE},
        {"disabled drops a check nobody set", kIdDisable, 0, 0, TRUE, FALSE, FALSE},
        {"checked by its handler", kIdCheck, 0, 0, FALSE, TRUE, TRUE},
        {"hidden by its owner is still updated", kIdDisable, qorHideGeneric, 0, FALSE, FALSE, FALSE},
        {"rarely used is still updated", kIdDisable, qorHideExpand, 0, FALSE, FALSE, FALSE},
        {"no room: skipped", kIdDisable, qorHideWrap, 0, FALSE, TRUE, FALSE},
        {"hidden by the user: skipped", kIdDisable, qorHideCustomize, 0, FALSE, TRUE, FALSE},
        {"flagged for no command UI: skipped", kIdDisable, 0, qorFlagNoCommandUI, FALSE, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pBar->GetControls()->RemoveAll();
        CQorControl* pControl = Add(c.nId, c.nHideFlags, c.nFlags);
        pControl->SetChecked(c.bCheckedBefore);
        Update();
        EXPECT_EQ(pControl->GetEnabled(), c.bEnabled);
        EXPECT_EQ(pControl->GetChecked(), c.bChecked);
    }
}

TEST_F(CommandBarCmdUI, SetTextRenamesWithItsShortcut)
{
    CQorControl* pControl = Add(kIdText);
    pControl->SetCaption(L"Old");
    Update();
    EXPECT_STREQ(pControl->GetCaption(), L"&Renamed");
    EXPECT_STREQ(pControl->GetShortcutText(), L"Ctrl+R");
}

TEST_F(CommandBarCmdUI, HandlersRemovingControlsMidPassSkipNone)
{
    // 0 handled, 1 removes control 0, 2 no handler, 3 removes itself, 4 disabled, 5 checked.
    Add(kIdHandled);
    CQorControl* pRemoveFirst = Add(kIdRemoveFirst);
    CQorControl* pNoHandler = Add(kIdNoHandler);
    Add(kIdRemoveSelf);
    CQorControl* pDisable = Add(kIdDisable);
    CQorControl* pCheck = Add(kIdCheck);
    Update();

    ASSERT_EQ(m_pBar->GetControlCount(), 4);
    EXPECT_EQ(m_pBar->GetControl(0), pRemoveFirst);
    EXPECT_EQ(m_pBar->GetControl(1), pNoHandler);
    EXPECT_EQ(m_pBar->GetControl(2), pDisable);
    EXPECT_EQ(m_pBar->GetControl(3), pCheck);
    EXPECT_EQ(m_pFrame->m_nRemoveSelfCalls, 1) << "each control is asked once";
    // The controls after each removal were still updated.
    EXPECT_FALSE(pNoHandler->GetEnabled());
    EXPECT_FALSE(pDisable->GetEnabled());
    EXPECT_TRUE(pCheck->GetChecked());
}

TEST_F(CommandBarCmdUI, ChildControlsAreUpdatedThroughTheSameRouting)
{
    const HWND hWndButton = CreateWindowExW(0, L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 300, 2, 40, 24,
                                            m_pBar->GetSafeHwnd(), reinterpret_cast<HMENU>(kIdChildButton),
                                            GetModuleHandleW(nullptr), nullptr);
    const HWND hWndEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 2, 80, 24, m_pBar->GetSafeHwnd(),
                                          reinterpret_cast<HMENU>(kIdChildEdit), GetModuleHandleW(nullptr), nullptr);
    const HWND hWndDisable =
        CreateWindowExW(0, L"BUTTON", L"Off", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 350, 2, 40, 24,
                        m_pBar->GetSafeHwnd(), reinterpret_cast<HMENU>(kIdDisable), GetModuleHandleW(nullptr), nullptr);
    Update();
    EXPECT_FALSE(IsWindowEnabled(hWndButton)) << "a push button without a command";
    EXPECT_TRUE(IsWindowEnabled(hWndEdit)) << "an edit stands for no command";
    EXPECT_FALSE(IsWindowEnabled(hWndDisable)) << "its update handler disabled it";
}

TEST_F(CommandBarCmdUI, HiddenBarIsNotUpdatedAndAPendingRedrawWaitsForThePass)
{
    CQorControl* pControl = Add(kIdDisable);
    m_pBar->ShowWindow(SW_HIDE);
    Update();
    EXPECT_TRUE(pControl->GetEnabled());
    m_pBar->ShowWindow(SW_SHOW);

    m_pBar->m_nLockRedraw = 1;
    m_pBar->Redraw(nullptr, FALSE);
    EXPECT_TRUE(m_pBar->IsRedrawPending());
    m_pBar->m_nLockRedraw = 0;
    m_pBar->DelayLayout();
    Update();
    EXPECT_FALSE(m_pBar->IsRedrawPending());
    EXPECT_FALSE(m_pBar->IsLayoutDelayed());
    EXPECT_FALSE(pControl->GetEnabled());
}

TEST_F(CommandBarCmdUI, InContextHelpModeASubMenuWithoutCommandIsAMenuArea)
{
    CQorControl* pSubMenu = Add(0);
    pSubMenu->m_nType = qorControlPopup;
    pSubMenu->SetRect(CRect(4, 4, 40, 26));
    Add(kIdHandled)->SetRect(CRect(44, 4, 80, 26));
    auto hitTest = [&](int x) {
        const POINT pt = cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), x, 12);
        return m_pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    };
    EXPECT_EQ(hitTest(20), HTCLIENT);
    m_pFrame->m_bHelpMode = TRUE;
    EXPECT_EQ(hitTest(20), HTMENU);
    EXPECT_EQ(hitTest(60), HTCLIENT);
    EXPECT_EQ(hitTest(200), HTCLIENT);
    m_pFrame->m_bHelpMode = FALSE;
}

TEST_F(CommandBarCmdUI, ControlsBoundToAnActionFollowItWhileEnabled)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    m_pBar->SetCommandBars(pCommandBars);
    CQorControlAction* pAction = pCommandBars->GetActions()->Add(kIdHandled);
    CQorControl* pControl = Add(kIdHandled);
    pControl->SetAction(pAction);
    pAction->SetEnabled(FALSE);
    Update();
    EXPECT_EQ(pControl->m_nEnabled, -1) << "an enabled control follows its action";
    EXPECT_FALSE(pControl->GetEnabled());
    pAction->SetEnabled(TRUE);
    EXPECT_TRUE(pControl->GetEnabled());

    // Without the option a command without a handler stays as it is.
    pCommandBars->m_bDisableCommandIfNoHandler = FALSE;
    CQorControl* pNoHandler = Add(kIdNoHandler);
    Update();
    EXPECT_TRUE(pNoHandler->GetEnabled());
    m_pBar->GetControls()->RemoveAll();
    m_pBar->SetCommandBars(nullptr);
    pCommandBars->InternalRelease();
}

// A manager whose site shows a document of one template.
class CTemplateCommandBars : public CQorCommandBars
{
public:
    UINT GetActiveDocTemplate() override { return nActive; }
    UINT nActive = 0;
};

TEST_F(CommandBarCmdUI, ControlsOfOtherDocumentTemplatesHideAndTheBarLaysOutAgain)
{
    auto* pCommandBars = new CTemplateCommandBars;
    m_pBar->SetCommandBars(pCommandBars);
    CQorControl* pViewer = Add(kIdHandled);
    pViewer->GetDocTemplatesAssigned().SetAt(128, TRUE);
    CQorControl* pEverywhere = Add(kIdCheck);

    pCommandBars->nActive = 129;
    Update();
    EXPECT_TRUE(pViewer->GetHideFlags() & qorHideDocTemplate);
    EXPECT_FALSE(pEverywhere->GetHideFlags() & qorHideDocTemplate);
    EXPECT_FALSE(m_pBar->IsLayoutDelayed()) << "the pass lays the bar out again at its end";

    pCommandBars->nActive = 128;
    Update();
    EXPECT_FALSE(pViewer->GetHideFlags() & qorHideDocTemplate);

    // No active template: the bits stay as they are.
    pViewer->SetHideFlag(qorHideDocTemplate, TRUE);
    pCommandBars->nActive = 0;
    Update();
    EXPECT_TRUE(pViewer->GetHideFlags() & qorHideDocTemplate);
    m_pBar->GetControls()->RemoveAll();
    m_pBar->SetCommandBars(nullptr);
    pCommandBars->InternalRelease();
}

} // namespace
