// The tool bar's expand popup: exactly the controls the squeezed row hides, then "Add or Remove
// Buttons" with one check entry per control (hiding and showing it) and "Reset Toolbar", which
// asks first and tells the site.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

int g_nResets = 0;
LPARAM g_lResetBar = 0;

LRESULT CALLBACK ResetSiteProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == QORWM_MENUBARRESET) {
        g_nResets++;
        g_lResetBar = lParam;
        return 0;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

// A frame with a manager and one tool bar of twelve caption buttons at its top.
class ToolBarExpand : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Expand", WS_OVERLAPPEDWINDOW, CRect(30, 30, 830, 330)));
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pCommandBars = new CQorCommandBars;
        m_pCommandBars->SetSite(m_pFrame->GetSafeHwnd());
        m_pBar = static_cast<CQorToolBar*>(m_pCommandBars->CreateToolBar(L"Standard", AFX_IDW_TOOLBAR));
        ASSERT_NE(m_pBar, nullptr);
        std::vector<UINT> ids;
        for (int i = 0; i < 12; i++)
            ids.push_back(41000 + i);
        m_pBar->SetButtons(ids.data(), 12);
        for (int i = 0; i < 12; i++) {
            m_pBar->GetControl(i)->SetCaption(L"Button");
            m_pBar->GetControl(i)->SetStyle(qorButtonCaption);
        }
        m_pBar->GetControls()->CreateOriginalControls();
        m_pPopup = CQorControlPopup::CreatePopupBar(m_pCommandBars);
    }
    void TearDown() override
    {
        if (m_pPopup)
            m_pPopup->InternalRelease();
        m_pCommandBars->InternalRelease(); // and with it the bar
        m_pFrame->DestroyWindow();
    }
    void SetFrameWidth(int cx)
    {
        m_pFrame->SetWindowPos(nullptr, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
    }
    std::vector<int> HiddenIds() const
    {
        std::vector<int> ids;
        for (int i = 0; i < 12; i++)
            if (m_pBar->GetControl(i)->GetHideFlags() & qorHideWrap)
                ids.push_back(m_pBar->GetControl(i)->GetID());
        return ids;
    }
    // The "Add or Remove Buttons" list of the bar, as the expand popup shows it.
    CQorCommandBar* CustomizeList()
    {
        m_pBar->FillExpandPopup(m_pPopup);
        CQorControl* pAddOrRemove = m_pPopup->GetControls()->FindControl(QOR_IDS_ADDORREMOVE);
        if (!pAddOrRemove || !pAddOrRemove->GetCommandBar())
            return nullptr;
        CQorControl* pForBar = pAddOrRemove->GetCommandBar()->GetControl(0);
        return pForBar ? pForBar->GetCommandBar() : nullptr;
    }

    CFrameWnd* m_pFrame = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
    CQorToolBar* m_pBar = nullptr;
    CQorCommandBar* m_pPopup = nullptr;
};

} // namespace

TEST_F(ToolBarExpand, SqueezedItsPopupListsExactlyTheHiddenControlsThenAddOrRemove)
{
    SetFrameWidth(300);
    const std::vector<int> hidden = HiddenIds();
    ASSERT_GT(hidden.size(), 1u);
    ASSERT_LT(hidden.size(), 12u);
    // The bar drew a group line before one of them: the popup shows none.
    m_pBar->GetControls()->FindControl(hidden[1])->SetBeginGroup(TRUE);

    m_pBar->FillExpandPopup(m_pPopup);
    const int nHidden = static_cast<int>(hidden.size());
    ASSERT_EQ(m_pPopup->GetControlCount(), nHidden + 1);
    for (int i = 0; i < nHidden; i++) {
        CQorControl* pControl = m_pPopup->GetControl(i);
        EXPECT_EQ(pControl->GetID(), hidden[i]) << i;
        EXPECT_EQ(pControl->GetHideFlags(), 0) << i;
        EXPECT_FALSE(pControl->GetBeginGroup()) << i;
        EXPECT_EQ(pControl->GetCaption(), CString(L"Button")) << i;
    }
    CQorControl* pAddOrRemove = m_pPopup->GetControl(nHidden);
    EXPECT_EQ(pAddOrRemove->GetID(), QOR_IDS_ADDORREMOVE);
    EXPECT_EQ(pAddOrRemove->GetType(), qorControlPopup);
    EXPECT_EQ(pAddOrRemove->GetCaption(), CString(L"&Add or Remove Buttons"));
    EXPECT_TRUE(pAddOrRemove->GetBeginGroup());
    ASSERT_NE(pAddOrRemove->GetCommandBar(), nullptr);

    // Its list: the bar by its title, then (the user may customize) Customize.
    m_pCommandBars->SetCustomizable(TRUE);
    m_pBar->FillExpandPopup(m_pPopup);
    CQorCommandBar* pBars = m_pPopup->GetControls()->FindControl(QOR_IDS_ADDORREMOVE)->GetCommandBar();
    ASSERT_EQ(pBars->GetControlCount(), 2);
    EXPECT_EQ(pBars->GetControl(0)->GetCaption(), CString(L"Standard"));
    EXPECT_EQ(pBars->GetControl(1)->GetID(), QOR_ID_CUSTOMIZE);
    EXPECT_TRUE(pBars->GetControl(1)->GetBeginGroup());

    // Wide again: nothing hidden, "Add or Remove Buttons" alone (the options keep the button).
    SetFrameWidth(1200);
    m_pBar->FillExpandPopup(m_pPopup);
    ASSERT_EQ(m_pPopup->GetControlCount(), 1);
    EXPECT_FALSE(m_pPopup->GetControl(0)->GetBeginGroup());
    // Neither kept by the options nor customizable: nothing at all.
    m_pCommandBars->SetCustomizable(FALSE);
    m_pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways = FALSE;
    m_pBar->FillExpandPopup(m_pPopup);
    EXPECT_EQ(m_pPopup->GetControlCount(), 0);
}

