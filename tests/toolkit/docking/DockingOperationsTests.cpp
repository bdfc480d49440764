// The manager's docking operations, seen through the tree dump.
#include "tests/toolkit/docking/DockingTestSupport.h"

#include <string>

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

    // An outer splitter whose only child is an inner splitter that only wraps the second group:
    // the group takes the inner splitter's place; the outer one, beside the client, stays.
    CQorDockingPaneBase* pGroup = pSecond->GetContainer();
    CQorDockingPaneSplitterContainer* pTop = Manager().GetTopContainer();
    auto* pOuter = static_cast<CQorDockingPaneSplitterContainer*>(
        Manager().CreateNode(qorDockingPaneTypeSplitter, Manager().GetLayout()));
    auto* pInner = static_cast<CQorDockingPaneSplitterContainer*>(
        Manager().CreateNode(qorDockingPaneTypeSplitter, Manager().GetLayout()));
    pTop->ReplacePane(pGroup, pOuter);
    pInner->WrapPane(TRUE, m_pFrame, pGroup);
    pOuter->WrapPane(FALSE, m_pFrame, pInner);
    ASSERT_EQ("S(h)[S(v)[G(),G(1*)],C,S(v)[S(h)[G(2*)]]]", Narrow(Dump()));
    const INT_PTR nNodes = Manager().GetLayout()->GetAllNodes().GetCount();
    Manager().GetLayout()->TidyLayout();
    EXPECT_EQ("S(h)[S(v)[G(),G(1*)],C,S(v)[G(2*)]]", Narrow(Dump()));
    EXPECT_EQ(nNodes - 1, Manager().GetLayout()->GetAllNodes().GetCount()) << "the inner splitter is gone";
    EXPECT_EQ(pOuter, pGroup->GetContainer());
    Layout();
    EXPECT_EQ(qorDockRight, Manager().GetLayout()->GetPaneDirection(pGroup));
    EXPECT_FALSE(dockingtest::RectInParent(pGroup->GetPaneHwnd()).IsRectEmpty());
}

namespace {

// How many tab groups of the layout (in the tree or not) list the pane, and whether the one
// that does lies in the tree.
struct Listing
{
    int nGroups;
    BOOL bInTree;
};

Listing ListingOf(CQorDockingPaneManager& manager, int nID)
{
    Listing listing = {0, FALSE};
    const CQorDockingPaneBaseList& nodes = manager.GetLayout()->GetAllNodes();
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pNode = nodes.GetNext(pos);
        if (pNode->GetType() != qorDockingPaneTypeTabbed)
            continue;
        const CQorDockingPaneBaseList& panes = static_cast<CQorDockingPaneTabbedContainer*>(pNode)->GetChildren();
        for (POSITION posPane = panes.GetHeadPosition(); posPane;) {
            if (static_cast<CQorDockingPane*>(panes.GetNext(posPane))->GetId() == nID) {
                listing.nGroups++;
                listing.bInTree = manager.GetTopContainer()->ContainsPane(pNode);
            }
        }
    }
    return listing;
}

} // namespace

