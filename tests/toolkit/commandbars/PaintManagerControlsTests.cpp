// Controls and bars through the paint managers: tool-bar button sizes, button pixels by state in
// the Default look and the native XP look (with visual styles and without), split buttons,
// separators, grippers, bar fills and borders, and the Office family's own bar drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

using foundationtest::Canvas;
using painttest::CountColour;
using painttest::MakeTheme;
using painttest::PaintManagerPtr;
using painttest::TextWidth;

namespace {

const COLORREF kPaper = RGB(1, 2, 3);
const UINT kIconId = 41501;
const COLORREF kIconColour = RGB(200, 30, 40);
const int kLargeButtons = 0x200000;

// The test icon, registered on first use.
void EnsureIcon()
{
    static const bool s_bDone = painttest::RegisterSolidIcon(kIconId, kIconColour);
    ASSERT_TRUE(s_bDone);
}

// A bar whose open-popup index a test sets without opening anything.
class CTestBar : public CQorCommandBar
{
public:
    CTestBar(int nType, int nPosition)
    {
        m_barType = nType;
        m_barPosition = nPosition;
    }
    void SetPopupedIndex(int nIndex) { m_nPopuped = nIndex; }
    // A hidden window of the size, for the operations that read the client rectangle.
    void CreateWindowOfSize(int cx, int cy)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(CreateEx(0, lpszClass, L"", WS_POPUP, 0, 0, cx, cy, nullptr, nullptr));
    }
};

using BarPtr = std::unique_ptr<CTestBar, painttest::DestroyAndRelease>;

struct ControlDeleter
{
    void operator()(CQorControl* p) const { p->InternalRelease(); }
};
using ControlPtr = std::unique_ptr<CQorControl, ControlDeleter>;

BarPtr MakeBar(int nType = qorBarTypeToolBar, int nPosition = qorBarTop)
{
    return BarPtr(new CTestBar(nType, nPosition));
}

// A button on the bar at index 0: an icon unless bIcon is FALSE, a caption when given.
ControlPtr MakeButton(CQorCommandBar* pBar, LPCWSTR lpszCaption = L"", BOOL bIcon = TRUE, int nType = qorControlButton,
                      int nStyle = qorButtonAutomatic)
{
    EnsureIcon();
    ControlPtr pControl(new CQorControlButton);
    pControl->m_nType = nType;
    pControl->m_nIndex = 0;
    pControl->SetParent(pBar);
    pControl->SetCaption(lpszCaption);
    pControl->m_nIconId = bIcon ? static_cast<int>(kIconId) : 0;
    pControl->SetStyle(nStyle);
    return pControl;
}

// A control's state, set directly as the bar and the press loop leave it.
struct State
{
    const char* name;
    int nSelected;
    int nPressed;
    int nEnabled;
    int nChecked;
    BOOL bPopuped;
};

