// Watching a window's messages through the hook manager.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/AfxState.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/HookManager.h"

namespace {

const UINT kProbe = WM_APP + 7;

std::vector<std::wstring> g_log;

LRESULT CALLBACK LoggingWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == kProbe) {
        g_log.push_back(L"window");
        return 99;
    }
    if (nMessage == WM_NCDESTROY)
        g_log.push_back(L"window NCDESTROY");
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

const wchar_t* LoggingClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = LoggingWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HookManagerTestsWindow";
        RegisterClassW(&wc);
        registered = true;
    }
    return L"HookManagerTestsWindow";
}

HWND CreateLoggingWindow()
{
    return CreateWindowExW(0, LoggingClass(), L"abc", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

int g_deletes = 0;

class CTestHookAble : public CQorHookManagerHookAble
{
public:
    CTestHookAble(const wchar_t* name, int answer, LRESULT result = 0)
        : m_name(name), m_answer(answer), m_result(result)
    {}
    ~CTestHookAble() override { ++g_deletes; }

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override
    {
        if (nMessage != kProbe)
            return QOR_HOOK_OFFER_ON;
        g_log.push_back(m_name);
        if (m_action)
            m_action(hWnd);
        lResult = m_result;
        return m_answer;
    }

    std::wstring m_name;
    int m_answer;
    LRESULT m_result;
    std::function<void(HWND)> m_action;
};

class HookManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        g_deletes = 0;
        m_hWnd = CreateLoggingWindow();
        ASSERT_NE(m_hWnd, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
    }
    WNDPROC CurrentProc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)); }

    HWND m_hWnd = nullptr;
};

struct OfferCase
{
    const char* name;
    int answerFirst;  // the hook-able registered first
    int answerSecond; // registered second: offered first
    std::vector<std::wstring> expectedLog;
    LRESULT expectedResult;
};

TEST_F(HookManagerTest, OfferRunsFromTheLastRegisteredAndAnswersDecideWhoHandles)
{
    const OfferCase cases[] = {
        {"both offer on", 0, 0, {L"second", L"first", L"window"}, 99},
        {"second consumes", 0, 1, {L"second"}, 5},
        {"second passes to the window", 1, 2, {L"second", L"window"}, 99},
        {"first consumes", 1, 0, {L"second", L"first"}, 7},
        {"first passes to the window", 2, 0, {L"second", L"first", L"window"}, 99},
    };
    for (const OfferCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTestHookAble first(L"first", c.answerFirst, 7);
        CTestHookAble second(L"second", c.answerSecond, 5);
        ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, &first));
        ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, &second));
        g_log.clear();
        EXPECT_EQ(SendMessageW(m_hWnd, kProbe, 0, 0), c.expectedResult);
        EXPECT_EQ(g_log, c.expectedLog);
        GetHookManager()->RemoveAll(&second);
        GetHookManager()->RemoveAll(&first);
        EXPECT_EQ(CurrentProc(), &LoggingWndProc);
    }
}

TEST_F(HookManagerTest, SetHookTwiceKeepsOneEntryAndRemovalRestoresTheFirstProcedure)
{
    CTestHookAble hookAble(L"one", 0);
    ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, &hookAble));
    ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, &hookAble));
    EXPECT_EQ(CurrentProc(), &CQorHookManager::HookSinkWindowProc);
    ASSERT_NE(GetHookManager()->Lookup(m_hWnd), nullptr);
    EXPECT_EQ(GetHookManager()->Lookup(m_hWnd)->GetCount(), 1);
    SendMessageW(m_hWnd, kProbe, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::wstring>{L"one", L"window"}));

    GetHookManager()->RemoveAll(&hookAble);
    EXPECT_EQ(CurrentProc(), &LoggingWndProc);
    EXPECT_EQ(GetHookManager()->Lookup(m_hWnd), nullptr);
    g_log.clear();
    SendMessageW(m_hWnd, kProbe, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::wstring>{L"window"}));
}

TEST_F(HookManagerTest, SetHookFailsOnWindowsItCannotSubclass)
{
    CTestHookAble hookAble(L"one", 0);
    HWND hGone = CreateLoggingWindow();
    DestroyWindow(hGone);
    EXPECT_FALSE(GetHookManager()->SetHook(hGone, &hookAble));
    EXPECT_EQ(GetHookManager()->Lookup(hGone), nullptr);
    // The desktop window belongs to another process under Wine and Windows alike.
    HWND hDesktop = GetDesktopWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(hDesktop, &pid);
    if (pid != GetCurrentProcessId()) {
        EXPECT_FALSE(GetHookManager()->SetHook(hDesktop, &hookAble));
        EXPECT_EQ(GetHookManager()->Lookup(hDesktop), nullptr);
    }
}

