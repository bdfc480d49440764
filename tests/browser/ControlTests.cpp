// The page control in a real window: navigation events and their order, history, host callbacks,
// zoom and text size, scrolling, fragments, selection, find, print and preview.
#include "tests/browser/BrowserTestSupport.h"
#include "tests/common/WineTestSupport.h"
#include "platform/browser/BrowserControl.h"
#include "platform/browser/ComObject.h"
#include "platform/browser/FindDialog.h"
#include "platform/browser/PagePrinter.h"
#include <gtest/gtest.h>
#include <functional>

using namespace fxb;
using testsupport::PumpMessages;
using testsupport::PumpUntil;

namespace {

// A host site that records every call the engine makes.
class RecordingSite : public ComObject<IDocHostUIHandler, IOleCommandTarget, IServiceProvider, IZoomEvents>
{
public:
    std::vector<std::wstring> log;
    DWORD hostFlags = DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE;
    HRESULT contextMenuResult = S_OK;
    HRESULT acceleratorResult = S_FALSE;
    std::vector<ULONG> zooms;
    int hostInfoCalls = 0, updateCalls = 0, contextCalls = 0, acceleratorCalls = 0;

    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override
    {
        ++contextCalls;
        return contextMenuResult;
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override
    {
        ++hostInfoCalls;
        info->dwFlags = hostFlags;
        return S_OK;
    }
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override
    {
        return S_FALSE;
    }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override
    {
        ++updateCalls;
        return S_OK;
    }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG msg, const GUID*, DWORD) override
    {
        ++acceleratorCalls;
        log.push_back(L"key:" + std::to_wstring(msg->wParam));
        return acceleratorResult;
    }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExternal(IDispatch** d) override
    {
        *d = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override
    {
        *out = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** out) override
    {
        *out = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return E_NOTIMPL; }
    STDMETHODIMP Exec(const GUID*, DWORD id, DWORD, VARIANT*, VARIANT*) override
    {
        log.push_back(L"exec:" + std::to_wstring(id));
        return OLECMDERR_E_NOTSUPPORTED;
    }
    STDMETHODIMP QueryService(REFGUID, REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP OnZoomPercentChanged(ULONG percent) override
    {
        zooms.push_back(percent);
        return S_OK;
    }
};

class EventLog : public BrowserEvents
{
public:
    std::vector<std::wstring> log;
    BrowserControl* control = nullptr;
    std::function<void(const std::wstring&, bool&)> onBefore;
    std::wstring docUrlDuringBefore;

    void BeforeNavigate2(const std::wstring& url, bool& cancel) override
    {
        log.push_back(L"before:" + url);
        auto doc = control->GetHtmlDocument();
        docUrlDuringBefore = doc ? doc->URL() : L"(none)";
        if (onBefore)
            onBefore(url, cancel);
        if (cancel)
            log.push_back(L"cancel:" + url);
    }
    void NavigateComplete2(const std::wstring& url) override { log.push_back(L"navigated:" + url); }
    void DocumentComplete(const std::wstring& url) override
    {
        auto doc = control->GetHtmlDocument();
        log.push_back(L"complete:" + url + L"|" + (doc ? doc->URL() : L"(none)"));
    }
};

class ControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrowserTestHost";
        RegisterClassW(&wc);
        m_host = CreateWindowW(L"BrowserTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        RECT rc = {0, 0, 400, 300};
        ASSERT_TRUE(control.Create(m_host, rc, 100));
        events.control = &control;
        control.SetEvents(&events);
        control.SetHostSite(static_cast<IDocHostUIHandler*>(&site));
        // Pages: a long one with anchors, a second one, and one linking to both.
        std::wstring longPage = L"<html><body style='margin:0'><p id=top>top</p>";
        for (int i = 0; i < 60; ++i)
            longPage += L"<p style='margin:0;height:40px'>line " + std::to_wstring(i) + L"</p>";
        longPage += L"<h2 id=sec2>Section two</h2><a name=named>named anchor</a>";
        for (int i = 0; i < 30; ++i)
            longPage += L"<p style='margin:0;height:40px'>more " + std::to_wstring(i) + L"</p>";
        longPage += L"</body></html>";
        browsertest::WriteFile(Page(L"long.htm"), browsertest::Utf16File(longPage));
        browsertest::WriteFile(Page(L"two.htm"), browsertest::Utf16File(L"<title>Two</title><p id=p2>second page</p>"));
        browsertest::WriteFile(
            Page(L"links.htm"),
            browsertest::Utf16File(
                L"<body style='margin:0'><p style='margin:0'><a id=rel href='long.htm#sec2'>"
                L"RELATIVE LINK</a></p><p style='margin:0'><a id=mail href='mailto:x@y.z'>MAIL</a></p>"
                L"<p style='margin:0'><a id=custom href='folionyx://next'>NEXT</a></p>"
                L"<p id=text style='margin:0'>Some selectable text here</p>"
                L"<p style='margin:0'><a id=plain href='two.htm' style='text-decoration:none'>"
                L"HOVER ME</a></p></body>"));
    }
    void TearDown() override
    {
        control.SetEvents(nullptr);
        control.Destroy();
        control.SetHostSite(nullptr); // the site goes before the control
        DestroyWindow(m_host);
        PumpMessages();
    }
    std::wstring Page(const wchar_t* name) { return m_folder.File(name); }
    void Go(const std::wstring& url)
    {
        size_t before = events.log.size();
        control.Navigate2(url);
        PumpUntil([&] {
            for (size_t i = before; i < events.log.size(); ++i)
                if (events.log[i].rfind(L"complete:", 0) == 0)
                    return true;
            return false;
        });
    }
    void Click(const wchar_t* id)
    {
        auto doc = control.GetHtmlDocument();
        HtmlElement e = doc->getElementById(id);
        ASSERT_TRUE(e);
        int x = e.offsetLeft() + 5 - control.ScrollLeft(),
            y = e.offsetTop() + e.offsetHeight() / 2 - control.ScrollTop();
        LPARAM lp = MAKELPARAM(x, y);
        SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, lp);
        SendMessageW(control.Handle(), WM_LBUTTONUP, 0, lp);
    }

