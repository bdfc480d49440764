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

// A feed of exactly `bytes` bytes: entries, and blanks to fill what is left.
std::string PaddedFeed(size_t bytes)
{
    std::string xml = "<Ads>";
    for (int i = 0; xml.size() + 6 < bytes; ++i) {
        std::string entry = "<Ad Title='" + std::to_string(i) + "' URL='http://m.example/'/>";
        if (xml.size() + entry.size() + 6 > bytes)
            entry = std::string(bytes - xml.size() - 6, ' ');
        xml += entry;
    }
    return xml + "</Ads>";
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

TEST(AdFeed, FeedFilesAreBoundInSizeAndEntries)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.File(L"feed.xml");
    struct Case
    {
        std::string text;
        bool loads;
        size_t entries;
    };
    const Case cases[] = {
        {Feed(ADFEED_MAX_ENTRIES + 500), true, ADFEED_MAX_ENTRIES}, // only the first ones are kept
        {PaddedFeed(ADFEED_MAX_BYTES), true, ADFEED_MAX_ENTRIES},
        {PaddedFeed(ADFEED_MAX_BYTES + 1), false, 0}, // one byte over the bound is no feed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.size());
        testsupport::WriteFileBytes(path, c.text);
        CAdFeedEntries entries;
        EXPECT_EQ(c.loads, LoadFeed(path.c_str(), entries) != FALSE);
        ASSERT_EQ(c.entries, entries.size());
    }
}

TEST(AdFeed, AcceptedDownloadReplacesTheCacheAndReachesTheWindow)
{
    testsupport::TempFolder folder;
    const std::wstring cache = folder.File(L"Ad.xml");
    CAdFeed feed;
    FeedWindow window(feed);
    // Nothing listens on this port: only the cached feed arrives.
    testsupport::WriteFileBytes(cache, Feed(1));
    feed.StartFeed(cache.c_str(), L"http://127.0.0.1:9/feed.xml", window.Handle());
    EXPECT_TRUE(feed.GetEntries().empty()); // read by the worker, not here
    ASSERT_TRUE(testsupport::PumpUntil([&] { return feed.GetEntries().size() == 1; }, 20000));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !feed.GetDownload().IsRunning(); }, 20000));
    testsupport::PumpMessages();
    EXPECT_EQ(1, window.Downloaded());

    // What the worker does with a downloaded file, here on this thread.
    struct Case
    {
        std::string downloaded;
        bool accepted;
    };
    const Case cases[] = {
        {"<html><body>404 Not Found</body></html>", false},
        {PaddedFeed(ADFEED_MAX_BYTES + 1), false},
        {Feed(3), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.downloaded.substr(0, 20));
        const std::string before = testsupport::ReadFileBytes(cache);
        testsupport::WriteFileBytes(feed.GetDownloadPath().GetString(), c.downloaded);
        EXPECT_EQ(c.accepted, feed.AcceptDownload() != FALSE);
        EXPECT_FALSE(readertest::FileExists(feed.GetDownloadPath().GetString()));
        EXPECT_TRUE((c.accepted ? c.downloaded : before) == testsupport::ReadFileBytes(cache)) << "the cache changed";
        EXPECT_EQ(c.accepted, feed.OnFeedDownloaded() != FALSE);
        EXPECT_EQ(c.accepted ? 3u : 1u, feed.GetEntries().size());
    }
}

TEST(AdFeed, DownloadReplacesTheCacheOnlyWithAFeedOfBoundSize)
{
    readertest::LocalHttpServer server;
    server.Add("/valid.xml", {200, Feed(3), false});
    server.Add("/missing.xml", {404, "<html><body>Not Found</body></html>", false});
    server.Add("/broken.xml", {200, "<html>a proxy's page</html>", false});
    server.Add("/huge.xml", {200, Feed(20000), false});
    ASSERT_TRUE(server.Start());

    struct Case
    {
        const char* path;
        bool replaced;
    };
    const Case cases[] = {
        {"/missing.xml", false}, {"/broken.xml", false}, {"/huge.xml", false}, {"/valid.xml", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        testsupport::TempFolder folder;
        const std::wstring cache = folder.File(L"Ad.xml");
        testsupport::WriteFileBytes(cache, Feed(1));
        CAdFeed feed;
        FeedWindow window(feed);
        feed.StartFeed(cache.c_str(), server.Url(c.path).c_str(), window.Handle());
        // Wait for the worker, then for the messages it posted: the cached feed, and a
        // downloaded one when it was accepted.
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !feed.GetDownload().IsRunning(); }, 20000));
        testsupport::PumpMessages();
        EXPECT_EQ(1, server.Requests(c.path));
        EXPECT_EQ(c.replaced ? 2 : 1, window.Downloaded());
        EXPECT_TRUE((c.replaced ? Feed(3) : Feed(1)) == testsupport::ReadFileBytes(cache)) << "the cache changed";
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
