#include "tests/common/MessageLog.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <map>

namespace testsupport {

namespace {

// How messages lately reached the window procedures of this thread. The hooks note every send
// and every message taken from the queue; a recorded message was sent when its latest matching
// delivery was a send. A few deliveries are kept, since a handler may send or take other
// messages before it records its own. Plain data only: thread_local objects with destructors
// are unsafe under MinGW.
struct Delivery
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool bySend;
    unsigned long stamp; // 0: unused

    bool Is(HWND h, UINT m, WPARAM w, LPARAM l) const
    {
        return stamp != 0 && hwnd == h && message == m && wParam == w && lParam == l;
    }
};

struct ThreadHooks
{
    HHOOK callWndProc;
    HHOOK getMessage;
    int users; // logs alive on this thread
    unsigned long clock;
    Delivery recent[32];   // a ring, written at clock % 32
    MessageLog* newestLog; // the logs of this thread, newest first, linked through m_outer

    void Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool bySend)
    {
        ++clock;
        recent[clock % 32] = {hwnd, message, wParam, lParam, bySend, clock};
    }
};

thread_local ThreadHooks t_hooks;

// Windows the system makes for itself on a thread that creates windows.
bool IsSystemHelperWindow(HWND hwnd)
{
    wchar_t className[32] = {};
    ::GetClassNameW(hwnd, className, 32);
    return ::lstrcmpiW(className, L"IME") == 0 || ::lstrcmpiW(className, L"MSCTFIME UI") == 0;
}

std::map<UINT, std::string>& OwnNames()
{
    static std::map<UINT, std::string> names;
    return names;
}

// clang-format off
#define MESSAGE_NAME(m) {m, #m}
const struct {
    UINT message;
    const char* name;
} kSystemNames[] = {
    MESSAGE_NAME(WM_NULL), MESSAGE_NAME(WM_CREATE), MESSAGE_NAME(WM_DESTROY), MESSAGE_NAME(WM_MOVE),
    MESSAGE_NAME(WM_SIZE), MESSAGE_NAME(WM_ACTIVATE), MESSAGE_NAME(WM_SETFOCUS), MESSAGE_NAME(WM_KILLFOCUS),
    MESSAGE_NAME(WM_ENABLE), MESSAGE_NAME(WM_SETREDRAW), MESSAGE_NAME(WM_SETTEXT), MESSAGE_NAME(WM_GETTEXT),
    MESSAGE_NAME(WM_GETTEXTLENGTH), MESSAGE_NAME(WM_PAINT), MESSAGE_NAME(WM_CLOSE), MESSAGE_NAME(WM_QUIT),
    MESSAGE_NAME(WM_ERASEBKGND), MESSAGE_NAME(WM_SHOWWINDOW), MESSAGE_NAME(WM_ACTIVATEAPP),
    MESSAGE_NAME(WM_CANCELMODE), MESSAGE_NAME(WM_SETCURSOR), MESSAGE_NAME(WM_MOUSEACTIVATE),
    MESSAGE_NAME(WM_GETMINMAXINFO), MESSAGE_NAME(WM_DRAWITEM), MESSAGE_NAME(WM_MEASUREITEM),
    MESSAGE_NAME(WM_SETFONT), MESSAGE_NAME(WM_GETFONT), MESSAGE_NAME(WM_WINDOWPOSCHANGING),
    MESSAGE_NAME(WM_WINDOWPOSCHANGED), MESSAGE_NAME(WM_NOTIFY), MESSAGE_NAME(WM_STYLECHANGING),
    MESSAGE_NAME(WM_STYLECHANGED), MESSAGE_NAME(WM_GETICON), MESSAGE_NAME(WM_SETICON), MESSAGE_NAME(WM_NCCREATE),
    MESSAGE_NAME(WM_NCDESTROY), MESSAGE_NAME(WM_NCCALCSIZE), MESSAGE_NAME(WM_NCHITTEST), MESSAGE_NAME(WM_NCPAINT),
    MESSAGE_NAME(WM_NCACTIVATE), MESSAGE_NAME(WM_GETDLGCODE), MESSAGE_NAME(WM_NCMOUSEMOVE),
    MESSAGE_NAME(WM_NCLBUTTONDOWN), MESSAGE_NAME(WM_NCLBUTTONUP), MESSAGE_NAME(WM_KEYDOWN), MESSAGE_NAME(WM_KEYUP),
    MESSAGE_NAME(WM_CHAR), MESSAGE_NAME(WM_SYSKEYDOWN), MESSAGE_NAME(WM_SYSKEYUP), MESSAGE_NAME(WM_SYSCHAR),
    MESSAGE_NAME(WM_INITDIALOG), MESSAGE_NAME(WM_COMMAND), MESSAGE_NAME(WM_SYSCOMMAND), MESSAGE_NAME(WM_TIMER),
    MESSAGE_NAME(WM_HSCROLL), MESSAGE_NAME(WM_VSCROLL), MESSAGE_NAME(WM_INITMENU), MESSAGE_NAME(WM_INITMENUPOPUP),
    MESSAGE_NAME(WM_MENUSELECT), MESSAGE_NAME(WM_ENTERIDLE), MESSAGE_NAME(WM_CTLCOLORBTN),
    MESSAGE_NAME(WM_CTLCOLORSTATIC), MESSAGE_NAME(WM_CTLCOLOREDIT), MESSAGE_NAME(WM_MOUSEMOVE),
    MESSAGE_NAME(WM_LBUTTONDOWN), MESSAGE_NAME(WM_LBUTTONUP), MESSAGE_NAME(WM_LBUTTONDBLCLK),
    MESSAGE_NAME(WM_RBUTTONDOWN), MESSAGE_NAME(WM_RBUTTONUP), MESSAGE_NAME(WM_MBUTTONDOWN),
    MESSAGE_NAME(WM_MBUTTONUP), MESSAGE_NAME(WM_MOUSEWHEEL), MESSAGE_NAME(WM_PARENTNOTIFY),
    MESSAGE_NAME(WM_ENTERMENULOOP), MESSAGE_NAME(WM_EXITMENULOOP), MESSAGE_NAME(WM_CAPTURECHANGED),
    MESSAGE_NAME(WM_MOVING), MESSAGE_NAME(WM_SIZING), MESSAGE_NAME(WM_ENTERSIZEMOVE), MESSAGE_NAME(WM_EXITSIZEMOVE),
    MESSAGE_NAME(WM_IME_SETCONTEXT), MESSAGE_NAME(WM_IME_NOTIFY), MESSAGE_NAME(WM_MOUSEHOVER),
    MESSAGE_NAME(WM_MOUSELEAVE), MESSAGE_NAME(WM_PRINT), MESSAGE_NAME(WM_PRINTCLIENT),
    MESSAGE_NAME(WM_THEMECHANGED),
};
#undef MESSAGE_NAME
// clang-format on

