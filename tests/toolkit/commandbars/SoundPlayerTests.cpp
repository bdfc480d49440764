// The menu-sound thread, through a sound function the tests replace: which requests play,
// how the thread stops (free, and stuck inside the sound function), and new threads after a
// stop or a thread's death.
#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "tests/common/WineTestSupport.h"
#include "toolkit/commandbars/SoundPlayer.h"

namespace {

using testsupport::PumpUntil;

// What the fake sound function saw, and how it behaves.
struct FakeSound
{
    enum Mode { modeReturn, modeBlockUntilReleased, modeBlockUntilPurged, modeBlockForEver, modeExitThread };

    std::mutex lock;
    std::vector<std::wstring> calls; // "" for a call without a sound (a purge)
    std::vector<DWORD> flags;
    Mode mode = modeReturn;
    HANDLE hRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hEntered = CreateEventW(nullptr, TRUE, FALSE, nullptr);

    void SetMode(Mode newMode)
    {
        std::lock_guard<std::mutex> guard(lock);
        mode = newMode;
    }
    size_t Count()
    {
        std::lock_guard<std::mutex> guard(lock);
        return calls.size();
    }
    std::wstring Call(size_t i)
    {
        std::lock_guard<std::mutex> guard(lock);
        return i < calls.size() ? calls[i] : L"(none)";
    }
};
FakeSound* g_pFake = nullptr;

BOOL WINAPI FakePlaySound(LPCWSTR pszSound, HMODULE, DWORD fdwSound)
{
    FakeSound& fake = *g_pFake;
    // The mode is read together with the recording: a test that sees this call counted may
    // change the mode for the next call without changing what this one does.
    FakeSound::Mode mode;
    {
        std::lock_guard<std::mutex> guard(fake.lock);
        mode = fake.mode;
        fake.calls.push_back(pszSound ? pszSound : L"");
        fake.flags.push_back(fdwSound);
    }
    if (!pszSound) {
        if (mode == FakeSound::modeBlockUntilPurged)
            SetEvent(fake.hRelease);
        return TRUE;
    }
    SetEvent(fake.hEntered);
    switch (mode) {
    case FakeSound::modeBlockUntilReleased:
    case FakeSound::modeBlockUntilPurged:
        WaitForSingleObject(fake.hRelease, INFINITE);
        break;
    case FakeSound::modeBlockForEver:
        Sleep(INFINITE);
        break;
    case FakeSound::modeExitThread:
        ExitThread(7);
    default:
        break;
    }
    return FALSE;
}

class SoundPlayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The program's own player may still hold a request from a menu of an earlier test: it
        // must not play it through this test's fake.
        GetSoundPlayer()->StopThread();
        g_pFake = &m_fake;
        CQorSoundPlayer::SetPlaySoundFunction(&FakePlaySound);
    }
    void TearDown() override
    {
        SetEvent(m_fake.hRelease);
        m_player.StopThread();
        CQorSoundPlayer::SetPlaySoundFunction(nullptr);
        g_pFake = nullptr;
    }

    FakeSound m_fake;
    CQorSoundPlayer m_player;
};

TEST_F(SoundPlayerTest, TwoRequestsInQuickSuccessionPlayOnlyTheLater)
{
    m_player.StartThread();
    Sleep(20);
    m_player.PlaySound(CQorSoundPlayer::requestCommand);
    m_player.PlaySound(CQorSoundPlayer::requestPopup);
    ASSERT_TRUE(PumpUntil([&] { return m_fake.Count() >= 1; }, 1000));
    Sleep(30);
    EXPECT_EQ(1u, m_fake.Count());
    EXPECT_EQ(L"MenuPopup", m_fake.Call(0));
    EXPECT_EQ(CQorSoundPlayer::kPlayFlags, m_fake.flags[0]);
}

TEST_F(SoundPlayerTest, ARequestMadeWhileASoundPlaysIsDropped)
{
    m_fake.mode = FakeSound::modeBlockUntilReleased;
    m_player.PlaySound(CQorSoundPlayer::requestCommand);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_fake.hEntered, 1000));
    m_player.PlaySound(CQorSoundPlayer::requestPopup);
    SetEvent(m_fake.hRelease);
    ASSERT_TRUE(PumpUntil([&] { return m_player.GetRequest() == 0; }, 1000));
    Sleep(30);
    EXPECT_EQ(1u, m_fake.Count());
    EXPECT_EQ(L"MenuCommand", m_fake.Call(0));
}

