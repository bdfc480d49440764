// The control collection: the factory by type, actions bound on insertion, menu conversion with
// a site that joins in, keyboard navigation, copies, snapshots and comparisons.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/Menu.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlSimple.h"
#include "toolkit/commandbars/Controls.h"

namespace {

// A control that counts its destructions.
int g_nSiteControlsDeleted = 0;
class CSiteControl : public CQorControlButton
{
public:
    ~CSiteControl() override { g_nSiteControlsDeleted++; }
};

const int kSiteControlId = 610;  // the site supplies its own control
const int kSiteLabelId = 611;    // the site turns the button into a label
const int kSitePopupBarId = 612; // the site supplies the popup's bar

struct SiteLog
{
    int nCreateRequests = 0;
    int nCreated = 0;
    int nPopupRequests = 0;
    CQorCommandBar* pSiteBar = nullptr;
    CQorCommandBars* pCommandBars = nullptr;
} g_site;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == QORWM_CONTROLCREATEREQUEST) {
        auto* pRequest = reinterpret_cast<QOR_CONTROL_CREATE_REQUEST*>(lParam);
        g_site.nCreateRequests++;
        if (pRequest->nId == kSiteControlId) {
            pRequest->pControl = new CSiteControl;
            return 1;
        }
        if (pRequest->nId == kSiteLabelId) {
            pRequest->nType = qorControlLabel;
            pRequest->lpszCaption = L"Site caption";
            return 1;
        }
        return 0;
    }
    if (nMsg == QORWM_AFTERCONTROLCREATE) {
        g_site.nCreated++;
        return 0;
    }
    if (nMsg == QORWM_POPUPBARCREATEREQUEST) {
        auto* pRequest = reinterpret_cast<QOR_POPUPBAR_CREATE_REQUEST*>(lParam);
        g_site.nPopupRequests++;
        if (pRequest->nId == kSitePopupBarId) {
            g_site.pSiteBar = CQorControlPopup::CreatePopupBar(g_site.pCommandBars);
            pRequest->pCommandBar = g_site.pSiteBar;
            return 1;
        }
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

HWND CreateSite()
{
    return cbtest::CreateWindowWithProc(L"ControlsCollectionSite", SiteProc, {0, 0, 10, 10}, WS_POPUP);
}

TEST(ControlsFactory, MakesTheTypesItKnowsAndClampsTheIndex)
{
    CQorControls* pControls = CreateControlsCollection();
    struct
    {
        int nType;
        bool bMade;
    } const cases[] = {{1, true}, {2, true}, {3, true},   {4, true},  {5, false}, {6, false}, {7, false},
                       {8, true}, {9, true}, {10, false}, {11, true}, {0, false}, {12, false}};
    for (const auto& c : cases) {
        CQorControl* pControl = pControls->Add(c.nType, 100 + c.nType);
        EXPECT_EQ(pControl != nullptr, c.bMade) << c.nType;
        if (pControl) {
            EXPECT_EQ(pControl->GetType(), c.nType);
            EXPECT_EQ(pControl->GetIndex(), pControls->GetCount() - 1);
            EXPECT_EQ(pControl->GetControls(), pControls);
        }
        if (pControl && c.nType >= 2 && c.nType <= 4) {
            EXPECT_NE(pControl->GetCommandBar(), nullptr);
        }
    }
    EXPECT_EQ(pControls->GetCount(), 7);
    CQorControl* pFirst = pControls->Add(1, 50, L"param", -5);
    EXPECT_EQ(pControls->GetAt(7), pFirst); // an index out of range appends
    CQorControl* pAtStart = pControls->Add(1, 51, nullptr, 0);
    EXPECT_EQ(pControls->GetAt(0), pAtStart);
    EXPECT_STREQ(pFirst->m_strParameter, L"param");
    EXPECT_EQ(pControls->GetAt(-1), nullptr);
    EXPECT_EQ(pControls->GetAt(pControls->GetCount()), nullptr);
    EXPECT_EQ(pControls->FindControl(50), pFirst);
    EXPECT_EQ(pControls->FindControl(-1), pAtStart);
    EXPECT_EQ(pControls->FindControl(999), nullptr);
    pControls->InternalRelease();
}

TEST(ControlsFactory, InsertionBindsActionsExceptForTheBarsOwnIds)
{
    CQorCommandBars* pCommandBars = new CQorCommandBars;
    pCommandBars->EnableActions(TRUE);
    CQorControls* pControls = CreateControlsCollection();
    pControls->SetCommandBars(pCommandBars);
    struct
    {
        int nId;
        bool bAction;
    } const cases[] = {{700, true},    {0, false},     {9100, false}, {9299, false},
                       {35000, false}, {35003, false}, {35004, true}, {0x0FFFFFFF, false}};
    for (const auto& c : cases) {
        CQorControl* pControl = pControls->Add(1, c.nId);
        EXPECT_EQ(pControl->GetAction() != nullptr, c.bAction) << c.nId;
        EXPECT_EQ(pControl->GetID(), c.nId);
    }
    // A second control of the same id shares the action.
    EXPECT_EQ(pControls->Add(1, 700)->GetAction(), pControls->GetAt(0)->GetAction());
    pControls->InternalRelease();
    pCommandBars->InternalRelease();
}

class ControlsMenu : public testing::Test
{
protected:
    void SetUp() override
    {
        g_site = SiteLog();
        g_nSiteControlsDeleted = 0;
        m_hWndSite = CreateSite();
        // The popup bars reach the site through the command bars.
        m_pCommandBars->SetSite(m_hWndSite);
        g_site.pCommandBars = m_pCommandBars;
        m_pBar = new CQorCommandBar;
        m_pBar->SetCommandBars(m_pCommandBars);
    }
    void TearDown() override
    {
        if (m_pBar)
            m_pBar->InternalRelease();
        m_menu.DestroyMenu();
        DestroyWindow(m_hWndSite);
        m_pCommandBars->InternalRelease();
    }

    CQorCommandBars* m_pCommandBars = new CQorCommandBars;
    HWND m_hWndSite = nullptr;
    CQorCommandBar* m_pBar = nullptr;
    CMenu m_menu;
};

TEST_F(ControlsMenu, ConvertsItemsWithTheSitesHelp)
{
    CMenu sub, empty, siteSub;
    ASSERT_TRUE(m_menu.CreatePopupMenu() && sub.CreatePopupMenu() && empty.CreatePopupMenu() &&
                siteSub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 801, L"&Inner\tCtrl+I");
    siteSub.AppendMenu(MF_STRING, 802, L"Deep");
    m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"Word\t4321");
    m_menu.AppendMenu(MF_STRING, 500, L"Word\t4321");
    m_menu.AppendMenu(MF_STRING, 65280, L"Placeholder");
    m_menu.AppendMenu(MF_SEPARATOR);
    m_menu.AppendMenu(MF_STRING, kSiteControlId, L"Own");
    m_menu.AppendMenu(MF_STRING, kSiteLabelId, L"Label");
    m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(siteSub.Detach()), L"&Site bar\t612");
    m_menu.AppendMenu(MF_STRING, 57872, L"Verbs");
    ::SetMenuDefaultItem(m_menu.GetSafeHmenu(), 1, TRUE);

    ASSERT_TRUE(m_pBar->LoadMenu(&m_menu));
    CQorControls* pControls = m_pBar->GetControls();
    ASSERT_EQ(pControls->GetCount(), 6);

    CQorControl* pPopup = pControls->GetAt(0);
    EXPECT_EQ(pPopup->GetType(), qorControlPopup);
    EXPECT_EQ(pPopup->GetID(), 4321);
    EXPECT_STREQ(pPopup->GetCaption(), L"Word");
    ASSERT_NE(pPopup->GetCommandBar(), nullptr);
    EXPECT_STREQ(pPopup->GetCommandBar()->GetTitle(), L"Word");
    ASSERT_EQ(pPopup->GetCommandBar()->GetControlCount(), 1);
    EXPECT_STREQ(pPopup->GetCommandBar()->GetControl(0)->GetShortcutText(), L"Ctrl+I");
    EXPECT_EQ(pPopup->GetParent(), m_pBar);

    CQorControl* pButton = pControls->GetAt(1);
    EXPECT_EQ(pButton->GetType(), qorControlButton);
    EXPECT_EQ(pButton->GetID(), 500);
    EXPECT_STREQ(pButton->GetCaption(), L"Word");
    EXPECT_STREQ(pButton->GetShortcutText(), L"4321");
    EXPECT_TRUE(pButton->m_bDefaultItem);

    CQorControl* pOwn = pControls->GetAt(2);
    EXPECT_NE(dynamic_cast<CSiteControl*>(pOwn), nullptr);
    EXPECT_TRUE(pOwn->GetBeginGroup()); // after the separator

    EXPECT_EQ(pControls->GetAt(3)->GetType(), qorControlLabel);
    EXPECT_STREQ(pControls->GetAt(3)->GetCaption(), L"Site caption");

    CQorControl* pSitePopup = pControls->GetAt(4);
    EXPECT_EQ(pSitePopup->GetID(), kSitePopupBarId);
    EXPECT_EQ(pSitePopup->GetCommandBar(), g_site.pSiteBar);
    EXPECT_STREQ(g_site.pSiteBar->GetTitle(), L"Site bar");
    EXPECT_EQ(g_site.pSiteBar->GetControlCount(), 1);

    EXPECT_EQ(pControls->GetAt(5)->GetType(), qorControlButton); // not the OLE verbs text

    // Every item but the placeholder asked, every control made was announced.
    EXPECT_EQ(g_site.nCreateRequests, 8);
    EXPECT_EQ(g_site.nCreated, 8);

    // Each control released once, the site's own with them.
    m_pBar->InternalRelease();
    m_pBar = nullptr;
    EXPECT_EQ(g_nSiteControlsDeleted, 1);
}