std::string Hex(ULONG_PTR value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string Describe(const RecordedMessage& m)
{
    return MessageLog::NameOf(m.message) + (m.sent ? " sent" : " posted") + ", wParam " + Hex(m.wParam) + ", lParam " +
           Hex(static_cast<ULONG_PTR>(m.lParam)) + ", window " + Hex(reinterpret_cast<ULONG_PTR>(m.hwnd));
}

std::string Describe(const ExpectedMessage& e)
{
    std::string text = MessageLog::NameOf(e.message);
    if (e.flags & sent)
        text += " sent";
    else if (e.flags & posted)
        text += " posted";
    if (e.flags & wparam)
        text += ", wParam " + Hex(e.wParam);
    if (e.flags & lparam)
        text += ", lParam " + Hex(static_cast<ULONG_PTR>(e.lParam));
    if (e.flags & optional)
        text += " (optional)";
    return text;
}

bool RowMatches(const ExpectedMessage& e, const RecordedMessage& m)
{
    if (e.message != m.message)
        return false;
    if (((e.flags & sent) && !m.sent) || ((e.flags & posted) && m.sent))
        return false;
    if ((e.flags & wparam) && e.wParam != m.wParam)
        return false;
    return !(e.flags & lparam) || e.lParam == m.lParam;
}

// Matches rows from `row` against messages from `index`; an optional row that matches is
// tried both taken and skipped. Keeps the place where a failing attempt got furthest.
struct Matcher
{
    const std::vector<ExpectedMessage>& rows;
    const std::vector<RecordedMessage>& messages;
    size_t failRow = 0, failIndex = 0;
    bool failed = false;

    void Fail(size_t row, size_t index)
    {
        if (!failed || index > failIndex || (index == failIndex && row > failRow)) {
            failRow = row;
            failIndex = index;
        }
        failed = true;
    }

    bool From(size_t row, size_t index)
    {
        for (;;) {
            if (row == rows.size()) {
                if (index == messages.size())
                    return true;
                Fail(row, index);
                return false;
            }
            const bool isOptional = (rows[row].flags & optional) != 0;
            if (index < messages.size() && RowMatches(rows[row], messages[index])) {
                if (isOptional && From(row + 1, index + 1))
                    return true;
                if (!isOptional)
                    ++index;
                ++row;
                continue;
            }
            if (!isOptional) {
                Fail(row, index);
                return false;
            }
            ++row;
        }
    }
};

} // namespace

MessageLog::MessageLog()
{
    if (t_hooks.users++ == 0) {
        t_hooks.callWndProc = ::SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHook, nullptr, ::GetCurrentThreadId());
        t_hooks.getMessage = ::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, ::GetCurrentThreadId());
    }
    m_outer = t_hooks.newestLog;
    t_hooks.newestLog = this;
}

MessageLog::MessageLog(std::initializer_list<UINT> recorded) : MessageLog()
{
    m_recorded.insert(recorded.begin(), recorded.end());
}

