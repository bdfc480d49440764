// Where popups go, without windows: the placement against a given work area (context points in
// the corners, submenus without room, drop-downs taller than the screen, flat anchors, the left
// edge, columns instead of scrolling), the flags a submenu inherits, and a popup bar laid out
// in columns because it may not scroll.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"

namespace {

const CRect kScreen(0, 0, 1280, 1024);
const int kUsableBottom = 1019; // the work area less the 5 pixels the placement keeps free

struct PlacementCase
{
    const char* name;
    CSize size;
    CPoint pt;
    CRect rcExclude;
    int nFlags;
    CRect expected;
    int nExpectedFlags;
    BOOL bExpectedScroll;
};

QorPopupPlacement Place(const PlacementCase& c)
{
    QorPopupPlacement p;
    p.size = c.size;
    p.ptPopup = c.pt;
    p.rcExclude = c.rcExclude;
    p.nFlags = c.nFlags;
    p.rcWork = kScreen;
    p.rcMonitor = kScreen;
    QorCalcPopupPlacement(p);
    return p;
}

} // namespace

TEST(PopupPlacement, Table)
{
    const int L = qorPopupLeft, D = qorPopupDropDown;
    const PlacementCase cases[] = {
        // A context menu in the bottom-right corner opens above the point, its right edge on the
        // screen's.
        {"context point bottom-right", {200, 300}, {1270, 1015}, {1270, 1015, 1270, 1015}, D,
         {1080, 715, 1280, 1015}, D, FALSE},
        {"context point below the usable area", {200, 300}, {1279, 1023}, {1279, 1023, 1279, 1023}, D,
         {1080, kUsableBottom - 300, 1280, kUsableBottom}, D, FALSE},
        {"context point with room", {200, 300}, {400, 300}, {400, 300, 400, 300}, D, {400, 300, 600, 600}, D, FALSE},
        // A submenu beside its control: no room on the right turns it left and remembers that.
        {"submenu with room", {200, 150}, {500, 300}, {330, 300, 500, 320}, 0, {500, 300, 700, 450}, 0, FALSE},
        {"submenu without room on the right", {200, 150}, {1270, 300}, {1100, 300, 1270, 320}, 0,
         {900, 300, 1100, 450}, L, FALSE},
        {"submenu of a left-turned parent opens left", {200, 150}, {480, 340}, {300, 340, 480, 360}, L,
         {100, 340, 300, 490}, L, FALSE},
        {"left-turned submenu without room on the left", {200, 150}, {300, 300}, {150, 300, 300, 320}, L,
         {300, 300, 500, 450}, 0, FALSE},
        {"submenu low on the screen moves up", {200, 300}, {500, 900}, {330, 900, 500, 920}, 0,
         {500, kUsableBottom - 300, 700, kUsableBottom}, 0, FALSE},
        // Drop-downs: below, above when there is no room below, else scrolled on the larger side.
        {"drop-down with room", {180, 300}, {100, 120}, {100, 100, 160, 120}, D, {100, 120, 280, 420}, D, FALSE},
        {"drop-down opens above", {180, 300}, {100, 900}, {100, 880, 160, 900}, D, {100, 580, 280, 880}, D, FALSE},
        {"drop-down taller than both sides, control low", {180, 900}, {100, 520}, {100, 500, 160, 520}, D,
         {100, 0, 280, 500}, D, TRUE},
        {"drop-down taller than both sides, control high", {180, 900}, {100, 320}, {100, 300, 160, 320}, D,
         {100, 320, 280, kUsableBottom}, D, TRUE},
        {"right-aligned drop-down lines up right edges", {180, 200}, {500, 120}, {500, 100, 560, 120}, L | D,
         {380, 120, 560, 320}, L | D, FALSE},
        {"right-aligned drop-down without room on the left", {180, 200}, {100, 120}, {100, 100, 160, 120}, L | D,
         {0, 120, 180, 320}, D, FALSE},
        // Flat anchors.
        {"flat anchor below the usable area", {150, 200}, {400, 1022}, {400, 1022, 500, 1022}, D,
         {400, kUsableBottom - 200, 550, kUsableBottom}, D, FALSE},
        {"flat anchor high, too tall", {150, 1000}, {400, 100}, {400, 100, 500, 100}, D,
         {400, kUsableBottom - 1000, 550, kUsableBottom}, D, FALSE},
        {"flat anchor low, too tall for below", {150, 300}, {400, 800}, {400, 800, 500, 800}, D,
         {400, 500, 550, 800}, D, FALSE},
        // The left edge.
        {"right-aligned context menu near the left edge", {200, 100}, {50, 200}, {50, 200, 50, 200}, L | D,
         {0, 200, 200, 300}, D, FALSE},
        {"context point left of the screen", {200, 100}, {-30, 200}, {-30, 200, -30, 200}, D, {0, 200, 200, 300}, D,
         FALSE},
        // Taller than the whole work area without a scroll-disable: shortened and scrolled.
        {"context menu taller than the screen", {200, 1500}, {400, 300}, {400, 300, 400, 300}, D,
         {400, 0, 600, kUsableBottom}, D, TRUE},
    };
    for (const PlacementCase& c : cases) {
        const QorPopupPlacement p = Place(c);
        EXPECT_EQ(p.rcPopup, c.expected) << c.name;
        EXPECT_EQ(p.nFlags, c.nExpectedFlags) << c.name;
        EXPECT_EQ(p.bScroll, c.bExpectedScroll) << c.name;
    }
}

