// The download machinery under the feed: progress reports and the HTTP status of the
// bind-status callback, numbered file names, file comparison, and the local copies of cached
// addresses with safe names.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>
#include <fstream>
#include <string>
#include "reader/app/AppFolders.h"
#include "reader/feed/BindStatusCallback.h"
#include "reader/feed/DownloadCache.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/StringPrinter.h"

namespace {

void WriteText(const std::wstring& path, const std::string& text)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out << text;
}

// Puts a file into the browser cache for an address; the cache chooses the file's name from
// the address. Returns the cached file's path.
std::wstring CacheFile(const std::wstring& url, LPCWSTR extension, const std::string& content)
{
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(url.c_str(), 0, extension, file, 0))
        return std::wstring();
    WriteText(file, content);
    FILETIME never = {};
    if (!CommitUrlCacheEntryW(url.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr))
        return std::wstring();
    return file;
}

} // namespace

TEST(BindStatusCallback, ProgressPostsPercentagesUntilCancelled)
{
    HWND window = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    volatile LONG cancel = 0;
    const UINT kProgress = WM_APP + 7;
    CQorBindStatusCallback callback(window, 0x1234, kProgress, &cancel);
    struct Case
    {
        ULONG progress, maximum;
        UINT percent;
    };
    const Case cases[] = {{1000, 4000, 25},  {500, 0, 0},       {0, 0, 0},
                          {4000, 4000, 100}, {5000, 4000, 125}, {0xFFFFFFFF, 0xFFFFFFFF, 100},
                          {1, 3, 33}};
    for (const Case& c : cases) {
        EXPECT_EQ(S_OK, callback.OnProgress(c.progress, c.maximum, BINDSTATUS_DOWNLOADINGDATA, nullptr));
        MSG msg = {};
        ASSERT_TRUE(PeekMessageW(&msg, window, kProgress, kProgress, PM_REMOVE));
        EXPECT_EQ(c.percent, msg.wParam) << c.progress << "/" << c.maximum;
        EXPECT_EQ(0x1234, msg.lParam);
    }
    cancel = 1;
    EXPECT_EQ(E_ABORT, callback.OnProgress(1, 2, BINDSTATUS_DOWNLOADINGDATA, nullptr));
    MSG msg = {};
    EXPECT_FALSE(PeekMessageW(&msg, window, kProgress, kProgress, PM_REMOVE));
    DestroyWindow(window);
}

TEST(BindStatusCallback, AnswersHttpNegotiationAndRecordsTheStatus)
{
    CQorBindStatusCallback callback(nullptr, 0, 0, nullptr);
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(S_OK, callback.QueryInterface(IID_IHttpNegotiate, &p));
    EXPECT_EQ(static_cast<IHttpNegotiate*>(&callback), p);
    EXPECT_EQ(S_OK, callback.QueryInterface(IID_IBindStatusCallback, &p));
    EXPECT_EQ(static_cast<IBindStatusCallback*>(&callback), p);
    EXPECT_EQ(E_NOINTERFACE, callback.QueryInterface(IID_IStream, &p));
    EXPECT_EQ(nullptr, p);

    EXPECT_FALSE(callback.IsErrorResponse());
    LPWSTR headers = reinterpret_cast<LPWSTR>(1);
    EXPECT_EQ(S_OK, callback.OnResponse(399, L"", nullptr, &headers));
    EXPECT_EQ(nullptr, headers);
    EXPECT_FALSE(callback.IsErrorResponse());
    callback.OnResponse(404, L"", nullptr, nullptr);
    EXPECT_EQ(404u, callback.GetResponseCode());
    EXPECT_TRUE(callback.IsErrorResponse());
}

TEST(DownloadCache, UniquePathsAreNumberedAndBounded)
{
    testsupport::TempFolder folder;
    CString path(folder.File(L"feed.xml").c_str());
    EXPECT_TRUE(MakeUniquePath(path));
    EXPECT_EQ(CString(folder.File(L"feed.xml").c_str()), path); // free: unchanged

    WriteText(folder.File(L"feed.xml"), "a");
    WriteText(folder.File(L"feed (1).xml"), "b");
    EXPECT_TRUE(MakeUniquePath(path));
    EXPECT_EQ(CString(folder.File(L"feed (2).xml").c_str()), path);

    // With every numbered name taken the search ends instead of running on.
    WriteText(folder.File(L"feed (2).xml"), "c");
    path = folder.File(L"feed.xml").c_str();
    EXPECT_FALSE(MakeUniquePath(path, 2));
    EXPECT_EQ(CString(folder.File(L"feed.xml").c_str()), path);
}