TEST_F(ToolBarExpand, AddOrRemoveHidesAndShowsAControlAndLaysTheBarOutAgain)
{
    SetFrameWidth(1200);
    m_pBar->GetControl(3)->SetHideFlag(qorHideGeneric, TRUE); // hidden by its owner: not listed
    CQorCommandBar* pList = CustomizeList();
    ASSERT_NE(pList, nullptr);
    // Eleven controls, a group line, then "Reset Toolbar".
    ASSERT_EQ(pList->GetControlCount(), 12);
    for (int i = 0; i < 11; i++) {
        const int nBarIndex = i < 3 ? i : i + 1;
        EXPECT_EQ(pList->GetControl(i)->GetID(), 41000 + nBarIndex) << i;
        EXPECT_TRUE(pList->GetControl(i)->GetChecked()) << i;
        EXPECT_EQ(pList->GetControl(i)->GetCaption(), CString(L"Button")) << i;
    }
    EXPECT_EQ(pList->GetControl(11)->GetID(), QOR_IDS_RESET_TOOLBAR);
    EXPECT_TRUE(pList->GetControl(11)->GetBeginGroup());
    EXPECT_EQ(pList->GetControl(11)->GetCaption(), CString(L"&Reset Toolbar"));

    const CRect rcSecond = m_pBar->GetControl(1)->GetRect();
    const CRect rcFirst = m_pBar->GetControl(0)->GetRect();
    m_pCommandBars->GetCommandBarsOptions()->m_bDirty = FALSE;
    pList->GetControl(0)->OnExecute();
    EXPECT_EQ(m_pBar->GetControl(0)->GetHideFlags() & qorHideCustomize, qorHideCustomize);
    EXPECT_FALSE(pList->GetControl(0)->GetChecked());
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->m_bDirty);
    // Laid out again at once: the second button took the first one's place.
    EXPECT_EQ(m_pBar->GetControl(1)->GetRect().left, rcFirst.left);

    pList->GetControl(0)->OnExecute();
    EXPECT_EQ(m_pBar->GetControl(0)->GetHideFlags() & qorHideCustomize, 0);
    EXPECT_TRUE(pList->GetControl(0)->GetChecked());
    EXPECT_EQ(m_pBar->GetControl(1)->GetRect(), rcSecond);
}

TEST_F(ToolBarExpand, AControlGoneFromTheBarIsListedUncheckedAndComesBackAtItsPlace)
{
    SetFrameWidth(1200);
    m_pBar->GetControls()->Remove(5); // dragged off in customize mode
    CQorCommandBar* pList = CustomizeList();
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetControlCount(), 13) << "the twelve of the default set, then Reset";
    for (int i = 0; i < 12; i++) {
        EXPECT_EQ(pList->GetControl(i)->GetID(), 41000 + i) << i;
        EXPECT_EQ(pList->GetControl(i)->GetChecked(), i != 5) << i;
    }
    EXPECT_EQ(pList->GetControl(5)->GetCaption(), CString(L"Button"));

    CQorControl* pEntry = pList->GetControl(5);
    pEntry->OnExecute();
    ASSERT_EQ(m_pBar->GetControl(5)->GetID(), 41005);
    EXPECT_TRUE(m_pBar->GetControl(5)->IsVisible());
    EXPECT_EQ(m_pBar->GetControl(5)->GetCaption(), CString(L"Button"));
    EXPECT_TRUE(pEntry->GetChecked());
    EXPECT_GT(m_pBar->GetControl(6)->GetRect().left, m_pBar->GetControl(5)->GetRect().left) << "laid out again";
    EXPECT_FALSE(m_pBar->IsChanged());
    // From now on the entry hides and shows the control that came back.
    pEntry->OnExecute();
    EXPECT_EQ(m_pBar->GetControl(5)->GetHideFlags() & qorHideCustomize, qorHideCustomize);
    EXPECT_FALSE(pEntry->GetChecked());
}