void ApplyState(CTestBar* pBar, CQorControl* pControl, const State& s)
{
    pControl->m_nSelected = s.nSelected;
    pControl->m_nPressed = s.nPressed;
    pControl->m_nEnabled = s.nEnabled;
    pControl->m_nChecked = s.nChecked;
    pBar->SetPopupedIndex(s.bPopuped ? 0 : -1);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Sizes: what the row layout gets for each kind of button, the same in both classic looks.

TEST(PaintManagerControls, ToolBarButtonSizesFollowImageCaptionArrowAndSplitPart)
{
    for (int nTheme : {qorPaintThemeDefault, qorPaintThemeNativeXP}) {
        for (bool bThemed : {false, true}) {
            SCOPED_TRACE(testing::Message() << "theme " << nTheme << (bThemed ? " themed" : " classic"));
            PaintManagerPtr pTheme = MakeTheme(nTheme, bThemed);
            Canvas canvas(10, 10, kPaper);
            CDC* pDC = canvas.Dc();
            const int h = pTheme->GetControlHeight();
            const int wOpen = TextWidth(pTheme.get(), pDC, L"Open");
            const int wPaste = TextWidth(pTheme.get(), pDC, L"Paste");
            const int wSpecial = TextWidth(pTheme.get(), pDC, L"Special");
            ASSERT_GT(wOpen, 10);
            const int nBand = 2 * h - 17;
            const int nSmall = std::max(h, 22), nLarge = std::max(h, 38);
            struct Row
            {
                const char* name;
                int nBarType, nPosition;
                DWORD dwBarFlags;
                LPCWSTR lpszCaption;
                BOOL bIcon;
                int nType, nStyle, nWidth;
                CSize size;
            } rows[] = {
                {"icon", 1, 0, 0, L"Open", TRUE, qorControlButton, 0, 0, CSize(23, nSmall)},
                {"nothing to show", 1, 0, 0, L"", FALSE, qorControlButton, 0, 0, CSize(23, nSmall)},
                {"caption", 1, 0, 0, L"Open", FALSE, qorControlButton, 0, 0, CSize(wOpen + 12, h)},
                {"icon and caption", 1, 0, 0, L"Open", TRUE, qorControlButton, 3, 0, CSize(23 + wOpen + 6, nSmall)},
                {"caption below", 1, 0, 0, L"Open", TRUE, qorControlButton, 4, 0,
                 CSize(std::max(23, wOpen + 8), 22 + nBand)},
                {"large icon", 1, 0, kLargeButtons, L"", TRUE, qorControlButton, 0, 0, CSize(39, nLarge)},
                {"large, caption below", 1, 0, kLargeButtons, L"Open", TRUE, qorControlButton, 4, 0,
                 CSize(std::max(39, wOpen + 8), 38 + nBand)},
                {"drop-down", 1, 0, 0, L"", TRUE, qorControlButtonPopup, 0, 0, CSize(31, nSmall)},
                {"popup on a tool bar", 1, 0, 0, L"Open", FALSE, qorControlPopup, 0, 0, CSize(wOpen + 20, h)},
                {"popup on a menu bar", 0, 0, 0, L"Open", FALSE, qorControlPopup, 0, 0, CSize(wOpen + 12, h)},
                {"split", 1, 0, 0, L"", TRUE, qorControlSplitButtonPopup, 0, 0, CSize(35, nSmall)},
                {"split, caption below in two lines", 1, 0, 0, L"Paste Special", TRUE, qorControlSplitButtonPopup, 4, 0,
                 CSize(std::max(23, std::max(wPaste, wSpecial + 8) + 8), 22 + nBand)},
                {"own width", 1, 0, 0, L"Open", FALSE, qorControlButton, 0, 60, CSize(60, h)},
                {"caption on a bar at the left", 1, 2, 0, L"Open", FALSE, qorControlButton, 0, 0, CSize(h, wOpen + 12)},
                {"icon on a bar at the right", 1, 3, 0, L"", TRUE, qorControlButton, 0, 0, CSize(nSmall, 23)},
            };
            for (const Row& row : rows) {
                SCOPED_TRACE(row.name);
                BarPtr pBar = MakeBar(row.nBarType, row.nPosition);
                pBar->m_dwFlags = row.dwBarFlags;
                ControlPtr pControl = MakeButton(pBar.get(), row.lpszCaption, row.bIcon, row.nType, row.nStyle);
                if (row.nWidth)
                    pControl->SetWidth(row.nWidth);
                EXPECT_EQ(row.size, pTheme->DrawControl(pDC, pControl.get(), FALSE));
            }
        }
    }
}

TEST(PaintManagerControls, TheControlMeasuresItselfThroughItsPaintManager)
{
    // The row layout asks the control; the control asks the paint manager of its bar.
    BarPtr pBar = MakeBar();
    ControlPtr pControl = MakeButton(pBar.get(), L"Open", FALSE);
    Canvas canvas(10, 10, kPaper);
    CQorPaintManager* pPaintManager = pBar->GetPaintManager();
    ASSERT_NE(nullptr, pPaintManager);
    EXPECT_EQ(pPaintManager->DrawControl(canvas.Dc(), pControl.get(), FALSE), pControl->GetSize(canvas.Dc()));
    EXPECT_GT(pControl->GetSize(nullptr).cx, 23); // no DC: measured on the screen
}

// ---------------------------------------------------------------------------------------------
// Button pixels

namespace {

const CRect kButton(4, 4, 27, 26); // an icon button: the icon at (7, 7)-(23, 23)

void DrawButton(CQorPaintManager* pTheme, Canvas& canvas, const State& state, int nType = qorControlButton,
                LPCWSTR lpszCaption = L"", BOOL bIcon = TRUE, CRect rc = kButton)
{
    BarPtr pBar = MakeBar();
    ControlPtr pControl = MakeButton(pBar.get(), lpszCaption, bIcon, nType);
    pControl->SetRect(rc);
    ApplyState(pBar.get(), pControl.get(), state);
    pTheme->DrawControl(canvas.Dc(), pControl.get(), TRUE);
}

const State kNormal = {"normal", 0, 0, 1, 0, FALSE};
const State kHot = {"hot", 1, 0, 1, 0, FALSE};
const State kPressed = {"pressed", 1, 1, 1, 0, FALSE};
const State kPressedOutside = {"pressed, mouse outside", 0, 1, 1, 0, FALSE};
const State kRunning = {"running", 0, 2, 1, 0, FALSE};
const State kChecked = {"checked", 0, 0, 1, 1, FALSE};
const State kDisabled = {"disabled", 0, 0, 0, 0, FALSE};
const State kPopuped = {"popped up", 0, 0, 1, 0, TRUE};

} // namespace

TEST(PaintManagerControls, DefaultButtonFramesAndIconByState)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const COLORREF clrLight = GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = GetSysColor(COLOR_BTNSHADOW);
    struct Row
    {
        State state;
        int nType;
        COLORREF clrTopLeft, clrBottomRight;
        BOOL bIconShifted;
    } rows[] = {
        {kNormal, qorControlButton, kPaper, kPaper, FALSE},
        {kHot, qorControlButton, clrLight, clrShadow, FALSE},
        {kPressed, qorControlButton, clrShadow, clrLight, TRUE},
        {kPressedOutside, qorControlButton, kPaper, kPaper, FALSE},
        {kRunning, qorControlButton, clrShadow, clrLight, TRUE},
        {kChecked, qorControlButton, clrShadow, clrLight, FALSE},
        {kPopuped, qorControlButtonPopup, clrShadow, clrLight, TRUE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state.name);
        Canvas canvas(60, 40, kPaper);
        DrawButton(pTheme.get(), canvas, row.state, row.nType, L"", TRUE,
                   row.nType == qorControlButtonPopup ? CRect(4, 4, 35, 26) : kButton);
        EXPECT_EQ(row.clrTopLeft, canvas.Pixel(4, 4));
        const int nRight = row.nType == qorControlButtonPopup ? 34 : 26;
        EXPECT_EQ(row.clrBottomRight, canvas.Pixel(nRight, 25));
        // The classic look moves a pressed icon one pixel down and right.
        EXPECT_EQ(kIconColour, canvas.Pixel(15, 15));
        EXPECT_EQ(row.bIconShifted, canvas.Pixel(7, 7) != kIconColour);
        EXPECT_EQ(row.bIconShifted, canvas.Pixel(23, 23) == kIconColour);
    }
    // A checked button that is neither hot nor pressed shows the dithered face.
    Canvas canvas(60, 40, kPaper);
    DrawButton(pTheme.get(), canvas, kChecked);
    const COLORREF a = canvas.Pixel(5, 5), b = canvas.Pixel(6, 5);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == GetSysColor(COLOR_BTNFACE) && b == clrLight) ||
                (b == GetSysColor(COLOR_BTNFACE) && a == clrLight));
}

