// The reader's page view in a real window with the page engine: which navigations it lets the
// engine perform and which go through the contents tree, the anchor and keyword that wait for
// a page, the zoom commands and the custom zoom dialog, and its host site.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <map>
#include <string>
#include <vector>
#include "tests/common/WineTestSupport.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/WinApp.h"
#include "reader/ui/CustomZoomDlg.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/HtmlControlSite.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "reader/ui/ReaderUrl.h"
#include "reader/ui/SearchHighlight.h"
#include "resources/resource.h"

using testsupport::PumpUntil;

namespace readerview {

void WritePage(const std::wstring& path, const std::string& html)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, html.data(), static_cast<DWORD>(html.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(towlower(c));
    return s;
}

// The frame's side: a table of links that name items, and the pages of the items. Selecting an
// item shows its page right away, as the frame does after extracting it; an item without a
// page stands for a page that cannot be extracted.
class FakeFrame : public CReaderNavigationHost
{
public:
    CFolionyxReaderView* view = nullptr;
    std::map<std::wstring, HTREEITEM> links; // lower-case link -> item
    std::map<HTREEITEM, std::wstring> pages; // item -> extracted page
    std::vector<std::wstring> resolved;
    std::vector<HTREEITEM> selected;
    std::vector<std::wstring> paneTexts;

    HTREEITEM ResolveTreeLink(LPCTSTR url) override
    {
        resolved.push_back(url);
        auto it = links.find(Lower(url));
        return it == links.end() ? nullptr : it->second;
    }
    void SelectTreeItem(HTREEITEM item, LPCTSTR keyword) override
    {
        selected.push_back(item);
        auto it = pages.find(item);
        if (it != pages.end() && view)
            view->NavigateToPage(keyword, it->second.c_str());
    }
    void SetZoomPaneText(LPCTSTR text) override { paneTexts.push_back(text); }
};

class CHostWnd : public CWnd
{
public:
    BOOL CreateTopLevel()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"reader view host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 520,
                        420, nullptr, nullptr);
    }
};

HTREEITEM Item(int n)
{
    return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(n));
}

// A view in a window, with its frame and settings supplied by the test.
class ReaderView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateTopLevel());
        view = new CFolionyxReaderView; // deletes itself with its window
        view->SetSettings(&settings);
        view->SetNavigationHost(&frame);
        frame.view = view;
        ASSERT_TRUE(
            view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &host, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override { host.DestroyWindow(); }

    std::wstring Page(const std::wstring& name, const std::string& html)
    {
        std::wstring path = folder.File(name);
        WritePage(path, html);
        return path;
    }
    // Shows a page and waits until it has completed loading.
    void Show(const std::wstring& path, const std::wstring& keyword = L"")
    {
        view->NavigateToPage(keyword.c_str(), path.c_str());
        ASSERT_TRUE(PumpUntil([&] { return !view->GetBusy() && view->GetHtmlDocument() != nullptr; }));
        testsupport::PumpMessages();
    }
    bool Cancels(const std::wstring& url)
    {
        CByteArray post;
        BOOL cancel = FALSE;
        view->OnBeforeNavigate2(url.c_str(), 0, L"", post, L"", &cancel);
        return cancel != FALSE;
    }
    void Click(const fxb::HtmlElement& element)
    {
        LPARAM at = MAKELPARAM(element.offsetLeft() + 2, GetAbsoluteTop(element) + 2);
        ::SendMessageW(view->GetBrowser().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(view->GetBrowser().Handle(), WM_LBUTTONUP, 0, at);
    }
    std::wstring Location() { return std::wstring(static_cast<LPCWSTR>(view->GetLocationURL())); }
    std::vector<fxb::HtmlElement> Hits()
    {
        std::vector<fxb::HtmlElement> hits;
        for (const fxb::HtmlElement& span : view->GetHtmlDocument()->getElementsByTagName(L"SPAN"))
            if (span.id() == L"fxsearchresult")
                hits.push_back(span);
        return hits;
    }

    testsupport::TempFolder folder;
    CExeBookDocument settings;
    FakeFrame frame;
    CHostWnd host;
    CFolionyxReaderView* view = nullptr;
};

} // namespace readerview

using namespace readerview;

