// The running reader refreshes the announcement feed from the address of its string 209, here
// a server on 127.0.0.1, into the settings folder named in the registry: a valid feed replaces
// Ad.xml, an error page does not, and closing during a download that never answers ends the
// reader promptly.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/LocalHttpServer.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/SettingsFolderOverride.h"

namespace {

using readertest::SettingsFolderOverride;

// Rewrites string 209 (the feed address) of the reader's English strings.
bool SetFeedAddress(const std::wstring& exe, const std::wstring& address)
{
    // Strings 208-223 form block 14; the reader has only 209 in it.
    std::vector<WORD> block;
    for (int id = 208; id < 224; ++id) {
        if (id == IDS_FEED_ADDRESS) {
            block.push_back(WORD(address.size()));
            block.insert(block.end(), address.begin(), address.end());
        } else {
            block.push_back(0);
        }
    }
    HANDLE update = BeginUpdateResourceW(exe.c_str(), FALSE);
    if (!update)
        return false;
    bool ok = UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(IDS_FEED_ADDRESS / 16 + 1),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), block.data(), DWORD(block.size() * 2));
    return EndUpdateResourceW(update, !ok) && ok;
}

// A reader whose book is one Home page and whose feed comes from `address`.
bool MakeFeedReader(const std::wstring& exe, const std::wstring& address)
{
    bookpacker::CBookPacker packer;
    readertest::AddHomePage(packer, readertest::UniqueName(L"feed", L".htm"), L"feed");
    return readertest::MakeFixtureReader(packer, exe) && SetFeedAddress(exe, address);
}

std::string ReadText(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char kOldFeed[] = "<Ads><Ad Title='old' URL='http://maker.example/old'/></Ads>";
const char kNewFeed[] = "<Ads><Ad Title='new' URL='http://maker.example/new'/></Ads>";

} // namespace

TEST(ReaderFeed, FeedFromTheLocalServerReplacesTheCacheOnlyWhenValid)
{
    readertest::LocalHttpServer server;
    server.Add("/valid.xml", {200, kNewFeed, false});
    server.Add("/missing.xml", {404, "<html>Not Found</html>", false});
    server.Add("/stall.xml", {200, "", true});
    ASSERT_TRUE(server.Start());

    struct Case
    {
        const char* path;
        bool replaced;
    };
    const Case cases[] = {{"/missing.xml", false}, {"/valid.xml", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        testsupport::TempFolder settings;
        std::ofstream(settings.File(L"Ad.xml").c_str(), std::ios::binary) << kOldFeed;
        SettingsFolderOverride override(settings.Path());
        testsupport::TempFolder folder;
        const std::wstring exe = folder.File(L"FeedReader.exe");
        ASSERT_TRUE(MakeFeedReader(exe, server.Url(c.path)));

        readertest::ReaderProcess reader;
        ASSERT_TRUE(reader.Start(exe));
        HWND frame = reader.WaitForFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Requests(c.path) == 1; }, 20000));
        if (c.replaced) {
            EXPECT_TRUE(testsupport::PumpUntil([&] { return ReadText(settings.File(L"Ad.xml")) == kNewFeed; }, 20000));
        }
        // Closing waits for the download; the ".tmp" is gone either way.
        PostMessageW(frame, WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
        EXPECT_EQ(c.replaced ? std::string(kNewFeed) : std::string(kOldFeed), ReadText(settings.File(L"Ad.xml")));
        EXPECT_FALSE(readertest::FileExists(settings.File(L"Ad.xml.tmp")));
    }

    // A server that never answers does not hold the reader up when it closes.
    testsupport::TempFolder settings;
    SettingsFolderOverride override(settings.Path());
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"StallReader.exe");
    ASSERT_TRUE(MakeFeedReader(exe, server.Url("/stall.xml")));
    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Requests("/stall.xml") == 1; }, 20000));
    const DWORD start = GetTickCount();
    PostMessageW(frame, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
    EXPECT_LT(GetTickCount() - start, 8000u);
}

TEST(ReaderFeed, OversizedFeedIsRefusedWhileTheFrameKeepsAnswering)
{
    // About 2 MB of 100,000 entries, each as short as a feed entry can be.
    std::string huge = "<Ads>";
    for (int i = 0; i < 100000; ++i)
        huge += "<a Title='" + std::to_string(i) + "' URL='u'/>";
    huge += "</Ads>";
    readertest::LocalHttpServer server;
    server.Add("/huge.xml", {200, huge, false});
    ASSERT_TRUE(server.Start());

    testsupport::TempFolder settings;
    std::ofstream(settings.File(L"Ad.xml").c_str(), std::ios::binary) << kOldFeed;
    SettingsFolderOverride override(settings.Path());
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"HugeFeedReader.exe");
    ASSERT_TRUE(MakeFeedReader(exe, server.Url("/huge.xml")));

    readertest::ReaderProcess reader;
    ASSERT_TRUE(reader.Start(exe));
    HWND frame = reader.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    // The frame is asked every 50 ms until the answer has gone out and for five seconds more,
    // the time in which a frame that took the answer in would be busy with it.
    const DWORD start = GetTickCount();
    DWORD finishedAt = 0;
    int slowAnswers = 0;
    while (finishedAt == 0 ? GetTickCount() - start < 30000 : GetTickCount() - finishedAt < 5000) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result))
            ++slowAnswers;
        if (finishedAt == 0 && server.Finished("/huge.xml") > 0)
            finishedAt = GetTickCount();
        Sleep(50);
    }
    EXPECT_EQ(0, slowAnswers);
    ASSERT_NE(0u, finishedAt) << "the reader never took the feed's answer";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
    EXPECT_TRUE(std::string(kOldFeed) == ReadText(settings.File(L"Ad.xml"))) << "the cached feed was replaced";
    EXPECT_FALSE(readertest::FileExists(settings.File(L"Ad.xml.tmp")));
}