    testsupport::TempFolder m_folder;
    HWND m_host = nullptr;
    BrowserControl control;
    EventLog events;
    RecordingSite site;
};

} // namespace

TEST_F(ControlTest, NavigationRaisesEventsInOrderAndLoadsLater)
{
    EXPECT_EQ(nullptr, control.GetHtmlDocument());
    control.Navigate2(Page(L"two.htm"));
    ASSERT_EQ(1u, events.log.size());
    EXPECT_EQ(L"before:" + Page(L"two.htm"), events.log[0]);
    EXPECT_EQ(L"(none)", events.docUrlDuringBefore);
    EXPECT_EQ(nullptr, control.GetHtmlDocument());
    PumpUntil([&] { return events.log.size() >= 3; });
    ASSERT_EQ(3u, events.log.size());
    EXPECT_EQ(L"navigated:" + Page(L"two.htm"), events.log[1]);
    EXPECT_EQ(L"complete:" + Page(L"two.htm") + L"|" + Page(L"two.htm"), events.log[2]);
    EXPECT_EQ(L"Two", control.GetLocationName());
    // The next navigation's before-navigate still sees the old document.
    Go(Page(L"long.htm"));
    EXPECT_EQ(Page(L"two.htm"), events.docUrlDuringBefore);
    EXPECT_EQ(2, site.hostInfoCalls); // once per document
    EXPECT_GE(site.updateCalls, 2);   // after every load
}

