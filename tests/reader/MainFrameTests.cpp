// The main frame around the contents tree: choosing an item through the frame (again, too),
// the Home command and the links that resolve against the chosen item.
#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/MainFrame.h"
#include "reader/ui/SearchHighlight.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/StringPrinter.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/PopupBar.h"

namespace {

// Cover, Start (marked Home), End.
const wchar_t kContents[] = L"<FolionyxExeBook><Nodes ChildCount='3'>"
                            L"<Node_0 Title='Cover' URL='http://book.example/cover.htm' FileCount='1'>"
                            L"  <File_0 ID='1' Name='cover.htm'/></Node_0>"
                            L"<Node_1 Title='Start' URL='http://book.example/start.htm' FileCount='1' Home='1'>"
                            L"  <File_0 ID='2' Name='start.htm'/></Node_1>"
                            L"<Node_2 Title='End' URL='http://book.example/end.htm' FileCount='1'>"
                            L"  <File_0 ID='3' Name='end.htm'/></Node_2>"
                            L"</Nodes></FolionyxExeBook>";

// Stands in for the frame's page loading: records the item selected at each change.
struct SelectionRecorder : CExeBookTreeCtrlEventListener
{
    std::vector<HTREEITEM> selections;
    void OnTreeSelectionChanged(CExeBookTreeCtrl* tree) override { selections.push_back(tree->GetSelectedItem()); }
    void OnTreeReserved(CExeBookTreeCtrl*) override {}
};

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new CMainFrame; // frames delete themselves with their window
        ASSERT_TRUE(frame->Create(nullptr, L"contents frame"));
        testsupport::PumpMessages(); // the Home command posted at creation meets an empty tree
        ASSERT_TRUE(settings.LoadXML(kContents));
        ASSERT_TRUE(Tree().Load(settings));
        Tree().SetListener(&recorder);
        cover = Tree().GetRootItem();
        start = Tree().GetNextSiblingItem(cover);
        end = Tree().GetNextSiblingItem(start);
    }
    void TearDown() override
    {
        Tree().SetListener(frame);
        frame->DestroyWindow();
    }
    CExeBookTreeCtrl& Tree() { return frame->GetContentsTree(); }

    CMainFrame* frame = nullptr;
    CExeBookDocument settings;
    SelectionRecorder recorder;
    HTREEITEM cover = nullptr, start = nullptr, end = nullptr;
};

} // namespace

TEST_F(MainFrameTest, ChoosingTheShownItemAgainShowsItsPageAgain)
{
    frame->SelectTreeItem(cover, L"needle");
    EXPECT_EQ(Tree().GetSelectedItem(), cover);
    EXPECT_EQ(frame->GetPendingKeyword(), CString(L"needle"));
    EXPECT_EQ(recorder.selections, std::vector<HTREEITEM>{cover});

    // The selection goes away and comes back, so the page is extracted and shown once more.
    recorder.selections.clear();
    frame->SelectTreeItem(cover, nullptr);
    EXPECT_EQ(recorder.selections, (std::vector<HTREEITEM>{nullptr, cover}));
    EXPECT_TRUE(frame->GetPendingKeyword().IsEmpty());
}

TEST_F(MainFrameTest, HomeShowsTheMarkedItemEachTimeWithoutAKeyword)
{
    frame->SelectTreeItem(end, L"needle");
    recorder.selections.clear();
    frame->SendMessage(WM_COMMAND, ID_HOME);
    EXPECT_EQ(Tree().GetSelectedItem(), start);
    EXPECT_TRUE(frame->GetPendingKeyword().IsEmpty());
    frame->SendMessage(WM_COMMAND, ID_HOME);
    EXPECT_EQ(recorder.selections, (std::vector<HTREEITEM>{start, nullptr, start}));
}

TEST_F(MainFrameTest, BookLinksResolveAgainstTheChosenItem)
{
    EXPECT_EQ(frame->ResolveTreeLink(L"folionyx://next"), nullptr); // nothing chosen yet
    frame->SelectTreeItem(start, nullptr);
    EXPECT_EQ(frame->ResolveTreeLink(L"folionyx://next"), end);
    EXPECT_EQ(frame->ResolveTreeLink(L"trawlmoss://prior"), cover);
    EXPECT_EQ(frame->ResolveTreeLink(L"http://book.example/END.htm"), end);
}

namespace {

// Records what an update handler decides for one command.
struct RecordedState : CCmdUI
{
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL bOn) override
    {
        enabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
};

RecordedState StateOf(CMainFrame* frame, UINT id)
{
    RecordedState state;
    state.m_nID = id;
    state.DoUpdate(frame, FALSE);
    return state;
}

} // namespace

TEST_F(MainFrameTest, NextAndPriorWalkThePagesAndStopAtTheEnds)
{
    EXPECT_EQ(0, StateOf(frame, ID_NEXT).enabled); // nothing chosen
    EXPECT_EQ(0, StateOf(frame, ID_PRIOR).enabled);
    frame->SelectTreeItem(cover, L"needle");
    EXPECT_EQ(0, StateOf(frame, ID_PRIOR).enabled);
    EXPECT_EQ(1, StateOf(frame, ID_NEXT).enabled);
    frame->SendMessage(WM_COMMAND, ID_NEXT);
    EXPECT_EQ(Tree().GetSelectedItem(), start);
    EXPECT_TRUE(frame->GetPendingKeyword().IsEmpty());
    frame->SendMessage(WM_COMMAND, ID_NEXT);
    EXPECT_EQ(Tree().GetSelectedItem(), end);
    EXPECT_EQ(0, StateOf(frame, ID_NEXT).enabled);
    frame->SendMessage(WM_COMMAND, ID_NEXT); // disabled: stays
    EXPECT_EQ(Tree().GetSelectedItem(), end);
    frame->SendMessage(WM_COMMAND, ID_PRIOR);
    EXPECT_EQ(Tree().GetSelectedItem(), start);
}

