// The skins FolionyxReader.exe carries: four "SKINS" resources, each a skin module that opens
// as data once written out.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/common/WineTestSupport.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerSchemaOffice2007.h"

TEST(ReaderSkins, ExecutableCarriesItsFourSkins)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    testsupport::TempFolder temp;
    struct
    {
        const wchar_t* name;
        bool office;
    } skins[] = {{L"CALM", false}, {L"CALMDARK", false}, {L"OFFICE2007", true}, {L"QUIET", false}};
    for (const auto& skin : skins) {
        SCOPED_TRACE(std::string(skin.name, skin.name + wcslen(skin.name)));
        HRSRC resource = FindResourceW(module, skin.name, L"SKINS");
        ASSERT_NE(nullptr, resource);
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        ASSERT_NE(nullptr, bytes);
        const std::wstring path = temp.File(std::wstring(skin.name) + L".dll");
        testsupport::WriteFileBytes(path, std::string(bytes, SizeofResource(module, resource)));
        CQorSkinManager manager;
        ASSERT_TRUE(manager.OpenSkinFile(path.c_str(), L""));
        EXPECT_EQ(skin.office, dynamic_cast<CQorSkinManagerSchemaOffice2007*>(manager.GetSchema()) != nullptr);
        EXPECT_EQ(0, manager.GetSchema()->GetIgnoredSectionCount());
        manager.FreeClasses(); // the module is closed before its file goes
    }
    FreeLibrary(module);
}
