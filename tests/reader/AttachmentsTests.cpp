// The attachment list of the frame and its commands: rows for the attachments the book has,
// with names that hide nothing; Open, Save... and Save all, which never write a hostile name,
// keep names that differ only in case apart, go on past a file that cannot be written and say
// what failed. The shell and the dialogs are replaced; the extraction too, except where the
// book's own damaged or long-named attachments are written.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <fstream>
#include <iterator>
#include <map>
#include <shellapi.h>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "reader/app/AppFolders.h"
#include "reader/app/FileUtil.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/MainFrame.h"
#include "reader/app/ShellSeams.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/StringPrinter.h"

namespace {

class AttachmentsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new CMainFrame;
        ASSERT_TRUE(frame->Create(nullptr, L"attachments frame"));
        testsupport::PumpMessages();
        index.push_back({1, 0, 1536, 10});
        index.push_back({3, 0, 20, 10});
        index.push_back({4, 0, 30, 10});
        index.push_back({5, 0, 40, 10});
        index.push_back({6, 0, 50, 10});
        frame->SetAttachmentExtractor([this](int id, const CString& path) {
            extracted.push_back(path);
            // id 5 stands for a file that cannot be written there, id 6 for a damaged record.
            return id == 5 ? CMainFrame::attachmentNotWritten
                           : id == 6 ? CMainFrame::attachmentDamaged : CMainFrame::attachmentWritten;
        });
        SetShellLauncher([this](LPCWSTR path, int) {
            launched.push_back(path);
            return TRUE;
        });
        SetFolderChooser([this](CWnd*, const CString&, CString& folder) {
            folder = chosenFolder;
            return TRUE;
        });
        SetSavePathChooser([this](CWnd*, const CString& initial, const CString&, CString& chosen) {
            proposals.push_back(initial);
            chosen = savePath;
            return TRUE;
        });
        SetAttachmentWarning([this](CWnd*, const CString& name, int& choice) {
            ++warnings;
            warnedNames.push_back(name);
            choice = warningChoice;
            return warningResult;
        });
        SetWarningNotifier([this](CWnd*, const CString& text) { messages.push_back(text); });
    }
    void TearDown() override
    {
        SetShellLauncher(nullptr);
        SetFolderChooser(nullptr);
        SetSavePathChooser(nullptr);
        SetAttachmentWarning(nullptr);
        SetWarningNotifier(nullptr);
        frame->DestroyWindow();
    }
    CExeBookAttachmentsListCtrl& List() { return frame->GetAttachmentsList(); }
    void Select(std::initializer_list<int> rows)
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        for (int row : rows)
            List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    int Enabled(UINT id)
    {
        struct State : CCmdUI
        {
            int enabled = -1;
            void Enable(BOOL on) override
            {
                enabled = on ? 1 : 0;
                m_bEnableChanged = TRUE;
            }
        } state;
        state.m_nID = id;
        state.DoUpdate(frame, FALSE);
        return state.enabled;
    }

    CMainFrame* frame = nullptr;
    CExeBookResourceFiles index;
    std::vector<CString> extracted, launched, proposals, warnedNames, messages;
    CString chosenFolder, savePath;
    int warnings = 0;
    int warningChoice = 1;
    INT_PTR warningResult = IDOK;
    testsupport::TempFolder folder;
};

} // namespace

TEST_F(AttachmentsTest, RowsForTheAttachmentsTheBookHas)
{
    List().Fill({{1, L"sheet.xls"}, {2, L"missing.doc"}, {3, L"README"}}, index);
    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_EQ(CString(L"sheet.xls"), List().GetItemText(0, 0));
    EXPECT_EQ(CString(L"1.50 KB"), List().GetItemText(0, 1));
    EXPECT_EQ(1u, List().GetItemData(0));
    EXPECT_EQ(CString(L"README"), List().GetItemText(1, 0)); // the missing id leaves no gap
    EXPECT_EQ(3u, List().GetItemData(1));
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    ASSERT_TRUE(List().GetColumn(1, &column));
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);

    // Filling again replaces the rows.
    List().Fill({{4, L"other.txt"}}, index);
    EXPECT_EQ(1, List().GetItemCount());
}

