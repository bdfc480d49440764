// The announcement feed: reading feed files, the entry shown and its rotation, and the
// background refresh from a server on 127.0.0.1 that answers with a feed, an error page, a
// broken file, or nothing at all.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include "reader/feed/AdFeed.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/LocalHttpServer.h"
#include "tests/reader/ReaderProcess.h"

namespace {

std::string Feed(int entries)
{
    std::string xml = "<?xml version='1.0'?><ads>";
    for (int i = 0; i < entries; ++i)
        xml += "<Ad ID='" + std::to_string(i) + "' Title='Title " + std::to_string(i) + "' URL='http://maker.example/" +
               std::to_string(i) + "'/>";
    return xml + "</ads>";
}


// A window that hands the feed its download message, as the frame does.
class FeedWindow
{
public:
    explicit FeedWindow(CAdFeed& feed) : m_feed(feed)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FeedTestWindow";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowW(L"FeedTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FeedWindow() { DestroyWindow(m_hwnd); }
    HWND Handle() const { return m_hwnd; }
    int Downloaded() const { return m_downloaded; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<FeedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_QOR_FEED_DOWNLOADED && self) {
            self->m_feed.OnFeedDownloaded();
            ++self->m_downloaded;
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    CAdFeed& m_feed;
    HWND m_hwnd = nullptr;
    int m_downloaded = 0;
};

} // namespace

TEST(AdFeed, FeedsOfNoneOneAndThreeEntries)
{
    testsupport::TempFolder folder;
    struct Case
    {
        int entries;
        int current;
        std::vector<int> rotation;
    };
    const Case cases[] = {
        {0, -1, {-1, -1}},
        {1, 0, {0, 0}}, // a single entry is shown, and stays
        {3, 0, {1, 2, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        const std::wstring path = folder.File(L"feed" + std::to_wstring(c.entries) + L".xml");
        testsupport::WriteFileBytes(path, Feed(c.entries));
        CAdFeedEntries entries;
        ASSERT_TRUE(LoadFeed(path.c_str(), entries));
        ASSERT_EQ(size_t(c.entries), entries.size());
        CAdFeed feed;
        feed.ApplyFeed(entries);
        EXPECT_EQ(c.current, feed.GetCurrent());
        if (c.entries > 0) {
            EXPECT_EQ(CString(L"Title 0"), feed.GetCurrentEntry()->strTitle);
        }
        for (int expected : c.rotation) {
            feed.Rotate();
            EXPECT_EQ(expected, feed.GetCurrent());
        }
    }
}

TEST(AdFeed, EntriesNeedTitleAndAddressAndTheRootMustBeAds)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.File(L"feed.xml");
    testsupport::WriteFileBytes(
        path,
        "<ADS><Ad Title='no address'/><Ad URL='http://x.example/'/><Ad URL='http://y.example/' Title='Y'/></ADS>");
    CAdFeedEntries entries;
    ASSERT_TRUE(LoadFeed(path.c_str(), entries));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(CString(L"Y"), entries[0].strTitle);

    for (const char* text : {"<Other><Ad Title='t' URL='http://x.example/'/></Other>", "not xml at all", ""}) {
        testsupport::WriteFileBytes(path, text);
        EXPECT_FALSE(LoadFeed(path.c_str(), entries)) << text;
        EXPECT_TRUE(entries.empty());
    }
    EXPECT_FALSE(LoadFeed(folder.File(L"missing.xml").c_str(), entries));
}

TEST(AdFeed, OnlyWebAddressesAreOpened)
{
    for (const wchar_t* address : {L"http://maker.example/a", L"HTTPS://maker.example/b"})
        EXPECT_TRUE(IsOpenableFeedAddress(address));
    for (const wchar_t* address : {L"file:///C:/windows/system32/calc.exe", L"C:\\windows\\notepad.exe",
                                   L"\\\\server\\share\\run.exe", L"javascript:alert(1)", L"", L"httpx://a"})
        EXPECT_FALSE(IsOpenableFeedAddress(address));
}

TEST(AdFeed, DownloadReplacesTheCacheOnlyWithAFeed)
{
    readertest::LocalHttpServer server;
    server.Add("/valid.xml", {200, Feed(3), false});
    server.Add("/missing.xml", {404, "<html><body>Not Found</body></html>", false});
    server.Add("/broken.xml", {200, "<html>a proxy's page</html>", false});
    ASSERT_TRUE(server.Start());

    // An error page never reaches the window; a broken file does, and is refused there.
    struct Case
    {
        const char* path;
        int messages;
        bool replaced;
    };
    const Case cases[] = {{"/missing.xml", 0, false}, {"/broken.xml", 1, false}, {"/valid.xml", 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        testsupport::TempFolder folder;
        const std::wstring cache = folder.File(L"Ad.xml");
        testsupport::WriteFileBytes(cache, Feed(1));
        CAdFeed feed;
        FeedWindow window(feed);
        feed.StartFeed(cache.c_str(), server.Url(c.path).c_str(), window.Handle());
        EXPECT_EQ(1u, feed.GetEntries().size()); // the cached feed shows at once
        // Wait for the worker, then for the message it may have posted.
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !feed.GetDownload().IsRunning(); }, 20000));
        testsupport::PumpMessages();
        EXPECT_EQ(1, server.Requests(c.path));
        EXPECT_EQ(c.messages, window.Downloaded());
        EXPECT_EQ(c.replaced ? Feed(3) : Feed(1), testsupport::ReadFileBytes(cache));
        EXPECT_EQ(c.replaced ? 3u : 1u, feed.GetEntries().size());
        EXPECT_FALSE(readertest::FileExists(feed.GetDownloadPath().GetString()));
    }
}

TEST(AdFeed, StoppingAStalledDownloadEndsItPromptly)
{
    readertest::LocalHttpServer server;
    server.Add("/stall.xml", {200, "", true});
    ASSERT_TRUE(server.Start());
    testsupport::TempFolder folder;
    CAdFeed feed;
    FeedWindow window(feed);
    feed.StartFeed(folder.File(L"Ad.xml").c_str(), server.Url("/stall.xml").c_str(), window.Handle());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Requests("/stall.xml") == 1; }, 20000));
    EXPECT_TRUE(feed.GetDownload().IsRunning());
    const DWORD start = GetTickCount();
    feed.Stop();
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_FALSE(feed.GetDownload().IsRunning());
    EXPECT_EQ(nullptr, feed.GetDownload().GetThreadHandle());
    feed.Stop(); // a second stop finds nothing to do
}
