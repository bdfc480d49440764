// Work folder, settings folder, executable folder, version codes and the
// registry string reader.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/reader/StringPrinter.h"
#include "reader/app/AppFolders.h"
#include "tests/common/WineTestSupport.h"

namespace {

bool FolderExists(const CString& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A registry key of the current user that is removed with everything under it.
class ScratchKey
{
public:
    explicit ScratchKey(const wchar_t* subKey) : m_subKey(subKey)
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, subKey);
        RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~ScratchKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_subKey.c_str());
    }
    void Set(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
    }

private:
    std::wstring m_subKey;
    HKEY m_key = nullptr;
};

SettingsFolderSources Sources(const CString& userName, const CString& registryFolder, int versionCode,
                              const CString& low, const CString& appData, const CString& exe, int* asked)
{
    SettingsFolderSources s;
    s.userName = userName;
    s.registryFolder = registryFolder;
    s.versionCode = versionCode;
    s.localAppDataLow = [low, asked] {
        ++asked[0];
        return low;
    };
    s.appDataFolder = [appData, asked] {
        ++asked[1];
        return appData;
    };
    s.exeFolder = [exe, asked] {
        ++asked[2];
        return exe;
    };
    return s;
}

} // namespace

TEST(AppFolders, WindowsVersionCodes)
{
    struct Case
    {
        DWORD platform, major, minor;
        int code;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32s, 3, 1, 1},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 3},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 4},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 3, 0},
        {VER_PLATFORM_WIN32_NT, 4, 0, 5},
        {VER_PLATFORM_WIN32_NT, 3, 51, 5},
        {VER_PLATFORM_WIN32_NT, 5, 0, 6},
        {VER_PLATFORM_WIN32_NT, 5, 1, 7},
        {VER_PLATFORM_WIN32_NT, 5, 2, 8},
        {VER_PLATFORM_WIN32_NT, 6, 0, 9},
        {VER_PLATFORM_WIN32_NT, 6, 1, 9},
        {VER_PLATFORM_WIN32_NT, 5, 3, 0},
        {VER_PLATFORM_WIN32_NT, 10, 0, 0},
        {7, 6, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowsVersionCodeOf(c.platform, c.major, c.minor), c.code)
            << c.platform << " " << c.major << "." << c.minor;
    // This Wine reports a Vista-class system.
    EXPECT_EQ(GetWindowsVersionCode(), 9);
}

TEST(AppFolders, WorkFolderUnderTheTemporaryPath)
{
    testsupport::TempFolder temp;
    const CString base = CString(temp.Path().c_str()) + L"Local\\Temp\\";
    // Vista class outside protected mode: a "Low" folder is inserted.
    EXPECT_EQ(ComposeWorkFolder(base, 9, FALSE), base + L"Low\\Folionyx\\");
    EXPECT_TRUE(FolderExists(base + L"Low\\Folionyx\\"));
    // Protected mode whose temporary path is already a "Low" one: nothing inserted.
    const CString low = CString(temp.Path().c_str()) + L"Temp\\low\\";
    EXPECT_EQ(ComposeWorkFolder(low, 9, TRUE), low + L"Folionyx\\");
    // Protected mode with an ordinary temporary path: inserted.
    const CString plain = CString(temp.Path().c_str()) + L"P";
    EXPECT_EQ(ComposeWorkFolder(plain, 9, TRUE), plain + L"\\Low\\Folionyx\\");
    // Windows XP: just the program's folder.
    const CString xp = CString(temp.Path().c_str()) + L"XP\\";
    EXPECT_EQ(ComposeWorkFolder(xp, 7, FALSE), xp + L"Folionyx\\");
    EXPECT_TRUE(FolderExists(xp + L"Folionyx\\"));
    EXPECT_FALSE(FolderExists(xp + L"Low\\"));

    CString work = GetWorkFolder();
    EXPECT_TRUE(FolderExists(work));
    EXPECT_EQ(work.Right(13), CString(L"Low\\Folionyx\\"));
}