TEST_F(AttachmentsTest, SaveAllSkipsHostileNamesAndGoesOnPastFailuresThenNamesThem)
{
    chosenFolder = folder.Path().c_str();
    List().Fill({{1, L"good.txt"},
                 {3, L"..\\..\\evil.txt"},
                 {5, L"locked.txt"},
                 {4, L"C:\\abs.txt"},
                 {6, L"broken.bin"},
                 {1, L"last.txt"}},
                index);
    EXPECT_EQ(1, Enabled(ID_ATTACHMENT_SAVE_ALL));
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE_ALL);
    const CString out = folder.Path().c_str();
    EXPECT_EQ((std::vector<CString>{out + L"good.txt", out + L"locked.txt", out + L"broken.bin", out + L"last.txt"}),
              extracted);
    EXPECT_EQ(std::vector<CString>{out}, launched);
    // One message names every row that was not saved, and why.
    ASSERT_EQ(1u, messages.size());
    for (const wchar_t* part : {L"..\\..\\evil.txt (the name cannot be used", L"locked.txt (could not be written)",
                                L"C:\\abs.txt (the name cannot be used", L"broken.bin (damaged in the book)"})
        EXPECT_GE(messages[0].Find(part), 0) << part;
    EXPECT_LT(messages[0].Find(L"good.txt"), 0);
    EXPECT_LT(messages[0].Find(L"last.txt"), 0);
}

// Save all into a real folder, with the attachments written for real: names that differ only
// in letter case (which name one file on this system) each keep their own content.
TEST_F(AttachmentsTest, SaveAllKeepsNamesThatDifferOnlyInCaseApart)
{
    chosenFolder = folder.Path().c_str();
    frame->SetAttachmentExtractor([](int id, const CString& path) {
        const std::string content = "content of " + std::to_string(id);
        return WriteBytesToFile(path, content.data(), content.size()) ? CMainFrame::attachmentWritten
                                                                     : CMainFrame::attachmentNotWritten;
    });
    List().Fill({{1, L"Readme.txt"}, {3, L"README.TXT"}, {4, L"readme.txt"}, {5, L"Readme (2).txt"}}, index);
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE_ALL);
    EXPECT_TRUE(messages.empty());
    std::map<std::wstring, std::string> files;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder.Path() + L"*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::ifstream in((folder.Path() + found.cFileName).c_str(), std::ios::binary);
            files[found.cFileName] = std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // The first keeps its name; the others get a number before the extension, in any case
    // different from what the command wrote already.
    const std::map<std::wstring, std::string> expected = {{L"Readme.txt", "content of 1"},
                                                          {L"README (2).TXT", "content of 3"},
                                                          {L"readme (3).txt", "content of 4"},
                                                          {L"Readme (2) (2).txt", "content of 5"}};
    EXPECT_EQ(expected.size(), files.size());
    for (const auto& file : expected) {
        auto it = files.find(file.first);
        ASSERT_NE(it, files.end()) << std::string(file.first.begin(), file.first.end());
        EXPECT_EQ(file.second, it->second);
    }
}

TEST_F(AttachmentsTest, OpenRefusesAHostileNameAndOpensAPlainOne)
{
    List().Fill({{1, L"..\\..\\x.exe"}, {3, L"notes.txt"}}, index);
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN); // nothing selected
    EXPECT_TRUE(messages.empty());
    Select({0});
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_EQ(0, warnings);
    EXPECT_TRUE(extracted.empty());
    EXPECT_TRUE(launched.empty());
    ASSERT_EQ(1u, messages.size()); // but the refusal is said
    EXPECT_GE(messages[0].Find(L"'..\\..\\x.exe' has a name that cannot be used"), 0) << messages[0];

    Select({1});
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_EQ(1, warnings);
    EXPECT_EQ(std::vector<CString>{L"notes.txt"}, warnedNames);
    const CString path = GetWorkFolder() + L"notes.txt";
    EXPECT_EQ(std::vector<CString>{path}, extracted);
    EXPECT_EQ(std::vector<CString>{path}, launched);

    // Cancel does nothing; "Save it to disk" saves instead.
    extracted.clear();
    launched.clear();
    warningResult = IDCANCEL;
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_TRUE(extracted.empty());
    warningResult = IDOK;
    warningChoice = 0;
    savePath = folder.File(L"kept.txt").c_str();
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_EQ(std::vector<CString>{path}, proposals);
    EXPECT_EQ(std::vector<CString>{savePath}, extracted);
    EXPECT_EQ(std::vector<CString>{CString(folder.Path().c_str())}, launched);
}

