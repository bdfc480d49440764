// The docking paint manager: glyphs, metrics, the caption-button press and hover, colours.
#include "tests/toolkit/docking/DockingTestSupport.h"
#include "toolkit/docking/DockingPaneThemes.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabPaintManager.h"

#include <cstdlib>
#include <map>
#include <string>
#include <typeinfo>

using dockingtest::FrameTest;
using dockingtest::GroupPixels;
using namespace QorDockingPanePaintThemes;

namespace {

// A white 32-bit canvas, 40 x 40 unless told.
class Canvas
{
public:
    explicit Canvas(int cx = 40, int cy = 40)
    {
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIB32(m_hDC, cx, cy, reinterpret_cast<void**>(&m_pBits));
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        RECT rc = {0, 0, cx, cy};
        ::FillRect(m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    CDC* DC() { return CDC::FromHandle(m_hDC); }
    // The 12 x 12 square around (20, 20), '#' where the pixel is black.
    std::string Art()
    {
        ::GdiFlush();
        std::string art;
        for (int y = 14; y < 26; y++) {
            for (int x = 14; x < 26; x++)
                art += ::GetPixel(m_hDC, x, y) == RGB(0, 0, 0) ? '#' : '.';
            art += '\n';
        }
        return art;
    }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits = nullptr;
};

class PaintManager : public FrameTest
{
};

} // namespace

TEST_F(PaintManager, CaptionButtonGlyphsAreDrawnPixelForPixel)
{
    struct Row
    {
        int nID;
        DWORD dwState;
        const char* art; // columns x - 6 ... x + 5, rows y - 6 ... y + 5
    } rows[] = {
        {QOR_IDS_DOCKING_AUTOHIDE, 2,
         "............\n"
         "............\n"
         ".....#......\n"
         ".....#####..\n"
         ".....#...#..\n"
         "..####...#..\n"
         ".....#####..\n"
         ".....#####..\n"
         ".....#......\n"
         "............\n"
         "............\n"
         "............\n"},
        {QOR_IDS_DOCKING_AUTOHIDE, 0,
         "............\n"
         "....#####...\n"
         "....#..##...\n"
         "....#..##...\n"
         "....#..##...\n"
         "....#..##...\n"
         "...#######..\n"
         "......#.....\n"
         "......#.....\n"
         "......#.....\n"
         "............\n"
         "............\n"},
        {QOR_IDS_DOCKING_CLOSE, 0,
         "............\n"
         "............\n"
         "..##....##..\n"
         "...##..##...\n"
         "....####....\n"
         ".....##.....\n"
         "....####....\n"
         "...##..##...\n"
         "..##....##..\n"
         "............\n"
         "............\n"
         "............\n"},
        {QOR_IDS_DOCKING_MAXIMIZE, 0,
         "............\n"
         ".#########..\n"
         ".#########..\n"
         ".#.......#..\n"
         ".#.......#..\n"
         ".#.......#..\n"
         ".#.......#..\n"
         ".#.......#..\n"
         ".#.......#..\n"
         ".#########..\n"
         "............\n"
         "............\n"},
        {QOR_IDS_DOCKING_RESTORE, 0,
         "............\n"
         "....######..\n"
         "....######..\n"
         "....#....#..\n"
         "..######.#..\n"
         "..######.#..\n"
         "..#....###..\n"
         "..#....#....\n"
         "..#....#....\n"
         "..######....\n"
         "............\n"
         "............\n"},
        {QOR_IDS_DOCKING_MENU, 0,
         "............\n"
         "............\n"
         "............\n"
         "............\n"
         "............\n"
         "..########..\n"
         "...######...\n"
         "....####....\n"
         ".....##.....\n"
         "............\n"
         "............\n"
         "............\n"},
    };
    CQorDockingPaneDefaultTheme* pTheme = new CQorDockingPaneDefaultTheme();
    CQorDockingPaneTabbedContainer* pGroup = static_cast<CQorDockingPaneTabbedContainer*>(
        Manager().CreateNode(qorDockingPaneTypeTabbed, Manager().GetLayout()));
    for (const Row& row : rows) {
        Canvas canvas;
        CQorDockingPaneCaptionButton button(row.nID, pGroup);
        button.SetState(row.dwState);
        pTheme->DrawCaptionButtonGlyph(canvas.DC(), &button, CPoint(20, 20), RGB(0, 0, 0));
        EXPECT_EQ(row.art, canvas.Art()) << "glyph " << row.nID << " state " << row.dwState;
    }
    pTheme->InternalRelease();
}

TEST_F(PaintManager, SmallFontsStillGiveMinimumHeights)
{
    LOGFONTW lf = {};
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    lf.lfHeight = -8;
    QorSetDockingCaptionFontForTest(&lf);
    QorSetIconTitleFontForTest(&lf);
    for (int nTheme : {0, 3}) {
        Manager().SetTheme(nTheme);
        CQorDockingPanePaintManager* pPaint = Manager().GetPaintManager();
        EXPECT_EQ(13 + pPaint->m_nCaptionFontGap, pPaint->GetCaptionHeight()) << "theme " << nTheme;
        EXPECT_EQ(nTheme == 3 ? 7 : 5, pPaint->m_nCaptionFontGap);
        EXPECT_EQ(24, pPaint->GetTabsHeight()) << "theme " << nTheme;
    }
    lf.lfHeight = -5;
    Manager().GetPaintManager()->SetCaptionFont(TRUE, lf);
    LOGFONTW lfVertical = {};
    ::GetObjectW(Manager().GetPaintManager()->GetVerticalCaptionFont()->GetSafeHandle(), sizeof(lfVertical),
                 &lfVertical);
    EXPECT_EQ(-11, lfVertical.lfHeight);
    EXPECT_EQ(2700, lfVertical.lfEscapement);
    QorSetDockingCaptionFontForTest(nullptr);
    QorSetIconTitleFontForTest(nullptr);
}

TEST_F(PaintManager, SetThemeThreeIsNativeXpAndAnyOtherIsDefault)
{
    for (int nTheme : {0, 1, 2, 3, 7}) {
        Manager().SetTheme(nTheme);
        CQorDockingPanePaintManager* pPaint = Manager().GetPaintManager();
        EXPECT_EQ(nTheme == 3, dynamic_cast<CQorDockingPaneNativeXPTheme*>(pPaint) != nullptr) << nTheme;
        EXPECT_EQ(nTheme, Manager().GetCurrentTheme());
    }
}

TEST_F(PaintManager, EachThemeChoosesTheAppearanceAndColoursOfItsTwoTabPainters)
{
    using TPM = CQorTabPaintManager;
    struct
    {
        const char* pszTheme;
        CQorDockingPanePaintManager* (*pfnMake)();
        const std::type_info& paneSet;
        const std::type_info& paneColors;
        const std::type_info& panelSet;
        const std::type_info& panelColors;
    } themes[] = {
        {"Default", [] { return static_cast<CQorDockingPanePaintManager*>(new CQorDockingPaneDefaultTheme()); },
         typeid(TPM::CAppearanceSetPropertyPage), typeid(TPM::CColorSetDefault),
         typeid(TPM::CAppearanceSetPropertyPage), typeid(TPM::CColorSetDefault)},
        {"Office", [] { return static_cast<CQorDockingPanePaintManager*>(new CQorDockingPaneOfficeTheme()); },
         typeid(TPM::CAppearanceSetVisualStudio), typeid(TPM::CColorSetVisualStudio), typeid(TPM::CAppearanceSetFlat),
         typeid(CQorDockingPaneOfficeTheme::COfficePanelColorSet)},
        {"NativeXP", [] { return static_cast<CQorDockingPanePaintManager*>(new CQorDockingPaneNativeXPTheme()); },
         typeid(TPM::CAppearanceSetPropertyPage), typeid(TPM::CColorSetWinXP), typeid(TPM::CAppearanceSetPropertyPage),
         typeid(TPM::CColorSetWinXP)},
    };
    for (const auto& theme : themes) {
        CQorDockingPanePaintManager* pPaint = theme.pfnMake();
        pPaint->RefreshMetrics();
        TPM* pPane = pPaint->GetTabPaintManager();
        TPM* pPanel = pPaint->GetPanelPaintManager();
        EXPECT_TRUE(typeid(*pPane->GetAppearanceSet()) == theme.paneSet) << theme.pszTheme;
        EXPECT_TRUE(typeid(*pPane->GetColorSet()) == theme.paneColors) << theme.pszTheme;
        EXPECT_TRUE(typeid(*pPanel->GetAppearanceSet()) == theme.panelSet) << theme.pszTheme;
        EXPECT_TRUE(typeid(*pPanel->GetColorSet()) == theme.panelColors) << theme.pszTheme;
        pPaint->InternalRelease();
    }
}

TEST_F(PaintManager, TheOfficePanelColoursDarkenTheButtonGlyphsOfFlatTabsOnly)
{
    using TPM = CQorTabPaintManager;
    const COLORREF clrDark = ::GetSysColor(COLOR_3DDKSHADOW);
    TPM* pPainter = new TPM();
    pPainter->SetColor(qorTabColorVisualStudio);
    const COLORREF clrPlain = pPainter->GetColorSet()->m_clrNavigateButton.GetColor();
    const COLORREF clrPlainPressed = pPainter->GetColorSet()->m_clrNavigateButtonPressed.GetColor();
    ASSERT_NE(clrDark, clrPlain) << "the test needs a Visual Studio glyph colour that is not the dark shadow";
    for (BOOL bFlat : {FALSE, TRUE}) {
        if (bFlat)
            pPainter->SetAppearanceSet(new TPM::CAppearanceSetFlat());
        pPainter->SetColorSet(new CQorDockingPaneOfficeTheme::COfficePanelColorSet());
        EXPECT_EQ(bFlat ? clrDark : clrPlain, pPainter->GetColorSet()->m_clrNavigateButton.GetColor()) << bFlat;
        EXPECT_EQ(bFlat ? clrDark : clrPlainPressed, pPainter->GetColorSet()->m_clrNavigateButtonPressed.GetColor())
            << bFlat;
    }
    pPainter->InternalRelease();
}

namespace {

// The colour met most often inside a rectangle of a group's pixels.
COLORREF DominantColour(const GroupPixels& pixels, const CRect& rc)
{
    std::map<COLORREF, int> counts;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            counts[pixels.Pixel(x, y)]++;
    COLORREF clrBest = 0;
    int nBest = -1;
    for (const auto& entry : counts) {
        if (entry.second > nBest) {
            clrBest = entry.first;
            nBest = entry.second;
        }
    }
    return clrBest;
}

int PixelsDiffering(const GroupPixels& a, const GroupPixels& b, const CRect& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

// Pixels inside a rectangle far from its dominant colour: the strokes of a text.
int StrokePixels(const GroupPixels& pixels, const CRect& rc)
{
    const COLORREF clrFace = DominantColour(pixels, rc);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++) {
        for (int x = rc.left; x < rc.right; x++) {
            const COLORREF clr = pixels.Pixel(x, y);
            n += std::abs(GetRValue(clr) - GetRValue(clrFace)) + std::abs(GetGValue(clr) - GetGValue(clrFace)) +
                     std::abs(GetBValue(clr) - GetBValue(clrFace)) >
                 240;
        }
    }
    return n;
}

} // namespace

TEST_F(PaintManager, AGroupsTabRowShowsEachCaptionInItsTabAndWhichOneIsSelected)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft, nullptr, 300, 300);
    Manager().AttachPane(pFirst, Create(2, qorDockRight));
    pFirst->SetTitle(L"First");
    Manager().FindPane(2)->SetTitle(L"Second");
    for (int nTheme : {0, 3}) {
        Manager().SetTheme(nTheme);
        Layout();
        CQorDockingPaneTabbedContainer* pGroup = pFirst->GetTabbedContainer();
        ASSERT_TRUE(pGroup->IsTabsVisible()) << nTheme;
        ASSERT_EQ(Manager().FindPane(2), pGroup->GetSelected());
        const CRect rcRow = pGroup->m_rcHeaderRect;
        ASSERT_FALSE(rcRow.IsRectEmpty()) << nTheme;
        GroupPixels secondSelected(pGroup);
        for (int nTab = 0; nTab < 2; nTab++) {
            CRect rcInside = pGroup->GetItem(nTab)->GetRect();
            rcInside.DeflateRect(3, 3);
            EXPECT_GT(StrokePixels(secondSelected, rcInside), 10) << "theme " << nTheme << ": the caption of tab " << nTab;
        }
        // Between the tabs' captions the row shows nothing of a caption.
        const CRect rcGap(pGroup->GetItem(1)->GetRect().right + 3, rcRow.top + 3, rcRow.right - 3, rcRow.bottom - 3);
        if (rcGap.Width() > 10) {
            EXPECT_EQ(0, StrokePixels(secondSelected, rcGap)) << "theme " << nTheme;
        }

        pGroup->SelectPane(pFirst, FALSE, FALSE);
        GroupPixels firstSelected(pGroup);
        EXPECT_GT(PixelsDiffering(secondSelected, firstSelected, rcRow), 40) << "theme " << nTheme
                                                                              << ": the selection shows";
        CRect rcAbove(0, 0, rcRow.right, rcRow.top - 2);
        Manager().GetPaintManager()->AdjustCaptionRect(pGroup, rcAbove);
        EXPECT_EQ(0, PixelsDiffering(secondSelected, firstSelected, rcAbove))
            << "theme " << nTheme << ": only the row changes, not the pane's area";
        pGroup->SelectPane(Manager().FindPane(2), FALSE, FALSE);
    }
}

