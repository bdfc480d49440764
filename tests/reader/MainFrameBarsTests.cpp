// The main frame as a book sets it up: the "Standard" tool bar with the buttons the book
// shows, its tools and About; Contents and Search tabbed on the left and Attachments at the
// bottom, each pane getting its window when it first shows; the view in what they leave; the
// book's keys through the bars' shortcut manager; the Attachments pane following the items; the
// popups of the bars, the zoom pane and the attachment list, the Search split button; and the
// author's home page, shown only when it is a web address.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "reader/app/AppFolders.h"
#include "reader/app/ShellSeams.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/MainFrame.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/StringPrinter.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/docking/DockingPane.h"
#include "toolkit/foundation/ImageManager.h"

namespace {

// The buttons of tool bar 128 in their order.
const std::vector<int> kStandardButtons = {ID_PAGE_PRINT, ID_PAGE_PRINT_PREVIEW, ID_PAGE_BACK, ID_PAGE_FORWARD,
                                           ID_PAGE_STOP,  ID_PAGE_REFRESH,       ID_HOME,      ID_TEXT_SIZE,
                                           ID_CONTENTS,   ID_SEARCH,             ID_PRIOR,     ID_NEXT,
                                           ID_AUTO_SCROLL};

// A book of four items: Home, "Files" with two attachments, and two items without any.
struct FixtureBook
{
    bookpacker::CBookPacker packer;
    CExeBookDocument settings;
    CExeBookResourceFiles index;
    std::vector<std::wstring> pages;

    FixtureBook()
    {
        for (const wchar_t* title : {L"Home", L"Files", L"Plain", L"Plainer"}) {
            bookpacker::BookNode node;
            node.title = title;
            node.home = pages.empty();
            pages.push_back(readertest::UniqueName(L"bars", L".htm"));
            node.url = L"http://fixture.example/" + pages.back();
            node.files = {{packer.AddPage(std::wstring(L"<html><body>") + title + L"</body></html>"), pages.back()}};
            packer.nodes.push_back(node);
        }
        packer.nodes[1].attachments = {{packer.AddFile(std::vector<BYTE>(1536, 'x')), L"sheet.csv"},
                                       {packer.AddFile(std::vector<BYTE>(10, 'y')), L"notes.txt"}};
    }
    ~FixtureBook()
    {
        for (const std::wstring& page : pages)
            DeleteFileW((GetWorkFolder() + page.c_str()).GetString());
    }
    // Reads the settings as the running reader does; FALSE when the XML does not load.
    bool Read()
    {
        std::wstring xml;
        if (!packer.BuildSettingsXml(xml) || !settings.LoadXML(xml.c_str()) || !settings.ReadDocument())
            return false;
        settings.AssignButtonCommandIds();
        return ReadResourceFiles(settings, index) != FALSE;
    }
    // A frame of 800 x 600 on this book, shown and laid out; with the page view of the running
    // reader when asked, else a plain window in its place.
    CMainFrame* CreateFrame(bool withPageView = false)
    {
        if (!Read())
            return nullptr;
        auto* frame = new CMainFrame; // frames delete themselves with their window
        frame->SetBook(&settings, [this](EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& files) {
            resource = {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())};
            files = &index;
            return TRUE;
        });
        CCreateContext context;
        context.m_pNewViewClass = withPageView ? RUNTIME_CLASS(CFolionyxReaderView) : nullptr;
        if (!frame->Create(nullptr, L"bars frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, nullptr, 0,
                           &context))
            return nullptr;
        if (auto* view = DYNAMIC_DOWNCAST(CFolionyxReaderView, frame->GetDlgItem(AFX_IDW_PANE_FIRST))) {
            view->SetSettings(&settings);
            frame->SetActiveView(view, FALSE);
        } else {
            // The page view's place: the window the frame's layout gives what the bars and panes leave.
            ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame->GetSafeHwnd(),
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), nullptr, nullptr);
        }
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        frame->RecalcLayout();
        testsupport::PumpMessages();
        return frame;
    }
};

std::vector<int> ControlIds(CQorCommandBar* bar)
{
    std::vector<int> ids;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        if (bar->GetControl(i)->GetID() != QOR_ID_TOOLBAR_EXPAND)
            ids.push_back(bar->GetControl(i)->GetID());
    }
    return ids;
}

