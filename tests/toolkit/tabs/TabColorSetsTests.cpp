// The colour sets: the kinds SetColor makes, installing an outside set, the tab and text
// colours they give, and the WinXP set without visual styles.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <typeinfo>
#include <vector>

#include "platform/framework/Gdi.h"
#include "tests/toolkit/tabs/TabTestRow.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/WinThemeWrapper.h"
#include "toolkit/tabs/TabColorSets.h"

using tabstest::CTestTabRow;

namespace {

typedef CQorTabPaintManager Painter;

// A panel colour set as an owner derives it: its own navigate-button faces, and a count of
// destructions to show the painter deletes the set it replaces.
class CPanelColorSet : public Painter::CColorSetVisualStudio
{
public:
    explicit CPanelColorSet(int* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~CPanelColorSet() override { ++*m_pDestroyed; }
    void RefreshMetrics() override
    {
        CColorSetVisualStudio::RefreshMetrics();
        m_clrNavigateButton.SetStandardValue(RGB(10, 20, 30));
        m_clrNavigateButtonPressed.SetStandardValue(RGB(40, 50, 60));
    }
    int* m_pDestroyed;
};

// A 1 x 1 32-bit canvas whose one pixel a fill is read back from.
COLORREF FillAndRead(const std::function<void(CDC*, const CRect&)>& fill)
{
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 4, 4);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    CDC dc;
    dc.Attach(hMem);
    fill(&dc, CRect(0, 0, 4, 4));
    COLORREF clr = GetPixel(hMem, 1, 1);
    dc.Detach();
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return clr;
}

} // namespace

TEST(TabColorSets, SetColorMakesTheKindAndRelaysOutEveryRow)
{
    struct
    {
        const char* name;
        int nKind;
        const std::type_info& type;
        int nStoredKind;
    } cases[] = {
        {"Default", 1, typeid(Painter::CColorSetDefault), 1},
        {"VisualStudio", 2, typeid(Painter::CColorSetVisualStudio), 2},
        {"unlisted 3", 3, typeid(Painter::CColorSetDefault), 1},
        {"Office2003", 4, typeid(Painter::CColorSetOffice2003), 4},
        {"WinXP", 8, typeid(Painter::CColorSetWinXP), 8},
        {"Whidbey", 16, typeid(Painter::CColorSetWhidbey), 16},
        {"Office2007", 32, typeid(Painter::CColorSetOffice2007), 32},
        {"zero", 0, typeid(Painter::CColorSetDefault), 1},
        {"unlisted 99", 99, typeid(Painter::CColorSetDefault), 1},
    };
    Painter painter;
    CTestTabRow first(&painter), second(&painter);
    EXPECT_EQ(typeid(Painter::CColorSetDefault), typeid(*painter.GetColorSet())) << "as constructed";
    for (const auto& c : cases) {
        const int nFirst = first.m_nRepositions, nSecond = second.m_nRepositions;
        painter.SetColor(c.nKind);
        ASSERT_NE(nullptr, painter.GetColorSet()) << c.name;
        EXPECT_EQ(c.type, typeid(*painter.GetColorSet())) << c.name;
        EXPECT_EQ(c.nStoredKind, painter.GetColorSetKind()) << c.name;
        EXPECT_EQ(&painter, painter.GetColorSet()->m_pPaintManager) << c.name;
        EXPECT_NE(QOR_COLOR_UNSET, painter.GetColorSet()->m_clrNormalFace.GetColor()) << c.name << ": filled";
        EXPECT_EQ(nFirst + 1, first.m_nRepositions) << c.name;
        EXPECT_EQ(nSecond + 1, second.m_nRepositions) << c.name;
    }
}

TEST(TabColorSets, AnInstalledSetIsOwnedBoundAndFilled)
{
    int nDestroyed = 0;
    {
        Painter painter;
        CTestTabRow row(&painter);
        const int nBefore = row.m_nRepositions;
        CPanelColorSet* pFirst = new CPanelColorSet(&nDestroyed);
        painter.SetColorSet(pFirst);
        EXPECT_EQ(nBefore + 1, row.m_nRepositions);
        EXPECT_EQ(&painter, pFirst->m_pPaintManager);
        EXPECT_EQ(RGB(10, 20, 30), pFirst->m_clrNavigateButton.GetColor());
        EXPECT_EQ(RGB(40, 50, 60), pFirst->m_clrNavigateButtonPressed.GetColor());
        painter.SetColorSet(new CPanelColorSet(&nDestroyed));
        EXPECT_EQ(1, nDestroyed) << "the replaced set is deleted";
    }
    EXPECT_EQ(2, nDestroyed) << "the painter deletes its set";
}

