#include "reader/app/AppFolders.h"
#include <shlobj.h>
#include <shlwapi.h>
#include "reader/app/FileUtil.h"

namespace {

typedef HRESULT(WINAPI* IEIsProtectedModeProcessFn)(BOOL*);
typedef HRESULT(WINAPI* SHGetKnownFolderPathFn)(REFGUID, DWORD, HANDLE, PWSTR*);

// FOLDERID_LocalAppDataLow
const GUID kLocalAppDataLow = {0xA520A1A4, 0x1780, 0x4FF6, {0xBD, 0x18, 0x16, 0x73, 0x43, 0xC5, 0xAF, 0x16}};

bool ContainsNoCase(const CString& text, LPCWSTR part)
{
    return StrStrIW(text, part) != nullptr;
}

const CString& CachedUserName()
{
    static const CString name = [] {
        wchar_t buffer[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH + 1;
        return GetUserNameW(buffer, &size) ? CString(buffer) : CString();
    }();
    return name;
}

const CString& CachedLocalAppDataLow()
{
    static const CString folder = [] {
        CString path;
        HMODULE shell = GetModuleHandleW(L"shell32.dll");
        if (shell == nullptr)
            shell = LoadLibraryW(L"shell32.dll");
        auto query = shell != nullptr
                         ? reinterpret_cast<SHGetKnownFolderPathFn>(GetProcAddress(shell, "SHGetKnownFolderPath"))
                         : nullptr;
        PWSTR known = nullptr;
        if (query != nullptr && SUCCEEDED(query(kLocalAppDataLow, 0, nullptr, &known)) && known != nullptr) {
            path = known;
            AppendPathSeparator(path);
            EnsureFolder(path);
        }
        CoTaskMemFree(known);
        return path;
    }();
    return folder;
}

const CString& CachedAppDataFolder()
{
    static const CString folder = [] {
        wchar_t buffer[MAX_PATH + 1] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer)))
            return GetExeFolder();
        CString path(buffer);
        AppendPathSeparator(path);
        return path;
    }();
    return folder;
}

} // namespace

int WindowsVersionCodeOf(DWORD platformId, DWORD major, DWORD minor)
{
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return 1;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (major == 4) {
            if (minor == 0)
                return 2;
            if (minor == 10)
                return 3;
            if (minor == 90)
                return 4;
        }
        return 0;
    case VER_PLATFORM_WIN32_NT:
        if (major == 6)
            return 9;
        if (major == 5) {
            if (minor == 0)
                return 6;
            if (minor == 1)
                return 7;
            if (minor == 2)
                return 8;
            return 0;
        }
        if (major <= 4)
            return 5;
        return 0;
    default:
        return 0;
    }
}

int GetWindowsVersionCode()
{
    OSVERSIONINFOEXW info;
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
            return 0;
    }
    return WindowsVersionCodeOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

BOOL IsProtectedModeProcess()
{
    static bool known = false;
    static BOOL answer = FALSE;
    if (known)
        return answer;
    HMODULE ieframe = GetModuleHandleW(L"ieframe.dll");
    if (ieframe == nullptr)
        return FALSE;
    auto query = reinterpret_cast<IEIsProtectedModeProcessFn>(GetProcAddress(ieframe, "IEIsProtectedModeProcess"));
    if (query == nullptr)
        return FALSE;
    BOOL result = FALSE;
    if (FAILED(query(&result)))
        return FALSE;
    answer = result;
    known = true;
    return answer;
}

CString GetExeFolder()
{
    wchar_t module[1024 + 1] = {};
    DWORD length = GetModuleFileNameW(nullptr, module, 1024);
    module[length < 1024 ? length : 1024] = 0;
    return GetFolderOfPath(GetLongPath(module));
}

CString ComposeWorkFolder(const CString& tempPath, int versionCode, BOOL protectedMode)
{
    CString path(tempPath);
    if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\')
        path += L'\\';
    if (versionCode == 9 && (!protectedMode || !ContainsNoCase(path, L"\\Low\\"))) {
        path += L"Low\\";
        EnsureFolder(path);
    }
    path += L"Folionyx\\";
    EnsureFolder(path);
    return path;
}

CString GetWorkFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length > MAX_PATH)
        temp[0] = 0;
    return ComposeWorkFolder(CString(temp), GetWindowsVersionCode(), IsProtectedModeProcess());
}

CString ComposeSettingsFolder(const SettingsFolderSources& sources)
{
    if (sources.userName.CompareNoCase(L"NETWORK SERVICE") == 0)
        return sources.exeFolder() + L"NetlendSettings\\";
    CString folder = sources.registryFolder;
    if (folder.IsEmpty() && sources.versionCode == 9) {
        CString low = sources.localAppDataLow();
        if (!low.IsEmpty())
            folder = low + L"Folionyx";
    }
    if (folder.IsEmpty())
        folder = sources.appDataFolder() + L"Folionyx";
    AppendPathSeparator(folder);
    EnsureFolder(folder);
    return folder;
}

CString GetSettingsFolder()
{
    SettingsFolderSources sources;
    sources.userName = CachedUserName();
    sources.registryFolder = ReadUserRegistryString(L"Software\\Vemlorat\\Folionyx", L"Settings folder", L"");
    sources.versionCode = GetWindowsVersionCode();
    sources.localAppDataLow = [] { return CachedLocalAppDataLow(); };
    sources.appDataFolder = [] { return CachedAppDataFolder(); };
    sources.exeFolder = [] { return GetExeFolder(); };
    return ComposeSettingsFolder(sources);
}

CString ReadUserRegistryString(LPCWSTR subKey, LPCWSTR valueName, LPCWSTR defaultValue)
{
    const CString fallback = defaultValue != nullptr ? CString(defaultValue) : CString();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    enum { kChars = 1024 };
    wchar_t buffer[kChars] = {};
    DWORD type = 0;
    // One character is kept back so that the text can always be terminated,
    // even when the stored data carries no terminator of its own.
    DWORD size = (kChars - 1) * sizeof(wchar_t);
    LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    DWORD chars = size / sizeof(wchar_t);
    buffer[chars < kChars ? chars : kChars - 1] = 0;
    return CString(buffer);
}