TEST_F(DockingOperations, AMoveIsMadeWholeOrNotAtAll)
{
    enum Node { groupOf1, pane2, splitterOf3And4, topContainer };
    enum Neighbour { none, pane1, groupOf1Itself, pane3, detachedGroup, top };
    struct Row
    {
        const char* name;
        Node node;
        Neighbour neighbour;
        int nDirection;
        BOOL bMoved;
        const char* after; // the dump after a move made
    } rows[] = {
        {"a group beside its own pane", groupOf1, pane1, qorDockRight, FALSE, nullptr},
        {"a group beside itself", groupOf1, groupOf1Itself, qorDockLeft, FALSE, nullptr},
        {"a splitter beside a pane of its own child", splitterOf3And4, pane3, qorDockTop, FALSE, nullptr},
        {"the top container, which holds the client", topContainer, pane3, qorDockLeft, FALSE, nullptr},
        {"beside a group outside the tree", pane2, detachedGroup, qorDockRight, FALSE, nullptr},
        {"a direction that is none of the four", pane2, pane3, qorDockFloating, FALSE, nullptr},
        {"beside the top container", groupOf1, top, qorDockRight, TRUE,
         "S(h)[S(v)[S(h)[G(),C],S(h)[G(4*),G(3*)]],G(1,2*)]"},
        {"a pane beside another group", pane2, pane3, qorDockBottom, TRUE,
         "S(v)[S(h)[G(1*),C],S(h)[G(4*),S(v)[G(3*),G(2*)]]]"},
        {"a splitter beside a pane", splitterOf3And4, pane1, qorDockTop, TRUE,
         "S(v)[S(h)[S(v)[S(h)[G(4*),G(3*)],G(1,2*)],C],S(h)[G(),G()]]"},
    };
    for (const Row& row : rows) {
        CQorDockingPane* p1 = Create(1, qorDockLeft);
        Manager().AttachPane(p1, Create(2, qorDockRight));
        CQorDockingPane* p3 = Create(3, qorDockBottom);
        Create(4, qorDockLeft, p3);
        Manager().SyncPaneHolders();
        Manager().GetLayout()->TidyLayout();
        const std::string before = Narrow(Dump());
        ASSERT_EQ("S(v)[S(h)[G(1,2*),C],S(h)[G(4*),G(3*)]]", before);

        CQorDockingPaneBase* nodes[] = {p1->GetContainer(), Manager().FindPane(2), p3->GetContainer()->GetContainer(),
                                        Manager().GetTopContainer()};
        CQorDockingPaneBase* neighbours[] = {nullptr,
                                             p1,
                                             p1->GetContainer(),
                                             p3,
                                             Manager().CreateNode(qorDockingPaneTypeTabbed, Manager().GetLayout()),
                                             Manager().GetTopContainer()};
        EXPECT_EQ(row.bMoved, Manager().MovePane(nodes[row.node], row.nDirection, neighbours[row.neighbour]))
            << row.name;
        EXPECT_EQ(row.bMoved ? std::string(row.after) : before, Narrow(Dump())) << row.name;
        for (int nID = 1; nID <= 4; nID++) {
            const Listing listing = ListingOf(Manager(), nID);
            EXPECT_EQ(1, listing.nGroups) << row.name << ": pane " << nID;
            EXPECT_TRUE(listing.bInTree) << row.name << ": pane " << nID;
        }
        Manager().ShowPaneById(1);
        EXPECT_TRUE(Manager().GetTopContainer()->ContainsPane(p1)) << row.name << ": pane 1 can be shown";
        TearDown();
        SetUp();
    }
}

TEST_F(DockingOperations, DockingADockedPaneTakesItOutOfItsOldGroup)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    Manager().AttachPane(pFirst, Create(2, qorDockRight));
    Manager().SyncPaneHolders();
    Manager().GetLayout()->TidyLayout();
    ASSERT_EQ("S(h)[G(1,2*),C]", Narrow(Dump()));

    EXPECT_TRUE(Manager().DockPane(nullptr, qorDockRight, pFirst));
    EXPECT_EQ("S(h)[G(2*),C,G(1*)]", Narrow(Dump()));
    EXPECT_EQ(1, ListingOf(Manager(), 1).nGroups);
    Manager().ClosePaneById(1);
    EXPECT_EQ(0, ListingOf(Manager(), 1).nGroups) << "closed, no group lists it";
    EXPECT_EQ("S(h)[G(2*),C,G()]", Narrow(Dump()));

    for (int nDirection : {-1, static_cast<int>(qorDockFloating), 7}) {
        EXPECT_FALSE(Manager().DockPane(nullptr, nDirection, pFirst)) << nDirection;
        EXPECT_TRUE(pFirst->IsClosed()) << nDirection;
        EXPECT_EQ(nullptr, Manager().CreatePane(9, CRect(0, 0, 100, 100), nDirection)) << nDirection;
    }
    EXPECT_EQ("S(h)[G(2*),C,G()]", Narrow(Dump())) << "nothing was docked at the top";
    EXPECT_EQ(nullptr, Manager().FindPane(9));
}