MessageLog::~MessageLog()
{
    WatchNewWindows(false);
    while (!m_watched.empty())
        Unwatch(*m_watched.begin());
    for (MessageLog** link = &t_hooks.newestLog; *link; link = &(*link)->m_outer) {
        if (*link == this) {
            *link = m_outer;
            break;
        }
    }
    if (--t_hooks.users == 0) {
        ::UnhookWindowsHookEx(t_hooks.callWndProc);
        ::UnhookWindowsHookEx(t_hooks.getMessage);
        t_hooks = ThreadHooks{};
    }
}

void MessageLog::Watch(HWND hwnd)
{
    if (m_watched.insert(hwnd).second)
        ::SetWindowSubclass(hwnd, &SubclassProc, SubclassId(), reinterpret_cast<DWORD_PTR>(this));
}

void MessageLog::Unwatch(HWND hwnd)
{
    if (m_watched.erase(hwnd) && ::IsWindow(hwnd))
        ::RemoveWindowSubclass(hwnd, &SubclassProc, SubclassId());
}

void MessageLog::WatchNewWindows(bool on)
{
    if (on && !m_cbtHook) {
        m_cbtHook = ::SetWindowsHookExW(WH_CBT, &CbtHook, nullptr, ::GetCurrentThreadId());
    } else if (!on && m_cbtHook) {
        ::UnhookWindowsHookEx(m_cbtHook);
        m_cbtHook = nullptr;
    }
}

void MessageLog::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_recorded.empty() || m_recorded.count(message))
        m_messages.push_back({hwnd, message, wParam, lParam, WasSent(hwnd, message, wParam, lParam)});
}

bool MessageLog::WasSent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (::InSendMessageEx(nullptr) & ISMEX_SEND) // from another thread
        return true;
    const Delivery* latest = nullptr;
    for (const Delivery& delivery : t_hooks.recent) {
        if (delivery.Is(hwnd, message, wParam, lParam) && (!latest || delivery.stamp > latest->stamp))
            latest = &delivery;
    }
    return !latest || latest->bySend; // no delivery noted: a direct call of the window procedure
}

bool MessageLog::Contains(UINT message) const
{
    return std::any_of(m_messages.begin(), m_messages.end(),
                       [message](const RecordedMessage& m) { return m.message == message; });
}

void MessageLog::NameMessage(UINT message, const char* name)
{
    OwnNames()[message] = name;
}

std::string MessageLog::NameOf(UINT message)
{
    auto own = OwnNames().find(message);
    if (own != OwnNames().end())
        return own->second;
    for (const auto& known : kSystemNames) {
        if (known.message == message)
            return known.name;
    }
    if (message >= WM_APP && message <= 0xBFFF)
        return "WM_APP+" + std::to_string(message - WM_APP);
    if (message >= WM_USER && message < WM_APP)
        return "WM_USER+" + std::to_string(message - WM_USER);
    return "message " + Hex(message);
}

testing::AssertionResult MessageLog::Matches(const std::vector<ExpectedMessage>& expected, HWND only) const
{
    std::vector<RecordedMessage> messages;
    for (const RecordedMessage& m : m_messages) {
        if (!only || m.hwnd == only)
            messages.push_back(m);
    }
    Matcher matcher{expected, messages};
    if (matcher.From(0, 0))
        return testing::AssertionSuccess();

    const size_t row = matcher.failRow, index = matcher.failIndex;
    testing::AssertionResult failure = testing::AssertionFailure();
    if (row == expected.size()) {
        failure << "message " << index + 1 << " (" << Describe(messages[index])
                << ") is not in the table, which ends after " << expected.size() << " rows";
    } else if (index == messages.size()) {
        failure << "the log ends after " << messages.size() << " messages; row " << row + 1 << " of the table expects "
                << Describe(expected[row]);
    } else {
        failure << "message " << index + 1 << " differs from row " << row + 1 << " of the table:\n  expected "
                << Describe(expected[row]) << "\n  recorded " << Describe(messages[index]);
    }
    failure << "\nrecorded messages:";
    for (size_t i = 0; i < messages.size(); ++i)
        failure << "\n  " << i + 1 << ". " << Describe(messages[i]);
    return failure;
}

LRESULT CALLBACK MessageLog::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR refData)
{
    auto* log = reinterpret_cast<MessageLog*>(refData);
    log->Record(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &SubclassProc, log->SubclassId());
        log->m_watched.erase(hwnd);
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK MessageLog::CallWndProcHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        t_hooks.Note(cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam, true);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageLog::GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (wParam & PM_REMOVE)) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        t_hooks.Note(msg->hwnd, msg->message, msg->wParam, msg->lParam, false);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageLog::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        for (MessageLog* log = t_hooks.newestLog; log; log = log->m_outer) {
            if (log->m_cbtHook && !IsSystemHelperWindow(hwnd))
                log->Watch(hwnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace testsupport
