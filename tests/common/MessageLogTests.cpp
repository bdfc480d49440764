// The message recorder: how it tells sent from posted messages, which windows it watches, and
// how a sequence table is compared with what it recorded.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

#include "tests/common/MessageLog.h"
#include "tests/common/WineTestSupport.h"

using namespace testsupport;

namespace {

const UINT WM_LOG_A = WM_APP + 11;
const UINT WM_LOG_B = WM_APP + 12;
const UINT WM_LOG_C = WM_APP + 13;

const wchar_t* PlainClass()
{
    static ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MessageLogPlain";
        return RegisterClassW(&wc);
    }();
    return atom ? L"MessageLogPlain" : nullptr;
}

HWND CreatePlain()
{
    return CreateWindowExW(0, PlainClass(), L"plain", WS_OVERLAPPED, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr);
}

DWORD WINAPI SendFromOtherThread(void* hwnd)
{
    SendMessageW(static_cast<HWND>(hwnd), WM_LOG_C, 7, 8);
    return 0;
}

} // namespace

TEST(MessageLog, TellsSentFromPostedMessages)
{
    HWND hwnd = CreatePlain();
    ASSERT_NE(hwnd, nullptr);
    MessageLog log({WM_LOG_A, WM_LOG_B, WM_LOG_C, WM_TIMER});
    log.Watch(hwnd);

    SendMessageW(hwnd, WM_LOG_A, 1, 2);
    PostMessageW(hwnd, WM_LOG_B, 3, 4);
    SendMessageW(hwnd, WM_LOG_B, 3, 4); // the same message sent while its posted twin waits
    PumpUntil([&] { return log.Messages().size() == 3; });

    // A send from another thread waits in this thread's queue until this thread pumps.
    HANDLE thread = CreateThread(nullptr, 0, &SendFromOtherThread, hwnd, 0, nullptr);
    PumpUntil([&] { return log.Contains(WM_LOG_C); });
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);

    SetTimer(hwnd, 1, 1, nullptr);
    PumpUntil([&] { return log.Contains(WM_TIMER); });
    KillTimer(hwnd, 1);

    EXPECT_TRUE(log.Matches({
        {WM_LOG_A, sent | wparam | lparam, 1, 2},
        {WM_LOG_B, sent | wparam | lparam, 3, 4},
        {WM_LOG_B, posted | wparam | lparam, 3, 4},
        {WM_LOG_C, sent | wparam | lparam, 7, 8},
        {WM_TIMER, posted | wparam, 1},
    }));
    DestroyWindow(hwnd);
}

TEST(MessageLog, WatchesNewWindowsFromTheirFirstMessageToTheirLast)
{
    MessageLog log({WM_NCCREATE, WM_CREATE, WM_LOG_A, WM_DESTROY, WM_NCDESTROY});
    log.WatchNewWindows(true);
    HWND first = CreatePlain();
    log.WatchNewWindows(false);
    HWND second = CreatePlain(); // made after watching stopped
    ASSERT_TRUE(first && second);

    SendMessageW(first, WM_LOG_A, 0, 0);
    SendMessageW(second, WM_LOG_A, 0, 0);
    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_TRUE(log.Matches({{WM_NCCREATE, sent}, {WM_CREATE, sent}, {WM_LOG_A}, {WM_DESTROY}, {WM_NCDESTROY}}));
    EXPECT_TRUE(log.Matches({}, second));
}

TEST(MessageLog, TwoLogsWatchOneWindowAndEachStopsOnItsOwn)
{
    HWND hwnd = CreatePlain();
    MessageLog outer({WM_LOG_A});
    {
        MessageLog inner({WM_LOG_A});
        outer.Watch(hwnd);
        inner.Watch(hwnd);
        SendMessageW(hwnd, WM_LOG_A, 1, 0);
        inner.Unwatch(hwnd);
        SendMessageW(hwnd, WM_LOG_A, 2, 0);
        EXPECT_TRUE(inner.Matches({{WM_LOG_A, wparam, 1}}));
    }
    SendMessageW(hwnd, WM_LOG_A, 3, 0); // the inner log has gone; the outer one still records
    EXPECT_TRUE(outer.Matches({{WM_LOG_A, wparam, 1}, {WM_LOG_A, wparam, 2}, {WM_LOG_A, wparam, 3}}));
    DestroyWindow(hwnd);
}

TEST(MessageLog, ComparisonNamesTheFirstDifference)
{
    MessageLog::NameMessage(WM_LOG_C, "WM_LOG_C");
    struct Case
    {
        const char* name;
        std::vector<UINT> recorded; // all recorded as sent, with wParam 5
        std::vector<ExpectedMessage> table;
        const char* failure; // nullptr: the log matches
    };
    const Case cases[] = {
        {"same sequence", {WM_LOG_A, WM_LOG_B}, {{WM_LOG_A, sent}, {WM_LOG_B, wparam, 5}}, nullptr},
        {"optional row missing", {WM_LOG_A, WM_LOG_C}, {{WM_LOG_A}, {WM_LOG_B, optional}, {WM_LOG_C}}, nullptr},
        {"optional row present", {WM_LOG_A, WM_LOG_B}, {{WM_LOG_A}, {WM_LOG_B, optional}}, nullptr},
        {"optional row before its twin", {WM_LOG_A}, {{WM_LOG_A, optional}, {WM_LOG_A}}, nullptr},
        {"other message",
         {WM_LOG_A, WM_LOG_B},
         {{WM_LOG_A}, {WM_LOG_C}},
         "message 2 differs from row 2 of the table:\n  expected WM_LOG_C\n  recorded WM_APP+12 sent, wParam 0x5"},
        {"other parameter", {WM_LOG_A}, {{WM_LOG_A, wparam, 6}}, "expected WM_APP+11, wParam 0x6\n"},
        {"other delivery", {WM_LOG_A}, {{WM_LOG_A, posted}}, "expected WM_APP+11 posted\n"},
        {"log ends early",
         {WM_LOG_A},
         {{WM_LOG_A}, {WM_LOG_B, optional}, {WM_LOG_C}},
         "the log ends after 1 messages; row 3 of the table expects WM_LOG_C"},
        {"message beyond the table",
         {WM_LOG_A, WM_LOG_B},
         {{WM_LOG_A}},
         "message 2 (WM_APP+12 sent, wParam 0x5, lParam 0x0, window 0x0) is not in the table, which ends after 1 rows"},
        {"furthest attempt reported",
         {WM_LOG_A, WM_LOG_B, WM_LOG_A},
         {{WM_LOG_A, optional}, {WM_LOG_A}, {WM_LOG_B}, {WM_LOG_C}},
         "message 3 differs from row 4 of the table"},
    };
    for (const Case& c : cases) {
        MessageLog log;
        for (UINT message : c.recorded)
            log.Record(nullptr, message, 5, 0);
        testing::AssertionResult result = log.Matches(c.table);
        if (!c.failure) {
            EXPECT_TRUE(result) << c.name;
            continue;
        }
        ASSERT_FALSE(result) << c.name;
        EXPECT_NE(std::string(result.message()).find(c.failure), std::string::npos)
            << c.name << ": " << result.message();
        EXPECT_NE(std::string(result.message()).find("recorded messages:\n  1. WM_APP+11 sent"), std::string::npos)
            << c.name;
    }
}
