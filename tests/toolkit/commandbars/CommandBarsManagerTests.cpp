// The command bars manager on a plain site window: the tool-bar announcement and list, Ctrl+Tab
// and Alt+letter over the bars, keyboard cues, hidden commands, and letting go of bars whose
// windows died first.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/SoundPlayer.h"

namespace {

// What the site heard: the tool-bar announcements (copied out of their records) and commands.
struct Announcement
{
    CQorCommandBar* pBar;
    BOOL bPopup;
    std::wstring title;
    UINT nId;
    BOOL bFloating;
};
struct SiteLog
{
    std::vector<Announcement> announcements;
    std::vector<UINT> commands;
    std::vector<LPARAM> sysKeyDowns; // key data of WM_SYSKEYDOWN as the site's queue had it
    std::vector<LPARAM> sizes;       // WM_SIZE
    std::vector<WPARAM> selections;  // 0x2857: the control selected for customizing
};
SiteLog* g_pLog = nullptr;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pLog && nMsg == QORWM_POPUPBARCREATEREQUEST) {
        const auto* pRequest = reinterpret_cast<const QOR_POPUPBAR_CREATE_REQUEST*>(lParam);
        g_pLog->announcements.push_back({pRequest->pCommandBar, pRequest->bPopup,
                                         pRequest->lpszCaption ? pRequest->lpszCaption : L"", pRequest->nId,
                                         pRequest->bFloating});
        return 0;
    }
    if (g_pLog && nMsg == WM_SIZE)
        g_pLog->sizes.push_back(lParam);
    if (g_pLog && nMsg == QORWM_CUSTOMIZE_SELECTION)
        g_pLog->selections.push_back(wParam);
    if (g_pLog && nMsg == WM_COMMAND && lParam == 0) {
        g_pLog->commands.push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// A tool bar that counts what is asked of it once its window is gone, and its own end.
int g_nDeadWindowCalls = 0;
int g_nSpyBarsAlive = 0;
class CSpyBar : public CQorCommandBar
{
public:
    CSpyBar() { g_nSpyBarsAlive++; }
    ~CSpyBar() override { g_nSpyBarsAlive--; }
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override
    {
        if (!m_hWnd)
            g_nDeadWindowCalls++;
        return CQorCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    }
    BOOL DestroyWindow() override
    {
        if (!m_hWnd)
            g_nDeadWindowCalls++;
        return CQorCommandBar::DestroyWindow();
    }
    void Redraw(LPCRECT lpRect, BOOL bAnimate) override
    {
        nRedraws++;
        CQorCommandBar::Redraw(lpRect, bAnimate);
    }
    int nRedraws = 0;
};

class CSpyCommandBars : public CQorCommandBars
{
protected:
    CQorCommandBar* CreateToolBarObject() override
    {
        CQorCommandBar* pBar = new CSpyBar;
        pBar->m_barType = qorBarTypeToolBar;
        return pBar;
    }
};

class CommandBarsManager : public testing::Test
{
protected:
    void SetUp() override
    {
        g_pLog = &m_log;
        m_hWndSite = cbtest::CreateWindowWithProc(L"CommandBarsManagerSite", SiteProc, {60, 60, 700, 400},
                                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        m_pCommandBars = new CSpyCommandBars;
        m_pCommandBars->SetSite(m_hWndSite);
    }
    void TearDown() override
    {
        if (m_pCommandBars)
            m_pCommandBars->InternalRelease();
        DestroyWindow(m_hWndSite);
        g_pLog = nullptr;
    }

    // A docked tool bar with captioned buttons (ids from nFirstId), given a real size.
    CSpyBar* AddBar(LPCWSTR lpszTitle, UINT nBarID, std::vector<LPCWSTR> captions, UINT nFirstId)
    {
        auto* pBar = static_cast<CSpyBar*>(m_pCommandBars->CreateToolBar(lpszTitle, nBarID));
        if (!pBar)
            return nullptr;
        pBar->MoveWindow(0, 30 * (m_pCommandBars->GetCount() - 1), 400, 28);
        for (LPCWSTR lpszCaption : captions)
            pBar->GetControls()->Add(qorControlButton, static_cast<int>(nFirstId++))->SetCaption(lpszCaption);
        return pBar;
    }
    MSG SysKeyDown(UINT nChar) const
    {
        MSG msg = {m_hWndSite, WM_SYSKEYDOWN, nChar, static_cast<LPARAM>(1 | (1u << 29))};
        return msg;
    }

    SiteLog m_log;
    HWND m_hWndSite = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
};

TEST_F(CommandBarsManager, CreateToolBarAnnouncesTheBarWithItsTitleIdAndPlace)
{
    struct Case
    {
        LPCWSTR lpszTitle;
        UINT nId;
        BOOL bFloating;
        int nPosition;
    };
    const Case cases[] = {{L"Standard", 128, FALSE, qorBarTop}, {L"Extra", 200, TRUE, qorBarFloating}};
    for (const Case& c : cases) {
        CQorCommandBar* pBar = m_pCommandBars->CreateToolBar(c.lpszTitle, c.nId, c.bFloating);
        ASSERT_NE(pBar, nullptr);
        ASSERT_FALSE(m_log.announcements.empty());
        const Announcement& a = m_log.announcements.back();
        EXPECT_EQ(a.pBar, pBar);
        EXPECT_FALSE(a.bPopup);
        EXPECT_EQ(a.title, c.lpszTitle);
        EXPECT_EQ(a.nId, c.nId);
        EXPECT_EQ(a.bFloating, c.bFloating);
        EXPECT_EQ(pBar->GetTitle(), c.lpszTitle);
        EXPECT_EQ(pBar->GetBarID(), c.nId);
        EXPECT_EQ(pBar->GetPosition(), c.nPosition);
        EXPECT_TRUE(IsWindow(pBar->GetSafeHwnd()));
    }
    EXPECT_EQ(m_log.announcements.size(), 2u);
    EXPECT_EQ(m_pCommandBars->GetCount(), 2);
}

TEST_F(CommandBarsManager, ToolBarsAreFoundByIndexIdAndTitleToggledAndRemoved)
{
    CSpyBar* pFirst = AddBar(L"Standard", 128, {}, 0);
    CSpyBar* pSecond = AddBar(L"Extra", 200, {}, 0);
    ASSERT_TRUE(pFirst && pSecond);
    EXPECT_EQ(m_pCommandBars->GetToolBar(1), pSecond);
    EXPECT_EQ(m_pCommandBars->GetToolBar(-1), nullptr);
    EXPECT_EQ(m_pCommandBars->GetToolBar(2), nullptr);
    EXPECT_EQ(m_pCommandBars->FindToolBar(128u), pFirst);
    EXPECT_EQ(m_pCommandBars->FindToolBar(L"Extra"), pSecond);
    EXPECT_EQ(m_pCommandBars->FindToolBar(L"None"), nullptr);
    EXPECT_EQ(m_pCommandBars->GetToolBarIndex(pSecond), 1);

    m_pCommandBars->GetCommandBarsOptions()->m_bDirty = FALSE;
    EXPECT_TRUE(m_pCommandBars->ToggleToolBarVisible(0));
    EXPECT_FALSE(pFirst->IsWindowVisible());
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->m_bDirty);
    EXPECT_TRUE(m_pCommandBars->ToggleToolBarVisible(0));
    EXPECT_TRUE(pFirst->IsWindowVisible());
    EXPECT_FALSE(m_pCommandBars->ToggleToolBarVisible(5));

    const HWND hWndFirst = pFirst->GetSafeHwnd();
    const int nAlive = g_nSpyBarsAlive;
    m_pCommandBars->RemoveToolBar(0);
    EXPECT_FALSE(IsWindow(hWndFirst));
    EXPECT_EQ(g_nSpyBarsAlive, nAlive - 1);
    EXPECT_EQ(m_pCommandBars->GetCount(), 1);
    EXPECT_EQ(m_pCommandBars->GetToolBar(0), pSecond);
    m_pCommandBars->RemoveToolBar(7); // nothing there: nothing happens
    EXPECT_EQ(m_pCommandBars->GetCount(), 1);
}

TEST_F(CommandBarsManager, CtrlTabNeedsAnotherBarShowingOnTheScreen)
{
    CSpyBar* pFirst = AddBar(L"Standard", 128, {L"&Open"}, 5001);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_FALSE(m_pCommandBars->ActivateToolBar(+1, pFirst)) << "a single tool bar";

    CSpyBar* pSecond = AddBar(L"Extra", 200, {L"&Save"}, 5101);
    ASSERT_NE(pSecond, nullptr);
    pSecond->ShowWindow(SW_HIDE);
    EXPECT_FALSE(m_pCommandBars->ActivateToolBar(+1, pFirst)) << "the other bar is hidden";
    pSecond->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(m_pCommandBars->ActivateToolBar(-1, pFirst)) << "backwards wraps round";
    EXPECT_EQ(pSecond->GetTrackingMode(), 1);
    EXPECT_EQ(pSecond->GetSelected(), 0);
    pSecond->SetTrackingMode(0);
}

TEST_F(CommandBarsManager, AltLetterRunsAUniqueMnemonicAcrossBarsUnlessSwitchedOff)
{
    CSpyBar* pFirst = AddBar(L"Standard", 128, {L"&Print", L"&Home"}, 6001);
    CSpyBar* pSecond = AddBar(L"Extra", 200, {L"&Next", L"P&lay"}, 6101);
    ASSERT_TRUE(pFirst && pSecond);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));

    struct Case
    {
        UINT nKey;
        int nCuesUse;
        BOOL bTaken;
        std::vector<UINT> commands;
        CQorCommandBar* pTracking;
    };
    const Case cases[] = {
        {'N', 1, TRUE, {6101}, nullptr}, // on the second bar only: it runs
        {'H', 1, TRUE, {6001 + 1}, nullptr},
        {'L', 1, TRUE, {6102}, nullptr},
        {'Q', 1, FALSE, {}, nullptr},      // nothing answers
        {'N', 2, FALSE, {}, nullptr},      // the Alt-key search is off
        {VK_NUMPAD1, 1, FALSE, {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.nKey << " cues use " << c.nCuesUse);
        m_log.commands.clear();
        m_pCommandBars->GetCommandBarsOptions()->m_nKeyboardCuesUse = c.nCuesUse;
        MSG msg = SysKeyDown(c.nKey);
        EXPECT_EQ(m_pCommandBars->PreTranslateFrameMessage(&msg), c.bTaken);
        cbtest::PumpFor(30);
        EXPECT_EQ(m_log.commands, c.commands);
        pFirst->SetTrackingMode(0);
        pSecond->SetTrackingMode(0);
    }

    // Two bars answer to P (Print, and Play's mnemonic is L, so add another P): the first
    // becomes hot and nothing runs.
    pSecond->GetControls()->Add(qorControlButton, 6103)->SetCaption(L"&Pause");
    m_log.commands.clear();
    m_pCommandBars->GetCommandBarsOptions()->m_nKeyboardCuesUse = 1;
    MSG msg = SysKeyDown('P');
    EXPECT_TRUE(m_pCommandBars->PreTranslateFrameMessage(&msg));
    cbtest::PumpFor(30);
    EXPECT_TRUE(m_log.commands.empty());
    EXPECT_EQ(pFirst->GetTrackingMode(), 1);
    EXPECT_EQ(pFirst->GetSelected(), 0);
    pFirst->SetTrackingMode(0);
}