TEST_F(ReaderView, NavigationRulesDecideWhatTheEngineLoadsItself)
{
    std::wstring a = Page(L"a.htm", "<p id=sec2>page a</p>");
    CreateDirectoryW(folder.File(L"a_files").c_str(), nullptr);
    Page(L"a_files\\img.gif", "GIF89a");
    std::wstring c = Page(L"c.htm", "<p>page c, not in the contents</p>");
    std::wstring b = Page(L"b.htm", "<p>page b</p>");
    frame.links[L"http://book.example/b.htm"] = Item(2);
    frame.links[L"folionyx://next"] = Item(2);
    frame.pages[Item(2)] = b;
    Show(a);

    struct Case
    {
        std::wstring url;
        bool cancelled;
        bool asksTree;
        std::vector<HTREEITEM> selects;
    };
    const std::vector<Case> cases = {
        {L"about:blank", false, false, {}},
        {L"ABOUT:home", false, false, {}},
        {a + L"#sec2", false, false, {}},                     // anchor of the same page
        {L"file:///" + a, false, false, {}},                  // the same page as a file URL
        {folder.File(L"a_files\\img.gif"), false, false, {}}, // a file that belongs to the page
        {L"folionyx://next", true, true, {Item(2)}},          // a book link naming an item
        {L"FOLIONYX://NEXT", true, true, {Item(2)}},          // schemes in any letter case
        {L"folionyx://last", true, true, {}},                 // names no item: nothing happens
        {L"trawlmoss://prior", true, true, {}},
        {folder.File(L"missing.htm"), true, true, {}}, // no error page for a missing file
        {L"file:///" + folder.File(L"missing.htm"), true, true, {}},
        {c, false, true, {}},                            // an existing file not in the contents
        {L"http://elsewhere.example/", false, true, {}}, // web addresses go to the engine
        {L"mailto:someone@example.com", false, true, {}},
    };
    for (const Case& test : cases) {
        frame.resolved.clear();
        frame.selected.clear();
        view->NavigateToPage(L"", a.c_str()); // back to page a for each case
        ASSERT_TRUE(PumpUntil([&] { return !view->GetBusy(); }));
        EXPECT_EQ(test.cancelled, Cancels(test.url)) << test.url;
        EXPECT_EQ(test.asksTree, !frame.resolved.empty()) << test.url;
        EXPECT_EQ(test.selects, frame.selected) << test.url;
    }
}

TEST_F(ReaderView, LinkWithAnchorFindsItsItemAndOpensThePageAtTheAnchor)
{
    std::wstring a = Page(L"a.htm", "<p><a id=link href='http://book.example/b.htm#sec2'>to b</a></p>");
    std::string tall =
        "<div style='height:2000px'>top of b</div><p id=sec2>section 2</p><div style='height:2000px'></div>";
    std::wstring b = Page(L"b.htm", tall);
    frame.links[L"http://book.example/b.htm"] = Item(2);
    frame.pages[Item(2)] = b;
    Show(a);

    // A click on the link.
    fxb::HtmlElement link = view->GetHtmlDocument()->getElementById(L"link");
    ASSERT_TRUE(link);
    Click(link);
    ASSERT_TRUE(PumpUntil([&] { return Lower(Location()).find(L"b.htm") != std::wstring::npos && !view->GetBusy(); }));
    // No item names the section, so the page's own item is asked for next.
    EXPECT_EQ((std::vector<std::wstring>{L"http://book.example/b.htm#sec2", L"http://book.example/b.htm"}),
              frame.resolved);
    EXPECT_EQ(std::vector<HTREEITEM>{Item(2)}, frame.selected);
    EXPECT_EQ(b + L"#sec2", Location());
    EXPECT_GT(view->GetBrowser().ScrollTop(), 1000); // opened at its anchor
    EXPECT_TRUE(view->GetPendingAnchor().IsEmpty());
}

TEST_F(ReaderView, LinkToASectionChoosesTheItemOfThatSection)
{
    std::string tall = "<div style='height:2000px'>intro</div><p id=a>section a</p><div style='height:2000px'></div>";
    std::wstring intro = Page(L"intro.htm", tall);
    std::wstring start = Page(L"start.htm", "<p><a id=link href='http://book.example/intro.htm#a'>to a</a></p>");
    frame.links[L"http://book.example/intro.htm"] = Item(1);   // "Intro"
    frame.links[L"http://book.example/intro.htm#a"] = Item(2); // "Intro A"
    frame.pages[Item(1)] = intro;
    frame.pages[Item(2)] = intro;
    Show(start);

    Click(view->GetHtmlDocument()->getElementById(L"link"));
    ASSERT_TRUE(
        PumpUntil([&] { return Lower(Location()).find(L"intro.htm") != std::wstring::npos && !view->GetBusy(); }));
    EXPECT_EQ(std::vector<HTREEITEM>{Item(2)}, frame.selected);
    EXPECT_EQ(intro + L"#a", Location());
    EXPECT_GT(view->GetBrowser().ScrollTop(), 1000); // the page still opens at the anchor
}