CRect ScreenRect(HWND hwnd)
{
    CRect rc;
    ::GetWindowRect(hwnd, &rc);
    return rc;
}

CRect ClientOnScreen(HWND hwnd)
{
    CRect rc;
    ::GetClientRect(hwnd, &rc);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

} // namespace

TEST(MainFrameBars, TheStandardBarHoldsTheShownButtonsThenTheToolsThenAbout)
{
    testsupport::TempFolder folder;
    const std::wstring notes = folder.File(L"notes.txt");
    std::ofstream(notes.c_str()) << "not a program";
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\notepad.exe";
    // Windows answers 1 for a file that holds no icons, which is no icon; Wine answers 0. The
    // shell here answers as Windows does.
    SetIconExtractor([&](LPCWSTR path) {
        return path == notes ? reinterpret_cast<HICON>(1) : ::ExtractIconW(::GetModuleHandleW(nullptr), path, 0);
    });

    struct Case
    {
        const char* name;
        std::set<int> hidden;
        bool contentsVisible;
        std::vector<bookpacker::ToolSettings> tools;
    };
    const Case cases[] = {
        {"every button, no tools", {}, true, {}},
        {"Print hidden, a text file and a program", {ID_PAGE_PRINT}, true, {{L"Notes", notes}, {L"Pad", program}}},
        {"no contents", {}, false, {{L"Pad", program}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GetImageManager()->RemoveAll();
        FixtureBook book;
        for (int i = 0; i < 13; ++i)
            book.packer.settings.buttons[i].visible = c.hidden.count(kStandardButtons[i]) == 0;
        book.packer.settings.contentsVisible = c.contentsVisible;
        book.packer.settings.tools = c.tools;
        CMainFrame* frame = book.CreateFrame();
        ASSERT_NE(frame, nullptr);
        CQorToolBar* bar = frame->GetToolBar();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->GetTitle(), CString(L"Standard"));
        EXPECT_EQ(frame->GetCommandBars()->GetToolBar(0), bar);
        EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);
        // The only bar cannot be hidden through the tool-bars list.
        EXPECT_FALSE(IsToolBarListed(bar));

        std::vector<int> expected;
        for (int id : kStandardButtons) {
            if (!c.hidden.count(id) && (c.contentsVisible || id != ID_CONTENTS))
                expected.push_back(id);
        }
        for (size_t i = 0; i < c.tools.size(); ++i)
            expected.push_back(int(EXEBOOK_FIRST_TOOL_COMMAND + i));
        expected.push_back(ID_ABOUT_EBOOK);
        EXPECT_EQ(ControlIds(bar), expected);

        CQorControls* controls = bar->GetControls();
        // The tools begin a group, and About one of its own.
        if (!c.tools.empty()) {
            EXPECT_TRUE(controls->FindControl(EXEBOOK_FIRST_TOOL_COMMAND)->GetBeginGroup());
            EXPECT_EQ(controls->FindControl(EXEBOOK_FIRST_TOOL_COMMAND)->GetCaption(), CString(c.tools[0].name.c_str()));
        }
        if (c.tools.size() > 1) {
            EXPECT_FALSE(controls->FindControl(EXEBOOK_FIRST_TOOL_COMMAND + 1)->GetBeginGroup());
        }
        EXPECT_TRUE(controls->FindControl(ID_ABOUT_EBOOK)->GetBeginGroup());
        EXPECT_TRUE(GetImageManager()->HasIcon(ID_ABOUT_EBOOK));
        // A text file gives no icon (the system answers 1 for it); its button stays without one.
        for (size_t i = 0; i < c.tools.size(); ++i)
            EXPECT_EQ(GetImageManager()->HasIcon(UINT(EXEBOOK_FIRST_TOOL_COMMAND + i)) != FALSE,
                      c.tools[i].fileName == program)
                << i;

        // Text size opens its menu; Search runs itself and opens its menu from the arrow.
        CQorControl* textSize = controls->FindControl(ID_TEXT_SIZE);
        ASSERT_NE(textSize, nullptr);
        EXPECT_EQ(textSize->GetType(), int(qorControlPopup));
        EXPECT_EQ(textSize->GetStyle(), int(qorButtonIcon));
        ASSERT_NE(textSize->GetCommandBar(), nullptr);
        EXPECT_EQ(ControlIds(textSize->GetCommandBar()), (std::vector<int>{ID_TEXT_LARGEST, ID_TEXT_LARGER,
                                                                           ID_TEXT_MEDIUM, ID_TEXT_SMALLER,
                                                                           ID_TEXT_SMALLEST}));
        CQorControl* search = controls->FindControl(ID_SEARCH);
        ASSERT_NE(search, nullptr);
        EXPECT_EQ(search->GetType(), int(qorControlSplitButtonPopup));
        EXPECT_EQ(search->GetStyle(), int(qorButtonIcon));
        ASSERT_NE(search->GetCommandBar(), nullptr);
        EXPECT_EQ(ControlIds(search->GetCommandBar()), (std::vector<int>{ID_SEARCH, ID_FIND_ON_PAGE}));
        EXPECT_TRUE(search->GetCommandBar()->GetControl(1)->GetBeginGroup());

        // Without contents the Contents pane is closed for good: its command does nothing.
        CQorDockingPane* contents = frame->GetDockingPaneManager().FindPane(READER_PANE_CONTENTS);
        ASSERT_NE(contents, nullptr);
        EXPECT_EQ(contents->IsClosed() != FALSE, !c.contentsVisible);
        frame->SendMessage(WM_COMMAND, ID_CONTENTS);
        EXPECT_EQ(contents->IsClosed() != FALSE, !c.contentsVisible);
        frame->DestroyWindow();
    }
    SetIconExtractor(nullptr);
}

