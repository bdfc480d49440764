// Pendoric under a Western code page (1252): files are still read and written in the ANSI code
// page, which has neither the log tag's characters nor double-byte characters.
// These tests run in their own CTest run with a Western locale (pendoric_tests_western).
#include "tests/common/WineTestSupport.h"
#include "tests/pendoric/PendoricTestSupport.h"
#include "tools/pendoric/PendoricWindow.h"
#include <gtest/gtest.h>
#include <memory>

using namespace pendoric;
using namespace pendoric_test;

namespace {

bool IsWesternRun()
{
    wchar_t value[8] = {};
    return GetEnvironmentVariableW(L"FOLIONYX_PENDORIC_WESTERN", value, 8) > 0 && value[0] == L'1';
}

class WesternCodePage : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!IsWesternRun())
            GTEST_SKIP() << "runs with a Western locale in pendoric_tests_western";
        ASSERT_EQ(GetACP(), 1252u);
        m_current = std::make_unique<CurrentFolder>(folder.Path());
        window = std::make_unique<PendoricWindow>(prompts);
        ASSERT_TRUE(window->Create(GetModuleHandleW(nullptr)));
    }

    testsupport::TempFolder folder;
    ScriptedPrompts prompts;
    std::unique_ptr<PendoricWindow> window;

private:
    std::unique_ptr<CurrentFolder> m_current;
};

} // namespace

// Each byte of a GBK file is a character of its own, so the comma positions move, and the
// tag's Chinese characters cannot be written: "?" stands for them and the full-width colon
// becomes its nearest Western character, while the line's own bytes come back unchanged.
TEST_F(WesternCodePage, BytesCountAsCharactersAndTheTagLosesItsChinese)
{
    const std::string input =
        "\xD6\xD0\xCE\xC4\xD7\xD6\xB7\xFB,ab\r\n"                   // 中文字符,ab: 5th character, 9th byte
        "\xD6\xD0\xCE\xC4\xD7\xD6\xB7\xFB\xB2\xE2\xCA\xD4xy,z\r\n"; // 中文字符测试xy,z: 9th character, 15th byte
    WriteBytes(folder.File(L"gbk.txt"), input);
    prompts.files.push_back(folder.File(L"gbk.txt"));
    SendMessageW(GetDlgItem(window->Handle(), PendoricWindow::IdColumn9Check), BM_CLICK, 0, 0);

    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"汉化文本格式第9列逗号串字符检查完毕！");
    EXPECT_EQ(window->GetFindings().Count(), 1u);
    EXPECT_EQ(ReadBytes(folder.File(L"logfile1.txt")),
              "\r\n\xD6\xD0\xCE\xC4\xD7\xD6\xB7\xFB\xB2\xE2\xCA\xD4xy,z[??:2]\r\n");
}