TEST_F(ReaderView, ClickedBookLinkShowsTheItemItNames)
{
    std::wstring a = Page(L"a.htm", "<p><a id=next href='folionyx://next'>next page</a> "
                                    "<a id=last href='folionyx://last'>last page</a></p>");
    std::wstring b = Page(L"b.htm", "<p>page b</p>");
    frame.links[L"folionyx://next"] = Item(2);
    frame.pages[Item(2)] = b;
    Show(a);

    Click(view->GetHtmlDocument()->getElementById(L"last")); // names no item: nothing happens
    testsupport::PumpMessages();
    EXPECT_EQ(a, Location());
    EXPECT_TRUE(frame.selected.empty());

    Click(view->GetHtmlDocument()->getElementById(L"next"));
    ASSERT_TRUE(PumpUntil([&] { return Location() == b && !view->GetBusy(); }));
    EXPECT_EQ(std::vector<HTREEITEM>{Item(2)}, frame.selected);
}

TEST_F(ReaderView, ItemWhoseAddressIsItsOwnPageIsShownOnce)
{
    std::wstring a = Page(L"a.htm", "<p>page a</p>");
    std::wstring b = Page(L"b.htm", "<p>page b</p>");
    frame.links[Lower(b)] = Item(2); // the item's address is the extracted page itself
    frame.pages[Item(2)] = b;
    Show(a);

    EXPECT_TRUE(Cancels(b + L"#top"));
    ASSERT_TRUE(PumpUntil([&] { return Location() == b + L"#top" && !view->GetBusy(); }));
    EXPECT_EQ(std::vector<HTREEITEM>{Item(2)}, frame.selected);
}

TEST_F(ReaderView, AnchorOfALinkWhosePageCannotBeShownDoesNotWaitForALaterPage)
{
    std::wstring a = Page(L"a.htm", "<p>page a</p>");
    std::wstring later = Page(L"later.htm", "<p id=x>later page</p>");
    frame.links[L"http://book.example/broken.htm"] = Item(3); // its page cannot be extracted
    Show(a);

    EXPECT_TRUE(Cancels(L"http://book.example/broken.htm#x"));
    EXPECT_EQ(std::vector<HTREEITEM>{Item(3)}, frame.selected);
    EXPECT_TRUE(view->GetPendingAnchor().IsEmpty());
    Show(later);
    EXPECT_EQ(later, Location());
}

TEST_F(ReaderView, KeywordIsHighlightedWhenItsPageHasCompleted)
{
    std::wstring a = Page(L"a.htm", "<p>first page</p>");
    std::wstring b = Page(L"b.htm", "<p>Reading a Book: the book is read.</p>");
    Show(a);

    view->NavigateToPage(L"book", b.c_str());
    EXPECT_EQ(CString(L"book"), view->GetPendingKeyword());
    // A frame of another document completes first: the keyword waits.
    view->OnDocumentComplete(folder.File(L"frame.htm").c_str());
    EXPECT_EQ(CString(L"book"), view->GetPendingKeyword());
    EXPECT_TRUE(Hits().empty());

    ASSERT_TRUE(PumpUntil([&] { return Location() == b && !view->GetBusy(); }));
    EXPECT_TRUE(view->GetPendingKeyword().IsEmpty());
    std::vector<fxb::HtmlElement> hits = Hits();
    ASSERT_EQ(2u, hits.size());
    EXPECT_EQ(L"Book", hits[0].innerText());
    EXPECT_EQ(L"book", hits[1].innerText());

    // The next page without a keyword gets no hits.
    Show(a);
    EXPECT_TRUE(Hits().empty());

    // A page that cannot be shown does not leave its keyword to the next page.
    view->NavigateToPage(L"book", folder.File(L"missing.htm").c_str());
    EXPECT_TRUE(view->GetPendingKeyword().IsEmpty());
    view->Navigate2(b.c_str());
    ASSERT_TRUE(PumpUntil([&] { return Location() == b && !view->GetBusy(); }));
    EXPECT_TRUE(Hits().empty());
}

TEST_F(ReaderView, TextSizeFollowsTheBrowserLevelWhateverChangedIt)
{
    Show(Page(L"size.htm", "<p>text</p>"));
    view->SetTextSize(4);
    EXPECT_EQ(4, view->GetTextSize());
    // Changed by other means than the text-size commands.
    VARIANT in;
    VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = 1;
    view->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr);
    EXPECT_EQ(1, view->GetTextSize());
}