TEST_F(ToolBarExpand, ResetAsksAndOnlyOkRestoresTheDefaultSetAndTellsTheSite)
{
    const HWND hWndSite =
        cbtest::CreateWindowWithProc(L"ToolBarExpandResetSite", ResetSiteProc, RECT{0, 0, 50, 50}, WS_POPUP);
    m_pBar->SetSite(hWndSite);
    SetFrameWidth(1200);
    m_pBar->GetControls()->Remove(5);
    ASSERT_TRUE(m_pBar->IsChanged());
    CQorCommandBar* pList = CustomizeList();
    ASSERT_NE(pList, nullptr);
    CQorControl* pReset = pList->GetControls()->FindControl(QOR_IDS_RESET_TOOLBAR);
    ASSERT_NE(pReset, nullptr);

    g_nResets = 0;
    int nAnswer = IDCANCEL;
    CString strAsked;
    AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([&](LPCTSTR lpszText, UINT) {
        strAsked = lpszText;
        return nAnswer;
    });
    pReset->OnExecute();
    EXPECT_EQ(strAsked, CString(L"Are you sure you want to reset the changes made to the 'Standard' toolbar?"));
    EXPECT_TRUE(m_pBar->IsChanged());
    EXPECT_EQ(g_nResets, 0);

    nAnswer = IDOK;
    pReset->OnExecute();
    EXPECT_FALSE(m_pBar->IsChanged());
    EXPECT_EQ(m_pBar->GetControls()->FindControl(41005) != nullptr, true);
    EXPECT_EQ(g_nResets, 1);
    EXPECT_EQ(g_lResetBar, reinterpret_cast<LPARAM>(static_cast<CQorCommandBar*>(m_pBar)));
    AfxSetMessageBoxHandler(previous);

    // The bar leaves its manager while a list made for it is still around: its reset entry
    // (which does not keep the bar) does nothing.
    int nAskedAfterRemoval = 0;
    AfxSetMessageBoxHandler([&](LPCTSTR, UINT) {
        nAskedAfterRemoval++;
        return IDOK;
    });
    CQorToolBar* pOther = static_cast<CQorToolBar*>(m_pCommandBars->CreateToolBar(L"Other", 500));
    ASSERT_NE(pOther, nullptr);
    const UINT nOtherId = 43000;
    pOther->SetButtons(&nOtherId, 1);
    pOther->GetControls()->CreateOriginalControls();
    CQorCommandBar* pOtherPopup = CQorControlPopup::CreatePopupBar(m_pCommandBars);
    pOther->FillCustomizePopup(pOtherPopup);
    CQorControl* pOtherReset = pOtherPopup->GetControls()->FindControl(QOR_IDS_RESET_TOOLBAR);
    ASSERT_NE(pOtherReset, nullptr);
    m_pCommandBars->RemoveToolBar(m_pCommandBars->GetToolBarIndex(pOther));
    pOtherReset->OnExecute();
    EXPECT_EQ(nAskedAfterRemoval, 0);
    pOtherPopup->InternalRelease();
    AfxSetMessageBoxHandler(previous);

    // A bar not listed (or made floating) has no reset entry.
    m_pBar->m_bListed = FALSE;
    pList = CustomizeList();
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetControls()->FindControl(QOR_IDS_RESET_TOOLBAR), nullptr);
    DestroyWindow(hWndSite);
}

TEST_F(ToolBarExpand, AClickOnTheExpandButtonOpensThePopupOfTheHiddenControls)
{
    ASSERT_TRUE(cbtest::BringToFront(m_pFrame->GetSafeHwnd()));
    SetFrameWidth(300);
    const std::vector<int> hidden = HiddenIds();
    ASSERT_FALSE(hidden.empty());
    CQorControl* pExpand = m_pBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND);
    ASSERT_NE(pExpand, nullptr);
    const CPoint ptExpand = pExpand->GetRect().CenterPoint();
    cbtest::SendClick(cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), ptExpand.x, ptExpand.y));
    CQorCommandBar* pPopup = nullptr;
    testsupport::PumpUntil(
        [&] {
            pPopup = pExpand->GetCommandBar();
            return pPopup && pPopup->GetSafeHwnd() && IsWindowVisible(pPopup->GetSafeHwnd());
        },
        2000);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(pPopup->GetSafeHwnd() && IsWindowVisible(pPopup->GetSafeHwnd()));
    // Below the button, listing the hidden controls, then "Add or Remove Buttons".
    CRect rcPopup, rcBar;
    pPopup->GetWindowRect(&rcPopup);
    m_pBar->GetWindowRect(&rcBar);
    EXPECT_GE(rcPopup.top, rcBar.top + pExpand->GetRect().bottom - 1);
    ASSERT_EQ(pPopup->GetControlCount(), static_cast<int>(hidden.size()) + 1);
    for (size_t i = 0; i < hidden.size(); i++)
        EXPECT_EQ(pPopup->GetControl(static_cast<int>(i))->GetID(), hidden[i]) << i;
    EXPECT_EQ(pPopup->GetControl(static_cast<int>(hidden.size()))->GetID(), QOR_IDS_ADDORREMOVE);

    cbtest::SendKey(VK_ESCAPE);
    cbtest::SendKey(VK_ESCAPE, true);
    testsupport::PumpUntil([&] { return pPopup->GetSafeHwnd() == nullptr; }, 2000);
    EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
    cbtest::PumpFor(50);
}
