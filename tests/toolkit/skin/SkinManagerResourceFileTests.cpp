// Opening skins as modules and folders, line reading, names that would leave the folder, and
// modules and texts that are broken or hostile.
#include <gtest/gtest.h>

#include <vector>

#include "tests/toolkit/skin/SkinTestSupport.h"
#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerSchemaOffice2007.h"

using skintest::BmpFile;
using skintest::ModulePath;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

std::vector<std::wstring> ReadAllLines(CQorSkinManagerResourceFile& file)
{
    std::vector<std::wstring> lines;
    CString line;
    while (file.ReadLine(line) && lines.size() < 100)
        lines.emplace_back(line.GetString());
    return lines;
}

std::string Utf16(const std::wstring& text, bool bom)
{
    std::string bytes = bom ? std::string("\xFF\xFE", 2) : std::string();
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

} // namespace

TEST(SkinResourceFile, EmptyIniNameReadsTheFirstFileOfThemesIni)
{
    CQorSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(ModulePath(L"SkinTestModule.dll").c_str(), L""));
    EXPECT_FALSE(file.IsFolder());
    // CR, LF and CR LF end lines; the byte-order mark is skipped; the last line needs no end.
    const std::vector<std::wstring> expected = {L"[Button.PushButton(Hot)]", L"TextColor = 255 0 0",
                                                L"FillColor = 1 2 3", L"BorderColor = 4 5 6"};
    EXPECT_EQ(expected, ReadAllLines(file));
    CString line;
    EXPECT_FALSE(file.ReadLine(line));
}

TEST(SkinResourceFile, ModulesOpenAsDataWithoutRunningTheirCode)
{
    SetEnvironmentVariableW(L"FOLIONYX_SKIN_CODE_RAN", nullptr);
    CQorSkinManager manager;
    ASSERT_TRUE(manager.OpenSkinFile(ModulePath(L"SkinTestCode.dll").c_str(), L""));
    wchar_t value[8] = {};
    EXPECT_EQ(0u, GetEnvironmentVariableW(L"FOLIONYX_SKIN_CODE_RAN", value, 8));
    EXPECT_NE(nullptr, manager.GetClass(L"BUTTON")->GetProperty(qorSkinColor, 1, 2, TMT_TEXTCOLOR));
    // The module really has code that runs when it is loaded as a program's module.
    HMODULE code = LoadLibraryW(ModulePath(L"SkinTestCode.dll").c_str());
    ASSERT_NE(nullptr, code);
    EXPECT_NE(0u, GetEnvironmentVariableW(L"FOLIONYX_SKIN_CODE_RAN", value, 8));
    FreeLibrary(code);
    SetEnvironmentVariableW(L"FOLIONYX_SKIN_CODE_RAN", nullptr);
}

TEST(SkinResourceFile, DisplayNameChoosesTheSchemaWithoutRegardToCase)
{
    CQorSkinManager manager;
    ASSERT_TRUE(manager.OpenSkinFile(ModulePath(L"SkinTestModule.dll").c_str(), L"Normal.ini"));
    EXPECT_NE(nullptr, dynamic_cast<CQorSkinManagerSchemaOffice2007*>(manager.GetSchema()));
    ASSERT_TRUE(manager.OpenSkinFile(ModulePath(L"SkinFixtureBorderFill.dll").c_str(), L"Normal.ini"));
    EXPECT_EQ(nullptr, dynamic_cast<CQorSkinManagerSchemaOffice2007*>(manager.GetSchema()));
    EXPECT_NE(nullptr, dynamic_cast<CQorSkinManagerSchemaDefault*>(manager.GetSchema()));
}

TEST(SkinResourceFile, ImagesLoadFromTheModuleByResourceName)
{
    CQorSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(ModulePath(L"SkinTestModule.dll").c_str(), L"Normal.ini"));
    std::unique_ptr<CQorSkinImage> image(file.LoadImage(L"Pictures.Dot.png"));
    ASSERT_NE(nullptr, image);
    EXPECT_GT(image->GetWidth(), 0);
    EXPECT_EQ(nullptr, file.LoadImage(L"Missing.png"));
}

