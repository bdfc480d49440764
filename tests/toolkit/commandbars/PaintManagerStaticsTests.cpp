// The standard colour palette and its names, which follow the language module.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/WinApp.h"
#include "tests/common/WineTestSupport.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/PaintManagerStatics.h"
#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/foundation/Statics.h"

TEST(PaintManagerStatics, PaletteHasFortyColoursFromBlackToWhite)
{
    QorCommandBarsStartup();
    EXPECT_EQ(nullptr, QorGetStandardColor(-1));
    EXPECT_EQ(nullptr, QorGetStandardColor(40));
    struct Row
    {
        int nIndex;
        COLORREF clr;
        const wchar_t* name;
    } rows[] = {
        {0, 0x000000, L"Black"},     {1, 0x003399, L"Brown"},     {7, 0x333333, L"Gray-80%"},
        {9, 0x0066FF, L"Orange"},    {13, 0xFF0000, L"Blue"},     {16, 0x0000FF, L"Red"},
        {31, 0xC0C0C0, L"Gray-25%"}, {38, 0xFF99CC, L"Lavender"}, {39, 0xFFFFFF, L"White"},
    };
    for (const Row& row : rows) {
        const QOR_STANDARD_COLOR* pEntry = QorGetStandardColor(row.nIndex);
        ASSERT_NE(nullptr, pEntry);
        EXPECT_EQ(row.clr, pEntry->clr) << row.nIndex;
        EXPECT_EQ(static_cast<UINT>(QOR_IDS_CLR_BLACK + row.nIndex), pEntry->nIDString);
        EXPECT_EQ(row.name, QorGetStandardColorName(row.nIndex)) << row.nIndex;
    }
    // Orange as a COLORREF: red 0xFF, green 0x66, blue 0.
    EXPECT_EQ(RGB(0xFF, 0x66, 0x00), QorGetStandardColor(9)->clr);
    for (int i = 0; i < QOR_STANDARD_COLOR_COUNT; ++i)
        EXPECT_FALSE(QorGetStandardColorName(i).IsEmpty()) << i;
}

// The names load on first request through the resource manager, so a palette made before the
// language module was loaded still names its colours in that language.
TEST(PaintManagerStatics, NamesFollowTheLanguageModule)
{
    HMODULE hGerman = LoadLibraryW((testsupport::ExecutableFolder() + L"CommandBarsTestModule.dll").c_str());
    ASSERT_NE(nullptr, hGerman);
    QorToolkitExit(); // a fresh palette, with no names loaded yet
    QorCommandBarsStartup();
    ASSERT_NE(nullptr, QorGetStandardColor(0));
    CQorResourceManager::SetResourceModule(hGerman);
    EXPECT_EQ(L"Schwarz", QorGetStandardColorName(0));
    EXPECT_EQ(L"Orange", QorGetStandardColorName(9));
    EXPECT_EQ(L"Dunkelblau", QorGetStandardColorName(5));
    EXPECT_EQ(L"Weiß", QorGetStandardColorName(39));
    CQorResourceManager::SetResourceModule(nullptr);
    QorToolkitExit();
    QorCommandBarsStartup();
    EXPECT_EQ(L"White", QorGetStandardColorName(39));
    FreeLibrary(hGerman);
}
