// Pendoric's real window under Wine: its buttons, the checks with their logs and messages,
// file errors, about and exit.
#include "tests/common/WineTestSupport.h"
#include "tests/pendoric/PendoricTestSupport.h"
#include "tools/pendoric/AnsiTextFile.h"
#include "tools/pendoric/PendoricWindow.h"
#include <gtest/gtest.h>
#include <memory>

using namespace pendoric;
using namespace pendoric_test;

namespace {

const wchar_t kTitle[] = L"Pendoric 1.0";

class PendoricWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PENDORIC_ASSERT_CHINESE_CODE_PAGE();
        m_current = std::make_unique<CurrentFolder>(folder.Path());
        window = std::make_unique<PendoricWindow>(prompts);
        ASSERT_TRUE(window->Create(GetModuleHandleW(nullptr)));
        // Left hidden: showing a top-level window on a display without a window manager costs
        // Wine seconds, and the buttons and the box work the same.
    }

    void TearDown() override
    {
        window.reset();
        testsupport::PumpMessages();
    }

    HWND Hwnd() const { return window->Handle(); }
    HWND Control(int id) const { return GetDlgItem(window->Handle(), id); }

    void Click(int id)
    {
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        testsupport::PumpMessages();
    }

    // Chooses a file for the next check, writes it with the given bytes and presses a button.
    void CheckFile(int buttonId, const std::wstring& name, const std::string& bytes)
    {
        WriteBytes(folder.File(name), bytes);
        prompts.files.push_back(folder.File(name));
        Click(buttonId);
    }

    std::wstring BoxText() const
    {
        HWND box = Control(PendoricWindow::IdLogView);
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(box, &text[0], static_cast<int>(text.size()))));
        return text;
    }

    std::string Log(const wchar_t* name) const { return ReadBytes(folder.File(name)); }

    testsupport::TempFolder folder;
    ScriptedPrompts prompts;
    std::unique_ptr<PendoricWindow> window;

private:
    std::unique_ptr<CurrentFolder> m_current;
};

RECT ChildRect(HWND parent, HWND child)
{
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// GBK bytes of the texts used below.
const char kTag[] = "\xD0\xD0\xBA\xC5\xA3\xBA"; // 行号：
const char kChinese[] = "\xD6\xD0\xCE\xC4";     // 中文

} // namespace

TEST_F(PendoricWindowTest, ShowsFourCaptionedButtonsAboveTheLogBox)
{
    wchar_t text[64] = {};
    GetWindowTextW(Hwnd(), text, 64);
    EXPECT_STREQ(text, kTitle);
    EXPECT_NE(GetClassLongPtrW(Hwnd(), GCLP_HICON), 0u);

    const struct
    {
        int id;
        const wchar_t* caption;
    } buttons[] = {
        {PendoricWindow::IdColumn9Check, L"第九列"},
        {PendoricWindow::IdColumns11To13Check, L"剩余列"},
        {PendoricWindow::IdAbout, L"关  于"},
        {PendoricWindow::IdExit, L"退  出"},
    };
    RECT client;
    GetClientRect(Hwnd(), &client);
    RECT box = ChildRect(Hwnd(), Control(PendoricWindow::IdLogView));
    wchar_t className[64] = {};
    GetClassNameW(Control(PendoricWindow::IdLogView), className, 64);
    EXPECT_STREQ(className, L"RichEdit20W");
    int previousRight = client.left;
    for (const auto& b : buttons) {
        SCOPED_TRACE(testing::Message() << "button " << b.id);
        HWND button = Control(b.id);
        ASSERT_NE(button, nullptr);
        GetWindowTextW(button, text, 64);
        EXPECT_STREQ(text, b.caption);
        EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE);
        RECT rc = ChildRect(Hwnd(), button);
        EXPECT_GE(rc.left, previousRight); // one row, left to right, no overlap
        EXPECT_LE(rc.bottom, box.top);     // above the log box
        EXPECT_LE(rc.right, client.right);
        previousRight = rc.right;
    }
    EXPECT_GT(box.bottom - box.top, (client.bottom - client.top) / 2);
    EXPECT_LE(box.bottom, client.bottom);

    // The box follows the window's size.
    SetWindowPos(Hwnd(), nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(Hwnd(), &client);
    RECT grown = ChildRect(Hwnd(), Control(PendoricWindow::IdLogView));
    EXPECT_GT(grown.right, box.right);
    EXPECT_GT(grown.bottom, box.bottom);
    EXPECT_LE(grown.right, client.right);
}

