#include "platform/browser/TextUtil.h"
#include <cwctype>

namespace fxb {

namespace {

template <class IsSpace> std::wstring TrimWith(const std::wstring& s, IsSpace isSpace)
{
    size_t a = 0, b = s.size();
    while (a < b && isSpace(s[a]))
        ++a;
    while (b > a && isSpace(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

} // namespace

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(towlower(c));
    return s;
}

std::wstring LowerAscii(std::wstring s)
{
    for (wchar_t& c : s)
        c = LowerAscii(c);
    return s;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

std::wstring Trim(const std::wstring& s)
{
    return TrimWith(s, [](wchar_t c) { return iswspace(c) != 0; });
}

std::wstring TrimHtmlSpace(const std::wstring& s)
{
    return TrimWith(s, IsHtmlSpace);
}

} // namespace fxb
