// The bar window with its controls: the hot control under the real mouse and its hover delay,
// popups a control refuses, the status prompts and pressed-control messages the site hears,
// help hit tests, the bar's lifetime against its window and the drag targets, and the bar list.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/CustomizeDropSource.h"
#include "toolkit/commandbars/MouseManager.h"

namespace {

// What reached the site window.
struct SiteRecord
{
    std::vector<std::wstring> prompts; // WM_SETMESSAGESTRING texts; "<idle>" for WM_POPMESSAGESTRING
    std::vector<CQorControl*> pressed; // 0x2856 in order (null: let go)
    std::vector<int> commands;
    size_t nPromptsAtCommand = 0; // prompts shown when the last command arrived
};
SiteRecord* g_pRecord = nullptr;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pRecord) {
        switch (nMsg) {
        case WM_SETMESSAGESTRING:
            g_pRecord->prompts.push_back(reinterpret_cast<LPCWSTR>(lParam));
            return 0;
        case WM_POPMESSAGESTRING:
            g_pRecord->prompts.push_back(wParam == AFX_IDS_IDLEMESSAGE ? L"<idle>" : L"<other>");
            return 0;
        case QORWM_CONTROLRBUTTONUP_PRESSED:
            g_pRecord->pressed.push_back(reinterpret_cast<CQorControl*>(wParam));
            return 0;
        case WM_COMMAND:
            if (lParam == 0) {
                g_pRecord->commands.push_back(LOWORD(wParam));
                g_pRecord->nPromptsAtCommand = g_pRecord->prompts.size();
            }
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// A button that records what the bar asks of it.
class CRecordingButton : public CQorControlButton
{
public:
    BOOL SetPopuped(BOOL bPopuped) override
    {
        popupRequests.push_back(bPopuped);
        return bPopuped && bOpens;
    }
    void ClosePopupOfBar() override
    {
        nHovers++;
        CQorControlButton::ClosePopupOfBar();
    }
    void OnMouseMove(CPoint point) override { moves.push_back(point); }

    BOOL bOpens = FALSE;
    std::vector<BOOL> popupRequests;
    std::vector<CPoint> moves;
    int nHovers = 0;
};

const int kFirstId = 5101;
const int kButtonWidth = 40;
const int kGap = 10; // empty space between the buttons

class CommandBarWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        g_pRecord = &m_record;
        m_hWndSite = cbtest::CreateWindowWithProc(L"CommandBarWindowSite", SiteProc, {80, 80, 560, 300},
                                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_TRUE(m_hWndSite);
    }
    void TearDown() override
    {
        // The pointer leaves where the windows of later tests appear.
        cbtest::SendMouse({GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10});
        cbtest::PumpFor(20);
        DropBar();
        DestroyWindow(m_hWndSite);
        g_pRecord = nullptr;
    }

    // A bar with nButtons recording buttons side by side, kGap apart.
    void CreateBar(int nButtons, CQorCommandBars* pCommandBars = nullptr)
    {
        m_pBar = new CQorCommandBar;
        m_pBar->SetCommandBars(pCommandBars);
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 30, m_hWndSite, nullptr));
        for (int i = 0; i < nButtons; i++) {
            auto* pButton = new CRecordingButton;
            m_pBar->GetControls()->InsertControl(pButton, kFirstId + i);
            const int x = 4 + i * (kButtonWidth + kGap);
            pButton->SetRect(CRect(x, 4, x + kButtonWidth, 26));
        }
    }
    void DropBar()
    {
        if (!m_pBar)
            return;
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        m_pBar = nullptr;
    }
    CRecordingButton* Button(int nIndex) const { return static_cast<CRecordingButton*>(m_pBar->GetControl(nIndex)); }
    POINT CentreOf(int nIndex) const
    {
        const CRect rc = Button(nIndex)->GetRect();
        return cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), rc.CenterPoint().x, rc.CenterPoint().y);
    }

    SiteRecord m_record;
    HWND m_hWndSite = nullptr;
    CQorCommandBar* m_pBar = nullptr;
};

// ---- Hot control ------------------------------------------------------------------------