// Names that would disguise what a file is show (and are written) with the disguise undone: the
// list, the warning and the save dialog all get the same plain name.
TEST_F(AttachmentsTest, NamesShowWithNothingHiddenThatDisguisesTheirType)
{
    struct Case
    {
        const char* name;
        std::wstring inBook, shown;
    };
    const Case cases[] = {
        {"right-to-left override", L"readme\x202Etxt.exe", L"readme[U+202E]txt.exe"},
        {"a run of spaces", L"invoice.pdf" + std::wstring(40, L' ') + L".exe", L"invoice.pdf .exe"},
        {"zero-width space", L"invoice.pdf\x200B.exe", L"invoice.pdf[U+200B].exe"},
        {"isolate and mark", L"a\x2067gpj\x2069\x200F.exe", L"a[U+2067]gpj[U+2069][U+200F].exe"},
        {"other spaces", L"photo\x00A0\x3000\x2003.scr", L"photo .scr"},
        {"byte-order mark", L"\xFEFFnotes.txt", L"[U+FEFF]notes.txt"},
        {"a lone surrogate", L"a\xD800.txt", L"a[U+D800].txt"},
        {"a plain name", L"Report 2024.pdf", L"Report 2024.pdf"},
        {"a letter beyond the basic plane", L"\xD83D\xDE00 smile.txt", L"\xD83D\xDE00 smile.txt"},
    };
    CExeBookFileEntries entries;
    for (const Case& c : cases)
        entries.push_back({1, c.inBook.c_str()});
    List().Fill(entries, index);
    ASSERT_EQ(int(std::size(cases)), List().GetItemCount());
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(CString(cases[i].shown.c_str()), List().GetItemText(i, 0)) << cases[i].name;

    // Opening the first: the warning is told the shown name, and that is the name written.
    Select({0});
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    const CString shown = cases[0].shown.c_str();
    EXPECT_EQ(std::vector<CString>{shown}, warnedNames);
    EXPECT_EQ(std::vector<CString>{GetWorkFolder() + shown}, extracted);
    // The save dialog proposes it too.
    savePath = folder.File(L"kept.exe").c_str();
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE);
    EXPECT_EQ(std::vector<CString>{GetWorkFolder() + shown}, proposals);
}

TEST_F(AttachmentsTest, SaveProposesNoHostileNameAndNeedsOneRow)
{
    savePath = folder.File(L"typed.txt").c_str();
    List().Fill({{1, L"..\\evil.txt"}, {3, L"plain.txt"}}, index);
    EXPECT_EQ(0, Enabled(ID_ATTACHMENT_SAVE));
    Select({0, 1});
    EXPECT_EQ(0, Enabled(ID_ATTACHMENT_SAVE)); // two rows
    EXPECT_EQ(0, Enabled(ID_ATTACHMENT_OPEN));
    Select({0});
    EXPECT_EQ(1, Enabled(ID_ATTACHMENT_SAVE));
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE);
    Select({1});
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE);
    EXPECT_EQ((std::vector<CString>{CString(), GetWorkFolder() + L"plain.txt"}), proposals);
    EXPECT_EQ((std::vector<CString>{savePath, savePath}), extracted);
}

TEST_F(AttachmentsTest, DetailsAndIconsSwitchTheView)
{
    auto view = [&] { return List().GetStyle() & LVS_TYPEMASK; };
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_DETAILS);
    EXPECT_EQ(DWORD(LVS_REPORT), view());
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_ICONS);
    EXPECT_EQ(DWORD(LVS_ICON), view());

    // A switch repaints the shown list, which would otherwise keep the other view's picture.
    frame->ShowWindow(SW_SHOW);
    frame->GetDockingPaneManager().ShowPaneById(READER_PANE_ATTACHMENTS);
    ASSERT_TRUE(frame->AreAttachmentsShown());
    frame->RecalcLayout();
    testsupport::PumpMessages();
    ASSERT_TRUE(List().IsWindowVisible());
    List().Fill({{1, L"sheet.xls"}}, index);
    List().UpdateWindow();
    ASSERT_FALSE(::GetUpdateRect(List().GetSafeHwnd(), nullptr, FALSE));
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_DETAILS);
    EXPECT_TRUE(::GetUpdateRect(List().GetSafeHwnd(), nullptr, FALSE));
}

