// The book's shortcuts: the texts of the button settings as keys, the table that F3 always
// leads, and a shortcut pressed on the running reader.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "books/packer/BookPacker.h"
#include "reader/ui/Accelerators.h"
#include "reader/app/AppFolders.h"
#include "reader/book/ExeBookDocument.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"

TEST(Accelerators, TextsGiveModifiersAndKeys)
{
    struct Case
    {
        const wchar_t* text;
        BYTE modifiers;
        WORD key;
    };
    const Case cases[] = {
        {L"ctrl+P", FCONTROL, 'P'},
        {L" ctrl + p ", FCONTROL, 'P'},
        {L"alt+F4", FALT, VK_F4},
        {L"F5", 0, VK_F5},
        {L"F9", 0, VK_F9},
        {L"F10", 0, VK_F10},
        {L"F19", 0, VK_F19},
        {L"F20", 0, 0},
        {L"F0", 0, 0},
        {L"shift+Up", FSHIFT, VK_UP},
        {L"uP", 0, VK_UP},
        {L"ctrl+Right", FCONTROL, VK_RIGHT},
        {L"PgDn", 0, 0},
        {L"ctrl+shift+P", FCONTROL | FSHIFT, 'P'},
        {L"CTRL+ALT+SHIFT+7", FCONTROL | FALT | FSHIFT, '7'},
        // Punctuation is the key of the layout, never the key whose code it happens to share.
        {L"ctrl+.", FCONTROL, VK_OEM_PERIOD},
        {L"ctrl+,", FCONTROL, VK_OEM_COMMA},
        {L"ctrl+-", FCONTROL, VK_OEM_MINUS},
        {L"ctrl+/", FCONTROL, VK_OEM_2},
        // A character that needs Shift on the layout gives no key.
        {L"ctrl+?", FCONTROL, 0},
        {L"", 0, 0},
        {L"ctrl+", FCONTROL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << CStringA(c.text).GetString() << "\"");
        EXPECT_EQ(c.modifiers, ParseAccelModifiers(c.text));
        EXPECT_EQ(c.key, ParseAccelKey(c.text));
    }
}

TEST(Accelerators, TableStartsWithF3AndKeepsOnlyButtonsWithKeys)
{
    CExeBookDocument settings;
    settings.AssignButtonCommandIds();
    std::vector<ACCEL> entries = BookAcceleratorEntries(settings);
    ASSERT_EQ(1u, entries.size()); // no Accel anywhere: F3 only
    EXPECT_EQ(FVIRTKEY, entries[0].fVirt);
    EXPECT_EQ(VK_F3, entries[0].key);
    EXPECT_EQ(ID_LOCATE_KEYWORDS, entries[0].cmd);

    settings.m_Buttons[ExeBookButtonHome].strAccel = L"alt+Home"; // no such key name: dropped
    settings.m_Buttons[ExeBookButtonNext].strAccel = L"ctrl+shift+N";
    settings.m_Buttons[ExeBookButtonPrint].strAccel = L"F3"; // F3 stays Locate Keywords
    entries = BookAcceleratorEntries(settings);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(VK_F3, entries[1].key);
    EXPECT_EQ(settings.m_Buttons[ExeBookButtonPrint].nCommandID, entries[1].cmd);
    EXPECT_EQ(FVIRTKEY | FCONTROL | FSHIFT, entries[2].fVirt);
    EXPECT_EQ('N', entries[2].key);
    EXPECT_EQ(settings.m_Buttons[ExeBookButtonNext].nCommandID, entries[2].cmd);
}

TEST(Accelerators, ShortcutOfTheBookRunsItsCommandInTheReader)
{
    bookpacker::CBookPacker packer;
    const std::wstring page = readertest::UniqueName(L"accel", L".htm");
    readertest::AddHomePage(packer, page, L"home by key");
    packer.settings.buttons[ExeBookButtonHome].accel = L"ctrl+shift+H";
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"AccelReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    const std::wstring path = std::wstring(GetWorkFolder().GetString()) + page;

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(path); }, 10000));
    // Home extracts its page again when it runs.
    ASSERT_TRUE(testsupport::PumpUntil([&] { return DeleteFileW(path.c_str()) != FALSE; }, 5000));
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_CONTROL, VK_SHIFT}, 'H'));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(path); }, 10000));
    DeleteFileW(path.c_str());
}
