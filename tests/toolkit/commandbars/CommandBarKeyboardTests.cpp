// Keys while a bar tracks: real key presses (SendInput) reach the bar through the thread's
// keyboard hook; the site is a plain frame that records the commands and the keys it is shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/foundation/KeyboardManager.h"

namespace {

// What reached the frame.
struct SiteRecord
{
    std::vector<int> commands;
    std::vector<UINT> keys;                        // 0x285A, in order
    std::vector<UINT> focusedKeys;                 // WM_KEYDOWN that reached the frame's edit
    std::vector<CQorCommandBar*> menuBarsTracking; // 0x2858
    std::vector<LPARAM> keyMenus;                  // WM_SYSCOMMAND SC_KEYMENU, kept from Wine's menu loop
    CQorCommandBar* pCloseOnKey = nullptr;         // the frame destroys and lets go of this bar on 0x285A
};
SiteRecord* g_pRecord = nullptr;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pRecord && nMsg == WM_COMMAND && lParam == 0) {
        g_pRecord->commands.push_back(LOWORD(wParam));
        return 0;
    }
    if (g_pRecord && nMsg == QORWM_MENUBAR_TRACKING) {
        g_pRecord->menuBarsTracking.push_back(reinterpret_cast<CQorCommandBar*>(wParam));
        return 0;
    }
    if (g_pRecord && nMsg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        g_pRecord->keyMenus.push_back(lParam);
        return 0;
    }
    if (g_pRecord && nMsg == QORWM_SPECIALKEY) {
        g_pRecord->keys.push_back(reinterpret_cast<const QOR_KEY_RECORD*>(wParam)->nChar);
        if (CQorCommandBar* pBar = g_pRecord->pCloseOnKey) {
            g_pRecord->pCloseOnKey = nullptr;
            pBar->DestroyWindow();
            pBar->InternalRelease();
        }
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

WNDPROC g_pfnEditProc = nullptr;

LRESULT CALLBACK EditProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pRecord && nMsg == WM_KEYDOWN)
        g_pRecord->focusedKeys.push_back(static_cast<UINT>(wParam));
    return CallWindowProcW(g_pfnEditProc, hWnd, nMsg, wParam, lParam);
}

// A manager that records what the bars ask of it and takes what it is told to.
class CRecordingCommandBars : public CQorCommandBars
{
public:
    BOOL ActivateToolBar(int nDirection, CQorCommandBar*) override
    {
        directions.push_back(nDirection);
        return bTakeToolBar;
    }
    BOOL ProcessAltKey(UINT nChar) override
    {
        altKeys.push_back(nChar);
        return bTakeAltKey;
    }
    void OnTrackingModeChanged(CQorCommandBar*, int nMode) override { modes.push_back(nMode); }

    std::vector<int> directions;
    std::vector<UINT> altKeys;
    std::vector<int> modes;
    BOOL bTakeToolBar = FALSE;
    BOOL bTakeAltKey = FALSE;
};

// A control that answers keys itself, and counts the wheel turns it is given.
class CKeyTakingControl : public CQorControlButton
{
public:
    BOOL OnHookKeyDown(UINT nChar) override { return nChar == nKey ? nAnswer : 0; }
    BOOL OnHookMouseWheel(UINT, short zDelta, CPoint) override
    {
        wheelDeltas.push_back(zDelta);
        return bTakeWheel;
    }
    UINT nKey = 0;
    int nAnswer = 0;
    std::vector<int> wheelDeltas;
    BOOL bTakeWheel = FALSE;
};

// A bar whose controls all open popups (it records what it is asked to open and close), with
// an optional parent bar.
class CPopupOpeningBar : public CQorCommandBar
{
public:
    BOOL SetPopuped(int nPopuped, BOOL) override
    {
        requests.push_back(nPopuped);
        m_nPopuped = nPopuped;
        if (nPopuped != -1)
            SetTrackingMode(2, FALSE, TRUE);
        return TRUE;
    }
    CQorCommandBar* GetParentCommandBar() const override { return pParentBar; }

    std::vector<int> requests;
    CQorCommandBar* pParentBar = nullptr;
};

