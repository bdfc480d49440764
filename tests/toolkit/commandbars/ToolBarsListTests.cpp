// The tool-bars list of a menu: one entry per listed tool bar by its title, checked while the bar
// shows, the Customize command when the user may customize; choosing an entry shows or hides its
// bar, and an entry whose index no longer names its bar does nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

class ToolBarsList : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hWndSite = cbtest::CreatePlainWindow({40, 40, 640, 340}, WS_OVERLAPPEDWINDOW);
        m_pCommandBars = new CQorCommandBars;
        m_pCommandBars->SetSite(m_hWndSite);
    }
    void TearDown() override
    {
        if (m_pPopup)
            m_pPopup->InternalRelease();
        m_pCommandBars->InternalRelease();
        DestroyWindow(m_hWndSite);
    }
    CQorToolBar* AddBar(LPCWSTR lpszTitle, UINT nId)
    {
        return static_cast<CQorToolBar*>(m_pCommandBars->CreateToolBar(lpszTitle, nId));
    }
    // The menu's controls before its next layout: what the placeholder puts in.
    void Expand()
    {
        if (!m_pPopup)
            m_pPopup = m_pCommandBars->CreateToolBarsContextMenu();
        CClientDC dc(nullptr);
        DWORD dwMode = LM_HORZ;
        m_pPopup->GetControls()->CalcDynamicSize(&dc, 1000, dwMode, CRect(0, 0, 0, 0));
    }
    std::vector<std::wstring> Captions() const
    {
        std::vector<std::wstring> captions;
        for (int i = 1; i < m_pPopup->GetControlCount(); i++)
            captions.push_back(static_cast<LPCWSTR>(m_pPopup->GetControl(i)->GetCaption()));
        return captions;
    }
    std::vector<int> Checks() const
    {
        std::vector<int> checks;
        for (int i = 1; i < m_pPopup->GetControlCount(); i++)
            checks.push_back(m_pPopup->GetControl(i)->GetChecked() ? 1 : 0);
        return checks;
    }
    CQorControl* Entry(int n) const { return m_pPopup->GetControl(1 + n); }
    static BOOL Shown(CQorCommandBar* pBar) { return (pBar->GetStyle() & WS_VISIBLE) != 0; }

    HWND m_hWndSite = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
    CQorCommandBar* m_pPopup = nullptr;
};

} // namespace

TEST_F(ToolBarsList, TheFactoryMakesThePlaceholderForItsIdFromCodeAndFromMenus)
{
    m_pPopup = m_pCommandBars->CreateToolBarsContextMenu();
    ASSERT_EQ(m_pPopup->GetControlCount(), 1);
    EXPECT_NE(dynamic_cast<CQorControlToolbars*>(m_pPopup->GetControl(0)), nullptr);
    EXPECT_EQ(m_pPopup->GetControl(0)->GetID(), 59392);

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 59392, L"&Toolbars");
    menu.AppendMenu(MF_STRING, 59393, L"&Status Bar");
    CQorCommandBar* pBar = CQorControlPopup::CreatePopupBar(m_pCommandBars);
    ASSERT_TRUE(pBar->LoadMenu(&menu));
    ASSERT_EQ(pBar->GetControlCount(), 2);
    EXPECT_NE(dynamic_cast<CQorControlToolbars*>(pBar->GetControl(0)), nullptr);
    EXPECT_EQ(dynamic_cast<CQorControlToolbars*>(pBar->GetControl(1)), nullptr);
    pBar->InternalRelease();
}

