// The status bar: pane layout into the status window's parts, texts, button panes, painting
// through the paint manager, pane windows and the key indicators' idle update.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/StatusBar.h"

namespace {

const int kLongTextId = 0xE7F0;
const int kIconId = 100;

// Counts the texts the bar sends to its status window.
class CCountingStatusBar : public CQorStatusBar
{
public:
    int nSetText = 0;

    // Puts a pane made by the test in the place of the pane at the index (that one is released).
    void ReplacePane(int nIndex, CQorStatusBarPane* pPane)
    {
        CQorStatusBarPane* pOld = m_arrPanes[static_cast<size_t>(nIndex)];
        pPane->m_nID = pOld->m_nID;
        pPane->m_nWidth = pOld->m_nWidth;
        pPane->m_nIndex = nIndex;
        pPane->m_pBar = this;
        m_arrPanes[static_cast<size_t>(nIndex)] = pPane;
        pOld->m_pBar = nullptr;
        pOld->InternalRelease();
        RecalcPanes(TRUE, TRUE);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SB_SETTEXTW)
            ++nSetText;
        return CQorStatusBar::WindowProc(message, wParam, lParam);
    }
};

// Records the commands the bar sends to its frame; runs a test's step for a command and for
// WM_APP.
class CCommandFrame : public CFrameWnd
{
public:
    std::vector<UINT> commands;
    std::function<void()> onCommand;
    std::function<void()> onApp;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        if (onCommand)
            onCommand();
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP && onApp) {
            onApp();
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A pane whose last release is recorded instead of freeing it, so that a write into it after
// that release shows: the pressed state at the release must be the one it keeps.
class CWatchedPane : public CQorStatusBarPane
{
public:
    int nFinalReleases = 0;
    BOOL bPressedAtRelease = FALSE;

protected:
    void OnFinalRelease() override
    {
        ++nFinalReleases;
        bPressedAtRelease = m_bPressed;
    }
};

struct StatusBarFixture : testing::Test
{
    CCommandFrame* frame = nullptr;
    CCountingStatusBar bar;

    // Without a sizing border: no grip, the parts run to the client's right edge.
    void SetUp() override
    {
        frame = new CCommandFrame;
        ASSERT_TRUE(frame->Create(nullptr, L"status", WS_POPUP | WS_CAPTION, CRect(0, 0, 640, 200)));
        ASSERT_TRUE(bar.Create(frame));
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    std::vector<int> Edges()
    {
        int edges[16] = {};
        const int n = static_cast<int>(bar.SendMessage(SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
        return std::vector<int>(edges, edges + n);
    }
    std::wstring PartText(int nPart)
    {
        wchar_t buffer[128] = {};
        bar.SendMessage(SB_GETTEXTW, static_cast<WPARAM>(nPart), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    // Runs the body once with visual styles on and once with them off, the bar drawn by a
    // native XP paint manager made under that mode.
    void ForEachLook(const std::function<void(const char* look, CQorPaintManager* pTheme)>& body)
    {
        for (bool bThemed : {true, false}) {
            const QorThemeMode mode = QorGetThemeMode();
            QorSetThemeModeForTest(bThemed ? qorThemeReal : qorThemeOff);
            painttest::PaintManagerPtr pTheme(CQorPaintManager::CreateTheme(qorPaintThemeNativeXP));
            pTheme->RefreshMetrics();
            bar.m_pPaintManager = pTheme.get();
            body(bThemed ? "themed" : "classic", pTheme.get());
            bar.RemoveAll();
            bar.m_pPaintManager = nullptr;
            QorSetThemeModeForTest(mode);
        }
    }
    // The free text pane and a pane of the id holding the window; the window's rectangle in
    // the bar, empty when it could not be made.
    CRect HostBehindFreeText(CQorStatusBarPaneWnd& wnd, int nID, int nWidth)
    {
        Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
        Add(nID, nWidth);
        if (!wnd.Create(L"", &bar) || !bar.SetPaneWindow(&wnd, nID))
            return CRect(0, 0, 0, 0);
        return CRect(testsupport::WindowRectIn(wnd.m_hWnd, bar.m_hWnd));
    }
    CQorStatusBarPane* Add(int nID, int nWidth, UINT nStyle = 0)
    {
        CQorStatusBarPane* pPane = bar.AddPane(nID);
        bar.SetPaneWidth(pPane->m_nIndex, nWidth);
        bar.SetPaneStyle(pPane->m_nIndex, nStyle);
        return pPane;
    }
};

// The bounding rectangle of the pixels of a colour inside an area; empty when there are none.
CRect BoundsOf(const testsupport::WindowCapture& pixels, COLORREF clr, const CRect& area)
{
    CRect bounds(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pixels.Pixel(x, y) == clr) {
                bounds.left = std::min<int>(bounds.left, x);
                bounds.top = std::min<int>(bounds.top, y);
                bounds.right = std::max<int>(bounds.right, x + 1);
                bounds.bottom = std::max<int>(bounds.bottom, y + 1);
            }
    return bounds.left == INT_MAX ? CRect(0, 0, 0, 0) : bounds;
}

// The pixels of an area that differ between two captures.
int CountDifferences(const testsupport::WindowCapture& a, const testsupport::WindowCapture& b, const CRect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    return n;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Layout

TEST_F(StatusBarFixture, TwoStretchPanesShareTheFreeWidthAndHiddenPanesHaveNoPart)
{
    Add(1, 100, SBPS_STRETCH);
    Add(2, 50);
    Add(3, 40);
    Add(4, 60, SBPS_STRETCH);
    bar.SetPaneVisible(2, FALSE);
    bar.RecalcPanes(TRUE, TRUE);

    int borders[3] = {};
    bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CRect client;
    bar.GetClientRect(&client);
    const int free = client.Width() + borders[2] - (100 + 50 + 60) - 3 * (borders[2] + 6);
    ASSERT_GT(free, 0);

    const std::vector<int> edges = Edges();
    ASSERT_EQ(edges.size(), 3u) << "the hidden pane has no part";
    EXPECT_EQ(bar.GetPane(2)->m_nPart, -1);
    EXPECT_EQ(bar.GetPane(3)->m_nPart, 2);
    EXPECT_EQ(edges[0], borders[0] + 100 + 6 + free / 2);
    EXPECT_EQ(edges[1] - edges[0] - borders[2], 50 + 6);
    EXPECT_EQ(edges[2] - edges[1] - borders[2], 60 + 6 + (free - free / 2));
}

TEST_F(StatusBarFixture, PaneWindowsSitInTheirPartInsetUnlessBorderless)
{
    struct Case
    {
        const char* name;
        UINT style;
        int inset;
    } cases[] = {
        {"framed", 0, ::GetSystemMetrics(SM_CXEDGE)},
        {"borderless", SBPS_NOBORDERS, 0},
    };
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    Add(7, 80);
    Add(8, 30);
    for (const Case& c : cases) {
        CQorStatusBarPaneWnd wnd;
        ASSERT_TRUE(wnd.Create(L"pane", &bar));
        bar.SetPaneStyle(1, c.style);
        ASSERT_TRUE(bar.SetPaneWindow(&wnd, 7));
        CRect part;
        bar.SendMessage(SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
        part.DeflateRect(c.inset, c.inset);
        EXPECT_EQ(CRect(testsupport::WindowRectIn(wnd.m_hWnd, bar.m_hWnd)), part) << c.name;
        bar.SetPaneWindow(nullptr, 7);
        wnd.DestroyWindow();
    }
    EXPECT_FALSE(bar.SetPaneWindow(nullptr, 99));
}

TEST_F(StatusBarFixture, BarSitsAtTheBottomAtLeastAsHighAsItsMinimum)
{
    CRect client, rc;
    frame->GetClientRect(&client);
    ::GetWindowRect(bar.m_hWnd, &rc);
    ::MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.bottom, client.bottom);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.right, client.right);

    bar.SendMessage(SB_SETMINHEIGHT, 40);
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cy, 40);
    GetGlobalPaintManager()->m_nStatusBarMinHeight = 50;
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cy, 50);
    GetGlobalPaintManager()->m_nStatusBarMinHeight = 0;
}

TEST(StatusBarGrip, ResizableFrameGetsASizeGripThatThePartsLeaveFree)
{
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"grip", WS_POPUP | WS_CAPTION | WS_THICKFRAME, CRect(0, 0, 640, 200)));
    CQorStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    frame->RecalcLayout();
    EXPECT_TRUE(bar.GetStyle() & SBARS_SIZEGRIP);
    CQorStatusBarPane* pPane = bar.AddPane(0);
    ASSERT_NE(pPane, nullptr);
    int edges[4] = {};
    ASSERT_EQ(bar.SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 1);
    CRect client;
    bar.GetClientRect(&client);
    EXPECT_LE(edges[0], client.right - ::GetSystemMetrics(SM_CXVSCROLL)) << "the grip's corner stays free";
    // The grip's grooves in the corner (classic look).
    painttest::PaintManagerPtr pTheme = painttest::MakeTheme(qorPaintThemeDefault, false);
    bar.m_pPaintManager = pTheme.get();
    {
        testsupport::WindowCapture pixels(bar.m_hWnd);
        const CRect corner(client.right - 14, client.bottom - 14, client.right, client.bottom);
        EXPECT_GT(pixels.CountColor(pTheme->GetColor(16), corner), 6);
    }
    bar.m_pPaintManager = nullptr;
    frame->DestroyWindow();
}

// ---------------------------------------------------------------------------------------
// Texts

TEST_F(StatusBarFixture, PaneTextsReachTheWindowOnceAndBadIndexesFail)
{
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    Add(5, 80);
    bar.nSetText = 0;

    EXPECT_TRUE(bar.SetPaneText(1, L"one"));
    EXPECT_EQ(bar.nSetText, 1);
    EXPECT_EQ(PartText(1), L"one");
    EXPECT_TRUE(bar.SetPaneText(1, L"one"));
    EXPECT_EQ(bar.nSetText, 1) << "the same text is not sent again";

    for (int nIndex : {-1, 2, 1000})
        EXPECT_FALSE(bar.SetPaneText(nIndex, L"x")) << nIndex;

    // Disabled: the status window gets no text.
    bar.SetPaneStyle(1, SBPS_DISABLED);
    EXPECT_EQ(PartText(1), L"");
    bar.SetPaneStyle(1, 0);
    EXPECT_EQ(PartText(1), L"one");
}

TEST_F(StatusBarFixture, HiddenPaneShowsItsNewTextWhenShownAgain)
{
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    Add(5, 80);
    bar.SetPaneText(1, L"old");
    bar.SetPaneVisible(1, FALSE);
    EXPECT_FALSE(bar.SetPaneText(1, L"new"));
    bar.SetPaneVisible(1, TRUE);
    EXPECT_EQ(PartText(1), L"new");
}

TEST_F(StatusBarFixture, TextsMoveWithTheirPanesWhenPanesAreInsertedHiddenOrRemoved)
{
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    Add(5, 40);
    Add(6, 40);
    bar.SetPaneText(1, L"five");
    bar.SetPaneText(2, L"six");
    struct Step
    {
        const char* name;
        std::function<void()> change;
        std::vector<std::wstring> texts; // part by part, after the free text pane
    } steps[] = {
        {"inserted in front",
         [&] { bar.SetPaneText(bar.AddPane(4, 1)->m_nIndex, L"four"); },
         {L"four", L"five", L"six"}},
        {"hidden", [&] { bar.SetPaneVisible(bar.FindPaneIndex(5), FALSE); }, {L"four", L"six"}},
        {"shown", [&] { bar.SetPaneVisible(bar.FindPaneIndex(5), TRUE); }, {L"four", L"five", L"six"}},
        {"removed", [&] { bar.RemovePane(4); }, {L"five", L"six"}},
    };
    for (const Step& step : steps) {
        step.change();
        ASSERT_EQ(Edges().size(), step.texts.size() + 1) << step.name;
        for (size_t i = 0; i < step.texts.size(); ++i)
            EXPECT_EQ(PartText(static_cast<int>(i + 1)), step.texts[i]) << step.name << ", part " << i + 1;
    }
}

TEST_F(StatusBarFixture, WindowTextIsTheFreeTextPane)
{
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    EXPECT_TRUE(::SetWindowTextW(bar.m_hWnd, L"Ready now"));
    EXPECT_EQ(PartText(0), L"Ready now");
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(::GetWindowTextW(bar.m_hWnd, buffer, 4), 3);
    EXPECT_EQ(std::wstring(buffer), L"Rea");
    EXPECT_EQ(::GetWindowTextLengthW(bar.m_hWnd), 9);

    // The frame's prompts land there.
    frame->SetMessageText(L"Prompt");
    EXPECT_EQ(PartText(0), L"Prompt");
}

TEST_F(StatusBarFixture, AddPaneRefusesExistingIdsAndIndexesAboveTheCount)
{
    ASSERT_NE(bar.AddPane(ID_INDICATOR_CAPS), nullptr);
    EXPECT_EQ(bar.AddPane(ID_INDICATOR_CAPS), nullptr);
    EXPECT_EQ(bar.AddPane(77, 5), nullptr);
    EXPECT_EQ(bar.GetPaneCount(), 1);
    // Equal to the count appends; zero inserts in front.
    EXPECT_EQ(bar.AddPane(78, 1)->m_nIndex, 1);
    CQorStatusBarPane* pFirst = bar.AddPane(0, 0);
    EXPECT_EQ(bar.FindPaneIndex(0), 0);
    EXPECT_EQ(bar.FindPaneIndex(78), 2);
    EXPECT_EQ(pFirst->m_nStyle & (SBPS_STRETCH | SBPS_NOBORDERS), static_cast<UINT>(SBPS_STRETCH | SBPS_NOBORDERS));
    EXPECT_EQ(bar.FindPaneIndex(12345), -1);
}

TEST_F(StatusBarFixture, FitWidthToTextGrowsWithTheText)
{
    CQorStatusBarPane* pShort = bar.AddPane(ID_INDICATOR_NUM);
    CQorStatusBarPane* pLong = bar.AddPane(kLongTextId);
    EXPECT_EQ(pShort->m_strText, CString(L"NUM"));
    EXPECT_GT(pShort->m_nWidth, 4);
    EXPECT_GT(pLong->m_nWidth, pShort->m_nWidth);
    pShort->m_strText.Empty();
    bar.FitWidthToText(pShort);
    EXPECT_EQ(pShort->m_nWidth, 4) << "the margins only";
}

// ---------------------------------------------------------------------------------------
// Key indicators

TEST_F(StatusBarFixture, IndicatorsFollowTheLockKeysAtIdleTime)
{
    BYTE saved[256];
    ::GetKeyboardState(saved);
    ASSERT_TRUE(bar.SetIndicators());
    ASSERT_EQ(bar.GetPaneCount(), 4);
    struct Case
    {
        bool caps, num, scroll;
    } cases[] = {{true, false, true}, {false, true, false}, {false, false, false}};
    for (const Case& c : cases) {
        testsupport::SetLockKeyToggles(c.caps, c.num, c.scroll);
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ(PartText(1), c.caps ? L"CAP" : L"");
        EXPECT_EQ(PartText(2), c.num ? L"NUM" : L"");
        EXPECT_EQ(PartText(3), c.scroll ? L"SCRL" : L"");
    }
    ::SetKeyboardState(saved);
}

// ---------------------------------------------------------------------------------------
// Button panes

namespace {

enum class Ending { ReleaseInside, ReleaseOutside, Escape, CancelMode, RightButton, Quit };

} // namespace

TEST_F(StatusBarFixture, ButtonPaneSendsItsCommandOnlyForAReleaseInside)
{
    struct Case
    {
        const char* name;
        Ending ending;
        size_t commands;
    } cases[] = {
        {"release inside", Ending::ReleaseInside, 1},
        {"release outside", Ending::ReleaseOutside, 0},
        {"escape", Ending::Escape, 0},
        {"cancel mode", Ending::CancelMode, 0},
        {"right button", Ending::RightButton, 0},
        {"quit", Ending::Quit, 0},
    };
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    CQorStatusBarPane* pPane = Add(321, 80);
    pPane->m_bButton = TRUE;
    const CRect rc = bar.GetPaneRect(1);
    const LPARAM inside = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
    const LPARAM outside = MAKELPARAM(rc.left - 20, rc.CenterPoint().y);
    for (const Case& c : cases) {
        frame->commands.clear();
        switch (c.ending) {
        case Ending::ReleaseInside:
            bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, inside);
            bar.PostMessage(WM_LBUTTONUP, 0, inside);
            break;
        case Ending::ReleaseOutside:
            bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, outside);
            bar.PostMessage(WM_LBUTTONUP, 0, outside);
            break;
        case Ending::Escape:
            bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            bar.PostMessage(WM_LBUTTONUP, 0, inside);
            break;
        case Ending::CancelMode:
            bar.PostMessage(WM_CANCELMODE);
            bar.PostMessage(WM_LBUTTONUP, 0, inside);
            break;
        case Ending::RightButton:
            bar.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, inside);
            bar.PostMessage(WM_LBUTTONUP, 0, inside);
            break;
        case Ending::Quit:
            ::PostQuitMessage(7);
            break;
        }
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
        EXPECT_EQ(frame->commands.size(), c.commands) << c.name;
        if (c.commands) {
            EXPECT_EQ(frame->commands[0], 321u) << c.name;
        }
        EXPECT_NE(::GetCapture(), bar.m_hWnd) << c.name;
        EXPECT_FALSE(pPane->m_bPressed) << c.name;
        MSG msg;
        if (c.ending == Ending::Quit) {
            ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT is kept";
            EXPECT_EQ(msg.wParam, 7u);
        }
        // What the loop left behind (the button-up of the cancelled cases).
        while (::PeekMessageW(&msg, bar.m_hWnd, 0, 0, PM_REMOVE)) {
        }
    }

    // A disabled pane cannot be clicked.
    frame->commands.clear();
    bar.SetPaneStyle(1, SBPS_DISABLED);
    bar.PostMessage(WM_LBUTTONUP, 0, inside);
    bar.SendMessage(WM_MOUSEMOVE, 0, inside);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(StatusBarFixture, AButtonPaneTakenOffTheBarDuringItsClickIsNotTouchedAfterItsRelease)
{
    enum class Removal { ByItsCommand, WhileHeld };
    const struct
    {
        const char* name;
        Removal removal;
        size_t commands;
    } cases[] = {
        {"its command removes it", Removal::ByItsCommand, 1},
        {"removed while the button is held", Removal::WhileHeld, 0},
    };
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    for (const auto& c : cases) {
        Add(321, 80);
        // The test owns the pane's memory: its last release only records.
        auto pPane = std::make_unique<CWatchedPane>();
        bar.ReplacePane(1, pPane.get());
        pPane->m_bButton = TRUE;
        const CRect rc = bar.GetPaneRect(1);
        const LPARAM inside = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        frame->commands.clear();
        auto remove = [this] { bar.RemovePane(321); };
        frame->onCommand = c.removal == Removal::ByItsCommand ? std::function<void()>(remove) : nullptr;
        frame->onApp = c.removal == Removal::WhileHeld ? std::function<void()>(remove) : nullptr;
        if (c.removal == Removal::WhileHeld)
            frame->PostMessage(WM_APP);
        bar.PostMessage(WM_LBUTTONUP, 0, inside);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);

        EXPECT_EQ(c.commands, frame->commands.size()) << c.name;
        EXPECT_EQ(nullptr, bar.FindPane(321)) << c.name;
        EXPECT_EQ(nullptr, bar.GetHotPane()) << c.name;
        EXPECT_EQ(1, pPane->nFinalReleases) << c.name;
        EXPECT_EQ(pPane->bPressedAtRelease, pPane->m_bPressed) << c.name << ": written after its last release";
        EXPECT_FALSE(pPane->m_bPressed) << c.name;
        EXPECT_NE(::GetCapture(), bar.m_hWnd) << c.name;
        frame->onCommand = nullptr;
        frame->onApp = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Painting

TEST_F(StatusBarFixture, PaneWindowsContinueTheBarsBackgroundThemedAndClassic)
{
    ForEachLook([&](const char* look, CQorPaintManager* pTheme) {
        CQorStatusBarPaneWnd wnd;
        const CRect rcWnd = HostBehindFreeText(wnd, 9, 60);
        ASSERT_GT(rcWnd.Width(), 4);

        testsupport::WindowCapture barPixels(bar.m_hWnd);
        testsupport::WindowCapture panePixels(wnd.m_hWnd);
        for (int x : {1, rcWnd.Width() / 2, rcWnd.Width() - 2})
            EXPECT_EQ(panePixels.Pixel(x, rcWnd.Height() / 2),
                      barPixels.Pixel(rcWnd.left + x, rcWnd.top + rcWnd.Height() / 2))
                << look << " " << x;
        if (std::string(look) == "classic") {
            EXPECT_EQ(panePixels.Pixel(1, 1), pTheme->GetColor(15));
        }

        bar.SetPaneWindow(nullptr, 9);
        wnd.DestroyWindow();
    });
}

TEST_F(StatusBarFixture, DisabledIconPaneHasNoneOfTheIconsColoursThemedAndClassic)
{
    ForEachLook([&](const char* look, CQorPaintManager*) {
        CQorStatusBarIconPane pane;
        const CRect rc = HostBehindFreeText(pane, 10, 30);
        ASSERT_FALSE(rc.IsRectEmpty());
        const CRect area(0, 0, rc.Width(), rc.Height());
        testsupport::WindowCapture background(pane.m_hWnd);
        ASSERT_TRUE(pane.SetIcon(kIconId));
        testsupport::WindowCapture enabled(pane.m_hWnd);
        pane.EnableWindow(FALSE);
        testsupport::WindowCapture disabled(pane.m_hWnd);

        EXPECT_GT(CountDifferences(background, enabled, area), 0) << look << ": the icon is drawn";
        // Disabled, whatever differs from the background is the one flat colour.
        const COLORREF clrMono = GetGlobalPaintManager()->GetColor(16);
        for (int y = 0; y < area.bottom; ++y)
            for (int x = 0; x < area.right; ++x) {
                const COLORREF clr = disabled.Pixel(x, y);
                if (clr != background.Pixel(x, y)) {
                    EXPECT_EQ(clr, clrMono) << look << " at " << x << "," << y;
                }
            }
        EXPECT_GT(disabled.CountColor(clrMono, area), background.CountColor(clrMono, area)) << look;

        bar.SetPaneWindow(nullptr, 10);
        pane.DestroyWindow();
    });
}

TEST_F(StatusBarFixture, PaintManagerDrawsPaneTextAndNothingForADisabledPane)
{
    const QorThemeMode mode = QorGetThemeMode();
    QorSetThemeModeForTest(qorThemeOff);
    painttest::PaintManagerPtr pTheme(CQorPaintManager::CreateTheme(qorPaintThemeDefault));
    pTheme->RefreshMetrics();
    pTheme->InternalAddRef();
    bar.m_pPaintManager = pTheme.get();
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    CQorStatusBarPane* pPane = Add(11, 120);
    bar.SetPaneText(1, L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    const CRect rc = bar.GetPaneRect(1);
    const COLORREF clrText = pTheme->m_clrStatusTextColor;
    {
        testsupport::WindowCapture pixels(bar.m_hWnd);
        EXPECT_GT(pixels.CountColor(clrText, rc), 0);
        // Cut at the pane's right margin: no text beyond it.
        const CRect beyond(rc.right - pPane->m_rcMargins.right, rc.top + 2, rc.right + 8, rc.bottom - 2);
        EXPECT_EQ(pixels.CountColor(clrText, beyond), 0);
    }
    bar.SetPaneStyle(1, SBPS_DISABLED);
    {
        testsupport::WindowCapture pixels(bar.m_hWnd);
        CRect inner(rc);
        inner.DeflateRect(2, 2);
        EXPECT_EQ(pixels.CountColor(clrText, inner), 0);
    }
    bar.m_pPaintManager = nullptr;
    pTheme->InternalRelease();
    QorSetThemeModeForTest(mode);
}

// ---------------------------------------------------------------------------------------
// Tool tips

TEST_F(StatusBarFixture, PaneToolTipCoversItsPaneAndNothingElse)
{
    Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
    Add(31, 80)->m_strToolTip = L"Pages read";
    Add(32, 60); // no tip
    Add(33, 60)->m_strToolTip = L"Hidden";
    bar.SetPaneVisible(3, FALSE);
    const CRect rc = bar.GetPaneRect(1);
    ASSERT_FALSE(rc.IsRectEmpty());
    CRect client;
    bar.GetClientRect(&client);
    const int y = rc.CenterPoint().y;
    struct Case
    {
        const char* name;
        CPoint point;
        INT_PTR hit;
    } cases[] = {
        {"centre", rc.CenterPoint(), 31},
        {"top left corner", rc.TopLeft(), 31},
        {"bottom right corner", CPoint(rc.right - 1, rc.bottom - 1), 31},
        {"just right of it", CPoint(rc.right, y), -1},
        {"free text pane", CPoint(rc.left - 10, y), -1},
        {"pane without a tip", bar.GetPaneRect(2).CenterPoint(), -1},
        {"where the hidden pane was", CPoint(client.right - 3, y), -1},
    };
    for (const Case& c : cases) {
        TOOLINFOW ti = {};
        ti.cbSize = sizeof(ti);
        EXPECT_EQ(bar.OnToolHitTest(c.point, &ti), c.hit) << c.name;
        if (c.hit == -1) {
            EXPECT_EQ(ti.lpszText, nullptr) << c.name;
            continue;
        }
        EXPECT_EQ(ti.hwnd, bar.m_hWnd) << c.name;
        EXPECT_EQ(ti.uId, 31u) << c.name;
        EXPECT_EQ(CRect(ti.rect), rc) << c.name << " the tip's tool is the pane's rectangle";
        ASSERT_NE(ti.lpszText, nullptr) << c.name;
        EXPECT_EQ(std::wstring(ti.lpszText), L"Pages read") << c.name;
        free(ti.lpszText);
    }
    // A caller that asks only for the hit gets it without a tool.
    EXPECT_EQ(bar.OnToolHitTest(rc.CenterPoint(), nullptr), 31);
}

// ---------------------------------------------------------------------------------------
// Button panes' looks

namespace {

// Captures the bar while a button pane is held down (from a timer the press loop dispatches),
// then lets the button go outside the pane.
struct PressedShot
{
    HWND hWndBar = nullptr;
    LPARAM release = 0;
    std::unique_ptr<testsupport::WindowCapture> pixels;
};
PressedShot* g_pPressedShot = nullptr;

void CALLBACK CaptureWhilePressed(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    if (!g_pPressedShot || g_pPressedShot->pixels)
        return;
    g_pPressedShot->pixels.reset(new testsupport::WindowCapture(g_pPressedShot->hWndBar));
    ::PostMessageW(g_pPressedShot->hWndBar, WM_LBUTTONUP, 0, g_pPressedShot->release);
}

} // namespace

TEST_F(StatusBarFixture, ButtonPaneLooksHotUnderTheMouseAndSinksWhilePressedThemedAndClassic)
{
    const COLORREF clrText = RGB(0xFF, 0x00, 0xFF);
    ForEachLook([&](const char* look, CQorPaintManager*) {
        Add(0, 100, SBPS_STRETCH | SBPS_NOBORDERS);
        CQorStatusBarPane* pPane = Add(41, 90);
        pPane->m_bButton = TRUE;
        pPane->m_clrText = static_cast<int>(clrText);
        bar.SetPaneText(1, L"Zoom");
        Add(42, 60);
        const CRect rc = bar.GetPaneRect(1);
        CRect client;
        bar.GetClientRect(&client);
        const LPARAM inside = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);

        testsupport::WindowCapture normal(bar.m_hWnd);
        bar.SendMessage(WM_MOUSEMOVE, 0, inside);
        ASSERT_EQ(bar.GetHotPane(), pPane) << look;
        testsupport::WindowCapture hot(bar.m_hWnd);

        PressedShot shot;
        shot.hWndBar = bar.m_hWnd;
        shot.release = MAKELPARAM(rc.left - 20, rc.CenterPoint().y);
        g_pPressedShot = &shot;
        ::SetTimer(nullptr, 0, 10, CaptureWhilePressed);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
        g_pPressedShot = nullptr;
        ASSERT_TRUE(shot.pixels) << look << ": the press loop ran the timer";
        const testsupport::WindowCapture& pressed = *shot.pixels;
        EXPECT_TRUE(frame->commands.empty()) << look << ": released outside";

        // Each state has a look of its own, and only inside the pane.
        EXPECT_GT(CountDifferences(normal, hot, rc), 0) << look;
        EXPECT_GT(CountDifferences(hot, pressed, rc), 0) << look;
        for (const CRect& outside :
             {CRect(0, 0, rc.left, client.bottom), CRect(rc.right, 0, client.right, client.bottom)}) {
            EXPECT_EQ(CountDifferences(normal, hot, outside), 0) << look;
            EXPECT_EQ(CountDifferences(normal, pressed, outside), 0) << look;
        }

        // The text stays in place when hot and sinks by one pixel each way while pressed.
        const CRect textNormal = BoundsOf(normal, clrText, rc);
        ASSERT_FALSE(textNormal.IsRectEmpty()) << look;
        EXPECT_EQ(BoundsOf(hot, clrText, rc).TopLeft(), textNormal.TopLeft()) << look;
        EXPECT_EQ(BoundsOf(pressed, clrText, rc).TopLeft(), textNormal.TopLeft() + CPoint(1, 1)) << look;

        // A disabled button pane is never hot.
        bar.SetPaneStyle(1, SBPS_DISABLED);
        bar.SendMessage(WM_MOUSEMOVE, 0, inside);
        EXPECT_EQ(bar.GetHotPane(), nullptr) << look;

        MSG msg;
        while (::PeekMessageW(&msg, bar.m_hWnd, 0, 0, PM_REMOVE)) {
        }
    });
}
