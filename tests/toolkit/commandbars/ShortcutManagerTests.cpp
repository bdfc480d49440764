// The shortcut manager: accelerator texts, the shortcut of a command, the archive form, and
// translation of real key input.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <vector>

#include "platform/framework/Archive.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/File.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "tests/toolkit/foundation/TextExchange.h"
#include "toolkit/commandbars/KeyHelper.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "toolkit/foundation/PropExchange.h"

namespace {

HACCEL MakeTable(std::vector<ACCEL> entries)
{
    return CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries(hAccel ? CopyAcceleratorTableW(hAccel, nullptr, 0) : 0);
    if (!entries.empty())
        CopyAcceleratorTableW(hAccel, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

bool SameEntries(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].fVirt != b[i].fVirt || a[i].key != b[i].key || a[i].cmd != b[i].cmd)
            return false;
    }
    return true;
}

TEST(ShortcutManager, FormatsAccelerators)
{
    const struct
    {
        const char* name;
        BYTE fVirt;
        WORD key;
        BOOL bSystemNames;
        const wchar_t* expected;
        int nPriority;
    } rows[] = {
        {"modifiers in order", FVIRTKEY | FSHIFT | FCONTROL, VK_F3, FALSE, L"Ctrl+Shift+F3", 3},
        {"character key", FALT, 'A', FALSE, L"Alt+A", 2},
        {"print screen", FVIRTKEY, VK_SNAPSHOT, FALSE, L"Snapshot", 4},
        {"insert", FVIRTKEY | FSHIFT, VK_INSERT, FALSE, L"Shift+Ins", 1},
        {"scroll lock", FVIRTKEY, VK_SCROLL, FALSE, L"Scrl Lock", 4},
        {"break names its own Ctrl", FVIRTKEY | FCONTROL, 3, FALSE, L"Ctrl+Break", 3},
        {"no key", FVIRTKEY, 0, FALSE, L"", 4},
        {"no key after a modifier", FVIRTKEY | FCONTROL, 0, FALSE, L"Ctrl", 3},
        {"key without any name", FVIRTKEY, VK_F13, FALSE, L"F13", 4},
        {"key without any name, with Ctrl", FVIRTKEY | FCONTROL, VK_F24, FALSE, L"Ctrl+F24", 3},
        {"system names", FVIRTKEY | FCONTROL, VK_F3, TRUE, L"Control+F3", 3},
        {"Esc as a character adds nothing", FCONTROL, VK_ESCAPE, FALSE, L"Ctrl+", 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CQorShortcutManager manager(nullptr);
        manager.m_bUseSystemKeyNameText = row.bSystemNames;
        ACCEL accel = {row.fVirt, row.key, 100};
        int nPriority = 0;
        EXPECT_STREQ(row.expected, static_cast<LPCWSTR>(manager.Format(&accel, &nPriority)));
        EXPECT_EQ(row.nPriority, nPriority);
    }
}

TEST(ShortcutManager, TheShortcutOfACommandPrefersThePlainKeyButKeepsTheCallersText)
{
    CQorShortcutManager manager(nullptr);
    CString text;
    EXPECT_FALSE(manager.FindDefaultAccelerator(100, text)); // no table at all

    manager.SetAcceleratorTable(
        MakeTable({{FVIRTKEY | FCONTROL, 'F', 100}, {FVIRTKEY, VK_F3, 100}, {FVIRTKEY, 'X', 101}}));
    text = L"Shown before";
    EXPECT_TRUE(manager.FindDefaultAccelerator(100, text));
    EXPECT_STREQ(L"F3", text);

    text = L"Ctrl+F";
    EXPECT_TRUE(manager.FindDefaultAccelerator(100, text));
    EXPECT_STREQ(L"Ctrl+F", text);

    text = L"Shown before";
    EXPECT_FALSE(manager.FindDefaultAccelerator(102, text));
    EXPECT_STREQ(L"", text);
}

TEST(ShortcutManager, EscAloneIsAllowedOnlyWhenAskedFor)
{
    CQorShortcutManager manager(nullptr);
    EXPECT_FALSE(manager.IsAllowedAccelerator({FVIRTKEY, VK_ESCAPE, 1}));
    EXPECT_TRUE(manager.IsAllowedAccelerator({FVIRTKEY | FSHIFT, VK_ESCAPE, 1}));
    manager.m_bAllowEscapeShortcut = TRUE;
    EXPECT_TRUE(manager.IsAllowedAccelerator({FVIRTKEY, VK_ESCAPE, 1}));
}

TEST(ShortcutManager, DuplicatesTablesEntryForEntry)
{
    EXPECT_EQ(nullptr, CQorShortcutManager::DuplicateAcceleratorTable(nullptr));
    const std::vector<ACCEL> entries = {{FVIRTKEY, VK_F5, 1}, {FALT, 'Q', 2}};
    HACCEL hTable = MakeTable(entries);
    HACCEL hCopy = CQorShortcutManager::DuplicateAcceleratorTable(hTable);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_NE(hTable, hCopy);
    EXPECT_TRUE(SameEntries(entries, Entries(hCopy)));
    DestroyAcceleratorTable(hTable);
    DestroyAcceleratorTable(hCopy);
}

// Stores the manager's table into archive bytes.
std::vector<BYTE> Store(CQorShortcutManager& manager)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CQorPropExchangeArchive px(ar);
        manager.ExchangeProperties(&px);
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads archive bytes into the manager; FALSE when loading threw.
BOOL Load(CQorShortcutManager& manager, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CQorPropExchangeArchive px(ar);
    px.m_bLoading = TRUE;
    try {
        manager.ExchangeProperties(&px);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

TEST(ShortcutManager, TheArchiveFormLoadsATableThatResetUndoes)
{
    const std::vector<ACCEL> installed = {{FVIRTKEY | FCONTROL, 'O', 10}};
    const std::vector<ACCEL> saved = {{FVIRTKEY, VK_F2, 20}, {FVIRTKEY | FSHIFT, VK_F2, 21}, {FALT, 'Z', 22}};
    CQorShortcutManager source(nullptr);
    source.SetAcceleratorTable(MakeTable(saved));
    const std::vector<BYTE> bytes = Store(source);
    EXPECT_EQ(4u + 3 * sizeof(ACCEL), bytes.size());

    CQorShortcutManager manager(nullptr);
    manager.SetAcceleratorTable(MakeTable(installed));
    ASSERT_TRUE(Load(manager, bytes));
    EXPECT_TRUE(SameEntries(saved, Entries(manager.GetAcceleratorTable())));
    manager.Reset();
    EXPECT_TRUE(SameEntries(installed, Entries(manager.GetAcceleratorTable())));
}

TEST(ShortcutManager, AnArchiveCountOutOfRangeFailsAndKeepsTheTable)
{
    const std::vector<ACCEL> installed = {{FVIRTKEY | FCONTROL, 'O', 10}};
    const struct
    {
        const char* name;
        DWORD dwCount;
    } rows[] = {{"negative", 0xFFFFFFFF}, {"byte size beyond 32 bits", 0x2AAAAAAB}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CQorShortcutManager manager(nullptr);
        manager.SetAcceleratorTable(MakeTable(installed));
        HACCEL hBefore = manager.GetAcceleratorTable();
        std::vector<BYTE> bytes(4 + 12, 0);
        memcpy(bytes.data(), &row.dwCount, 4);
        EXPECT_FALSE(Load(manager, bytes));
        EXPECT_EQ(hBefore, manager.GetAcceleratorTable());
        EXPECT_TRUE(SameEntries(installed, Entries(manager.GetAcceleratorTable())));
    }
}

TEST(ShortcutManager, TheNamedFormKeepsOneSectionPerEntry)
{
    const std::vector<ACCEL> saved = {{FVIRTKEY | FCONTROL, VK_F2, 20}, {FALT, 'Z', 0xFFF0}};
    CQorShortcutManager source(nullptr);
    source.SetAcceleratorTable(MakeTable(saved));
    std::map<CString, CString> values;
    CTextExchange storing(values, FALSE);
    source.ExchangeProperties(&storing);
    EXPECT_STREQ(L"2", values[L"Count"]);
    EXPECT_STREQ(L"9", values[L"Accel0/virt"]);  // FVIRTKEY | FCONTROL
    EXPECT_STREQ(L"113", values[L"Accel0/key"]); // VK_F2
    EXPECT_STREQ(L"20", values[L"Accel0/Id"]);
    EXPECT_STREQ(L"-16", values[L"Accel1/Id"]); // a 16-bit value: 0xFFF0

    CQorShortcutManager manager(nullptr);
    CTextExchange loading(values, TRUE);
    manager.ExchangeProperties(&loading);
    EXPECT_TRUE(SameEntries(saved, Entries(manager.GetAcceleratorTable())));

    // A damaged count is refused before any entry is read.
    values[L"Count"] = L"-1";
    HACCEL hBefore = manager.GetAcceleratorTable();
    CTextExchange damaged(values, TRUE);
    EXPECT_THROW(manager.ExchangeProperties(&damaged), CMemoryException*);
    EXPECT_EQ(hBefore, manager.GetAcceleratorTable());
}

TEST(ShortcutManager, TypedCharactersMatchTheirKeys)
{
    EXPECT_TRUE(CKeyHelper::IsKeyCharacter(L'a', 'A'));
    EXPECT_TRUE(CKeyHelper::IsKeyCharacter(L'A', 'A'));
    EXPECT_TRUE(CKeyHelper::IsKeyCharacter(L'7', '7'));
    EXPECT_FALSE(CKeyHelper::IsKeyCharacter(L'b', 'A'));
    EXPECT_FALSE(CKeyHelper::IsKeyCharacter(L't', VK_F5)); // no character at all
}

// A window whose loop offers keys to the manager first; it counts the commands it gets.
class CommandCounter
{
public:
    CommandCounter()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ShortcutTestFrame";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        s_nCommands = 0;
    }
    ~CommandCounter() { DestroyWindow(m_hWnd); }

    // Pumps with translation for a while.
    void Pump(CQorShortcutManager& manager, DWORD dwMilliseconds)
    {
        const DWORD dwStart = GetTickCount();
        while (GetTickCount() - dwStart < dwMilliseconds) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (manager.TranslateAccelerator(m_hWnd, &msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(1);
        }
    }

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND && LOWORD(wParam) == 300)
            s_nCommands++;
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }

    HWND m_hWnd;
    static int s_nCommands;
};
int CommandCounter::s_nCommands = 0;

void SendCtrlF()
{
    cbtest::SendKey(VK_CONTROL);
    cbtest::SendKey('F');
    cbtest::SendKey('F', true);
    cbtest::SendKey(VK_CONTROL, true);
}

TEST(ShortcutManager, TranslatesRealKeysUnlessLocked)
{
    CQorShortcutManager manager(nullptr);
    manager.SetAcceleratorTable(MakeTable({{FVIRTKEY | FCONTROL, 'F', 300}}));
    CommandCounter frame;
    ASSERT_TRUE(cbtest::BringToFront(frame.m_hWnd));

    SendCtrlF();
    frame.Pump(manager, 200);
    EXPECT_EQ(1, CommandCounter::s_nCommands);

    manager.m_nDisableShortcuts = 1;
    SendCtrlF();
    frame.Pump(manager, 200);
    EXPECT_EQ(1, CommandCounter::s_nCommands);
}

} // namespace