TEST_F(ControlTest, CancelAndNestedNavigationFromTheEvent)
{
    Go(Page(L"two.htm"));
    events.log.clear();
    // Cancel keeps the current document and completes nothing.
    events.onBefore = [](const std::wstring&, bool& cancel) { cancel = true; };
    control.Navigate2(Page(L"long.htm"));
    PumpMessages();
    Sleep(50);
    PumpMessages();
    EXPECT_EQ((std::vector<std::wstring>{L"before:" + Page(L"long.htm"), L"cancel:" + Page(L"long.htm")}), events.log);
    EXPECT_EQ(Page(L"two.htm"), control.GetLocationURL());

    // The handler starts another navigation and cancels the outer one: only the outer ends.
    events.log.clear();
    std::wstring inner = Page(L"long.htm") + L"#sec2";
    events.onBefore = [&](const std::wstring& url, bool& cancel) {
        if (url == Page(L"links.htm")) {
            control.Navigate2(inner);
            cancel = true;
        }
    };
    Go(Page(L"links.htm"));
    std::vector<std::wstring> expected = {L"before:" + Page(L"links.htm"), L"before:" + inner,
                                          L"cancel:" + Page(L"links.htm"), L"navigated:" + inner,
                                          L"complete:" + inner + L"|" + inner};
    EXPECT_EQ(expected, events.log);
    EXPECT_GT(control.ScrollTop(), 0);
}

TEST_F(ControlTest, LinksSchemesAndFragments)
{
    Go(Page(L"links.htm"));
    events.log.clear();
    // Custom and mail schemes reach the event unmodified and load nothing.
    Click(L"custom");
    Click(L"mail");
    PumpMessages();
    EXPECT_EQ((std::vector<std::wstring>{L"before:folionyx://next", L"before:mailto:x@y.z"}), events.log);
    EXPECT_EQ(Page(L"links.htm"), control.GetLocationURL());
    control.Navigate2(L"trawlmoss://first");
    EXPECT_EQ(L"before:trawlmoss://first", events.log.back());

    // A relative link resolves against the page and scrolls to its fragment after loading.
    events.log.clear();
    Click(L"rel");
    std::wstring target = Page(L"long.htm") + L"#sec2";
    ASSERT_FALSE(events.log.empty());
    EXPECT_EQ(L"before:" + target, events.log[0]);
    PumpUntil([&] { return events.log.size() >= 3; });
    EXPECT_EQ(L"complete:" + target + L"|" + target, events.log.back());
    auto doc = control.GetHtmlDocument();
    HtmlElement sec2 = doc->getElementById(L"sec2");
    EXPECT_EQ(sec2.offsetTop(), control.ScrollTop());
    EXPECT_EQ(sec2.offsetTop(), doc->body().scrollTop());
    // A named anchor, and a missing one (top of the page).
    Go(Page(L"long.htm") + L"#named");
    EXPECT_GT(control.ScrollTop(), sec2.offsetTop());
    Go(Page(L"long.htm") + L"#nothing");
    EXPECT_EQ(0, control.ScrollTop());
}

TEST_F(ControlTest, HistoryRefreshAndReloadOfTheSameFile)
{
    Go(Page(L"two.htm"));
    Go(Page(L"long.htm"));
    EXPECT_TRUE(control.CanGoBack());
    EXPECT_FALSE(control.CanGoForward());
    events.log.clear();
    control.GoBack();
    EXPECT_EQ(L"before:" + Page(L"two.htm"), events.log.front());
    PumpUntil([&] { return control.GetLocationURL() == Page(L"two.htm"); });
    EXPECT_TRUE(control.CanGoForward());
    control.GoForward();
    PumpUntil([&] { return control.GetLocationURL() == Page(L"long.htm"); });
    EXPECT_EQ(Page(L"long.htm"), control.GetLocationURL());
    EXPECT_EQ(E_FAIL, control.GoForward());

    // Refresh completes again (without a before-navigate); the same file navigated again reloads.
    events.log.clear();
    control.Refresh();
    PumpUntil([&] { return !events.log.empty(); });
    EXPECT_EQ(L"complete:" + Page(L"long.htm") + L"|" + Page(L"long.htm"), events.log.back());
    auto before = control.GetHtmlDocument();
    Go(Page(L"long.htm"));
    EXPECT_NE(before, control.GetHtmlDocument());
    EXPECT_TRUE(control.CanGoBack());
    control.GoBack();
    PumpUntil([&] { return control.GetLocationURL() == Page(L"two.htm"); });
    EXPECT_EQ(Page(L"two.htm"), control.GetLocationURL()); // the reload added no history entry

    // Stop drops a navigation that has not completed.
    events.log.clear();
    control.Navigate2(Page(L"long.htm"));
    control.Stop();
    PumpMessages();
    EXPECT_EQ(1u, events.log.size());
    EXPECT_EQ(Page(L"two.htm"), control.GetLocationURL());
}

