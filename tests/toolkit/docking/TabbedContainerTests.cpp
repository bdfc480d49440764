// Tab groups: selecting and reordering tabs, the caption buttons, help hit tests, and the
// group window that comes and goes with its panes.
#include "tests/toolkit/docking/DockingTestSupport.h"

using dockingtest::FrameTest;
using dockingtest::Narrow;

namespace {

class TabbedContainer : public FrameTest
{
protected:
    // One group of three tabs at the left (3 selected), laid out.
    CQorDockingPaneTabbedContainer* MakeGroup(int nFirstID = 1)
    {
        CQorDockingPane* pFirst = Create(nFirstID, qorDockLeft, nullptr, 300, 300);
        Manager().AttachPane(pFirst, Create(nFirstID + 1, qorDockRight));
        Manager().AttachPane(pFirst, Create(nFirstID + 2, qorDockRight));
        Manager().SyncPaneHolders();
        Manager().GetLayout()->TidyLayout();
        Layout();
        return pFirst->GetTabbedContainer();
    }
    static LPARAM TabPoint(CQorDockingPaneTabbedContainer* pGroup, int nTab)
    {
        CPoint pt = pGroup->GetItem(nTab)->GetRect().CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
};

} // namespace

TEST_F(TabbedContainer, AClickOnATabSelectsItsPane)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    ASSERT_EQ(3, pGroup->GetItemCount());
    EXPECT_TRUE(pGroup->IsTabsVisible());
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(pGroup, 0));
    pGroup->SendMessage(WM_LBUTTONUP, 0, TabPoint(pGroup, 0));
    EXPECT_EQ(1, pGroup->GetSelected()->GetId());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TabbedContainer, DraggingTheFirstTabOverTheThirdSwapsThem)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    const LPARAM ptThird = TabPoint(pGroup, 2);
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(pGroup, 0));
    EXPECT_EQ(pGroup->GetSafeHwnd(), ::GetCapture());
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ptThird);
    pGroup->SendMessage(WM_LBUTTONUP, 0, ptThird);
    EXPECT_EQ("S(h)[G(3,2,1*),C]", Narrow(Dump()));
    EXPECT_EQ(1, m_pFrame->m_recorder.Count(qorDpnAction, qorActionDragging));
}

TEST_F(TabbedContainer, APaneWithoutDockingActionsIsSelectedButNotDragged)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    Manager().FindPane(1)->SetEnabled(qorPaneEnableClient);
    const LPARAM ptThird = TabPoint(pGroup, 2);
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(pGroup, 0));
    EXPECT_EQ(nullptr, ::GetCapture());
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ptThird);
    EXPECT_EQ("S(h)[G(1*,2,3),C]", Narrow(Dump()));
}

TEST_F(TabbedContainer, CaptionButtonsShowByOptionsAndSiblings)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    CQorDockingPane* pSelected = pGroup->GetSelected();
    struct Row
    {
        const char* name;
        DWORD dwOptions;
        BOOL bMaximizeOption;
        BOOL bSecondGroup;
        BOOL bMaximized;
        BOOL bClose, bMaximize, bRestore, bAutoHide, bMenu;
    } rows[] = {
        {"plain", 0, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {"not closable", qorPaneNoCloseable, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE},
        {"menu button", qorPaneHasMenuButton, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, TRUE},
        {"maximise option, the only group", 0, TRUE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {"maximise option, two groups", 0, TRUE, TRUE, FALSE, TRUE, TRUE, FALSE, FALSE, FALSE},
        {"maximised", 0, TRUE, TRUE, TRUE, TRUE, FALSE, TRUE, FALSE, FALSE},
        {"maximised but the option off", 0, FALSE, TRUE, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE},
    };
    for (const Row& row : rows) {
        pSelected->SetOptions(row.dwOptions);
        Manager().m_bShowMaximizeButton = row.bMaximizeOption;
        if (row.bSecondGroup && !Manager().FindPane(9))
            Create(9, qorDockRight, pSelected);
        if (row.bMaximized)
            pGroup->Maximize();
        else
            pGroup->Restore();
        const struct
        {
            int nID;
            BOOL bExpected;
        } buttons[] = {{QOR_IDS_DOCKING_CLOSE, row.bClose},
                       {QOR_IDS_DOCKING_MAXIMIZE, row.bMaximize},
                       {QOR_IDS_DOCKING_RESTORE, row.bRestore},
                       {QOR_IDS_DOCKING_AUTOHIDE, row.bAutoHide},
                       {QOR_IDS_DOCKING_MENU, row.bMenu}};
        for (const auto& button : buttons)
            EXPECT_EQ(button.bExpected, pGroup->FindCaptionButton(button.nID)->IsVisible())
                << row.name << ", button " << button.nID;
    }
}

TEST_F(TabbedContainer, HelpHitTestAnswersTheHelpIdOrThePaneId)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup(32782);
    EXPECT_EQ(0x2800E, pGroup->SendMessage(WM_HELPHITTEST, 0, TabPoint(pGroup, 0)));
    Manager().FindPane(32783)->m_nHelpId = 77;
    EXPECT_EQ(0x20000 + 77, pGroup->SendMessage(WM_HELPHITTEST, 0, TabPoint(pGroup, 1)));
    EXPECT_EQ(0x20000 + 32784, pGroup->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)))
        << "off the tabs: the selected pane";
}

TEST_F(TabbedContainer, RemovingTheLastPaneDestroysTheWindowAndItsDropTarget)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft);
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"content", WS_CHILD, 0, 0, 10, 10, m_pFrame->GetSafeHwnd(), nullptr,
                                    nullptr, nullptr);
    pPane->Attach(hChild);
    Layout();
    CQorDockingPaneTabbedContainer* pGroup = pPane->GetTabbedContainer();
    HWND hGroup = pGroup->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hGroup));
    ASSERT_EQ(hGroup, pGroup->GetDropTarget()->GetRegisteredHwnd());
    EXPECT_EQ(2u, pGroup->GetDropTarget()->m_dwRef) << "OLE holds the target while it is registered";

    Manager().ClosePaneById(1);
    EXPECT_FALSE(::IsWindow(hGroup));
    EXPECT_EQ(nullptr, pGroup->GetDropTarget()->GetRegisteredHwnd());
    EXPECT_EQ(1u, pGroup->GetDropTarget()->m_dwRef) << "OLE let go of the dead window's target";
    EXPECT_TRUE(Manager().GetLayout()->GetAllNodes().Find(pGroup)) << "the group stays as a holder";
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_EQ(Manager().GetSafeHwnd(), ::GetParent(hChild));
    EXPECT_FALSE(::IsWindowVisible(hChild));

    Manager().ShowPaneById(1);
    EXPECT_TRUE(::IsWindow(pGroup->GetSafeHwnd()));
    EXPECT_EQ(pGroup->GetSafeHwnd(), pGroup->GetDropTarget()->GetRegisteredHwnd());
    EXPECT_EQ(pGroup->GetSafeHwnd(), ::GetParent(hChild));
}

TEST_F(TabbedContainer, RemovingTheSelectedPaneSelectsTheLastOne)
{
    MakeGroup();
    Manager().FindPane(1)->Close();
    EXPECT_EQ("S(h)[G(2,3*),C]", Narrow(Dump()));
    Manager().FindPane(3)->Close();
    EXPECT_EQ("S(h)[G(2*),C]", Narrow(Dump()));
}