TEST_F(ReaderView, ZoomCommandsStepsAndPaneText)
{
    Show(Page(L"a.htm", "<p>zoom me</p>"));
    auto command = [&](UINT id) { view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); };

    const std::vector<std::pair<UINT, int>> presets = {{ID_ZOOM_400, 400}, {ID_ZOOM_200, 200}, {ID_ZOOM_150, 150},
                                                       {ID_ZOOM_125, 125}, {ID_ZOOM_100, 100}, {ID_ZOOM_75, 75},
                                                       {ID_ZOOM_50, 50}};
    for (const auto& preset : presets) {
        command(preset.first);
        EXPECT_EQ(preset.second, view->GetZoom());
        EXPECT_EQ(std::to_wstring(preset.second) + L"%", frame.paneTexts.back());
    }

    // The preset that matches the zoom is ticked.
    struct CheckRecorder : CCmdUI
    {
        int check = -1;
        void SetCheck(int nCheck) override { check = nCheck; }
    };
    view->SetZoom(150);
    for (const auto& preset : presets) {
        CheckRecorder ui;
        ui.m_nID = preset.first;
        EXPECT_TRUE(view->OnCmdMsg(preset.first, CN_UPDATE_COMMAND_UI, &ui, nullptr));
        EXPECT_EQ(preset.second == 150 ? 1 : 0, ui.check) << preset.second;
    }

    // Zoom out stops at 10; zoom in has no upper bound of its own.
    struct Step
    {
        int from;
        UINT id;
        int to;
    };
    const std::vector<Step> steps = {{25, ID_ZOOM_OUT, 15},  {15, ID_ZOOM_OUT, 10}, {10, ID_ZOOM_OUT, 10},
                                     {100, ID_ZOOM_OUT, 90}, {10, ID_ZOOM_IN, 20},  {1000, ID_ZOOM_IN, 1010}};
    for (const Step& step : steps) {
        view->SetZoom(step.from);
        command(step.id);
        EXPECT_EQ(step.to, view->GetZoom()) << step.from;
    }

    // A click on the zoom pane cycles through 100, 125 and 150 percent.
    const std::vector<std::pair<int, int>> cycle = {{50, 100},  {90, 100},  {100, 125}, {124, 125},
                                                    {125, 150}, {149, 150}, {150, 100}, {400, 100}};
    for (const auto& c : cycle) {
        view->SetZoom(c.first);
        view->CycleZoom();
        EXPECT_EQ(c.second, view->GetZoom()) << c.first;
    }

    // Zooming by the engine's own means reaches the pane through the site.
    frame.paneTexts.clear();
    view->GetBrowser().SetOpticalZoom(175);
    ASSERT_FALSE(frame.paneTexts.empty());
    EXPECT_EQ(L"175%", frame.paneTexts.back());
}

TEST_F(ReaderView, PaneTextIsLeftAloneWhenTheZoomCannotBeRead)
{
    // No document yet: the zoom cannot be read.
    EXPECT_EQ(0, view->GetZoom());
    EXPECT_EQ(S_OK, view->OnUpdateUI());
    view->OnZoomChanged(0);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ZOOM_IN, 0), 0);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ZOOM_200, 0), 0);
    view->CycleZoom();
    EXPECT_TRUE(frame.paneTexts.empty());

    Show(Page(L"a.htm", "<p>now there is a page</p>"));
    frame.paneTexts.clear();
    EXPECT_EQ(S_OK, view->OnUpdateUI());
    EXPECT_EQ(std::vector<std::wstring>{L"100%"}, frame.paneTexts);
}

namespace readerview {

// Answers the custom zoom dialog that the view shows modally: types a value and presses OK.
std::wstring g_typedZoom;
bool g_answered = false;

void CALLBACK AnswerZoomDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"Custom Zoom");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(dialog, IDC_ZOOM_EDIT, g_typedZoom.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    g_answered = true;
}

} // namespace readerview

