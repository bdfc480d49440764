// The system's own open-file dialog and message box, answered by a timer on the test thread
// while their modal loops run.
#include "tests/common/WineTestSupport.h"
#include "tests/pendoric/PendoricTestSupport.h"
#include "tools/pendoric/PendoricWindow.h"
#include <gtest/gtest.h>
#include <dlgs.h>
#include <functional>
#include <memory>
#include <vector>

using namespace pendoric;
using namespace pendoric_test;

namespace {

// Answers the modal dialogs of this thread in turn: each handler gets the next dialog that
// shows up. A dialog beyond the handlers, or one still up after a while, is cancelled so that
// a failing test cannot hang in a modal loop.
class DialogAnswerer
{
public:
    using Handler = std::function<void(HWND)>;

    explicit DialogAnswerer(std::vector<Handler> handlers) : m_handlers(std::move(handlers))
    {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogAnswerer()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    size_t Answered() const { return m_answered; }
    size_t Cancelled() const { return m_cancelled; }

private:
    static BOOL CALLBACK TakeDialog(HWND hwnd, LPARAM lp)
    {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(hwnd)) {
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    static HWND FindDialog()
    {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogAnswerer* self = s_current;
        HWND dialog = self ? FindDialog() : nullptr;
        if (!dialog) {
            if (self)
                self->m_ticks = 0;
            return;
        }
        if (dialog == self->m_lastDialog) {
            // Still up after being answered: give it a moment, then cancel it.
            if (++self->m_ticks > 100) {
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                ++self->m_cancelled;
            }
            return;
        }
        self->m_lastDialog = dialog;
        self->m_ticks = 0;
        if (self->m_answered < self->m_handlers.size()) {
            self->m_handlers[self->m_answered++](dialog);
        } else {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            ++self->m_cancelled;
        }
    }

    static DialogAnswerer* s_current;
    std::vector<Handler> m_handlers;
    UINT_PTR m_timer = 0;
    size_t m_answered = 0;
    size_t m_cancelled = 0;
    HWND m_lastDialog = nullptr;
    int m_ticks = 0;
};

DialogAnswerer* DialogAnswerer::s_current = nullptr;

void Press(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
}

// The message text of a message box: its static control that holds text.
std::wstring MessageBoxText(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") == 0 && GetWindowTextLengthW(child) > 0)
            return TextOf(child);
    }
    return std::wstring();
}

// The edit box of the open-file dialog's file name: inside the name combo box, or on its own.
HWND FileNameEdit(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, cmb13);
    if (!combo)
        return GetDlgItem(dialog, edt1);
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    if (!edit) {
        HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr);
        edit = inner ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : nullptr;
    }
    return edit ? edit : combo;
}

std::vector<std::wstring> ComboItems(HWND combo)
{
    std::vector<std::wstring> items;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class SystemPromptsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PENDORIC_ASSERT_CHINESE_CODE_PAGE();
        m_current = std::make_unique<CurrentFolder>(folder.Path());
        window = std::make_unique<PendoricWindow>(prompts);
        ASSERT_TRUE(window->Create(GetModuleHandleW(nullptr)));
    }

    void Click(int id) { SendMessageW(GetDlgItem(window->Handle(), id), BM_CLICK, 0, 0); }

    testsupport::TempFolder folder;
    SystemPrompts prompts;
    std::unique_ptr<PendoricWindow> window;

private:
    std::unique_ptr<CurrentFolder> m_current;
};

} // namespace

// A check with the real dialogs: the open-file dialog offers the two filters, the chosen file
// is checked, and the completion message box is shown and closed.
TEST_F(SystemPromptsTest, CheckRunsThroughTheSystemDialogs)
{
    CreateDirectoryW(folder.File(L"texts").c_str(), nullptr);
    std::wstring input = folder.File(L"texts\\in.txt");
    WriteBytes(input, "short\r\n12345678,\r\n");

    std::vector<std::wstring> filters;
    std::wstring message;
    std::wstring caption;
    DialogAnswerer answerer({
        [&](HWND dialog) {
            filters = ComboItems(GetDlgItem(dialog, cmb1));
            SetWindowTextW(FileNameEdit(dialog), input.c_str());
            Press(dialog, IDOK);
        },
        [&](HWND dialog) {
            message = MessageBoxText(dialog);
            caption = TextOf(dialog);
            Press(dialog, IDOK);
        },
    });
    Click(PendoricWindow::IdColumn9Check);

    EXPECT_EQ(answerer.Answered(), 2u);
    EXPECT_EQ(answerer.Cancelled(), 0u);
    EXPECT_EQ(filters, (std::vector<std::wstring>{L"文本文件(*.TXT)", L"所有文件(*.*)"}));
    EXPECT_EQ(message, L"汉化文本格式第9列逗号串字符检查完毕！");
    EXPECT_EQ(caption, L"Pendoric 1.0");
    EXPECT_EQ(window->ChosenFile(), input);
    // The log is written in the current folder, not in the folder the dialog browsed to.
    EXPECT_EQ(ReadBytes(folder.File(L"logfile1.txt")), std::string("\r\nshort[\xD0\xD0\xBA\xC5\xA3\xBA"
                                                                   "1]\r\n"));
    EXPECT_FALSE(FileExists(folder.File(L"texts\\logfile1.txt")));
}

TEST_F(SystemPromptsTest, CancelledOpenDialogChecksNothing)
{
    DialogAnswerer answerer({[](HWND dialog) { Press(dialog, IDCANCEL); }});
    Click(PendoricWindow::IdColumns11To13Check);
    EXPECT_EQ(answerer.Answered(), 1u);
    EXPECT_EQ(answerer.Cancelled(), 0u); // no message box followed
    EXPECT_TRUE(window->ChosenFile().empty());
    EXPECT_FALSE(FileExists(folder.File(L"logfile2.txt")));
}

TEST_F(SystemPromptsTest, AboutShowsAMessageBox)
{
    std::wstring message;
    DialogAnswerer answerer({[&](HWND dialog) {
        message = MessageBoxText(dialog);
        Press(dialog, IDOK);
    }});
    Click(PendoricWindow::IdAbout);
    EXPECT_EQ(answerer.Answered(), 1u);
    EXPECT_EQ(message, L"Pendoric 1.0\n\nhttp://www.folionyx.example/");
}
