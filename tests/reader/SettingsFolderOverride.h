// Points the reader's settings folder (the registry value "Settings folder" under the user's
// reader key) at another folder for as long as the object lives, and puts back whatever was
// there before.
#pragma once
#include <windows.h>
#include <string>

namespace readertest {

class SettingsFolderOverride
{
public:
    explicit SettingsFolderOverride(const std::wstring& folder)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Vemlorat\\Folionyx", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_key, nullptr);
        wchar_t old[1024] = {};
        DWORD size = sizeof(old) - sizeof(wchar_t);
        m_bHadValue =
            ::RegQueryValueExW(m_key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        m_old = old;
        Set(folder);
    }
    ~SettingsFolderOverride()
    {
        if (m_bHadValue)
            Set(m_old);
        else
            ::RegDeleteValueW(m_key, kValue);
        ::RegCloseKey(m_key);
    }
    SettingsFolderOverride(const SettingsFolderOverride&) = delete;
    SettingsFolderOverride& operator=(const SettingsFolderOverride&) = delete;

private:
    static constexpr const wchar_t* kValue = L"Settings folder";

    void Set(const std::wstring& folder)
    {
        ::RegSetValueExW(m_key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                         DWORD((folder.size() + 1) * sizeof(wchar_t)));
    }

    HKEY m_key = nullptr;
    bool m_bHadValue = false;
    std::wstring m_old;
};

} // namespace readertest