TEST(PaintManagerControls, DisabledButtonsDrawInTheSystemsGreyWithoutOwnColours)
{
    // The styled look too: Wine's tool-bar style gives a disabled button the normal text colour.
    for (bool bStyled : {false, true}) {
        SCOPED_TRACE(bStyled ? "native XP, styled" : "Default");
        PaintManagerPtr pTheme = MakeTheme(bStyled ? qorPaintThemeNativeXP : qorPaintThemeDefault, bStyled);
        const CRect rc(4, 4, 80, 26);
        Canvas enabled(90, 30, kPaper), disabled(90, 30, kPaper);
        DrawButton(pTheme.get(), enabled, kNormal, qorControlButton, L"HHHH", FALSE, rc);
        DrawButton(pTheme.get(), disabled, kDisabled, qorControlButton, L"HHHH", FALSE, rc);
        EXPECT_GT(CountColour(enabled, rc, GetSysColor(COLOR_BTNTEXT)), 0);
        EXPECT_EQ(0, CountColour(enabled, rc, GetSysColor(COLOR_GRAYTEXT)));
        EXPECT_EQ(0, CountColour(disabled, rc, GetSysColor(COLOR_BTNTEXT)));
        EXPECT_GT(CountColour(disabled, rc, GetSysColor(COLOR_GRAYTEXT)), 0);
        // Embossed: the highlight copy one pixel down and right.
        EXPECT_GT(CountColour(disabled, rc, GetSysColor(COLOR_BTNHIGHLIGHT)), 0);
        // The icon of a disabled button is not its normal image.
        Canvas icon(60, 40, kPaper);
        DrawButton(pTheme.get(), icon, kDisabled);
        EXPECT_EQ(0, CountColour(icon, kButton, kIconColour));
    }
}

TEST(PaintManagerControls, NativeXPWithoutVisualStylesDrawsButtonsLikeDefault)
{
    PaintManagerPtr pDefault = MakeTheme(qorPaintThemeDefault, false);
    PaintManagerPtr pXP = MakeTheme(qorPaintThemeNativeXP, false);
    for (const State& state : {kNormal, kHot, kPressed, kRunning, kChecked, kDisabled, kPopuped}) {
        for (int nType : {qorControlButton, qorControlButtonPopup, qorControlSplitButtonPopup}) {
            SCOPED_TRACE(testing::Message() << state.name << " type " << nType);
            const CRect rc(4, 4, 70, 26);
            Canvas a(80, 30, kPaper), b(80, 30, kPaper);
            DrawButton(pDefault.get(), a, state, nType, L"Open", TRUE, rc);
            DrawButton(pXP.get(), b, state, nType, L"Open", TRUE, rc);
            int nDifferent = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 80; ++x)
                    nDifferent += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
            EXPECT_EQ(0, nDifferent);
        }
    }
}

