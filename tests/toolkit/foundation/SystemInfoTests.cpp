// Versions, monitors and work areas, module handles.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit/foundation/SystemInfo.h"

namespace {

// Two monitors side by side; the right one has its task bar at the top.
const RECT kLeftMonitor = {0, 0, 1000, 800}, kLeftWork = {0, 0, 1000, 760};
const RECT kRightMonitor = {1000, 0, 2000, 800}, kRightWork = {1000, 40, 2000, 800};
HMONITOR const kLeft = reinterpret_cast<HMONITOR>(1);
HMONITOR const kRight = reinterpret_cast<HMONITOR>(2);

HMONITOR WINAPI FakeMonitorFromRect(LPCRECT rc, DWORD)
{
    int centre = (rc->left + rc->right) / 2;
    return centre < 0 || centre >= 2000 ? nullptr : centre < 1000 ? kLeft : kRight;
}

BOOL WINAPI FakeGetMonitorInfo(HMONITOR monitor, LPMONITORINFO info)
{
    if (info->cbSize != sizeof(MONITORINFO) || (monitor != kLeft && monitor != kRight))
        return FALSE;
    info->rcMonitor = monitor == kLeft ? kLeftMonitor : kRightMonitor;
    info->rcWork = monitor == kLeft ? kLeftWork : kRightWork;
    return TRUE;
}

class MonitorTable : public testing::Test
{
protected:
    void TearDown() override { QorSetMultiMonitorApiForTest(nullptr); }
};

CRect SystemWorkArea()
{
    CRect rc;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

} // namespace

// The version is what the library itself answers; a library that answers nothing (here one
// without DllGetVersion, or none at all) counts as 4.0.
TEST(SystemInfo, ComCtlVersionIsTheLibrarysOwnElseFourPointZero)
{
    DLLVERSIONINFO dvi = {};
    dvi.cbSize = sizeof(dvi);
    auto pfnGetVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(LoadLibraryW(L"COMCTL32.DLL"), "DllGetVersion"));
    ASSERT_NE(nullptr, pfnGetVersion);
    ASSERT_TRUE(SUCCEEDED(pfnGetVersion(&dvi)));
    const DWORD dwAnswer = (dvi.dwMajorVersion << 16) | dvi.dwMinorVersion;
    ASSERT_GE(dwAnswer, 0x40000u);
    EXPECT_EQ(dwAnswer, GetComCtlVersion());
    const struct
    {
        const char* name;
        LPCWSTR library;
    } silent[] = {{"no DllGetVersion", L"KERNEL32.DLL"}, {"no library", L"folionyx-no-such-library.dll"}};
    for (const auto& c : silent) {
        QorSetComCtlLibraryForTest(c.library);
        EXPECT_EQ(0x40000u, GetComCtlVersion()) << c.name;
    }
    QorSetComCtlLibraryForTest(nullptr);
    EXPECT_EQ(dwAnswer, GetComCtlVersion());
}

TEST(SystemInfo, OsVersionIsReadOnceAndInjectable)
{
    EXPECT_EQ(sizeof(OSVERSIONINFOW), GetOsVersionInfo().dwOSVersionInfoSize);
    EXPECT_GE(GetOsVersionInfo().dwMajorVersion, 5u);
    OSVERSIONINFOW win98{};
    win98.dwOSVersionInfoSize = sizeof(win98);
    win98.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    win98.dwMajorVersion = 4;
    QorSetOsVersionInfoForTest(&win98);
    EXPECT_EQ(4u, GetOsVersionInfo().dwMajorVersion);
    QorSetOsVersionInfoForTest(nullptr);
    EXPECT_GE(GetOsVersionInfo().dwMajorVersion, 5u);
}

TEST_F(MonitorTable, RealTableHasEveryEntryAndOneMonitor)
{
    const CQorMultiMonitorApi& api = GetMultiMonitorApi();
    ASSERT_NE(nullptr, api.pfnMonitorFromRect);
    ASSERT_NE(nullptr, api.pfnGetMonitorInfo);
    RECT rc = {10, 10, 50, 50}, work{};
    GetWorkAreaFromRect(work, rc);
    EXPECT_EQ(SystemWorkArea(), CRect(work));
    EXPECT_EQ(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)),
              GetMonitorRect(api, api.pfnMonitorFromRect(&rc, MONITOR_DEFAULTTOPRIMARY)));
}