TEST_F(ControlTest, WebAndAboutAddressesGiveDocumentsWithoutNetwork)
{
    Go(L"about:blank");
    EXPECT_EQ(L"about:blank", control.GetLocationURL());
    Go(L"http://example.invalid/page.htm");
    auto doc = control.GetHtmlDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(L"http://example.invalid/page.htm", doc->URL());
    Go(Page(L"missing.htm"));
    EXPECT_EQ(Page(L"missing.htm"), control.GetLocationURL());
}

TEST_F(ControlTest, TextSizeAndZoomCommandsAreKeptAcrossNavigations)
{
    Go(Page(L"long.htm"));
    VARIANT in, out;
    VariantInit(&in);
    VariantInit(&out);
    EXPECT_EQ(S_OK, control.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &out));
    EXPECT_EQ(VT_I4, out.vt);
    EXPECT_EQ(2, out.lVal);
    int heightMedium = control.GetHtmlDocument()->getElementById(L"sec2").offsetHeight();
    in.vt = VT_I4;
    in.lVal = 4;
    int updates = site.updateCalls;
    EXPECT_EQ(S_OK, control.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr));
    EXPECT_GT(site.updateCalls, updates);
    EXPECT_GT(control.GetHtmlDocument()->getElementById(L"sec2").offsetHeight(), heightMedium);
    in.lVal = 5;
    EXPECT_EQ(E_INVALIDARG, control.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr));

    // Optical zoom through the document's command target.
    IOleCommandTarget* target = control.GetHtmlDocument()->CommandTarget();
    ASSERT_NE(nullptr, target);
    int top100 = control.GetHtmlDocument()->getElementById(L"sec2").offsetTop();
    in.lVal = 200;
    EXPECT_EQ(S_OK, target->Exec(nullptr, OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr));
    EXPECT_EQ((std::vector<ULONG>{200}), site.zooms);
    VariantClear(&out);
    EXPECT_EQ(S_OK, target->Exec(nullptr, OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &out));
    EXPECT_EQ(200, out.lVal);
    int top200 = control.GetHtmlDocument()->getElementById(L"sec2").offsetTop();
    EXPECT_NEAR(2 * top100, top200, 4);
    in.lVal = 5;
    EXPECT_TRUE(FAILED(target->Exec(nullptr, OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr)));
    GUID other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(OLECMDERR_E_UNKNOWNGROUP, target->Exec(&other, OLECMDID_OPTICAL_ZOOM, 0, &in, nullptr));
    // Ctrl+wheel zooms the page by the engine's own means, and the sink hears of it.
    SendMessageW(control.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(10, 10));
    EXPECT_EQ(210, control.OpticalZoom());
    EXPECT_EQ(210u, site.zooms.back());

    Go(Page(L"two.htm"));
    EXPECT_EQ(210, control.OpticalZoom());
    EXPECT_EQ(4, control.TextSize());
    VariantClear(&out);
    control.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &out);
    EXPECT_EQ(4, out.lVal);
    EXPECT_EQ(8, GetEngineVersion().major);
}

