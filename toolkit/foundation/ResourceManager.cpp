#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/foundation/ProcessSingleton.h"
#include "platform/framework/AfxState.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/Sync.h"
#include "platform/framework/WinApp.h"
#include <new>
#include <vector>

namespace {

const QOR_LANGUAGE_INFO kLanguages[] = {
    {0x0419, 1251, L"windows-1251", L"Russian", L"LANG_RUSSIAN", L"SUBLANG_DEFAULT", 204},
    {0x0411, 932, L"shift-jis", L"Japanese", L"LANG_JAPANESE", L"SUBLANG_DEFAULT", 128},
    {0x0401, 1256, L"windows-1256", L"Arabic (Saudi Arabia)", L"LANG_ARABIC", L"SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {0x0405, 1250, L"windows-1250", L"Czech", L"LANG_CZECH", L"SUBLANG_DEFAULT", 238},
    {0x0406, 1252, L"windows-1252", L"Danish", L"LANG_DANISH", L"SUBLANG_DEFAULT", 0},
    {0x0407, 1252, L"windows-1252", L"German (Germany)", L"LANG_GERMAN", L"SUBLANG_GERMAN", 0},
    {0x0408, 1253, L"windows-1253", L"Greek", L"LANG_GREEK", L"SUBLANG_DEFAULT", 161},
    {0x0409, 0, L"windows-1252", L"English (United States)", L"LANG_ENGLISH", L"SUBLANG_ENGLISH_US", 0},
    {0x0C0A, 1252, L"windows-1252", L"Spanish (Spain - Modern Sort)", L"LANG_SPANISH", L"SUBLANG_SPANISH_MODERN", 0},
    {0x0425, 1257, L"windows-1257", L"Estonian", L"LANG_ESTONIAN", L"SUBLANG_DEFAULT", 186},
    {0x040B, 1252, L"windows-1252", L"Finnish", L"LANG_FINNISH", L"SUBLANG_DEFAULT", 0},
    {0x040C, 1252, L"windows-1252", L"French (France)", L"LANG_FRENCH", L"SUBLANG_FRENCH", 0},
    {0x040D, 1255, L"windows-1255", L"Hebrew", L"LANG_HEBREW", L"SUBLANG_DEFAULT", 177},
    {0x041A, 1250, L"windows-1250", L"Croatian", L"LANG_CROATIAN", L"SUBLANG_DEFAULT", 238},
    {0x040E, 1250, L"windows-1250", L"Hungarian", L"LANG_HUNGARIAN", L"SUBLANG_DEFAULT", 238},
    {0x0410, 1252, L"windows-1252", L"Italian (Italy)", L"LANG_ITALIAN", L"SUBLANG_ITALIAN", 0},
    {0x0412, 949, L"ks_c_5601", L"Korean", L"LANG_KOREAN", L"SUBLANG_DEFAULT", 129},
    {0x0427, 1257, L"windows-1257", L"Lithuanian", L"LANG_LITHUANIAN", L"SUBLANG_LITHUANIAN", 186},
    {0x0426, 1257, L"windows-1257", L"Latvian", L"LANG_LATVIAN", L"SUBLANG_DEFAULT", 186},
    {0x0413, 1252, L"windows-1252", L"Dutch", L"LANG_DUTCH", L"SUBLANG_DUTCH", 0},
    {0x0414, 1252, L"windows-1252", L"Norwegian (Bokmal)", L"LANG_NORWEGIAN", L"SUBLANG_NORWEGIAN_BOKMAL", 0},
    {0x0415, 1250, L"windows-1250", L"Polish", L"LANG_POLISH", L"SUBLANG_DEFAULT", 238},
    {0x0816, 1252, L"windows-1252", L"Portuguese (Portugal)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE", 0},
    {0x0416, 1252, L"windows-1252", L"Portuguese (Brazil)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {0x0418, 1250, L"windows-1250", L"Romanian", L"LANG_ROMANIAN", L"SUBLANG_DEFAULT", 238},
    {0x041B, 1250, L"windows-1250", L"Slovak", L"LANG_SLOVAK", L"SUBLANG_DEFAULT", 238},
    {0x0424, 1250, L"windows-1250", L"Slovenian", L"LANG_SLOVENIAN", L"SUBLANG_DEFAULT", 238},
    {0x041D, 1252, L"windows-1252", L"Swedish", L"LANG_SWEDISH", L"SUBLANG_DEFAULT", 0},
    {0x041E, 874, L"windows-874", L"Thai", L"LANG_THAI", L"SUBLANG_DEFAULT", 222},
    {0x041F, 1254, L"windows-1254", L"Turkish", L"LANG_TURKISH", L"SUBLANG_DEFAULT", 162},
    {0x0422, 1251, L"windows-1251", L"Ukrainian ", L"LANG_UKRAINIAN", L"SUBLANG_DEFAULT", 204},
    {0x0402, 1251, L"windows-1251", L"Bulgarian", L"LANG_BULGARIAN", L"SUBLANG_DEFAULT", 204},
    {0x0804, 936, L"gb2312", L"Chinese (PRC)", L"LANG_CHINESE", L"SUBLANG_CHINESE_SIMPLIFIED", 134},
    {0x0404, 950, L"big5", L"Chinese (Taiwan)", L"LANG_CHINESE", L"SUBLANG_CHINESE_TRADITIONAL", 136},
};

const WORD kEnglish = 0x0409;
const LPCWSTR kHtmlType = MAKEINTRESOURCEW(23);

HMODULE g_hResourceModule = nullptr;

// The framework's resource handle, switched for one load and restored also on an exception.
class CResourceHandleSwitch
{
public:
    explicit CResourceHandleSwitch(HINSTANCE hResource) : m_hPrevious(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(hResource);
    }
    ~CResourceHandleSwitch() { AfxSetResourceHandle(m_hPrevious); }
    CResourceHandleSwitch(const CResourceHandleSwitch&) = delete;
    CResourceHandleSwitch& operator=(const CResourceHandleSwitch&) = delete;

private:
    HINSTANCE m_hPrevious;
};

// Loads a resource of a type: from the installed resource module when it holds it, else from
// the framework's resource handle, falling back to the executable when that lacks it. The
// loader reads the framework's resource handle.
template <class Load> auto LoadWithFallback(LPCTSTR lpszName, LPCTSTR lpszType, Load load) -> decltype(load())
{
    if (g_hResourceModule != nullptr && ::FindResourceW(g_hResourceModule, lpszName, lpszType) != nullptr) {
        CResourceHandleSwitch module(g_hResourceModule);
        if (auto result = load())
            return result;
    }
    CResourceHandleSwitch found(AfxFindResourceHandle(lpszName, lpszType));
    return load();
}

// A resource looked up in the installed module (a null module searches the executable), then
// in the framework's resource handle.
HGLOBAL FindInModuleThenFramework(LPCTSTR lpszName, LPCTSTR lpszType, DWORD* pnSize = nullptr)
{
    for (HMODULE hModule : {static_cast<HMODULE>(g_hResourceModule), static_cast<HMODULE>(AfxGetResourceHandle())}) {
        HRSRC hResource = ::FindResourceW(hModule, lpszName, lpszType);
        if (hResource == nullptr)
            continue;
        if (pnSize != nullptr)
            *pnSize = ::SizeofResource(hModule, hResource);
        return ::LoadResource(hModule, hResource);
    }
    return nullptr;
}

// Resource languages of a module, recorded until the first that is not English.
struct LanguageWalk
{
    WORD wRecorded = 0;
    bool bDone = false;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam)
{
    LanguageWalk* pWalk = reinterpret_cast<LanguageWalk*>(lParam);
    if (wLanguage != 0)
        pWalk->wRecorded = wLanguage;
    pWalk->bDone = wLanguage != 0 && wLanguage != kEnglish;
    return !pWalk->bDone;
}

BOOL CALLBACK OnName(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam)
{
    ::EnumResourceLanguagesW(hModule, lpszType, lpszName, OnLanguage, lParam);
    return !reinterpret_cast<LanguageWalk*>(lParam)->bDone;
}

BOOL CALLBACK OnType(HMODULE hModule, LPWSTR lpszType, LONG_PTR lParam)
{
    ::EnumResourceNamesW(hModule, lpszType, OnName, lParam);
    return !reinterpret_cast<LanguageWalk*>(lParam)->bDone;
}

} // namespace

CQorResourceManager::CQorResourceManager() : m_pLanguageInfo(GetLanguageInfo(kEnglish)) {}

CQorResourceManager::~CQorResourceManager()
{
    FreeResourceModule();
}

const QOR_LANGUAGE_INFO* CQorResourceManager::GetLanguageTable(int& nCount)
{
    nCount = static_cast<int>(ARRAYSIZE(kLanguages));
    return kLanguages;
}

const QOR_LANGUAGE_INFO* CQorResourceManager::GetLanguageInfo(WORD wLanguage)
{
    for (const QOR_LANGUAGE_INFO& info : kLanguages) {
        if (info.wLanguage == wLanguage)
            return &info;
    }
    return nullptr;
}

void CQorResourceManager::SetResourceModule(HMODULE hModule)
{
    g_hResourceModule = hModule;
}

HMODULE CQorResourceManager::GetResourceModule()
{
    return g_hResourceModule;
}

BOOL CQorResourceManager::LoadStringFromModule(HMODULE hModule, UINT nID, CString& str)
{
    str.Empty();
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW((nID >> 4) + 1), RT_STRING);
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const WORD* p = hData != nullptr ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
    if (p == nullptr)
        return FALSE;
    const WORD* pEnd = p + ::SizeofResource(hModule, hResource) / sizeof(WORD);
    for (UINT i = 0; i < (nID & 15); ++i) {
        if (p >= pEnd)
            return FALSE;
        p += 1 + *p;
    }
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd)
        return FALSE;
    str.SetString(reinterpret_cast<LPCWSTR>(p + 1), *p);
    return TRUE;
}