TEST_F(MainFrameTest, AutoScrollTogglesAndTicks)
{
    EXPECT_EQ(0, StateOf(frame, ID_AUTO_SCROLL).checked);
    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    EXPECT_TRUE(frame->IsAutoScrolling());
    EXPECT_EQ(1, StateOf(frame, ID_AUTO_SCROLL).checked);
    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    EXPECT_FALSE(frame->IsAutoScrolling());
    EXPECT_EQ(0, StateOf(frame, ID_AUTO_SCROLL).checked);
}

TEST_F(MainFrameTest, OnlyTheZoomPanesRightClickTracksTheZoomMenuAtThePanesTopRight)
{
    struct Tracked
    {
        bool popupBar;
        int firstId;
        UINT flags;
        CPoint pt;
    };
    std::vector<Tracked> tracked;
    frame->SetZoomMenuTracker([&](CQorCommandBar* pPopup, UINT nFlags, CPoint pt) {
        tracked.push_back({dynamic_cast<CQorPopupBar*>(pPopup) != nullptr,
                           pPopup->GetControlCount() ? pPopup->GetControl(0)->GetID() : 0, nFlags, pt});
    });
    // This frame has no page view that zooms, so no zoom pane of its own: one is made here.
    CQorStatusBarLabelPane& zoom = frame->GetZoomPane();
    ASSERT_TRUE(zoom.Create(L"", &frame->GetStatusBar(), WS_CHILD | WS_VISIBLE, 0xFFFF));
    zoom.MoveWindow(40, 2, 80, 16);
    CRect rc;
    zoom.GetWindowRect(&rc);

    const HWND ad = frame->GetAdPane().GetSafeHwnd();
    ASSERT_NE(ad, nullptr);
    for (UINT message : {WM_QOR_PANE_CLICKED, WM_QOR_PANE_RIGHT_CLICKED})
        frame->SendMessage(message, 0, reinterpret_cast<LPARAM>(ad));
    frame->SendMessage(WM_QOR_PANE_RIGHT_CLICKED, 0, reinterpret_cast<LPARAM>(zoom.GetSafeHwnd()));
    ASSERT_EQ(tracked.size(), 1u) << "the advertisement pane's clicks open nothing";
    // A popup bar of the menu's items, extending to the left of the pane's top-right corner.
    EXPECT_TRUE(tracked[0].popupBar);
    EXPECT_EQ(tracked[0].firstId, int(ID_ZOOM_IN));
    EXPECT_EQ(tracked[0].flags, UINT(CQorCommandBars::trackRightAlign));
    EXPECT_EQ(tracked[0].pt, CPoint(rc.right, rc.top));
}

TEST(MainFrameAutoScroll, ATallPageMovesWhileOnStopsWhenOffAndStaysAtItsEnd)
{
    CMainFrame* frame = new CMainFrame; // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, L"auto scroll frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 500)));
    testsupport::PumpMessages();
    CExeBookDocument settings;
    CFolionyxReaderView* view = new CFolionyxReaderView; // deletes itself with its window
    view->SetSettings(&settings);
    view->SetNavigationHost(frame);
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), frame,
                             AFX_IDW_PANE_FIRST));
    frame->SetActiveView(view);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();

    testsupport::TempFolder folder;
    const std::wstring page = folder.File(L"tall.htm");
    std::string html = "<html><body>";
    for (int i = 0; i < 200; ++i)
        html += "<p>Line " + std::to_string(i) + " of a page far taller than its window</p>";
    html += "</body></html>";
    testsupport::WriteFileBytes(page, html);
    view->NavigateToPage(L"", page.c_str());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !view->GetBusy() && view->GetHtmlDocument() != nullptr; }));
    testsupport::PumpMessages();
    auto top = [&] { return GetScrollTop(view->GetHtmlDocument()); };
    ASSERT_EQ(0, top());

    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    ASSERT_TRUE(frame->IsAutoScrolling());
    EXPECT_TRUE(testsupport::PumpUntil([&] { return top() >= 6; }, 10000)) << "moves while on";

    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    ASSERT_FALSE(frame->IsAutoScrolling());
    const int stopped = top();
    // Five periods of the timer: a timer left running would have moved the page.
    EXPECT_FALSE(testsupport::PumpUntil([&] { return top() != stopped; }, 500)) << "stops when off";

    // At the end of the page it stays there; the timer runs on for a page that grows.
    ASSERT_TRUE(SetScrollTop(view->GetHtmlDocument(), 1000000));
    const int end = top();
    ASSERT_GT(end, 1000);
    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    EXPECT_FALSE(testsupport::PumpUntil([&] { return top() != end; }, 500)) << "stays at the end";
    EXPECT_TRUE(frame->IsAutoScrolling());
    EXPECT_TRUE(KillTimer(frame->GetSafeHwnd(), 100)) << "the timer still runs";
    frame->DestroyWindow();
}
