// Small string helpers shared by the parsers, the style engine, addresses and the control.
#pragma once
#include <string>

namespace fxb {

// Every character lower-cased by towlower (the C runtime's current locale).
std::wstring Lower(std::wstring s);

// Only A-Z lower-cased, for names whose comparison must not depend on the locale. Inline: the
// tokenizer calls it for every character of every tag name.
inline wchar_t LowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
}
std::wstring LowerAscii(std::wstring s);

// The value of a hexadecimal digit (either case), -1 for any other character.
int HexDigit(wchar_t c);

// The white space of markup and style sheets: space, tab, line feed, carriage return, form feed.
inline bool IsHtmlSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

// Without leading and trailing white space in the wide sense of iswspace.
std::wstring Trim(const std::wstring& s);
// Without leading and trailing markup white space only (a no-break space stays).
std::wstring TrimHtmlSpace(const std::wstring& s);

} // namespace fxb
