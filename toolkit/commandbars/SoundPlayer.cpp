#include "toolkit/commandbars/SoundPlayer.h"

#include "toolkit/foundation/Statics.h"

namespace {

std::atomic<QorPlaySoundFn> g_pfnPlaySound{nullptr};
CQorSoundPlayer* g_pSoundPlayer = nullptr;

const DWORD kPollMilliseconds = 5;
const DWORD kStopWaitMilliseconds = 100;
const int kStopWaits = 10;

void DestroySoundPlayer()
{
    delete g_pSoundPlayer;
    g_pSoundPlayer = nullptr;
}

BOOL IsThreadRunning(HANDLE hThread)
{
    DWORD dwExitCode = 0;
    return ::GetExitCodeThread(hThread, &dwExitCode) && dwExitCode == STILL_ACTIVE;
}

} // namespace

CQorSoundPlayer* GetSoundPlayer()
{
    if (!g_pSoundPlayer) {
        g_pSoundPlayer = new CQorSoundPlayer;
        QorAddExitRoutine(DestroySoundPlayer, L"CQorSoundPlayer");
    }
    return g_pSoundPlayer;
}

void CQorSoundPlayer::SetPlaySoundFunction(QorPlaySoundFn pfnPlaySound)
{
    g_pfnPlaySound.store(pfnPlaySound);
}

BOOL CQorSoundPlayer::CallPlaySound(LPCWSTR pszSound, DWORD fdwSound)
{
    QorPlaySoundFn pfnPlaySound = g_pfnPlaySound.load();
    return pfnPlaySound ? pfnPlaySound(pszSound, nullptr, fdwSound) : ::PlaySoundW(pszSound, nullptr, fdwSound);
}

CQorSoundPlayer::CQorSoundPlayer() : m_bEnabled(TRUE), m_nRequest(requestNone), m_nStop(0), m_hThread(nullptr) {}

CQorSoundPlayer::~CQorSoundPlayer()
{
    StopThread();
}

void CQorSoundPlayer::PlaySound(int nRequest)
{
    if (!m_bEnabled)
        return;
    // A thread that has ended (it was ended by force, or its body returned) is replaced.
    if (m_hThread && !IsThreadRunning(m_hThread)) {
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    if (!m_hThread)
        StartThread();
    m_nRequest.store(nRequest);
}

void CQorSoundPlayer::StartThread()
{
    m_nRequest.store(requestNone);
    m_nStop.store(0);
    m_hThread = ::CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, nullptr);
    if (!m_hThread)
        return;
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

void CQorSoundPlayer::StopThread()
{
    if (!m_hThread)
        return;
    m_nStop.store(1);
    for (int nWaits = 0; IsThreadRunning(m_hThread); ++nWaits) {
        if (nWaits == kStopWaits) {
            // Still inside the sound function: ending it there could leave the sound system
            // locked, so the sound is purged and the thread gets one more chance first.
            CallPlaySound(nullptr, 0);
            if (::WaitForSingleObject(m_hThread, kStopWaitMilliseconds) == WAIT_TIMEOUT) {
                ::TerminateThread(m_hThread, 0);
                ::WaitForSingleObject(m_hThread, kStopWaitMilliseconds);
            }
            break;
        }
        ::WaitForSingleObject(m_hThread, kStopWaitMilliseconds);
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
}

DWORD WINAPI CQorSoundPlayer::ThreadProc(LPVOID pParam)
{
    static_cast<CQorSoundPlayer*>(pParam)->Run();
    return 0;
}

void CQorSoundPlayer::Run()
{
    while (!m_nStop.load()) {
        const LONG nRequest = m_nRequest.load();
        if (nRequest == requestCommand || nRequest == requestPopup) {
            CallPlaySound(nRequest == requestCommand ? L"MenuCommand" : L"MenuPopup", kPlayFlags);
            m_nRequest.store(requestNone);
        }
        ::Sleep(kPollMilliseconds);
    }
    CallPlaySound(nullptr, SND_PURGE);
}
