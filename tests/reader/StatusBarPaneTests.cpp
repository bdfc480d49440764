// The reader's status-bar panes: the label pane's drawing and clicks, and the advertisement
// pane's width, rotation, clicks and downloaded feeds.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <fstream>
#include <functional>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/framework/FrameWnd.h"
#include "reader/ui/StatusBarAdLabelPane.h"
#include "reader/ui/StatusBarLabelPane.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/LocalHttpServer.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/StatusBar.h"

namespace {

const COLORREF kTextColor = RGB(0, 0, 0xFF);

// Records the label panes' messages.
class CPaneFrame : public CFrameWnd
{
public:
    std::vector<std::pair<UINT, LPARAM>> clicks;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_QOR_PANE_CLICKED || message == WM_QOR_PANE_RIGHT_CLICKED)
            clicks.emplace_back(message, lParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

struct StatusPaneFixture : testing::Test
{
    CPaneFrame* frame = nullptr;
    CQorStatusBar bar;

    void SetUp() override
    {
        frame = new CPaneFrame;
        ASSERT_TRUE(frame->Create(nullptr, L"panes", WS_POPUP | WS_CAPTION, CRect(0, 0, 640, 200)));
        ASSERT_TRUE(bar.Create(frame));
        frame->RecalcLayout();
        CQorStatusBarPane* pFree = bar.AddPane(0);
        ASSERT_NE(pFree, nullptr);
    }
    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow();
    }
    // A pane window in a new pane of the given width.
    void Host(CQorStatusBarPaneWnd& wnd, int nID, int nWidth)
    {
        ASSERT_TRUE(wnd.Create(L"", &bar, WS_CHILD | WS_VISIBLE, 0xFFFF));
        CQorStatusBarPane* pPane = bar.AddPane(nID);
        ASSERT_NE(pPane, nullptr);
        bar.SetPaneWidth(pPane->m_nIndex, nWidth);
        bar.SetPaneWindow(&wnd, nID);
    }
    int PaneWidth(int nID) { return bar.GetPane(bar.FindPaneIndex(nID))->m_nWidth; }
};

// The columns that hold a pixel of the colour.
std::vector<int> ColumnsOf(const testsupport::WindowCapture& capture, COLORREF color)
{
    std::vector<int> columns;
    for (int x = 0; x < capture.Width(); ++x)
        for (int y = 0; y < capture.Height(); ++y)
            if (capture.Pixel(x, y) == color) {
                columns.push_back(x);
                break;
            }
    return columns;
}

CAdFeedEntries Entries(std::initializer_list<const wchar_t*> urls)
{
    CAdFeedEntries entries;
    int n = 0;
    for (const wchar_t* url : urls)
        entries.push_back({CString(L"Title ") + CString(std::to_wstring(n++).c_str()), url});
    return entries;
}

// A label pane whose icon is a solid square of one colour, so that the drawn icon is easy to
// find in a picture of the pane.
class CSolidIconPane : public CQorStatusBarLabelPane
{
public:
    static constexpr COLORREF kIconColor = RGB(0, 0xC0, 0);
    CSolidIconPane()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_szIcon.cx;
        info.bmiHeader.biHeight = -m_szIcon.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        for (int i = 0; i < m_szIcon.cx * m_szIcon.cy; ++i)
            static_cast<DWORD*>(bits)[i] = 0xFF00C000; // opaque, the icon colour
        std::vector<BYTE> maskBits(size_t(((m_szIcon.cx + 15) / 16) * 2 * m_szIcon.cy), 0);
        HBITMAP mask = CreateBitmap(m_szIcon.cx, m_szIcon.cy, 1, 1, maskBits.data());
        ICONINFO icon = {TRUE, 0, 0, mask, color};
        m_hIcon = CreateIconIndirect(&icon);
        DeleteObject(mask);
        DeleteObject(color);
    }
    CSize IconSize() const { return m_szIcon; }
};

// The rectangle of the pixels of one colour; empty when there are none.
CRect BoundsOf(const testsupport::WindowCapture& capture, COLORREF color)
{
    CRect bounds(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < capture.Height(); ++y)
        for (int x = 0; x < capture.Width(); ++x)
            if (capture.Pixel(x, y) == color) {
                bounds.left = std::min<int>(bounds.left, x);
                bounds.top = std::min<int>(bounds.top, y);
                bounds.right = std::max<int>(bounds.right, x + 1);
                bounds.bottom = std::max<int>(bounds.bottom, y + 1);
            }
    return bounds.left == INT_MAX ? CRect() : bounds;
}

} // namespace