TEST_F(ControlTest, ScrollingInPageUnitsWithClamping)
{
    Go(Page(L"long.htm"));
    auto doc = control.GetHtmlDocument();
    HtmlElement body = doc->body(), root = doc->documentElement();
    int height = body.scrollHeight();
    EXPECT_EQ(height, root.scrollHeight());
    EXPECT_GT(height, 90 * 40);
    body.put_scrollTop(500);
    EXPECT_EQ(500, body.scrollTop());
    EXPECT_EQ(500, root.scrollTop());
    root.put_scrollTop(1000000);
    EXPECT_EQ(height - control.ClientHeight(), body.scrollTop());
    body.put_scrollTop(-5);
    EXPECT_EQ(0, body.scrollTop());
    EXPECT_EQ(0, body.scrollLeft());
    // Keys and the wheel scroll too.
    SendMessageW(control.Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(body.scrollTop(), 100);
    int afterKey = body.scrollTop();
    SendMessageW(control.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(10, 10));
    EXPECT_GT(body.scrollTop(), afterKey);
    SendMessageW(control.Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(0, body.scrollTop());
    // The scroll bar's own messages.
    SendMessageW(control.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_GT(body.scrollTop(), 0);
    SendMessageW(control.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(height - control.ClientHeight(), body.scrollTop());
    SCROLLINFO si = {sizeof(si), SIF_POS};
    GetScrollInfo(control.Handle(), SB_VERT, &si);
    EXPECT_EQ(body.scrollTop(), si.nPos);
    SendMessageW(control.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, body.scrollTop());
    // Zoomed, offsets and scroll positions stay in the same units.
    control.SetOpticalZoom(300);
    HtmlElement sec2 = doc->getElementById(L"sec2");
    body.put_scrollTop(sec2.offsetTop());
    EXPECT_EQ(sec2.offsetTop(), body.scrollTop());
    HtmlElement body2 = sec2.offsetParent();
    EXPECT_EQ(L"BODY", body2.tagName());
    EXPECT_FALSE(body2.offsetParent());
}

TEST_F(ControlTest, HostCallbacksComeFirst)
{
    Go(Page(L"links.htm"));
    // Every key is offered to the host first; S_OK means the host took it.
    site.acceleratorResult = S_OK;
    SendMessageW(control.Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(L"key:" + std::to_wstring(VK_NEXT), site.log.back());
    site.acceleratorResult = S_FALSE;
    SendMessageW(control.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(2, site.acceleratorCalls);
    // The host's context menu decision: S_OK suppresses the engine's own menu.
    SendMessageW(control.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control.Handle()), MAKELPARAM(20, 20));
    EXPECT_EQ(1, site.contextCalls);
    // No scripts run, so no script-error command ever reaches the site.
    for (const std::wstring& entry : site.log)
        EXPECT_NE(0u, entry.rfind(L"exec:", 0));
}

TEST_F(ControlTest, MouseSelectionCopyAndDialogMode)
{
    Go(Page(L"links.htm"));
    auto doc = control.GetHtmlDocument();
    HtmlElement p = doc->getElementById(L"text");
    int y = p.offsetTop() + p.offsetHeight() / 2;
    SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
    SendMessageW(control.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.offsetWidth() + 50, y));
    SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.offsetWidth() + 50, y));
    EXPECT_EQ(L"Some selectable text here", control.SelectedText());
    ASSERT_TRUE(control.CopySelection());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring clip = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(L"Some selectable text here", clip);
    // The selection is painted in the highlight colour.
    testsupport::WindowCapture shot(control.Handle());
    EXPECT_GT(shot.CountColor(GetSysColor(COLOR_HIGHLIGHT), {0, p.offsetTop(), 400, p.offsetTop() + p.offsetHeight()}),
              50);

    // With the dialog flag the host forbids selection.
    site.hostFlags |= DOCHOSTUIFLAG_DIALOG;
    Go(Page(L"links.htm"));
    SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
    SendMessageW(control.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, y));
    SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, y));
    control.SelectAll();
    EXPECT_EQ(L"", control.SelectedText());
    EXPECT_FALSE(control.SelectionAllowed());
}