// Handlers that change the registrations, or destroy the window, while the offer walks them.
struct ReentrancyCase
{
    const char* name;
    int action; // 0 removes itself, 1 removes the other, 2 destroys the window
};

TEST_F(HookManagerTest, HandlersThatLeaveOrDestroyMidOfferAreSafe)
{
    const ReentrancyCase cases[] = {{"self-removal", 0}, {"removal of the other", 1}, {"DestroyWindow", 2}};
    for (const ReentrancyCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        g_deletes = 0;
        if (!IsWindow(m_hWnd))
            m_hWnd = CreateLoggingWindow();
        auto* first = new CTestHookAble(L"first", 0);
        auto* second = new CTestHookAble(L"second", 0);
        first->m_bAutoDelete = TRUE;
        second->m_bAutoDelete = TRUE;
        ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, first));
        ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, second));
        if (c.action == 0)
            second->m_action = [second](HWND) { GetHookManager()->RemoveAll(second); };
        else if (c.action == 1)
            second->m_action = [first](HWND) { GetHookManager()->RemoveAll(first); };
        else
            second->m_action = [](HWND hWnd) { DestroyWindow(hWnd); };

        SendMessageW(m_hWnd, kProbe, 0, 0);
        if (c.action == 0) {
            EXPECT_EQ(g_log, (std::vector<std::wstring>{L"second", L"first", L"window"}));
            EXPECT_EQ(g_deletes, 1);
            GetHookManager()->RemoveAll(first);
        } else if (c.action == 1) {
            EXPECT_EQ(g_log, (std::vector<std::wstring>{L"second", L"window"}));
            EXPECT_EQ(g_deletes, 1);
            GetHookManager()->RemoveAll(second);
        } else {
            // The first procedure is back before it sees WM_NCDESTROY; the dead window's
            // procedure is not called again for the message that destroyed it.
            EXPECT_EQ(g_log, (std::vector<std::wstring>{L"second", L"window NCDESTROY"}));
            EXPECT_EQ(GetHookManager()->Lookup(m_hWnd), nullptr);
        }
        EXPECT_EQ(g_deletes, 2);
    }
}

TEST_F(HookManagerTest, DestroyedWindowGetsItsProcedureBackAndAutoDeleteObjectsGoOnce)
{
    auto* hookAble = new CTestHookAble(L"one", 0);
    hookAble->m_bAutoDelete = TRUE;
    ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, hookAble));
    DestroyWindow(m_hWnd);
    EXPECT_EQ(g_log, (std::vector<std::wstring>{L"window NCDESTROY"}));
    EXPECT_EQ(g_deletes, 1);
    EXPECT_EQ(GetHookManager()->Lookup(m_hWnd), nullptr);
}

// One auto-delete hook-able watching two windows is deleted once, when the last window
// drops it, however it leaves them.
TEST_F(HookManagerTest, AnAutoDeleteObjectOnTwoWindowsIsDeletedOnceAfterTheLastDropsIt)
{
    const struct
    {
        const char* name;
        bool destroyWindows; // else RemoveAll
    } cases[] = {{"RemoveAll", false}, {"one window destroyed, then the other", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_deletes = 0;
        HWND first = CreateLoggingWindow();
        HWND second = CreateLoggingWindow();
        auto* hookAble = new CTestHookAble(L"both", 0);
        hookAble->m_bAutoDelete = TRUE;
        ASSERT_TRUE(GetHookManager()->SetHook(first, hookAble));
        ASSERT_TRUE(GetHookManager()->SetHook(second, hookAble));
        if (c.destroyWindows) {
            DestroyWindow(first);
            EXPECT_EQ(g_deletes, 0);
            g_log.clear();
            SendMessageW(second, kProbe, 0, 0); // still served by the surviving object
            EXPECT_EQ(g_log, (std::vector<std::wstring>{L"both", L"window"}));
            DestroyWindow(second);
        } else {
            GetHookManager()->RemoveAll(hookAble);
            EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(first, GWLP_WNDPROC)), &LoggingWndProc);
            EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(second, GWLP_WNDPROC)), &LoggingWndProc);
            DestroyWindow(first);
            DestroyWindow(second);
        }
        EXPECT_EQ(g_deletes, 1);
    }
}

