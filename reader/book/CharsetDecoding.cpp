#include "reader/book/CharsetDecoding.h"
#include "platform/framework/ComSupport.h"
#include "platform/framework/DebugChecks.h"
#include <mlang.h>
#include <shlwapi.h>
#include <string.h>
#include <new>
#include <vector>

namespace {

// IMultiLanguage's interface id; MinGW's libuuid does not carry it.
const IID kIIDMultiLanguage = {0x275C23E1, 0x3747, 0x11D0, {0x9F, 0xEA, 0x00, 0xAA, 0x00, 0x3F, 0x86, 0x46}};

const wchar_t kDefaultMLangName[] = L"mlang.dll";
const wchar_t* g_mlangName = kDefaultMLangName;

typedef HRESULT(WINAPI* ConvertINetMultiByteToUnicodeFn)(LPDWORD, DWORD, LPCSTR, LPINT, LPWSTR, LPINT);

// Converts 8-bit text with the ANSI code page of the calling thread.
CString ThreadConversion(LPCSTR text, int length = -1)
{
    CString result;
    if (text == nullptr || length == 0)
        return result;
    int n = MultiByteToWideChar(CP_THREAD_ACP, 0, text, length, nullptr, 0);
    if (n <= 0)
        return result;
    std::vector<wchar_t> buffer(size_t(n) + 1, 0);
    MultiByteToWideChar(CP_THREAD_ACP, 0, text, length, buffer.data(), n);
    result = buffer.data();
    return result;
}

// Position of the first `ch` in [begin, end), stepping over double-byte
// characters of the ANSI code page so that a trail byte never matches.
const char* FindCharAnsi(const char* begin, const char* end, char ch)
{
    for (const char* p = begin; p < end; ++p) {
        if (*p == ch)
            return p;
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p + 1 < end)
            ++p;
    }
    return nullptr;
}

void CutAtFirstBlank(CString& value)
{
    int blank = value.Find(L' ');
    if (blank >= 0)
        value.Truncate(blank);
}

bool IsSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A library loaded for the length of a call, freed on every way out.
class CLoadedLibrary
{
public:
    explicit CLoadedLibrary(LPCWSTR name) : m_hModule(LoadLibraryW(name)) {}
    ~CLoadedLibrary()
    {
        if (m_hModule != nullptr)
            FreeLibrary(m_hModule);
    }
    HMODULE Get() const { return m_hModule; }

private:
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;
    HMODULE m_hModule;
};

} // namespace

namespace charset_detail {
void SetMLangLibraryName(LPCWSTR name)
{
    g_mlangName = name != nullptr ? name : kDefaultMLangName;
}
} // namespace charset_detail

CString FindMetaCharset(LPCSTR text)
{
    if (text == nullptr)
        return CString();
    const char* meta = StrStrIA(text, "<meta");
    while (meta != nullptr) {
        const char* close = strchr(meta, '>');
        if (close == nullptr)
            return CString();
        const std::string tag(meta, close + 1);
        const char* charset = StrStrIA(tag.c_str(), "charset=");
        if (charset != nullptr) {
            // The tag ends with '>', so the value always has an end.
            const char* value = charset + 8;
            const char* tagEnd = tag.c_str() + tag.size();
            const char* quote = FindCharAnsi(value, tagEnd, '"');
            const char* gt = FindCharAnsi(value, tagEnd, '>');
            const char* end = gt;
            if (quote != nullptr && (end == nullptr || quote < end))
                end = quote;
            if (end == nullptr)
                end = tagEnd;
            CString name = ThreadConversion(value, int(end - value));
            CutAtFirstBlank(name);
            return name;
        }
        meta = StrStrIA(close + 1, "<meta");
    }
    return CString();
}

CString FindXmlEncoding(LPCSTR text)
{
    if (text == nullptr)
        return CString();
    const char* decl = StrStrIA(text, "<?xml");
    if (decl == nullptr)
        return CString();
    const char* close = strchr(decl + 5, '>');
    if (close == nullptr)
        return CString();
    const std::string declaration(decl, close);
    const char* encoding = StrStrIA(declaration.c_str(), "encoding=");
    if (encoding == nullptr)
        return CString();
    std::string value(encoding + 9);

    // Quotes and the closing '?' become blanks (on character boundaries only).
    for (char mark : {'"', '\'', '?'}) {
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == mark)
                value[i] = ' ';
            else if (IsDBCSLeadByte(static_cast<BYTE>(value[i])) && i + 1 < value.size())
                ++i;
        }
    }
    size_t last = value.size();
    while (last > 0 && IsSpaceByte(value[last - 1]))
        --last;
    size_t first = 0;
    while (first < last && IsSpaceByte(value[first]))
        ++first;
    if (first == last)
        return CString();
    CString name = ThreadConversion(value.data() + first, int(last - first));
    CutAtFirstBlank(name);
    return name;
}