TEST(TabColorSets, ColourCodedTabsFillSelectedFaceAndClientWithTheTabsColour)
{
    Painter painter;
    CTestTabRow row(&painter);
    row.AddTabs(3);
    row.SetSelectedItem(row.GetItem(1));
    Painter::CColorSet* pSet = painter.GetColorSet();
    EXPECT_EQ(pSet->m_clrSelectedFace.GetColor(), pSet->GetTabColor(row.GetItem(1)));
    EXPECT_EQ(pSet->m_clrNormalFace.GetColor(), pSet->GetTabColor(row.GetItem(0)));

    painter.m_bColorCodedTabs = TRUE;
    const COLORREF clrSecond = CQorTabManager::GetTabItemColor(1);
    EXPECT_EQ(clrSecond, pSet->GetTabColor(row.GetItem(1)));
    EXPECT_EQ(clrSecond, FillAndRead([&](CDC* pDC, const CRect& rc) { pSet->FillClient(pDC, rc, &row); }));
    EXPECT_EQ(clrSecond, FillAndRead([&](CDC* pDC, const CRect& rc) { pSet->FillTab(pDC, rc, row.GetItem(1)); }));
    row.GetItem(2)->SetColor(RGB(200, 10, 20)); // an owner's own colour
    EXPECT_EQ(RGB(200, 10, 20), pSet->GetTabColor(row.GetItem(2)));
}

TEST(TabColorSets, TextColourFollowsTheTabsStateAndTheRowsActivity)
{
    Painter painter;
    CTestTabRow row(&painter);
    row.AddTabs(3);
    row.SetSelectedItem(row.GetItem(0));
    row.SetHotItem(row.GetItem(1));
    row.GetItem(2)->SetEnabled(FALSE);
    Painter::CColorSet* pSet = painter.GetColorSet();
    // Distinct colours, so that each row of the table names one source.
    pSet->m_clrNormalText.SetCustomValue(RGB(1, 0, 0));
    pSet->m_clrSelectedText.SetCustomValue(RGB(2, 0, 0));
    pSet->m_clrHighlightText.SetCustomValue(RGB(3, 0, 0));
    pSet->m_clrDisabledText.SetCustomValue(RGB(4, 0, 0));
    pSet->m_clrInactiveText.SetCustomValue(RGB(5, 0, 0));
    struct
    {
        const char* name;
        int nTab;
        BOOL bActive;
        COLORREF clr;
    } cases[] = {
        {"selected", 0, TRUE, RGB(2, 0, 0)},
        {"hot", 1, TRUE, RGB(3, 0, 0)},
        {"disabled", 2, TRUE, RGB(4, 0, 0)},
        {"selected, inactive row", 0, FALSE, RGB(5, 0, 0)},
        {"disabled, inactive row", 2, FALSE, RGB(4, 0, 0)},
    };
    HDC hDC = CreateCompatibleDC(nullptr);
    CDC dc;
    dc.Attach(hDC);
    for (const auto& c : cases) {
        row.SetActive(c.bActive);
        pSet->SetTabTextColor(&dc, row.GetItem(c.nTab));
        EXPECT_EQ(c.clr, GetTextColor(hDC)) << c.name;
    }
    row.SetActive(TRUE);
    row.SetHotItem(nullptr);
    pSet->SetTabTextColor(&dc, row.GetItem(1));
    EXPECT_EQ(RGB(1, 0, 0), GetTextColor(hDC)) << "normal";
    dc.Detach();
    DeleteDC(hDC);
}