WNDPROC g_pfnBelowForeign = nullptr;

LRESULT CALLBACK ForeignSubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == kProbe)
        g_log.push_back(L"foreign");
    return CallWindowProcW(g_pfnBelowForeign, hWnd, nMessage, wParam, lParam);
}

// Code that subclassed the window after us keeps its place when we leave: our procedure
// stays under it and passes messages on to the window's own one, and a later registration
// takes that link again instead of adding a second.
TEST_F(HookManagerTest, AForeignSubclassOnTopSurvivesOurRemoval)
{
    CTestHookAble hookAble(L"ours", 0);
    ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, &hookAble));
    g_pfnBelowForeign = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignSubclassProc)));
    GetHookManager()->RemoveAll(&hookAble);
    EXPECT_EQ(CurrentProc(), &ForeignSubclassProc);
    g_log.clear();
    EXPECT_EQ(SendMessageW(m_hWnd, kProbe, 0, 0), 99);
    EXPECT_EQ(g_log, (std::vector<std::wstring>{L"foreign", L"window"}));

    ASSERT_TRUE(GetHookManager()->SetHook(m_hWnd, &hookAble));
    g_log.clear();
    SendMessageW(m_hWnd, kProbe, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::wstring>{L"foreign", L"ours", L"window"}));
    GetHookManager()->RemoveAll(&hookAble);
    DestroyWindow(m_hWnd);
    EXPECT_EQ(g_log.back(), L"window NCDESTROY");
}

TEST_F(HookManagerTest, SharedProcedureWithoutASinkKeepsTheWindowOnDefaultHandling)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG before = pState->m_lastSentMsg;
    // Code that subclassed after us may still call our procedure once the sink is gone.
    LRESULT length = CallWindowProcW(&CQorHookManager::HookSinkWindowProc, m_hWnd, WM_GETTEXTLENGTH, 0, 0);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(pState->m_lastSentMsg.message, before.message);
    EXPECT_EQ(pState->m_lastSentMsg.hwnd, before.hwnd);
}

// On a framework window the hooked message is the thread's current one inside the handler.
class CRecordingHookAble : public CQorHookManagerHookAble
{
public:
    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        if (nMessage == kProbe) {
            m_seen = AfxGetThreadState()->m_lastSentMsg;
            // The window's own handler sees the changed parameter.
            wParam = 1234;
        }
        return QOR_HOOK_OFFER_ON;
    }
    MSG m_seen = {};
};

class CRecordingWnd : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kProbe) {
            m_wParamSeen = wParam;
            return 0;
        }
        if (message == WM_APP + 8) {
            // A nested send to the hooked window, then this message must be current again.
            ::SendMessageW(m_hWndHooked, kProbe, 55, 66);
            m_afterNested = AfxGetThreadState()->m_lastSentMsg;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    HWND m_hWndHooked = nullptr;
    WPARAM m_wParamSeen = 0;
    MSG m_afterNested = {};
};

TEST_F(HookManagerTest, FrameworkWindowSeesTheHookedMessageAsCurrentAndGetsItsOwnBack)
{
    CRecordingWnd hooked;
    ASSERT_TRUE(
        hooked.CreateEx(0, AfxRegisterWndClass(0), L"hooked", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    CRecordingWnd outer;
    ASSERT_TRUE(
        outer.CreateEx(0, AfxRegisterWndClass(0), L"outer", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    outer.m_hWndHooked = hooked.GetSafeHwnd();
    CRecordingHookAble hookAble;
    ASSERT_TRUE(GetHookManager()->SetHook(hooked.GetSafeHwnd(), &hookAble));

    ::SendMessageW(outer.GetSafeHwnd(), WM_APP + 8, 11, 22);
    EXPECT_EQ(hookAble.m_seen.hwnd, hooked.GetSafeHwnd());
    EXPECT_EQ(hookAble.m_seen.message, kProbe);
    EXPECT_EQ(hookAble.m_seen.wParam, 55u);
    EXPECT_EQ(hookAble.m_seen.lParam, 66);
    EXPECT_EQ(hooked.m_wParamSeen, 1234u);
    EXPECT_EQ(outer.m_afterNested.hwnd, outer.GetSafeHwnd());
    EXPECT_EQ(outer.m_afterNested.message, static_cast<UINT>(WM_APP + 8));
    EXPECT_EQ(outer.m_afterNested.wParam, 11u);

    GetHookManager()->RemoveAll(&hookAble);
    hooked.DestroyWindow();
    outer.DestroyWindow();
}

} // namespace
