// The reader's small dialogs from its own templates: the attachment warning names the file and
// chooses saving unless told otherwise, the about box's addresses are links, and the about command of the
// running reader shows the about box in a frame titled with the book's name.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "books/packer/BookPacker.h"
#include "reader/ui/AboutDlg.h"
#include "reader/ui/OpenAtachmentsWarningDlg.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/StringPrinter.h"

namespace {

// Presses a button of the dialog that is active when the timer fires (this thread's modal one).
UINT g_nButton = IDOK;
int g_nRadio = 0;
std::wstring g_fileLine, g_typeLine; // what the warning says of the file

void CALLBACK PressInActiveDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = GetActiveWindow();
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, id);
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, IDC_WARNING_FILE_NAME, text, 512);
    g_fileLine = text;
    GetDlgItemTextW(dialog, IDC_WARNING_FILE_TYPE, text, 512);
    g_typeLine = text;
    if (g_nRadio != 0)
        SendMessageW(GetDlgItem(dialog, g_nRadio), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(dialog, g_nButton), BM_CLICK, 0, 0);
}

INT_PTR RunWarning(int radio, UINT button, int& choice, const wchar_t* name = L"notes.txt")
{
    g_nRadio = radio;
    g_nButton = button;
    COpenAtachmentsWarningDlg dialog;
    dialog.m_strFileName = name;
    SetTimer(nullptr, 0, 50, PressInActiveDialog);
    INT_PTR result = dialog.DoModal();
    choice = dialog.m_nChoice;
    return result;
}

// What the about box's links hold while it shows.
struct AboutLinks
{
    CAboutDlg* dialog = nullptr;
    CString webUrl, mailUrl;
    BOOL underlined = FALSE;
} g_about;

void CALLBACK ReadAboutLinks(HWND, UINT, UINT_PTR id, DWORD)
{
    CAboutDlg* dialog = g_about.dialog;
    if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr)
        return;
    KillTimer(nullptr, id);
    g_about.webUrl = dialog->GetWebLink().GetURL();
    g_about.mailUrl = dialog->GetMailLink().GetURL();
    LOGFONTW font = {};
    HFONT hFont = reinterpret_cast<HFONT>(dialog->GetWebLink().SendMessage(WM_GETFONT));
    g_about.underlined = hFont != nullptr && GetObjectW(hFont, sizeof(font), &font) && font.lfUnderline;
    dialog->EndDialog(IDOK);
}

std::wstring WindowText(HWND hwnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

} // namespace

TEST(ReaderDialogs, AttachmentWarningSavesUnlessOpenIsChosen)
{
    int choice = -1;
    EXPECT_EQ(IDOK, RunWarning(0, IDOK, choice));
    EXPECT_EQ(COpenAtachmentsWarningDlg::ChoiceSave, choice);
    EXPECT_EQ(IDOK, RunWarning(IDC_OPEN_CHOICE, IDOK, choice));
    EXPECT_EQ(COpenAtachmentsWarningDlg::ChoiceOpen, choice);
    EXPECT_EQ(IDCANCEL, RunWarning(IDC_OPEN_CHOICE, IDCANCEL, choice));
}

// The warning names the file, with nothing hidden in the name, and the extension that decides
// which program would open it.
TEST(ReaderDialogs, AttachmentWarningNamesTheFileAndItsRealExtension)
{
    struct Case
    {
        const char* name;
        const wchar_t* file;
        std::wstring fileLine, typeLine;
    };
    const Case cases[] = {
        {"plain", L"notes.txt", L"File: notes.txt", L"Extension: .txt"},
        {"right-to-left override", L"readme\x202Etxt.exe", L"File: readme[U+202E]txt.exe", L"Extension: .exe"},
        {"padded with spaces", L"invoice.pdf                    .exe", L"File: invoice.pdf .exe", L"Extension: .exe"},
        {"no extension", L"README", L"File: README", L"Extension: none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int choice = -1;
        g_fileLine = g_typeLine = L"unread";
        EXPECT_EQ(IDCANCEL, RunWarning(0, IDCANCEL, choice, c.file));
        EXPECT_EQ(c.fileLine, g_fileLine);
        EXPECT_EQ(c.typeLine, g_typeLine);
    }
}

TEST(ReaderDialogs, AboutBoxAddressesAreLinksAndTheMailOneWritesAMessage)
{
    CAboutDlg dialog;
    g_about = AboutLinks();
    g_about.dialog = &dialog;
    SetTimer(nullptr, 0, 50, ReadAboutLinks);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(CString(L"http://www.folionyx.example/"), g_about.webUrl);
    EXPECT_EQ(CString(L"mailto:support@folionyx.example"), g_about.mailUrl);
    EXPECT_TRUE(g_about.underlined);
}

TEST(ReaderDialogs, AboutCommandShowsTheAboutBox)
{
    bookpacker::CBookPacker packer;
    packer.settings.bookName = L"Title fixture";
    readertest::AddHomePage(packer, readertest::UniqueName(L"about", L".htm"), L"about");
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"AboutReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    // The frame's own class, with double clicks.
    wchar_t className[64] = {};
    GetClassNameW(frame, className, 64);
    EXPECT_EQ(std::wstring(L"QorMainFrame"), className);
    EXPECT_NE(0u, GetClassLongPtrW(frame, GCL_STYLE) & CS_DBLCLKS);
    // The book names the window.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return WindowText(frame) == L"Title fixture"; }))
        << std::string(WindowText(frame).begin(), WindowText(frame).end());

    PostMessageW(frame, WM_COMMAND, ID_APP_ABOUT, 0);
    HWND about = reader.WaitForWindowOfClass(L"#32770");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(L"About Folionyx", WindowText(about));
    EXPECT_EQ(L"http://www.folionyx.example/", WindowText(GetDlgItem(about, IDC_ABOUT_WEB)));
    EXPECT_EQ(L"support@folionyx.example", WindowText(GetDlgItem(about, IDC_ABOUT_MAIL)));
    SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(about); }));
}