BOOL CQorResourceManager::LoadString(CString& str, UINT nIDResource)
{
    if (g_hResourceModule != nullptr && LoadStringFromModule(g_hResourceModule, nIDResource, str))
        return TRUE;
    HINSTANCE hInstance = AfxFindStringResourceHandle(nIDResource);
    if (hInstance != nullptr && LoadStringFromModule(hInstance, nIDResource, str))
        return TRUE;
    str.Empty();
    return FALSE;
}

CString CQorResourceManager::LoadString(UINT nIDResource, BOOL* pbError)
{
    CString str;
    BOOL bFound = LoadString(str, nIDResource);
    if (pbError != nullptr)
        *pbError = !bFound;
    return str;
}

BOOL CQorResourceManager::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    if (pMenu == nullptr)
        return FALSE;
    return LoadWithFallback(MAKEINTRESOURCEW(nIDResource), RT_MENU, [&] { return pMenu->LoadMenu(nIDResource); });
}

BOOL CQorResourceManager::LoadToolBar(const std::function<BOOL()>& loadToolBar)
{
    if (!loadToolBar)
        return FALSE;
    if (g_hResourceModule == nullptr)
        return loadToolBar();
    CResourceHandleSwitch module(g_hResourceModule);
    return loadToolBar();
}

BOOL CQorResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    if (pBitmap == nullptr)
        return FALSE;
    return LoadWithFallback(MAKEINTRESOURCEW(nIDResource), RT_BITMAP, [&] { return pBitmap->LoadBitmap(nIDResource); });
}