TEST_F(ReaderView, CustomZoomDialogRefusesValuesOutsideItsRange)
{
    CCustomZoomDlg dialog(&host);
    dialog.m_nZoom = 250;
    ASSERT_TRUE(dialog.Create(CCustomZoomDlg::IDD, &host));
    HWND spin = ::GetDlgItem(dialog.m_hWnd, IDC_ZOOM_SPIN);
    ASSERT_NE(nullptr, spin);
    int low = 0, high = 0;
    ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(10, low);
    EXPECT_EQ(1000, high);
    EXPECT_EQ(250, static_cast<int>(::SendMessageW(spin, UDM_GETPOS32, 0, 0)));

    std::vector<std::wstring> messages;
    AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([&](LPCTSTR text, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    struct Entry
    {
        const wchar_t* text;
        bool accepted;
        int value;
    };
    const std::vector<Entry> entries = {{L"5", false, 0},  {L"9", false, 0},      {L"1001", false, 0},
                                        {L"10", true, 10}, {L"1000", true, 1000}, {L"333", true, 333}};
    for (const Entry& entry : entries) {
        messages.clear();
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_ZOOM_EDIT, entry.text);
        EXPECT_EQ(entry.accepted, dialog.UpdateData(TRUE) != FALSE) << entry.text;
        EXPECT_EQ(entry.accepted, messages.empty()) << entry.text;
        if (entry.accepted) {
            EXPECT_EQ(entry.value, dialog.m_nZoom);
        }
    }
    AfxSetMessageBoxHandler(previous);
    dialog.DestroyWindow();
}

TEST_F(ReaderView, CustomZoomCommandSetsTheTypedZoom)
{
    Show(Page(L"a.htm", "<p>zoom me</p>"));
    g_typedZoom = L"300";
    g_answered = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, &AnswerZoomDialog);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ZOOM_CUSTOM, 0), 0);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answered);
    EXPECT_EQ(300, view->GetZoom());
    EXPECT_EQ(L"300%", frame.paneTexts.back());
}

// --- the site ---

TEST_F(ReaderView, SiteTakesHostFlagsAndContextMenuFromTheSettings)
{
    IUnknown* unknown = nullptr;
    ASSERT_TRUE(view->CreateControlSite(&unknown));
    ASSERT_NE(nullptr, unknown);
    IDocHostUIHandler* handler = nullptr;
    ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)));

    struct Flags
    {
        BOOL noSelection;
        DWORD flags;
    };
    for (const Flags& f : {Flags{FALSE, 16}, Flags{TRUE, 17}}) {
        settings.m_bBrowserNoTextSelection = f.noSelection;
        DOCHOSTUIINFO info = {};
        info.dwDoubleClick = 7;
        EXPECT_EQ(S_OK, handler->GetHostInfo(&info));
        EXPECT_EQ(20u, info.cbSize);
        EXPECT_EQ(f.flags, info.dwFlags);
        EXPECT_EQ(0u, info.dwDoubleClick);
    }
    EXPECT_EQ(E_FAIL, view->OnGetHostInfo(nullptr));

    settings.m_bBrowserNoMenu = TRUE;
    EXPECT_EQ(S_OK, handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, nullptr, nullptr, nullptr));
    settings.m_bBrowserNoMenu = FALSE;
    EXPECT_EQ(S_FALSE, handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, nullptr, nullptr, nullptr));
    handler->Release();
    unknown->Release();

    // In the window: no text selection and no menu of the page control.
    settings.m_bBrowserNoTextSelection = TRUE;
    settings.m_bBrowserNoMenu = TRUE;
    Show(Page(L"a.htm", "<p>select me</p>"));
    EXPECT_FALSE(view->GetBrowser().SelectionAllowed());
    ::SendMessageW(view->GetBrowser().Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(20, 20)); // returns: no menu
    settings.m_bBrowserNoTextSelection = FALSE;
    Show(Page(L"b.htm", "<p>select me</p>"));
    EXPECT_TRUE(view->GetBrowser().SelectionAllowed());
}