TEST_F(ControlsMenu, ReloadingClearsFirstAndANonMenuIsRefused)
{
    ASSERT_TRUE(m_menu.CreatePopupMenu());
    m_menu.AppendMenu(MF_STRING, 900, L"One");
    ASSERT_TRUE(m_pBar->LoadMenu(&m_menu));
    ASSERT_TRUE(m_pBar->LoadMenu(&m_menu));
    EXPECT_EQ(m_pBar->GetControlCount(), 1);
    ASSERT_TRUE(m_pBar->LoadMenu(&m_menu, FALSE));
    EXPECT_EQ(m_pBar->GetControlCount(), 2);
    CMenu none;
    EXPECT_FALSE(m_pBar->LoadMenu(&none));
    EXPECT_FALSE(m_pBar->LoadMenu(nullptr));
}

// Navigation over five controls: 0 plain, 1 skipped by keys, 2 hidden, 3 temporary, 4 rarely used.
class ControlsNext : public testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 5; i++)
            m_pControls->Add(1, 100 + i);
        m_pControls->GetAt(1)->SetFlags(qorFlagSkipFocus);
        m_pControls->GetAt(2)->SetHideFlags(qorHideGeneric);
        m_pControls->GetAt(3)->m_bTemporary = TRUE;
        m_pControls->GetAt(4)->SetHideFlags(qorHideScroll);
    }
    void TearDown() override { m_pControls->InternalRelease(); }
    CQorControls* m_pControls = CreateControlsCollection();
};