TEST_F(ToolBarsList, ListsTheListedBarsByTitleCheckedWhileShownThenCustomize)
{
    CQorToolBar* pStandard = AddBar(L"Standard", 101);
    CQorToolBar* pFormat = AddBar(L"Fo&rmat", 102);
    CQorToolBar* pUnlisted = AddBar(L"Unlisted", 103);
    CQorToolBar* pFixed = AddBar(L"Fixed", 104);
    ASSERT_TRUE(pStandard && pFormat && pUnlisted && pFixed);
    // Both listing flags are set by default; either one cleared keeps a bar out.
    EXPECT_TRUE(pStandard->m_bListed && pStandard->m_bSaved);
    pUnlisted->m_bListed = FALSE;
    pFixed->m_bSaved = FALSE;
    pFormat->ShowWindow(SW_HIDE);

    Expand();
    CQorControl* pPlaceholder = m_pPopup->GetControl(0);
    EXPECT_EQ(pPlaceholder->GetHideFlags() & qorHideGeneric, qorHideGeneric);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Standard", L"Fo&&rmat"}));
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0}));
    for (int n = 0; n < 2; n++) {
        auto* pEntry = dynamic_cast<CQorControlToolbar*>(Entry(n));
        ASSERT_NE(pEntry, nullptr) << n;
        EXPECT_TRUE(pEntry->m_bTemporary);
        EXPECT_EQ(pEntry->GetID(), 59392);
        EXPECT_EQ(pEntry->m_strParameter, CString(L"CQorControlToolbar"));
        EXPECT_EQ(pEntry->GetFlags() & qorFlagNoCommandUI, qorFlagNoCommandUI);
        EXPECT_EQ(pEntry->m_nBarIndex, n);
        EXPECT_FALSE(pEntry->GetBeginGroup());
    }

    // A placeholder beginning a group hands it to its first entry; a customizable manager adds
    // Customize as a group of its own.
    pPlaceholder->SetBeginGroup(TRUE);
    m_pCommandBars->SetCustomizable(TRUE);
    Expand();
    ASSERT_EQ(m_pPopup->GetControlCount(), 4);
    EXPECT_TRUE(Entry(0)->GetBeginGroup());
    EXPECT_FALSE(Entry(1)->GetBeginGroup());
    EXPECT_EQ(Entry(2)->GetID(), QOR_ID_CUSTOMIZE);
    EXPECT_TRUE(Entry(2)->GetBeginGroup());
    EXPECT_EQ(Entry(2)->GetCaption(), CString(L"&Customize..."));

    // Customize mode shows the placeholder itself and nothing else.
    m_pCommandBars->SetCustomizeMode(TRUE);
    Expand();
    EXPECT_EQ(m_pPopup->GetControlCount(), 1);
    EXPECT_EQ(pPlaceholder->GetHideFlags(), 0);
    m_pCommandBars->SetCustomizeMode(FALSE);

    // No listed bar: nothing but the hidden placeholder.
    m_pCommandBars->SetCustomizable(FALSE);
    pStandard->m_bListed = FALSE;
    pFormat->m_bSaved = FALSE;
    Expand();
    ASSERT_EQ(m_pPopup->GetControlCount(), 1);
    EXPECT_FALSE(pPlaceholder->IsVisible());
}

TEST_F(ToolBarsList, AnUnchangedListKeepsItsEntriesAndTakesTheBarsState)
{
    CQorToolBar* pOne = AddBar(L"One", 101);
    AddBar(L"Two", 102);
    Expand();
    ASSERT_EQ(m_pPopup->GetControlCount(), 3);
    CQorControl* pFirst = Entry(0);
    CQorControl* pSecond = Entry(1);
    pOne->ShowWindow(SW_HIDE);
    pOne->SetTitle(L"One && more");

    // Nothing renumbered, nothing to lay out again: the same controls with the new state.
    Expand();
    ASSERT_EQ(m_pPopup->GetControlCount(), 3);
    EXPECT_EQ(Entry(0), pFirst);
    EXPECT_EQ(Entry(1), pSecond);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1}));
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"One &&&& more", L"Two"}));

    // A new bar changes the list: it is made again.
    AddBar(L"Three", 103);
    Expand();
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"One &&&& more", L"Two", L"Three"}));
}