HCURSOR CQorResourceManager::LoadCursor(UINT nIDResource)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(nIDResource);
    return LoadWithFallback(lpszName, RT_GROUP_CURSOR, [&] { return ::LoadCursorW(AfxGetResourceHandle(), lpszName); });
}

HGLOBAL CQorResourceManager::FindDialogResource(LPCTSTR lpszResource)
{
    return FindInModuleThenFramework(lpszResource, RT_DIALOG);
}

LPCDLGTEMPLATE CQorResourceManager::LoadDialogTemplate(UINT nIDResource)
{
    HGLOBAL hData = FindDialogResource(MAKEINTRESOURCEW(nIDResource));
    return hData != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hData)) : nullptr;
}

BOOL CQorResourceManager::LoadHTML(CString& str, UINT nIDResource)
{
    str.Empty();
    DWORD nSize = 0;
    HGLOBAL hData = FindInModuleThenFramework(MAKEINTRESOURCEW(nIDResource), kHtmlType, &nSize);
    const char* pText = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pText == nullptr || nSize == 0)
        return FALSE;
    std::vector<wchar_t> buffer(static_cast<size_t>(nSize) * 2 + 2, 0);
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, pText, static_cast<int>(nSize), buffer.data(),
                                       static_cast<int>(buffer.size()) - 1);
    if (nChars <= 0)
        return FALSE;
    str = buffer.data(); // up to the first terminator
    return !str.IsEmpty();
}

HICON CQorResourceManager::LoadIcon(UINT nIDResource, int cx, int cy)
{
    return LoadIconImage(MAKEINTRESOURCEW(nIDResource), cx, cy);
}

