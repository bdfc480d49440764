// The colour tables, their refresh, the visual-style detection and the colour arithmetic.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <vector>

#include "platform/framework/File.h"
#include "platform/framework/Wnd.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/ColorManager.h"

namespace {

// System colours as a skin or a high-contrast scheme might give them: Wine's own, with
// some replaced.
COLORREF g_overrides[30];
bool g_overridden[30];

COLORREF OverriddenSysColor(int index)
{
    return g_overridden[index] ? g_overrides[index] : GetSysColor(index);
}

class ColorManager : public testing::Test
{
protected:
    void SetUp() override
    {
        for (bool& b : g_overridden)
            b = false;
    }
    void TearDown() override
    {
        QorSetDisplayBitsPerPixelForTest(0);
        QorSetThemeNameSourceForTest(nullptr);
    }
    void Override(int index, COLORREF colour)
    {
        g_overrides[index] = colour;
        g_overridden[index] = true;
        manager.m_pfnGetSysColor = OverriddenSysColor;
    }
    CQorColorManager manager;
};

const wchar_t* g_themeFile = L"";
const wchar_t* g_themeColour = L"";

HRESULT InjectedThemeNames(LPWSTR file, LPWSTR colour, LPWSTR size)
{
    wcscpy(file, g_themeFile);
    wcscpy(colour, g_themeColour);
    wcscpy(size, L"NormalSize");
    return S_OK;
}

int Channel(COLORREF c, int i)
{
    return i == 0 ? GetRValue(c) : i == 1 ? GetGValue(c) : GetBValue(c);
}

double RequiredDistance(COLORREF reference, int amount)
{
    int lightness = static_cast<int>(std::sqrt(ColorDistance(reference, RGB(0, 0, 0))));
    return (2.0 - std::min(lightness, 220) / 220.0) * amount;
}

} // namespace

TEST(ColorArithmetic, BlendLookupAndCustomTable)
{
    const COLORREF a = RGB(200, 100, 0), b = RGB(0, 100, 200);
    struct Row
    {
        int percent;
        COLORREF expected;
    } rows[] = {
        {30, RGB(60, 100, 140)},  // 30 % of A
        {100, RGB(20, 100, 180)}, // the 1000 scale: 10 % of A
        {165, RGB(33, 100, 167)}, // 16.5 % of A
        {0, b},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, BlendColors(row.percent, a, b)) << row.percent;

    CQorColorManager* manager = GetColorManager();
    EXPECT_EQ(manager, GetColorManager());
    EXPECT_EQ(63u, manager->GetColor(63)) << "above 62 a colour is a COLORREF";
    EXPECT_EQ(manager->m_arrStandard[62], manager->GetColor(62));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), manager->GetColor(COLOR_WINDOW));
    manager->SetCustomColor(5, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), manager->GetColor(5));
    EXPECT_EQ(RGB(1, 2, 3), manager->GetCustomColor(5));
    manager->SetCustomColor(5, QOR_COLOR_UNSET);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), manager->GetColor(5));
    EXPECT_EQ(QOR_COLOR_UNSET, manager->GetCustomColor(63));
}