TEST(MainFrameBars, ContentsAndSearchShareTheLeftGroupAndTheViewTakesTheRest)
{
    FixtureBook book;
    book.packer.settings.contentsWidth = 200;
    CMainFrame* frame = book.CreateFrame();
    ASSERT_NE(frame, nullptr);
    CQorDockingPaneManager& panes = frame->GetDockingPaneManager();
    CQorDockingPane* contents = panes.FindPane(READER_PANE_CONTENTS);
    CQorDockingPane* search = panes.FindPane(READER_PANE_SEARCH);
    CQorDockingPane* attachments = panes.FindPane(READER_PANE_ATTACHMENTS);
    ASSERT_TRUE(contents && search && attachments);
    EXPECT_FALSE(contents->IsClosed());
    EXPECT_TRUE(search->IsClosed());
    EXPECT_TRUE(attachments->IsClosed());
    // Each pane is captioned with the string of its id.
    EXPECT_EQ(contents->GetTitle(), CString(L"Contents"));
    EXPECT_EQ(search->GetTitle(), CString(L"Search"));
    EXPECT_EQ(attachments->GetTitle(), CString(L"Attachments"));

    // The tree moved into the Contents group, 200 wide, below the tool bar and left of the view.
    const HWND tree = frame->GetContentsTree().GetSafeHwnd();
    const HWND group = ::GetParent(tree);
    ASSERT_NE(group, frame->GetSafeHwnd());
    EXPECT_EQ(contents->GetChild(), tree);
    const CRect client = ClientOnScreen(frame->GetSafeHwnd());
    const CRect bar = ScreenRect(frame->GetToolBar()->GetSafeHwnd());
    const CRect status = ScreenRect(frame->GetStatusBar().GetSafeHwnd());
    const CRect left = ScreenRect(group);
    const HWND viewWnd = ::GetDlgItem(frame->GetSafeHwnd(), AFX_IDW_PANE_FIRST);
    const CRect view = ScreenRect(viewWnd);
    EXPECT_EQ(bar.top, client.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(left.left, client.left);
    EXPECT_GE(left.top, bar.bottom);
    EXPECT_EQ(200, left.Width());
    EXPECT_TRUE(::IsWindowVisible(tree));
    EXPECT_GE(view.left, left.right);
    EXPECT_GE(view.top, bar.bottom);
    EXPECT_LE(view.bottom, status.top);
    EXPECT_LE(view.right, client.right);
    EXPECT_GT(view.Width(), 400);

    // The search pane is made at once but placed only when it shows: in the same group,
    // over the tree, with a tab row for the two.
    EXPECT_EQ(::GetParent(frame->GetSearchPane().GetSafeHwnd()), frame->GetSafeHwnd());
    frame->SendMessage(WM_COMMAND, ID_SEARCH);
    testsupport::PumpMessages();
    EXPECT_TRUE(frame->IsSearchShown());
    EXPECT_EQ(search->GetContainer(), contents->GetContainer());
    EXPECT_EQ(search->GetChild(), frame->GetSearchPane().GetSafeHwnd());
    EXPECT_EQ(::GetParent(frame->GetSearchPane().GetSafeHwnd()), group);
    EXPECT_TRUE(frame->GetSearchPane().IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(tree));
    EXPECT_EQ(::GetFocus(), frame->GetSearchPane().GetKeywordEdit().GetSafeHwnd());
    const CRect searchRect = ScreenRect(frame->GetSearchPane().GetSafeHwnd());
    EXPECT_GT(left.bottom - searchRect.bottom, 10) << "a tab row below the pane";

    frame->SendMessage(WM_COMMAND, ID_CONTENTS);
    testsupport::PumpMessages();
    EXPECT_FALSE(frame->IsSearchShown());
    EXPECT_TRUE(::IsWindowVisible(tree));
    EXPECT_FALSE(frame->GetSearchPane().IsWindowVisible());
    frame->DestroyWindow();
}

namespace {

// Counts the close questions the docking panes ask the frame.
HHOOK g_hook = nullptr;
HWND g_hookFrame = nullptr;
int g_closeQuestions = 0;

LRESULT CALLBACK CountCloseQuestions(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == g_hookFrame && message->message == WM_QOR_DOCKINGPANE_NOTIFY &&
        message->wParam == qorDpnClosePane)
        ++g_closeQuestions;
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

TEST(MainFrameBars, AttachmentsShowAlongTheBottomAndCloseOnceForItemsWithout)
{
    FixtureBook book;
    CMainFrame* frame = book.CreateFrame();
    ASSERT_NE(frame, nullptr);
    CExeBookTreeCtrl& tree = frame->GetContentsTree();
    const HTREEITEM home = tree.GetRootItem();
    const HTREEITEM files = tree.GetNextSiblingItem(home);
    const HTREEITEM plain = tree.GetNextSiblingItem(files);
    const HTREEITEM plainer = tree.GetNextSiblingItem(plain);
    ASSERT_NE(plainer, nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), home); // the Home command ran at start
    EXPECT_FALSE(frame->AreAttachmentsShown());

    frame->SelectTreeItem(files, nullptr);
    frame->RecalcLayout();
    testsupport::PumpMessages();
    ASSERT_TRUE(frame->AreAttachmentsShown());
    CExeBookAttachmentsListCtrl& list = frame->GetAttachmentsList();
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_NE(::GetParent(list.GetSafeHwnd()), frame->GetSafeHwnd());
    const CRect client = ClientOnScreen(frame->GetSafeHwnd());
    const CRect status = ScreenRect(frame->GetStatusBar().GetSafeHwnd());
    const CRect bottom = ScreenRect(::GetParent(list.GetSafeHwnd()));
    const CRect view = ScreenRect(::GetDlgItem(frame->GetSafeHwnd(), AFX_IDW_PANE_FIRST));
    EXPECT_EQ(bottom.left, client.left);
    EXPECT_EQ(bottom.right, client.right);
    EXPECT_EQ(bottom.bottom, status.top);
    EXPECT_EQ(100, bottom.Height());
    EXPECT_LE(view.bottom, bottom.top);

    g_hookFrame = frame->GetSafeHwnd();
    g_closeQuestions = 0;
    g_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, CountCloseQuestions, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    frame->SelectTreeItem(plain, nullptr);
    EXPECT_FALSE(frame->AreAttachmentsShown());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(1, g_closeQuestions);
    // Closed already: nothing is asked and nothing changes.
    const CString layout = frame->GetDockingPaneManager().DumpLayout();
    frame->SelectTreeItem(plainer, nullptr);
    EXPECT_EQ(1, g_closeQuestions);
    EXPECT_FALSE(frame->AreAttachmentsShown());
    EXPECT_EQ(frame->GetDockingPaneManager().DumpLayout(), layout);
    ::UnhookWindowsHookEx(g_hook);
    frame->DestroyWindow();
}

TEST(MainFrameBars, TheBooksKeysGoThroughTheShortcutManager)
{
    FixtureBook book;
    book.packer.settings.buttons[11].accel = L"ctrl+DOWN"; // Next
    CMainFrame* frame = book.CreateFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_hAccelTable, nullptr);
    CQorShortcutManager* shortcuts = frame->GetCommandBars()->GetShortcutManager();
    HACCEL table = shortcuts->GetAcceleratorTable();
    ASSERT_NE(table, nullptr);
    ACCEL entries[16] = {};
    ASSERT_EQ(2, ::CopyAcceleratorTableW(table, entries, 16));
    EXPECT_EQ(entries[0].key, VK_F3);
    EXPECT_EQ(entries[0].cmd, ID_LOCATE_KEYWORDS);
    EXPECT_EQ(entries[1].key, VK_DOWN);
    EXPECT_EQ(entries[1].fVirt, BYTE(FVIRTKEY | FCONTROL));
    EXPECT_EQ(entries[1].cmd, ID_NEXT);
    CString shortcut;
    EXPECT_TRUE(shortcuts->FindDefaultAccelerator(ID_NEXT, shortcut));
    EXPECT_FALSE(shortcut.IsEmpty());

    // Ctrl+Down offered to the frame moves to the next item; Down alone does not.
    CExeBookTreeCtrl& tree = frame->GetContentsTree();
    const HTREEITEM home = tree.GetRootItem();
    ASSERT_EQ(tree.GetSelectedItem(), home);
    BYTE saved[256], keys[256];
    ::GetKeyboardState(saved);
    ::memcpy(keys, saved, sizeof(keys));
    MSG msg = {frame->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 1};
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_FALSE(frame->PreTranslateMessage(&msg));
    EXPECT_EQ(tree.GetSelectedItem(), home);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(frame->PreTranslateMessage(&msg));
    ::SetKeyboardState(saved);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetNextSiblingItem(home));
    frame->DestroyWindow();
}

