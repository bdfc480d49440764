// Whether a window keeps answering while it works: a thread of its own sends the window
// WM_NULL again and again, waiting at most a second for each answer, and counts the asks that
// went unanswered and the longest wait.
#pragma once
#include <windows.h>

namespace readertest {

class AnswerProbe
{
public:
    explicit AnswerProbe(HWND window);
    ~AnswerProbe();
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    // Ends the asking; the counts stay.
    void Stop();
    LONG Asked() const { return m_asked; }
    LONG Unanswered() const { return m_unanswered; }
    DWORD LongestWaitMs() const { return m_longest; }

private:
    static DWORD WINAPI Run(void* context);

    HWND m_window;
    HANDLE m_stop = nullptr;
    HANDLE m_thread = nullptr;
    volatile LONG m_asked = 0;
    volatile LONG m_unanswered = 0;
    volatile DWORD m_longest = 0;
};

} // namespace readertest