namespace {

class CaptionClick : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        CQorDockingPane* pPane = Create(1, qorDockLeft, nullptr, 200, 200);
        Layout();
        m_pGroup = pPane->GetTabbedContainer();
        // Printing the group lays its caption buttons out.
        Canvas canvas;
        m_pGroup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->GetSafeHdc()), PRF_CLIENT);
        m_pClose = m_pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE);
        m_ptIn = m_pClose->GetRect().CenterPoint();
    }
    LPARAM In() const { return MAKELPARAM(m_ptIn.x, m_ptIn.y); }
    LPARAM Out() const { return MAKELPARAM(m_ptIn.x - 60, m_ptIn.y + 60); }

    CQorDockingPaneTabbedContainer* m_pGroup = nullptr;
    CQorDockingPaneCaptionButton* m_pClose = nullptr;
    CPoint m_ptIn;
};

} // namespace

TEST_F(CaptionClick, OnlyAReleaseOverTheButtonExecutesIt)
{
    ASSERT_FALSE(m_pClose->GetRect().IsRectEmpty());
    HWND hGroup = m_pGroup->GetSafeHwnd();
    struct Row
    {
        const char* name;
        std::function<void()> post;
        BOOL bExpected;
    } rows[] = {
        {"release over it", [&] { ::PostMessageW(hGroup, WM_LBUTTONUP, 0, In()); }, TRUE},
        {"release outside",
         [&] {
             ::PostMessageW(hGroup, WM_MOUSEMOVE, MK_LBUTTON, Out());
             ::PostMessageW(hGroup, WM_LBUTTONUP, 0, Out());
         },
         FALSE},
        {"right button", [&] { ::PostMessageW(hGroup, WM_RBUTTONDOWN, MK_RBUTTON, In()); }, FALSE},
        {"escape", [&] { ::PostMessageW(hGroup, WM_KEYDOWN, VK_ESCAPE, 0); }, FALSE},
        {"cancel mode", [&] { ::PostMessageW(hGroup, WM_CANCELMODE, 0, 0); }, FALSE},
    };
    for (const Row& row : rows) {
        row.post();
        EXPECT_EQ(row.bExpected, m_pClose->Click(m_pGroup, m_ptIn)) << row.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << row.name;
        EXPECT_FALSE(m_pClose->IsPressed()) << row.name;
        testsupport::PumpMessages();
    }
}