TEST(MainFrameBars, TheBarsButtonsFollowTheUpdateHandlers)
{
    FixtureBook book;
    CMainFrame* frame = book.CreateFrame();
    ASSERT_NE(frame, nullptr);
    CQorToolBar* bar = frame->GetToolBar();
    ASSERT_NE(bar, nullptr);
    CQorControls* controls = bar->GetControls();
    CExeBookTreeCtrl& tree = frame->GetContentsTree();
    HTREEITEM last = tree.GetRootItem();
    while (tree.GetNextSiblingItem(last))
        last = tree.GetNextSiblingItem(last);

    // At the Home item: nothing before it, something after it.
    bar->OnUpdateCmdUI();
    EXPECT_FALSE(controls->FindControl(ID_PRIOR)->GetEnabled());
    EXPECT_TRUE(controls->FindControl(ID_NEXT)->GetEnabled());
    EXPECT_FALSE(controls->FindControl(ID_AUTO_SCROLL)->GetChecked());

    frame->SelectTreeItem(last, nullptr);
    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    bar->OnUpdateCmdUI();
    EXPECT_TRUE(controls->FindControl(ID_PRIOR)->GetEnabled());
    EXPECT_FALSE(controls->FindControl(ID_NEXT)->GetEnabled());
    EXPECT_TRUE(controls->FindControl(ID_AUTO_SCROLL)->GetChecked());
    frame->SendMessage(WM_COMMAND, ID_AUTO_SCROLL);
    frame->DestroyWindow();
}

