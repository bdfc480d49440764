// The start-up picture: one window with the executable's bitmap, centred, gone after its
// time; and under a German user, whose strings come from the language module, it still shows.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "reader/ui/SplashWnd.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/LocaleProcess.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/StoredLanguageChoice.h"

namespace {

bool IsFrameClass(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return lstrcmpW(name, readertest::kFrameClass) == 0;
}

const COLORREF kGround = RGB(0x1F, 0x4E, 0xA8);
const COLORREF kPage = RGB(0xF4, 0xE9, 0xC8);
const int kSplashWidth = 240, kSplashHeight = 140;

bool IsSplashSized(HWND hwnd, const void*)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return !IsFrameClass(hwnd) && rect.right - rect.left == kSplashWidth &&
           rect.bottom - rect.top == kSplashHeight;
}

bool IsFrame(HWND hwnd, const void*)
{
    return IsFrameClass(hwnd);
}

// A reader that asks for its splash, with one Home page holding `text`.
bool MakeSplashReader(const std::wstring& exe, const wchar_t* text)
{
    bookpacker::CBookPacker packer;
    packer.settings.showSplashScreen = true;
    readertest::AddHomePage(packer, readertest::UniqueName(L"splash", L".htm"), text);
    return readertest::MakeFixtureReader(packer, exe);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context)
{
    reinterpret_cast<std::vector<WORD>*>(context)->push_back(language);
    return TRUE;
}

bool IsOtherThanFrame(HWND hwnd, const void*)
{
    return !IsFrameClass(hwnd);
}

struct ImageSearch
{
    std::wstring image;
    HWND found;
};

BOOL CALLBACK FindSplashOfImage(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<ImageSearch*>(lp);
    if (!IsWindowVisible(hwnd) || !IsSplashSized(hwnd, nullptr))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return TRUE;
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    bool same = QueryFullProcessImageNameW(process, 0, path, &size) && lstrcmpiW(path, search->image.c_str()) == 0;
    CloseHandle(process);
    if (same) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void ExpectSplashPixels(HWND splash)
{
    testsupport::WindowCapture capture(splash, true);
    ASSERT_EQ(kSplashWidth, capture.Width());
    EXPECT_EQ(kGround, capture.Pixel(5, 5));
    EXPECT_EQ(kPage, capture.Pixel(60, 45));
    const RECT all = {0, 0, capture.Width(), capture.Height()};
    EXPECT_GT(capture.CountColor(kPage, all), 5000);
}

} // namespace

TEST(SplashWnd, ShowsOnceCentredOnTheWorkAreaAndGoesAfterItsTime)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    // The main window already shows when the splash comes: in a corner, small, it must not
    // pull the splash over to itself.
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, work.left + 10, work.top + 10, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    CWnd ownerWnd;
    ownerWnd.Attach(owner);
    for (CWnd* parent : {static_cast<CWnd*>(nullptr), &ownerWnd}) {
        SCOPED_TRACE(parent ? "visible owner" : "no owner");
        CSplashWnd::EnableSplashScreen(FALSE);
        CSplashWnd::ShowSplashScreen(parent);
        EXPECT_EQ(nullptr, CSplashWnd::GetCurrent()); // splash display is off

        CSplashWnd::EnableSplashScreen(TRUE);
        CSplashWnd::ShowSplashScreen(parent);
        CSplashWnd* splash = CSplashWnd::GetCurrent();
        ASSERT_NE(nullptr, splash);
        CSplashWnd::ShowSplashScreen(parent);
        EXPECT_EQ(splash, CSplashWnd::GetCurrent()); // asked twice, one window
        HWND hwnd = splash->GetSafeHwnd();
        ASSERT_TRUE(IsWindowVisible(hwnd));
        EXPECT_EQ(parent ? owner : nullptr, GetWindow(hwnd, GW_OWNER));

        RECT rect;
        GetWindowRect(hwnd, &rect);
        EXPECT_EQ(kSplashWidth, rect.right - rect.left);
        EXPECT_EQ(kSplashHeight, rect.bottom - rect.top);
        EXPECT_NEAR((rect.left + rect.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((rect.top + rect.bottom) / 2, (work.top + work.bottom) / 2, 1);
        testsupport::PumpMessages();
        ExpectSplashPixels(hwnd);

        EXPECT_TRUE(testsupport::PumpUntil([&] { return CSplashWnd::GetCurrent() == nullptr; }, 5000));
        EXPECT_FALSE(IsWindow(hwnd));
    }
    CSplashWnd::EnableSplashScreen(FALSE);
    ownerWnd.Detach();
    DestroyWindow(owner);
}

TEST(SplashWnd, GermanUserSeesTheExecutablesSplash)
{
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"SplashReader.exe");
    ASSERT_TRUE(MakeSplashReader(exe, L"Willkommen"));
    readertest::StoredLanguageChoice choice(L"Folionyx");
    choice.Remove();

    readertest::LocaleProcess reader;
    ASSERT_TRUE(reader.Start("de_DE.UTF-8", exe, L"", folder.File(L"reader.log")));
    ImageSearch search = {exe, nullptr};
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] {
            EnumWindows(FindSplashOfImage, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        30000));
    DWORD pid = 0;
    GetWindowThreadProcessId(search.found, &pid);
    // Painted while it shows, over the frame.
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            testsupport::WindowCapture capture(search.found, true);
            return capture.Width() == kSplashWidth && capture.Pixel(5, 5) == kGround;
        },
        1400));
    ExpectSplashPixels(search.found);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(search.found); }, 10000));

    // The reader goes on: its frame is there and closes normally.
    HWND frame = nullptr;
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            frame = readertest::FindProcessWindow(pid, IsFrame, nullptr);
            return frame != nullptr;
        },
        10000));
    if (frame)
        PostMessageW(frame, WM_CLOSE, 0, 0);
    int exitCode = -1;
    EXPECT_TRUE(reader.Wait(30000, exitCode));
}

TEST(SplashWnd, BookWithoutASplashBitmapStartsWithoutOne)
{
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"NoSplashReader.exe");
    ASSERT_TRUE(MakeSplashReader(exe, L"No picture"));
    // Wine's resource update leaves a resource in place when asked to delete it; the picture is
    // replaced, in every language it is there in, by bytes that are no bitmap at all.
    std::vector<WORD> languages;
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, image);
    EnumResourceLanguagesW(image, RT_BITMAP, L"SPLASH", CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    FreeLibrary(image);
    ASSERT_FALSE(languages.empty());
    HANDLE update = BeginUpdateResourceW(exe.c_str(), FALSE);
    ASSERT_NE(nullptr, update);
    BYTE noBitmap[4] = {'n', 'o', 'n', 'e'};
    BOOL replaced = TRUE;
    for (WORD language : languages)
        replaced = replaced && UpdateResourceW(update, RT_BITMAP, L"SPLASH", language, noBitmap, sizeof(noBitmap));
    ASSERT_TRUE(EndUpdateResourceW(update, !replaced) && replaced);
    image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(nullptr, LoadImageW(image, L"SPLASH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    FreeLibrary(image);

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(nullptr, frame);
    // A splash would show before the frame does; the frame is the only window there is.
    EXPECT_EQ(nullptr, readertest::FindProcessWindow(reader.ProcessId(), IsOtherThanFrame, nullptr));
    DWORD exitCode = 1;
    EXPECT_TRUE(reader.CloseAndWaitForExit(frame, 30000, exitCode));
    EXPECT_EQ(0u, exitCode);
}
