#include "reader/app/AnsweringWait.h"
#include <windows.h>
#include <process.h>

namespace {

const DWORD kPaintIntervalMs = 100;

unsigned __stdcall RunWork(void* context)
{
    (*static_cast<const std::function<void()>*>(context))();
    return 0;
}

// Handles what was sent to this thread's windows and paints what needs it.
void AnswerPending()
{
    MSG msg;
    // Sent messages are delivered inside PeekMessage; nothing is taken off the queue here.
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    // A window that does not validate its area would come back at once; a bounded round each time.
    for (int i = 0; i < 64 && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT); ++i)
        ::DispatchMessageW(&msg);
}

} // namespace

void RunWhileAnswering(const std::function<void()>& work)
{
    HANDLE thread = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr));
    if (thread == nullptr) {
        work();
        return;
    }
    // Sent messages wake the wait at once; painting is done at most every tenth of a second, so
    // that a window that keeps asking for paint does not take the time from the work.
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &thread, kPaintIntervalMs, QS_SENDMESSAGE, 0);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            break;
        AnswerPending();
    }
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
}