TEST_F(ToolBarsList, ChoosingAnEntryTogglesItsBarOnlyWhileItsIndexStillNamesIt)
{
    CQorToolBar* pOne = AddBar(L"One", 101);
    CQorToolBar* pTwo = AddBar(L"Two", 102);
    CQorToolBar* pThree = AddBar(L"Three", 103);
    Expand();
    ASSERT_EQ(m_pPopup->GetControlCount(), 4);

    Entry(1)->OnExecute();
    EXPECT_FALSE(Shown(pTwo));
    EXPECT_TRUE(Shown(pOne));
    EXPECT_TRUE(Shown(pThree));
    Entry(1)->OnExecute();
    EXPECT_TRUE(Shown(pTwo));

    // The first bar goes while the menu's entries are still there: the entry for index 1 would
    // now name the third bar, and must leave it alone; so must an index past the end.
    CQorControl* pForTwo = Entry(1);
    CQorControl* pForThree = Entry(2);
    pForTwo->InternalAddRef();
    pForThree->InternalAddRef();
    m_pCommandBars->RemoveToolBar(0);
    ASSERT_EQ(m_pCommandBars->GetToolBar(1), pThree);
    pForTwo->OnExecute();
    pForThree->OnExecute();
    EXPECT_TRUE(Shown(pTwo));
    EXPECT_TRUE(Shown(pThree));
    pForTwo->InternalRelease();
    pForThree->InternalRelease();
}

TEST_F(ToolBarsList, ContextMenusAreFlaggedBoundAndFoundById)
{
    CQorCommandBar* pMenu = CQorControlPopup::CreatePopupBar(nullptr);
    pMenu->SetBarID(700);
    EXPECT_EQ(m_pCommandBars->GetContextMenus()->Add(pMenu), pMenu);
    EXPECT_TRUE(pMenu->m_bContextMenu);
    EXPECT_EQ(pMenu->GetCommandBars(), m_pCommandBars);
    EXPECT_EQ(m_pCommandBars->GetContextMenus()->FindBar(700), pMenu);
    EXPECT_EQ(m_pCommandBars->GetContextMenus()->FindBar(701), nullptr);
}

TEST_F(ToolBarsList, AnOpenMenuWithTheListLaysOutOnceAndKeepsItsKeyboardSelection)
{
    AddBar(L"One", 101);
    AddBar(L"Two", 102);
    CQorPopupBar* pMenu = CQorPopupBar::CreatePopupBar(m_pCommandBars);
    pMenu->GetControls()->Add(qorControlButton, 42001)->SetCaption(L"&Before");
    pMenu->GetControls()->Add(qorControlButton, CQorControlToolbars::kPlaceholderId);
    pMenu->SetPopupPoint(CPoint(200, 200));
    pMenu->SetExcludeRect(CRect(200, 200, 200, 200));
    pMenu->SetPopupFlags(qorPopupDropDown);
    // Opened from the keyboard: the first control is selected; the list is in.
    ASSERT_TRUE(pMenu->OpenPopup(nullptr, TRUE));
    ASSERT_EQ(pMenu->GetControlCount(), 4);
    EXPECT_EQ(pMenu->GetControl(2)->GetCaption(), CString(L"One"));
    pMenu->SetSelected(3, 1);
    CQorControl* pEntry = pMenu->GetControl(3);

    // A pass that lays the menu out again (a control changed) finds the list as it is: nothing
    // left to lay out afterwards, and the selection stays.
    for (int nPass = 0; nPass < 3; nPass++) {
        pMenu->DelayLayout();
        pMenu->OnUpdateCmdUI();
        EXPECT_FALSE(pMenu->IsLayoutDelayed()) << nPass;
        EXPECT_EQ(pMenu->GetSelected(), 3) << nPass;
        EXPECT_EQ(pMenu->GetControl(3), pEntry) << nPass;
    }
    pMenu->SetTrackingMode(0);
    pMenu->InternalRelease();
}