TEST_F(AttachmentsTest, IconsMoveBackToTheTopWhenThePaneIsResized)
{
    frame->MoveWindow(0, 0, 700, 500);
    frame->ShowWindow(SW_SHOW);
    frame->GetDockingPaneManager().ShowPaneById(READER_PANE_ATTACHMENTS);
    ASSERT_TRUE(frame->AreAttachmentsShown());
    frame->RecalcLayout();
    testsupport::PumpMessages();
    List().Fill({{1, L"sheet.xls"}, {3, L"README"}, {4, L"other.txt"}}, index);
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_ICONS);
    ASSERT_EQ(DWORD(LVS_ICON), List().GetStyle() & LVS_TYPEMASK);
    CRect before;
    List().GetWindowRect(&before);

    // Dragged down and apart, as a user may leave them.
    for (int row = 0; row < 3; ++row)
        List().SetItemPosition(row, CPoint(40 + 70 * row, 60 + 15 * row));
    CPoint moved;
    ASSERT_TRUE(List().GetItemPosition(2, &moved));
    ASSERT_GE(moved.y, 80);

    frame->MoveWindow(0, 0, 900, 560);
    frame->RecalcLayout();
    testsupport::PumpMessages();
    CRect after;
    List().GetWindowRect(&after);
    ASSERT_NE(before.Width(), after.Width()) << "the pane kept its size";
    // One row along the top, in their order.
    std::vector<CPoint> positions(3);
    for (int row = 0; row < 3; ++row)
        ASSERT_TRUE(List().GetItemPosition(row, &positions[size_t(row)]));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(positions[0].y, positions[size_t(row)].y) << row;
        EXPECT_LT(positions[size_t(row)].y, 20) << row;
        if (row > 0) {
            EXPECT_GT(positions[size_t(row)].x, positions[size_t(row) - 1].x) << row;
        }
    }
}

namespace {

// The sizes of the records of a packed book as the reader's index holds them.
CExeBookResourceFiles IndexOf(const bookpacker::CBookPacker& packer)
{
    CExeBookResourceFiles index;
    for (const bookpacker::PackedRecord& record : packer.Records())
        index.push_back({record.id, record.begin, record.fileSize, record.bufferSize});
    return index;
}

} // namespace

