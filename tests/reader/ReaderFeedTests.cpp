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

namespace {

const wchar_t kReaderKey[] = L"Software\\Vemlorat\\Folionyx";

// Points the reader's settings folder at a folder of the test while it lives.
class SettingsFolderOverride
{
public:
    explicit SettingsFolderOverride(const std::wstring& folder)
    {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kReaderKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        wchar_t old[1024] = {};
        DWORD size = sizeof(old);
        m_bHadValue =
            RegQueryValueExW(key, L"Settings folder", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == 0;
        m_old = old;
        RegSetValueExW(key, L"Settings folder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       DWORD((folder.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~SettingsFolderOverride()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kReaderKey, 0, KEY_ALL_ACCESS, &key) != 0)
            return;
        if (m_bHadValue)
            RegSetValueExW(key, L"Settings folder", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                           DWORD((m_old.size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(key, L"Settings folder");
        RegCloseKey(key);
    }

private:
    bool m_bHadValue = false;
    std::wstring m_old;
};

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
        bookpacker::CBookPacker packer;
        readertest::AddHomePage(packer, readertest::UniqueName(L"feed", L".htm"), L"feed");
        testsupport::TempFolder folder;
        const std::wstring exe = folder.File(L"FeedReader.exe");
        ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
        ASSERT_TRUE(SetFeedAddress(exe, server.Url(c.path)));

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
    bookpacker::CBookPacker packer;
    readertest::AddHomePage(packer, readertest::UniqueName(L"feed", L".htm"), L"feed");
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"StallReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    ASSERT_TRUE(SetFeedAddress(exe, server.Url("/stall.xml")));
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