// Real input: Alt+letter typed at the site arrives as WM_SYSKEYDOWN with the Alt bit (29) set,
// and the manager's pre-translation runs the bar's button for it.
TEST_F(CommandBarsManager, TypedAltLetterReachesTheManagerAndRunsTheButton)
{
    ASSERT_NE(AddBar(L"Standard", 128, {L"&Refresh"}, 7001), nullptr);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    SetFocus(m_hWndSite);
    cbtest::SendKey(VK_MENU);
    cbtest::SendKey('R');
    cbtest::SendKey('R', true);
    cbtest::SendKey(VK_MENU, true);
    const DWORD dwEnd = GetTickCount() + 500;
    while (GetTickCount() < dwEnd) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_SYSKEYDOWN && msg.hwnd == m_hWndSite && msg.wParam == 'R')
                m_log.sysKeyDowns.push_back(msg.lParam);
            if (m_pCommandBars->PreTranslateFrameMessage(&msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    ASSERT_EQ(m_log.sysKeyDowns.size(), 1u);
    EXPECT_NE(m_log.sysKeyDowns[0] & (1 << 29), 0);
    EXPECT_EQ(m_log.commands, std::vector<UINT>{7001});
    m_pCommandBars->GetToolBar(0)->SetTrackingMode(0);
}

// Typed Alt and a letter, with a shortcut table for Alt+S and Alt+P. A letter that only begins
// captions ("Search", "Stop") marks no control: the shortcut runs, and no button turns hot. A
// letter a caption marks with '&' stays that control's, shortcut or not; a letter no shortcut
// takes still finds the caption it begins.
TEST_F(CommandBarsManager, TypedAltLetterRunsTheShortcutUnlessACaptionMarksIt)
{
    CSpyBar* pBar = AddBar(L"Standard", 128, {L"Search", L"Stop", L"&Print", L"Tools"}, 9001);
    ASSERT_NE(pBar, nullptr);
    ACCEL keys[] = {{FVIRTKEY | FALT, 'S', 9101}, {FVIRTKEY | FALT, 'P', 9102}};
    m_pCommandBars->GetShortcutManager()->SetAcceleratorTable(::CreateAcceleratorTableW(keys, 2));
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    SetFocus(m_hWndSite);

    struct Case
    {
        UINT nKey;
        UINT nCommand;
        bool bBarTakesIt;
    };
    const Case cases[] = {
        {'S', 9101, false}, // the shortcut
        {'P', 9003, true},  // "&Print"
        {'T', 9004, true},  // "Tools", the only caption that begins with T
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Alt+" << char(c.nKey));
        m_log.commands.clear();
        cbtest::SendKey(VK_MENU);
        cbtest::SendKey(c.nKey);
        cbtest::SendKey(c.nKey, true);
        cbtest::SendKey(VK_MENU, true);
        // Escape ends whatever a wrongly taken letter may have begun (a hot bar, a menu loop).
        cbtest::SendKey(VK_ESCAPE);
        cbtest::SendKey(VK_ESCAPE, true);
        const DWORD dwEnd = GetTickCount() + 5000;
        while (m_log.commands.empty() && GetTickCount() < dwEnd) {
            MSG msg;
            while (GetTickCount() < dwEnd && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (m_pCommandBars->PreTranslateFrameMessage(&msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(5);
        }
        EXPECT_EQ(m_log.commands, std::vector<UINT>{c.nCommand});
        if (!c.bBarTakesIt) {
            EXPECT_EQ(pBar->GetTrackingMode(), 0) << "a button turned hot as well";
        }
        pBar->SetTrackingMode(0);
    }
}

TEST_F(CommandBarsManager, KeyboardCuesHiddenUntilAltShowWithAltAndRedrawTheBars)
{
    CSpyBar* pBar = AddBar(L"Standard", 128, {L"&Open"}, 8001);
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));

    BOOL bSystemCues = FALSE;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0));
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(FALSE), 0));
    m_pCommandBars->GetCommandBarsOptions()->SetKeyboardCuesShow(CQorCommandBarsOptions::keyboardCuesShowWindowsDefault);
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSystemCues)), 0);
    ASSERT_TRUE(m_pCommandBars->IsKeyboardCuesHiddenUntilAlt());
    ASSERT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());

    pBar->nRedraws = 0;
    MSG alt = SysKeyDown(VK_MENU);
    EXPECT_FALSE(m_pCommandBars->PreTranslateFrameMessage(&alt)) << "Alt itself goes on to the frame";
    EXPECT_TRUE(m_pCommandBars->IsKeyboardCuesVisible());
    EXPECT_EQ(pBar->nRedraws, 1);
    m_pCommandBars->ShowKeyboardCues(TRUE);
    EXPECT_EQ(pBar->nRedraws, 1) << "no change, no redraw";

    MSG up = {m_hWndSite, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0000001u | (1u << 29))};
    m_pCommandBars->PreTranslateFrameMessage(&up);
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
    EXPECT_EQ(pBar->nRedraws, 2);

    m_pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(m_pCommandBars->IsKeyboardCuesVisible());
    m_pCommandBars->ShowKeyboardCues(FALSE);
    EXPECT_TRUE(m_pCommandBars->IsKeyboardCuesVisible()) << "customize mode keeps them";
    m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
}