namespace {

// The ids of a bar's controls that show a tick.
std::vector<int> CheckedIds(CQorCommandBar* bar)
{
    std::vector<int> ids;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        if (bar->GetControl(i)->GetChecked())
            ids.push_back(bar->GetControl(i)->GetID());
    }
    return ids;
}

// What a popup run on the frame's own loop showed, read from inside that loop, after which
// it chose one of its commands (or closed when it has none of that id).
struct TrackedPopup
{
    CRect rect;
    std::vector<int> ids;
    std::vector<int> checked;
    CString windowClass;
};

void ChooseFromTheNextPopup(TrackedPopup& seen, int chosenId)
{
    cbtest::RunLater(300, [&seen, chosenId] {
        CQorCommandBar* popup = cbtest::InnermostTrackedBar();
        if (popup == nullptr)
            return;
        popup->GetWindowRect(&seen.rect);
        seen.ids = ControlIds(popup);
        seen.checked = CheckedIds(popup);
        wchar_t name[64] = {};
        ::GetClassNameW(popup->GetSafeHwnd(), name, 64);
        seen.windowClass = name;
        if (CQorControl* control = popup->GetControls()->FindControl(chosenId))
            control->OnExecute();
        else
            popup->SetTrackingMode(0);
    });
}

// The frame's page view once it has loaded the Home page; null when it does not.
CFolionyxReaderView* LoadedPageView(CMainFrame* frame)
{
    auto* view = DYNAMIC_DOWNCAST(CFolionyxReaderView, frame->GetActiveView());
    if (view == nullptr ||
        !testsupport::PumpUntil([&] { return !view->GetBusy() && view->GetHtmlDocument() != nullptr; }))
        return nullptr;
    return view;
}

} // namespace

