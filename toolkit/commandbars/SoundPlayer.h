// The menu sounds, played on a thread of their own so that the user interface never waits for
// the sound device: the controls ask for the command sound, popups for the popup sound, and
// the thread polls the request every 5 ms. A newer request replaces one not yet taken; a
// request made while a sound plays is dropped.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>

// winmm's name macro would rename the player's operation.
#undef PlaySound

// The function the thread plays through (PlaySoundW's signature); replaceable for tests.
typedef BOOL(WINAPI* QorPlaySoundFn)(LPCWSTR pszSound, HMODULE hModule, DWORD fdwSound);

class CQorSoundPlayer
{
public:
    enum Request { requestNone = 0, requestCommand = 1, requestPopup = 2 };
    // SND_ALIAS | SND_NOWAIT | SND_NODEFAULT: the system alias, synchronously on the thread,
    // nothing when the device is busy or the alias has no sound.
    enum : DWORD { kPlayFlags = 0x12002 };

    CQorSoundPlayer();
    ~CQorSoundPlayer();
    CQorSoundPlayer(const CQorSoundPlayer&) = delete;
    CQorSoundPlayer& operator=(const CQorSoundPlayer&) = delete;

    // Asks for a sound (requestCommand or requestPopup), starting the thread when none runs.
    void PlaySound(int nRequest);
    void StartThread();
    // Ends the thread: asks it to stop and waits up to ten times 100 ms; a thread still inside
    // the sound function then has its sound purged and gets one more wait before it is ended
    // by force.
    void StopThread();

    HANDLE GetThreadHandle() const { return m_hThread; }
    LONG GetRequest() const { return m_nRequest.load(); }

    BOOL m_bEnabled;

    // Test seam: the function sounds play through (null: PlaySoundW).
    static void SetPlaySoundFunction(QorPlaySoundFn pfnPlaySound);

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    static BOOL CallPlaySound(LPCWSTR pszSound, DWORD fdwSound);
    void Run();

    std::atomic<LONG> m_nRequest;
    std::atomic<LONG> m_nStop;
    HANDLE m_hThread;
};

// The process's player, made on first use; the thread is stopped at exit.
CQorSoundPlayer* GetSoundPlayer();
