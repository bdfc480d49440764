// The language modules carried by FolionyxReader.exe: extraction, loading and
// their translated resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/reader/StringPrinter.h"
#include "reader/app/LanguageModule.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/ToolBarResource.h"
#include "toolkit/foundation/ImageManager.h"

namespace {

// The caption of the first item of the Text size popup.
CString FirstTextSizeItem(HMODULE module)
{
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(ID_TEXT_SIZE));
    if (menu == nullptr)
        return CString();
    wchar_t text[128] = {};
    GetMenuStringW(GetSubMenu(menu, 0), 0, text, 128, MF_BYPOSITION);
    DestroyMenu(menu);
    return CString(text);
}

BOOL CALLBACK AddResourceName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    auto* out = reinterpret_cast<std::vector<std::wstring>*>(param);
    out->push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                        : std::wstring(name));
    return TRUE;
}

// Every resource name of one type in a module, numbered or named.
std::vector<std::wstring> ResourceNames(HMODULE module, LPCWSTR type)
{
    std::vector<std::wstring> names;
    EnumResourceNamesW(module, type, AddResourceName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

// The command ids of a menu and all its submenus, in order.
void CollectMenuIds(HMENU menu, std::vector<UINT>& ids)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i))
            CollectMenuIds(sub, ids);
        else
            ids.push_back(GetMenuItemID(menu, i));
    }
}

std::vector<UINT> MenuIds(HMODULE module, LPCWSTR name)
{
    std::vector<UINT> ids;
    if (HMENU menu = LoadMenuW(module, name)) {
        CollectMenuIds(menu, ids);
        DestroyMenu(menu);
    }
    return ids;
}

} // namespace

TEST(LanguageModule, ReaderCarriesFourTranslatedModules)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE reader = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(reader, nullptr);
    testsupport::TempFolder folder;
    struct Case
    {
        LANGID language;
        const wchar_t* largest;
    };
    const Case cases[] = {
        {1031, L"Sehr &gro\x00DF"},
        {1036, L"Tr\x00E8s &grande"},
        {3082, L"Muy &grande"},
        {1041, L"\x6700\x5927(&G)"},
    };
    for (const Case& c : cases) {
        HMODULE module = ExtractLanguageModule(reader, c.language, CString(folder.Path().c_str()));
        ASSERT_NE(module, nullptr) << c.language;
        EXPECT_EQ(FirstTextSizeItem(module), CString(c.largest)) << c.language;
        wchar_t title[64] = {};
        EXPECT_GT(LoadStringW(module, IDS_APP_TITLE, title, 64), 0) << c.language;
        EXPECT_NE(LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr) << c.language;
        EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr) << c.language;
        FreeLibrary(module);
    }
    EXPECT_EQ(FirstTextSizeItem(reader), CString(L"L&argest"));
    FreeLibrary(reader);
}

TEST(LanguageModule, LanguageWithoutModuleLoadsNothing)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE reader = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(reader, nullptr);
    testsupport::TempFolder folder;
    EXPECT_EQ(ExtractLanguageModule(reader, 1040, CString(folder.Path().c_str())), nullptr); // Italian
    EXPECT_EQ(ExtractLanguageModule(reader, 0, CString(folder.Path().c_str())), nullptr);
    EXPECT_EQ(ExtractLanguageModule(reader, 1033, CString(folder.Path().c_str())), nullptr); // English: none
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder.Path() + L"*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    // A folder that cannot take the file: the executable's own resources stay.
    EXPECT_EQ(ExtractLanguageModule(reader, 1036, CString(L"Q:\\no\\such\\drive\\")), nullptr);
    FreeLibrary(reader);
}