TEST(MainFrameBars, TextSizeTicksTheEnginesLevelWhenItsMenuOpens)
{
    FixtureBook book;
    CMainFrame* frame = book.CreateFrame(true);
    ASSERT_NE(frame, nullptr);
    CFolionyxReaderView* view = LoadedPageView(frame);
    ASSERT_NE(view, nullptr);
    auto* textSize = dynamic_cast<CQorControlPopup*>(frame->GetToolBar()->GetControls()->FindControl(ID_TEXT_SIZE));
    ASSERT_NE(textSize, nullptr);
    // Each level set through the engine, not through the menu's commands.
    for (int level : {0, 3, 4, 1}) {
        SCOPED_TRACE(level);
        VARIANT in;
        ::VariantInit(&in);
        in.vt = VT_I4;
        in.lVal = level;
        view->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr);
        ASSERT_TRUE(textSize->SetPopuped(TRUE));
        EXPECT_EQ(CheckedIds(textSize->GetCommandBar()), (std::vector<int>{int(ID_TEXT_SMALLEST) - level}));
        textSize->SetPopuped(FALSE);
    }
    // And a choice from the menu reaches the engine.
    frame->SendMessage(WM_COMMAND, ID_TEXT_LARGER);
    EXPECT_EQ(view->GetTextSize(), 3);
    frame->DestroyWindow();
}

TEST(MainFrameBars, TheZoomMenuHangsFromThePanesRightEdgeAndItsChoiceZooms)
{
    FixtureBook book;
    CMainFrame* frame = book.CreateFrame(true);
    ASSERT_NE(frame, nullptr);
    CFolionyxReaderView* view = LoadedPageView(frame);
    ASSERT_NE(view, nullptr);
    const HWND pane = frame->GetZoomPane().GetSafeHwnd();
    ASSERT_NE(pane, nullptr) << "the page engine zooms: the zoom pane is there";
    ASSERT_EQ(view->GetZoom(), 100);

    TrackedPopup seen;
    ChooseFromTheNextPopup(seen, ID_ZOOM_200);
    frame->SendMessage(WM_QOR_PANE_RIGHT_CLICKED, 0, reinterpret_cast<LPARAM>(pane));
    EXPECT_EQ(seen.windowClass.Left(11), CString(L"QorPopupBar"));
    EXPECT_EQ(seen.rect.right, ScreenRect(pane).right);
    EXPECT_EQ(seen.ids, (std::vector<int>{ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_400, ID_ZOOM_200, ID_ZOOM_150,
                                          ID_ZOOM_125, ID_ZOOM_100, ID_ZOOM_75, ID_ZOOM_50, ID_ZOOM_CUSTOM}));
    // The view's own ticks reach the popup through the frame.
    EXPECT_EQ(seen.checked, (std::vector<int>{ID_ZOOM_100}));
    EXPECT_EQ(view->GetZoom(), 200);
    EXPECT_FALSE(GetMouseManager()->IsTrackingPopup());
    frame->DestroyWindow();
}