TEST_F(CommandBarWindow, RealMouseMakesTheControlUnderItHotAndLeavingClearsIt)
{
    CreateBar(3);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    const HWND hWndBar = m_pBar->GetSafeHwnd();

    cbtest::SendMouse(CentreOf(1));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == 1; }, 2000));
    EXPECT_EQ(Button(1)->GetSelected(), 1);
    EXPECT_FALSE(Button(1)->moves.empty());

    cbtest::SendMouse(CentreOf(2));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == 2; }, 2000));
    EXPECT_EQ(Button(1)->GetSelected(), 0);
    // The control that lost the selection heard of it as a move to nowhere.
    EXPECT_EQ(Button(1)->moves.back(), CPoint(-1, -1));

    // The gap between two buttons (where a separator stands) holds no control.
    const CRect rc2 = Button(2)->GetRect();
    cbtest::SendMouse(cbtest::ScreenPoint(hWndBar, rc2.left - kGap / 2, 15));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == -1; }, 2000));
    EXPECT_EQ(Button(2)->GetSelected(), 0);

    // Off the bar: the mouse-leave check clears the hot control.
    cbtest::SendMouse(CentreOf(0));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == 0; }, 2000));
    cbtest::SendMouse(cbtest::ScreenPoint(hWndBar, 200, 150));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == -1; }, 2000));
    EXPECT_EQ(Button(0)->GetSelected(), 0);
}

TEST_F(CommandBarWindow, EmptySpaceKeepsTheHotControlWhileItsPopupIsOpen)
{
    CreateBar(3);
    Button(1)->bOpens = TRUE;
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    cbtest::SendMouse(CentreOf(1));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == 1; }, 2000));
    ASSERT_TRUE(m_pBar->SetPopuped(1));
    const CRect rc2 = Button(2)->GetRect();
    cbtest::SendMouse(cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), rc2.left - kGap / 2, 15));
    cbtest::PumpFor(150);
    EXPECT_EQ(m_pBar->GetSelected(), 1);
    EXPECT_EQ(m_pBar->GetPopuped(), 1);
    // Another control takes the hot state even so.
    cbtest::SendMouse(CentreOf(2));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetSelected() == 2; }, 2000));
    m_pBar->SetTrackingMode(0);
    EXPECT_EQ(m_pBar->GetPopuped(), -1);
}

TEST_F(CommandBarWindow, HoverDelayReachesOnlyTheControlTheMouseStaysOn)
{
    CreateBar(2);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    cbtest::SendMouse(CentreOf(0));
    cbtest::PumpFor(100);
    cbtest::SendMouse(CentreOf(1));
    cbtest::PumpFor(CQorCommandBar::kHoverDelay + 250);
    EXPECT_EQ(Button(0)->nHovers, 0);
    EXPECT_EQ(Button(1)->nHovers, 1);

    // Without hover popups the delay never starts.
    m_pBar->m_bPopupOnHover = FALSE;
    cbtest::SendMouse(CentreOf(0));
    cbtest::PumpFor(CQorCommandBar::kHoverDelay + 250);
    EXPECT_EQ(m_pBar->GetSelected(), 0);
    EXPECT_EQ(Button(0)->nHovers, 0);
    cbtest::SendMouse(cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), 200, 150));
    cbtest::PumpFor(100);
}

TEST_F(CommandBarWindow, BarOfABackgroundWindowIgnoresTheMouse)
{
    CreateBar(2);
    const HWND hWndFront = cbtest::CreatePlainWindow({600, 80, 800, 200}, WS_OVERLAPPED | WS_VISIBLE);
    ASSERT_TRUE(cbtest::BringToFront(hWndFront));
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(Button(1)->GetRect().CenterPoint().x, 10));
    EXPECT_EQ(m_pBar->GetSelected(), -1);
    DestroyWindow(hWndFront);
}

