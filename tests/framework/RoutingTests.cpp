// Command routing through frame, view, document and application; command-state updates
// (on demand, for menus and at idle time); frames loaded from one resource id.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

#include "platform/framework/DocView.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"
#include "tests/common/WineTestSupport.h"
#include "tests/framework/FrameworkTestResources.h"

namespace {

std::wstring g_log;     // which handlers ran, in order
BOOL g_checked = FALSE; // state shown by the update handler of ID_CMD_CHECKED
int g_documentsDeleted = 0;

class CRoutingApp : public CWinApp
{
public:
    CRoutingApp() : CWinApp(L"RoutingTest") {}

protected:
    afx_msg void OnAppCommand() { g_log += L"app;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingApp, CWinApp)
    ON_COMMAND(ID_CMD_APP, &CRoutingApp::OnAppCommand)
END_MESSAGE_MAP()

class CRoutingDoc : public CDocument
{
    DECLARE_DYNCREATE(CRoutingDoc)
public:
    ~CRoutingDoc() override { ++g_documentsDeleted; }

protected:
    afx_msg void OnDocCommand() { g_log += L"doc;"; }
    afx_msg void OnPassedOn() { g_log += L"doc-passed-on;"; }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(g_checked); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRoutingDoc, CDocument)

BEGIN_MESSAGE_MAP(CRoutingDoc, CDocument)
    ON_COMMAND(ID_CMD_DOC, &CRoutingDoc::OnDocCommand)
    ON_COMMAND(ID_CMD_PASSED_ON, &CRoutingDoc::OnPassedOn)
    ON_UPDATE_COMMAND_UI(ID_CMD_DISABLED, &CRoutingDoc::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_CMD_CHECKED, &CRoutingDoc::OnUpdateChecked)
END_MESSAGE_MAP()

class CRoutingView : public CView
{
    DECLARE_DYNCREATE(CRoutingView)
public:
    void OnDraw(CDC*) override {}

protected:
    afx_msg void OnViewCommand() { g_log += L"view;"; }
    afx_msg void OnShared() { g_log += L"view-shared;"; }
    afx_msg BOOL OnPassedOn(UINT)
    {
        g_log += L"view-declined;";
        return FALSE; // let the next target have it
    }
    afx_msg void OnUpdateShared(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText(L"from view");
        pCmdUI->ContinueRouting(); // the view does not decide the state
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRoutingView, CView)

BEGIN_MESSAGE_MAP(CRoutingView, CView)
    ON_COMMAND(ID_CMD_VIEW, &CRoutingView::OnViewCommand)
    ON_COMMAND(ID_CMD_SHARED, &CRoutingView::OnShared)
    ON_COMMAND_EX(ID_CMD_PASSED_ON, &CRoutingView::OnPassedOn)
    ON_UPDATE_COMMAND_UI(ID_CMD_SHARED, &CRoutingView::OnUpdateShared)
END_MESSAGE_MAP()

// A bar along the top of the frame that takes part in the frame's layout and updates its
// button from the command state at idle time.
class CTestBar : public CWnd
{
public:
    int sizeParentCalls = 0;
    BOOL reenterLayout = FALSE;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++sizeParentCalls;
        if (reenterLayout)
            GetParentFrame()->RecalcLayout();
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + 20);
        layout->rect.top += 20;
        AfxRepositionWindow(layout, m_hWnd, &rect);
        return 0;
    }
    afx_msg void OnIdleUpdateCmdUI()
    {
        CCmdUI state;
        state.m_nID = ID_CMD_CHECKED;
        state.m_pOther = GetDlgItem(ID_CMD_CHECKED);
        state.DoUpdate(GetParentFrame(), TRUE);
        state.m_nID = ID_CMD_DISABLED;
        state.m_pOther = GetDlgItem(ID_CMD_DISABLED);
        state.DoUpdate(GetParentFrame(), TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CTestBar::OnSizeParent)
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, &CTestBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

class CRoutingFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CRoutingFrame)
public:
    CTestBar bar;
    CWnd status;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_TOOLBAR);
        HWND check = ::CreateWindowExW(0, L"BUTTON", L"c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 20, 20,
                                       bar.m_hWnd, reinterpret_cast<HMENU>(ID_CMD_CHECKED), nullptr, nullptr);
        ::CreateWindowExW(0, L"BUTTON", L"d", WS_CHILD | WS_VISIBLE, 20, 0, 20, 20, bar.m_hWnd,
                          reinterpret_cast<HMENU>(ID_CMD_DISABLED), nullptr, nullptr);
        (void)check;
        status.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 10, 10), this, AFX_IDW_STATUS_BAR);
        return 0;
    }
    afx_msg void OnFrameCommand() { g_log += L"frame;"; }
    afx_msg void OnShared() { g_log += L"frame-shared;"; }
    afx_msg void OnDisabled() { g_log += L"disabled-ran;"; }
    afx_msg void OnCheckedCommand() { g_checked = !g_checked; }
    afx_msg void OnRange(UINT nID) { g_log += L"range" + std::to_wstring(nID - ID_CMD_RANGE_FIRST) + L";"; }
    afx_msg void OnUpdateShared(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRoutingFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_CMD_FRAME, &CRoutingFrame::OnFrameCommand)
    ON_COMMAND(ID_CMD_SHARED, &CRoutingFrame::OnShared)
    ON_COMMAND(ID_CMD_DISABLED, &CRoutingFrame::OnDisabled)
    ON_COMMAND(ID_CMD_CHECKED, &CRoutingFrame::OnCheckedCommand)
    ON_COMMAND_RANGE(ID_CMD_RANGE_FIRST, ID_CMD_RANGE_LAST, &CRoutingFrame::OnRange)
    ON_UPDATE_COMMAND_UI(ID_CMD_SHARED, &CRoutingFrame::OnUpdateShared)
