// The manager's docking operations, seen through the tree dump.
#include "tests/toolkit/docking/DockingTestSupport.h"

using dockingtest::FrameTest;
using dockingtest::Narrow;

namespace {

class DockingOperations : public FrameTest
{
};

} // namespace

TEST_F(DockingOperations, DockingBuildsTheTreeByDirectionAndNeighbour)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    EXPECT_EQ("S(h)[G(1*),C]", Narrow(Dump())) << "left on a fresh layout: before the client";
    CQorDockingPaneBase* pGroup = pFirst->GetContainer();
    EXPECT_EQ(200, pGroup->m_nDockingCX);
    EXPECT_EQ(120, pGroup->m_nDockingCY);

    Create(2, qorDockBottom);
    EXPECT_EQ("S(v)[S(h)[G(1*),C],G(2*)]", Narrow(Dump())) << "bottom of a side-by-side top: a new stacked top";

    Create(3, qorDockTop, pFirst);
    EXPECT_EQ("S(v)[S(h)[S(v)[G(3*),G(1*)],C],G(2*)]", Narrow(Dump())) << "beside a pane: beside its group";

    Create(4, qorDockRight, pFirst);
    EXPECT_EQ("S(v)[S(h)[S(v)[G(3*),S(h)[G(1*),G(4*)]],C],G(2*)]", Narrow(Dump()))
        << "across the group's splitter: a new splitter takes the group's place";

    Create(5, qorDockBottom, pFirst);
    EXPECT_EQ("S(v)[S(h)[S(v)[G(3*),S(h)[S(v)[G(1*),G(5*)],G(4*)]],C],G(2*)]", Narrow(Dump()));
}

TEST_F(DockingOperations, MovingAGroupMovesEveryOneOfItsPanes)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    Manager().AttachPane(pFirst, Create(2, qorDockRight));
    Manager().AttachPane(pFirst, Create(3, qorDockRight));
    Manager().SyncPaneHolders();
    EXPECT_EQ("S(h)[G(1,2,3*),C,G(),G()]", Narrow(Dump()));

    Manager().MovePane(pFirst->GetContainer(), qorDockBottom, nullptr);
    EXPECT_EQ("S(v)[S(h)[G(),C],G(1,2,3*)]", Narrow(Dump()))
        << "all three moved; the emptied group stays as their holder, the others are tidied away";
}

TEST_F(DockingOperations, AClosedPaneComesBackAsATabOfItsEmptiedHolder)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    Manager().AttachPane(pFirst, Create(2, qorDockBottom));
    Manager().SyncPaneHolders();
    Manager().ClosePaneById(1);
    Manager().ClosePaneById(2);
    EXPECT_EQ("S(v)[S(h)[G(),C],G()]", Narrow(Dump()));
    EXPECT_TRUE(pFirst->IsClosed());

    Manager().ShowPaneById(2);
    EXPECT_EQ("S(v)[S(h)[G(2*),C],G()]", Narrow(Dump()));
    Manager().ShowPaneById(1);
    EXPECT_EQ("S(v)[S(h)[G(2,1*),C],G()]", Narrow(Dump()));
    Manager().ShowPaneById(77);
    EXPECT_EQ("S(v)[S(h)[G(2,1*),C],G()]", Narrow(Dump())) << "an unknown id shows nothing";
}

TEST_F(DockingOperations, ClosingAClosedPaneAsksNobody)
{
    Create(1, qorDockLeft);
    Manager().ClosePaneById(1);
    Manager().ClosePaneById(1);
    Manager().ClosePaneById(5);
    EXPECT_EQ(1, m_pFrame->m_recorder.Count(qorDpnClosePane));
    EXPECT_EQ("S(h)[G(),C]", Narrow(Dump()));
}

TEST_F(DockingOperations, AnOwnerAnsweringMinusOneKeepsThePane)
{
    Create(1, qorDockLeft);
    m_pFrame->m_recorder.m_bKeepPanes = TRUE;
    Manager().ClosePaneById(1);
    Manager().FindPane(1)->Close();
    EXPECT_EQ(2, m_pFrame->m_recorder.Count(qorDpnClosePane));
    EXPECT_EQ("S(h)[G(1*),C]", Narrow(Dump()));
}

TEST_F(DockingOperations, ANeighbourWithoutAContainerChangesNothing)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft);
    Manager().ClosePaneById(1);
    CQorDockingPaneBase* pDetached = Manager().CreateNode(qorDockingPaneTypeTabbed, Manager().GetLayout());
    const CString strBefore = Dump();
    const INT_PTR nNodes = Manager().GetLayout()->GetAllNodes().GetCount();

    Manager().DockPane(pDetached, qorDockRight, pPane);
    EXPECT_EQ(Narrow(strBefore), Narrow(Dump()));
    EXPECT_TRUE(pPane->IsClosed()) << "the pane is not stranded in a group of its own";
    EXPECT_EQ(nNodes, Manager().GetLayout()->GetAllNodes().GetCount()) << "no group was made";
}

TEST_F(DockingOperations, ShowingNotifiesOnlyAfterTheFirstLayout)
{
    // A frame that was never shown nor sized since its manager came: no layout pass yet.
    TearDown();
    m_pFrame = new dockingtest::Frame();
    ASSERT_TRUE(m_pFrame->CreateFrame());
    Create(1, qorDockLeft);
    Manager().ClosePaneById(1);
    Manager().ShowPaneById(1);
    EXPECT_EQ(0, m_pFrame->m_recorder.Count(qorDpnShowWindow)) << "before the first layout pass";
    Layout();
    m_pFrame->ShowWindow(SW_SHOW);
    Layout();
    const int nAfterLayout = m_pFrame->m_recorder.Count(qorDpnShowWindow);
    EXPECT_GE(nAfterLayout, 1) << "the layout pass asks for the selected pane's window";
    Manager().ShowPaneById(1);
    EXPECT_EQ(nAfterLayout + 1, m_pFrame->m_recorder.Count(qorDpnShowWindow));
}

TEST_F(DockingOperations, TidyingReplacesASplitterThatOnlyWrapsOneGroup)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    CQorDockingPane* pSecond = Create(2, qorDockTop, pFirst);
    EXPECT_EQ("S(h)[S(v)[G(2*),G(1*)],C]", Narrow(Dump()));
    // Moving the second pane beside the client leaves the stacked splitter with one group.
    Manager().MovePane(pSecond, qorDockRight, nullptr);
    EXPECT_EQ("S(h)[S(v)[G(),G(1*)],C,G(2*)]", Narrow(Dump())) << "the emptied group is a holder and stays";
    EXPECT_EQ(qorDockLeft, Manager().GetLayout()->GetPaneDirection(pFirst->GetContainer()));
    EXPECT_EQ(qorDockRight, Manager().GetLayout()->GetPaneDirection(pSecond->GetContainer()));
}
