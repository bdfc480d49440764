// Sets or removes the reader's stored language choice (a DWORD under the
// user's QorTranslations key) for the length of a test, and puts back whatever
// was there before.
#pragma once
#include <windows.h>
#include <string>

namespace readertest {

inline const wchar_t* StoredChoiceKey()
{
    return L"Software\\Vemlorat\\QorTranslations\\";
}

class StoredLanguageChoice
{
public:
    explicit StoredLanguageChoice(const wchar_t* product) : m_product(product)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, StoredChoiceKey(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            DWORD size = sizeof(m_old);
            m_hadOld = RegQueryValueExW(key, product, nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old), &size) ==
                       ERROR_SUCCESS;
            RegCloseKey(key);
        }
    }
    ~StoredLanguageChoice()
    {
        if (m_hadOld)
            Set(m_old);
        else
            Remove();
    }
    void Set(DWORD value)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, StoredChoiceKey(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(key, m_product.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }
    void Remove()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, StoredChoiceKey(), 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, m_product.c_str());
            RegCloseKey(key);
        }
    }

private:
    std::wstring m_product;
    DWORD m_old = 0;
    bool m_hadOld = false;
};

} // namespace readertest