TEST(ColorArithmetic, ContrastCorrectionsStayInRangeAndReachTheAskedDistance)
{
    std::vector<COLORREF> grid;
    for (int r = 0; r <= 255; r += 51)
        for (int g = 0; g <= 255; g += 51)
            for (int b = 0; b <= 255; b += 51)
                grid.push_back(RGB(r, g, b));
    int checked = 0;
    for (COLORREF reference : grid) {
        for (COLORREF colour : grid) {
            for (int amount : {30, 100, 180}) {
                double r = RequiredDistance(reference, amount);
                COLORREF ray = AdjustContrastAlongRay(colour, reference, amount);
                ASSERT_EQ(0u, ray >> 24) << std::hex << colour << " " << reference;
                bool onBoundary = false;
                for (int i = 0; i < 3; i++)
                    onBoundary = onBoundary || Channel(ray, i) == 0 || Channel(ray, i) == 255;
                // The ray ends at distance r from the reference, or as near as the ray comes,
                // unless the colour cube cut it short.
                if (!onBoundary) {
                    ASSERT_GE(std::sqrt(ColorDistance(ray, reference)), r - 1.0)
                        << std::hex << colour << " " << reference << std::dec << " " << amount;
                    checked++;
                }
                COLORREF towards = AdjustContrastTowards(colour, reference, amount);
                ASSERT_EQ(0u, towards >> 24);
                if (colour == reference) {
                    ASSERT_EQ(colour, towards) << "no distance: nothing to move";
                } else if (std::sqrt(ColorDistance(colour, reference)) > r) {
                    ASSERT_NEAR(r, std::sqrt(ColorDistance(towards, reference)), 1.0)
                        << std::hex << colour << " " << reference;
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
    // A ray that reaches the asked distance inside the cube ends on it.
    COLORREF grey = AdjustContrastAlongRay(RGB(120, 120, 120), RGB(128, 128, 128), 100);
    EXPECT_NEAR(RequiredDistance(RGB(128, 128, 128), 100), std::sqrt(ColorDistance(grey, RGB(128, 128, 128))), 1.0);
    EXPECT_TRUE(IsContrastEnough(RGB(0, 0, 0), RGB(255, 255, 255), 100));
    EXPECT_FALSE(IsContrastEnough(RGB(0, 0, 0), RGB(50, 50, 50), 50)) << "black asks double: 100";
    EXPECT_TRUE(IsContrastEnough(RGB(255, 255, 255), RGB(180, 180, 180), 50));
}

TEST_F(ColorManager, BlackShadowAndBlackFaceGiveSoundDerivedColours)
{
    Override(COLOR_3DSHADOW, RGB(0, 0, 0));
    manager.RefreshColors();
    EXPECT_EQ(RGB(0, 0, 0), manager.GetColor(49)) << "black shadow stays black";

    Override(COLOR_3DFACE, RGB(0, 0, 0));
    manager.RefreshColors();
    EXPECT_EQ(RGB(0x23, 0x23, 0x23), manager.GetColor(48));
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), manager.GetColor(49));

    Override(COLOR_3DFACE, RGB(100, 200, 50));
    Override(COLOR_3DSHADOW, RGB(100, 50, 0));
    manager.RefreshColors();
    EXPECT_EQ(RGB(100 * 235 / 200, 235, 50 * 235 / 200), manager.GetColor(48));
    EXPECT_EQ(RGB(57, 50 * 57 / 100, 0), manager.GetColor(49));
    EXPECT_EQ(RGB(115, 215, 65), manager.GetColor(22));
}

TEST_F(ColorManager, InjectedThemeNamesSelectTheStyleAndItsThemeColours)
{
    QorSetThemeNameSourceForTest(InjectedThemeNames);
    struct Row
    {
        const char* name;
        const wchar_t* file;
        const wchar_t* colour;
        BOOL detect;
        int style;
        COLORREF theme38, theme59;
    } rows[] = {
        {"luna blue", L"C:\\WINDOWS\\resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", TRUE, 1, 0x764127,
         0x361E16},
        {"luna olive", L"c:\\luna.msstyles", L"HomeStead", TRUE, 2, 0x335E51, 0x19221F},
        {"luna silver", L"c:\\winxp.luna.vmstyles", L"Metallic", TRUE, 3, 0x755454, 0x292024},
        {"royale", L"c:\\Royale.msstyles", L"NormalColor", TRUE, 4, 0x764127, 0x361E16},
        {"royale undetected", L"c:\\Royale.msstyles", L"NormalColor", FALSE, 0, QOR_COLOR_UNSET, QOR_COLOR_UNSET},
        {"aero", L"c:\\Aero\\aero.msstyles", L"NormalColor", TRUE, 5, 0x764127, 0x361E16},
        {"aero undetected", L"c:\\Aero\\aero.msstyles", L"NormalColor", FALSE, 0, QOR_COLOR_UNSET, QOR_COLOR_UNSET},
        {"wine's own", L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", TRUE, 0, QOR_COLOR_UNSET,
         QOR_COLOR_UNSET},
    };
    for (const Row& row : rows) {
        g_themeFile = row.file;
        g_themeColour = row.colour;
        manager.m_bDetectRoyale = manager.m_bDetectAero = row.detect;
        manager.RefreshColors();
        EXPECT_EQ(row.style, manager.GetCurrentVisualStyle()) << row.name;
        EXPECT_EQ(row.theme38, manager.GetThemeColor(38)) << row.name;
        EXPECT_EQ(row.theme59, manager.GetThemeColor(59)) << row.name;
    }
    g_themeFile = rows[1].file;
    g_themeColour = rows[1].colour;
    manager.m_bClassicColorsOnly = TRUE;
    manager.RefreshColors();
    EXPECT_EQ(QOR_COLOR_UNSET, manager.GetThemeColor(38)) << "classic colours only";
    EXPECT_EQ(QOR_COLOR_UNSET, manager.GetThemeColor(47));
}

TEST_F(ColorManager, WineShowsNoKnownStyleAndReadsTheTreeViewBorder)
{
    manager.RefreshColors();
    EXPECT_EQ(0, manager.DetectVisualStyle());
    const COLORREF clrBorder = foundationtest::SystemTreeViewBorder();
    ASSERT_NE(static_cast<COLORREF>(-1), clrBorder) << "the visual-style library answers a tree-view border";
    EXPECT_EQ(clrBorder, manager.m_clrTreeViewBorder);
    // Classic gradients: the second is the face colour towards a lighter blend.
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), manager.m_grcThemeGradient[1].m_clrLight.GetColor());
}