TEST(TabColorSets, WinXPWithoutVisualStylesHasTheDefaultColours)
{
    QorSetThemeModeForTest(qorThemeOff);
    Painter xp, plain;
    xp.SetColor(qorTabColorWinXP);
    auto* pXP = static_cast<Painter::CColorSetWinXP*>(xp.GetColorSet());
    Painter::CColorSet* pDefault = plain.GetColorSet();
    EXPECT_FALSE(pXP->IsThemed());
    EXPECT_EQ(pDefault->m_clrHeaderFace.m_clrLight.GetColor(), pXP->m_clrHeaderFace.m_clrLight.GetColor());
    EXPECT_EQ(pDefault->m_clrHeaderFace.m_clrDark.GetColor(), pXP->m_clrHeaderFace.m_clrDark.GetColor());
    EXPECT_EQ(pDefault->m_clrNormalFace.GetColor(), pXP->m_clrNormalFace.GetColor());
    EXPECT_EQ(pDefault->m_clrSeparator.GetColor(), pXP->m_clrSeparator.GetColor());
    QorSetThemeModeForTest(qorThemeReal);

    // Themed (Wine's light style): the TAB and TOOLBAR classes open.
    xp.SetColor(qorTabColorWinXP);
    EXPECT_TRUE(static_cast<Painter::CColorSetWinXP*>(xp.GetColorSet())->IsThemed());
}

namespace {

// The pixels of a drawing into a top-down 32-bit bitmap of cx x cy.
std::vector<DWORD> Pixels(int cx, int cy, const std::function<void(CDC*)>& draw)
{
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIB32(nullptr, cx, -cy, &pBits);
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    CDC dc;
    dc.Attach(hDC);
    dc.FillSolidRect(0, 0, cx, cy, RGB(1, 2, 3));
    draw(&dc);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(pBits);
    std::vector<DWORD> pixels(p, p + cx * cy);
    dc.Detach();
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    DeleteObject(hBitmap);
    return pixels;
}

} // namespace

TEST(TabColorSets, WinXPWithoutVisualStylesDrawsLikeTheDefaultSet)
{
    QorSetThemeModeForTest(qorThemeOff);
    std::vector<DWORD> drawn[2];
    const int kinds[2] = {qorTabColorDefault, qorTabColorWinXP};
    for (int k = 0; k < 2; ++k) {
        Painter painter;
        painter.SetColor(kinds[k]);
        tabstest::CPaintedRow row(&painter);
        row.m_rcLayout = CRect(0, 0, 200, 80);
        row.AddCaptions({L"One", L"Two", L"Three"});
        row.SetSelectedItem(row.GetItem(1));
        drawn[k] = Pixels(200, 80, [&](CDC* pDC) { painter.DrawTabControl(pDC, &row, row.m_rcLayout); });
    }
    QorSetThemeModeForTest(qorThemeReal);
    EXPECT_TRUE(drawn[0] == drawn[1]);
}

TEST(TabColorSets, ThemedTabsOfOtherRowsAreTheTopTabTurned)
{
    Painter painter;
    painter.SetColor(qorTabColorWinXP);
    auto* pXP = static_cast<Painter::CColorSetWinXP*>(painter.GetColorSet());
    ASSERT_TRUE(pXP->IsThemed());
    CTestTabRow row(&painter);
    row.AddTabs(3);
    row.SetSelectedItem(row.GetItem(0));
    CQorTabManagerItem* pTab = row.GetItem(1); // a middle tab, not selected: the plain tab part
    const int W = 40, H = 20;
    auto drawAt = [&](QorTabPosition position, int cx, int cy) {
        painter.m_position = position;
        return Pixels(cx, cy, [&](CDC* pDC) { pXP->FillTab(pDC, CRect(0, 0, cx, cy), pTab); });
    };
    const std::vector<DWORD> top = drawAt(qorTabPositionTop, W, H);
    const std::vector<DWORD> bottom = drawAt(qorTabPositionBottom, W, H);
    const std::vector<DWORD> left = drawAt(qorTabPositionLeft, H, W);
    const std::vector<DWORD> right = drawAt(qorTabPositionRight, H, W);
    ASSERT_FALSE(top == std::vector<DWORD>(top.size(), top[0])) << "the theme drew something";
    int nMirror = 0, nTranspose = 0, nRight = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const DWORD t = top[static_cast<size_t>(y * W + x)];
            nMirror += bottom[static_cast<size_t>((H - 1 - y) * W + x)] != t;
            nTranspose += left[static_cast<size_t>(x * H + y)] != t;
            nRight += right[static_cast<size_t>(x * H + (H - 1 - y))] != t;
        }
    }
    EXPECT_EQ(0, nMirror) << "a bottom tab is the top tab upside down";
    EXPECT_EQ(0, nTranspose) << "a left tab is the top tab transposed";
    EXPECT_EQ(0, nRight) << "a right tab is the top tab transposed and reversed";
}
