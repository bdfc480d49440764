// Long work handed to a worker thread: the calling thread's windows answer what is sent to
// them while it runs, and what is posted waits until it is done.
#include <gtest/gtest.h>
#include <windows.h>
#include "reader/app/AnsweringWait.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/AnswerProbe.h"

namespace {

LONG g_postedSeen = 0;

LRESULT CALLBACK CountingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        InterlockedIncrement(&g_postedSeen);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CountingWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AnsweringWaitTestWindow";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"answering", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

} // namespace

TEST(AnsweringWait, WindowsAnswerWhileTheWorkRunsAndPostedMessagesWait)
{
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);
    testsupport::PumpMessages();
    g_postedSeen = 0;
    PostMessageW(window, WM_APP, 0, 0);

    LONG postedDuringWork = -1;
    DWORD workThread = 0;
    RunWhileAnswering([&] {
        workThread = GetCurrentThreadId();
        // The work lasts until a few asks of the probe were answered, or five seconds.
        readertest::AnswerProbe asking(window);
        const DWORD start = GetTickCount();
        while (asking.Asked() - asking.Unanswered() < 3 && GetTickCount() - start < 5000)
            Sleep(10);
        asking.Stop();
        postedDuringWork = g_postedSeen;
        EXPECT_LE(3, asking.Asked() - asking.Unanswered());
        EXPECT_EQ(0, asking.Unanswered());
    });
    EXPECT_NE(GetCurrentThreadId(), workThread);
    EXPECT_EQ(0, postedDuringWork);
    EXPECT_TRUE(testsupport::PumpUntil([] { return g_postedSeen == 1; }));
    DestroyWindow(window);
}