END_MESSAGE_MAP()

// Records what an update handler decided.
class CRecordingCmdUI : public CCmdUI
{
public:
    int enabled = -1;
    int checked = -1;
    std::wstring text;
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
    void SetText(LPCTSTR lpszText) override { text = lpszText; }
};

int g_idleTicks = 0;
UINT g_idleCheckSeen = 2;
HWND g_idleCheckBox = nullptr;

void CALLBACK IdleTestTimer(HWND, UINT, UINT_PTR, DWORD)
{
    // On a busy machine the next tick can be due before the loop ever goes idle, so the
    // later ticks keep looking (for a few seconds) instead of judging the first one after.
    if (++g_idleTicks == 1) {
        g_checked = TRUE;
    } else {
        g_idleCheckSeen = static_cast<UINT>(::SendMessageW(g_idleCheckBox, BM_GETCHECK, 0, 0));
        if (g_idleCheckSeen == BST_CHECKED || g_idleTicks > 100)
            ::PostQuitMessage(9);
    }
}

void DrainQuit()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// An application with one document template, a document open in its main frame.
struct RoutingFixture : testing::Test
{
    CRoutingApp app;
    CRoutingFrame* frame = nullptr;
    CRoutingView* view = nullptr;
    CDocument* doc = nullptr;

    void SetUp() override
    {
        g_log.clear();
        g_checked = FALSE;
        g_documentsDeleted = 0;
        // The main frame is shown as the program was started. Hidden here: under Wine without
        // a window manager every visible top-level window takes seconds to go away.
        app.m_nCmdShow = SW_HIDE;
        app.AddDocTemplate(new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CRoutingDoc),
                                                  RUNTIME_CLASS(CRoutingFrame), RUNTIME_CLASS(CRoutingView)));
        CCommandLineInfo info;
        ASSERT_TRUE(app.ProcessShellCommand(info));
        frame = static_cast<CRoutingFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = static_cast<CRoutingView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        doc = frame->GetActiveDocument();
        ASSERT_NE(doc, nullptr);
    }

    void TearDown() override
    {
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        DrainQuit();
    }

    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
};

} // namespace

