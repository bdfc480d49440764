// The keyboard manager's thread hooks, driven by real key presses (SendInput) to a focused window.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "tests/common/WineTestSupport.h"
#include "toolkit/foundation/KeyboardManager.h"

namespace {

struct KeySeen
{
    UINT message;
    WPARAM vk;
};
std::vector<KeySeen> g_keys;

LRESULT CALLBACK KeyWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        g_keys.push_back({nMessage, wParam});
        return 0; // no menu mode on Alt
    case WM_SYSCHAR:
    case WM_CHAR:
        return 0;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

class CKeyHookAble : public CQorHookManagerHookAble
{
public:
    explicit CKeyHookAble(int answer) : m_answer(answer) {}
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        m_offers.push_back({nMessage, wParam});
        EXPECT_EQ(hWnd, nullptr);
        if (m_action)
            m_action();
        return m_answer;
    }
    int m_answer;
    std::vector<KeySeen> m_offers;
    std::function<void()> m_action;
};

class CFakeTracker : public CQorPopupChainTracker
{
public:
    BOOL IsTrackingPopup() override { return m_bTracking; }
    void CloseTrackedPopups() override { ++m_nCloses; }
    BOOL m_bTracking = FALSE;
    int m_nCloses = 0;
};

class KeyboardManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = KeyWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KeyboardManagerTestsWindow";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"keys", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        SetForegroundWindow(m_hWnd);
        SetFocus(m_hWnd);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == m_hWnd && GetFocus() == m_hWnd; }));
        // The display's own focus change arrives a little later and brings the key state with
        // it; a key held across it would lose its down state.
        const DWORD dwSettle = GetTickCount() + 200;
        testsupport::PumpUntil([&] { return GetTickCount() >= dwSettle; });
        GetKeyboardManager()->SetPopupChainTracker(&m_tracker);
        g_keys.clear();
    }
    void TearDown() override
    {
        GetKeyboardManager()->SetPopupChainTracker(nullptr);
        DestroyWindow(m_hWnd);
    }

    // Presses a key (down only, or down and up) and waits until the window has seen the
    // release, or the press when no release follows.
    static void Press(WORD vk, bool release = true)
    {
        INPUT input[2] = {};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = vk;
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(release ? 2 : 1, input, sizeof(INPUT));
        testsupport::PumpUntil(
            [&] {
                for (const KeySeen& k : g_keys) {
                    bool up = k.message == WM_KEYUP || k.message == WM_SYSKEYUP;
                    if (k.vk == vk && (up || !release))
                        return true;
                }
                return false;
            },
            release ? 3000 : 500);
        testsupport::PumpMessages();
    }
    static bool WindowSawDown(WPARAM vk)
    {
        for (const KeySeen& k : g_keys) {
            if (k.vk == vk && (k.message == WM_KEYDOWN || k.message == WM_SYSKEYDOWN))
                return true;
        }
        return false;
    }
    static bool WindowSawUp(WPARAM vk)
    {
        for (const KeySeen& k : g_keys) {
            if (k.vk == vk && (k.message == WM_KEYUP || k.message == WM_SYSKEYUP))
                return true;
        }
        return false;
    }

    HWND m_hWnd = nullptr;
    CFakeTracker m_tracker;
};

struct AnswerCase
{
    const char* name;
    std::vector<int> answers; // hook-ables in registration order
    bool reachesWindow;
};

