// The rich-edit box keeps any plain text exactly as it was given.
#include "tests/common/WineTestSupport.h"
#include "tests/pendoric/PendoricTestSupport.h"
#include "tools/pendoric/LogView.h"
#include <richedit.h>
#include <gtest/gtest.h>

using namespace pendoric;

namespace {

class LogViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(m_view.Create(m_parent, 7));
        MoveWindow(m_view.Handle(), 0, 0, 380, 260, FALSE);
    }
    void TearDown() override { DestroyWindow(m_parent); }

    HWND m_parent = nullptr;
    LogView m_view;
};

std::wstring Repeat(const std::wstring& piece, int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

} // namespace

TEST_F(LogViewTest, KeepsPlainTextExactly)
{
    const std::wstring texts[] = {
        L"\r\nx[行号：1]\r\n",
        L"",
        L"\r\n",
        L"{\\rtf1\\ansi not rich}\r\n",     // never taken for RTF
        std::wstring(L"a\0b\r\nc\r\n", 8),  // a NUL does not end the text
        Repeat(L"line of a log\r\n", 4000), // past the default 32K limit
        L"{" + Repeat(L"x\r\n", 30000),     // streamed in many chunks: no CR LF is split
    };
    for (const std::wstring& text : texts) {
        SCOPED_TRACE(testing::Message() << "text of " << text.size() << " characters");
        m_view.SetText(text);
        std::wstring shown = m_view.Text();
        EXPECT_EQ(shown.size(), text.size());
        EXPECT_TRUE(shown == text);
    }
}

TEST_F(LogViewTest, ReplacingTheTextKeepsTheBoxInPlace)
{
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_view.SetFont(font);
    m_view.SetText(L"first\r\n");
    m_view.SetText(L"second\r\n");
    HWND box = GetDlgItem(m_parent, 7);
    ASSERT_EQ(box, m_view.Handle());
    EXPECT_EQ(GetWindow(m_parent, GW_CHILD), box);
    EXPECT_EQ(GetWindow(box, GW_HWNDNEXT), nullptr); // the only box
    RECT rc;
    GetWindowRect(box, &rc);
    MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.right - rc.left, 380);
    EXPECT_EQ(rc.bottom - rc.top, 260);
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    SendMessageW(box, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof(logFont), &logFont);
    EXPECT_STREQ(format.szFaceName, logFont.lfFaceName);
    EXPECT_EQ(m_view.Text(), L"second\r\n");
}

TEST_F(LogViewTest, SavesItsTextInTheAnsiCodePage)
{
    PENDORIC_ASSERT_CHINESE_CODE_PAGE();
    testsupport::TempFolder folder;
    m_view.SetText(L"\r\nab c[行号：1]\r\n");
    ASSERT_EQ(m_view.SavePlainText(folder.File(L"out.txt")), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(pendoric_test::ReadBytes(folder.File(L"out.txt")), "\r\nab c[\xD0\xD0\xBA\xC5\xA3\xBA"
                                                                 "1]\r\n");
    EXPECT_EQ(m_view.SavePlainText(folder.File(L"no folder\\out.txt")), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}
