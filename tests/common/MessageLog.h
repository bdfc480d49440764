// Records the messages that reach chosen windows, so that a test can state their order as a
// table: {WM_SIZE, sent}, {WM_TIMER, posted}, {WM_MOUSEMOVE, posted | optional}, ...
// A log watches windows by subclassing them (Watch), or every window this thread creates from
// its first message on (WatchNewWindows), or is fed by a window object itself (Record).
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

// How a row of a sequence table is compared with a recorded message.
enum MessageFlags : unsigned {
    sent = 0x01,     // delivered by SendMessage (or a direct call), not from the queue
    posted = 0x02,   // taken from the queue and dispatched (posted messages, WM_TIMER, WM_PAINT, input)
    optional = 0x04, // may be missing from the log
    wparam = 0x08,   // the row's wParam must match
    lparam = 0x10,   // the row's lParam must match
};

// One row of a sequence table. Without sent or posted, either delivery matches.
struct ExpectedMessage
{
    UINT message;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct RecordedMessage
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool sent; // false: dispatched from the queue
};

class MessageLog
{
public:
    // Records every message, or only the ones named.
    MessageLog();
    explicit MessageLog(std::initializer_list<UINT> recorded);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    // Subclasses a window of this thread until Unwatch, its destruction or the log's end.
    void Watch(HWND hwnd);
    void Unwatch(HWND hwnd);
    // While on, every window this thread creates is watched from its first message.
    void WatchNewWindows(bool on);

    // For a window that reports what reached it (from its window procedure).
    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Names a message of the test's own, for failure messages.
    static void NameMessage(UINT message, const char* name);

    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    bool Contains(UINT message) const;
    void Clear() { m_messages.clear(); }

    // Compares the log (or only the messages of one window) with a sequence table. The result
    // names the first difference and lists what was recorded.
    testing::AssertionResult Matches(const std::vector<ExpectedMessage>& expected, HWND only = nullptr) const;

    static std::string NameOf(UINT message);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    // Each log is a subclass of its own, so that two logs may watch one window.
    UINT_PTR SubclassId() const { return reinterpret_cast<UINT_PTR>(this); }
    bool WasSent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;

    std::set<UINT> m_recorded; // empty: every message
    std::set<HWND> m_watched;
    std::vector<RecordedMessage> m_messages;
    HHOOK m_cbtHook = nullptr;
    MessageLog* m_outer = nullptr; // the log that was active on this thread before this one
};

} // namespace testsupport