TEST_F(CommandBarsManager, AHiddenCommandUsedOnceIsHiddenNoMore)
{
    CQorCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->m_mapHiddenCommands.SetAt(100, TRUE);
    EXPECT_TRUE(m_pCommandBars->IsHiddenCommand(100));
    EXPECT_FALSE(m_pCommandBars->IsHiddenCommand(101));
    pOptions->m_bDirty = FALSE;
    m_pCommandBars->SetCommandUsed(101); // not hidden: nothing to record
    EXPECT_FALSE(pOptions->m_bDirty);
    m_pCommandBars->SetCommandUsed(100);
    EXPECT_FALSE(m_pCommandBars->IsHiddenCommand(100));
    EXPECT_TRUE(pOptions->m_bDirty);
}

// A popup is hidden with its controls only when it has some and every one is hidden; switching
// the rule off shows it.
TEST_F(CommandBarsManager, APopupIsHiddenWhenEveryControlOfItIs)
{
    CQorCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->m_mapHiddenCommands.SetAt(301, TRUE);
    pOptions->m_mapHiddenCommands.SetAt(302, TRUE);
    CQorControlPopup popup;
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(&popup)) << "no bar";
    auto* pPopupBar = new CQorCommandBar;
    popup.SetCommandBar(pPopupBar);
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(&popup)) << "an empty popup";
    pPopupBar->GetControls()->Add(qorControlButton, 301);
    CQorControl* pSecond = pPopupBar->GetControls()->Add(qorControlButton, 303);
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(&popup)) << "303 shows";
    pSecond->SetID(302);
    EXPECT_TRUE(m_pCommandBars->IsControlHidden(&popup));
    pOptions->m_bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(&popup));
    popup.SetCommandBar(nullptr);
}

