// The visual-styles wrapper, with UXTHEME real, switched off and missing.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/WinThemeWrapper.h"

namespace {

class ThemeMode : public testing::Test
{
protected:
    void TearDown() override { QorSetThemeModeForTest(qorThemeReal); }
};

} // namespace

TEST_F(ThemeMode, RealUxThemeOpensTheTreeViewClassAndReadsItsBorderColour)
{
    for (BOOL rebind : {FALSE, TRUE}) {
        CQorWinThemeWrapper theme(rebind);
        EXPECT_TRUE(theme.IsThemeActive());
        EXPECT_FALSE(theme.IsAppThemed()) << "no handle yet";
        theme.OpenThemeData(nullptr, L"TREEVIEW");
        ASSERT_NE(nullptr, theme.GetHandle());
        EXPECT_TRUE(theme.IsAppThemed());
        COLORREF border = 0;
        EXPECT_EQ(S_OK, theme.GetThemeColor(0, 0, 3801, &border));
        EXPECT_EQ(foundationtest::SystemTreeViewBorder(), border) << "what the library answers by itself";
        wchar_t file[MAX_PATH] = {}, colour[MAX_PATH] = {}, size[MAX_PATH] = {};
        EXPECT_EQ(S_OK, theme.GetCurrentThemeName(file, colour, size));
        EXPECT_NE(nullptr, wcsstr(file, L".msstyles"));
        theme.OpenThemeData(nullptr, L"BUTTON"); // the tree-view handle is closed first
        EXPECT_NE(nullptr, theme.GetHandle());
        theme.CloseThemeData();
        EXPECT_EQ(nullptr, theme.GetHandle());
    }
}

TEST_F(ThemeMode, ThemesOffOrLibraryMissingFailEveryCallAndHoldNoHandle)
{
    for (QorThemeMode mode : {qorThemeOff, qorThemeMissing}) {
        QorSetThemeModeForTest(mode);
        CQorWinThemeWrapper theme;
        theme.OpenThemeData(nullptr, L"TREEVIEW");
        EXPECT_EQ(nullptr, theme.GetHandle()) << mode;
        EXPECT_FALSE(theme.IsThemeActive()) << mode;
        EXPECT_FALSE(theme.IsAppThemed()) << mode;
        COLORREF colour = 0x123456;
        EXPECT_EQ(E_FAIL, theme.GetThemeColor(0, 0, 3801, &colour)) << mode;
        EXPECT_EQ(0x123456u, colour);
        RECT rc = {0, 0, 10, 10};
        HDC dc = CreateCompatibleDC(nullptr);
        EXPECT_EQ(E_FAIL, theme.DrawThemeBackground(dc, 1, 1, &rc)) << mode;
        DeleteDC(dc);
        EXPECT_EQ(0, theme.CloseThemeData()) << mode;
    }
    QorSetThemeModeForTest(qorThemeMissing);
    CQorWinThemeWrapper theme;
    wchar_t file[MAX_PATH] = {}, colour[MAX_PATH] = {}, size[MAX_PATH] = {};
    EXPECT_EQ(E_FAIL, theme.GetCurrentThemeName(file, colour, size));
    EXPECT_FALSE(theme.GetThemeSysBool());
}