TEST(PopupPlacement, ContextPointOnTheTaskBarUsesTheWholeMonitor)
{
    QorPopupPlacement p;
    p.size = CSize(100, 40);
    p.ptPopup = CPoint(600, 975);
    p.rcWork = CRect(0, 0, 1280, 970);
    p.rcMonitor = kScreen;
    p.nFlags = qorPopupDropDown;
    QorCalcPopupPlacement(p);
    // Against the work area it would open above the point; the monitor leaves room below.
    EXPECT_EQ(p.rcPopup, CRect(600, 975, 700, 1015));
}

TEST(PopupPlacement, SubmenuFlagsFollowTheParentBar)
{
    struct Case
    {
        const char* name;
        int nControlFlags;
        BOOL bRightToLeft;
        DWORD dwBarFlags;
        int nPosition;
        BOOL bFloatingPopup;
        int nParentPopupFlags;
        int nExpected;
    } cases[] = {
        {"menu bar at the top drops down", 0, FALSE, 0, qorBarTop, FALSE, 0, qorPopupDropDown},
        {"bar at the bottom drops too", 0, FALSE, 0, qorBarBottom, FALSE, 0, qorPopupDropDown},
        {"floating bar drops", 0, FALSE, 0, qorBarFloating, FALSE, 0, qorPopupDropDown},
        {"floating popup opens beside", 0, FALSE, 0, qorBarFloating, TRUE, 0, 0},
        {"bar docked right opens left", 0, FALSE, 0, qorBarRight, FALSE, 0, qorPopupLeft},
        {"bar docked left opens right", 0, FALSE, 0, qorBarLeft, FALSE, 0, 0},
        {"submenu of a right-opening popup", 0, FALSE, 0, qorBarPopup, FALSE, 0, 0},
        {"submenu of a left-turned popup keeps turning left", 0, FALSE, 0, qorBarPopup, FALSE, qorPopupLeft,
         qorPopupLeft},
        {"large-button popup drops", 0, FALSE, 0x200000, qorBarPopup, FALSE, 0, qorPopupDropDown},
        {"control asking for the left", qorFlagLeftPopup, FALSE, 0, qorBarTop, FALSE, 0,
         qorPopupLeft | qorPopupDropDown},
        {"right-to-left popup", 0, TRUE, 0, qorBarLeft, FALSE, 0, qorPopupLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QorPopupFlagsFromParent(c.nControlFlags, c.bRightToLeft, c.dwBarFlags, c.nPosition, c.bFloatingPopup,
                                          c.nParentPopupFlags),
                  c.nExpected)
            << c.name;

    // The left turn of a submenu without room is what its own submenus inherit.
    PlacementCase submenu = {"", {200, 150}, {1270, 300}, {1100, 300, 1270, 320}, 0, {}, 0, FALSE};
    const int nTurned = Place(submenu).nFlags;
    ASSERT_EQ(nTurned, qorPopupLeft);
    const int nChild = QorPopupFlagsFromParent(0, FALSE, 0, qorBarPopup, FALSE, nTurned);
    PlacementCase child = {"", {200, 150}, {1080, 340}, {910, 340, 1080, 360}, nChild, {}, 0, FALSE};
    EXPECT_EQ(Place(child).rcPopup, CRect(710, 340, 910, 490)) << "room on the right is not used";
}

TEST(PopupPlacement, RelayoutModeLaysOutForTheAvailableHeightInsteadOfScrolling)
{
    struct Case
    {
        const char* name;
        CPoint pt;
        CRect rcExclude;
        int nFlags;
    } cases[] = {
        {"context menu", {300, 200}, {300, 200, 300, 200}, qorPopupDropDown},
        {"drop-down without room below or above", {100, 520}, {100, 500, 160, 520}, qorPopupDropDown},
        {"submenu", {400, 100}, {250, 100, 400, 120}, 0},
    };
    for (const Case& c : cases) {
        std::vector<int> heights;
        QorPopupPlacement p;
        p.size = CSize(200, 1600);
        p.ptPopup = c.pt;
        p.rcExclude = c.rcExclude;
        p.nFlags = c.nFlags;
        p.rcWork = kScreen;
        p.rcMonitor = kScreen;
        p.bRelayoutMode = TRUE;
        p.relayout = [&](int nMaxHeight) {
            heights.push_back(nMaxHeight);
            return CSize(400, 800); // two columns of half the height
        };
        p.excludeBeside = [&] { return c.rcExclude; };
        QorCalcPopupPlacement(p);
        EXPECT_FALSE(p.bScroll) << c.name;
        EXPECT_EQ(heights, std::vector<int>{kUsableBottom}) << c.name;
        EXPECT_EQ(p.rcPopup.Size(), CSize(400, 800)) << c.name;
        EXPECT_GE(p.rcPopup.top, 0) << c.name;
        EXPECT_LE(p.rcPopup.bottom, kUsableBottom) << c.name;
        EXPECT_GE(p.rcPopup.left, 0) << c.name;
        EXPECT_LE(p.rcPopup.right, 1280) << c.name;
    }
}

namespace {

// A popup bar placed in a small work area of its own.
class CSmallAreaPopupBar : public CQorPopupBar
{
public:
    void GetMonitorAreas(const CRect&, CRect& rcWork, CRect& rcMonitor) const override
    {
        rcWork = CRect(0, 0, 1280, 400);
        rcMonitor = rcWork;
    }
};

} // namespace

TEST(PopupPlacement, ScrollDisabledPopupTallerThanTheAreaShowsEveryControlInside)
{
    CSmallAreaPopupBar* pBar = new CSmallAreaPopupBar;
    for (int i = 0; i < 60; i++)
        pBar->GetControls()->Add(qorControlButton, 7000 + i)->SetCaption(L"Item");
    pBar->DisableScroll(TRUE);
    pBar->SetPopupPoint(CPoint(100, 50));
    pBar->SetExcludeRect(CRect(100, 50, 100, 50));
    pBar->SetPopupFlags(qorPopupDropDown);
    const CSize szNatural = pBar->CalcPopupLayout();
    ASSERT_GT(szNatural.cy, 400) << "one column does not fit";
    const CRect rc = pBar->CalcPopupRect(szNatural);
    EXPECT_FALSE(pBar->IsScrollMode());
    EXPECT_GE(rc.top, 0);
    EXPECT_LE(rc.bottom, 395);
    const CRect rcClient(0, 0, rc.Width(), rc.Height());
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CQorControl* pControl = pBar->GetControl(i);
        EXPECT_TRUE(pControl->IsVisible()) << i;
        CRect rcInside;
        rcInside.IntersectRect(pControl->GetRect(), rcClient);
        EXPECT_EQ(rcInside, pControl->GetRect()) << i;
    }
    pBar->InternalRelease();
}