TEST_F(CaptionClick, QuitEndsThePressAndStaysQueued)
{
    ::PostQuitMessage(4);
    EXPECT_FALSE(m_pClose->Click(m_pGroup, m_ptIn));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(4, static_cast<int>(msg.wParam));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(CaptionClick, APressWhileAnotherWindowHoldsTheCaptureIsRefused)
{
    ::SetCapture(m_pFrame->m_wndView.GetSafeHwnd());
    ::PostMessageW(m_pGroup->GetSafeHwnd(), WM_LBUTTONUP, 0, In());
    EXPECT_FALSE(m_pClose->Click(m_pGroup, m_ptIn));
    EXPECT_EQ(m_pFrame->m_wndView.GetSafeHwnd(), ::GetCapture());
    ::ReleaseCapture();
    testsupport::PumpMessages();
}

TEST_F(CaptionClick, DisabledActionsGreyTheCloseGlyphAndNeverTurnHot)
{
    // Unthemed, the native look draws Office captions whose buttons have no face at rest.
    QorSetThemeModeForTest(qorThemeOff);
    Manager().SetTheme(3);
    m_pGroup->GetSelected()->SetEnabled(qorPaneEnableClient);
    Canvas canvas(400, 400);
    m_pGroup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->GetSafeHdc()), PRF_CLIENT);
    CRect rc = m_pClose->GetRect();
    const COLORREF clrGrey = Manager().GetPaintManager()->GetXtremeColor(COLOR_GRAYTEXT);
    const COLORREF clrNormal = Manager().GetPaintManager()->GetXtremeColor(COLOR_BTNTEXT);
    ASSERT_FALSE(m_pGroup->IsActive());
    int nGrey = 0, nNormal = 0;
    for (int y = rc.top; y < rc.bottom; y++) {
        for (int x = rc.left; x < rc.right; x++) {
            COLORREF clr = ::GetPixel(canvas.DC()->GetSafeHdc(), x, y);
            nGrey += clr == clrGrey;
            nNormal += clr == clrNormal;
        }
    }
    QorSetThemeModeForTest(qorThemeReal);
    EXPECT_GT(nGrey, 0);
    EXPECT_EQ(0, nNormal) << "no pixel of the glyph's usual colour";
    EXPECT_FALSE(m_pClose->OnMouseMove(m_ptIn));
    EXPECT_FALSE(m_pClose->IsHot());
    m_pGroup->GetSelected()->SetEnabled(qorPaneEnableClient | qorPaneEnableActions);
    EXPECT_TRUE(m_pClose->OnMouseMove(m_ptIn));
    EXPECT_TRUE(m_pClose->IsHot());
}