TEST_F(RoutingFixture, TemplateBuildsFrameViewAndDocumentFromOneResource)
{
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CRoutingFrame)));
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CRoutingView)));
    EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CRoutingDoc)));
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_FALSE(frame->IsWindowVisible()); // shown with the start's show command

    // Title from the string table (document name first), menu, icon, accelerators.
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"TestDoc - Test Frame"));
    EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_NE(::GetClassLongPtrW(frame->m_hWnd, GCLP_HICON), 0);
    EXPECT_NE(frame->m_hAccelTable, nullptr);
}

TEST_F(RoutingFixture, CommandsReachViewDocumentFrameAndApplicationInThatOrder)
{
    struct Case
    {
        UINT id;
        const wchar_t* log;
    };
    const Case cases[] = {
        {ID_CMD_VIEW, L"view;"},
        {ID_CMD_DOC, L"doc;"},
        {ID_CMD_FRAME, L"frame;"},
        {ID_CMD_APP, L"app;"},
        {ID_CMD_PASSED_ON, L"view-declined;doc-passed-on;"},
        {ID_CMD_RANGE_FIRST + 2, L"range2;"},
        {ID_CMD_UNHANDLED, L""},
    };
    for (const Case& c : cases) {
        g_log.clear();
        Command(c.id);
        EXPECT_EQ(g_log, c.log) << std::hex << c.id;
    }
}

