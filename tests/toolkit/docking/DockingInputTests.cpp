// What needs the real cursor, the foreground or the desktop: hover on caption buttons, the
// bar's cursor and the outline tracker's screen pixels. These run as a test of their own
// (docking_tests_input), which alone takes the input of its display.
#include "tests/toolkit/docking/DockingTestSupport.h"

#include <vector>

using dockingtest::Frame;

namespace {

void MoveCursor(POINT pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(pt.x * 65535.0 / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    input.mi.dy = static_cast<LONG>(pt.y * 65535.0 / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
    testsupport::PumpUntil([pt] {
        POINT now;
        ::GetCursorPos(&now);
        return now.x == pt.x && now.y == pt.y;
    });
    testsupport::PumpMessages();
}

// Every way out of a test leaves the cursor where it was, no capture and no desktop lock.
class InputSuite : public testing::Test
{
protected:
    void SetUp() override
    {
        ::GetCursorPos(&m_ptCursor);
        m_pFrame = new Frame();
        ASSERT_TRUE(m_pFrame->CreateFrame());
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->GetSafeHwnd());
        ASSERT_TRUE(testsupport::PumpUntil([this] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }))
            << "the frame must be in front";
        m_pPane = m_pFrame->m_manager.CreatePane(1, CRect(0, 0, 200, 200), qorDockLeft);
        testsupport::PumpMessages();
        m_pFrame->RecalcLayout();
        m_pFrame->UpdateWindow();
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        ::LockWindowUpdate(nullptr);
        ::SetCursorPos(m_ptCursor.x, m_ptCursor.y);
        if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        testsupport::PumpMessages();
    }
    CQorDockingPaneSplitterWnd* Bar() { return m_pFrame->m_manager.GetTopContainer()->GetSplitter(0); }

    POINT m_ptCursor = {};
    Frame* m_pFrame = nullptr;
    CQorDockingPane* m_pPane = nullptr;
};

} // namespace

TEST_F(InputSuite, HoverMakesACaptionButtonHotAndLeavingClearsIt)
{
    CQorDockingPaneTabbedContainer* pGroup = m_pPane->GetTabbedContainer();
    pGroup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CQorDockingPaneCaptionButton* pClose = pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE);
    CPoint pt = pClose->GetRect().CenterPoint();
    ASSERT_FALSE(pClose->GetRect().IsRectEmpty());
    pGroup->ClientToScreen(&pt);
    MoveCursor(pt);
    EXPECT_TRUE(testsupport::PumpUntil([pClose] { return pClose->IsHot(); }, 2000));
    MoveCursor({pt.x, pt.y + 120});
    EXPECT_TRUE(testsupport::PumpUntil([pClose] { return !pClose->IsHot(); }, 2000));
    MoveCursor({pt.x + 400, pt.y + 120});
    EXPECT_TRUE(testsupport::PumpUntil([pClose] { return !pClose->IsHot(); }, 2000)) << "after leaving the group";
}

void PressLeftButton(BOOL bDown)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(INPUT));
}

TEST_F(InputSuite, AClickOnTheCloseButtonClosesThePane)
{
    CQorDockingPaneTabbedContainer* pGroup = m_pPane->GetTabbedContainer();
    pGroup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CQorDockingPaneCaptionButton* pClose = pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE);
    ASSERT_FALSE(pClose->GetRect().IsRectEmpty());
    CPoint pt = pClose->GetRect().CenterPoint();
    pGroup->ClientToScreen(&pt);
    MoveCursor(pt);
    // Down and up go in before the pump: the press loop runs inside the button-down's handling.
    PressLeftButton(TRUE);
    PressLeftButton(FALSE);
    EXPECT_TRUE(testsupport::PumpUntil([this] { return m_pPane->IsClosed(); }, 2000));
    EXPECT_EQ(1, m_pFrame->m_recorder.Count(qorDpnClosePane));
    EXPECT_EQ("S(h)[G(),C]", dockingtest::Narrow(m_pFrame->m_manager.DumpLayout()));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(InputSuite, TheBarShowsItsCursorUnlessSizingIsLocked)
{
    CQorDockingPaneSplitterWnd* pBar = Bar();
    ASSERT_NE(nullptr, pBar);
    ASSERT_NE(nullptr, pBar->GetCursor()) << "cursor 9970 loads";
    CRect rc;
    pBar->GetWindowRect(&rc);
    MoveCursor(rc.CenterPoint());
    EXPECT_TRUE(testsupport::PumpUntil([pBar] { return ::GetCursor() == pBar->GetCursor(); }, 2000));

    m_pFrame->m_manager.m_bLockSplitters = TRUE;
    MoveCursor({rc.CenterPoint().x + 60, rc.CenterPoint().y});
    MoveCursor(rc.CenterPoint());
    EXPECT_NE(pBar->GetCursor(), ::GetCursor());
}

namespace {

std::vector<COLORREF> ScreenRow(POINT at, int nCount)
{
    HDC hScreen = ::GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int x = at.x; x < at.x + nCount; x++)
        pixels.push_back(::GetPixel(hScreen, x, at.y));
    ::ReleaseDC(nullptr, hScreen);
    return pixels;
}

std::vector<COLORREF> g_during;
POINT g_ptSample;

LRESULT CALLBACK SampleWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        g_during = ScreenRow(g_ptSample, 4);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace

TEST_F(InputSuite, TheOutlineInvertsTheScreenAndRestoresIt)
{
    CQorDockingPaneSplitterWnd* pBar = Bar();
    ASSERT_NE(nullptr, pBar);
    CRect rc;
    pBar->GetWindowRect(&rc);
    g_ptSample = {rc.left - 40, rc.top + 40};
    const std::vector<COLORREF> before = ScreenRow(g_ptSample, 4);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = &SampleWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DockingOutlineSampler";
    ::RegisterClassW(&wc);
    HWND hSampler =
        ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    // The tracker moves 40 pixels left, the screen is sampled inside the drag, then released.
    ::PostMessageW(pBar->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<short>(-39), 40));
    ::PostMessageW(hSampler, WM_APP, 0, 0);
    ::PostMessageW(pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(-39), 40));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 40));
    ::DestroyWindow(hSampler);

    ASSERT_EQ(4u, g_during.size());
    int nInverted = 0;
    for (size_t i = 0; i < before.size(); i++)
        nInverted += g_during[i] == (before[i] ^ 0xFFFFFF);
    EXPECT_GE(nInverted, 1) << "the tracker inverts the screen where it stands";
    EXPECT_EQ(before, ScreenRow(g_ptSample, 4)) << "and leaves nothing behind";
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow())) << "the desktop lock was given back";
    ::LockWindowUpdate(nullptr);
}