TEST_F(KeyboardManagerTest, AnswersDecideWhetherTheKeyReachesTheFocusedWindow)
{
    const AnswerCase cases[] = {
        {"consumed", {1}, false},
        {"passed to the window", {2}, true},
        {"offered on, nobody left", {0}, false},
        {"nobody answers", {0, 0}, false},
        {"last registered passes first", {1, 2}, true},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<CKeyHookAble>> hookAbles;
        for (int answer : c.answers) {
            hookAbles.emplace_back(new CKeyHookAble(answer));
            GetKeyboardManager()->HookKeyboard(hookAbles.back().get());
        }
        g_keys.clear();
        Press('A');
        EXPECT_EQ(WindowSawDown('A'), c.reachesWindow);
        EXPECT_TRUE(WindowSawUp('A')); // releases always pass
        ASSERT_EQ(hookAbles.back()->m_offers.size(), 1u);
        EXPECT_EQ(hookAbles.back()->m_offers[0].message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_EQ(hookAbles.back()->m_offers[0].vk, static_cast<WPARAM>('A'));
        for (auto& hookAble : hookAbles)
            GetKeyboardManager()->UnhookKeyboard(hookAble.get());
        EXPECT_FALSE(GetKeyboardManager()->IsHooked());
    }
}

TEST_F(KeyboardManagerTest, OneHookForRepeatedRegistrationsAndNoCallsAfterTheLastUnhook)
{
    CKeyHookAble first(0), second(0);
    GetKeyboardManager()->HookKeyboard(&first);
    GetKeyboardManager()->HookKeyboard(&first);
    GetKeyboardManager()->HookKeyboard(&second);
    Press('B');
    EXPECT_EQ(first.m_offers.size(), 1u);
    EXPECT_EQ(second.m_offers.size(), 1u);

    GetKeyboardManager()->UnhookKeyboard(&first);
    EXPECT_TRUE(GetKeyboardManager()->IsHooked());
    GetKeyboardManager()->UnhookKeyboard(&second);
    EXPECT_FALSE(GetKeyboardManager()->IsHooked());
    g_keys.clear();
    Press('C');
    EXPECT_TRUE(WindowSawDown('C'));
    EXPECT_EQ(first.m_offers.size(), 1u);
    EXPECT_EQ(second.m_offers.size(), 1u);
}

TEST_F(KeyboardManagerTest, HookAbleThatUnhooksEverythingMidOfferIsSafe)
{
    CKeyHookAble first(2), second(0);
    GetKeyboardManager()->HookKeyboard(&first);
    GetKeyboardManager()->HookKeyboard(&second);
    second.m_action = [&] {
        GetKeyboardManager()->UnhookKeyboard(&second);
        GetKeyboardManager()->UnhookKeyboard(&first);
    };
    Press('D');
    EXPECT_EQ(second.m_offers.size(), 1u);
    EXPECT_TRUE(first.m_offers.empty()); // left before its turn
    EXPECT_FALSE(GetKeyboardManager()->IsHooked());
    g_keys.clear();
    Press('E');
    EXPECT_TRUE(WindowSawDown('E'));
}

TEST_F(KeyboardManagerTest, AltAloneClosesTheChainAndSwallowsTheFirstPressOnly)
{
    CKeyHookAble hookAble(2);
    GetKeyboardManager()->HookKeyboard(&hookAble);
    Press(VK_MENU, false);
    EXPECT_EQ(m_tracker.m_nCloses, 1);
    EXPECT_FALSE(WindowSawDown(VK_MENU));
    EXPECT_TRUE(hookAble.m_offers.empty());
    Press(VK_MENU, false); // still held: a repeat
    EXPECT_EQ(m_tracker.m_nCloses, 1);
    EXPECT_TRUE(WindowSawDown(VK_MENU));
    Press(VK_MENU);

    // While a popup is tracked, Alt is offered like any key.
    m_tracker.m_bTracking = TRUE;
    g_keys.clear();
    hookAble.m_offers.clear();
    Press(VK_MENU);
    EXPECT_EQ(m_tracker.m_nCloses, 1);
    ASSERT_EQ(hookAble.m_offers.size(), 1u);
    EXPECT_EQ(hookAble.m_offers[0].vk, static_cast<WPARAM>(VK_MENU));
    EXPECT_TRUE(WindowSawDown(VK_MENU));
    GetKeyboardManager()->UnhookKeyboard(&hookAble);
}

TEST_F(KeyboardManagerTest, LosingActivationClosesTheChain)
{
    CKeyHookAble hookAble(0);
    GetKeyboardManager()->HookKeyboard(&hookAble);
    SendMessageW(m_hWnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(m_tracker.m_nCloses, 0);
    SendMessageW(m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(m_tracker.m_nCloses, 1);
    GetKeyboardManager()->UnhookKeyboard(&hookAble);
    SendMessageW(m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(m_tracker.m_nCloses, 1);
}

TEST_F(KeyboardManagerTest, GenericOfferSwallowsUnlessPassed)
{
    struct
    {
        const char* name;
        int answer;
        BOOL swallowed;
    } const cases[] = {{"passed", 2, FALSE}, {"nobody answers", 0, TRUE}, {"consumed", 1, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CKeyHookAble hookAble(c.answer);
        GetKeyboardManager()->HookKeyboard(&hookAble);
        EXPECT_EQ(GetKeyboardManager()->ProcessKeyboardHooks(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0), c.swallowed);
        ASSERT_EQ(hookAble.m_offers.size(), 1u);
        EXPECT_EQ(hookAble.m_offers[0].message, static_cast<UINT>(WM_MOUSEWHEEL));
        GetKeyboardManager()->UnhookKeyboard(&hookAble);
    }
}

} // namespace
