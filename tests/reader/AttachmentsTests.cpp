// The attachment list of the frame and its commands: rows for the attachments the book has,
// and Open, Save... and Save all, which never write a hostile name and go on past a file
// that cannot be written. The shell, the dialogs and the extraction are replaced.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <string>
#include <vector>
#include "reader/app/AppFolders.h"
#include "reader/ui/MainFrame.h"
#include "reader/app/ShellSeams.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
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
            return id == 5 ? 0 : 1; // id 5 stands for a file that cannot be written
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
        SetAttachmentWarning([this](CWnd*, int& choice) {
            ++warnings;
            choice = warningChoice;
            return warningResult;
        });
    }
    void TearDown() override
    {
        SetShellLauncher(nullptr);
        SetFolderChooser(nullptr);
        SetSavePathChooser(nullptr);
        SetAttachmentWarning(nullptr);
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
    std::vector<CString> extracted, launched, proposals;
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

TEST_F(AttachmentsTest, SaveAllSkipsHostileNamesAndGoesOnPastFailures)
{
    chosenFolder = folder.Path().c_str();
    List().Fill({{1, L"good.txt"}, {3, L"..\\..\\evil.txt"}, {5, L"locked.txt"}, {4, L"C:\\abs.txt"}, {6, L"last.txt"}},
                index);
    EXPECT_EQ(1, Enabled(ID_ATTACHMENT_SAVE_ALL));
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_SAVE_ALL);
    const CString out = folder.Path().c_str();
    EXPECT_EQ((std::vector<CString>{out + L"good.txt", out + L"locked.txt", out + L"last.txt"}), extracted);
    EXPECT_EQ(std::vector<CString>{out}, launched);
}

TEST_F(AttachmentsTest, OpenRefusesAHostileNameAndOpensAPlainOne)
{
    List().Fill({{1, L"..\\..\\x.exe"}, {3, L"notes.txt"}}, index);
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN); // nothing selected
    Select({0});
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_EQ(0, warnings);
    EXPECT_TRUE(extracted.empty());
    EXPECT_TRUE(launched.empty());

    Select({1});
    frame->SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
    EXPECT_EQ(1, warnings);
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
