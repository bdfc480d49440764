// The demo scene's checks: four rows around a client area in every look, the selected tab
// bridging into the client, arrows that come with a narrow window and scroll while held,
// dragging and closing tabs with real input, an installed colour set's own button colours,
// and rows that leave their painter's list when destroyed.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "demos/tabs/TabScene.h"
#include "tests/common/WineTestSupport.h"
#include "toolkit/foundation/WinThemeWrapper.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

using tabscene::CSceneRow;
using tabscene::CTabScene;

namespace {

CRect ToScreen(HWND hWnd, CRect rc)
{
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    rc.NormalizeRect();
    return rc;
}

CPoint ScreenPoint(CSceneRow* pRow, CPoint pt)
{
    ::ClientToScreen(pRow->GetSafeHwnd(), &pt);
    return pt;
}

void SendMouse(DWORD dwFlags, CPoint ptScreen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ptScreen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ptScreen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

// Presses at a, moves through the points and releases at the last, pumping between steps.
void Drag(std::initializer_list<CPoint> points)
{
    const CPoint* p = points.begin();
    SendMouse(0, *p);
    testsupport::PumpUntil([] { return false; }, 30);
    SendMouse(MOUSEEVENTF_LEFTDOWN, *p);
    for (++p; p != points.end(); ++p)
        SendMouse(0, *p);
    SendMouse(MOUSEEVENTF_LEFTUP, *(points.end() - 1));
    testsupport::PumpUntil([] { return GetCapture() == nullptr && !GetAsyncKeyState(VK_LBUTTON); }, 1000);
    testsupport::PumpUntil([] { return false; }, 50);
}

// A colour set derived from the Visual Studio one, as the docking panes' office panel set is:
// its own button glyph colours.
class CPanelColorSet : public CQorTabPaintManager::CColorSetVisualStudio
{
public:
    void RefreshMetrics() override
    {
        CColorSetVisualStudio::RefreshMetrics();
        m_clrNavigateButton.SetStandardValue(RGB(10, 200, 30));
        m_clrNavigateButtonPressed.SetStandardValue(RGB(10, 200, 30));
    }
};

struct Scene : ::testing::Test
{
    CTabScene scene;

    void Open(BOOL bRtl = FALSE, int cx = 560, int cy = 360)
    {
        ASSERT_TRUE(scene.Create(40, 40, cx, cy, bRtl));
        SetForegroundWindow(scene.GetSafeHwnd());
        ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == scene.GetSafeHwnd(); }));
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        scene.Destroy();
        QorSetThemeModeForTest(qorThemeReal);
        QorSetTabTickSourceForTest(nullptr);
        testsupport::PumpMessages();
    }
    CSceneRow* Row(QorTabPosition position) { return scene.GetRow(position); }
    CRect HeaderOnScreen(QorTabPosition position)
    {
        return ToScreen(Row(position)->GetSafeHwnd(), Row(position)->m_rcHeaderRect);
    }
};

DWORD g_dwFakeTick = 0;
int g_nTicks = 0;
int g_nTicksBeforeRelease = 0;
CPoint g_ptRelease;

DWORD FakeTick()
{
    return g_dwFakeTick;
}

// Each timer tick moves the held button's clock on by more than a repeat interval; after the
// last one the mouse leaves the button and is released there.
void CALLBACK TickTimer(HWND, UINT, UINT_PTR nId, DWORD)
{
    g_dwFakeTick += 25;
    if (++g_nTicks == g_nTicksBeforeRelease) {
        KillTimer(nullptr, nId);
        SendMouse(0, g_ptRelease);
        SendMouse(MOUSEEVENTF_LEFTUP, g_ptRelease);
    }
}

} // namespace