TEST(PaintManagerControls, NativeXPButtonsDrawTheToolBarStyleOfTheirState)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP, true);
    ASSERT_TRUE(static_cast<QorPaintThemes::CQorNativeXPTheme*>(pTheme.get())->IsThemeUsable());
    struct Row
    {
        State state;
        int nType;
        int nState;
    } rows[] = {
        {kNormal, qorControlButton, 1},         {kHot, qorControlButton, 2},          {kPressed, qorControlButton, 3},
        {kPressedOutside, qorControlButton, 1}, {kRunning, qorControlButton, 3},      {kChecked, qorControlButton, 5},
        {kDisabled, qorControlButton, 4},       {kPopuped, qorControlButtonPopup, 3},
    };
    painttest::ThemePartLog log;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state.name);
        log.Clear();
        Canvas canvas(60, 40, kPaper);
        DrawButton(pTheme.get(), canvas, row.state, row.nType);
        ASSERT_EQ(1u, log.Get().size());
        EXPECT_EQ(L"TOOLBAR", log.Get()[0].strClass);
        EXPECT_EQ(1, log.Get()[0].nPart);
        EXPECT_EQ(row.nState, log.Get()[0].nState);
        // The styled look keeps a pressed icon in place.
        EXPECT_EQ(row.state.nEnabled != 0, canvas.Pixel(7, 7) == kIconColour);
    }
    // The hot style paints the button; the normal one leaves it differently.
    Canvas normal(60, 40, kPaper), hot(60, 40, kPaper);
    DrawButton(pTheme.get(), normal, kNormal);
    DrawButton(pTheme.get(), hot, kHot);
    int nDifferent = 0;
    for (int y = kButton.top; y < kButton.bottom; ++y)
        for (int x = kButton.left; x < kButton.right; ++x)
            nDifferent += normal.Pixel(x, y) != hot.Pixel(x, y) ? 1 : 0;
    EXPECT_GT(nDifferent, 0);
}

// ---------------------------------------------------------------------------------------------
// Split buttons

TEST(PaintManagerControls, SplitButtonCaptionRectLeavesTheDropDownPart)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const int h = pTheme->GetControlHeight();
    struct Row
    {
        const char* name;
        int nBarType, nPosition, nStyle;
        CRect rcCaption;
    } rows[] = {
        {"tool bar", 1, 0, 0, CRect(10, 10, 48, 70)},
        {"tool bar at the left", 1, 2, 0, CRect(10, 10, 60, 58)},
        {"caption below", 1, 0, 4, CRect(10, 10, 60, 70 - (2 * h - 17))},
        {"caption below at the left", 1, 2, 4, CRect(10, 10, 60 - (2 * h - 17), 70)},
        {"popup", 2, 5, 0, CRect(10, 10, 40, 70)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPtr pBar = MakeBar(row.nBarType, row.nPosition);
        ControlPtr pControl = MakeButton(pBar.get(), L"Paste", TRUE, qorControlSplitButtonPopup, row.nStyle);
        pControl->SetRect(CRect(10, 10, 60, 70));
        EXPECT_EQ(row.rcCaption, pTheme->GetSplitButtonCaptionRect(pControl.get()));
        EXPECT_EQ(row.rcCaption, pTheme->GetSplitButtonRect(pControl.get()));
    }
    // A caption band taller than the button leaves an empty button part, never an inverted one.
    BarPtr pBar = MakeBar();
    ControlPtr pControl =
        MakeButton(pBar.get(), L"Paste", TRUE, qorControlSplitButtonPopup, qorButtonIconAndCaptionBelow);
    pControl->SetRect(CRect(10, 10, 60, 20));
    EXPECT_EQ(CRect(10, 10, 60, 10), pTheme->GetSplitButtonCaptionRect(pControl.get()));
}

TEST(PaintManagerControls, DefaultSplitButtonShowsButtonPartAndArrowPartApart)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const COLORREF clrLight = GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = GetSysColor(COLOR_BTNSHADOW);
    const CRect rc(4, 4, 39, 26); // main part 4..27, drop-down part 27..39
    struct Row
    {
        State state;
        COLORREF clrMain, clrDrop; // top-left pixel of each part
    } rows[] = {
        {kNormal, kPaper, kPaper},
        {kHot, clrLight, clrLight},
        {kPressed, clrShadow, clrLight},
        {kPopuped, clrLight, clrShadow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state.name);
        Canvas canvas(60, 40, kPaper);
        DrawButton(pTheme.get(), canvas, row.state, qorControlSplitButtonPopup, L"", TRUE, rc);
        EXPECT_EQ(row.clrMain, canvas.Pixel(4, 4));
        EXPECT_EQ(row.clrDrop, canvas.Pixel(27, 4));
        // The arrow's middle at (right - 7, middle) in the button text colour.
        EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), canvas.Pixel(32, 15));
        // The icon sits in the main part and never moves.
        EXPECT_EQ(kIconColour, canvas.Pixel(7, 7));
    }
}