// A check through the real window: the chosen file in code page 936, the log as written
// before the completion message, and the cleaned log in the box and in the file afterwards.
TEST_F(PendoricWindowTest, Column9CheckWritesReportsAndShowsTheCleanedLog)
{
    std::string writtenLog;
    prompts.onMessage = [](void* context, const ShownMessage&) {
        *static_cast<std::string*>(context) = ReadBytes(L"logfile1.txt");
    };
    prompts.onMessageContext = &writtenLog;

    std::string input = std::string(kChinese) +
                        "\xD7\xD6\xB7\xFB\xB2\xE2\xCA\xD4"
                        "ab,ok\r\n"     // 中文字符测试ab,ok: comma 9th
                        "a b c d e\r\n" // offends, with spaces
                        " [Section]\n"  // offends, blanked
                        + kChinese +
                        "12345,\r" // comma 7th
                        "12345678,\r\n";
    CheckFile(PendoricWindow::IdColumn9Check, L"in.txt", input);

    ASSERT_EQ(prompts.filters.size(), 1u);
    EXPECT_EQ(prompts.filters[0], L"文本文件(*.TXT)|*.txt|所有文件(*.*)|*.*");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"汉化文本格式第9列逗号串字符检查完毕！");
    EXPECT_EQ(prompts.messages[0].caption, kTitle);
    EXPECT_EQ(prompts.messages[0].type, static_cast<UINT>(MB_OK));

    EXPECT_EQ(writtenLog, std::string("\r\n") + "a b c d e[" + kTag + "2]\r\n" + " [Section][" + kTag + "3]\r\n" +
                              kChinese + "12345,[" + kTag + "4]\r\n");
    std::string cleanedLog = std::string("\r\n") + "abcde[" + kTag + "2]\r\n" + kChinese + "12345,[" + kTag + "4]\r\n";
    EXPECT_EQ(Log(L"logfile1.txt"), cleanedLog);
    EXPECT_FALSE(FileExists(folder.File(L"logfile2.txt")));
    EXPECT_EQ(BoxText(), L"\r\nabcde[行号：2]\r\n中文12345,[行号：4]\r\n");
    EXPECT_EQ(window->ChosenFile(), folder.File(L"in.txt"));
    EXPECT_EQ(window->GetFindings().Count(), 3u);
}

TEST_F(PendoricWindowTest, LaterChecksAlsoLogTheEarlierFindings)
{
    CheckFile(PendoricWindow::IdColumn9Check, L"a.txt", "1234567,\r\n12345678,\r\n");
    CheckFile(PendoricWindow::IdColumns11To13Check, L"b.txt", "1234567890,\r\n123456789012,\r\n1234567890\r\n");
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, L"汉化文本格式第11、12、13列逗号字符串检查完毕！");
    std::string first = std::string("\r\n1234567,[") + kTag + "1]\r\n";
    EXPECT_EQ(Log(L"logfile1.txt"), first);
    EXPECT_EQ(Log(L"logfile2.txt"), first + "1234567890[" + kTag + "3]\r\n");
    EXPECT_EQ(BoxText(), L"\r\n1234567,[行号：1]\r\n1234567890[行号：3]\r\n");

    // The same check again lists its lines a second time, numbered again from 1.
    CheckFile(PendoricWindow::IdColumns11To13Check, L"b.txt", "1234567890\r\n");
    EXPECT_EQ(Log(L"logfile2.txt"), first + "1234567890[" + kTag + "3]\r\n" + "1234567890[" + kTag + "1]\r\n");
    EXPECT_EQ(window->GetFindings().Count(), 3u);
}

