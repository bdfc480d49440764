// Which user-interface language the reader runs in, as a Windows language id.
// The user's stored choice (registry, under a product name taken from an INI file
// beside the executable) wins over the user's default locale; a table maps the
// locale to a language the reader has a module for, to English, or to 0.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

// "ProductName" of section "Common" in "QorTranslations.ini" beside the
// executable; "Folionyx" when the file or the key is missing.
CString GetTranslationProductName();
// The same, from a given INI file.
CString ReadTranslationProductName(LPCWSTR iniPath);

// The locale id stored under HKCU\Software\Vemlorat\QorTranslations\ as a DWORD
// value named after the product; false when the key or value is missing.
bool ReadTranslationChoice(LPCWSTR productName, DWORD& localeId);

// The language id that the reader uses for a locale; 0 for an unknown locale.
LANGID LanguageOfLocale(LCID localeId);

// The stored choice when there is a non-zero one, else `userLocale`, mapped by the table.
LANGID ChooseLanguageFor(LPCWSTR productName, LCID userLocale);
// ChooseLanguageFor(GetTranslationProductName(), GetUserDefaultLCID()).
LANGID ChooseLanguage();
