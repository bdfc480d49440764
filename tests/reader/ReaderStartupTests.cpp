// Starts FolionyxReader.exe carrying a fixture book under a German user locale,
// as a user in Germany would, and looks at what start-up made of it.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <set>
#include <sstream>
#include "tests/reader/StringPrinter.h"
#include "books/packer/BookPacker.h"
#include "reader/app/AppFolders.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/LocaleProcess.h"
#include "tests/reader/StoredLanguageChoice.h"

namespace {

struct ProcessWindow
{
    std::wstring image;
    HWND hwnd;
};

bool IsFrameClass(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return lstrcmpW(name, readertest::kFrameClass) == 0;
}

std::wstring ImageOf(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    std::wstring image;
    if (QueryFullProcessImageNameW(process, 0, path, &size))
        image = path;
    CloseHandle(process);
    return image;
}

BOOL CALLBACK FindWindowOfImage(HWND hwnd, LPARAM lp)
{
    auto* found = reinterpret_cast<ProcessWindow*>(lp);
    if (IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr && IsFrameClass(hwnd) &&
        lstrcmpiW(ImageOf(hwnd).c_str(), found->image.c_str()) == 0) {
        found->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(ReaderStartup, GermanUserGetsTheBooksSettingsAndTheGermanModule)
{
    // A book that wants a maximised window. It has no name, so the caption keeps the
    // framework's title, which comes from the language module.
    bookpacker::CBookPacker packer;
    packer.settings.bookName = L"";
    packer.settings.maximized = true;
    const int home = packer.AddPage(L"<html><body><p>Willkommen</p></body></html>");
    bookpacker::BookNode node;
    node.title = L"Start";
    node.home = true;
    // A page name of its own, so that a page left in the shared work folder by another run
    // cannot pass for this one.
    wchar_t pageName[64];
    wsprintfW(pageName, L"startup_%lu_%lu.htm", GetCurrentProcessId(), GetTickCount());
    node.files = {{home, pageName}};
    packer.nodes.push_back(node);
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"FixtureReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));

    // No stored choice: the user locale decides.
    readertest::StoredLanguageChoice choice(L"Folionyx");
    choice.Remove();
    const std::wstring work(GetWorkFolder().GetString());
    const std::set<std::wstring> before = readertest::FilesIn(work, L"*.tmp");

    readertest::LocaleProcess reader;
    ASSERT_TRUE(reader.Start("de_DE.UTF-8", exe, L"", folder.File(L"reader.log")));
    ProcessWindow found = {exe, nullptr};
    bool shown = testsupport::PumpUntil(
        [&] {
            EnumWindows(FindWindowOfImage, reinterpret_cast<LPARAM>(&found));
            return found.hwnd != nullptr;
        },
        30000);
    ASSERT_TRUE(shown);

    // The settings were read: the book asks for a maximised window.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsZoomed(found.hwnd) != FALSE; }, 5000));

    // The packed-file index was read: the Home page was extracted into the work folder.
    const std::wstring page = work + pageName;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::FileExists(page); }, 10000));

    // Strings come from the German module: the untitled document's name in the caption.
    wchar_t title[256] = {};
    GetWindowTextW(found.hwnd, title, 256);
    EXPECT_EQ(CString(title), CString(L"Unbenannt - FolionyxReader"));

    // So do the dialogs: the search pane, made with the frame, is the German template.
    HWND search = readertest::FindChildOfClass(found.hwnd, L"#32770");
    ASSERT_NE(search, nullptr);
    wchar_t prompt[128] = {};
    GetDlgItemTextW(search, IDC_SEARCH_PROMPT, prompt, 128);
    EXPECT_EQ(CString(prompt), CString(L"Geben Sie den &Suchbegriff ein:"));
    PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(found.hwnd); }, 10000));

    if (IsWindow(found.hwnd))
        PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
    int exitCode = -1;
    ASSERT_TRUE(reader.Wait(30000, exitCode));
    EXPECT_EQ(exitCode, 0) << ReadFile(folder.File(L"reader.log"));

    // The module was written into the work folder from the executable's resources.
    const std::string german = ReadFile(testsupport::ExecutableFolder() + L"FolionyxLanguage1031.dll");
    ASSERT_FALSE(german.empty());
    bool extracted = false;
    for (const std::wstring& name : readertest::FilesIn(work, L"*.tmp")) {
        if (!before.count(name) && ReadFile(work + name) == german)
            extracted = true;
    }
    EXPECT_TRUE(extracted);

    // The page is stored as UTF-16 and holds the book's own text.
    const std::string pageBytes = ReadFile(page);
    const std::wstring pageText(reinterpret_cast<const wchar_t*>(pageBytes.data()), pageBytes.size() / 2);
    EXPECT_NE(pageText.find(L"Willkommen"), std::wstring::npos);
    DeleteFileW(page.c_str());
}