TEST(AppFolders, SettingsFolderChoices)
{
    testsupport::TempFolder temp;
    const CString root(temp.Path().c_str());
    int asked[3] = {};
    // The service account keeps its settings beside the executable, uncreated.
    EXPECT_EQ(ComposeSettingsFolder(Sources(L"network service", L"X:\\r", 9, L"", L"", root + L"exe\\", asked)),
              root + L"exe\\NetlendSettings\\");
    EXPECT_FALSE(FolderExists(root + L"exe\\NetlendSettings\\"));
    EXPECT_EQ(ComposeSettingsFolder(Sources(L"Network Service", L"", 7, L"", L"", root + L"e\\", asked)),
              root + L"e\\NetlendSettings\\");
    // The registry folder gets its separator and is created.
    EXPECT_EQ(ComposeSettingsFolder(Sources(L"u", root + L"Cache", 9, L"", L"", L"", asked)), root + L"Cache\\");
    EXPECT_TRUE(FolderExists(root + L"Cache\\"));
    EXPECT_EQ(asked[0] + asked[1], 0);
    // Vista class: LocalAppDataLow when there is one, else the application-data folder.
    EXPECT_EQ(ComposeSettingsFolder(Sources(L"u", L"", 9, root + L"LowData\\", root + L"Roaming\\", L"", asked)),
              root + L"LowData\\Folionyx\\");
    EXPECT_EQ(asked[1], 0);
    EXPECT_EQ(ComposeSettingsFolder(Sources(L"u", L"", 9, L"", root + L"Roaming\\", L"", asked)),
              root + L"Roaming\\Folionyx\\");
    // Older systems never ask for LocalAppDataLow.
    asked[0] = 0;
    EXPECT_EQ(ComposeSettingsFolder(Sources(L"u", L"", 7, root + L"LowData\\", root + L"Roaming\\", L"", asked)),
              root + L"Roaming\\Folionyx\\");
    EXPECT_EQ(asked[0], 0);
    EXPECT_TRUE(FolderExists(root + L"Roaming\\Folionyx\\"));
}

TEST(AppFolders, SettingsFolderFromTheRegistry)
{
    testsupport::TempFolder temp;
    const std::wstring cache = temp.Path() + L"Cache";
    {
        ScratchKey key(L"Software\\Vemlorat\\Folionyx");
        key.Set(L"Settings folder", REG_SZ, cache.c_str(), DWORD((cache.size() + 1) * sizeof(wchar_t)));
        EXPECT_EQ(GetSettingsFolder(), CString(cache.c_str()) + L"\\");
        EXPECT_TRUE(FolderExists(CString(cache.c_str())));
    }
    CString fallback = GetSettingsFolder();
    EXPECT_EQ(fallback.Right(9), CString(L"Folionyx\\"));
    EXPECT_TRUE(FolderExists(fallback));
}

TEST(AppFolders, RegistryStringsAreAlwaysTerminated)
{
    ScratchKey key(L"Software\\FolionyxTests\\Registry");
    // Stored without a terminator: nothing after the stored characters may leak in.
    const wchar_t unterminated[] = L"abcXYZ";
    key.Set(L"Unterminated", REG_SZ, unterminated, 3 * sizeof(wchar_t));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"Unterminated", L"d"), CString(L"abc"));
    // An odd byte count drops the half character.
    key.Set(L"Odd", REG_SZ, unterminated, 5);
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"Odd", L"d"), CString(L"ab"));
    // A value that fills the whole buffer is still terminated.
    std::wstring longest(1022, L'q');
    key.Set(L"Longest", REG_SZ, longest.c_str(), DWORD(longest.size() * sizeof(wchar_t)));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"Longest", L"d"), CString(longest.c_str()));
    // Too long for the buffer: the default.
    std::wstring tooLong(1500, L'q');
    key.Set(L"TooLong", REG_SZ, tooLong.c_str(), DWORD((tooLong.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"TooLong", L"d"), CString(L"d"));
    // Not a string, missing value, missing key.
    DWORD number = 0x41414141;
    key.Set(L"Number", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"Number", L"d"), CString(L"d"));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"Missing", L"d"), CString(L"d"));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\NoKey", L"Missing", nullptr), CString());
    const wchar_t terminated[] = L"D:\\Cache";
    key.Set(L"Plain", REG_SZ, terminated, sizeof(terminated));
    EXPECT_EQ(ReadUserRegistryString(L"Software\\FolionyxTests\\Registry", L"Plain", nullptr), CString(L"D:\\Cache"));
}

TEST(AppFolders, ExeFolderIsTheProgramsFolder)
{
    CString folder = GetExeFolder();
    EXPECT_EQ(folder, CString(testsupport::ExecutableFolder().c_str()));
    EXPECT_EQ(IsProtectedModeProcess(), FALSE);
}