TEST_F(CommandBarWindow, SetSelectedTable)
{
    CreateBar(3);
    EXPECT_TRUE(m_pBar->SetSelected(1, 0));
    EXPECT_FALSE(m_pBar->SetSelected(1, 0)) << "the same index changes nothing";
    EXPECT_EQ(Button(1)->GetSelected(), 1);
    EXPECT_TRUE(m_pBar->SetSelected(2, 1)) << "by keyboard";
    EXPECT_EQ(Button(1)->GetSelected(), 0);
    EXPECT_EQ(Button(2)->GetSelected(), 2) << "the keyboard selects with at least 2";
    EXPECT_TRUE(m_pBar->SetSelected(0, 3));
    EXPECT_EQ(Button(0)->GetSelected(), 3);
    EXPECT_FALSE(m_pBar->SetSelected(7, 0)) << "no such control";
    EXPECT_EQ(m_pBar->GetSelected(), -1);
    EXPECT_EQ(Button(0)->GetSelected(), 0);
    EXPECT_TRUE(m_pBar->SetSelected(0, 0));
    EXPECT_TRUE(m_pBar->SetSelected(-1, 0));
    EXPECT_EQ(Button(0)->GetSelected(), 0);
}

// ---- Popups a control refuses -------------------------------------------------------------

