// The resource manager: the language table, language detection, and where each kind of
// resource comes from with a German module installed or as the framework's resources.
#include "toolkit/foundation/ResourceManager.h"
#include "platform/framework/AfxState.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestResources.h"
#include <gtest/gtest.h>

namespace {

TEST(ResourceManager, LanguageTableRowsAreExact)
{
    int count = 0;
    const QOR_LANGUAGE_INFO* table = CQorResourceManager::GetLanguageTable(count);
    ASSERT_EQ(34, count);
    EXPECT_EQ(0x0419, table[0].wLanguage);
    EXPECT_EQ(0x0404, table[33].wLanguage);
    const struct
    {
        WORD language;
        UINT codePage;
        const wchar_t* encoding;
        const wchar_t* caption;
        UINT charSet;
    } rows[] = {
        {0x0409, 0, L"windows-1252", L"English (United States)", 0}, // the system's code page
        {0x0407, 1252, L"windows-1252", L"German (Germany)", 0},
        {0x0422, 1251, L"windows-1251", L"Ukrainian ", 204}, // with its blank
        {0x0411, 932, L"shift-jis", L"Japanese", 128},
        {0x0412, 949, L"ks_c_5601", L"Korean", 129},
        {0x041E, 874, L"windows-874", L"Thai", 222},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.language);
        const QOR_LANGUAGE_INFO* info = CQorResourceManager::GetLanguageInfo(row.language);
        ASSERT_NE(nullptr, info);
        EXPECT_EQ(row.codePage, info->nCodePage);
        EXPECT_STREQ(row.encoding, info->lpszEncoding);
        EXPECT_STREQ(row.caption, info->lpszCaption);
        EXPECT_EQ(row.charSet, info->nFontCharSet);
    }
    EXPECT_EQ(nullptr, CQorResourceManager::GetLanguageInfo(0x0C09));
}

// The German test module, loaded for one test; the resource handles are put back after it.
class ResourceManagerWithModule : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryW((testsupport::ExecutableFolder() + L"FoundationTestModule.dll").c_str());
        ASSERT_NE(nullptr, m_module);
        m_previous = AfxGetResourceHandle();
    }
    void TearDown() override
    {
        CQorResourceManager::SetResourceModule(nullptr);
        AfxSetResourceHandle(m_previous);
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }

    HMODULE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
    CQorResourceManager m_manager;
};

TEST_F(ResourceManagerWithModule, DetectsTheLanguageOfTheResources)
{
    EXPECT_EQ(0x0409, m_manager.GetResourcesLangID());
    const QOR_LANGUAGE_INFO* german = m_manager.DetectResourceLanguage(m_module);
    ASSERT_NE(nullptr, german);
    EXPECT_EQ(0x0407, german->wLanguage);
    EXPECT_EQ(1252u, german->nCodePage);
    EXPECT_EQ(0x0407, m_manager.GetResourcesLangID());
    // The executable holds neutral and English resources only.
    EXPECT_EQ(0x0409, m_manager.DetectResourceLanguage()->wLanguage);
    EXPECT_EQ(0u, m_manager.GetLanguageInfo()->nCodePage);
}

