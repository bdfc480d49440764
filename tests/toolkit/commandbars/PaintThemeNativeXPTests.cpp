// The native XP theme: tool-bar button states through the recording wrapper, flat-menu popup
// items, and the Default drawing it falls back to when visual styles are off.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/PaintThemes.h"

using foundationtest::Canvas;
using painttest::MakeTheme;
using painttest::PaintManagerPtr;
using QorPaintThemes::CQorNativeXPTheme;

namespace {
const int kToolBar = 1;
const int kPopupBar = 2;
const COLORREF kPaper = RGB(1, 2, 3);
} // namespace

TEST(PaintThemeNativeXP, ToolBarEntriesAskTheButtonStateOfTheControl)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP);
    auto* pXP = static_cast<CQorNativeXPTheme*>(pTheme.get());
    ASSERT_TRUE(pXP->IsThemeUsable());
    struct Row
    {
        const char* name;
        BOOL bEnabled;
        int nChecked;
        int nPressed;
        BOOL bSelected, bPopuped;
        int nState;
    } rows[] = {
        {"normal", TRUE, 0, 0, FALSE, FALSE, 1},
        {"hot", TRUE, 0, 0, TRUE, FALSE, 2},
        {"hot and pressed", TRUE, 0, 1, TRUE, FALSE, 3},
        {"pressed, not hot", TRUE, 0, 1, FALSE, FALSE, 1},
        {"pressed 2", TRUE, 0, 2, FALSE, FALSE, 3},
        {"pressed 3", TRUE, 0, 3, FALSE, FALSE, 3},
        {"popped up", TRUE, 0, 0, FALSE, TRUE, 3},
        {"checked", TRUE, 1, 0, FALSE, FALSE, 5},
        {"checked and hot", TRUE, 1, 0, TRUE, FALSE, 6},
        {"checked, hot and pressed", TRUE, 1, 1, TRUE, FALSE, 3},
        {"checked and popped up", TRUE, 1, 0, FALSE, TRUE, 3},
        {"indeterminate counts as unchecked", TRUE, 2, 0, FALSE, FALSE, 1},
        {"indeterminate and hot", TRUE, 2, 0, TRUE, FALSE, 2},
        {"disabled", FALSE, 0, 0, TRUE, FALSE, 4},
        {"disabled and popped up", FALSE, 0, 0, FALSE, TRUE, 4},
        {"disabled and checked", FALSE, 1, 0, FALSE, FALSE, 3},
        {"disabled, checked and pressed", FALSE, 1, 3, TRUE, FALSE, 3},
    };
    painttest::ThemePartLog log;
    Canvas canvas(30, 24, kPaper);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        log.Clear();
        pTheme->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 24), row.bSelected, row.nPressed, row.bEnabled,
                                 row.nChecked, row.bPopuped, kToolBar, 0);
        ASSERT_EQ(1u, log.Get().size());
        EXPECT_EQ(L"TOOLBAR", log.Get()[0].strClass);
        EXPECT_EQ(1, log.Get()[0].nPart);
        EXPECT_EQ(row.nState, log.Get()[0].nState);
    }
    // Checked popup items are tool-bar buttons too; the others draw no style part.
    log.Clear();
    pTheme->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 24), FALSE, 0, TRUE, TRUE, FALSE, kPopupBar, 5);
    ASSERT_EQ(1u, log.Get().size());
    EXPECT_EQ(5, log.Get()[0].nState);
    log.Clear();
    pTheme->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 24), TRUE, 0, TRUE, FALSE, FALSE, kPopupBar, 5);
    EXPECT_TRUE(log.Get().empty());
    // Combo drop-down buttons: normal, hot, pressed.
    for (int nState = 1; nState <= 3; ++nState) {
        log.Clear();
        pTheme->DrawComboDropButton(canvas.Dc(), CRect(0, 0, 16, 20), nState >= 2, nState == 3);
        ASSERT_EQ(1u, log.Get().size());
        EXPECT_EQ(L"COMBOBOX", log.Get()[0].strClass);
        EXPECT_EQ(1, log.Get()[0].nPart);
        EXPECT_EQ(nState, log.Get()[0].nState);
    }
}

TEST(PaintThemeNativeXP, SelectedPopupItemsAreFilledWithTheMenuHighlightAndFramedInTheHighlight)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP);
    auto* pXP = static_cast<CQorNativeXPTheme*>(pTheme.get());
    ASSERT_TRUE(pXP->m_bFlatMenus); // this system reports flat menus
    EXPECT_EQ(pTheme->GetColor(13), pTheme->GetColor(29));
    {
        Canvas canvas(30, 20, kPaper);
        pTheme->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kPopupBar, 5);
        EXPECT_EQ(pTheme->GetColor(13), canvas.Pixel(0, 0));
        EXPECT_EQ(pTheme->GetColor(13), canvas.Pixel(29, 19));
        EXPECT_EQ(pTheme->GetColor(13), canvas.Pixel(15, 10));
    }
    // The fill is colour 29 and the frame colour 13, whatever they hold.
    pTheme->m_arrColor[29].SetCustomValue(RGB(250, 240, 230));
    Canvas canvas(30, 20, kPaper);
    pTheme->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 20), FALSE, TRUE, TRUE, FALSE, FALSE, kPopupBar, 5);
    EXPECT_EQ(pTheme->GetColor(13), canvas.Pixel(0, 10));
    EXPECT_EQ(RGB(250, 240, 230), canvas.Pixel(15, 10));
    // An item that is neither selected nor pressed is left alone.
    Canvas untouched(30, 20, kPaper);
    pTheme->DrawControlEntry(untouched.Dc(), CRect(0, 0, 30, 20), FALSE, FALSE, TRUE, FALSE, FALSE, kPopupBar, 5);
    EXPECT_EQ(0, untouched.CountOther(kPaper, 30, 20));
}