TEST_F(MonitorTable, NullEntriesFallBackToTheSystemWorkAreaAndFullScreen)
{
    CQorMultiMonitorApi none{};
    QorSetMultiMonitorApiForTest(&none);
    RECT work{}, rc = {1200, 10, 1300, 50};
    GetWorkAreaFromRect(work, rc);
    EXPECT_EQ(SystemWorkArea(), CRect(work));
    GetWorkAreaOfWindow(work, GetDesktopWindow(), none);
    EXPECT_EQ(SystemWorkArea(), CRect(work));
    EXPECT_EQ(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), GetMonitorRect(none, kLeft));
}

TEST_F(MonitorTable, WorkAreaFromRectPicksTheMonitorThatHoldsIt)
{
    CQorMultiMonitorApi two{};
    two.pfnMonitorFromRect = FakeMonitorFromRect;
    two.pfnGetMonitorInfo = FakeGetMonitorInfo;
    QorSetMultiMonitorApiForTest(&two);
    struct Row
    {
        const char* name;
        RECT source;
        RECT expected;
    } rows[] = {
        {"left", {100, 100, 300, 200}, kLeftWork},
        {"right", {1500, 100, 1700, 200}, kRightWork},
        {"mostly right", {900, 0, 1300, 10}, kRightWork},
        {"on no monitor", {-500, 0, -300, 10}, SystemWorkArea()},
    };
    for (const Row& row : rows) {
        RECT work{};
        GetWorkAreaFromRect(work, row.source);
        EXPECT_EQ(CRect(row.expected), CRect(work)) << row.name;
    }
    EXPECT_EQ(CRect(kRightMonitor), GetMonitorRect(two, kRight));
}

TEST(ModuleHandle, GetModuleNeverFreesAndLoadedFreesExactlyOnce)
{
    const wchar_t* dll = L"mpr.dll";
    ASSERT_EQ(nullptr, GetModuleHandleW(dll)) << "pick a library nobody has loaded";
    HMODULE own = LoadLibraryW(dll); // our own reference keeps it loaded while we look
    ASSERT_NE(nullptr, own);
    {
        CQorModuleHandle loaded;
        ASSERT_TRUE(loaded.LoadLibrary(dll));
        EXPECT_EQ(CQorModuleHandle::modeLoaded, loaded.GetMode());
        FARPROC entry = nullptr;
        EXPECT_TRUE(loaded.GetProcAddress("WNetGetUserW", &entry));
        EXPECT_FALSE(loaded.GetProcAddress("NoSuchEntry", &entry));
        // Re-initialised under another name: the loaded reference goes now, and only now.
        ASSERT_TRUE(loaded.Init(L"kernel32.dll"));
        EXPECT_EQ(CQorModuleHandle::modeGetModule, loaded.GetMode());
        CQorModuleHandle found(dll); // already loaded: taken, not loaded again
        EXPECT_EQ(CQorModuleHandle::modeGetModule, found.GetMode());
    }
    // Neither handle freed again when it went: our one reference still holds the library.
    EXPECT_EQ(own, GetModuleHandleW(dll));
    FreeLibrary(own);
    EXPECT_EQ(nullptr, GetModuleHandleW(dll));

    CQorModuleHandle empty;
    FARPROC entry = reinterpret_cast<FARPROC>(1);
    EXPECT_FALSE(empty.GetProcAddress("WNetGetUserW", &entry));
    EXPECT_EQ(nullptr, entry);
    EXPECT_FALSE(empty.Init(L"no-such-library.dll"));
}

TEST(SystemInfo, OwnerChainIsActiveForTheForegroundTopWindowOnly)
{
    HWND top = CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                               nullptr, nullptr);
    HWND child =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top, nullptr, nullptr, nullptr);
    SetForegroundWindow(top);
    EXPECT_TRUE(IsOwnerChainActive(child));
    EXPECT_TRUE(IsOwnerChainActive(top));
    EXPECT_FALSE(IsOwnerChainActive(nullptr));
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_FALSE(IsOwnerChainActive(child));
    DestroyWindow(other);
    DestroyWindow(top);
}
