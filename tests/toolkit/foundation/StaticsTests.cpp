// The toolkit's start-up routine and exit list.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/common/WineTestSupport.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/HookManager.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/Office2007Image.h"
#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/SystemInfo.h"

namespace {

const wchar_t kChildLogVariable[] = L"FOLIONYX_STATICS_EXIT_LOG";

std::wstring ReadVariable(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value) : std::wstring();
}

void AppendToChildLog(LPCWSTR name)
{
    std::wstring path = ReadVariable(kChildLogVariable);
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::wstring line = std::wstring(name ? name : L"?") + L"\n";
    DWORD written = 0;
    WriteFile(file, line.c_str(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

std::wstring ReadWideFile(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::wstring();
    std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    return text;
}

// Runs one case of this executable in a process of its own and waits for it to end.
DWORD RunChildCase(const std::wstring& filter)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" --gtest_filter=" + filter;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return static_cast<DWORD>(-1);
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD exitCode = 0;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return exitCode;
}

} // namespace

// The child half of ExitOrderRunsSingletonsLatestFirstThenHolders: it only runs in the
// process that test starts. Its exit list runs after the case, at process exit.
TEST(StaticsChild, UsesSingletonsThenExits)
{
    if (ReadVariable(kChildLogVariable).empty())
        GTEST_SKIP() << "runs only as the child of another case";
    QorSetExitTrace(AppendToChildLog);
    QorToolkitStartup();
    GetMultiMonitorApi();
    GetColorManager(); // makes the theme tables on its way
    GetHookManager();
    CreateResourceManager();
    GetOffice2007Images();
    GetImageManager();
    // A second use makes nothing new and adds nothing to the list.
    CreateResourceManager();
    GetOffice2007Images();
    GetImageManager();
}

TEST(Statics, ExitOrderRunsSingletonsLatestFirstThenHolders)
{
    testsupport::TempFolder folder;
    std::wstring log = folder.File(L"exit.log");
    SetEnvironmentVariableW(kChildLogVariable, log.c_str());
    DWORD exitCode = RunChildCase(L"StaticsChild.*");
    SetEnvironmentVariableW(kChildLogVariable, nullptr);
    ASSERT_EQ(0u, exitCode);
    // The drawing helpers were never used: they never appear.
    EXPECT_EQ(L"ImageManager\nOffice2007Images\nResourceManager\nCQorHookManager\nColorManager\nWinThemeWrapper\n"
              L"MultiMonitorApi\nCVkWindowMap\nCQorKeyboardManager holder\n",
              ReadWideFile(log));
}

TEST(Statics, ExitListRunsLastAddedFirstAndEmpties)
{
    static std::wstring order;
    order.clear();
    QorAddExitRoutine([] { order += L"a"; }, L"a");
    QorAddExitRoutine(
        [] {
            order += L"b";
            QorAddExitRoutine([] { order += L"c"; }, L"c"); // added while the list runs
        },
        L"b");
    QorToolkitExit();
    EXPECT_EQ(L"bca", order);
    QorToolkitExit();
    EXPECT_EQ(L"bca", order);
}

TEST(Statics, RegisteredIdsEqualTheSystemRegistrations)
{
    QorToolkitStartup();
    ASSERT_TRUE(QorIsToolkitStarted());
    struct Row
    {
        const wchar_t* name;
        UINT id;
        bool clipboard;
    } rows[] = {
        {L"QorNotificationSinkMTOnEvent", g_nQorNotificationSinkMessage, false},
        {L"QorNotificationSinkMTOnEvent", g_nQorNotificationSinkMessageEx, false},
        {L"TaskbarCreated", g_nQorTaskbarCreatedMessage, false},
        {L"WM_SKINFRAMEWORK_UPDATESTATE", g_nQorSkinUpdateStateMessage, false},
        {L"WM_SKINFRAMEWORK_QUERYSTATE", g_nQorSkinQueryStateMessage, false},
        {L"Korvane ToolBar Image", g_cfQorToolBarImage, true},
        {L"Alpha Bitmap Image", g_cfQorAlphaBitmapImage, true},
        {L"BinaryData", g_cfQorBinaryData, true},
    };
    for (const Row& row : rows) {
        UINT expected = row.clipboard ? RegisterClipboardFormatW(row.name) : RegisterWindowMessageW(row.name);
        EXPECT_NE(0u, row.id) << row.name;
        EXPECT_EQ(expected, row.id) << row.name;
    }
    EXPECT_NE(nullptr, QorGetWindowMap());
}

TEST(Statics, GuideTablesHoldTheirPieces)
{
    EXPECT_EQ(25, g_qorGuidePiecesSmall[10].ptOffset.x);
    EXPECT_EQ(43, g_qorGuidePiecesSmall[10].rcSource.bottom);
    EXPECT_EQ(0, g_qorGuidePiecesLarge[18].ptOffset.x);
    EXPECT_EQ(90, g_qorGuidePiecesLarge[18].rcSource.bottom);
    EXPECT_EQ(161, g_qorGuidePiecesLarge[9].rcSource.right);
}