TEST_F(CommandBarWindow, SetPopupedOnAPlainButtonFailsAndRestoresTheTrackingMode)
{
    struct Case
    {
        const char* name;
        int nModeBefore;
        BOOL bEnabled;
        BOOL bOpens;
        BOOL bResult;
        int nModeAfter;
        int nPopupedAfter;
        std::vector<BOOL> requests;
    };
    const Case cases[] = {
        {"plain button, not tracking", 0, TRUE, FALSE, FALSE, 0, -1, {TRUE, FALSE}},
        {"plain button, tracking", 1, TRUE, FALSE, FALSE, 1, -1, {TRUE, FALSE}},
        {"disabled control is not asked", 1, FALSE, TRUE, FALSE, 1, -1, {}},
        {"a control that opens", 1, TRUE, TRUE, TRUE, 2, 1, {TRUE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreateBar(3);
        if (c.nModeBefore)
            m_pBar->SetTrackingMode(c.nModeBefore, FALSE, TRUE);
        Button(1)->SetEnabled(c.bEnabled);
        Button(1)->bOpens = c.bOpens;
        EXPECT_EQ(m_pBar->SetPopuped(1, TRUE), c.bResult);
        EXPECT_EQ(m_pBar->GetTrackingMode(), c.nModeAfter);
        EXPECT_EQ(m_pBar->GetPopuped(), c.nPopupedAfter);
        EXPECT_EQ(Button(1)->popupRequests, c.requests);
        if (c.bResult) {
            EXPECT_EQ(m_pBar->GetSelected(), 1) << "the open popup's control is hot";
            EXPECT_TRUE(m_pBar->SetPopuped(-1));
            EXPECT_EQ(Button(1)->popupRequests.back(), FALSE);
            EXPECT_EQ(m_pBar->GetPopuped(), -1);
        }
        m_pBar->SetTrackingMode(0);
        DropBar();
    }
}

// ---- Status prompts -----------------------------------------------------------------------

TEST_F(CommandBarWindow, PressedControlShowsItsDescriptionInTheStatusLine)
{
    struct Case
    {
        const char* name;
        const wchar_t* captionBefore; // SetCaption before the prompt, or null
        const wchar_t* prompt;
        const wchar_t* status; // shown while pressed
        const wchar_t* accessibleName;
    };
    const Case cases[] = {
        {"four parts", nullptr, L"Saves the book\nSave\n&Save\nS", L"Saves the book", L"Save"},
        {"no newline", nullptr, L"Print", L"Print", L"Print"},
        {"TAB in SetCaption", L"&Open\tCtrl+O", L"Opens a book\nOpen", L"Opens a book", L"Open\tCtrl+O"},
        {"caption already set", L"Keep", L"Description\nTip\nOther\nK", L"Description", L"Keep"},
        {"no prompt", nullptr, L"", L"<idle>", L""},
    };
    CreateBar(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pBar->GetControls()->RemoveAll();
        auto* pButton = new CRecordingButton;
        m_pBar->GetControls()->InsertControl(pButton, 0);
        if (c.captionBefore)
            pButton->SetCaption(c.captionBefore);
        pButton->SetPrompt(c.prompt);
        m_record = SiteRecord();

        m_pBar->OnControlPressed(TRUE, pButton);
        m_pBar->OnControlPressed(FALSE, pButton);
        const std::vector<std::wstring> expected = {c.status, L"<idle>"};
        EXPECT_EQ(m_record.prompts, expected);
        const std::vector<CQorControl*> pressed = {pButton, nullptr};
        EXPECT_EQ(m_record.pressed, pressed);

        VARIANT child;
        child.vt = VT_I4;
        child.lVal = 1;
        BSTR bstrName = nullptr;
        ASSERT_EQ(m_pBar->GetAccessibleInterface()->get_accName(child, &bstrName), S_OK);
        EXPECT_STREQ(bstrName, c.accessibleName);
        SysFreeString(bstrName);
    }
}

TEST_F(CommandBarWindow, RealClickShowsThePromptWhileHeldAndClearsItBeforeTheCommand)
{
    CreateBar(2);
    Button(1)->SetPrompt(L"Closes the book\nClose");
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    const POINT pt = CentreOf(1);
    cbtest::SendMouse(pt);
    cbtest::PumpFor(50);
    // The press loop runs on this thread; a helper thread presses and lets go.
    cbtest::RunWithInput({{0, [pt] { cbtest::SendMouse(pt, MOUSEEVENTF_LEFTDOWN); }},
                          {250, [pt] { cbtest::SendMouse(pt, MOUSEEVENTF_LEFTUP); }}},
                         [&] { testsupport::PumpUntil([&] { return !m_record.commands.empty(); }, 3000); });
    const std::vector<std::wstring> prompts = {L"Closes the book", L"<idle>"};
    EXPECT_EQ(m_record.prompts, prompts);
    const std::vector<int> commands = {kFirstId + 1};
    EXPECT_EQ(m_record.commands, commands);
    EXPECT_EQ(m_record.nPromptsAtCommand, 2u) << "the prompt is cleared before the command runs";
    const std::vector<CQorControl*> pressed = {Button(1), nullptr};
    EXPECT_EQ(m_record.pressed, pressed);
}

TEST_F(CommandBarWindow, APressTellsTheManagerItsHelpIdAndPromptsSwitchedOffReachNoStatusLine)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    pCommandBars->SetSite(m_hWndSite);
    pCommandBars->GetCommandBarsOptions()->m_bShowStatusPrompt = FALSE;
    CreateBar(1, pCommandBars);
    Button(0)->SetPrompt(L"Saves the book\nSave");
    m_pBar->OnControlPressed(TRUE, Button(0));
    EXPECT_EQ(pCommandBars->m_nPressedHelpId, static_cast<UINT>(kFirstId)) << "F1 now asks for the held control";
    m_pBar->OnControlPressed(FALSE, Button(0));
    EXPECT_EQ(pCommandBars->m_nPressedHelpId, 0u);
    EXPECT_TRUE(m_record.prompts.empty());
    EXPECT_EQ(m_record.pressed.size(), 2u) << "the site still hears of the press";
    DropBar();
    pCommandBars->InternalRelease();
}

// ---- Copies, letting go, keyboard cues ------------------------------------------------------

TEST_F(CommandBarWindow, CopyTakesTheSourcesKindPlaceTitleAndControlsButNotFromItself)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    CreateBar(3, pCommandBars);
    m_pBar->m_barType = qorBarTypePopup;
    m_pBar->m_barPosition = qorBarLeft;
    m_pBar->m_dwFlags = 0x200000;
    m_pBar->m_nMRUWidth = 123;
    m_pBar->SetTitle(L"Standard");

    CQorCommandBar* pClone = m_pBar->Clone();
    EXPECT_EQ(pClone->m_barType, qorBarTypePopup);
    EXPECT_EQ(pClone->m_barPosition, qorBarLeft);
    EXPECT_EQ(pClone->m_dwFlags, 0x200000u);
    EXPECT_EQ(pClone->m_nMRUWidth, 123);
    EXPECT_EQ(pClone->GetTitle(), CString(L"Standard"));
    EXPECT_EQ(pClone->GetCommandBars(), pCommandBars);
    ASSERT_EQ(pClone->GetControlCount(), 3);
    EXPECT_EQ(pClone->GetControl(2)->GetID(), kFirstId + 2);
    EXPECT_NE(pClone->GetControl(0), m_pBar->GetControl(0));

    m_pBar->Copy(m_pBar);
    EXPECT_EQ(m_pBar->GetControlCount(), 3);
    pClone->InternalRelease();
    DropBar();
    pCommandBars->InternalRelease();
}

