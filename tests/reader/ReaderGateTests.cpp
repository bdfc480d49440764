// The start gate of a protected book, run end to end: FolionyxReader.exe with a fixture book
// asks once for the password; only the exact password opens the book, and any failure ends
// the process before a page of the book reaches the disk.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "books/packer/BookPacker.h"
#include "reader/app/AppFolders.h"
#include "reader/ui/PasswordDlg.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/StringPrinter.h"

namespace {

std::wstring WindowText(HWND hwnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

enum class Answer { None, Type, Cancel };

struct GateCase
{
    const char* what;
    const wchar_t* password;  // the book's password in clear
    const wchar_t* rawSealed; // a damaged sealed value instead, or null
    Answer answer;
    const wchar_t* typed;
    bool opens;
};

} // namespace

TEST(ReaderGate, OnlyTheExactPasswordOpensTheBook)
{
    const GateCase cases[] = {
        {"no password: no prompt", L"", nullptr, Answer::None, L"", true},
        {"right password", L"Sesame", nullptr, Answer::Type, L"Sesame", true},
        {"wrong letter case", L"Sesame", nullptr, Answer::Type, L"sesame", false},
        {"empty password typed", L"Sesame", nullptr, Answer::Type, L"", false},
        {"cancel", L"Sesame", nullptr, Answer::Cancel, L"Sesame", false},
        {"damaged sealed value", L"", L"bm90IGEgc2VhbGVkIHZhbHVl", Answer::Type, L"", false},
    };
    const std::wstring work(GetWorkFolder().GetString());
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring page = readertest::UniqueName(L"gate", L".htm");
        bookpacker::CBookPacker packer;
        packer.settings.bookName = L"Locked Stories";
        packer.settings.password = c.password;
        if (c.rawSealed)
            packer.settings.rawSealedPassword = std::wstring(c.rawSealed);
        readertest::AddHomePage(packer, page, L"behind the gate");
        testsupport::TempFolder folder;
        const std::wstring exe = folder.File(L"GateReader.exe");
        ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));

        readertest::ReaderProcess reader;
        ASSERT_TRUE(reader.Start(exe));
        if (c.answer != Answer::None) {
            HWND dialog = reader.WaitForWindowOfClass(L"#32770");
            ASSERT_NE(dialog, nullptr);
            // The prompt names the book in quotes.
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PASSWORD_PROMPT)), L"'Locked Stories' is protected.");
            // Nothing of the book is on disk while the prompt waits.
            EXPECT_FALSE(readertest::FileExists(work + page));
            if (c.answer == Answer::Type) {
                SendMessageW(GetDlgItem(dialog, IDC_PASSWORD_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
                SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            } else {
                SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            }
        }
        if (c.opens) {
            HWND frame = reader.WaitForFrame();
            ASSERT_NE(frame, nullptr);
            EXPECT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(work + page); }, 10000));
            PostMessageW(frame, WM_CLOSE, 0, 0);
        } else {
            DWORD exitCode = 1;
            ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
            EXPECT_FALSE(readertest::FileExists(work + page));
        }
        DeleteFileW((work + page).c_str());
    }
}

TEST(ReaderGate, GateRule)
{
    struct Case
    {
        const char* what;
        const wchar_t* stored;
        INT_PTR result;
        const wchar_t* typed;
        BOOL passes;
    };
    const Case cases[] = {
        {"no password, dialog never shown", L"", 0, L"", TRUE},
        {"exact", L"Sesame", IDOK, L"Sesame", TRUE},
        {"case differs", L"Sesame", IDOK, L"SESAME", FALSE},
        {"longer", L"Sesame", IDOK, L"Sesame ", FALSE},
        {"empty typed", L"Sesame", IDOK, L"", FALSE},
        {"cancelled with the right text", L"Sesame", IDCANCEL, L"Sesame", FALSE},
        {"dialog could not be made", L"Sesame", -1, L"Sesame", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.passes, PasswordGatePasses(c.stored, c.result, c.typed)) << c.what;
}