TEST_F(ReaderView, SiteAnswersCommandsServicesAndItsInterfaces)
{
    IUnknown* unknown = nullptr;
    ASSERT_TRUE(view->CreateControlSite(&unknown));
    ASSERT_NE(nullptr, unknown);
    for (const IID* iid :
         {&IID_IDocHostUIHandler, &IID_IOleCommandTarget, &IID_IQorZoomEvents, &IID_IServiceProvider}) {
        IUnknown* part = nullptr;
        EXPECT_EQ(S_OK, unknown->QueryInterface(*iid, reinterpret_cast<void**>(&part)));
        ASSERT_NE(nullptr, part);
        IUnknown* identity = nullptr;
        EXPECT_EQ(S_OK, part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
        EXPECT_EQ(unknown, identity);
        identity->Release();
        part->Release();
    }
    IOleCommandTarget* commands = nullptr;
    ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&commands)));
    const GUID otherGroup = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    struct Call
    {
        const GUID* group;
        DWORD id;
        HRESULT result;
    };
    const std::vector<Call> calls = {{nullptr, OLECMDID_SHOWSCRIPTERROR, OLECMDERR_E_UNKNOWNGROUP},
                                     {&otherGroup, OLECMDID_SHOWSCRIPTERROR, OLECMDERR_E_UNKNOWNGROUP},
                                     {&CGID_QorDocHostCommandHandler, OLECMDID_PRINT, OLECMDERR_E_NOTSUPPORTED},
                                     {&CGID_QorDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, S_OK}};
    for (const Call& call : calls) {
        VARIANT out;
        VariantInit(&out);
        EXPECT_EQ(call.result, commands->Exec(call.group, call.id, 0, nullptr, &out)) << call.id;
        if (call.result == S_OK) {
            // Handled without a dialog; the page's scripts stop.
            EXPECT_EQ(VT_BOOL, out.vt);
            EXPECT_EQ(VARIANT_FALSE, out.boolVal);
        }
    }
    EXPECT_EQ(S_OK, commands->Exec(&CGID_QorDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr));
    OLECMD cmd = {OLECMDID_PRINT, 0};
    EXPECT_EQ(E_NOTIMPL, commands->QueryStatus(nullptr, 1, &cmd, nullptr));
    commands->Release();

    IServiceProvider* services = nullptr;
    ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services)));
    void* service = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, services->QueryService(IID_IOleCommandTarget, IID_IOleCommandTarget, &service));
    EXPECT_EQ(nullptr, service);
    services->Release();

    IZoomEvents* zoom = nullptr;
    ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IQorZoomEvents, reinterpret_cast<void**>(&zoom)));
    EXPECT_EQ(S_OK, zoom->OnZoomPercentChanged(125));
    EXPECT_EQ(L"125%", frame.paneTexts.back());
    zoom->Release();
    unknown->Release();
}

TEST(ReaderViewSite, SiteOfAnotherContainerForwardsNothing)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateTopLevel());
    auto* site = new CQorHtmlControlSite<CFolionyxReaderView>(&host);
    IDocHostUIHandler* handler = nullptr;
    ASSERT_EQ(S_OK, site->GetSiteUnknown()->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)));
    site->GetSiteUnknown()->Release();
    DOCHOSTUIINFO info = {};
    EXPECT_EQ(E_FAIL, handler->GetHostInfo(&info));
    EXPECT_EQ(E_FAIL, handler->UpdateUI());
    host.DestroyWindow();
    EXPECT_EQ(E_FAIL, handler->ShowContextMenu(0, nullptr, nullptr, nullptr));
    handler->Release();
}

// --- highlighting ---

TEST_F(ReaderView, HighlightWrapsEveryMatchInAHitElement)
{
    struct Case
    {
        const char* html;
        const wchar_t* text;
        BOOL result;
        std::vector<std::wstring> hits;
    };
    const std::vector<Case> cases = {
        {"<p>abcabc</p>", L"abc", TRUE, {L"abc", L"abc"}}, // a match right after a match
        {"<p>aaaa</p>", L"aa", TRUE, {L"aa", L"aa"}},
        {"<p>ABC and abc</p>", L"abc", TRUE, {L"ABC", L"abc"}},                        // each keeps its letter case
        {"<p>Searching the search</p>", L"search", TRUE, {L"Search", L"search"}},      // inside words
        {"<p>x<b>ab</b>c y</p>", L"abc", TRUE, {L"abc"}},                              // across elements
        {"<p><b>xa</b>b<i>c</i>d</p>", L"abc", TRUE, {L"abc"}},                        // starts inside an element
        {"<p>a<i>bx</i> ab<b>c</b></p>", L"ab", TRUE, {L"ab", L"ab"}},                 // ends inside an element
        {"<p><i>x<b>y a</b></i>b <u>a<s>b</s>z</u></p>", L"ab", TRUE, {L"ab", L"ab"}}, // nested elements
        {"<pre>e\ne\n  e\ne</pre>", L"e", TRUE, {L"e", L"e", L"e", L"e"}},             // in one text node
        {"<p>nothing here</p>", L"abc", FALSE, {}},
    };
    int n = 0;
    for (const Case& test : cases) {
        Show(Page(L"h" + std::to_wstring(n++) + L".htm", test.html));
        // The page reads the same with its hits wrapped.
        const std::wstring before = view->GetHtmlDocument()->body().innerText();
        EXPECT_EQ(test.result, HighlightText(view->GetHtmlDocument(), test.text)) << test.html;
        EXPECT_EQ(before, view->GetHtmlDocument()->body().innerText()) << test.html;
        std::vector<std::wstring> texts;
        for (const fxb::HtmlElement& hit : Hits()) {
            texts.push_back(hit.innerText());
            EXPECT_EQ(L"color: black; background-color: #99FF99; font-weight: bold", hit.getAttribute(L"style"));
        }
        EXPECT_EQ(test.hits, texts) << test.html;
    }
    // Tags inside the match stay inside the hit element.
    Show(Page(L"tags.htm", "<p>x<b>ab</b>c y</p>"));
    HighlightText(view->GetHtmlDocument(), L"abc");
    ASSERT_EQ(1u, Hits().size());
    bool boldInHit = false;
    for (const fxb::HtmlElement& bold : view->GetHtmlDocument()->getElementsByTagName(L"B"))
        boldInHit = boldInHit || (bold.node()->Parent() == Hits()[0].node() && bold.innerText() == L"ab");
    EXPECT_TRUE(boldInHit);
}