UINT GetCodePageOfCharset(LPCWSTR name)
{
    CComPtr<IMultiLanguage> mlang;
    if (FAILED(CoCreateInstance(CLSID_CMultiLanguage, nullptr, CLSCTX_ALL, kIIDMultiLanguage,
                                reinterpret_cast<void**>(&mlang))) ||
        mlang == nullptr)
        return 0;
    // A failed copy raises the framework's out-of-memory error; the holder lets MLang go.
    CComBSTR bstr(name);
    MIMECSETINFO info;
    ZeroMemory(&info, sizeof(info));
    if (FAILED(mlang->GetCharsetInfo(bstr, &info))) {
        QOR_TRACE_READER(L"charset \"%ls\" is unknown to MLang; the text is decoded by guess", name ? name : L"");
        return 0;
    }
    return info.uiInternetEncoding;
}

UINT ChooseUrlCodePage(LPCSTR text)
{
    const UINT ansi = GetACP();
    const int length = text != nullptr ? int(strlen(text)) : 0;
    if (MultiByteToWideChar(ansi, MB_ERR_INVALID_CHARS, text, length, nullptr, 0) > 0)
        return ansi;
    if (GetLastError() != ERROR_NO_UNICODE_TRANSLATION)
        return ansi;
    if (MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0) <= 0 &&
        GetLastError() == ERROR_NO_UNICODE_TRANSLATION)
        return ansi;
    return CP_UTF8;
}

HRESULT MLangConvertToUnicode(DWORD* mode, DWORD codePage, LPCSTR source, LPWSTR destination, UINT* count)
{
    CLoadedLibrary library(g_mlangName);
    if (library.Get() == nullptr)
        return E_FAIL;
    auto convert = reinterpret_cast<ConvertINetMultiByteToUnicodeFn>(
        GetProcAddress(library.Get(), "ConvertINetMultiByteToUnicode"));
    if (convert == nullptr)
        return E_FAIL;
    return convert(mode, codePage, source, nullptr, destination, reinterpret_cast<LPINT>(count));
}

CString ConvertCodePageText(LPCSTR text, UINT codePage)
{
    if (text == nullptr)
        return CString();
    if (codePage == 0)
        codePage = ChooseUrlCodePage(text);
    const size_t length = strlen(text);
    if (codePage == 51932) {
        std::vector<wchar_t> buffer;
        try {
            buffer.assign(length + 1, 0);
        } catch (const std::bad_alloc&) {
            return ThreadConversion(text);
        }
        DWORD mode = 0;
        UINT count = UINT(length + 1);
        const HRESULT hr = MLangConvertToUnicode(&mode, codePage, text, buffer.data(), &count);
        if (hr >= 0) {
            // The converter does not terminate its output; the buffer is zero-filled
            // and one unit longer than any conversion of `length` bytes.
            buffer[length] = 0;
            return CString(buffer.data());
        }
        QOR_TRACE_READER(L"MLang cannot convert code page %u (0x%08X); the thread's code page stands in", codePage,
                         unsigned(hr));
        return ThreadConversion(text);
    }
    int n = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (n <= 0)
        return ThreadConversion(text);
    std::vector<wchar_t> buffer;
    try {
        buffer.assign(size_t(n) + 1, 0);
    } catch (const std::bad_alloc&) {
        return ThreadConversion(text);
    }
    MultiByteToWideChar(codePage, 0, text, -1, buffer.data(), n + 1);
    return CString(buffer.data());
}

CString DecodeWithCharset(LPCWSTR charset, LPCSTR text)
{
    return ConvertCodePageText(text, GetCodePageOfCharset(charset));
}

BOOL DecodeHtmlText(LPCSTR text, CString& out)
{
    CString charset = FindMetaCharset(text);
    if (!charset.IsEmpty())
        out = DecodeWithCharset(charset, text);
    else
        out = ConvertCodePageText(text, ChooseUrlCodePage(text));
    return TRUE;
}

BOOL DecodeXmlText(LPCSTR text, CString& out)
{
    CString charset = FindXmlEncoding(text);
    if (!charset.IsEmpty())
        out = DecodeWithCharset(charset, text);
    else
        out = ConvertCodePageText(text, ChooseUrlCodePage(text));
    return TRUE;
}
