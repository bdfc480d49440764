#include "reader/app/AnsweringWait.h"
#include <windows.h>
#include <process.h>

namespace {

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
    AnswerPending();
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_SENDMESSAGE | QS_PAINT, 0);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            break;
        AnswerPending();
    }
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
}