// With the book's own packed files: a record that does not inflate, a name too long for the
// work folder, a save path too long, a place that refuses the file. Each is said, and none
// leaves a file behind; a long name still opens, under a shorter work name.
TEST(AttachmentsOfABook, DamagedRecordsAndLongNamesAreSaidAndLeaveNoFile)
{
    bookpacker::CBookPacker packer;
    const std::string content = "the attachment's own content";
    const int good = packer.AddFile(std::vector<BYTE>(content.begin(), content.end()));
    const int broken = packer.AddFile(std::vector<BYTE>(4096, 'b'));
    std::vector<BYTE> packed = packer.PackedFiles();
    const bookpacker::PackedRecord& record = packer.Records()[1];
    for (int i = 2; i < record.bufferSize - 4; ++i)
        packed[size_t(record.begin + bookpacker::RecordHeaderSize + i)] ^= 0x5A;
    const CExeBookResourceFiles index = IndexOf(packer);
    const std::wstring longName = std::wstring(255, L'n') + L".txt"; // 259 characters

    CExeBookDocument settings;
    auto* frame = new CMainFrame; // frames delete themselves with their window
    frame->SetBook(&settings, [&](EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& files) {
        resource = {packed.data(), DWORD(packed.size())};
        files = &index;
        return TRUE;
    });
    ASSERT_TRUE(frame->Create(nullptr, L"book attachments"));
    testsupport::PumpMessages();
    std::vector<CString> messages, launched;
    CString savePath;
    // The seams go back to the real shell however the test ends.
    struct RealShellAfterwards
    {
        ~RealShellAfterwards()
        {
            SetWarningNotifier(nullptr);
            SetAttachmentWarning(nullptr);
            SetShellLauncher(nullptr);
            SetSavePathChooser(nullptr);
        }
    } realShellAfterwards;
    SetWarningNotifier([&](CWnd*, const CString& text) { messages.push_back(text); });
    SetAttachmentWarning([](CWnd*, const CString&, int& choice) {
        choice = 1;
        return INT_PTR(IDOK);
    });
    SetShellLauncher([&](LPCWSTR path, int) {
        launched.push_back(path);
        return TRUE;
    });
    SetSavePathChooser([&](CWnd*, const CString&, const CString&, CString& chosen) {
        chosen = savePath;
        return TRUE;
    });
    CExeBookAttachmentsListCtrl& list = frame->GetAttachmentsList();
    list.Fill({{good, L"notes.txt"}, {broken, L"broken.bin"}, {good, longName.c_str()}}, index);
    auto select = [&](int row) {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    };
    testsupport::TempFolder folder;
    const CString work = GetWorkFolder();

    // The damaged record, opened and saved.
    select(1);
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    savePath = folder.File(L"broken.bin").c_str();
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE);
    ASSERT_EQ(2u, messages.size());
    for (const CString& message : messages)
        EXPECT_GE(message.Find(L"'broken.bin' is damaged"), 0) << message;
    EXPECT_FALSE(readertest::FileExists((work + L"broken.bin").GetString()));
    EXPECT_FALSE(readertest::FileExists(savePath.GetString()));
    EXPECT_TRUE(launched.empty());

    // The long name opens from a shorter work name, whole.
    messages.clear();
    select(2);
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(1u, launched.size());
    EXPECT_LT(launched[0].GetLength(), MAX_PATH);
    EXPECT_EQ(work, GetFolderOfPath(launched[0]));
    EXPECT_EQ(CString(L".txt"), GetFileExtensionOfPath(launched[0]));
    {
        std::ifstream in(launched[0].GetString(), std::ios::binary);
        EXPECT_EQ(content, std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
    DeleteFileW(launched[0]);

    // Saved under a path past the limit: said, nothing written.
    launched.clear();
    savePath = (folder.Path() + longName).c_str();
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE);
    ASSERT_EQ(1u, messages.size());
    EXPECT_GE(messages[0].Find(L"the path is too long"), 0) << messages[0];
    EXPECT_TRUE(launched.empty());

    // Saved where no file can be: inside a "folder" that is a file.
    messages.clear();
    const std::wstring blocker = folder.File(L"blocker");
    std::ofstream(blocker.c_str()) << "a file, not a folder";
    select(0);
    savePath = (blocker + L"\\notes.txt").c_str();
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE);
    ASSERT_EQ(1u, messages.size());
    EXPECT_GE(messages[0].Find(L"could not be written to"), 0) << messages[0];
    EXPECT_GE(messages[0].Find(savePath), 0) << messages[0];
    EXPECT_TRUE(launched.empty());

    frame->DestroyWindow();
}

TEST_F(AttachmentsTest, ThousandsOfRowsOfMadeUpTypesAllShowWithTheShellsIcons)
{
    // Every id is in the index once; names of types no program claims, with a few that the
    // system knows between them.
    CExeBookResourceFiles many;
    CExeBookFileEntries entries;
    for (int i = 0; i < 3000; ++i) {
        many.push_back({i + 100, 0, 10, 10});
        CString name;
        name.Format(i % 1000 == 0 ? L"text%d.txt" : L"file%d.t%d", i, i);
        entries.push_back({i + 100, name});
    }
    entries.insert(entries.begin() + 1, {99, L"not in the index.t"});
    List().Fill(entries, many);
    ASSERT_EQ(3000, List().GetItemCount());
    auto shellIcon = [](LPCWSTR name) {
        SHFILEINFOW info = {};
        SHGetFileInfoW(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
        return info.iIcon;
    };
    auto rowIcon = [&](int row) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        List().GetItem(&item);
        return item.iImage;
    };
    for (int row : {0, 1, 1000, 2999}) {
        const CString name = List().GetItemText(row, 0);
        EXPECT_EQ(DWORD_PTR(row + 100), List().GetItemData(row));
        EXPECT_EQ(shellIcon(name), rowIcon(row)) << CStringA(name).GetString();
    }
}