TEST(MainFrameBars, TheAttachmentsMenuOpensAtThePointerOrTheRowAndItsCommandsReachTheFrame)
{
    FixtureBook book;
    CMainFrame* frame = book.CreateFrame();
    ASSERT_NE(frame, nullptr);
    CExeBookTreeCtrl& tree = frame->GetContentsTree();
    frame->SelectTreeItem(tree.GetNextSiblingItem(tree.GetRootItem()), nullptr); // "Files"
    frame->RecalcLayout();
    testsupport::PumpMessages();
    CExeBookAttachmentsListCtrl& list = frame->GetAttachmentsList();
    ASSERT_EQ(2, list.GetItemCount());
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    CRect row;
    ASSERT_TRUE(list.GetItemRect(1, &row, LVIR_LABEL));
    list.ClientToScreen(&row);
    const CRect rcList = ScreenRect(list.GetSafeHwnd());

    struct Case
    {
        const char* name;
        CPoint point;     // of WM_CONTEXTMENU
        CPoint expected;  // the popup's top-left corner
        int chosen;
        DWORD view;       // the list's view after the choice
    } cases[] = {
        {"pointer", CPoint(rcList.left + 30, rcList.top + 10), CPoint(rcList.left + 30, rcList.top + 10),
         ID_ATTACHMENT_ICONS, LVS_ICON},
        {"keyboard", CPoint(-1, -1), CPoint(row.left, row.bottom), ID_ATTACHMENT_DETAILS, LVS_REPORT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrackedPopup seen;
        ChooseFromTheNextPopup(seen, c.chosen);
        list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.GetSafeHwnd()), MAKELPARAM(c.point.x, c.point.y));
        EXPECT_EQ(seen.windowClass.Left(11), CString(L"QorPopupBar"));
        EXPECT_EQ(seen.ids, (std::vector<int>{ID_ATTACHMENT_OPEN, ID_ATTACHMENT_SAVE, ID_ATTACHMENT_SAVE_ALL,
                                              ID_ATTACHMENT_DETAILS, ID_ATTACHMENT_ICONS}));
        EXPECT_EQ(seen.rect.left, c.expected.x);
        EXPECT_EQ(seen.rect.top, c.expected.y);
        EXPECT_EQ(list.GetStyle() & LVS_TYPEMASK, c.view);
    }
    frame->DestroyWindow();
}

TEST(MainFrameBars, SearchRunsOnItsButtonPartAndOpensItsMenuOnTheArrow)
{
    FixtureBook book;
    CMainFrame* frame = book.CreateFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(cbtest::BringToFront(frame->GetSafeHwnd()));
    auto* search = dynamic_cast<CQorControlPopup*>(frame->GetToolBar()->GetControls()->FindControl(ID_SEARCH));
    ASSERT_NE(search, nullptr);
    const CRect rc = search->GetRect();
    const HWND bar = frame->GetToolBar()->GetSafeHwnd();

    ASSERT_FALSE(frame->IsSearchShown());
    cbtest::SendClick(cbtest::ScreenPoint(bar, rc.left + 4, rc.CenterPoint().y));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return frame->IsSearchShown() != FALSE; }, 3000));
    EXPECT_FALSE(search->IsPopupOpen());

    cbtest::SendClick(cbtest::ScreenPoint(bar, rc.right - 3, rc.CenterPoint().y));
    CQorCommandBar* popup = search->GetCommandBar();
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] { return popup->GetSafeHwnd() && ::IsWindowVisible(popup->GetSafeHwnd()); }, 3000));
    EXPECT_EQ(ControlIds(popup), (std::vector<int>{ID_SEARCH, ID_FIND_ON_PAGE}));
    cbtest::SendKey(VK_ESCAPE);
    cbtest::SendKey(VK_ESCAPE, true);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return popup->GetSafeHwnd() == nullptr; }, 3000));
    frame->DestroyWindow();
}