TEST_F(RoutingFixture, SharedCommandGoesToTheFirstTargetOnly)
{
    // The frame's update handler disables it, so menu and accelerator commands are refused...
    Command(ID_CMD_SHARED);
    EXPECT_EQ(g_log, L"");
    // ...while a control's notification is routed regardless; the view is asked first.
    frame->OnCmdMsg(ID_CMD_SHARED, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(g_log, L"view-shared;");
}

TEST_F(RoutingFixture, DisabledCommandIsNotRunFromMenusButItsHandlerIsFound)
{
    Command(ID_CMD_DISABLED);
    EXPECT_EQ(g_log, L"");

    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(frame->OnCmdMsg(ID_CMD_DISABLED, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, frame);
    EXPECT_EQ(g_log, L""); // the query runs nothing
    EXPECT_FALSE(frame->OnCmdMsg(ID_CMD_UNHANDLED, CN_COMMAND, nullptr, &info));
}

TEST_F(RoutingFixture, UpdateHandlersDecideStateAlongTheRoute)
{
    struct Case
    {
        UINT id;
        BOOL disableIfNoHandler;
        int enabled;
        int checked;
        const wchar_t* text;
    };
    const Case cases[] = {
        {ID_CMD_DISABLED, TRUE, FALSE, -1, L""},        // document's update handler
        {ID_CMD_CHECKED, FALSE, -1, FALSE, L""},        // checked state, enabled untouched
        {ID_CMD_VIEW, TRUE, TRUE, -1, L""},             // no update handler, a command handler
        {ID_CMD_UNHANDLED, TRUE, FALSE, -1, L""},       // neither: disabled
        {ID_CMD_UNHANDLED, FALSE, -1, -1, L""},         // neither, but left alone
        {ID_CMD_SHARED, TRUE, FALSE, -1, L"from view"}, // view continues routing to the frame
    };
    for (const Case& c : cases) {
        CRecordingCmdUI state;
        state.m_nID = c.id;
        state.DoUpdate(frame, c.disableIfNoHandler);
        EXPECT_EQ(state.enabled, c.enabled) << std::hex << c.id;
        EXPECT_EQ(state.checked, c.checked) << std::hex << c.id;
        EXPECT_EQ(state.text, c.text) << std::hex << c.id;
    }
}

TEST_F(RoutingFixture, MenuItemsAreUpdatedWhenTheirPopupOpens)
{
    g_checked = TRUE;
    HMENU popup = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

    EXPECT_FALSE(::GetMenuState(popup, ID_CMD_VIEW, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(popup, ID_CMD_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(popup, ID_CMD_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(popup, ID_CMD_CHECKED, MF_BYCOMMAND) & MF_CHECKED);

    frame->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(popup, ID_CMD_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(::GetMenuState(popup, ID_CMD_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(RoutingFixture, AcceleratorOfTheFrameRunsItsCommandThroughPreTranslation)
{
    MSG msg = {view->m_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(g_log, L"view;");
}

TEST_F(RoutingFixture, IdleTimeUpdatesCommandStatesOfBarsInTheMessageLoop)
{
    // Only visible frames are updated.
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    CWnd* checkBox = frame->bar.GetDlgItem(ID_CMD_CHECKED);
    CWnd* disabled = frame->bar.GetDlgItem(ID_CMD_DISABLED);
    ASSERT_NE(checkBox, nullptr);
    EXPECT_TRUE(disabled->IsWindowEnabled());

    // The loop goes idle between timer ticks: the first tick changes the state, a later
    // one finds it on the bar and ends the loop.
    frame->bar.sizeParentCalls = 0;
    frame->DelayRecalcLayout();
    g_idleTicks = 0;
    g_idleCheckSeen = 2;
    g_idleCheckBox = checkBox->m_hWnd;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &IdleTestTimer);
    int exitCode = app.Run();
    ::KillTimer(nullptr, timer);

    EXPECT_EQ(exitCode, 9);
    EXPECT_EQ(g_idleCheckSeen, static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(disabled->IsWindowEnabled());
    EXPECT_GE(frame->bar.sizeParentCalls, 1); // the delayed layout ran at idle time
    EXPECT_EQ(frame->m_nIdleFlags, 0u);
}

TEST_F(RoutingFixture, LayoutGivesBarsTheirStripAndTheViewTheRest)
{
    frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    CRect client, viewRect;
    frame->GetClientRect(&client);
    view->GetWindowRect(&viewRect);
    frame->ScreenToClient(&viewRect);
    EXPECT_EQ(viewRect.top, 20);
    EXPECT_EQ(viewRect.bottom, client.bottom);

    // A bar that asks for layout from inside the layout does not start another pass.
    frame->bar.sizeParentCalls = 0;
    frame->bar.reenterLayout = TRUE;
    frame->RecalcLayout();
    EXPECT_EQ(frame->bar.sizeParentCalls, 1);
    frame->bar.reenterLayout = FALSE;

    // A delayed layout waits for the frame's idle update (here one posted to it).
    frame->bar.sizeParentCalls = 0;
    frame->DelayRecalcLayout();
    frame->PostMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(frame->bar.sizeParentCalls, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(frame->bar.sizeParentCalls, 1);
    EXPECT_EQ(frame->m_nIdleFlags, 0u);
}

TEST_F(RoutingFixture, StatusTextShowsMessagesAndCommandPrompts)
{
    frame->SetMessageText(L"Loading");
    CString text;
    frame->status.GetWindowText(text);
    EXPECT_EQ(text, CString(L"Loading"));

    frame->SetMessageText(ID_CMD_VIEW);
    frame->status.GetWindowText(text);
    EXPECT_EQ(text, CString(L"Runs the view command"));

    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_CMD_VIEW, MF_HILITE), 0);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); // menu closed: idle prompt
    frame->status.GetWindowText(text);
    EXPECT_EQ(text, CString(L""));
}

TEST_F(RoutingFixture, ClosingTheMainFrameClosesTheDocumentAndEndsTheLoop)
{
    HWND hWnd = frame->m_hWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(g_documentsDeleted, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(RoutingFixture, ExitCommandOfTheApplicationClosesTheMainFrame)
{
    HWND hWnd = frame->m_hWnd;
    Command(ID_APP_EXIT);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(g_documentsDeleted, 1);
}