TEST_F(ResourceManagerWithModule, StringsComeFromTheModuleElseFromTheFramework)
{
    const struct
    {
        const char* name;
        UINT id;
        bool installed;
        const wchar_t* text;
        BOOL error;
    } rows[] = {
        {"installed: own parser", IDS_TEST_IN_BOTH, true, L"Modultext", FALSE},
        {"installed: module only", IDS_TEST_MODULE_ONLY, true, L"Nur im Modul", FALSE},
        {"installed: empty entry falls back", IDS_TEST_EXECUTABLE_ONLY, true, L"Executable text", FALSE},
        {"not installed", IDS_TEST_IN_BOTH, false, L"Executable copy", FALSE},
        {"nowhere", 9100, true, L"", TRUE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CQorResourceManager::SetResourceModule(row.installed ? m_module : nullptr);
        BOOL error = -1;
        EXPECT_STREQ(row.text, static_cast<LPCWSTR>(m_manager.LoadString(row.id, &error)));
        EXPECT_EQ(row.error, error);
    }
}

TEST_F(ResourceManagerWithModule, LanguageModuleGapsComeFromTheExecutable)
{
    // The German module as the framework's resources, as the reader's language module is.
    AfxSetResourceHandle(m_module);

    // A dialog in both comes from the executable.
    HGLOBAL dialog = m_manager.FindDialogResource(MAKEINTRESOURCEW(IDD_TEST_DIALOG));
    HMODULE exe = ::GetModuleHandleW(nullptr);
    HRSRC own = ::FindResourceW(exe, MAKEINTRESOURCEW(IDD_TEST_DIALOG), RT_DIALOG);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(::LockResource(::LoadResource(exe, own)), ::LockResource(dialog));
    EXPECT_EQ(::LockResource(dialog), m_manager.LoadDialogTemplate(IDD_TEST_DIALOG));

    // A cursor and a menu missing from the module.
    EXPECT_NE(nullptr, m_manager.LoadCursor(IDC_TEST_CURSOR));
    CMenu menu;
    ASSERT_TRUE(m_manager.LoadMenu(&menu, IDR_TEST_MENU));
    CString text;
    EXPECT_EQ(5, m_manager.GetMenuString(1, &menu, text));
    EXPECT_STREQ(L"&Help", static_cast<LPCWSTR>(text));
    EXPECT_EQ(0, m_manager.GetMenuString(7, &menu, text));
    EXPECT_TRUE(text.IsEmpty());

    CBitmap bitmap;
    EXPECT_TRUE(m_manager.LoadBitmap(&bitmap, IDB_TEST_BITMAP));
    HICON icon = m_manager.LoadIcon(IDI_TEST_ICON, 16, 16);
    EXPECT_NE(nullptr, icon);
    ::DestroyIcon(icon);

    CString html;
    EXPECT_TRUE(m_manager.LoadHTML(html, IDR_TEST_HTML));
    EXPECT_STREQ(L"<p>Toolkit page</p>", static_cast<LPCWSTR>(html));
    EXPECT_FALSE(m_manager.LoadHTML(html, 501));
    EXPECT_EQ(nullptr, m_manager.LoadCursor(301));
}

TEST(ResourceManager, IconsComeFromTheBestEntryOfTheirGroup)
{
    CQorResourceManager manager;
    HMODULE exe = ::GetModuleHandleW(nullptr);
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        HICON icon = manager.CreateIconFromGroup(exe, MAKEINTRESOURCEW(IDI_TEST_ICON), size, size);
        ASSERT_NE(nullptr, icon);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bm = {};
        ::GetObjectW(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(size, bm.bmWidth);
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        ::DestroyIcon(icon);
    }
    EXPECT_EQ(nullptr, manager.CreateIconFromGroup(exe, MAKEINTRESOURCEW(601), 16, 16));
}

TEST_F(ResourceManagerWithModule, ToolBarsLoadWithTheModuleAsResourceHandle)
{
    HINSTANCE seen = nullptr;
    auto load = [&] {
        seen = AfxGetResourceHandle();
        return TRUE;
    };
    EXPECT_TRUE(m_manager.LoadToolBar(load));
    EXPECT_EQ(m_previous, seen);
    CQorResourceManager::SetResourceModule(m_module);
    EXPECT_TRUE(m_manager.LoadToolBar(load));
    EXPECT_EQ(m_module, seen);
    EXPECT_EQ(m_previous, AfxGetResourceHandle());
}

TEST(ResourceManager, OneManagerPerProcessUntilDestroyed)
{
    CQorResourceManager* manager = GetResourceManager();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(manager, GetResourceManager());
    EXPECT_EQ("abc", manager->ToResourceCodePage(L"abc"));
    QorDestroyResourceManager();
    EXPECT_NE(nullptr, GetResourceManager());
    QorDestroyResourceManager();
}

} // namespace