TEST_F(Scene, HeadersLieOnTheirSidesAroundTheClientInEveryLook)
{
    const int kinds[] = {qorTabColorDefault, qorTabColorVisualStudio, qorTabColorOffice2003,
                         qorTabColorWinXP,   qorTabColorWhidbey,      qorTabColorOffice2007};
    for (BOOL bRtl : {FALSE, TRUE}) {
        Open(bRtl);
        for (QorThemeMode theme : {qorThemeReal, qorThemeOff}) {
            QorSetThemeModeForTest(theme);
            for (int nAppearance = 0; nAppearance < 4; ++nAppearance) {
                for (int nKind : kinds) {
                    scene.SetAppearance(static_cast<tabscene::SceneAppearance>(nAppearance));
                    scene.SetColorKind(nKind);
                    UpdateWindow(scene.GetSafeHwnd());
                    const CRect rcInner = ToScreen(scene.GetSafeHwnd(), scene.GetInnerClient());
                    const CRect rcTop = HeaderOnScreen(qorTabPositionTop);
                    const CRect rcLeft = HeaderOnScreen(qorTabPositionLeft);
                    const CRect rcBottom = HeaderOnScreen(qorTabPositionBottom);
                    const CRect rcRight = HeaderOnScreen(qorTabPositionRight);
                    ::testing::Message where;
                    where << "rtl " << bRtl << " theme " << theme << " appearance " << nAppearance << " kind " << nKind;
                    EXPECT_FALSE(rcInner.IsRectEmpty()) << where;
                    EXPECT_LE(rcTop.bottom, rcInner.top + 1) << where;
                    EXPECT_GE(rcBottom.top, rcInner.bottom - 1) << where;
                    // Mirrored, the left row lies on the screen's right.
                    const CRect& rcStart = bRtl ? rcRight : rcLeft;
                    const CRect& rcEnd = bRtl ? rcLeft : rcRight;
                    EXPECT_LE(rcStart.right, rcInner.left + 1) << where;
                    EXPECT_GE(rcEnd.left, rcInner.right - 1) << where;
                    // Drawn: the header holds faces, outlines and captions, not one flat colour.
                    testsupport::WindowCapture shot(Row(qorTabPositionTop)->GetSafeHwnd());
                    const CRect rcHeader = Row(qorTabPositionTop)->m_rcHeaderRect;
                    std::set<COLORREF> colours;
                    for (int y = rcHeader.top; y < rcHeader.bottom; y += 2)
                        for (int x = rcHeader.left; x < rcHeader.right; x += 2)
                            colours.insert(shot.Pixel(x, y));
                    EXPECT_GE(colours.size(), 3u) << where;
                    // A row without arrows shows every tab whole, inside its header.
                    for (int nPosition = 0; nPosition < 4; ++nPosition) {
                        CSceneRow* pRow = Row(static_cast<QorTabPosition>(nPosition));
                        if (!pRow->FindNavigateButton(CQorTabManagerNavigateButton::idRight)->GetRect().IsRectEmpty())
                            continue;
                        const CRect rcRowHeader = pRow->m_rcHeaderRect;
                        for (int i = 0; i < pRow->GetItemCount(); ++i) {
                            const CRect rcTab = pRow->GetItem(i)->GetRect();
                            if (pRow->IsHorizontal()) {
                                EXPECT_GE(rcTab.left, rcRowHeader.left) << where << " row " << nPosition << " tab " << i;
                                EXPECT_LE(rcTab.right, rcRowHeader.right) << where << " row " << nPosition << " tab " << i;
                            } else {
                                EXPECT_GE(rcTab.top, rcRowHeader.top) << where << " row " << nPosition << " tab " << i;
                                EXPECT_LE(rcTab.bottom, rcRowHeader.bottom) << where << " row " << nPosition << " tab " << i;
                            }
                        }
                    }
                }
            }
        }
        scene.Destroy();
        QorSetThemeModeForTest(qorThemeReal);
    }
}

TEST_F(Scene, TabsCarryTheirPagesAndTheSelectedTabBridgesIntoTheClient)
{
    Open();
    QorSetThemeModeForTest(qorThemeOff);
    scene.SetColorKind(qorTabColorDefault);
    CSceneRow* pTop = Row(qorTabPositionTop);
    int nPages = 0;
    const tabscene::ScenePage* pPages = CTabScene::GetPages(&nPages);
    ASSERT_EQ(nPages, pTop->GetItemCount());
    for (int i = 0; i < nPages; ++i)
        EXPECT_EQ(reinterpret_cast<DWORD_PTR>(&pPages[i]), pTop->GetItem(i)->GetData()) << i;

    testsupport::WindowCapture shot(pTop->GetSafeHwnd());
    CQorTabPaintManager::CColorSet* pColors = scene.GetPaintManager(qorTabPositionTop)->GetColorSet();
    const CRect rcSelected = pTop->GetSelectedItem()->GetRect();
    const CRect rcOther = pTop->GetItem(3)->GetRect();
    const int y = rcSelected.bottom - 1; // the client frame's top edge
    EXPECT_EQ(pColors->GetTabColor(pTop->GetSelectedItem()), shot.Pixel(rcSelected.CenterPoint().x, y));
    EXPECT_EQ(pColors->m_clrBtnHighlight.GetColor(), shot.Pixel(rcOther.CenterPoint().x, y));
}