TEST_F(ControlsNext, WalksWrapsAndSkips)
{
    struct
    {
        int nStart, nStep;
        BOOL bPopup, bSkipFlagged, bSkipTemporary;
        int nExpected;
    } const cases[] = {
        {0, 1, FALSE, TRUE, FALSE, 3},  // 1 flagged, 2 hidden
        {0, 1, FALSE, FALSE, FALSE, 1}, // flag not skipped
        {0, 1, FALSE, TRUE, TRUE, 4},   // temporary skipped; 0x08 is in the keyboard mask
        {0, -1, FALSE, TRUE, TRUE, 4},  // wraps to the end
        {4, 1, FALSE, TRUE, TRUE, 0},   // wraps to the start
        {-1, 1, FALSE, TRUE, FALSE, 0}, {-1, -1, FALSE, TRUE, TRUE, 4}, {3, 0, FALSE, TRUE, FALSE, 3}, // no step
        {0, 1, TRUE, TRUE, TRUE, 4}, // popup mask still ignores 0x08
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_pControls->GetNext(c.nStart, c.nStep, c.bPopup, c.bSkipFlagged, c.bSkipTemporary), c.nExpected)
            << c.nStart << " " << c.nStep;
}

TEST_F(ControlsNext, OnlyTheStartOrNothing)
{
    for (int i : {3, 4})
        m_pControls->GetAt(i)->SetHideFlags(qorHideGeneric);
    // The start is the only navigable control: back to it.
    EXPECT_EQ(m_pControls->GetNext(0, 1), 0);
    EXPECT_EQ(m_pControls->GetNext(0, -1), 0);
    m_pControls->GetAt(0)->SetHideFlags(qorHideGeneric);
    EXPECT_EQ(m_pControls->GetNext(-1, 1), -1);
    EXPECT_EQ(m_pControls->GetNext(-1, -1), -1);
    CQorControls* pEmpty = CreateControlsCollection();
    EXPECT_EQ(pEmpty->GetNext(-1, 1), -1);
    pEmpty->InternalRelease();
}

