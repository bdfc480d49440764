// CHtmlView: the framework view over the page engine, its overridable events and the default
// host site that forwards the engine's callbacks to the view.
#include "tests/browser/BrowserTestSupport.h"
#include "tests/common/WineTestSupport.h"
#include "platform/browser/HtmlView.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/WinApp.h"
#include <gtest/gtest.h>

using testsupport::PumpUntil;

namespace {

class CTestHtmlView : public CHtmlView
{
public:
    std::vector<std::wstring> log;
    std::wstring cancelPrefix;
    std::wstring redirectFrom, redirectTo;
    int hostInfoCalls = 0, updateCalls = 0;
    DWORD flags = DOCHOSTUIFLAG_DIALOG;

    void OnBeforeNavigate2(LPCTSTR url, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL* cancel) override
    {
        log.push_back(std::wstring(L"before:") + url);
        if (!redirectFrom.empty() && redirectFrom == url) {
            Navigate2(redirectTo.c_str());
            *cancel = TRUE;
        }
        if (!cancelPrefix.empty() && std::wstring(url).rfind(cancelPrefix, 0) == 0)
            *cancel = TRUE;
    }
    void OnNavigateComplete2(LPCTSTR url) override { log.push_back(std::wstring(L"navigated:") + url); }
    void OnDocumentComplete(LPCTSTR url) override { log.push_back(std::wstring(L"complete:") + url); }
    HRESULT OnGetHostInfo(DOCHOSTUIINFO* info) override
    {
        ++hostInfoCalls;
        info->dwFlags = flags;
        return S_OK;
    }
    HRESULT OnUpdateUI() override
    {
        ++updateCalls;
        return S_OK;
    }
    HRESULT OnShowContextMenu(DWORD, LPPOINT, LPUNKNOWN, LPDISPATCH) override
    {
        log.push_back(L"menu");
        return S_OK;
    }
};

class CHost : public CWnd
{
public:
    BOOL CreateTopLevel()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"html view host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                        nullptr, nullptr);
    }
};

} // namespace

TEST(HtmlView, NavigatesAndRaisesItsEvents)
{
    testsupport::TempFolder folder;
    browsertest::WriteFile(folder.File(L"a.htm"), browsertest::Utf16File(L"<title>A</title><p id=x>page a</p>"));
    browsertest::WriteFile(folder.File(L"b.htm"), browsertest::Utf16File(L"<p>page b</p>"));
    CHost host;
    ASSERT_TRUE(host.CreateTopLevel());
    auto* view = new CTestHtmlView; // views delete themselves with their window
    ASSERT_TRUE(
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &host, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(nullptr, view->GetHtmlDocument());

    view->Navigate2(folder.File(L"a.htm").c_str());
    ASSERT_TRUE(PumpUntil([&] { return view->GetHtmlDocument() != nullptr; }));
    EXPECT_EQ((std::vector<std::wstring>{L"before:" + folder.File(L"a.htm"), L"navigated:" + folder.File(L"a.htm"),
                                         L"complete:" + folder.File(L"a.htm")}),
              view->log);
    EXPECT_EQ(CString(folder.File(L"a.htm").c_str()), view->GetLocationURL());
    EXPECT_EQ(CString(L"A"), view->GetLocationName());
    EXPECT_EQ(1, view->hostInfoCalls);
    EXPECT_GE(view->updateCalls, 1);
    EXPECT_FALSE(view->GetBrowser().SelectionAllowed()); // the dialog flag came from the view

    // A navigation started inside the event replaces the cancelled one.
    view->log.clear();
    view->redirectFrom = L"folionyx://next";
    view->redirectTo = folder.File(L"b.htm");
    view->Navigate2(L"folionyx://next");
    ASSERT_TRUE(PumpUntil([&] { return view->GetLocationURL() == CString(folder.File(L"b.htm").c_str()); }));
    EXPECT_EQ(L"before:folionyx://next", view->log[0]);
    EXPECT_EQ(L"before:" + folder.File(L"b.htm"), view->log[1]);
    EXPECT_EQ(L"complete:" + folder.File(L"b.htm"), view->log.back());

    // Text size and history through the view.
    VARIANT in;
    VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = 0;
    view->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr);
    EXPECT_EQ(0, view->GetBrowser().TextSize());
    EXPECT_TRUE(view->QueryStatusWB(OLECMDID_PRINTPREVIEW) & OLECMDF_SUPPORTED);
    view->GoBack();
    ASSERT_TRUE(PumpUntil([&] { return view->GetLocationURL() == CString(folder.File(L"a.htm").c_str()); }));

    // The context menu goes to the view first.
    ::SendMessageW(view->GetBrowser().Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(L"menu", view->log.back());

    // The page control fills the view.
    view->MoveWindow(0, 0, 300, 200);
    RECT rc;
    ::GetWindowRect(view->GetBrowser().Handle(), &rc);
    EXPECT_EQ(300, rc.right - rc.left);
    host.DestroyWindow();
}