namespace {

// The contrast ratio of two colours (1 to 21), from their relative luminances.
double Contrast(COLORREF a, COLORREF b)
{
    auto luminance = [](COLORREF c) {
        auto channel = [](BYTE v) {
            const double x = v / 255.0;
            return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

// The caption of the tab under the mouse stays readable on its face: its darkest pixel stands
// out from the face at 3:1 at least, in each look without a hot text colour of its own.
TEST_F(Scene, AHotTabsCaptionStaysReadable)
{
    Open();
    QorSetThemeModeForTest(qorThemeOff);
    for (int nKind : {qorTabColorDefault, qorTabColorVisualStudio, qorTabColorWhidbey, qorTabColorWinXP}) {
        SCOPED_TRACE(nKind);
        scene.SetColorKind(nKind);
        CSceneRow* pTop = Row(qorTabPositionTop);
        CQorTabManagerItem* pItem = pTop->GetItem(3);
        ASSERT_FALSE(pItem->IsSelected());
        SendMouse(0, ScreenPoint(pTop, CPoint(10, 150))); // away first, so that the tab turns hot anew
        testsupport::PumpUntil([&] { return !pItem->IsHot(); }, 1000);
        SendMouse(0, ScreenPoint(pTop, pItem->GetRect().CenterPoint()));
        ASSERT_TRUE(testsupport::PumpUntil([&] { return pItem->IsHot() != FALSE; }));
        UpdateWindow(pTop->GetSafeHwnd());
        testsupport::PumpMessages();
        testsupport::WindowCapture shot(pTop->GetSafeHwnd(), true);
        CRect rcText = pItem->GetRect();
        rcText.DeflateRect(5, 4);
        const COLORREF face = shot.Pixel(rcText.left, rcText.CenterPoint().y);
        double best = 1;
        for (int y = rcText.top; y < rcText.bottom; ++y)
            for (int x = rcText.left; x < rcText.right; ++x)
                best = std::max(best, Contrast(face, shot.Pixel(x, y)));
        EXPECT_GE(best, 3.0) << std::hex << "face " << face;
    }
    SendMouse(0, ScreenPoint(Row(qorTabPositionTop), CPoint(10, 150)));
}

namespace {

// The pixels inside a rectangle of the screen that differ from its first one, cut out to
// their bounding box: a caption without its place.
std::vector<COLORREF> InkOnScreen(const CRect& rcScreen)
{
    HDC screen = GetDC(nullptr);
    const COLORREF face = GetPixel(screen, rcScreen.left, rcScreen.top);
    CRect box(rcScreen.right, rcScreen.bottom, rcScreen.left, rcScreen.top);
    for (int y = rcScreen.top; y < rcScreen.bottom; ++y)
        for (int x = rcScreen.left; x < rcScreen.right; ++x)
            if (GetPixel(screen, x, y) != face) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    std::vector<COLORREF> ink;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            ink.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return ink;
}

} // namespace

// A mirrored scene moves its tabs and captions to the other side, but the captions still read
// left to right: cut out of their tabs they equal the captions of the scene left to right.
TEST_F(Scene, MirroredCaptionsReadAsTheyDoLeftToRight)
{
    std::vector<COLORREF> captions[2];
    for (BOOL bRtl : {FALSE, TRUE}) {
        Open(bRtl);
        QorSetThemeModeForTest(qorThemeOff);
        scene.SetAppearance(tabscene::appearanceFlat);
        scene.SetColorKind(qorTabColorDefault);
        CSceneRow* pTop = Row(qorTabPositionTop);
        UpdateWindow(scene.GetSafeHwnd());
        testsupport::PumpMessages();
        CRect rcTab = pTop->GetItem(3)->GetRect();
        rcTab.DeflateRect(3, 3);
        captions[bRtl] = InkOnScreen(ToScreen(pTop->GetSafeHwnd(), rcTab));
        if (bRtl) {
            const CRect rcFirst = ToScreen(pTop->GetSafeHwnd(), pTop->GetItem(0)->GetRect());
            const CRect rcLast = ToScreen(pTop->GetSafeHwnd(), pTop->GetItem(3)->GetRect());
            EXPECT_GT(rcFirst.left, rcLast.left) << "the first tab stands on the right";
        }
        scene.Destroy();
        QorSetThemeModeForTest(qorThemeReal);
    }
    ASSERT_GT(captions[0].size(), 20u);
    EXPECT_EQ(captions[0], captions[1]);
}

TEST_F(Scene, ANarrowWindowShowsArrowsThatScrollOncePerTickWhileHeld)
{
    Open();
    CSceneRow* pTop = Row(qorTabPositionTop);
    CQorTabManagerNavigateButton* pRight = pTop->FindNavigateButton(CQorTabManagerNavigateButton::idRight);
    EXPECT_TRUE(pRight->GetRect().IsRectEmpty()) << "every tab fits";
    scene.SetClientSize(200, 300);
    testsupport::PumpMessages();
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty());
    EXPECT_EQ(0, pTop->GetScrollOffset());

    QorSetTabTickSourceForTest(FakeTick);
    g_dwFakeTick = 1000;
    g_nTicks = 0;
    g_nTicksBeforeRelease = 4;
    g_ptRelease = ScreenPoint(pTop, CPoint(pRight->GetRect().CenterPoint().x, 150)); // outside the button
    const CPoint ptArrow = ScreenPoint(pTop, pRight->GetRect().CenterPoint());
    SendMouse(0, ptArrow);
    testsupport::PumpMessages();
    SetTimer(nullptr, 0, 20, TickTimer);
    SendMouse(MOUSEEVENTF_LEFTDOWN, ptArrow);
    ASSERT_TRUE(testsupport::PumpUntil([] { return g_nTicks >= 4 && GetCapture() == nullptr; }));
    EXPECT_EQ(-4 * CQorTabManager::scrollStep, pTop->GetScrollOffset()) << "one step per tick";

    g_dwFakeTick += 100;
    testsupport::PumpUntil([] { return false; }, 100);
    EXPECT_EQ(-4 * CQorTabManager::scrollStep, pTop->GetScrollOffset()) << "nothing after the release";
    EXPECT_TRUE(pTop->FindNavigateButton(CQorTabManagerNavigateButton::idLeft)->IsEnabled());
}

TEST_F(Scene, DraggingATabWithTheMouseReordersTheRow)
{
    Open();
    CSceneRow* pTop = Row(qorTabPositionTop);
    CQorTabManagerItem* pFirst = pTop->GetItem(0);
    const CPoint pts[3] = {ScreenPoint(pTop, pTop->GetItem(0)->GetRect().CenterPoint()),
                           ScreenPoint(pTop, pTop->GetItem(1)->GetRect().CenterPoint()),
                           ScreenPoint(pTop, pTop->GetItem(2)->GetRect().CenterPoint())};
    Drag({pts[0], pts[1], pts[2]});
    EXPECT_EQ(pFirst, pTop->GetItem(2));
    EXPECT_EQ(pFirst, pTop->GetSelectedItem());
    EXPECT_STREQ(L"Contents", reinterpret_cast<const tabscene::ScenePage*>(pTop->GetItem(2)->GetData())->pszCaption)
        << "the page goes with its tab";
}

TEST_F(Scene, ATabsCloseButtonClosesOnlyWhenReleasedOverIt)
{
    Open();
    CSceneRow* pTop = Row(qorTabPositionTop);
    CQorTabManagerItem* pSelected = pTop->GetSelectedItem();
    ASSERT_EQ(1, pSelected->GetNavigateButtonCount());
    const CPoint ptClose = ScreenPoint(pTop, pSelected->GetNavigateButton(0)->GetRect().CenterPoint());
    Drag({ptClose, ScreenPoint(pTop, CPoint(5, 150))});
    EXPECT_EQ(0, pTop->m_nClicks);
    EXPECT_EQ(5, pTop->GetItemCount());
    Drag({ptClose, ptClose});
    EXPECT_EQ(1, pTop->m_nClicks);
    EXPECT_EQ(4, pTop->GetItemCount());
    EXPECT_EQ(-1, pTop->FindIndex(pSelected));
}

TEST_F(Scene, AnInstalledVisualStudioSetPaintsItsOwnButtonColours)
{
    Open();
    scene.SetAppearance(tabscene::appearanceVisualStudio);
    scene.GetPaintManager(qorTabPositionTop)->SetColorSet(new CPanelColorSet());
    scene.SetClientSize(200, 300);
    testsupport::PumpMessages();
    CSceneRow* pTop = Row(qorTabPositionTop);
    const CRect rcRight = pTop->FindNavigateButton(CQorTabManagerNavigateButton::idRight)->GetRect();
    ASSERT_FALSE(rcRight.IsRectEmpty());
    testsupport::WindowCapture shot(pTop->GetSafeHwnd());
    EXPECT_GT(shot.CountColor(RGB(10, 200, 30), rcRight), 5) << "the glyph in the set's colour";
}

TEST_F(Scene, RowsDestroyedBeforeTheirPainterLeaveItsList)
{
    Open();
    CQorTabPaintManager* pPainter = scene.GetPaintManager(qorTabPositionRight);
    EXPECT_EQ(1, pPainter->GetRowCount());
    scene.DestroyRow(qorTabPositionRight);
    EXPECT_EQ(0, pPainter->GetRowCount());
    pPainter->SetColor(qorTabColorWhidbey); // reaches no freed row
    pPainter->OnPropertyChanged();
    EXPECT_EQ(qorTabColorWhidbey, pPainter->GetColorSetKind());
}
