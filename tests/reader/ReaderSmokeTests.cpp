// Starts FolionyxReader.exe as a user would and closes it again.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/common/WineTestSupport.h"
#include "tests/reader/ReaderProcess.h"

namespace {

bool IsMainFrame(HWND hwnd, const void*)
{
    return testsupport::IsUnownedWindow(hwnd, nullptr) && testsupport::IsWindowOfClass(hwnd, readertest::kFrameClass);
}

} // namespace

TEST(ReaderSmoke, StartsShowsFrameWithoutMenuAndClosesCleanly)
{
    std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

    HWND frame = nullptr;
    bool shown = testsupport::PumpUntil(
        [&] {
            frame = readertest::FindProcessWindow(pi.dwProcessId, IsMainFrame, nullptr);
            return frame != nullptr;
        },
        20000);
    ASSERT_TRUE(shown);

    wchar_t title[256] = {};
    GetWindowTextW(frame, title, 256);
    EXPECT_NE(std::wstring(title).find(L"FolionyxReader"), std::wstring::npos);
    // The bars replace the menu.
    EXPECT_EQ(GetMenu(frame), nullptr);
    // The frame's icon comes from the executable's own resources.
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(LoadIconW(image, MAKEINTRESOURCEW(128)), nullptr);
    FreeLibrary(image);

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}
