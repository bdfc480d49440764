#include "platform/framework/Strings.h"
#include "platform/framework/AfxState.h"
#include "platform/framework/Exceptions.h"

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <cctype>

namespace framework_strings {

template <> struct CharTraits<wchar_t>
{
    static int Length(const wchar_t* s) { return s ? static_cast<int>(wcslen(s)) : 0; }
    // The C runtime's own printf (not MinGW's ISO one): %s is a wide string here.
    static int CountFormatted(const wchar_t* format, va_list args) { return _vscwprintf(format, args); }
    static int FormatInto(wchar_t* buffer, size_t count, const wchar_t* format, va_list args)
    {
        return _vsnwprintf(buffer, count, format, args);
    }
    static bool IsSpace(wchar_t ch) { return iswspace(ch) != 0; }
    static void Upper(wchar_t* s, int n)
    {
        if (n > 0)
            CharUpperBuffW(s, n);
    }
    static void Lower(wchar_t* s, int n)
    {
        if (n > 0)
            CharLowerBuffW(s, n);
    }
    static wchar_t LowerChar(wchar_t ch)
    {
        if (ch < 0x80)
            return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + 32) : ch;
        CharLowerBuffW(&ch, 1);
        return ch;
    }
    static int Collate(const wchar_t* a, const wchar_t* b, DWORD flags)
    {
        return CompareStringW(LOCALE_USER_DEFAULT, flags, a, -1, b, -1) - CSTR_EQUAL;
    }
    // Converts 8-bit text of a code page into this character type.
    static std::wstring Convert(const char* text, int length, UINT codePage)
    {
        std::wstring out;
        if (!text || length == 0)
            return out;
        if (length < 0)
            length = static_cast<int>(strlen(text));
        int needed = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
        if (needed <= 0)
            return out;
        out.resize(needed);
        MultiByteToWideChar(codePage, 0, text, length, &out[0], needed);
        return out;
    }
};

template <> struct CharTraits<char>
{
    static int Length(const char* s) { return s ? static_cast<int>(strlen(s)) : 0; }
    // The C runtime's own printf: in 8-bit text %s is an 8-bit string and %S a wide one.
    static int CountFormatted(const char* format, va_list args) { return _vscprintf(format, args); }
    static int FormatInto(char* buffer, size_t count, const char* format, va_list args)
    {
        return _vsnprintf(buffer, count, format, args);
    }
    static bool IsSpace(char ch) { return isspace(static_cast<unsigned char>(ch)) != 0; }
    static void Upper(char* s, int n)
    {
        if (n > 0)
            CharUpperBuffA(s, n);
    }
    static void Lower(char* s, int n)
    {
        if (n > 0)
            CharLowerBuffA(s, n);
    }
    static char LowerChar(char ch)
    {
        if (static_cast<unsigned char>(ch) < 0x80)
            return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch;
        CharLowerBuffA(&ch, 1);
        return ch;
    }
    static int Collate(const char* a, const char* b, DWORD flags)
    {
        return CompareStringA(LOCALE_USER_DEFAULT, flags, a, -1, b, -1) - CSTR_EQUAL;
    }
    static std::string Convert(const wchar_t* text, int length, UINT codePage)
    {
        std::string out;
        if (!text || length == 0)
            return out;
        if (length < 0)
            length = static_cast<int>(wcslen(text));
        int needed = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
        if (needed <= 0)
            return out;
        out.resize(needed);
        WideCharToMultiByte(codePage, 0, text, length, &out[0], needed, nullptr, nullptr);
        return out;
    }
};

// Length of the leading run of s whose characters are (or, when including is false, are not)
// in the set.
template <typename XCHAR> int SpanLength(const XCHAR* s, int length, const XCHAR* set, bool including)
{
    int setLength = CharTraits<XCHAR>::Length(set);
    int n = 0;
    for (; n < length; ++n) {
        bool inSet = std::char_traits<XCHAR>::find(set, setLength, s[n]) != nullptr;
        if (inSet != including)
            break;
    }
    return n;
}

} // namespace framework_strings

using framework_strings::CharTraits;