TEST_F(PendoricWindowTest, EmptyFileLogsOnlyTheEarlierFindings)
{
    CheckFile(PendoricWindow::IdColumn9Check, L"empty.txt", "");
    EXPECT_EQ(Log(L"logfile1.txt"), "\r\n");
    EXPECT_EQ(BoxText(), L"\r\n");

    CheckFile(PendoricWindow::IdColumn9Check, L"short.txt", "x\r\n");
    CheckFile(PendoricWindow::IdColumns11To13Check, L"empty.txt", "");
    EXPECT_EQ(Log(L"logfile2.txt"), std::string("\r\nx[") + kTag + "1]\r\n");
    EXPECT_EQ(prompts.messages.size(), 3u);
}

TEST_F(PendoricWindowTest, CancelledDialogChangesNothing)
{
    CheckFile(PendoricWindow::IdColumn9Check, L"a.txt", "short\r\n");
    std::wstring shown = BoxText();
    Click(PendoricWindow::IdColumns11To13Check); // no file queued: the dialog is cancelled
    EXPECT_EQ(prompts.filters.size(), 2u);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(FileExists(folder.File(L"logfile2.txt")));
    EXPECT_EQ(window->GetFindings().Count(), 1u);
    EXPECT_EQ(BoxText(), shown);
}