TEST(PaintManagerControls, NativeXPSplitButtonDrawsBothStyledParts)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP, true);
    struct Row
    {
        State state;
        int nMainState, nDropState;
    } rows[] = {
        {kNormal, 1, 1}, {kHot, 2, 2}, {kPressed, 3, 2}, {kPopuped, 2, 3}, {kDisabled, 4, 4},
    };
    painttest::ThemePartLog log;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state.name);
        log.Clear();
        Canvas canvas(60, 40, kPaper);
        DrawButton(pTheme.get(), canvas, row.state, qorControlSplitButtonPopup, L"", TRUE, CRect(4, 4, 39, 26));
        ASSERT_EQ(2u, log.Get().size());
        // The style's drop-down part brings its arrow: the part shows nothing over it.
        Canvas style(60, 40, kPaper);
        static_cast<QorPaintThemes::CQorNativeXPTheme*>(pTheme.get())
            ->m_themeToolbar.DrawBackground(style.Dc(), 4, row.nDropState, CRect(27, 4, 39, 26));
        int nDifferent = 0;
        for (int y = 4; y < 26; ++y)
            for (int x = 28; x < 39; ++x)
                nDifferent += canvas.Pixel(x, y) != style.Pixel(x, y) ? 1 : 0;
        EXPECT_EQ(0, nDifferent);
        EXPECT_EQ(3, log.Get()[0].nPart);
        EXPECT_EQ(row.nMainState, log.Get()[0].nState);
        EXPECT_EQ(4, log.Get()[1].nPart);
        EXPECT_EQ(row.nDropState, log.Get()[1].nState);
    }
}

// ---------------------------------------------------------------------------------------------
// Separators, grippers, bars

TEST(PaintManagerControls, DefaultSeparatorIsAnEtchedLineInTheGapBeforeTheControl)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const COLORREF clrLight = GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(CSize(6, 6), pTheme->DrawSeparator(nullptr, nullptr, nullptr, FALSE));
    struct Row
    {
        const char* name;
        int nBarType, nPosition;
        BOOL bWrap;
        CPoint ptShadow, ptLight;
    } rows[] = {
        {"along a row", 1, 0, FALSE, CPoint(36, 20), CPoint(37, 20)},
        {"above a new row", 1, 0, TRUE, CPoint(45, 10), CPoint(45, 11)},
        {"bar at the left", 1, 2, FALSE, CPoint(45, 10), CPoint(45, 11)},
        {"popup item", 2, 5, FALSE, CPoint(45, 10), CPoint(45, 11)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPtr pBar = MakeBar(row.nBarType, row.nPosition);
        ControlPtr pControl = MakeButton(pBar.get());
        pControl->SetRect(CRect(40, 14, 63, 36));
        pControl->m_bWrap = row.bWrap;
        Canvas canvas(70, 40, kPaper);
        EXPECT_EQ(CSize(6, 6), pTheme->DrawSeparator(canvas.Dc(), pBar.get(), pControl.get(), TRUE));
        EXPECT_EQ(clrShadow, canvas.Pixel(row.ptShadow.x, row.ptShadow.y));
        EXPECT_EQ(clrLight, canvas.Pixel(row.ptLight.x, row.ptLight.y));
        // Nothing is drawn on the control itself.
        EXPECT_EQ(23 * 22, CountColour(canvas, CRect(40, 14, 63, 36), kPaper));
    }
}

TEST(PaintManagerControls, NativeXPSeparatorAndGrippersUseTheirStyleParts)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP, true);
    painttest::ThemePartLog log;
    Canvas canvas(120, 40, kPaper);
    // The separator part that runs the way the line does: down between buttons of a level
    // bar (Wine's part 6 is a line across the top of its rectangle).
    for (int nPosition : {qorBarTop, qorBarLeft}) {
        SCOPED_TRACE(nPosition);
        log.Clear();
        BarPtr pBar = MakeBar(qorBarTypeToolBar, nPosition);
        ControlPtr pControl = MakeButton(pBar.get());
        pControl->SetRect(CRect(40, 10, 63, 32));
        pTheme->DrawSeparator(canvas.Dc(), pBar.get(), pControl.get(), TRUE);
        ASSERT_EQ(1u, log.Get().size());
        EXPECT_EQ(L"TOOLBAR", log.Get()[0].strClass);
        EXPECT_EQ(nPosition == qorBarTop ? 5 : 6, log.Get()[0].nPart);
        EXPECT_EQ(0, log.Get()[0].nState);
    }
    struct Row
    {
        int nPosition;
        CSize size;
        int nPart;
    } rows[] = {{0, CSize(6, 0), 1}, {1, CSize(6, 0), 1}, {2, CSize(0, 8), 2}, {3, CSize(0, 8), 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nPosition);
        BarPtr pBar = MakeBar(qorBarTypeToolBar, row.nPosition);
        pBar->CreateWindowOfSize(100, 30);
        log.Clear();
        EXPECT_EQ(row.size, pTheme->DrawCommandBarGripper(canvas.Dc(), pBar.get(), FALSE));
        EXPECT_TRUE(log.Get().empty());
        EXPECT_EQ(row.size, pTheme->DrawCommandBarGripper(canvas.Dc(), pBar.get(), TRUE));
        ASSERT_EQ(1u, log.Get().size());
        EXPECT_EQ(L"REBAR", log.Get()[0].strClass);
        EXPECT_EQ(row.nPart, log.Get()[0].nPart);
        EXPECT_EQ(1, log.Get()[0].nState);
        // The bar's fill: the rebar band over the client rectangle.
        log.Clear();
        pTheme->FillCommandBar(canvas.Dc(), pBar.get());
        ASSERT_FALSE(log.Get().empty());
        EXPECT_EQ(L"REBAR", log.Get().back().strClass);
        EXPECT_EQ(3, log.Get().back().nPart);
    }
}