TEST_F(ReaderView, SteppingVisitsEveryHitAndWrapsToTheFirst)
{
    // Three hits far apart on a long page.
    std::string spread = "<body style='margin:0'><div style='height:700px'></div><p>mark one</p>"
                         "<div style='height:900px'></div><p>mark two</p><div style='height:900px'></div>"
                         "<p>mark three</p><div style='height:900px'></div></body>";
    Show(Page(L"spread.htm", spread));
    auto doc = view->GetHtmlDocument();
    ASSERT_TRUE(HighlightText(doc, L"mark"));
    std::vector<fxb::HtmlElement> hits = Hits();
    ASSERT_EQ(3u, hits.size());
    std::vector<int> tops;
    for (const fxb::HtmlElement& hit : hits)
        tops.push_back(GetAbsoluteTop(hit));
    EXPECT_EQ(0, GetScrollTop(doc));
    for (int expected : {tops[0], tops[1], tops[2], tops[0], tops[1]}) {
        ScrollToNextHit(doc);
        EXPECT_EQ(expected, GetScrollTop(doc));
    }
}

TEST_F(ReaderView, ManyHitsAreHighlightedInBatchesThatSteppingReaches)
{
    // More hits than one pass highlights, in paragraphs and in one long text node.
    const int paragraphs = kMaxHighlightedHits + kMaxHighlightedHits / 2;
    const int lines = kMaxHighlightedHits;
    std::string page = "<body style='margin:0'>";
    for (int i = 0; i < paragraphs; ++i)
        page += "<p>ab e <b>cd</b></p>";
    page += "<pre>";
    for (int i = 0; i < lines; ++i)
        page += "xe\n";
    page += "</pre></body>";
    const std::wstring path = Page(L"many.htm", page);
    Show(path, L"E");
    auto doc = view->GetHtmlDocument();
    std::vector<fxb::HtmlElement> hits = Hits();
    ASSERT_EQ(size_t(kMaxHighlightedHits), hits.size());
    const int firstTop = GetAbsoluteTop(hits.front());
    EXPECT_EQ(firstTop, GetScrollTop(doc));

    // Stepping on from the last hit shown highlights the next ones and moves to them.
    for (size_t shown : {size_t(2 * kMaxHighlightedHits), size_t(paragraphs + lines)}) {
        SetScrollTop(doc, GetAbsoluteTop(hits.back()));
        const int before = GetScrollTop(doc);
        view->LocateKeywords();
        hits = Hits();
        ASSERT_EQ(shown, hits.size());
        EXPECT_GT(GetScrollTop(doc), before);
    }
    for (const fxb::HtmlElement& hit : hits)
        ASSERT_EQ(L"e", hit.innerText());
    // Every hit is highlighted: past the last one, back to the first.
    SetScrollTop(doc, GetAbsoluteTop(hits.back()));
    view->LocateKeywords();
    EXPECT_EQ(firstTop, GetScrollTop(doc));
    EXPECT_EQ(size_t(paragraphs + lines), Hits().size());
}

TEST_F(ReaderView, SteppingWrapsWhenTheLastHitsLieInTheFinalScreen)
{
    std::string tail = "<body style='margin:0'><div style='height:900px'></div><p>mark one</p>"
                       "<div style='height:900px'></div><p>mark two</p><p>mark three</p><p>end</p></body>";
    Show(Page(L"tail.htm", tail));
    auto doc = view->GetHtmlDocument();
    ASSERT_TRUE(HighlightText(doc, L"mark"));
    std::vector<fxb::HtmlElement> hits = Hits();
    ASSERT_EQ(3u, hits.size());
    int first = GetAbsoluteTop(hits[0]);

    ScrollToNextHit(doc);
    EXPECT_EQ(first, GetScrollTop(doc));
    ScrollToNextHit(doc); // toward the second hit: the page stops at its end
    int bottom = GetScrollTop(doc);
    EXPECT_GT(bottom, first);
    EXPECT_LT(bottom, GetAbsoluteTop(hits[1]));
    ScrollToNextHit(doc); // nothing further down can be reached: back to the first
    EXPECT_EQ(first, GetScrollTop(doc));
}