TEST(PaintThemeNativeXP, WithThemesOffItDrawsLikeTheDefaultThemeButForThePopupText)
{
    PaintManagerPtr pXP = MakeTheme(qorPaintThemeNativeXP, false);
    PaintManagerPtr pDefault = MakeTheme(qorPaintThemeDefault, false);
    const QorThemeMode mode = QorGetThemeMode();
    QorSetThemeModeForTest(qorThemeOff);
    EXPECT_FALSE(static_cast<CQorNativeXPTheme*>(pXP.get())->IsThemeUsable());

    // Every entry state on a tool bar and a popup, the symbols, the edit and combo parts and the
    // status gripper, side by side in two DIBs.
    auto drawAll = [](CQorPaintManager* p, CDC* pDC) {
        int x = 0;
        for (int nBarType : {kToolBar, kPopupBar})
            for (int nState = 0; nState < 32; ++nState, x += 24)
                p->DrawControlEntry(pDC, CRect(x, 0, x + 22, 22), nState & 1, (nState >> 1) & 1, (nState >> 2) & 1,
                                    (nState >> 3) & 1, (nState >> 4) & 1, nBarType, 0);
        for (int nChecked = 0; nChecked < 3; ++nChecked) {
            p->DrawCheckBoxSymbol(pDC, CRect(nChecked * 16, 30, nChecked * 16 + 13, 43), TRUE, TRUE, nChecked, 0, 0);
            p->DrawRadioButtonSymbol(pDC, CRect(nChecked * 16, 50, nChecked * 16 + 13, 63), TRUE, TRUE, nChecked, 0, 0);
        }
        p->DrawEditFrame(pDC, CRect(60, 30, 120, 50), TRUE, TRUE, 0);
        p->DrawEditFrame(pDC, CRect(130, 30, 190, 50), TRUE, FALSE, 0);
        p->DrawComboDropButton(pDC, CRect(200, 30, 216, 50), TRUE, TRUE);
        p->DrawComboDropButton(pDC, CRect(220, 30, 236, 50), FALSE, FALSE);
        p->DrawStatusBarGripper(pDC, CRect(240, 30, 280, 60));
        p->FillCaptionBar(pDC, CRect(300, 30, 340, 40), TRUE, TRUE);
        p->DrawPopupGrippers(pDC, CRect(300, 40, 360, 70), 2);
    };
    Canvas xp(1600, 80, kPaper), classic(1600, 80, kPaper);
    drawAll(pXP.get(), xp.Dc());
    drawAll(pDefault.get(), classic.Dc());
    QorSetThemeModeForTest(mode);
    int nDifferent = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 1600; ++x)
            nDifferent += xp.Pixel(x, y) != classic.Pixel(x, y) ? 1 : 0;
    EXPECT_EQ(0, nDifferent);

    EXPECT_EQ(pXP->GetColor(7), pXP->GetControlTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kPopupBar, 1));
    EXPECT_EQ(pDefault->GetColor(18), pDefault->GetControlTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kPopupBar, 1));
    // The rest of the text colours agree.
    for (int nBarType : {kToolBar, kPopupBar}) {
        for (int nState = 0; nState < 4; ++nState) {
            if (nBarType == kPopupBar && nState == 1)
                continue; // enabled, not selected: the popup text
            EXPECT_EQ(pDefault->GetControlTextColor(nState & 2, 0, nState & 1, 0, 0, nBarType, 1),
                      pXP->GetControlTextColor(nState & 2, 0, nState & 1, 0, 0, nBarType, 1))
                << nBarType << "/" << nState;
        }
    }
}

TEST(PaintThemeNativeXP, RefreshReadsTheStylesColours)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP);
    auto* pXP = static_cast<CQorNativeXPTheme*>(pTheme.get());
    EXPECT_EQ(RGB(0xBD, 0xBD, 0xBD), pXP->m_clrEdgeShadowColor); // from the REBAR style
    // Themes off: the classic colours stand in.
    PaintManagerPtr pClassic = MakeTheme(qorPaintThemeNativeXP, false);
    auto* pClassicXP = static_cast<CQorNativeXPTheme*>(pClassic.get());
    EXPECT_EQ(pClassic->GetColor(16), pClassicXP->m_clrEdgeShadowColor);
    EXPECT_EQ(pClassic->GetColor(20), pClassicXP->m_clrEdgeHighLightColor);
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), pClassic->GetColor(18));
    // The status text colour stays colour 18: this style has none.
    EXPECT_EQ(pTheme->GetColor(18), pTheme->m_clrStatusTextColor);
}
