#include "tests/reader/AnswerProbe.h"

namespace readertest {

AnswerProbe::AnswerProbe(HWND window) : m_window(window)
{
    m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, &AnswerProbe::Run, this, 0, nullptr);
}

AnswerProbe::~AnswerProbe()
{
    Stop();
    if (m_stop)
        CloseHandle(m_stop);
}

void AnswerProbe::Stop()
{
    if (!m_thread)
        return;
    SetEvent(m_stop);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
}

DWORD WINAPI AnswerProbe::Run(void* context)
{
    AnswerProbe* probe = static_cast<AnswerProbe*>(context);
    do {
        const DWORD start = GetTickCount();
        DWORD_PTR result = 0;
        const LRESULT answered = SendMessageTimeoutW(probe->m_window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result);
        const DWORD waited = GetTickCount() - start;
        InterlockedIncrement(&probe->m_asked);
        if (!answered && IsWindow(probe->m_window))
            InterlockedIncrement(&probe->m_unanswered);
        if (waited > probe->m_longest)
            probe->m_longest = waited;
    } while (WaitForSingleObject(probe->m_stop, 20) == WAIT_TIMEOUT);
    return 0;
}

} // namespace readertest