struct ControlSpec
{
    LPCWSTR lpszCaption;
    int nHideFlags;
    int nFlags;
    BOOL bEnabled;
};

class CommandBarKeyboard : public testing::Test
{
protected:
    void SetUp() override
    {
        g_pRecord = &m_record;
        m_hWndSite = cbtest::CreateWindowWithProc(L"CommandBarKeyboardSite", SiteProc, {40, 40, 520, 300},
                                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        m_hWndEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 100, 200, 24, m_hWndSite,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        g_pfnEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(m_hWndEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
        ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
        SetFocus(m_hWndEdit);
    }
    void TearDown() override
    {
        DropBar();
        DestroyWindow(m_hWndSite);
        if (m_pCommandBars)
            m_pCommandBars->InternalRelease();
        g_pRecord = nullptr;
    }

    void CreateBar(const std::vector<ControlSpec>& controls, int nPosition = qorBarTop, DWORD dwExStyle = 0,
                   int nType = qorBarTypeToolBar, CQorCommandBar* pBar = nullptr)
    {
        m_pBar = pBar ? pBar : new CQorCommandBar;
        m_pBar->m_barPosition = nPosition;
        m_pBar->m_barType = nType;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(
            m_pBar->CreateEx(dwExStyle, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 30, m_hWndSite, nullptr));
        int nId = kFirstId;
        for (const ControlSpec& entry : controls) {
            CQorControl* pControl = m_pBar->GetControls()->Add(qorControlButton, nId++);
            pControl->SetCaption(entry.lpszCaption);
            pControl->SetHideFlags(entry.nHideFlags);
            pControl->SetFlags(entry.nFlags);
            pControl->SetEnabled(entry.bEnabled);
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
    void UseCommandBars()
    {
        m_pCommandBars = new CRecordingCommandBars;
        m_pBar->SetCommandBars(m_pCommandBars);
    }
    // Tracking as the keyboard starts it, with a control hot.
    void Track(int nHot)
    {
        m_pBar->SetTrackingMode(1, FALSE, TRUE);
        m_pBar->SetSelected(nHot, 2);
    }
    // A key pressed and released (with modifiers held), played as real input.
    void Press(WORD vk, std::vector<WORD> modifiers = {})
    {
        for (WORD mod : modifiers)
            cbtest::SendKey(mod);
        cbtest::SendKey(vk);
        cbtest::SendKey(vk, true);
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
            cbtest::SendKey(*it, true);
        cbtest::PumpFor(40);
    }

    static const int kFirstId = 4101;
    SiteRecord m_record;
    HWND m_hWndSite = nullptr;
    HWND m_hWndEdit = nullptr;
    CQorCommandBar* m_pBar = nullptr;
    CRecordingCommandBars* m_pCommandBars = nullptr;
};

// 0 plain, 1 hidden by its owner, 2 skipped by the keyboard, 3 disabled (still reachable),
// 4 rarely used (shown outside popups), 5 plain.
const std::vector<ControlSpec> kNavigationControls = {
    {L"Zero", 0, 0, TRUE},   {L"One", qorHideGeneric, 0, TRUE}, {L"Two", 0, qorFlagSkipFocus, TRUE},
    {L"Three", 0, 0, FALSE}, {L"Four", qorHideExpand, 0, TRUE}, {L"Five", 0, 0, TRUE},
};

struct ArrowCase
{
    const char* name;
    int nPosition;
    DWORD dwExStyle;
    int nHot;
    WORD vk;
    int nExpected;
};

TEST_F(CommandBarKeyboard, ArrowsMoveByTheBarsDirectionAndReadingOrderSkippingWhatTheKeyboardMayNotReach)
{
    const ArrowCase cases[] = {
        {"horizontal: Right skips hidden and flagged", qorBarTop, 0, 0, VK_RIGHT, 3},
        {"horizontal: Right from the last wraps", qorBarTop, 0, 5, VK_RIGHT, 0},
        {"horizontal: Left from the first wraps", qorBarTop, 0, 0, VK_LEFT, 5},
        {"horizontal: Left skips back", qorBarTop, 0, 3, VK_LEFT, 0},
        {"horizontal: nothing hot, Right takes the first", qorBarTop, 0, -1, VK_RIGHT, 0},
        {"horizontal: nothing hot, Left takes the last", qorBarTop, 0, -1, VK_LEFT, 5},
        {"horizontal: Down opens nothing on a button", qorBarTop, 0, 3, VK_DOWN, 3},
        {"horizontal: Home", qorBarTop, 0, 4, VK_HOME, 0},
        {"horizontal: End", qorBarTop, 0, 0, VK_END, 5},
        {"bottom: Right", qorBarBottom, 0, 3, VK_RIGHT, 4},
        {"vertical: Down", qorBarLeft, 0, 0, VK_DOWN, 3},
        {"vertical: Up wraps", qorBarLeft, 0, 0, VK_UP, 5},
        {"vertical: Right opens nothing", qorBarRight, 0, 3, VK_RIGHT, 3},
        {"vertical: Left stays", qorBarLeft, 0, 3, VK_LEFT, 3},
        {"vertical: End", qorBarLeft, 0, 0, VK_END, 5},
        {"right to left: Left goes forward", qorBarTop, WS_EX_LAYOUTRTL, 0, VK_LEFT, 3},
        {"right to left: Right goes back and wraps", qorBarTop, WS_EX_LAYOUTRTL, 0, VK_RIGHT, 5},
        {"right to left reading: Left goes forward", qorBarTop, WS_EX_RTLREADING, 3, VK_LEFT, 4},
        {"right to left, vertical: Down", qorBarLeft, WS_EX_LAYOUTRTL, 0, VK_DOWN, 3},
    };
    for (const ArrowCase& c : cases) {
        SCOPED_TRACE(c.name);
        CreateBar(kNavigationControls, c.nPosition, c.dwExStyle);
        Track(c.nHot);
        Press(c.vk);
        EXPECT_EQ(m_pBar->GetSelected(), c.nExpected);
        EXPECT_EQ(m_pBar->GetTrackingMode(), 1);
        EXPECT_TRUE(m_record.commands.empty());
        DropBar();
    }
    // The keys went to the bar only: the focused edit saw none of them.
    EXPECT_TRUE(m_record.focusedKeys.empty());
}

TEST_F(CommandBarKeyboard, RarelyUsedControlsAreSkippedInPopupsOnly)
{
    struct Case
    {
        const char* name;
        int nPosition;
        int nType;
        WORD vk;
        int nExpected;
    } cases[] = {
        {"popup", qorBarPopup, qorBarTypePopup, VK_DOWN, 5},
        {"tool bar", qorBarTop, qorBarTypeToolBar, VK_RIGHT, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreateBar(kNavigationControls, c.nPosition, 0, c.nType);
        Track(3);
        Press(c.vk);
        EXPECT_EQ(m_pBar->GetSelected(), c.nExpected);
        DropBar();
    }
}

TEST_F(CommandBarKeyboard, NoSelectableControlLeavesNothingHot)
{
    CreateBar({{L"Hidden", qorHideGeneric, 0, TRUE}, {L"Flagged", 0, qorFlagSkipFocus, TRUE}});
    Track(-1);
    Press(VK_RIGHT);
    EXPECT_EQ(m_pBar->GetSelected(), -1);
    Press(VK_END);
    EXPECT_EQ(m_pBar->GetSelected(), -1);
}

TEST_F(CommandBarKeyboard, TabMovesLikeTheArrowsAndEnterRunsTheHotControlOnce)
{
    CreateBar(kNavigationControls);
    Track(0);
    Press(VK_TAB);
    EXPECT_EQ(m_pBar->GetSelected(), 3);
    Press(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(m_pBar->GetSelected(), 0);
    Press(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(m_pBar->GetSelected(), 5);
    Press(VK_RETURN);
    EXPECT_EQ(m_record.commands, std::vector<int>{kFirstId + 5});
    // Running a command ends the tracking: the next key is the edit's again.
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
    EXPECT_FALSE(FindKeyboardManager()->IsHooked());
    Press(VK_RETURN);
    EXPECT_EQ(m_record.commands.size(), 1u);
}

struct MnemonicCase
{
    const char* name;
    int nHot;
    WORD vk;
    int nExpectedHot;     // when nothing runs
    int nExpectedCommand; // 0: nothing runs
};

TEST_F(CommandBarKeyboard, MnemonicsRunAUniqueControlAndSelectAmongSeveral)
{
    // 0 &File, 1 F&ormat, 2 Fi&nd, 3 Save && Exit, 4 &Help, 5 &Hide, 6 Tools, 7 Table,
    // 8 &Quit (disabled), 9 &Xtra (skipped by the keyboard), 10 Options.
    const std::vector<ControlSpec> controls = {
        {L"&File", 0, 0, TRUE},   {L"F&ormat", 0, 0, TRUE},
        {L"Fi&nd", 0, 0, TRUE},   {L"Save && Exit", 0, 0, TRUE},
        {L"&Help", 0, 0, TRUE},   {L"&Hide", 0, 0, TRUE},
        {L"Tools", 0, 0, TRUE},   {L"Table", 0, 0, TRUE},
        {L"&Quit", 0, 0, FALSE},  {L"&Xtra", 0, qorFlagSkipFocus, TRUE},
        {L"Options", 0, 0, TRUE},
    };
    const MnemonicCase cases[] = {
        {"&File: its mnemonic, not the first letters of F&ormat and Fi&nd", -1, 'F', -1, kFirstId + 0},
        {"F&ormat: the mnemonic wins over Options' first letter", -1, 'O', -1, kFirstId + 1},
        {"Fi&nd", 6, 'N', -1, kFirstId + 2},
        {"Save && Exit answers to its first letter, && is no mnemonic", -1, 'S', -1, kFirstId + 3},
        {"&Help and &Hide: the first after nothing hot is selected", -1, 'H', 4, 0},
        {"&Help and &Hide: the first after the hot one", 4, 'H', 5, 0},
        {"&Help and &Hide: the search wraps", 5, 'H', 4, 0},
        {"Tools and Table by first letter: selected only", -1, 'T', 6, 0},
        {"a disabled &Quit is not found", 0, 'Q', 0, 0},
        {"a control skipped by the keyboard is not found", 0, 'X', 0, 0},
        {"a letter nobody has", 2, 'Z', 2, 0},
    };
    for (const MnemonicCase& c : cases) {
        SCOPED_TRACE(c.name);
        CreateBar(controls);
        m_record.commands.clear();
        Track(c.nHot);
        Press(c.vk);
        if (c.nExpectedCommand) {
            // The command ran once and ended the tracking.
            EXPECT_EQ(m_record.commands, std::vector<int>{c.nExpectedCommand});
            EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
        } else {
            EXPECT_EQ(m_pBar->GetSelected(), c.nExpectedHot);
            EXPECT_TRUE(m_record.commands.empty());
            EXPECT_EQ(m_pBar->GetTrackingMode(), 1);
        }
        DropBar();
    }
    EXPECT_TRUE(m_record.focusedKeys.empty());
}

TEST_F(CommandBarKeyboard, EscapeLeavesTrackingAndGivesTheKeysBack)
{
    CreateBar(kNavigationControls);
    Track(3);
    ASSERT_TRUE(FindKeyboardManager()->IsHookAbleListed(m_pBar));
    Press(VK_ESCAPE);
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
    EXPECT_EQ(m_pBar->GetSelected(), -1);
    EXPECT_FALSE(FindKeyboardManager()->IsHookAbleListed(m_pBar));
    EXPECT_EQ(GetFocus(), m_hWndEdit);
    Press(VK_RIGHT);
    EXPECT_EQ(m_record.focusedKeys, std::vector<UINT>{VK_RIGHT});
    EXPECT_EQ(m_record.keys, std::vector<UINT>{VK_ESCAPE});
}

struct FocusCase
{
    const char* name;
    BOOL bEditTabStop;
    BOOL bDestroyEdit; // the window that had the focus is gone when tracking ends
};

TEST_F(CommandBarKeyboard, LeavingTrackingNeverLeavesTheFocusOnTheBarOrNowhere)
{
    const FocusCase cases[] = {
        {"no tab item besides the bar: the edit gets the focus back", FALSE, FALSE},
        {"the edit is a tab item", TRUE, FALSE},
        {"the edit is gone: the focus stays where it is", FALSE, TRUE},
    };
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (!IsWindow(m_hWndEdit)) {
            m_hWndEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 100, 200, 24,
                                         m_hWndSite, nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        SetWindowLongPtrW(m_hWndEdit, GWL_STYLE,
                          (GetWindowLongPtrW(m_hWndEdit, GWL_STYLE) & ~WS_TABSTOP) | (c.bEditTabStop ? WS_TABSTOP : 0));
        SetFocus(m_hWndEdit);
        CreateBar(kNavigationControls);
        Track(0);
        // The keyboard put the focus on the bar (as Ctrl+Tab does). In this plain frame the next
        // tab item after the bar is the bar itself unless the edit is a tab stop.
        m_pBar->SetFocus();
        ASSERT_EQ(GetFocus(), m_pBar->GetSafeHwnd());
        if (c.bDestroyEdit)
            DestroyWindow(m_hWndEdit);
        Press(VK_ESCAPE);
        EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
        if (c.bDestroyEdit)
            EXPECT_TRUE(GetFocus() == nullptr || IsWindow(GetFocus()));
        else
            EXPECT_EQ(GetFocus(), m_hWndEdit);
        DropBar();
    }
}

TEST_F(CommandBarKeyboard, TheHotControlSeesTheKeyFirst)
{
    struct Case
    {
        const char* name;
        int nAnswer;
        int nExpectedHot;
        bool bEditSeesKey;
    } cases[] = {
        {"consumed by the control", QOR_HOOK_CONSUMED, 0, false},
        {"passed on by the control to the focused window", QOR_HOOK_PASS, 0, true},
        {"left to the bar", 0, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_record.focusedKeys.clear();
        CreateBar({});
        CKeyTakingControl* pControl = new CKeyTakingControl;
        pControl->nKey = VK_RIGHT;
        pControl->nAnswer = c.nAnswer;
        m_pBar->GetControls()->InsertControl(pControl, kFirstId);
        m_pBar->GetControls()->Add(qorControlButton, kFirstId + 1)->SetHideFlags(qorHideGeneric);
        m_pBar->GetControls()->Add(qorControlButton, kFirstId + 2)->SetFlags(qorFlagSkipFocus);
        m_pBar->GetControls()->Add(qorControlButton, kFirstId + 3);
        Track(0);
        Press(VK_RIGHT);
        EXPECT_EQ(m_pBar->GetSelected(), c.nExpectedHot);
        EXPECT_EQ(!m_record.focusedKeys.empty(), c.bEditSeesKey);
        DropBar();
    }
}

TEST_F(CommandBarKeyboard, TheHotControlHasTheWheelFirstAndTheBarKeepsItEitherWay)
{
    CreateBar({});
    CKeyTakingControl* pWheeled = new CKeyTakingControl;
    m_pBar->GetControls()->InsertControl(pWheeled, kFirstId);
    m_pBar->GetControls()->Add(qorControlButton, kFirstId + 1);
    LPARAM lParam = MAKELPARAM(10, 10);
    LRESULT lResult = 0;
    struct Case
    {
        int nHot;
        BOOL bTake;
        short zDelta;
        size_t nSeen; // turns the wheeled control has seen after the case
    } cases[] = {{0, TRUE, WHEEL_DELTA, 1}, {0, FALSE, -WHEEL_DELTA, 2}, {1, TRUE, WHEEL_DELTA, 2}};
    Track(0);
    for (const Case& c : cases) {
        m_pBar->SetSelected(c.nHot, 2);
        pWheeled->bTakeWheel = c.bTake;
        WPARAM wWheel = MAKEWPARAM(0, static_cast<WORD>(c.zDelta));
        EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_MOUSEWHEEL, wWheel, lParam, lResult), QOR_HOOK_CONSUMED);
        ASSERT_EQ(pWheeled->wheelDeltas.size(), c.nSeen);
        EXPECT_EQ(pWheeled->wheelDeltas.back(), c.nHot == 0 ? c.zDelta : -WHEEL_DELTA);
    }
}

TEST_F(CommandBarKeyboard, KeysThatTheBarDoesNotTake)
{
    CreateBar(kNavigationControls);
    // Tracking without the keyboard manager's hook: the offer is made directly.
    Track(0);
    WPARAM wParam = VK_RIGHT;
    LPARAM lParam = 0;
    LRESULT lResult = 0;

    // A customizing manager lets every key through.
    UseCommandBars();
    m_pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), QOR_HOOK_PASS);
    m_pCommandBars->SetCustomizeMode(FALSE);

    // While a nested loop runs above the bar, keys are swallowed and do nothing.
    m_pBar->AdjustModalLockCount(1);
    EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), QOR_HOOK_CONSUMED);
    EXPECT_EQ(m_pBar->GetSelected(), 0);
    m_pBar->AdjustModalLockCount(-1);

    // The wheel stays with the tracking bar.
    WPARAM wWheel = MAKEWPARAM(0, WHEEL_DELTA);
    EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_MOUSEWHEEL, wWheel, lParam, lResult), QOR_HOOK_CONSUMED);