TEST(PaintManagerControls, DefaultGrippersFillsAndBorders)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const COLORREF clrLight = GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrFace = GetSysColor(COLOR_BTNFACE);
    {
        BarPtr pBar = MakeBar(qorBarTypeToolBar, qorBarTop);
        pBar->CreateWindowOfSize(100, 30);
        Canvas canvas(100, 30, kPaper);
        pTheme->FillCommandBar(canvas.Dc(), pBar.get());
        EXPECT_EQ(0, canvas.CountOther(clrFace, 100, 30)); // a docked bar: face only
        EXPECT_EQ(CSize(6, 0), pTheme->DrawCommandBarGripper(canvas.Dc(), pBar.get(), TRUE));
        EXPECT_EQ(clrLight, canvas.Pixel(3, 3));
        EXPECT_EQ(clrShadow, canvas.Pixel(5, 26));
        EXPECT_EQ(clrFace, canvas.Pixel(7, 15));
        EXPECT_EQ(CRect(2, 2, 2, 2), pTheme->GetCommandBarBorders(pBar.get()));
    }
    {
        BarPtr pBar = MakeBar(qorBarTypeToolBar, qorBarLeft);
        pBar->CreateWindowOfSize(30, 100);
        Canvas canvas(30, 100, kPaper);
        EXPECT_EQ(CSize(0, 8), pTheme->DrawCommandBarGripper(canvas.Dc(), pBar.get(), TRUE));
        EXPECT_EQ(clrLight, canvas.Pixel(3, 3));
        EXPECT_EQ(clrShadow, canvas.Pixel(26, 5));
    }
    {
        // Floating bars: a double frame and the title across the top on the caption colour.
        BarPtr pBar = MakeBar(qorBarTypeToolBar, qorBarFloating);
        pBar->CreateWindowOfSize(100, 60);
        pBar->SetTitle(L"Standard");
        Canvas canvas(100, 60, kPaper);
        pTheme->FillCommandBar(canvas.Dc(), pBar.get());
        EXPECT_EQ(clrFace, canvas.Pixel(0, 0));
        EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(99, 59));
        EXPECT_EQ(clrLight, canvas.Pixel(1, 1));
        EXPECT_EQ(clrShadow, canvas.Pixel(98, 58));
        const CSize sz = pTheme->DrawCommandBarGripper(canvas.Dc(), pBar.get(), TRUE);
        EXPECT_EQ(0, sz.cx);
        EXPECT_GT(sz.cy, 8);
        EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), canvas.Pixel(3, 3));
        EXPECT_GT(CountColour(canvas, CRect(2, 2, 98, 2 + sz.cy), GetSysColor(COLOR_CAPTIONTEXT)), 0);
    }
    {
        BarPtr pBar = MakeBar(qorBarTypePopup, qorBarPopup);
        EXPECT_EQ(CRect(3, 3, 3, 3), pTheme->GetCommandBarBorders(pBar.get()));
        EXPECT_EQ(CSize(0, 0), pTheme->DrawCommandBarGripper(nullptr, pBar.get(), FALSE));
    }
    // The small gripper: 6 wide, the text height + 4 high (22 at the least).
    Canvas canvas(10, 60, kPaper);
    const CSize sz = pTheme->DrawSmallGripper(canvas.Dc(), nullptr, TRUE);
    EXPECT_EQ(6, sz.cx);
    EXPECT_EQ(std::max(22, pTheme->m_nTextHeight + 4), sz.cy);
    EXPECT_EQ(clrLight, canvas.Pixel(3, 3));
}

// ---------------------------------------------------------------------------------------------
// The Office family