TEST_F(CommandBarWindow, ReleaseTrackingEndsTrackingEmptiesTheBarAndDestroysItsWindow)
{
    CreateBar(2);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    m_pBar->SetTrackingMode(1, TRUE, TRUE);
    ASSERT_NE(m_pBar->GetTrackingMode(), 0);
    const HWND hWndBar = m_pBar->GetSafeHwnd();
    m_pBar->ReleaseTracking();
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
    EXPECT_EQ(m_pBar->GetControlCount(), 0);
    EXPECT_FALSE(::IsWindow(hWndBar));
    EXPECT_EQ(GetMouseManager()->FindTrackedBar(m_pBar), -1);
    EXPECT_NE(GetMouseManager()->GetHoverBar(), m_pBar);
}

TEST_F(CommandBarWindow, KeyboardCuesFollowTheManagerAndShowWithoutOne)
{
    CreateBar(1);
    EXPECT_TRUE(m_pBar->IsKeyboardCuesVisible());
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    m_pBar->SetCommandBars(pCommandBars);
    pCommandBars->SetKeyboardCuesState(FALSE, TRUE);
    EXPECT_FALSE(m_pBar->IsKeyboardCuesVisible());
    pCommandBars->SetKeyboardCuesState(TRUE, TRUE);
    EXPECT_TRUE(m_pBar->IsKeyboardCuesVisible());
    m_pBar->SetCommandBars(nullptr);
    pCommandBars->InternalRelease();
}

// A button that records whether a press started its customize drag or its click.
class CCustomizeRecordingButton : public CQorControlButton
{
public:
    void OnCustomizeMouseDown(CPoint) override
    {
        presses.push_back(L"drag");
        bCustomizeModeDuringDrag = GetParent()->GetCommandBars()->IsCustomizeMode();
    }
    void OnClick(BOOL, CPoint) override { presses.push_back(L"click"); }
    std::vector<std::wstring> presses;
    BOOL bCustomizeModeDuringDrag = FALSE;
};

TEST_F(CommandBarWindow, AltPressOnAToolBarButtonStartsItsCustomizeDragWhereTheOptionsAllow)
{
    struct Case
    {
        const char* name;
        BOOL bAlt;
        BOOL bAltDragOption;
        int nBarType;
        int nFlags;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"Alt on a tool bar", TRUE, TRUE, qorBarTypeToolBar, 0, L"drag"},
        {"no Alt", FALSE, TRUE, qorBarTypeToolBar, 0, L"click"},
        {"option off", TRUE, FALSE, qorBarTypeToolBar, 0, L"click"},
        {"menu bar", TRUE, TRUE, qorBarTypeMenuBar, 0, L"click"},
        {"control not movable", TRUE, TRUE, qorBarTypeToolBar, qorFlagNoMovable, L"click"},
    };
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    pCommandBars->SetCustomizable(TRUE); // as for a site with a Customize command
    CreateBar(0, pCommandBars);
    BYTE keys[256] = {};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pBar->GetControls()->RemoveAll();
        auto* pButton = new CCustomizeRecordingButton;
        m_pBar->GetControls()->InsertControl(pButton, kFirstId);
        pButton->SetRect(CRect(4, 4, 44, 26));
        pButton->SetFlags(c.nFlags);
        m_pBar->m_barType = c.nBarType;
        pCommandBars->GetCommandBarsOptions()->m_bAltDragCustomization = c.bAltDragOption;
        GetKeyboardState(keys);
        keys[VK_MENU] = c.bAlt ? 0x80 : 0;
        SetKeyboardState(keys);
        m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(pButton->presses, std::vector<std::wstring>{c.expected});
        EXPECT_EQ(pButton->bCustomizeModeDuringDrag, c.bAlt && c.bAltDragOption && c.nBarType == qorBarTypeToolBar &&
                                                         c.nFlags == 0);
        EXPECT_FALSE(pCommandBars->IsCustomizeMode()) << "customize mode lasts only as long as the drag";
    }
    DropBar();
    pCommandBars->InternalRelease();
}

