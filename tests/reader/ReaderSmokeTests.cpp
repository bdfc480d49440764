// Starts FolionyxReader.exe as a user would and closes it again.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/common/WineTestSupport.h"

namespace {

struct FoundWindow
{
    DWORD pid;
    HWND hwnd;
};

BOOL CALLBACK FindProcessFrame(HWND hwnd, LPARAM lp)
{
    auto* found = reinterpret_cast<FoundWindow*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (pid == found->pid && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr &&
        lstrcmpW(name, L"QorMainFrame") == 0) {
        found->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(ReaderSmoke, StartsShowsFrameWithoutMenuAndClosesCleanly)
{
    std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

    FoundWindow found = {pi.dwProcessId, nullptr};
    bool shown = testsupport::PumpUntil(
        [&] {
            found.hwnd = nullptr;
            EnumWindows(FindProcessFrame, reinterpret_cast<LPARAM>(&found));
            return found.hwnd != nullptr;
        },
        20000);
    ASSERT_TRUE(shown);

    wchar_t title[256] = {};
    GetWindowTextW(found.hwnd, title, 256);
    EXPECT_NE(std::wstring(title).find(L"FolionyxReader"), std::wstring::npos);
    // The bars replace the menu.
    EXPECT_EQ(GetMenu(found.hwnd), nullptr);
    // The frame's icon comes from the executable's own resources.
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(LoadIconW(image, MAKEINTRESOURCEW(128)), nullptr);
    FreeLibrary(image);

    PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}