TEST(ControlsCopy, CopiesLastingControlsComparesAndKeepsItselfWhole)
{
    CQorControls* pControls = CreateControlsCollection();
    pControls->Add(1, 10)->SetCaption(L"Ten");
    pControls->Add(8, 11);
    pControls->Add(1, 12, nullptr, -1, TRUE); // temporary
    pControls->CreateOriginalControls();
    ASSERT_NE(pControls->GetOriginalControls(), nullptr);
    EXPECT_EQ(pControls->GetOriginalControls()->GetCount(), 2);
    EXPECT_TRUE(pControls->GetOriginalControls()->IsOriginalControls());
    EXPECT_TRUE(pControls->IsEqual(pControls->GetOriginalControls()));

    // Copying from itself keeps everything.
    pControls->Copy(pControls);
    EXPECT_EQ(pControls->GetCount(), 3);

    CQorControls* pCopy = CreateControlsCollection();
    pCopy->Copy(pControls);
    EXPECT_EQ(pCopy->GetCount(), 2);
    EXPECT_TRUE(pCopy->IsEqual(pControls));
    ASSERT_NE(pCopy->GetOriginalControls(), nullptr);
    EXPECT_NE(pCopy->GetOriginalControls(), pControls->GetOriginalControls());
    EXPECT_STREQ(pCopy->GetAt(0)->GetCaption(), L"Ten");

    pCopy->GetAt(1)->m_nWidth = 30;
    EXPECT_FALSE(pCopy->IsEqual(pControls));
    pCopy->Remove(pCopy->GetAt(1));
    EXPECT_EQ(pCopy->GetCount(), 1);
    EXPECT_FALSE(pCopy->IsEqual(pControls));
    pCopy->InternalRelease();
    pControls->InternalRelease();
}

namespace {

// Classes the framework knows but cannot make objects of.
class CUnmadeControl : public CQorControlButton
{
    DECLARE_DYNAMIC(CUnmadeControl)
};
IMPLEMENT_DYNAMIC(CUnmadeControl, CQorControlButton)

class CUnmadeBar : public CQorCommandBar
{
    DECLARE_DYNAMIC(CUnmadeBar)
};
IMPLEMENT_DYNAMIC(CUnmadeBar, CQorCommandBar)

} // namespace

TEST(ControlsCopy, CopiesOfClassesThatMakeNoObjectsAreNoneAndLeaveNothingHalfMade)
{
    CQorControls* pControls = CreateControlsCollection();
    CQorControl* pUnmade = pControls->InsertControl(new CUnmadeControl, 20);
    ASSERT_NE(pUnmade, nullptr);
    pControls->Add(qorControlButton, 21);
    EXPECT_EQ(pControls->InsertControl(nullptr, 22), nullptr);
    EXPECT_EQ(pControls->AddCopy(pUnmade), nullptr);
    EXPECT_EQ(pControls->GetCount(), 2);
    EXPECT_EQ(pUnmade->Clone(), nullptr);
    // A copy of the collection holds what could be copied.
    pControls->CreateOriginalControls();
    CQorControls* pDuplicate = pControls->Duplicate();
    ASSERT_NE(pDuplicate, nullptr);
    ASSERT_EQ(pDuplicate->GetCount(), 1);
    EXPECT_EQ(pDuplicate->GetAt(0)->GetID(), 21);
    ASSERT_NE(pDuplicate->GetOriginalControls(), nullptr);
    EXPECT_EQ(pDuplicate->GetOriginalControls()->GetCount(), 1);
    pDuplicate->InternalRelease();
    pControls->InternalRelease();

    CUnmadeBar* pBar = new CUnmadeBar;
    EXPECT_EQ(pBar->Clone(), nullptr);
    pBar->InternalRelease();
}

TEST(ControlsCopy, RemovingDetachesAndRenumbers)
{
    CQorCommandBar* pBar = new CQorCommandBar;
    CQorControls* pControls = pBar->GetControls();
    CQorControl* pA = pControls->Add(1, 1);
    CQorControl* pB = pControls->Add(1, 2);
    EXPECT_EQ(pB->GetParent(), pBar);
    pA->InternalAddRef();
    pControls->Remove(pA);
    EXPECT_EQ(pA->GetParent(), nullptr);
    EXPECT_EQ(pA->GetControls(), nullptr);
    EXPECT_EQ(pB->GetIndex(), 0);
    EXPECT_TRUE(pBar->IsLayoutDelayed());
    // A control of another collection is left alone.
    pControls->Remove(pA);
    EXPECT_EQ(pControls->GetCount(), 1);
    pA->InternalRelease();
    pBar->InternalRelease();
}

} // namespace