TEST(PaintManagerControls, OfficeFamilyBarsSeparatorsAndBorders)
{
    struct Row
    {
        const char* name;
        int nTheme;
        int nPosition;
        std::function<void(CQorPaintManager*, const Canvas&)> check;
    } rows[] = {
        {"Office docked bar: face 30 with the corners in button face", qorPaintThemeOffice, qorBarTop,
         [](CQorPaintManager* p, const Canvas& c) {
             EXPECT_EQ(p->GetColor(15), c.Pixel(0, 0));
             EXPECT_EQ(p->GetColor(30), c.Pixel(1, 0));
             EXPECT_EQ(p->GetColor(30), c.Pixel(50, 15));
         }},
        {"Office popup: colour 41 framed in 43", qorPaintThemeOffice, qorBarPopup,
         [](CQorPaintManager* p, const Canvas& c) {
             EXPECT_EQ(p->GetColor(43), c.Pixel(0, 0));
             EXPECT_EQ(p->GetColor(41), c.Pixel(50, 15));
         }},
        {"Office floating bar: framed twice in 61", qorPaintThemeOffice, qorBarFloating,
         [](CQorPaintManager* p, const Canvas& c) {
             EXPECT_EQ(p->GetColor(61), c.Pixel(0, 10));
             EXPECT_EQ(p->GetColor(61), c.Pixel(1, 10));
             EXPECT_EQ(p->GetColor(30), c.Pixel(50, 15));
         }},
        {"Office 2003 docked bar: colour 1 along the bottom", qorPaintThemeOffice2003, qorBarTop,
         [](CQorPaintManager* p, const Canvas& c) {
             auto* p2003 = static_cast<QorPaintThemes::CQorOffice2003Theme*>(p);
             EXPECT_EQ(p2003->m_clrToolBarBorder.GetColor(), c.Pixel(50, 29));
             EXPECT_EQ(p2003->m_grcBarWindow.m_clrLight.GetColor(), c.Pixel(0, 0));
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaintManagerPtr pTheme = MakeTheme(row.nTheme, false);
        BarPtr pBar = MakeBar(row.nPosition == qorBarPopup ? qorBarTypePopup : qorBarTypeToolBar, row.nPosition);
        pBar->m_dwFlags = 0xF; // may dock at every edge, as tool bars do
        pBar->CreateWindowOfSize(100, 30);
        Canvas canvas(100, 30, kPaper);
        pTheme->FillCommandBar(canvas.Dc(), pBar.get());
        row.check(pTheme.get(), canvas);
    }

    // Separators along a row: Office one line in colour 40, Office 2003 a light line beside it,
    // Whidbey the dark line alone and longer.
    struct SeparatorRow
    {
        const char* name;
        int nTheme;
        BOOL bLightLine;
        int nInset;
    } separators[] = {
        {"Office", qorPaintThemeOffice, FALSE, 2},
        {"Office 2003", qorPaintThemeOffice2003, TRUE, 4},
        {"Whidbey", qorPaintThemeWhidbey, FALSE, 2},
    };
    for (const SeparatorRow& row : separators) {
        SCOPED_TRACE(row.name);
        PaintManagerPtr pTheme = MakeTheme(row.nTheme, false);
        BarPtr pBar = MakeBar();
        ControlPtr pControl = MakeButton(pBar.get());
        pControl->SetRect(CRect(40, 4, 63, 26)); // gap 34..40, line at x = 36
        Canvas canvas(70, 30, kPaper);
        pTheme->DrawSeparator(canvas.Dc(), pBar.get(), pControl.get(), TRUE);
        const COLORREF clrDark = pTheme->GetColor(40);
        EXPECT_EQ(clrDark, canvas.Pixel(36, 15));
        EXPECT_EQ(clrDark, canvas.Pixel(36, 4 + row.nInset));
        EXPECT_EQ(kPaper, canvas.Pixel(36, 4 + row.nInset - 1));
        EXPECT_EQ(row.bLightLine, canvas.Pixel(37, 15) == pTheme->GetColor(5));
    }

    // Grippers of level docked bars: Office strokes every second row, Office 2003 two-colour dots.
    for (int nTheme : {qorPaintThemeOffice, qorPaintThemeOffice2003}) {
        SCOPED_TRACE(nTheme);
        PaintManagerPtr pTheme = MakeTheme(nTheme, false);
        BarPtr pBar = MakeBar();
        pBar->CreateWindowOfSize(100, 30);
        Canvas canvas(100, 30, kPaper);
        EXPECT_EQ(CSize(6, 0), pTheme->DrawCommandBarGripper(canvas.Dc(), pBar.get(), TRUE));
        const COLORREF clrDark = pTheme->GetColor(40);
        if (nTheme == qorPaintThemeOffice) {
            EXPECT_EQ(clrDark, canvas.Pixel(4, 4));
            EXPECT_EQ(kPaper, canvas.Pixel(4, 5));
            EXPECT_EQ(clrDark, canvas.Pixel(4, 6));
        } else {
            EXPECT_EQ(clrDark, canvas.Pixel(3, 5));
            EXPECT_EQ(pTheme->GetColor(5), canvas.Pixel(5, 7));
            EXPECT_EQ(clrDark, canvas.Pixel(3, 9));
        }
    }

    // Borders: Office 2003 (and Whidbey) leave room for the gripper dots on level docked bars.
    for (int nTheme : {qorPaintThemeOffice, qorPaintThemeOffice2003, qorPaintThemeWhidbey}) {
        PaintManagerPtr pTheme = MakeTheme(nTheme, false);
        BarPtr pTop = MakeBar(qorBarTypeToolBar, qorBarTop), pLeft = MakeBar(qorBarTypeToolBar, qorBarLeft);
        const int nLeft = nTheme == qorPaintThemeOffice ? 2 : 4;
        EXPECT_EQ(CRect(nLeft, 2, 2, 2), pTheme->GetCommandBarBorders(pTop.get()));
        EXPECT_EQ(CRect(2, 2, 2, 2), pTheme->GetCommandBarBorders(pLeft.get()));
    }
}

TEST(PaintManagerControls, OfficeSplitButtonOpenShowsOnePoppedUpEntry)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeOffice, false);
    const COLORREF clrFrameOpen = pTheme->GetColor(43), clrFillOpen = pTheme->GetColor(30);
    const COLORREF clrFrameHot = pTheme->GetColor(32), clrFillHot = pTheme->GetColor(31);
    const CRect rc(4, 4, 39, 26);
    {
        Canvas canvas(60, 40, kPaper);
        DrawButton(pTheme.get(), canvas, kPopuped, qorControlSplitButtonPopup, L"", TRUE, rc);
        EXPECT_EQ(clrFrameOpen, canvas.Pixel(4, 4));
        EXPECT_EQ(clrFrameOpen, canvas.Pixel(38, 25));
        EXPECT_EQ(clrFillOpen, canvas.Pixel(26, 15)); // no line between the parts
    }
    {
        Canvas canvas(60, 40, kPaper);
        DrawButton(pTheme.get(), canvas, kHot, qorControlSplitButtonPopup, L"", TRUE, rc);
        EXPECT_EQ(clrFrameHot, canvas.Pixel(4, 4));
        EXPECT_EQ(clrFrameHot, canvas.Pixel(26, 15)); // the parts share their border line
        EXPECT_EQ(clrFillHot, canvas.Pixel(30, 6));
    }
    // The Office 2003 look fills the hot parts with its highlight gradient, framed the same.
    PaintManagerPtr p2003 = MakeTheme(qorPaintThemeOffice2003, false);
    Canvas canvas(60, 40, kPaper);
    DrawButton(p2003.get(), canvas, kHot, qorControlSplitButtonPopup, L"", TRUE, rc);
    EXPECT_EQ(p2003->GetColor(32), canvas.Pixel(26, 15));
}