TEST_F(ReaderView, PageWithoutHitsOrWithAHitAtTheVeryTopDoesNotScroll)
{
    Show(Page(L"none.htm", "<body style='margin:0'><p>text</p><div style='height:3000px'></div></body>"));
    auto doc = view->GetHtmlDocument();
    EXPECT_FALSE(HighlightText(doc, L"absent"));
    SetScrollTop(doc, 200);
    ScrollToNextHit(doc);
    EXPECT_EQ(200, GetScrollTop(doc));

    Show(Page(L"top.htm", "<body style='margin:0'>mark<div style='height:3000px'></div></body>"));
    doc = view->GetHtmlDocument();
    ASSERT_TRUE(HighlightText(doc, L"mark"));
    ASSERT_EQ(0, GetAbsoluteTop(Hits()[0]));
    SetScrollTop(doc, 300);
    ScrollToNextHit(doc);
    EXPECT_EQ(300, GetScrollTop(doc));
}

TEST_F(ReaderView, ScrollPositionIsSetAndReadThroughThePage)
{
    Show(Page(L"long.htm", "<div style='height:3000px'>long</div>"));
    auto doc = view->GetHtmlDocument();
    EXPECT_TRUE(SetScrollTop(doc, 0)); // already there
    EXPECT_TRUE(SetScrollTop(doc, 500));
    EXPECT_EQ(500, GetScrollTop(doc));
    EXPECT_EQ(500, view->GetBrowser().ScrollTop());
    // Past the end the page stops at its last screen; asked again, nothing moves any more.
    EXPECT_TRUE(SetScrollTop(doc, 100000));
    const int end = GetScrollTop(doc);
    EXPECT_GT(end, 500);
    EXPECT_LT(end, 3000);
    EXPECT_FALSE(SetScrollTop(doc, 100000));
    EXPECT_EQ(end, GetScrollTop(doc));
}

TEST(ReaderUrl, CanonicalFormsAndSameDocuments)
{
    testsupport::TempFolder folder;
    WritePage(folder.File(L"page.htm"), "x");
    std::wstring page = folder.File(L"page.htm");
    struct Case
    {
        std::wstring a, b;
        BOOL same;
    };
    const std::vector<Case> cases = {
        {page, page + L"#sec", TRUE},
        {page, L"file:///" + page, TRUE},
        {page, folder.File(L"PAGE.HTM"), TRUE},
        {page, folder.File(L"other.htm"), FALSE},
        {L"http://a.example/x", L"HTTP://A.EXAMPLE/x", TRUE},
        {L"http://a.example/x", page, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.same, IsSameDocument(CanonicalizeUrl(c.a.c_str()), CanonicalizeUrl(c.b.c_str())))
            << c.a << L" " << c.b;
    EXPECT_EQ(CString(L"C:\\a b\\p.htm"), CanonicalizeUrl(L"file:///C:/a%20b/p.htm#x"));
    EXPECT_EQ(CString(L"C:\\x\\y.htm"), UrlToPath(L"C:/x/y.htm?q=1"));
    EXPECT_EQ(CString(), CanonicalizeUrl(nullptr));
    EXPECT_TRUE(IsCustomSchemeUrl(L"TrawlMoss://first"));
    EXPECT_FALSE(IsCustomSchemeUrl(L"x-folionyx://first"));
}

namespace readerview {

// A frame that offers the view its services, as the main frame does.
class CServingFrame : public CFrameWnd, public FakeFrame
{
};

} // namespace readerview

TEST(ReaderViewFrame, ViewFindsTheServicesOfItsFrame)
{
    auto* frameWnd = new CServingFrame; // frames delete themselves with their window
    ASSERT_TRUE(frameWnd->Create(nullptr, L"serving frame"));
    auto* view = new CFolionyxReaderView;
    ASSERT_TRUE(
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), frameWnd, AFX_IDW_PANE_FIRST));
    view->OnZoomChanged(150);
    EXPECT_EQ(std::vector<std::wstring>{L"150%"}, frameWnd->paneTexts);
    frameWnd->DestroyWindow();
}