TEST(DownloadCache, FilesCompareByPathThenContent)
{
    testsupport::TempFolder folder;
    const std::wstring a = folder.File(L"a.txt"), b = folder.File(L"b.txt"), c = folder.File(L"c.txt");
    WriteText(a, "same");
    WriteText(b, "same");
    WriteText(c, "other");
    EXPECT_EQ(0, CompareFiles(a.c_str(), a.c_str()));
    EXPECT_EQ(0, CompareFiles(a.c_str(), folder.File(L"A.TXT").c_str()));
    EXPECT_EQ(0, CompareFiles(a.c_str(), b.c_str()));
    EXPECT_NE(0, CompareFiles(a.c_str(), c.c_str()));
    EXPECT_EQ(-1, CompareFiles(folder.File(L"none").c_str(), a.c_str()));
    EXPECT_EQ(1, CompareFiles(a.c_str(), folder.File(L"none").c_str()));

    // Identical: nothing is copied. Different: the copy takes the next free name.
    EXPECT_EQ(CString(b.c_str()), CopyUnlessIdentical(b.c_str(), a.c_str()));
    EXPECT_FALSE(readertest::FileExists(folder.File(L"b (1).txt")));
    EXPECT_EQ(CString(folder.File(L"c (1).txt").c_str()), CopyUnlessIdentical(c.c_str(), a.c_str()));
    std::ifstream copy(folder.File(L"c (1).txt").c_str());
    std::string text;
    copy >> text;
    EXPECT_EQ("same", text);
}

TEST(DownloadCache, CachedAddressesGetSafeLocalNames)
{
    const std::wstring work(GetWorkFolder().GetString());
    const std::wstring token = std::to_wstring(GetTickCount());
    const std::wstring base = L"http://cache.example/" + token + L"/";

    // A title with a hyphen is copied into the work folder under a safe name.
    const std::wstring hyphen = CacheFile(base + L"ads-list.xml", L"xml", "<Ads/>");
    ASSERT_FALSE(hyphen.empty());
    const CString local = GetLocalCopyOfUrl((base + L"ads-list.xml").c_str());
    EXPECT_EQ(CString(work.c_str()), local.Left(int(work.size())));
    EXPECT_EQ(-1, local.Find(L'-'));
    EXPECT_TRUE(readertest::FileExists(local.GetString()));
    DeleteFileW(local);

    // A name of safe characters only ("ads[1].xml") is used in place.
    const std::wstring plain = CacheFile(base + L"ads.xml", L"xml", "<Ads/>");
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(CString(plain.c_str()), GetLocalCopyOfUrl((base + L"ads.xml").c_str()));

    // The scheme in capitals finds the same entry.
    EXPECT_EQ(CString(hyphen.c_str()),
              GetCachedFileOfUrl((L"HTTP://cache.example/" + token + L"/ads-list.xml").c_str()));

    // Unknown addresses have no local file.
    EXPECT_TRUE(GetCachedFileOfUrl((base + L"never-cached.xml").c_str()).IsEmpty());
    EXPECT_TRUE(GetLocalCopyOfUrl((base + L"never-cached.xml").c_str()).IsEmpty());
}

TEST(DownloadCache, EscapedCacheNamesStayInsideTheWorkFolder)
{
    // The cache names its files after the address; names with escapes are decoded for the
    // copy, but a decoded name that leaves the folder keeps the cache's own path.
    const std::wstring work(GetWorkFolder().GetString());
    struct Case
    {
        const wchar_t* name;
        bool copied;
        const wchar_t* decoded;
    };
    const Case cases[] = {
        {L"ads%20list.xml", true, L"ads list.xml"},
        {L"%5C..%5C..%5Cescape.xml", false, nullptr},
        {L"..%2F..%2Fescape.xml", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CStringA(c.name).GetString());
        // The cached file gets the name in the cache's own folder, as a cache would name it.
        const std::wstring key = L"http://escape.example/" + std::to_wstring(GetTickCount()) + L"/" + c.name;
        wchar_t file[MAX_PATH] = {};
        ASSERT_TRUE(CreateUrlCacheEntryW(key.c_str(), 0, L"xml", file, 0));
        const std::wstring cached = std::wstring(file).substr(0, std::wstring(file).find_last_of(L'\\') + 1) + c.name;
        WriteText(cached, "<Ads/>");
        FILETIME never = {};
        ASSERT_TRUE(CommitUrlCacheEntryW(key.c_str(), cached.c_str(), never, never, NORMAL_CACHE_ENTRY, nullptr, 0,
                                         nullptr, nullptr));
        const CString result = GetCachedFileOfUrl(key.c_str());
        if (c.copied) {
            EXPECT_EQ(CString((work + c.decoded).c_str()), result);
            EXPECT_TRUE(readertest::FileExists(work + c.decoded));
            DeleteFileW((work + c.decoded).c_str());
        } else {
            EXPECT_EQ(CString(cached.c_str()), result);
        }
    }
    EXPECT_FALSE(readertest::FileExists(work + L"..\\escape.xml"));
}