TEST_F(SoundPlayerTest, AFreeThreadStopsAtOnceAndPurgesOnItsWayOut)
{
    m_player.PlaySound(CQorSoundPlayer::requestCommand);
    ASSERT_TRUE(PumpUntil([&] { return m_fake.Count() == 1; }, 1000));
    const DWORD dwStart = GetTickCount();
    m_player.StopThread();
    EXPECT_LT(GetTickCount() - dwStart, 150u);
    EXPECT_EQ(nullptr, m_player.GetThreadHandle());
    // The thread's own last call: it ended by itself.
    ASSERT_EQ(2u, m_fake.Count());
    EXPECT_EQ(L"", m_fake.Call(1));
    EXPECT_EQ(static_cast<DWORD>(SND_PURGE), m_fake.flags[1]);
}

TEST_F(SoundPlayerTest, AThreadStuckInTheSoundIsPurgedBeforeItIsEndedByForce)
{
    const struct
    {
        const char* name;
        FakeSound::Mode mode;
        bool bEndsByItself;
    } rows[] = {
        {"the purge frees it", FakeSound::modeBlockUntilPurged, true},
        {"nothing frees it", FakeSound::modeBlockForEver, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeSound fake;
        g_pFake = &fake;
        fake.mode = row.mode;
        CQorSoundPlayer player;
        player.PlaySound(CQorSoundPlayer::requestCommand);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(fake.hEntered, 1000));
        const DWORD dwStart = GetTickCount();
        player.StopThread();
        const DWORD dwTaken = GetTickCount() - dwStart;
        EXPECT_LT(dwTaken, 1500u);
        EXPECT_GE(dwTaken, 900u);
        EXPECT_EQ(nullptr, player.GetThreadHandle());
        // The stop purged (a call without sound and flags 0); a thread that could go on then
        // made its own last call.
        ASSERT_GE(fake.Count(), 2u);
        EXPECT_EQ(L"", fake.Call(1));
        EXPECT_EQ(0u, fake.flags[1]);
        EXPECT_EQ(row.bEndsByItself ? 3u : 2u, fake.Count());
        g_pFake = &m_fake;
    }
}

TEST_F(SoundPlayerTest, ARequestAfterAStopOrAfterTheThreadDiedStartsANewThread)
{
    m_player.PlaySound(CQorSoundPlayer::requestCommand);
    ASSERT_TRUE(PumpUntil([&] { return m_fake.Count() == 1; }, 1000));
    m_player.StopThread();
    m_player.PlaySound(CQorSoundPlayer::requestPopup);
    ASSERT_TRUE(PumpUntil([&] { return m_fake.Count() == 3; }, 1000));
    EXPECT_EQ(L"MenuPopup", m_fake.Call(2));
    // A request made while that sound still plays would be dropped.
    ASSERT_TRUE(PumpUntil([&] { return m_player.GetRequest() == 0; }, 1000));

    m_fake.SetMode(FakeSound::modeExitThread);
    m_player.PlaySound(CQorSoundPlayer::requestCommand);
    HANDLE hDied = m_player.GetThreadHandle();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hDied, 1000));
    m_fake.SetMode(FakeSound::modeReturn);
    m_player.PlaySound(CQorSoundPlayer::requestPopup);
    EXPECT_NE(nullptr, m_player.GetThreadHandle());
    ASSERT_TRUE(PumpUntil([&] { return m_fake.Count() == 5; }, 1000));
    EXPECT_EQ(L"MenuPopup", m_fake.Call(4));
}

TEST_F(SoundPlayerTest, ADisabledPlayerStartsNoThread)
{
    m_player.m_bEnabled = FALSE;
    m_player.PlaySound(CQorSoundPlayer::requestCommand);
    EXPECT_EQ(nullptr, m_player.GetThreadHandle());
}

TEST(SoundPlayer, ARealSoundCallReturns)
{
    CQorSoundPlayer::SetPlaySoundFunction(nullptr);
    CQorSoundPlayer player;
    player.PlaySound(CQorSoundPlayer::requestCommand);
    EXPECT_TRUE(PumpUntil([&] { return player.GetRequest() == 0; }, 2000));
    const DWORD dwStart = GetTickCount();
    player.StopThread();
    EXPECT_LT(GetTickCount() - dwStart, 150u);
}

} // namespace