// Without an item to show, Home (and About e-Book without the author's text) show the author's
// home page: a web address or a book link, never a file of this computer named by the book.
TEST(MainFrameBars, TheAuthorsHomePageShowsOnlyWhenItIsAWebAddress)
{
    FixtureBook book;
    book.packer.nodes.clear();
    testsupport::TempFolder folder;
    const std::wstring program = folder.File(L"hx.exe");
    {
        std::ofstream out(program.c_str(), std::ios::binary);
        out << "MZ<html><body>the bytes of a program</body></html>";
    }
    std::wstring programUrl = L"file:///" + program;
    std::replace(programUrl.begin(), programUrl.end(), L'\\', L'/');
    CMainFrame* frame = book.CreateFrame(true);
    ASSERT_NE(frame, nullptr);
    CFolionyxReaderView* view = LoadedPageView(frame);
    ASSERT_NE(view, nullptr);

    struct Case
    {
        const char* name;
        std::wstring homePage;
        bool shown;
    };
    const Case cases[] = {
        {"a program by its path", program, false},
        {"a file address", programUrl, false},
        {"a share", L"\\\\server\\share\\hx.exe", false},
        {"a name beside the reader", L"hx.exe", false},
        {"another scheme", L"res://hx.exe/1", false},
        {"a web address", L"http://author.example/", true},
        {"a secure one in capitals", L"HTTPS://author.example/home", true},
    };
    for (UINT command : {UINT(ID_HOME), UINT(ID_ABOUT_EBOOK)}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (command == ID_HOME ? " by Home" : " by About e-Book"));
            view->Navigate2(L"about:blank");
            ASSERT_TRUE(testsupport::PumpUntil(
                [&] { return !view->GetBusy() && view->GetLocationURL() == CString(L"about:blank"); }));
            book.settings.m_strAuthorHomePage = c.homePage.c_str();
            frame->SendMessage(WM_COMMAND, command);
            ASSERT_TRUE(testsupport::PumpUntil([&] { return !view->GetBusy(); }));
            testsupport::PumpMessages();
            if (c.shown)
                EXPECT_EQ(0, view->GetLocationURL().CompareNoCase(c.homePage.c_str())) << view->GetLocationURL();
            else
                EXPECT_EQ(CString(L"about:blank"), view->GetLocationURL());
        }
    }
    frame->DestroyWindow();
}

// A tool whose name is a megabyte long keeps the bar usable: its button shows the start of the
// name, every other button and About stay on the bar, and the tip holds the whole name.
TEST(MainFrameBars, AToolWithAHugeNameLeavesTheOtherButtonsOnTheBar)
{
    testsupport::TempFolder folder;
    const std::wstring notes = folder.File(L"notes.txt");
    std::ofstream(notes.c_str()) << "not a program";
    SetIconExtractor([](LPCWSTR) { return reinterpret_cast<HICON>(1); }); // no icon: the caption shows
    const std::wstring huge(1 << 20, L'n');
    FixtureBook book;
    book.packer.settings.tools = {{huge, notes}, {L"Pad", notes}};
    CMainFrame* frame = book.CreateFrame();
    SetIconExtractor(nullptr);
    ASSERT_NE(frame, nullptr);
    CQorToolBar* bar = frame->GetToolBar();
    ASSERT_NE(bar, nullptr);
    frame->RecalcLayout();
    testsupport::PumpMessages();
    CQorControls* controls = bar->GetControls();
    CQorControl* tool = controls->FindControl(EXEBOOK_FIRST_TOOL_COMMAND);
    ASSERT_NE(tool, nullptr);
    EXPECT_LE(tool->GetCaption().GetLength(), 32);
    EXPECT_EQ(tool->GetCaption().Left(10), CString(L"nnnnnnnnnn"));
    EXPECT_EQ(tool->GetTooltip(), CString(huge.c_str()));
    for (int id : {int(ID_HOME), int(ID_AUTO_SCROLL), int(EXEBOOK_FIRST_TOOL_COMMAND),
                   int(EXEBOOK_FIRST_TOOL_COMMAND + 1), int(ID_ABOUT_EBOOK)}) {
        CQorControl* control = controls->FindControl(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(0, control->GetHideFlags() & qorHideWrap) << id << " is behind the chevron";
        EXPECT_LT(control->GetRect().Width(), 400) << id;
    }
    // Short names are shown whole.
    EXPECT_EQ(controls->FindControl(EXEBOOK_FIRST_TOOL_COMMAND + 1)->GetCaption(), CString(L"Pad"));
    frame->DestroyWindow();
}