// A file that cannot be read is named with the reason; the window, the findings, the logs and
// the box stay as they were and the next check works.
TEST_F(PendoricWindowTest, UnreadableInputIsReportedAndTheRunGoesOn)
{
    CheckFile(PendoricWindow::IdColumn9Check, L"a.txt", "short\r\n");
    std::wstring shown = BoxText();
    std::string log = Log(L"logfile1.txt");

    WriteBytes(folder.File(L"locked.txt"), "short\r\n");
    HANDLE lock = CreateFileW(folder.File(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CreateDirectoryW(folder.File(L"folder.txt").c_str(), nullptr);
    const struct
    {
        std::wstring path;
        DWORD error;
    } cases[] = {
        {folder.File(L"missing.txt"), ERROR_FILE_NOT_FOUND},
        {folder.File(L"locked.txt"), ERROR_SHARING_VIOLATION},
        {folder.File(L"folder.txt"), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
        prompts.messages.clear();
        prompts.files.push_back(c.path);
        Click(PendoricWindow::IdColumn9Check);
        ASSERT_TRUE(IsWindow(Hwnd()));
        ASSERT_EQ(prompts.messages.size(), 1u);
        const ShownMessage& m = prompts.messages[0];
        EXPECT_EQ(m.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_EQ(m.caption, kTitle);
        EXPECT_NE(m.text.find(c.path), std::wstring::npos);
        if (c.error) {
            EXPECT_NE(m.text.find(DescribeSystemError(c.error)), std::wstring::npos);
        }
        EXPECT_EQ(window->GetFindings().Count(), 1u);
        EXPECT_EQ(Log(L"logfile1.txt"), log);
        EXPECT_EQ(BoxText(), shown);
    }
    CloseHandle(lock);

    prompts.messages.clear();
    CheckFile(PendoricWindow::IdColumn9Check, L"b.txt", "again\r\n");
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(window->GetFindings().Count(), 2u);
    EXPECT_EQ(BoxText(), L"\r\nshort[行号：1]\r\nagain[行号：1]\r\n");
}

// A log that cannot be written (a folder in its place, held open by another program, or a
// current folder where nothing can be created) is named with the reason; the check's
// findings are kept and appear in the next log that can be written.
TEST_F(PendoricWindowTest, UnwritableLogIsReportedAndTheFindingsKept)
{
    CheckFile(PendoricWindow::IdColumn9Check, L"a.txt", "first\r\n");
    std::wstring shown = BoxText();
    std::wstring logPath = folder.File(L"logfile1.txt");

    DeleteFileW(logPath.c_str());
    ASSERT_TRUE(CreateDirectoryW(logPath.c_str(), nullptr));
    prompts.messages.clear();
    CheckFile(PendoricWindow::IdColumn9Check, L"b.txt", "second\r\n");
    ASSERT_TRUE(IsWindow(Hwnd()));
    ASSERT_EQ(prompts.messages.size(), 1u); // the error only: no completion message
    EXPECT_EQ(prompts.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_NE(prompts.messages[0].text.find(logPath), std::wstring::npos);
    EXPECT_NE(prompts.messages[0].text.find(DescribeSystemError(ERROR_ACCESS_DENIED)), std::wstring::npos);
    EXPECT_EQ(window->GetFindings().Count(), 2u);
    EXPECT_EQ(BoxText(), shown);
    RemoveDirectoryW(logPath.c_str());

    WriteBytes(logPath, "old");
    HANDLE lock = CreateFileW(logPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    prompts.messages.clear();
    CheckFile(PendoricWindow::IdColumn9Check, L"c.txt", "third\r\n");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find(logPath), std::wstring::npos);
    EXPECT_NE(prompts.messages[0].text.find(DescribeSystemError(ERROR_SHARING_VIOLATION)), std::wstring::npos);
    CloseHandle(lock);
    EXPECT_EQ(Log(L"logfile1.txt"), "old");

    // A current folder where nothing can be created, not even by root.
    {
        CurrentFolder readOnly(L"Z:\\proc");
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        ASSERT_STREQ(current, L"Z:\\proc");
        prompts.messages.clear();
        CheckFile(PendoricWindow::IdColumn9Check, L"e.txt", "fifth\r\n");
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_NE(prompts.messages[0].text.find(L"Z:\\proc\\logfile1.txt"), std::wstring::npos);
    }

    prompts.messages.clear();
    CheckFile(PendoricWindow::IdColumn9Check, L"d.txt", "fourth\r\n");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(BoxText(), L"\r\nfirst[行号：1]\r\nsecond[行号：1]\r\nthird[行号：1]\r\nfifth[行号：1]\r\n"
                         L"fourth[行号：1]\r\n");
}

// More than 40,000 pieces pass through the box whole: nothing is cut at the box's default limit.
TEST_F(PendoricWindowTest, ShowsLogsOfMoreThan40000Pieces)
{
    std::string input;
    std::wstring expected = L"\r\n";
    for (int i = 1; i <= 42000; ++i) {
        if (i % 4 == 0) {
            input += "[Sec tion]\r\n";
        } else {
            input += "bad line\r\n";
            expected += L"badline[行号：" + std::to_wstring(i) + L"]\r\n";
        }
    }
    CheckFile(PendoricWindow::IdColumn9Check, L"big.txt", input);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(window->GetFindings().Count(), 42000u);
    std::wstring shown = BoxText();
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected);
    std::wstring saved;
    ASSERT_EQ(ReadAnsiTextFile(folder.File(L"logfile1.txt"), saved), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(saved == expected);
}

TEST_F(PendoricWindowTest, AboutShowsNameVersionAndProjectAddress)
{
    Click(PendoricWindow::IdAbout);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Pendoric 1.0\n\nhttp://www.folionyx.example/");
    EXPECT_EQ(prompts.messages[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(prompts.filters.empty());
}

TEST_F(PendoricWindowTest, ExitEndsAtOnceWithoutAsking)
{
    window->SetQuitOnDestroy(true);
    HWND hwnd = Hwnd();
    SendMessageW(Control(PendoricWindow::IdExit), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window->Handle(), nullptr);
    EXPECT_TRUE(prompts.messages.empty());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
