// Where the reader keeps its files: the executable's folder, the per-user work
// folder for extracted pages, attachments and modules, and the settings folder
// for cached data. Also the system facts those choices depend on.
#pragma once
#include <windows.h>
#include <functional>
#include "platform/framework/Strings.h"

// Windows version codes: 1 Win32s, 2 Windows 95, 3 Windows 98, 4 Windows Me,
// 5 NT 4 or older, 6 Windows 2000, 7 XP, 8 Server 2003, 9 Vista class; 0 unknown.
int GetWindowsVersionCode();
int WindowsVersionCodeOf(DWORD platformId, DWORD major, DWORD minor);

// Whether the process runs in the browser's protected mode (ieframe.dll's answer,
// when that module is loaded and can tell); a successful answer is kept.
BOOL IsProtectedModeProcess();

// Drive and folder of the running executable's long path, ending in a backslash.
CString GetExeFolder();

// The per-user folder for extracted files, ending in a backslash, created when missing.
CString GetWorkFolder();
// The same for given system facts (a temporary path, a version code, protected mode).
CString ComposeWorkFolder(const CString& tempPath, int versionCode, BOOL protectedMode);

// The folder for cached data, ending in a backslash, created when missing
// (except the service folder beside the executable).
CString GetSettingsFolder();

// The facts GetSettingsFolder decides on; the folder sources are asked only when
// they are needed.
struct SettingsFolderSources
{
    CString userName;
    CString registryFolder; // "Settings folder" under the user's key
    int versionCode = 0;
    std::function<CString()> localAppDataLow; // with a trailing separator, or empty
    std::function<CString()> appDataFolder;   // with a trailing separator
    std::function<CString()> exeFolder;
};
CString ComposeSettingsFolder(const SettingsFolderSources& sources);

// A string value under HKEY_CURRENT_USER\subKey; `defaultValue` (or empty) when the
// key or value cannot be read or is not a string. The result is always terminated
// at the stored length, whatever the stored data holds.
CString ReadUserRegistryString(LPCWSTR subKey, LPCWSTR valueName, LPCWSTR defaultValue);