TEST_F(CommandBarsManager, AddToolBarMakesAStandardBarOfTheClassGiven)
{
    CQorCommandBar* pBar = m_pCommandBars->AddToolBar(RUNTIME_CLASS(CQorCommandBar));
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->GetTitle(), L"Standard");
    EXPECT_EQ(pBar->GetType(), qorBarTypeToolBar);
    EXPECT_EQ(pBar->GetCommandBars(), m_pCommandBars);
    EXPECT_TRUE(IsWindow(pBar->GetSafeHwnd()));
    EXPECT_EQ(m_pCommandBars->GetToolBar(0), pBar);
    EXPECT_EQ(m_pCommandBars->AddToolBar(RUNTIME_CLASS(CQorCommandBars)), nullptr) << "not a bar";
    DestroyWindow(m_hWndSite);
    EXPECT_EQ(m_pCommandBars->AddToolBar(), nullptr) << "no site window to hold it";
    EXPECT_EQ(m_pCommandBars->GetCount(), 1);
}

// System commands other than the menu key, and the application losing activation, end the
// bars' tracking; the frame still handles each of them.
TEST_F(CommandBarsManager, FrameMessagesThatCloseTrackingBars)
{
    CSpyBar* pBar = AddBar(L"Standard", 128, {L"&Open"}, 9501);
    ASSERT_NE(pBar, nullptr);
    struct Case
    {
        UINT nMessage;
        WPARAM wParam;
        BOOL bCustomize;
        int nModeAfter;
    };
    const Case cases[] = {
        {WM_SYSCOMMAND, SC_MINIMIZE, FALSE, 0}, {WM_SYSCOMMAND, SC_KEYMENU, FALSE, 1},
        {WM_SYSCOMMAND, 0, FALSE, 1},           {WM_SYSCOMMAND, SC_MINIMIZE, TRUE, 1},
        {WM_ACTIVATEAPP, FALSE, FALSE, 0},      {WM_ACTIVATEAPP, TRUE, FALSE, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << c.nMessage << " wParam " << c.wParam);
        m_pCommandBars->SetCustomizeMode(c.bCustomize);
        pBar->SetTrackingMode(1, FALSE, FALSE);
        LRESULT lResult = 0;
        EXPECT_FALSE(m_pCommandBars->OnFrameMessage(c.nMessage, c.wParam, 0, &lResult));
        EXPECT_EQ(pBar->GetTrackingMode(), c.nModeAfter);
        pBar->SetTrackingMode(0);
    }
    m_pCommandBars->SetCustomizeMode(FALSE);
}