    // A child window of the bar with the focus (an edit box on the bar) types for itself.
    HWND hWndChild = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 2, 80, 20, m_pBar->GetSafeHwnd(),
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFocus(hWndChild);
    EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), QOR_HOOK_PASS);
    EXPECT_EQ(m_pBar->GetSelected(), 0);
    DestroyWindow(hWndChild);

    // A key with no character is swallowed and selects nothing.
    WPARAM wF5 = VK_F5;
    EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_KEYDOWN, wF5, lParam, lResult), QOR_HOOK_CONSUMED);
    EXPECT_EQ(m_pBar->GetSelected(), 0);

    // A bar that does not track is offered nothing.
    m_pBar->SetTrackingMode(0, FALSE, FALSE);
    EXPECT_EQ(m_pBar->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), QOR_HOOK_OFFER_ON);
    EXPECT_EQ(m_pBar->GetSelected(), 0);
}

TEST_F(CommandBarKeyboard, CtrlTabAndLettersAskTheManagerFirst)
{
    CreateBar(kNavigationControls);
    UseCommandBars();
    Track(0);
    EXPECT_EQ(m_pCommandBars->modes, std::vector<int>{1});

    // The manager has no other tool bar: Ctrl+Tab moves within the bar.
    Press(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(m_pCommandBars->directions, std::vector<int>{+1});
    EXPECT_EQ(m_pBar->GetSelected(), 3);
    Press(VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(m_pCommandBars->directions, (std::vector<int>{+1, -1}));
    EXPECT_EQ(m_pBar->GetSelected(), 0);

    // It takes the next: the bar stays as it is.
    m_pCommandBars->bTakeToolBar = TRUE;
    Press(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(m_pBar->GetSelected(), 0);

    // A letter the manager takes never reaches the bar's own search.
    m_pCommandBars->bTakeAltKey = TRUE;
    Press('F');
    EXPECT_EQ(m_pCommandBars->altKeys, std::vector<UINT>{'F'});
    EXPECT_EQ(m_pBar->GetSelected(), 0);
    EXPECT_TRUE(m_record.commands.empty());
    m_pCommandBars->bTakeAltKey = FALSE;
    Press('Z');
    EXPECT_EQ(m_record.commands, std::vector<int>{kFirstId});

    // Running the command ended the tracking; the manager heard of it.
    EXPECT_EQ(m_pCommandBars->modes, (std::vector<int>{1, 0}));
}

TEST_F(CommandBarKeyboard, PopupsDoNotAskTheManager)
{
    CreateBar(kNavigationControls, qorBarPopup, 0, qorBarTypePopup);
    UseCommandBars();
    Track(0);
    Press(VK_TAB, {VK_CONTROL});
    Press('F');
    EXPECT_TRUE(m_pCommandBars->directions.empty());
    EXPECT_TRUE(m_pCommandBars->altKeys.empty());
    EXPECT_EQ(m_record.commands, std::vector<int>{kFirstId + 5});
}

TEST_F(CommandBarKeyboard, ASiteThatClosesTheBarOverAKeyEndsTheKey)
{
    CreateBar(kNavigationControls);
    Track(0);
    m_record.pCloseOnKey = m_pBar;
    m_pBar = nullptr; // the site lets go of it
    Press(VK_RIGHT);
    EXPECT_EQ(m_record.keys, std::vector<UINT>{VK_RIGHT});
    EXPECT_FALSE(FindKeyboardManager()->IsHooked());
    EXPECT_TRUE(m_record.focusedKeys.empty());
}

// Popup tool bars and floating bars stand in rows: Up and Down go to the control above or
// below, the one whose left edge is the nearest not right of the hot control's.
TEST_F(CommandBarKeyboard, UpAndDownChangeRowsInPopupToolBarsAndFloatingBars)
{
    struct Cell
    {
        int nRow, nLeft;
    };
    // Row 0: 0 at 0, 1 at 30, 2 at 60; row 1: 3 at 0, 4 at 40; row 2: 5 at 10.
    const Cell cells[] = {{0, 0}, {0, 30}, {0, 60}, {1, 0}, {1, 40}, {2, 10}};
    struct Case
    {
        const char* name;
        int nPosition;
        int nType;
        int nHot;
        WORD vk;
        int nExpected;
    } cases[] = {
        {"popup tool bar: Down below the left edge", qorBarPopup, qorBarTypeToolBar, 2, VK_DOWN, 4},
        {"popup tool bar: Down at the same left edge", qorBarPopup, qorBarTypeToolBar, 0, VK_DOWN, 3},
        {"popup tool bar: Up from the second row", qorBarPopup, qorBarTypeToolBar, 4, VK_UP, 1},
        {"popup tool bar: Down from the last row wraps", qorBarPopup, qorBarTypeToolBar, 5, VK_DOWN, 0},
        {"popup tool bar: Up from the first row wraps", qorBarPopup, qorBarTypeToolBar, 1, VK_UP, 5},
        {"popup tool bar: nothing right of it, the first met", qorBarPopup, qorBarTypeToolBar, 3, VK_DOWN, 5},
        {"popup tool bar: nothing hot, Down takes the first", qorBarPopup, qorBarTypeToolBar, -1, VK_DOWN, 0},
        {"popup tool bar: nothing hot, Up takes the last", qorBarPopup, qorBarTypeToolBar, -1, VK_UP, 5},
        {"floating: Down", qorBarFloating, qorBarTypeToolBar, 1, VK_DOWN, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreateBar({}, c.nPosition, 0, c.nType);
        for (const Cell& cell : cells) {
            CQorControl* pControl = m_pBar->GetControls()->Add(qorControlButton, kFirstId);
            pControl->SetRect(CRect(cell.nLeft, cell.nRow * 24, cell.nLeft + 24, cell.nRow * 24 + 22));
            pControl->SetRowRect(CRect(0, cell.nRow * 24, 100, cell.nRow * 24 + 22));
        }
        Track(c.nHot);
        Press(c.vk);
        EXPECT_EQ(m_pBar->GetSelected(), c.nExpected);
        DropBar();
    }
}

struct PopupKeyCase
{
    const char* name;
    int nPosition;
    int nType;
    DWORD dwExStyle;
    BOOL bParentBar;
    int nHot;
    BOOL bPopupOpen; // the hot control's popup is open
    WORD vk;
    std::vector<int> expectedRequests;
    int nExpectedMode;
};

TEST_F(CommandBarKeyboard, ArrowsAcrossTheBarsDirectionOpenAndCloseTheHotControlsPopup)
{
    const PopupKeyCase cases[] = {
        {"menu bar: Down opens", qorBarTop, qorBarTypeMenuBar, 0, FALSE, 0, FALSE, VK_DOWN, {0}, 2},
        {"menu bar: Up opens too", qorBarTop, qorBarTypeMenuBar, 0, FALSE, 0, FALSE, VK_UP, {0}, 2},
        {"menu bar: Up on a disabled control does nothing",
         qorBarTop,
         qorBarTypeMenuBar,
         0,
         FALSE,
         3,
         FALSE,
         VK_UP,
         {},
         1},
        {"menu bar: Down with the popup open does nothing",
         qorBarTop,
         qorBarTypeMenuBar,
         0,
         FALSE,
         0,
         TRUE,
         VK_DOWN,
         {},
         2},
        {"popup: Right opens the sub-popup", qorBarPopup, qorBarTypePopup, 0, TRUE, 0, FALSE, VK_RIGHT, {0}, 2},
        {"popup: Left closes the open sub-popup", qorBarPopup, qorBarTypePopup, 0, TRUE, 0, TRUE, VK_LEFT, {-1}, 1},
        {"popup: Left with nothing open does nothing", qorBarPopup, qorBarTypePopup, 0, TRUE, 0, FALSE, VK_LEFT, {}, 1},
        {"right-to-left popup: Left opens",
         qorBarPopup,
         qorBarTypePopup,
         WS_EX_LAYOUTRTL,
         TRUE,
         0,
         FALSE,
         VK_LEFT,
         {0},
         2},
        {"right-to-left popup: Right closes",
         qorBarPopup,
         qorBarTypePopup,
         WS_EX_LAYOUTRTL,
         TRUE,
         0,
         TRUE,
         VK_RIGHT,
         {-1},
         1},
    };
    CQorCommandBar* pParent = new CQorCommandBar;
    for (const PopupKeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        CPopupOpeningBar* pBar = new CPopupOpeningBar;
        pBar->pParentBar = c.bParentBar ? pParent : nullptr;
        CreateBar(kNavigationControls, c.nPosition, c.dwExStyle, c.nType, pBar);
        Track(c.nHot);
        if (c.bPopupOpen)
            pBar->SetPopuped(c.nHot, TRUE);
        pBar->requests.clear();
        Press(c.vk);
        EXPECT_EQ(pBar->requests, c.expectedRequests);
        EXPECT_EQ(pBar->GetTrackingMode(), c.nExpectedMode);
        EXPECT_EQ(pBar->GetSelected(), c.nHot);
        DropBar();
    }
    pParent->InternalRelease();
}

TEST_F(CommandBarKeyboard, EscapeInAPopupHandsTheKeysToItsParentBar)
{
    CQorCommandBar* pParent = new CQorCommandBar;
    CPopupOpeningBar* pBar = new CPopupOpeningBar;
    pBar->pParentBar = pParent;
    CreateBar(kNavigationControls, qorBarPopup, 0, qorBarTypePopup, pBar);
    pParent->SetTrackingMode(2, FALSE, TRUE);
    Track(0);
    Press(VK_ESCAPE);
    EXPECT_EQ(pBar->GetTrackingMode(), 0);
    EXPECT_EQ(pParent->GetTrackingMode(), 1);
    EXPECT_FALSE(FindKeyboardManager()->IsHookAbleListed(pBar));
    EXPECT_TRUE(FindKeyboardManager()->IsHookAbleListed(pParent));
    pParent->SetTrackingMode(0, TRUE, FALSE);
    pParent->InternalRelease();
}

TEST_F(CommandBarKeyboard, SpaceOnAMenuBarAsksTheSiteForItsSystemMenu)
{
    CreateBar(kNavigationControls, qorBarTop, 0, qorBarTypeMenuBar);
    Track(0);
    EXPECT_EQ(m_record.menuBarsTracking, std::vector<CQorCommandBar*>{m_pBar});
    Press(VK_SPACE);
    cbtest::PumpFor(40);
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
    EXPECT_EQ(m_record.keyMenus, std::vector<LPARAM>{L' '});

    // On a tool bar Space is a character like any other: nobody answers to it.
    DropBar();
    CreateBar(kNavigationControls);
    Track(3);
    Press(VK_SPACE);
    EXPECT_EQ(m_pBar->GetTrackingMode(), 1);
    EXPECT_EQ(m_pBar->GetSelected(), 3);
    EXPECT_EQ(m_record.keyMenus.size(), 1u);
    EXPECT_EQ(m_record.menuBarsTracking.size(), 1u);
}

} // namespace