// Whatever the reader shows in English, each language module has too: every string, every
// menu with the same commands, every dialog, accelerator table, icon, cursor and tool bar. A
// string added to the reader but to no module would show up in English or not at all.
TEST(LanguageModule, ModulesHoldEveryStringMenuAndDialogOfTheReader)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE reader = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(reader, nullptr);
    std::vector<UINT> stringIds;
    for (const std::wstring& block : ResourceNames(reader, RT_STRING)) {
        ASSERT_EQ(block[0], L'#');
        const UINT first = (UINT(std::stoul(block.substr(1))) - 1) * 16;
        for (UINT id = first; id < first + 16; ++id) {
            wchar_t text[512] = {};
            if (LoadStringW(reader, id, text, 512) > 0)
                stringIds.push_back(id);
        }
    }
    ASSERT_FALSE(stringIds.empty());
    const std::vector<std::wstring> menus = ResourceNames(reader, RT_MENU);
    ASSERT_FALSE(menus.empty());

    testsupport::TempFolder folder;
    for (LANGID language : {1031, 1036, 3082, 1041}) {
        SCOPED_TRACE(language);
        HMODULE module = ExtractLanguageModule(reader, language, CString(folder.Path().c_str()));
        ASSERT_NE(module, nullptr);
        for (UINT id : stringIds) {
            wchar_t text[512] = {};
            EXPECT_GT(LoadStringW(module, id, text, 512), 0) << "string " << id;
        }
        for (const std::wstring& name : menus) {
            std::vector<UINT> own = MenuIds(reader, name.c_str());
            EXPECT_EQ(MenuIds(module, name.c_str()), own) << "menu " << std::string(name.begin(), name.end());
        }
        // Dialogs of a module take their icons and cursors from it too, and tool bars load
        // from the module in use.
        for (LPCWSTR type : {RT_DIALOG, RT_ACCELERATOR, RT_GROUP_ICON, RT_GROUP_CURSOR, QOR_RT_TOOLBAR}) {
            for (const std::wstring& name : ResourceNames(reader, type))
                EXPECT_NE(FindResourceW(module, name.c_str(), type), nullptr)
                    << "resource " << std::string(name.begin(), name.end());
        }
        FreeLibrary(module);
    }
    FreeLibrary(reader);
}

// The tool bar is loaded from the resource module in use, with no fallback to the executable:
// each module carries the "Standard" tool bar, the images of its buttons and the tool bars'
// strings, translated.
TEST(LanguageModule, ModulesCarryTheStandardToolBarWithItsImagesAndTheToolBarStrings)
{
    const std::wstring exe = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    HMODULE reader = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(reader, nullptr);
    const std::vector<UINT> items = {ID_PAGE_PRINT, ID_PAGE_PRINT_PREVIEW, 0, ID_PAGE_BACK, ID_PAGE_FORWARD,
                                     ID_PAGE_STOP, ID_PAGE_REFRESH, ID_HOME, 0, ID_TEXT_SIZE, 0, ID_CONTENTS,
                                     ID_SEARCH, 0, ID_PRIOR, ID_NEXT, ID_AUTO_SCROLL};
    std::vector<UINT> buttons;
    for (UINT id : items) {
        if (id != 0)
            buttons.push_back(id);
    }
    ASSERT_EQ(buttons.size(), 13u);
    const UINT strings[] = {QOR_IDS_ADDORREMOVE, QOR_IDS_RESET_TOOLBAR, QOR_ID_TOOLBAR_EXPAND,
                            QOR_ID_TOOLBAR_HIDE, QOR_IDS_CONFIRM_RESET, QOR_ID_CUSTOMIZE};
    auto text = [](HMODULE module, UINT id) {
        wchar_t buffer[256] = {};
        LoadStringW(module, id, buffer, 256);
        return CString(buffer);
    };

    testsupport::TempFolder folder;
    for (LANGID language : {0, 1031, 1036, 3082, 1041}) {
        SCOPED_TRACE(language);
        HMODULE module = language == 0 ? reader : ExtractLanguageModule(reader, language, CString(folder.Path().c_str()));
        ASSERT_NE(module, nullptr);
        QOR_TOOLBAR_RESOURCE toolBar;
        ASSERT_TRUE(QorReadToolBarResource(module, IDR_MAINFRAME, toolBar));
        EXPECT_EQ(toolBar.nWidth, 16);
        EXPECT_EQ(toolBar.nHeight, 16);
        EXPECT_EQ(toolBar.ids, items);

        // One image per button, which the image manager cuts into an icon for each command.
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        GetObjectW(bitmap, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 16 * 13);
        EXPECT_EQ(info.bmHeight, 16);
        CQorImageManager images;
        EXPECT_TRUE(images.SetIconsFromBitmap(bitmap, FALSE, buttons.data(), static_cast<int>(buttons.size())));
        for (UINT id : buttons)
            EXPECT_TRUE(images.HasIcon(id, 16)) << id;
        DeleteObject(bitmap);

        // A prompt, a line break, a caption (the question has no caption).
        for (UINT id : strings) {
            const CString own = text(module, id);
            EXPECT_EQ(own.Find(L'\n') >= 0, id != QOR_IDS_CONFIRM_RESET) << id;
            if (module != reader) {
                EXPECT_NE(own, text(reader, id)) << id << " is not translated";
            }
        }
        EXPECT_GE(text(module, QOR_IDS_CONFIRM_RESET).Find(L"%s"), 0);
        if (module != reader)
            FreeLibrary(module);
    }
    EXPECT_EQ(text(reader, QOR_ID_TOOLBAR_EXPAND), CString(L"\nToolbar Options"));
    FreeLibrary(reader);
}
