// The language choice: the locale table, the product name from the INI file and
// the stored choice in the registry.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/reader/StringPrinter.h"
#include <fstream>
#include "reader/app/LanguageChoice.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/StoredLanguageChoice.h"

TEST(LanguageChoice, LocaleTableRows)
{
    struct Case
    {
        LCID locale;
        LANGID expected;
    };
    const Case cases[] = {
        // Chinese
        {0x404, 0x404},
        {0xC04, 0x404},
        {0x804, 0x804},
        {0x1004, 0x804},
        {0x1404, 0x804},
        // French: first, Canada, the last regular one and North Africa
        {0x40C, 0x40C},
        {0xC0C, 0x40C},
        {0x3C0C, 0x40C},
        {0xE40C, 0x40C},
        // Korean
        {0x412, 0x412},
        {0x812, 0x412},
        // Arabic and the neutral locale
        {0x401, 0x401},
        {0x2001, 0x401},
        {0x4001, 0x401},
        {0x400, 0x401},
        // Spanish: Spain (traditional), Mexico, modern, US and Latin America
        {0x40A, 0xC0A},
        {0x80A, 0xC0A},
        {0xC0A, 0xC0A},
        {0x540A, 0xC0A},
        {0xE40A, 0xC0A},
        // German
        {0x407, 0x407},
        {0x807, 0x407},
        {0x1407, 0x407},
        // Pairs of Dutch, Greek, Italian, Norwegian, Russian, Swedish
        {0x813, 0x413},
        {0x2008, 0x408},
        {0x810, 0x410},
        {0x814, 0x414},
        {0x819, 0x419},
        {0x81D, 0x41D},
        // Languages that map to themselves
        {0x405, 0x405},
        {0x411, 0x411},
        {0x416, 0x416},
        {0x816, 0x816},
        {0x41F, 0x41F},
        {0x424, 0x424},
        // No language at all
        {0x466, 0},
        {0x46A, 0},
        {0x470, 0},
        {0x479, 0},
        {0x845, 0},
        {0x846, 0},
        {0x851, 0},
        {0x873, 0},
        // English for the rest
        {0x409, 0x409},
        {0x809, 0x409},
        {0x4809, 0x409},
        {0x436, 0x409},
        {0x41C, 0x409},
        {0x403, 0x409},
        {0x41A, 0x409},
        {0x439, 0x409},
        // Not in the table
        {0x0, 0},
        {0x7F, 0},
        {0x47A, 0},
        {0xFFFF, 0},
        {0x10407, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageOfLocale(c.locale), c.expected) << std::hex << "locale 0x" << c.locale;
}

TEST(LanguageChoice, ProductNameComesFromTheIniFile)
{
    testsupport::TempFolder folder;
    const std::wstring ini = folder.File(L"QorTranslations.ini");
    EXPECT_EQ(ReadTranslationProductName(ini.c_str()), CString(L"Folionyx")); // no file
    {
        std::ofstream out(std::string(ini.begin(), ini.end()));
        out << "[Other]\r\nProductName=Nope\r\n";
    }
    EXPECT_EQ(ReadTranslationProductName(ini.c_str()), CString(L"Folionyx")); // no key
    {
        std::ofstream out(std::string(ini.begin(), ini.end()));
        out << "[Common]\r\nProductName=Atlas Books\r\n";
    }
    EXPECT_EQ(ReadTranslationProductName(ini.c_str()), CString(L"Atlas Books"));
    // There is no INI file beside the test program.
    EXPECT_EQ(GetTranslationProductName(), CString(L"Folionyx"));
}

TEST(LanguageChoice, StoredChoiceWinsOverTheUserLocaleUnlessZero)
{
    const wchar_t product[] = L"FolionyxLanguageChoiceTest";
    readertest::StoredLanguageChoice choice(product);
    choice.Remove();
    DWORD stored = 1;
    EXPECT_FALSE(ReadTranslationChoice(product, stored));
    EXPECT_EQ(ChooseLanguageFor(product, 0x80A), 0xC0A); // missing: the user's locale

    choice.Set(0x40C);
    EXPECT_TRUE(ReadTranslationChoice(product, stored));
    EXPECT_EQ(stored, 0x40Cu);
    EXPECT_EQ(ChooseLanguageFor(product, 0x80A), 0x40C);
    EXPECT_EQ(ChooseLanguageFor(L"", 0x80A), 0xC0A); // no product name: no lookup

    choice.Set(0);
    EXPECT_EQ(ChooseLanguageFor(product, 0x439), 0x409); // zero: the user's locale
    choice.Set(0x46A);
    EXPECT_EQ(ChooseLanguageFor(product, 0x407), 0);
}

TEST(LanguageChoice, WithoutIniFileTheFolionyxValueIsUsed)
{
    readertest::StoredLanguageChoice choice(L"Folionyx");
    choice.Set(0x100C); // French (Switzerland)
    EXPECT_EQ(ChooseLanguage(), 0x40C);
    choice.Remove();
    EXPECT_EQ(ChooseLanguage(), LanguageOfLocale(GetUserDefaultLCID()));
}