// ---------------------------------------------------------------------------------------------
// Captions

TEST(PaintManagerControls, CaptionsOnBarsAtTheSideRunDownward)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const COLORREF clrText = GetSysColor(COLOR_BTNTEXT);
    BarPtr pBar = MakeBar(qorBarTypeToolBar, qorBarLeft);
    ControlPtr pControl = MakeButton(pBar.get(), L"HHHHHH", FALSE);
    Canvas canvas(40, 120, kPaper);
    const CSize sz = pTheme->DrawControl(canvas.Dc(), pControl.get(), FALSE);
    ASSERT_GT(sz.cy, sz.cx);
    pControl->SetRect(CRect(4, 4, 4 + sz.cx, 4 + sz.cy));
    pTheme->DrawControl(canvas.Dc(), pControl.get(), TRUE);
    // The ink stands in a column taller than wide, inside the control.
    CRect rcInk(1000, 1000, -1, -1);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 40; ++x)
            if (canvas.Pixel(x, y) == clrText) {
                rcInk.left = std::min<int>(rcInk.left, x);
                rcInk.top = std::min<int>(rcInk.top, y);
                rcInk.right = std::max<int>(rcInk.right, x + 1);
                rcInk.bottom = std::max<int>(rcInk.bottom, y + 1);
            }
    ASSERT_LT(rcInk.left, rcInk.right);
    EXPECT_GT(rcInk.Height(), 2 * rcInk.Width());
    EXPECT_TRUE(CRect(4, 4, 4 + sz.cx, 4 + sz.cy).PtInRect(rcInk.TopLeft()));
    EXPECT_TRUE(CRect(4, 4, 5 + sz.cx, 5 + sz.cy).PtInRect(rcInk.BottomRight()));
}

TEST(PaintManagerControls, CaptionBelowBreaksIntoTwoLinesWhenAnArrowFollows)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    const COLORREF clrText = GetSysColor(COLOR_BTNTEXT);
    BarPtr pBar = MakeBar();
    // Rows of ink under the icon, and the button's width.
    auto draw = [&](int nType, int& nInkRows) {
        ControlPtr pControl = MakeButton(pBar.get(), L"HHH HHH", TRUE, nType, qorButtonIconAndCaptionBelow);
        Canvas canvas(100, 80, kPaper);
        const CSize sz = pTheme->DrawControl(canvas.Dc(), pControl.get(), FALSE);
        pControl->SetRect(CRect(0, 0, sz.cx, sz.cy));
        pTheme->DrawControl(canvas.Dc(), pControl.get(), TRUE);
        EXPECT_EQ(kIconColour, canvas.Pixel(sz.cx / 2, 11)); // the icon on top, centred
        nInkRows = 0;
        for (int y = 22; y < sz.cy; ++y)
            nInkRows += CountColour(canvas, CRect(0, y, sz.cx, y + 1), clrText) > 0 ? 1 : 0;
        return sz;
    };
    int nOneLine = 0, nTwoLines = 0;
    const CSize szPlain = draw(qorControlButton, nOneLine);
    const CSize szArrow = draw(qorControlButtonPopup, nTwoLines);
    ASSERT_GT(nOneLine, 0);
    EXPECT_GE(nTwoLines, 2 * nOneLine);
    EXPECT_LT(szArrow.cx, szPlain.cx);
    EXPECT_EQ(szPlain.cy, szArrow.cy);
}