TEST_F(ControlTest, LinkColourAndHandCursorInTheWindow)
{
    Go(Page(L"links.htm"));
    auto doc = control.GetHtmlDocument();
    HtmlElement a = doc->getElementById(L"rel");
    testsupport::WindowCapture shot(control.Handle());
    RECT area = {a.offsetLeft(), a.offsetTop(), a.offsetLeft() + a.offsetWidth(), a.offsetTop() + a.offsetHeight()};
    EXPECT_GT(shot.CountColor(RGB(0, 0, 255), area), 30);
    EXPECT_EQ(RGB(255, 255, 255), shot.Pixel(shot.Width() - 3, shot.Height() - 3));

    // Hovering a link underlines it.
    HtmlElement plain = doc->getElementById(L"plain");
    RECT plainArea = {plain.offsetLeft(), plain.offsetTop(), plain.offsetLeft() + plain.offsetWidth(),
                      plain.offsetTop() + plain.offsetHeight()};
    int before = testsupport::WindowCapture(control.Handle()).CountColor(RGB(0, 0, 255), plainArea);
    SendMessageW(control.Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM(plain.offsetLeft() + 3, plain.offsetTop() + plain.offsetHeight() / 2));
    int hovered = testsupport::WindowCapture(control.Handle()).CountColor(RGB(0, 0, 255), plainArea);
    EXPECT_GE(hovered, before + plain.offsetWidth() / 2);
    SendMessageW(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(390, 290));
    EXPECT_EQ(before, testsupport::WindowCapture(control.Handle()).CountColor(RGB(0, 0, 255), plainArea));

    // Over a link the cursor is the hand, over text the text cursor.
    POINT pt = {a.offsetLeft() + 3, a.offsetTop() + a.offsetHeight() / 2};
    ClientToScreen(control.Handle(), &pt);
    SetCursorPos(pt.x, pt.y);
    SendMessageW(control.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetCursor());
    HtmlElement text = doc->getElementById(L"text");
    pt = {text.offsetLeft() + 3, text.offsetTop() + text.offsetHeight() / 2};
    ClientToScreen(control.Handle(), &pt);
    SetCursorPos(pt.x, pt.y);
    SendMessageW(control.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_IBEAM), GetCursor());
}

TEST_F(ControlTest, FindPrintAndPreview)
{
    Go(Page(L"long.htm"));
    // Find selects the next match and scrolls to it.
    EXPECT_TRUE(control.FindNext(L"SECTION TWO", false, false, true));
    EXPECT_EQ(L"Section two", control.SelectedText());
    EXPECT_GT(control.ScrollTop(), 0);
    EXPECT_TRUE(control.FindNext(L"line 1", false, false, true));
    EXPECT_EQ(L"line 1", control.SelectedText());
    EXPECT_FALSE(control.FindNext(L"no such words", false, false, true));
    EXPECT_EQ(S_OK, control.ExecWB(OLECMDID_FIND, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr));
    ASSERT_NE(nullptr, control.GetFindDialog());
    EXPECT_TRUE(IsWindow(control.GetFindDialog()->Handle()));

    // No printer here: printing fails quietly, without a dialog.
    EXPECT_EQ(E_FAIL, control.ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr));
    EXPECT_EQ(S_OK, control.ExecWB(OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr));
    HWND preview = control.PrintPreviewWindow();
    ASSERT_TRUE(IsWindow(preview));
    EXPECT_GE(PreviewPageCount(preview), 3);
    SendMessageW(preview, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(1, PreviewPage(preview));
    testsupport::WindowCapture shot(preview);
    EXPECT_GT(shot.CountColor(RGB(255, 255, 255), {0, 40, shot.Width(), shot.Height()}), 1000);
    EXPECT_EQ(OLECMDERR_E_NOTSUPPORTED, control.ExecWB(OLECMDID_SAVEAS, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr));
}