// ---- Help hit test ------------------------------------------------------------------------

TEST_F(CommandBarWindow, HelpHitTestAnswersTheControlsHelpIdElseItsCommandElseTheBars)
{
    CreateBar(3);
    Button(0)->m_nHelpId = 77;
    auto hitTest = [&](CPoint pt) { return m_pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y)); };
    EXPECT_EQ(hitTest(Button(0)->GetRect().CenterPoint()), 0x10000 + 77);
    EXPECT_EQ(hitTest(Button(1)->GetRect().CenterPoint()), 0x10000 + kFirstId + 1);
    EXPECT_EQ(hitTest(CPoint(380, 15)), 0) << "empty space of a bar without a window id";
    ::SetWindowLongPtrW(m_pBar->GetSafeHwnd(), GWLP_ID, 0xE800);
    EXPECT_EQ(hitTest(CPoint(380, 15)), 0x50000 + 0xE800);
}

// ---- Lifetime ---------------------------------------------------------------------------

TEST_F(CommandBarWindow, BarLetGoWhileItsWindowLivesLeavesNoDragTargetBehind)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    pCommandBars->SetSite(m_hWndSite);
    CreateBar(1, pCommandBars);
    CQorCustomizeDropSource* pDropSource = pCommandBars->GetDropSource();
    EXPECT_TRUE(pDropSource->IsTarget(m_pBar)) << "a created bar takes drops";
    const HWND hWndBar = m_pBar->GetSafeHwnd();

    CQorCommandBar* pBar = m_pBar;
    m_pBar = nullptr;
    pBar->InternalRelease(); // no DestroyWindow first
    EXPECT_FALSE(::IsWindow(hWndBar));
    EXPECT_FALSE(pDropSource->IsTarget(pBar));
    pCommandBars->InternalRelease();
}

TEST_F(CommandBarWindow, SiteAndSavedFocusOutliveTheFrameworksTemporaries)
{
    // A site handed over as a temporary window object, which idle time deletes.
    const HWND hWndOtherSite =
        cbtest::CreateWindowWithProc(L"CommandBarWindowSite", SiteProc, {80, 320, 300, 400}, WS_OVERLAPPED);
    const HWND hWndEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 60, 100, 20, m_hWndSite, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
    CreateBar(1);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    SetFocus(hWndEdit);
    m_pBar->SetSite(CWnd::FromHandle(hWndOtherSite));
    m_pBar->SetTrackingMode(1, FALSE, TRUE); // saves the focused edit
    SetFocus(m_pBar->GetSafeHwnd());
    CWnd::DeleteTempMap();

    EXPECT_EQ(m_pBar->GetSite(), hWndOtherSite);
    m_pBar->SetTrackingMode(0, TRUE, FALSE);
    EXPECT_EQ(GetFocus(), hWndEdit) << "the focus went back to the saved window";
    DestroyWindow(hWndOtherSite);
}

// ---- Menus ------------------------------------------------------------------------------

