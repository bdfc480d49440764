// Text strings of the framework: CString (UTF-16) and CStringA (8-bit text in some code page).
//
// Both share one implementation, CStringBase, parameterised by the character type. Positions
// and lengths are counted in characters of that type. Every operation that takes a position
// clamps it to the string instead of failing, so callers can pass the results of Find (-1)
// and lengths computed from other strings without checking them first.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <cstdarg>
#include <string>
#include <type_traits>

class CString;
class CStringA;

namespace framework_strings {
// Character-type specific helpers (printf, case, classification); defined in Strings.cpp.
template <typename XCHAR> struct CharTraits;
} // namespace framework_strings

template <typename XCHAR, typename Derived> class CStringBase
{
public:
    using XCHARTYPE = XCHAR;
    using YCHAR = std::conditional_t<std::is_same<XCHAR, wchar_t>::value, char, wchar_t>;
    using PXSTR = XCHAR*;
    using PCXSTR = const XCHAR*;
    using PCYSTR = const YCHAR*;

    CStringBase() = default;
    CStringBase(PCXSTR text) { SetString(text); }
    CStringBase(PCXSTR text, int length) { SetString(text, length); }
    CStringBase(XCHAR ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    // Text of the other character type, converted through the ANSI code page.
    CStringBase(PCYSTR text) { AssignConverted(text, -1, CP_ACP); }
    CStringBase(PCYSTR text, int length, UINT codePage) { AssignConverted(text, length, codePage); }

    // Size and access.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    PCXSTR GetString() const { return m_text.c_str(); }
    operator PCXSTR() const { return m_text.c_str(); }
    XCHAR GetAt(int index) const;
    void SetAt(int index, XCHAR ch);
    XCHAR operator[](int index) const { return GetAt(index); }
    // Any integral index (size_t, unsigned...) without ambiguity against the pointer conversion.
    template <typename I, typename = std::enable_if_t<std::is_integral<I>::value && !std::is_same<I, int>::value>>
    XCHAR operator[](I index) const
    {
        return GetAt(static_cast<int>(index));
    }

    // Direct buffer access: write into the buffer, then ReleaseBuffer fixes the length
    // (-1: up to the first null character).
    PXSTR GetBuffer();
    PXSTR GetBuffer(int minLength);
    PXSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
    void Preallocate(int length)
    {
        if (length > 0)
            m_text.reserve(length);
    }
    void FreeExtra() { m_text.shrink_to_fit(); }
    int GetAllocLength() const { return static_cast<int>(m_text.capacity()); }

    // Assignment and appending.
    void SetString(PCXSTR text);
    void SetString(PCXSTR text, int length);
    void Append(PCXSTR text);
    void Append(PCXSTR text, int length);
    void Append(const Derived& text) { m_text += text.m_text; }
    void AppendChar(XCHAR ch) { m_text += ch; }
    Derived& operator=(PCXSTR text)
    {
        SetString(text);
        return Self();
    }
    Derived& operator=(PCYSTR text)
    {
        AssignConverted(text, -1, CP_ACP);
        return Self();
    }
    Derived& operator=(XCHAR ch)
    {
        m_text.assign(1, ch);
        return Self();
    }
    Derived& operator+=(const Derived& text)
    {
        m_text += text.m_text;
        return Self();
    }
    Derived& operator+=(PCXSTR text)
    {
        Append(text);
        return Self();
    }
    Derived& operator+=(PCYSTR text)
    {
        Append(Derived(text));
        return Self();
    }
    Derived& operator+=(XCHAR ch)
    {
        m_text += ch;
        return Self();
    }

    // printf-style formatting with the Windows C runtime's conventions: in a wide format %s
    // takes a wide string and %S an 8-bit one; in an 8-bit format the other way round.
    void Format(PCXSTR format, ...);
    void FormatV(PCXSTR format, va_list args);
    void AppendFormat(PCXSTR format, ...);
    void AppendFormatV(PCXSTR format, va_list args);
    // Format with a format string from the string table of the resource module.
    void Format(UINT formatId, ...);

    // Searching; results are positions or -1.
    int Find(XCHAR ch, int start = 0) const;
    int Find(PCXSTR sub, int start = 0) const;
    int ReverseFind(XCHAR ch) const;
    int FindOneOf(PCXSTR charSet) const;

    // Extraction.
    Derived Mid(int first) const { return Mid(first, GetLength()); }
    Derived Mid(int first, int count) const;
    Derived Left(int count) const;
    Derived Right(int count) const;
    Derived SpanIncluding(PCXSTR charSet) const;
    Derived SpanExcluding(PCXSTR charSet) const;
    // Next token after position start, skipping leading delimiters. start moves past the token;
    // it becomes -1 (and the result empty) when no token is left. Without delimiters the rest
    // of the string is one token.
    Derived Tokenize(PCXSTR delimiters, int& start) const;

    // Editing. Replace and Remove return the number of changes, Insert and Delete the new length.
    int Replace(XCHAR oldCh, XCHAR newCh);
    int Replace(PCXSTR oldText, PCXSTR newText);
    int Remove(XCHAR ch);
    int Insert(int index, XCHAR ch);
    int Insert(int index, PCXSTR text);
    int Delete(int index, int count = 1);
    Derived& Trim()
    {
        TrimRight();
        return TrimLeft();
    }
    Derived& Trim(XCHAR ch)
    {
        TrimRight(ch);
        return TrimLeft(ch);
    }
    Derived& Trim(PCXSTR charSet)
    {
        TrimRight(charSet);
        return TrimLeft(charSet);
    }
    Derived& TrimLeft();
    Derived& TrimLeft(XCHAR ch);
    Derived& TrimLeft(PCXSTR charSet);
    Derived& TrimRight();
    Derived& TrimRight(XCHAR ch);
    Derived& TrimRight(PCXSTR charSet);
    Derived& MakeUpper();
    Derived& MakeLower();
    Derived& MakeReverse();
    void Truncate(int length);

    // Comparison: Compare is ordinal, CompareNoCase ordinal after lowering both sides,
    // Collate and CollateNoCase follow the user's locale.
    int Compare(PCXSTR other) const;
    int CompareNoCase(PCXSTR other) const;
    int Collate(PCXSTR other) const;
    int CollateNoCase(PCXSTR other) const;

    // Loads a string of the string table of the current resource module (AfxGetResourceHandle).
    BOOL LoadString(UINT id);
    BOOL LoadString(HINSTANCE instance, UINT id);

    // BSTR conversions; a failed allocation raises the framework's out-of-memory error.
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* target) const;

    // Hidden friends: found through argument-dependent lookup for both string classes.
    friend Derived operator+(const Derived& a, const Derived& b)
    {
        Derived r(a);
        r += b;
        return r;
    }
    friend Derived operator+(const Derived& a, PCXSTR b)
    {
        Derived r(a);
        r += b;
        return r;
    }
    friend Derived operator+(PCXSTR a, const Derived& b)
    {
        Derived r(a);
        r += b;
        return r;
    }
    friend Derived operator+(const Derived& a, XCHAR b)
    {
        Derived r(a);
        r += b;
        return r;
    }
    friend Derived operator+(XCHAR a, const Derived& b)
    {
        Derived r(a, 1);
        r += b;
        return r;
    }

    friend bool operator==(const Derived& a, const Derived& b) { return a.m_text == b.m_text; }
    friend bool operator==(const Derived& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(PCXSTR a, const Derived& b) { return b.Compare(a) == 0; }
    friend bool operator==(const Derived& a, XCHAR b) { return a.GetLength() == 1 && a.m_text[0] == b; }
    friend bool operator==(XCHAR a, const Derived& b) { return b == a; }
    friend bool operator!=(const Derived& a, const Derived& b) { return !(a == b); }
    friend bool operator!=(const Derived& a, PCXSTR b) { return !(a == b); }
    friend bool operator!=(PCXSTR a, const Derived& b) { return !(a == b); }
    friend bool operator!=(const Derived& a, XCHAR b) { return !(a == b); }
    friend bool operator!=(XCHAR a, const Derived& b) { return !(a == b); }
    friend bool operator<(const Derived& a, const Derived& b) { return a.Compare(b) < 0; }
    friend bool operator<(const Derived& a, PCXSTR b) { return a.Compare(b) < 0; }
    friend bool operator<(PCXSTR a, const Derived& b) { return b.Compare(a) > 0; }
    friend bool operator>(const Derived& a, const Derived& b) { return a.Compare(b) > 0; }
    friend bool operator>(const Derived& a, PCXSTR b) { return a.Compare(b) > 0; }
    friend bool operator>(PCXSTR a, const Derived& b) { return b.Compare(a) < 0; }
    friend bool operator<=(const Derived& a, const Derived& b) { return a.Compare(b) <= 0; }
    friend bool operator<=(const Derived& a, PCXSTR b) { return a.Compare(b) <= 0; }
    friend bool operator<=(PCXSTR a, const Derived& b) { return b.Compare(a) >= 0; }
    friend bool operator>=(const Derived& a, const Derived& b) { return a.Compare(b) >= 0; }
    friend bool operator>=(const Derived& a, PCXSTR b) { return a.Compare(b) >= 0; }
    friend bool operator>=(PCXSTR a, const Derived& b) { return b.Compare(a) <= 0; }

protected:
    void AssignConverted(PCYSTR text, int length, UINT codePage);
    Derived& Self() { return static_cast<Derived&>(*this); }

private:
    std::basic_string<XCHAR> m_text;
};

// 8-bit text, for file formats and network protocols.
class CStringA : public CStringBase<char, CStringA>
{
public:
    using CStringBase::CStringBase;
    using CStringBase::operator=;
    CStringA() = default;
    // Converts UTF-16 text into the given code page (CP_ACP, CP_UTF8, 1252, ...).
    CStringA(const CString& text, UINT codePage);
};

// UTF-16 text; TCHAR strings of the whole program.
class CString : public CStringBase<wchar_t, CString>
{
public:
    using CStringBase::CStringBase;
    using CStringBase::operator=;
    CString() = default;
    // Converts 8-bit text in the given code page into UTF-16.
    explicit CString(const CStringA& text, UINT codePage = CP_ACP);
};

using CStringW = CString;

extern template class CStringBase<wchar_t, CString>;
extern template class CStringBase<char, CStringA>;