TEST_F(ColorManager, PaletteDisplayKeepsTheDefaultsAndSolidGradients)
{
    QorSetDisplayBitsPerPixelForTest(8);
    QorSetThemeNameSourceForTest(InjectedThemeNames);
    g_themeFile = L"c:\\luna.msstyles";
    g_themeColour = L"NormalColor";
    manager.RefreshColors();
    EXPECT_EQ(0, manager.GetCurrentVisualStyle()) << "no styles on a palette display";
    struct Row
    {
        int index, source;
    } rows[] = {{30, 15}, {31, 5},  {33, 13}, {35, 17}, {36, 5},  {40, 16}, {44, 8}, {45, 7},
                {46, 18}, {47, 14}, {48, 16}, {49, 14}, {53, 15}, {58, 17}, {61, 16}};
    for (const Row& row : rows)
        EXPECT_EQ(GetSysColor(row.source), manager.GetColor(row.index)) << row.index;
    EXPECT_EQ(RGB(0, 0, 0), manager.GetColor(59));
    for (int gradient : {1, 3}) {
        EXPECT_EQ(GetSysColor(COLOR_3DFACE), manager.m_grcThemeGradient[gradient].m_clrLight.GetColor());
        EXPECT_EQ(GetSysColor(COLOR_3DFACE), manager.m_grcThemeGradient[gradient].m_clrDark.GetColor());
    }
}

TEST(PaintManagerColor, SerializeWritesStandardCustomAndFactorBytes)
{
    CQorPaintManagerColorGradient gradient;
    gradient.SetStandardValue(RGB(1, 2, 3), RGB(4, 5, 6), 0.75f);
    gradient.m_clrDark.SetCustomValue(RGB(7, 8, 9));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        gradient.Serialize(ar);
        ar.Close();
    }
    const unsigned char expected[] = {1, 2, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 5, 6, 0, 7, 8, 9, 0, 0, 0, 0x40, 0x3F};
    ASSERT_EQ(sizeof(expected), file.GetLength());
    file.SeekToBegin();
    unsigned char bytes[sizeof(expected)] = {};
    file.Read(bytes, sizeof(bytes));
    EXPECT_EQ(0, memcmp(expected, bytes, sizeof(expected)));

    file.SeekToBegin();
    CQorPaintManagerColorGradient loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(RGB(1, 2, 3), loaded.m_clrLight.GetColor());
    EXPECT_EQ(RGB(7, 8, 9), loaded.m_clrDark.GetColor());
    EXPECT_EQ(RGB(4, 5, 6), loaded.m_clrDark.m_clrStandardValue);
    EXPECT_EQ(0.75f, loaded.m_fGradientFactor);
}

TEST(WindowRects, SafeRectsOfAMissingWindowAreEmpty)
{
    RECT rc = {1, 2, 3, 4};
    GetWindowRectSafe(nullptr, rc);
    EXPECT_TRUE(IsRectEmpty(&rc) && rc.left == 0 && rc.top == 0);
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 20, 110, 70, nullptr, nullptr, nullptr, nullptr);
    CWnd wnd(hwnd);
    GetWindowRectSafe(&wnd, rc);
    EXPECT_EQ(CRect(10, 20, 120, 90), CRect(rc));
    GetClientRectSafe(&wnd, rc);
    EXPECT_EQ(CRect(0, 0, 110, 70), CRect(rc));
    DestroyWindow(hwnd);
    GetClientRectSafe(&wnd, rc);
    EXPECT_EQ(CRect(0, 0, 0, 0), CRect(rc));
}