TEST_F(StatusPaneFixture, EmptyLabelCentresItsIconAlone)
{
    for (int width : {60, 101}) {
        CSolidIconPane pane;
        Host(pane, 702, width);
        pane.SetWindowPos(nullptr, 0, 0, width, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pane.SetText(L"");
        testsupport::WindowCapture capture(pane.m_hWnd);
        const CSize icon = pane.IconSize();
        const CRect bounds = BoundsOf(capture, CSolidIconPane::kIconColor);
        // The room of the missing text's gap stays: centred as icon, gap and no text.
        const CRect expected(CPoint((capture.Width() - icon.cx - 4) / 2, (capture.Height() - icon.cy) / 2), icon);
        EXPECT_TRUE(expected == bounds) << "pane " << width << " of " << capture.Width() << " x " << capture.Height()
                                        << ": icon at " << bounds.left << "," << bounds.top << " - " << bounds.right
                                        << "," << bounds.bottom << ", not at " << expected.left << "," << expected.top;
        bar.SetPaneWindow(nullptr, 702);
        bar.RemovePane(702);
        pane.DestroyWindow();
    }
}

TEST_F(StatusPaneFixture, LabelTextFollowsAFontChange)
{
    CQorStatusBarLabelPane pane;
    pane.m_clrText = kTextColor;
    Host(pane, 703, 300);
    bar.MoveWindow(0, 0, 640, 40);
    pane.MoveWindow(0, 0, 300, 36);
    pane.SetText(L"Wide label");
    pane.SetFont(L"Tahoma", -10, FW_NORMAL, FALSE, FALSE);
    const CRect small = BoundsOf(testsupport::WindowCapture(pane.m_hWnd), kTextColor);
    ASSERT_FALSE(small.IsRectEmpty());
    LOGFONTW lf = {};
    lf.lfHeight = -24;
    lf.lfWeight = FW_BOLD;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    struct Case
    {
        const char* name;
        std::function<void()> apply;
    };
    const Case cases[] = {
        {"structure", [&] { pane.SetFont(lf); }},
        {"face and height", [&] { pane.SetFont(L"Tahoma", -24, FW_BOLD, FALSE, FALSE); }},
    };
    for (const Case& c : cases) {
        pane.SetFont(L"Tahoma", -10, FW_NORMAL, FALSE, FALSE);
        c.apply();
        // Measured again: the whole of the larger text shows, not the room of the smaller one.
        const CRect large = BoundsOf(testsupport::WindowCapture(pane.m_hWnd), kTextColor);
        EXPECT_GT(large.Height(), small.Height() * 3 / 2) << c.name;
        EXPECT_GT(large.Width(), small.Width() * 3 / 2) << c.name;
        EXPECT_GT(pane.GetTextSize().cy, 20) << c.name;
    }
    bar.SetPaneWindow(nullptr, 703);
    bar.RemovePane(703);
    pane.DestroyWindow();
}

TEST_F(StatusPaneFixture, LongLabelIsCutWithinThePaneCentredOrNotThemedAndClassic)
{
    for (bool bThemed : {true, false}) {
        const QorThemeMode mode = QorGetThemeMode();
        QorSetThemeModeForTest(bThemed ? qorThemeReal : qorThemeOff);
        CQorPaintManager* pTheme = CQorPaintManager::CreateTheme(qorPaintThemeNativeXP);
        pTheme->RefreshMetrics();
        bar.m_pPaintManager = pTheme;
        for (BOOL bCentered : {TRUE, FALSE}) {
            const std::string name = std::string(bThemed ? "themed" : "classic") + (bCentered ? ", centred" : "");
            CQorStatusBarLabelPane pane;
            pane.m_bCentered = bCentered;
            pane.m_clrText = kTextColor;
            Host(pane, 700, 60);
            pane.SetText(L"A label far wider than the pane that shows it");
            testsupport::WindowCapture capture(pane.m_hWnd);
            const std::vector<int> columns = ColumnsOf(capture, kTextColor);
            ASSERT_FALSE(columns.empty()) << name;
            EXPECT_GE(columns.front(), 3) << name;
            EXPECT_LT(columns.back(), capture.Width() - 3) << name;
            // The ellipsis fills the text up to the end of its room.
            EXPECT_GE(columns.back(), capture.Width() - 3 - 8) << name;
            bar.SetPaneWindow(nullptr, 700);
            bar.RemovePane(700);
            pane.DestroyWindow();
        }
        bar.m_pPaintManager = nullptr;
        pTheme->InternalRelease();
        QorSetThemeModeForTest(mode);
    }
}

TEST_F(StatusPaneFixture, LabelPaneReportsClicksToItsFrame)
{
    CQorStatusBarLabelPane pane;
    Host(pane, 701, 60);
    pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pane.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(frame->clicks.size(), 2u);
    EXPECT_EQ(frame->clicks[0].first, static_cast<UINT>(WM_QOR_PANE_CLICKED));
    EXPECT_EQ(frame->clicks[1].first, static_cast<UINT>(WM_QOR_PANE_RIGHT_CLICKED));
    for (const auto& click : frame->clicks)
        EXPECT_EQ(reinterpret_cast<HWND>(click.second), pane.m_hWnd);
}

TEST_F(StatusPaneFixture, AdPaneWidthTextAndRotationFollowTheFeed)
{
    CQorStatusBarAdLabelPane pane;
    Host(pane, 59393, 200);
    struct Case
    {
        int entries;
        int width;
        std::vector<std::wstring> shown; // after 0, 1, 2, 3 timer ticks
    } cases[] = {
        {0, 20, {L"", L"", L"", L""}},
        {1, 250, {L"Title 0", L"Title 0", L"Title 0", L"Title 0"}},
        {3, 250, {L"Title 0", L"Title 1", L"Title 2", L"Title 0"}},
    };
    for (const Case& c : cases) {
        CAdFeedEntries entries;
        for (int i = 0; i < c.entries; ++i)
            entries.push_back({CString(L"Title ") + CString(std::to_wstring(i).c_str()), L"http://maker.example/"});
        pane.ApplyFeed(entries);
        EXPECT_EQ(PaneWidth(59393), c.width) << c.entries;
        for (size_t tick = 0; tick < c.shown.size(); ++tick) {
            if (tick)
                pane.SendMessage(WM_TIMER, CQorStatusBarAdLabelPane::kRotateTimer);
            EXPECT_EQ(std::wstring(pane.GetText()), c.shown[tick]) << c.entries << " entries, tick " << tick;
        }
    }
    // Another timer id changes nothing.
    pane.SendMessage(WM_TIMER, 7);
    EXPECT_EQ(std::wstring(pane.GetText()), L"Title 0");
}

TEST_F(StatusPaneFixture, AdPaneOpensOnlyWebAddresses)
{
    CQorStatusBarAdLabelPane pane;
    Host(pane, 59393, 200);
    std::vector<CString> opened;
    pane.SetLauncher([&](const CString& address) { opened.push_back(address); });
    struct Case
    {
        const wchar_t* url;
        bool opens;
    } cases[] = {
        {L"http://maker.example/a", true},          {L"https://maker.example/b", true},
        {L"file:///C:/windows/notepad.exe", false}, {L"C:\\windows\\notepad.exe", false},
        {L"\\\\server\\share\\x.exe", false},
    };
    for (const Case& c : cases) {
        opened.clear();
        pane.ApplyFeed(Entries({c.url}));
        pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(opened.size(), c.opens ? 1u : 0u) << std::wstring(c.url);
    }
    // The frame hears of the click as well (and ignores it).
    EXPECT_EQ(frame->clicks.size(), std::size(cases));
}

TEST_F(StatusPaneFixture, AdPaneShowsTheFeedsItsWorkerHandsOver)
{
    testsupport::TempFolder folder;
    const std::wstring cache = folder.File(L"Ad.xml");
    const std::string cached = "<Ads><Ad ID='1' Title='Cached' URL='http://maker.example/'/></Ads>";
    testsupport::WriteFileBytes(cache, cached);
    CQorStatusBarAdLabelPane pane;
    Host(pane, 59393, 200);
    // Nothing listens on this port: the download fails and posts nothing.
    pane.StartFeed(cache.c_str(), L"http://127.0.0.1:9/feed.xml");
    EXPECT_EQ(PaneWidth(59393), 20) << "nothing shows before the worker has read the cache";
    EXPECT_TRUE(testsupport::PumpUntil([&] { return std::wstring(pane.GetText()) == L"Cached"; }, 20000));
    EXPECT_EQ(PaneWidth(59393), 250);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !pane.GetFeed().GetDownload().IsRunning(); }, 20000));

    // A download the worker refused leaves nothing for the pane; an accepted one shows.
    testsupport::WriteFileBytes(cache + L".tmp", "<html><body>404 Not Found</body></html>");
    EXPECT_FALSE(pane.GetFeed().AcceptDownload());
    pane.SendMessage(WM_QOR_FEED_DOWNLOADED);
    EXPECT_EQ(std::wstring(pane.GetText()), L"Cached");

    testsupport::WriteFileBytes(cache + L".tmp", "<Ads><Ad Title='Fresh' URL='http://maker.example/'/></Ads>");
    EXPECT_TRUE(pane.GetFeed().AcceptDownload());
    EXPECT_EQ(std::wstring(pane.GetText()), L"Cached") << "shown only at the message";
    pane.SendMessage(WM_QOR_FEED_DOWNLOADED);
    EXPECT_EQ(std::wstring(pane.GetText()), L"Fresh");
    EXPECT_NE(testsupport::ReadFileBytes(cache), cached);
    pane.StopFeed();
}

TEST_F(StatusPaneFixture, DestroyingTheAdPaneEndsAStalledDownload)
{
    readertest::LocalHttpServer server;
    server.Add("/stall.xml", {200, "", true});
    ASSERT_TRUE(server.Start());
    testsupport::TempFolder folder;
    CQorStatusBarAdLabelPane pane;
    Host(pane, 59393, 200);
    pane.StartFeed(folder.File(L"Ad.xml").c_str(), server.Url("/stall.xml").c_str());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Requests("/stall.xml") == 1; }, 20000));
    ASSERT_TRUE(pane.GetFeed().GetDownload().IsRunning());
    const DWORD start = GetTickCount();
    bar.SetPaneWindow(nullptr, 59393);
    pane.DestroyWindow();
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_FALSE(pane.GetFeed().GetDownload().IsRunning());
}