TEST_F(CommandBarWindow, LoadMenuTurnsSeparatorsBreaksAndStatesIntoControls)
{
    CreateBar(0);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 6001, L"&Open");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING | MF_CHECKED, 6002, L"&Bold");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING | MF_GRAYED, 6003, L"&Paste\tCtrl+V");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING | MF_MENUBARBREAK, 6004, L"&Zoom");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING | MF_MENUBREAK, 6005, L"&Fit");
    EXPECT_FALSE(m_pBar->LoadMenu(nullptr));
    ASSERT_TRUE(m_pBar->LoadMenu(&menu));
    ASSERT_EQ(m_pBar->GetControlCount(), 5);

    struct Expected
    {
        int nId;
        BOOL bBeginGroup, bChecked, bEnabled;
        int nFlags;
    };
    const Expected expected[] = {
        {6001, FALSE, FALSE, TRUE, 0},
        {6002, TRUE, TRUE, TRUE, 0},
        {6003, FALSE, FALSE, FALSE, 0},
        {6004, TRUE, FALSE, TRUE, qorFlagWrapRow},
        {6005, FALSE, FALSE, TRUE, qorFlagWrapRow},
    };
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE(i);
        CQorControl* pControl = m_pBar->GetControl(i);
        EXPECT_EQ(pControl->GetID(), expected[i].nId);
        EXPECT_EQ(pControl->GetBeginGroup(), expected[i].bBeginGroup);
        EXPECT_EQ(pControl->GetChecked(), expected[i].bChecked);
        EXPECT_EQ(pControl->GetEnabled(), expected[i].bEnabled);
        EXPECT_EQ(pControl->GetFlags() & qorFlagWrapRow, expected[i].nFlags);
    }
    EXPECT_STREQ(m_pBar->GetControl(2)->GetShortcutText(), L"Ctrl+V");

    // Loading again replaces the controls unless told to keep them.
    ASSERT_TRUE(m_pBar->LoadMenu(&menu, FALSE));
    EXPECT_EQ(m_pBar->GetControlCount(), 10);
    ASSERT_TRUE(m_pBar->LoadMenu(&menu));
    EXPECT_EQ(m_pBar->GetControlCount(), 5);
}

// ---- Bar list ---------------------------------------------------------------------------

TEST(CommandBarList, FindsByIdAndReleasesEveryBar)
{
    CQorCommandBarList* pList = new CQorCommandBarList;
    CQorCommandBar* pBars[3];
    for (int i = 0; i < 3; i++) {
        pBars[i] = new CQorCommandBar;
        pBars[i]->SetBarID(i == 2 ? 7 : 10 + i);
        EXPECT_EQ(pList->Add(pBars[i]), pBars[i]);
    }
    CQorCommandBar* pOther = new CQorCommandBar;
    pOther->SetBarID(7);
    EXPECT_EQ(pList->FindBar(7), pBars[2]);
    EXPECT_EQ(pList->FindBar(99), nullptr);
    EXPECT_TRUE(pList->Contains(pBars[1]));
    EXPECT_FALSE(pList->Contains(pOther));
    EXPECT_EQ(pList->GetAt(3), nullptr);

    // The list holds the only reference of its bars; one more shows the release.
    pBars[0]->InternalAddRef();
    pList->RemoveAll();
    EXPECT_EQ(pList->GetCount(), 0);
    EXPECT_EQ(pBars[0]->InternalRelease(), 0u);
    pList->Add(pOther);
    pList->InternalRelease();
}

TEST(CommandBarFramework, FreeBarsShowFrameworkTipsPopupsAndManagedBarsDoNot)
{
    const HWND hWndParent = cbtest::CreatePlainWindow({10, 10, 200, 100});
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    struct Case
    {
        int nType;
        BOOL bManaged;
        BOOL bTips;
    };
    for (const Case& c : {Case{qorBarTypeToolBar, FALSE, TRUE}, Case{qorBarTypePopup, FALSE, FALSE},
                          Case{qorBarTypeToolBar, TRUE, FALSE}}) {
        CQorCommandBar* pBar = new CQorCommandBar;
        pBar->m_barType = c.nType;
        if (c.bManaged)
            pBar->SetCommandBars(pCommandBars);
        ASSERT_TRUE(pBar->CreateEx(0, lpszClass, L"", WS_CHILD, 0, 0, 50, 20, hWndParent, nullptr));
        EXPECT_EQ((pBar->m_nFlags & WF_TOOLTIPS) != 0, c.bTips) << c.nType << c.bManaged;
        EXPECT_EQ(pBar->EnableToolTips(FALSE), c.bTips);
        EXPECT_EQ(pBar->m_nFlags & WF_TOOLTIPS, 0u);
        pBar->InternalRelease();
    }
    pCommandBars->InternalRelease();
    DestroyWindow(hWndParent);
}

} // namespace