TEST_F(CommandBarsManager, ControlsOfAnotherTemplateThanTheMenuBarsHideInTheUpdatePass)
{
    // A single-document site: the menu bar's id names the active document template.
    CSpyBar* pBar = AddBar(L"Standard", 128, {L"&Open", L"&Save", L"&Draw"}, 9001);
    ASSERT_NE(pBar, nullptr);
    pBar->GetControl(1)->GetDocTemplatesAssigned().SetAt(129, TRUE);
    pBar->GetControl(2)->GetDocTemplatesAssigned().SetAt(128, TRUE);
    struct Case
    {
        UINT nMenuBarId;
        BOOL bHidden[3];
    } cases[] = {{128, {FALSE, TRUE, FALSE}}, {129, {FALSE, FALSE, TRUE}}};
    for (const Case& c : cases) {
        m_pCommandBars->m_nMenuBarID = c.nMenuBarId;
        pBar->OnUpdateCmdUI();
        for (int i = 0; i < 3; i++)
            EXPECT_EQ((pBar->GetControl(i)->GetHideFlags() & qorHideDocTemplate) != 0, c.bHidden[i])
                << c.nMenuBarId << " " << i;
    }
}

TEST_F(CommandBarsManager, TheCustomizeSelectionRedrawsIsAnnouncedAndGoesWithItsControl)
{
    CSpyBar* pBar = AddBar(L"Standard", 128, {L"&Open", L"&Save"}, 9001);
    ASSERT_NE(pBar, nullptr);
    CQorControl* pOpen = pBar->GetControl(0);
    CQorControl* pSave = pBar->GetControl(1);
    pOpen->SetRect(CRect(2, 2, 40, 24));
    pSave->SetRect(CRect(40, 2, 80, 24));
    pBar->nRedraws = 0;
    m_pCommandBars->SetDragControl(pOpen);
    EXPECT_EQ(m_pCommandBars->GetDragControl(), pOpen);
    EXPECT_EQ(pBar->nRedraws, 1);
    m_pCommandBars->SetDragControl(pSave);
    EXPECT_EQ(pBar->nRedraws, 3) << "the old and the new control";
    EXPECT_EQ(m_log.selections,
              (std::vector<WPARAM>{reinterpret_cast<WPARAM>(pOpen), reinterpret_cast<WPARAM>(pSave)}));
    // Selecting it again changes nothing.
    m_pCommandBars->SetDragControl(pSave);
    EXPECT_EQ(m_log.selections.size(), 2u);

    // The selected control leaves its bar: the selection goes with it, and the site hears.
    pSave->InternalAddRef();
    pBar->GetControls()->Remove(pSave);
    EXPECT_EQ(m_pCommandBars->GetDragControl(), nullptr);
    ASSERT_EQ(m_log.selections.size(), 3u);
    EXPECT_EQ(m_log.selections.back(), 0u);
    pSave->InternalRelease();
    // Customize-mode moves over the bar reach no control now.
    m_pCommandBars->SetCustomizeMode(TRUE);
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    m_pCommandBars->SetCustomizeMode(FALSE);
}