TEST(SkinResourceFile, FolderIniIsReadWithoutLoadingAModule)
{
    struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"UTF-16 with a byte-order mark, CR LF",
         Utf16(L"[Globals]\r\nBorderSize = 3\r\nImageFile = Face.bmp\r\n", true)},
        {"ANSI, LF", std::string("[Globals]\nBorderSize = 3\nImageFile = Face.bmp\n")},
        {"ANSI, CR, no last end", std::string("[Globals]\rBorderSize = 3\rImageFile = Face.bmp")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WriteFileBytes(folder.File(L"normal.ini"), c.bytes);
        WriteFileBytes(folder.File(L"Face.bmp"), BmpFile(4, 3, RGB(10, 20, 30)));
        CQorSkinManager manager;
        ASSERT_TRUE(manager.OpenSkinFile(folder.Path().substr(0, folder.Path().size() - 1).c_str(), L"normal.ini"));
        CQorSkinManagerResourceFile* file = manager.GetResourceFile();
        EXPECT_TRUE(file->IsFolder());
        EXPECT_EQ(nullptr, file->GetModule());
        const CQorSkinManagerSchemaProperty* p =
            manager.GetSchema()->LookupProperty(LookupClassId(L"GLOBALS"), 0, 0, TMT_BORDERSIZE);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(3, p->m_nValue);
        std::unique_ptr<CQorSkinImage> image(file->LoadImage(L"FACE.BMP"));
        ASSERT_NE(nullptr, image);
        EXPECT_EQ(4, image->GetWidth());
        EXPECT_EQ(3, image->GetHeight());
    }
}

TEST(SkinResourceFile, FolderNamesCannotLeaveTheFolder)
{
    TempFolder temp;
    CreateDirectoryW(temp.File(L"one").c_str(), nullptr);
    CreateDirectoryW(temp.File(L"one\\two").c_str(), nullptr);
    WriteFileBytes(temp.File(L"a.ini"), "[Globals]\r\nBorderSize = 3\r\n");
    WriteFileBytes(temp.File(L"x.bmp"), BmpFile(2, 2, RGB(1, 2, 3)));
    WriteFileBytes(temp.File(L"one\\two\\normal.ini"), "[Globals]\r\nBorderSize = 3\r\n");
    const std::wstring skin = temp.File(L"one\\two");
    CQorSkinManagerResourceFile file;
    EXPECT_FALSE(file.Open(skin.c_str(), L"..\\..\\a.ini"));
    ASSERT_TRUE(file.Open(skin.c_str(), L"normal.ini"));
    const std::wstring absolute = temp.File(L"x.bmp");
    for (const wchar_t* name : {L"..\\..\\x.bmp", L"../../x.bmp", L"\\x.bmp", L"/x.bmp", absolute.c_str()}) {
        SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
        EXPECT_EQ(nullptr, file.LoadImage(name));
    }
}

TEST(SkinResourceFile, BrokenModulesFailToOpen)
{
    TempFolder temp;
    const std::string module = testsupport::ReadFileBytes(ModulePath(L"SkinTestModule.dll"));
    ASSERT_GT(module.size(), 1024u);
    WriteFileBytes(temp.File(L"Truncated.dll"), module.substr(0, 1024));
    WriteFileBytes(temp.File(L"Text.dll"), "not a module at all");
    struct
    {
        const char* name;
        std::wstring path;
        const wchar_t* ini;
    } cases[] = {
        {"no module", temp.File(L"Missing.dll"), L"Normal.ini"},
        {"an empty skin path", L"", L"Normal.ini"},
        {"a truncated module", temp.File(L"Truncated.dll"), L"Normal.ini"},
        {"a text file", temp.File(L"Text.dll"), L"Normal.ini"},
        {"no TEXTFILE", ModulePath(L"SkinTestNoText.dll"), L"Normal.ini"},
        {"no TEXTFILE, default name", ModulePath(L"SkinTestNoText.dll"), L""},
        {"THEMES_INI without its bracket", ModulePath(L"SkinTestOpenThemes.dll"), L""},
        {"an INI the module lacks", ModulePath(L"SkinTestModule.dll"), L"Other.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQorSkinManager manager;
        EXPECT_FALSE(manager.OpenSkinFile(c.path.c_str(), c.ini));
        EXPECT_EQ(nullptr, manager.GetSchema());
    }
}

TEST(SkinResourceFile, ReadingStopsAtTheEndOfTheText)
{
    // The INI's last character is the last of a readable page; the next page cannot be read.
    SYSTEM_INFO si = {};
    GetSystemInfo(&si);
    const size_t page = si.dwPageSize;
    BYTE* memory = static_cast<BYTE*>(VirtualAlloc(nullptr, page * 2, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, memory);
    const std::wstring text = L"[Globals]\r\nBorderSize = 9";
    const size_t bytes = text.size() * sizeof(wchar_t);
    wchar_t* start = reinterpret_cast<wchar_t*>(memory + page - bytes);
    memcpy(start, text.data(), bytes);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(memory + page, page, PAGE_NOACCESS, &old));
    CQorSkinManagerResourceFile file;
    file.OpenTextForTest(start, bytes);
    CQorSkinManagerSchemaDefault schema(nullptr);
    ReadSchema(&schema, &file);
    const CQorSkinManagerSchemaProperty* p = schema.LookupProperty(LookupClassId(L"GLOBALS"), 0, 0, TMT_BORDERSIZE);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(9, p->m_nValue);
    VirtualFree(memory, 0, MEM_RELEASE);
}