HICON CQorResourceManager::LoadIconImage(LPCTSTR lpszResource, int cx, int cy)
{
    return LoadWithFallback(lpszResource, RT_GROUP_ICON, [&] {
        return static_cast<HICON>(
            ::LoadImageW(AfxGetResourceHandle(), lpszResource, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    });
}

HICON CQorResourceManager::CreateIconFromGroup(HMODULE hModule, LPCTSTR lpszResource, int cx, int cy)
{
    HRSRC hGroup = ::FindResourceW(hModule, lpszResource, RT_GROUP_ICON);
    HGLOBAL hGroupData = hGroup != nullptr ? ::LoadResource(hModule, hGroup) : nullptr;
    BYTE* pGroup = hGroupData != nullptr ? static_cast<BYTE*>(::LockResource(hGroupData)) : nullptr;
    if (pGroup == nullptr)
        return nullptr;
    int nID = ::LookupIconIdFromDirectoryEx(pGroup, TRUE, cx, cy, LR_DEFAULTCOLOR);
    HRSRC hIcon = nID != 0 ? ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_ICON) : nullptr;
    HGLOBAL hIconData = hIcon != nullptr ? ::LoadResource(hModule, hIcon) : nullptr;
    BYTE* pIcon = hIconData != nullptr ? static_cast<BYTE*>(::LockResource(hIconData)) : nullptr;
    if (pIcon == nullptr)
        return nullptr;
    return ::CreateIconFromResourceEx(pIcon, ::SizeofResource(hModule, hIcon), TRUE, 0x30000, cx, cy, LR_DEFAULTCOLOR);
}

void CQorResourceManager::FreeResourceModule()
{
    if (m_hResourceFile != nullptr)
        ::FreeLibrary(m_hResourceFile);
    m_hResourceFile = nullptr;
}

WORD CQorResourceManager::GetResourcesLangID() const
{
    return m_pLanguageInfo->wLanguage;
}

const QOR_LANGUAGE_INFO* CQorResourceManager::DetectResourceLanguage(HMODULE hModule)
{
    LanguageWalk walk;
    ::EnumResourceTypesW(hModule != nullptr ? hModule : AfxGetInstanceHandle(), OnType,
                         reinterpret_cast<LONG_PTR>(&walk));
    const QOR_LANGUAGE_INFO* pInfo = walk.wRecorded != 0 ? GetLanguageInfo(walk.wRecorded) : nullptr;
    m_pLanguageInfo = pInfo != nullptr ? pInfo : GetLanguageInfo(kEnglish);
    return m_pLanguageInfo;
}

int CQorResourceManager::GetMenuString(UINT nPos, CMenu* pMenu, CString& str) const
{
    str.Empty();
    HMENU hMenu = pMenu != nullptr ? pMenu->GetSafeHmenu() : nullptr;
    if (hMenu == nullptr)
        return 0;
    int nLength = ::GetMenuStringW(hMenu, nPos, nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return 0;
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1, 0);
    ::GetMenuStringW(hMenu, nPos, buffer.data(), nLength + 1, MF_BYPOSITION);
    str = buffer.data();
    return str.GetLength();
}

int CQorResourceManager::ShowMessageBox(UINT nIDPrompt, UINT nType)
{
    return AfxMessageBox(LoadString(nIDPrompt), nType);
}

CStringA CQorResourceManager::ToResourceCodePage(LPCWSTR lpszText) const
{
    if (lpszText == nullptr)
        return CStringA();
    const UINT nCodePage = m_pLanguageInfo->nCodePage;
    int nBytes = ::WideCharToMultiByte(nCodePage, 0, lpszText, -1, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 1)
        return CStringA();
    std::vector<char> buffer(static_cast<size_t>(nBytes), 0);
    ::WideCharToMultiByte(nCodePage, 0, lpszText, -1, buffer.data(), nBytes, nullptr, nullptr);
    return CStringA(buffer.data());
}

// ---------------------------------------------------------------------------------------

namespace {

CQorProcessSingleton<CQorResourceManager>& ResourceManagerHolder()
{
    // Never destroyed: the exit list, which runs after static destructors, still reaches it.
    static auto* holder = new CQorProcessSingleton<CQorResourceManager>();
    return *holder;
}

} // namespace

CQorResourceManager* CreateResourceManager()
{
    return ResourceManagerHolder().Get([] { return new (std::nothrow) CQorResourceManager(); },
                                       QorDestroyResourceManager, L"ResourceManager");
}

CQorResourceManager* GetResourceManager()
{
    CQorResourceManager* pManager = CreateResourceManager();
    if (pManager == nullptr)
        AfxThrowInvalidArgException();
    return pManager;
}

void QorDestroyResourceManager()
{
    ResourceManagerHolder().Destroy();
}