// A frame lets go of its manager from its C++ destructor, when the site and the bars' windows
// are already gone: the bars are released without a single window call.
TEST_F(CommandBarsManager, LettingGoAfterTheWindowsDiedMakesNoWindowCalls)
{
    ASSERT_NE(AddBar(L"Standard", 128, {L"&Open"}, 9001), nullptr);
    ASSERT_NE(AddBar(L"Extra", 200, {L"&Save"}, 9101), nullptr);
    const int nAlive = g_nSpyBarsAlive;
    DestroyWindow(m_hWndSite);
    g_nDeadWindowCalls = 0;
    m_pCommandBars->InternalRelease();
    m_pCommandBars = nullptr;
    EXPECT_EQ(g_nDeadWindowCalls, 0);
    EXPECT_EQ(g_nSpyBarsAlive, nAlive - 2) << "both bars were let go";
}

// A site that is no frame hears a layout request as WM_SIZE of its client size; none comes
// while the bars are refreshed as a whole, only the one at the end.
TEST_F(CommandBarsManager, ALayoutRequestReachesAPlainSiteAsItsClientSize)
{
    ASSERT_NE(AddBar(L"Standard", 128, {}, 0), nullptr);
    ASSERT_NE(AddBar(L"Extra", 200, {}, 0), nullptr);
    RECT rc = {};
    GetClientRect(m_hWndSite, &rc);
    m_log.sizes.clear();
    m_pCommandBars->RecalcFrameLayout();
    EXPECT_EQ(m_log.sizes, std::vector<LPARAM>{MAKELPARAM(rc.right, rc.bottom)});
    m_log.sizes.clear();
    m_pCommandBars->RedrawCommandBars();
    EXPECT_EQ(m_log.sizes.size(), 1u);
}

BOOL WINAPI SilentPlaySound(LPCWSTR, HMODULE, DWORD)
{
    return TRUE;
}

// The menu sounds' thread ends with the manager whose controls asked for them.
TEST_F(CommandBarsManager, LettingGoStopsTheMenuSoundThread)
{
    CQorSoundPlayer::SetPlaySoundFunction(&SilentPlaySound);
    GetSoundPlayer()->PlaySound(CQorSoundPlayer::requestCommand);
    ASSERT_NE(GetSoundPlayer()->GetThreadHandle(), nullptr);
    m_pCommandBars->InternalRelease();
    m_pCommandBars = nullptr;
    EXPECT_EQ(GetSoundPlayer()->GetThreadHandle(), nullptr);
    CQorSoundPlayer::SetPlaySoundFunction(nullptr);
}

} // namespace
