// The language modules carried by FolionyxReader.exe: extraction, loading and
// their translated resources.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/reader/StringPrinter.h"
#include "reader/LanguageModule.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"

namespace {

CString FirstMenuTitle(HMODULE module)
{
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (menu == nullptr)
        return CString();
    wchar_t text[128] = {};
    GetMenuStringW(menu, 0, text, 128, MF_BYPOSITION);
    DestroyMenu(menu);
    return CString(text);
}

} // namespace

TEST(LanguageModule, ReaderCarriesFourTranslatedModules)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE reader = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(reader, nullptr);
    testsupport::TempFolder folder;
    struct Case { LANGID language; const wchar_t* fileMenu; };
    const Case cases[] = {
        {1031, L"&Datei"}, {1036, L"&Fichier"}, {3082, L"&Archivo"}, {1041, L"\x30D5\x30A1\x30A4\x30EB(&F)"},
    };
    for (const Case& c : cases) {
        HMODULE module = ExtractLanguageModule(reader, c.language, CString(folder.Path().c_str()));
        ASSERT_NE(module, nullptr) << c.language;
        EXPECT_EQ(FirstMenuTitle(module), CString(c.fileMenu)) << c.language;
        wchar_t title[64] = {};
        EXPECT_GT(LoadStringW(module, IDS_APP_TITLE, title, 64), 0) << c.language;
        EXPECT_NE(LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr) << c.language;
        EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr) << c.language;
        FreeLibrary(module);
    }
    EXPECT_EQ(FirstMenuTitle(reader), CString(L"&File"));
    FreeLibrary(reader);
}

TEST(LanguageModule, LanguageWithoutModuleLoadsNothing)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE reader = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(reader, nullptr);
    testsupport::TempFolder folder;
    EXPECT_EQ(ExtractLanguageModule(reader, 1040, CString(folder.Path().c_str())), nullptr);   // Italian
    EXPECT_EQ(ExtractLanguageModule(reader, 0, CString(folder.Path().c_str())), nullptr);
    EXPECT_EQ(ExtractLanguageModule(reader, 1033, CString(folder.Path().c_str())), nullptr);   // English: none
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder.Path() + L"*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    // A folder that cannot take the file: the executable's own resources stay.
    EXPECT_EQ(ExtractLanguageModule(reader, 1036, CString(L"Q:\\no\\such\\drive\\")), nullptr);
    FreeLibrary(reader);
}