namespace {

COLORREF DarkGradientEnd(int nIndex)
{
    return nIndex == COLOR_GRADIENTINACTIVECAPTION ? RGB(0x10, 0, 0) : ::GetSysColor(nIndex);
}

} // namespace

TEST_F(PaintManager, AVeryDarkSystemColourIsNotReadAsATableIndex)
{
    CQorColorManager* pColors = GetColorManager();
    pColors->m_pfnGetSysColor = &DarkGradientEnd;
    CQorDockingPaneOfficeTheme* pTheme = new CQorDockingPaneOfficeTheme();
    pTheme->RefreshMetrics();
    pColors->m_pfnGetSysColor = nullptr;
    pColors->RefreshColors();
    EXPECT_EQ(RGB(0x10, 0, 0), pTheme->m_clrNormalCaption.m_clrDark.GetColor());

    pTheme->m_bGradientCaption = TRUE;
    Canvas canvas;
    CQorDockingPaneBase* pGroup = Manager().CreateNode(qorDockingPaneTypeTabbed, Manager().GetLayout());
    pTheme->DrawCaptionBackground(canvas.DC(), pGroup, CRect(0, 0, 40, 10), FALSE, FALSE);
    COLORREF clrEnd = ::GetPixel(canvas.DC()->GetSafeHdc(), 39, 5);
    EXPECT_LE(GetRValue(clrEnd), 0x30);
    EXPECT_LE(GetGValue(clrEnd), 0x20) << "not the colour table's entry 16";
    pTheme->InternalRelease();
}