template <typename XCHAR, typename Derived> XCHAR CStringBase<XCHAR, Derived>::GetAt(int index) const
{
    // Reading at the length gives the terminating null, as with the raw buffer.
    if (index < 0 || index > GetLength())
        return XCHAR();
    return m_text.c_str()[index];
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::SetAt(int index, XCHAR ch)
{
    if (index >= 0 && index < GetLength())
        m_text[index] = ch;
}

template <typename XCHAR, typename Derived> XCHAR* CStringBase<XCHAR, Derived>::GetBuffer()
{
    return &m_text[0];
}

template <typename XCHAR, typename Derived> XCHAR* CStringBase<XCHAR, Derived>::GetBuffer(int minLength)
{
    // The buffer holds minLength characters plus the terminating null.
    if (minLength > GetLength())
        m_text.resize(minLength);
    return &m_text[0];
}

template <typename XCHAR, typename Derived> XCHAR* CStringBase<XCHAR, Derived>::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? length : 0);
    return &m_text[0];
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::ReleaseBuffer(int newLength)
{
    int size = GetLength();
    if (newLength < 0) {
        const XCHAR* data = m_text.c_str();
        newLength = 0;
        while (newLength < size && data[newLength] != XCHAR())
            ++newLength;
    }
    m_text.resize(newLength < size ? newLength : size);
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::SetString(const XCHAR* text)
{
    SetString(text, CharTraits<XCHAR>::Length(text));
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::SetString(const XCHAR* text, int length)
{
    if (!text || length <= 0)
        m_text.clear();
    else
        m_text.assign(text, length); // assign copes with text inside this string
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::Append(const XCHAR* text)
{
    Append(text, CharTraits<XCHAR>::Length(text));
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::Append(const XCHAR* text, int length)
{
    if (text && length > 0)
        m_text.append(text, length);
}

template <typename XCHAR, typename Derived>
void CStringBase<XCHAR, Derived>::AssignConverted(const YCHAR* text, int length, UINT codePage)
{
    m_text = CharTraits<XCHAR>::Convert(text, length, codePage);
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::Format(const XCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::Format(UINT formatId, ...)
{
    Derived format;
    format.LoadString(formatId);
    va_list args;
    va_start(args, formatId);
    FormatV(format.GetString(), args);
    va_end(args);
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::FormatV(const XCHAR* format, va_list args)
{
    m_text.clear();
    AppendFormatV(format, args);
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::AppendFormat(const XCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

template <typename XCHAR, typename Derived>
void CStringBase<XCHAR, Derived>::AppendFormatV(const XCHAR* format, va_list args)
{
    if (!format)
        return;
    va_list counting;
    va_copy(counting, args);
    int count = CharTraits<XCHAR>::CountFormatted(format, counting);
    va_end(counting);
    if (count <= 0)
        return;
    size_t old = m_text.size();
    m_text.resize(old + count);
    int written = CharTraits<XCHAR>::FormatInto(&m_text[old], count + 1, format, args);
    m_text.resize(old + (written < 0 ? 0 : (written > count ? count : written)));
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Find(XCHAR ch, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    size_t pos = m_text.find(ch, start);
    return pos == std::basic_string<XCHAR>::npos ? -1 : static_cast<int>(pos);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Find(const XCHAR* sub, int start) const
{
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    size_t pos = m_text.find(sub, start);
    return pos == std::basic_string<XCHAR>::npos ? -1 : static_cast<int>(pos);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::ReverseFind(XCHAR ch) const
{
    size_t pos = m_text.rfind(ch);
    return pos == std::basic_string<XCHAR>::npos ? -1 : static_cast<int>(pos);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::FindOneOf(const XCHAR* charSet) const
{
    if (!charSet || !*charSet)
        return -1;
    size_t pos = m_text.find_first_of(charSet);
    return pos == std::basic_string<XCHAR>::npos ? -1 : static_cast<int>(pos);
}

template <typename XCHAR, typename Derived> Derived CStringBase<XCHAR, Derived>::Mid(int first, int count) const
{
    int length = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > length)
        first = length;
    if (count > length - first)
        count = length - first;
    return Derived(m_text.c_str() + first, count);
}

template <typename XCHAR, typename Derived> Derived CStringBase<XCHAR, Derived>::Left(int count) const
{
    return Mid(0, count);
}

template <typename XCHAR, typename Derived> Derived CStringBase<XCHAR, Derived>::Right(int count) const
{
    int length = GetLength();
    if (count < 0)
        count = 0;
    if (count > length)
        count = length;
    return Mid(length - count, count);
}

template <typename XCHAR, typename Derived>
Derived CStringBase<XCHAR, Derived>::SpanIncluding(const XCHAR* charSet) const
{
    if (!charSet)
        return Derived();
    return Left(framework_strings::SpanLength(m_text.c_str(), GetLength(), charSet, true));
}

template <typename XCHAR, typename Derived>
Derived CStringBase<XCHAR, Derived>::SpanExcluding(const XCHAR* charSet) const
{
    if (!charSet)
        return static_cast<const Derived&>(*this);
    return Left(framework_strings::SpanLength(m_text.c_str(), GetLength(), charSet, false));
}

template <typename XCHAR, typename Derived>
Derived CStringBase<XCHAR, Derived>::Tokenize(const XCHAR* delimiters, int& start) const
{
    int length = GetLength();
    if (start < 0 || start >= length) {
        start = -1;
        return Derived();
    }
    if (!delimiters || !*delimiters) {
        // No delimiters: the rest is one token, and the next call ends the loop.
        Derived rest = Mid(start);
        start = length;
        return rest;
    }
    const XCHAR* data = m_text.c_str();
    int tokenStart = start + framework_strings::SpanLength(data + start, length - start, delimiters, true);
    if (tokenStart >= length) {
        start = -1;
        return Derived();
    }
    int tokenLength = framework_strings::SpanLength(data + tokenStart, length - tokenStart, delimiters, false);
    // Past the token and the delimiter that ended it (beyond the length when none did).
    start = tokenStart + tokenLength + 1;
    return Mid(tokenStart, tokenLength);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Replace(XCHAR oldCh, XCHAR newCh)
{
    int count = 0;
    if (oldCh == newCh)
        return 0;
    for (auto& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

template <typename XCHAR, typename Derived>
int CStringBase<XCHAR, Derived>::Replace(const XCHAR* oldText, const XCHAR* newText)
{
    int oldLength = CharTraits<XCHAR>::Length(oldText);
    if (oldLength == 0)
        return 0;
    int newLength = CharTraits<XCHAR>::Length(newText);
    std::basic_string<XCHAR> result;
    int count = 0;
    size_t from = 0;
    for (;;) {
        size_t pos = m_text.find(oldText, from, oldLength);
        if (pos == std::basic_string<XCHAR>::npos)
            break;
        result.append(m_text, from, pos - from);
        if (newLength > 0)
            result.append(newText, newLength);
        from = pos + oldLength;
        ++count;
    }
    if (count > 0) {
        result.append(m_text, from, std::basic_string<XCHAR>::npos);
        m_text.swap(result);
    }
    return count;
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Remove(XCHAR ch)
{
    size_t before = m_text.size();
    size_t out = 0;
    for (size_t i = 0; i < before; ++i) {
        if (m_text[i] != ch)
            m_text[out++] = m_text[i];
    }
    m_text.resize(out);
    return static_cast<int>(before - out);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Insert(int index, XCHAR ch)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    m_text.insert(m_text.begin() + index, ch);
    return GetLength();
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Insert(int index, const XCHAR* text)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    int length = CharTraits<XCHAR>::Length(text);
    if (length > 0) {
        std::basic_string<XCHAR> copy(text, length); // text may point into this string
        m_text.insert(index, copy);
    }
    return GetLength();
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Delete(int index, int count)
{
    int length = GetLength();
    if (index < 0)
        index = 0;
    if (count > 0 && index < length) {
        if (count > length - index)
            count = length - index;
        m_text.erase(index, count);
    }
    return GetLength();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::TrimLeft()
{
    size_t n = 0;
    while (n < m_text.size() && CharTraits<XCHAR>::IsSpace(m_text[n]))
        ++n;
    m_text.erase(0, n);
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::TrimLeft(XCHAR ch)
{
    size_t n = 0;
    while (n < m_text.size() && m_text[n] == ch)
        ++n;
    m_text.erase(0, n);
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::TrimLeft(const XCHAR* charSet)
{
    if (charSet)
        m_text.erase(0, framework_strings::SpanLength(m_text.c_str(), GetLength(), charSet, true));
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::TrimRight()
{
    size_t n = m_text.size();
    while (n > 0 && CharTraits<XCHAR>::IsSpace(m_text[n - 1]))
        --n;
    m_text.resize(n);
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::TrimRight(XCHAR ch)
{
    size_t n = m_text.size();
    while (n > 0 && m_text[n - 1] == ch)
        --n;
    m_text.resize(n);
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::TrimRight(const XCHAR* charSet)
{
    if (!charSet)
        return Self();
    int setLength = CharTraits<XCHAR>::Length(charSet);
    size_t n = m_text.size();
    while (n > 0 && std::char_traits<XCHAR>::find(charSet, setLength, m_text[n - 1]))
        --n;
    m_text.resize(n);
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::MakeUpper()
{
    if (!m_text.empty())
        CharTraits<XCHAR>::Upper(&m_text[0], GetLength());
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::MakeLower()
{
    if (!m_text.empty())
        CharTraits<XCHAR>::Lower(&m_text[0], GetLength());
    return Self();
}

template <typename XCHAR, typename Derived> Derived& CStringBase<XCHAR, Derived>::MakeReverse()
{
    std::basic_string<XCHAR> reversed(m_text.rbegin(), m_text.rend());
    m_text.swap(reversed);
    return Self();
}

template <typename XCHAR, typename Derived> void CStringBase<XCHAR, Derived>::Truncate(int length)
{
    if (length >= 0 && length < GetLength())
        m_text.resize(length);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Compare(const XCHAR* other) const
{
    const XCHAR* a = m_text.c_str();
    const XCHAR* b = other ? other : m_text.c_str() + m_text.size();
    for (;; ++a, ++b) {
        // Compared as unsigned code units, so that 8-bit text above 0x7F sorts after ASCII.
        auto ca = static_cast<std::make_unsigned_t<XCHAR>>(*a);
        auto cb = static_cast<std::make_unsigned_t<XCHAR>>(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (!ca)
            return 0;
    }
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::CompareNoCase(const XCHAR* other) const
{
    const XCHAR* a = m_text.c_str();
    const XCHAR* b = other ? other : m_text.c_str() + m_text.size();
    for (;; ++a, ++b) {
        auto ca = static_cast<std::make_unsigned_t<XCHAR>>(*a);
        auto cb = static_cast<std::make_unsigned_t<XCHAR>>(*b);
        if (ca != cb) {
            ca = static_cast<std::make_unsigned_t<XCHAR>>(CharTraits<XCHAR>::LowerChar(*a));
            cb = static_cast<std::make_unsigned_t<XCHAR>>(CharTraits<XCHAR>::LowerChar(*b));
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        if (!ca)
            return 0;
    }
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::Collate(const XCHAR* other) const
{
    const XCHAR empty[1] = {};
    return CharTraits<XCHAR>::Collate(m_text.c_str(), other ? other : empty, 0);
}

template <typename XCHAR, typename Derived> int CStringBase<XCHAR, Derived>::CollateNoCase(const XCHAR* other) const
{
    const XCHAR empty[1] = {};
    return CharTraits<XCHAR>::Collate(m_text.c_str(), other ? other : empty, NORM_IGNORECASE);
}

template <typename XCHAR, typename Derived> BOOL CStringBase<XCHAR, Derived>::LoadString(UINT id)
{
    return LoadString(AfxGetResourceHandle(), id);
}

template <typename XCHAR, typename Derived> BOOL CStringBase<XCHAR, Derived>::LoadString(HINSTANCE instance, UINT id)
{
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself,
    // so strings of any length load without guessing a buffer size.
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource)
        return FALSE;
    if constexpr (std::is_same<XCHAR, wchar_t>::value)
        m_text.assign(resource, length);
    else
        m_text = CharTraits<XCHAR>::Convert(resource, length, CP_ACP);
    return TRUE;
}

template <typename XCHAR, typename Derived> BSTR CStringBase<XCHAR, Derived>::AllocSysString() const
{
    BSTR result;
    if constexpr (std::is_same<XCHAR, wchar_t>::value) {
        result = SysAllocStringLen(m_text.c_str(), static_cast<UINT>(m_text.size()));
    } else {
        std::wstring wide = CharTraits<wchar_t>::Convert(m_text.c_str(), GetLength(), CP_ACP);
        result = SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
    }
    if (!result)
        AfxThrowMemoryException();
    return result;
}

template <typename XCHAR, typename Derived> BSTR CStringBase<XCHAR, Derived>::SetSysString(BSTR* target) const
{
    BSTR copy = AllocSysString();
    if (*target)
        SysFreeString(*target);
    *target = copy;
    return copy;
}

template class CStringBase<wchar_t, CString>;
template class CStringBase<char, CStringA>;

CStringA::CStringA(const CString& text, UINT codePage) : CStringBase(text.GetString(), text.GetLength(), codePage) {}

CString::CString(const CStringA& text, UINT codePage) : CStringBase(text.GetString(), text.GetLength(), codePage) {}
