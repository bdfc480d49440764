#include "platform/browser/TextDecoder.h"
#include "platform/browser/TextUtil.h"
#include <windows.h>
#include <mlang.h>
#include <algorithm>
#include <cwctype>

namespace fxb {

namespace {

// CLSID_CMultiLanguage and IID_IMultiLanguage, defined here so that no import library is needed.
const CLSID kClsidMultiLanguage = {0x275c23e2, 0x3747, 0x11d0, {0x9f, 0xea, 0x00, 0xaa, 0x00, 0x3f, 0x86, 0x46}};
const IID kIidMultiLanguage = {0x275c23e1, 0x3747, 0x11d0, {0x9f, 0xea, 0x00, 0xaa, 0x00, 0x3f, 0x86, 0x46}};

bool DecodeWithMultiLanguage(const char* data, size_t size, unsigned codePage, std::wstring& out)
{
    if (size > 0x7FFFFFF0u)
        return false;
    IMultiLanguage* ml = nullptr;
    HRESULT initialised = CoInitialize(nullptr);
    bool ok = false;
    if (SUCCEEDED(CoCreateInstance(kClsidMultiLanguage, nullptr, CLSCTX_INPROC_SERVER, kIidMultiLanguage,
                                   reinterpret_cast<void**>(&ml))) &&
        ml) {
        DWORD mode = 0;
        UINT srcSize = static_cast<UINT>(size);
        UINT dstSize = 0;
        if (SUCCEEDED(
                ml->ConvertStringToUnicode(&mode, codePage, const_cast<CHAR*>(data), &srcSize, nullptr, &dstSize))) {
            out.assign(dstSize, L'\0');
            mode = 0;
            srcSize = static_cast<UINT>(size);
            if (dstSize == 0 || SUCCEEDED(ml->ConvertStringToUnicode(&mode, codePage, const_cast<CHAR*>(data), &srcSize,
                                                                     &out[0], &dstSize))) {
                out.resize(dstSize);
                ok = true;
            }
        }
        ml->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return ok;
}

// Finds charset=NAME in the first few kilobytes of a page written in an ASCII-compatible encoding.
std::wstring DeclaredCharset(const std::string& bytes)
{
    size_t limit = std::min<size_t>(bytes.size(), 4096);
    std::string head = bytes.substr(0, limit);
    for (char& c : head)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    size_t pos = 0;
    while ((pos = head.find("<meta", pos)) != std::string::npos) {
        size_t end = head.find('>', pos);
        if (end == std::string::npos)
            end = head.size();
        std::string tag = head.substr(pos, end - pos);
        size_t cs = tag.find("charset");
        if (cs != std::string::npos) {
            size_t i = cs + 7;
            while (i < tag.size() && (tag[i] == ' ' || tag[i] == '='))
                ++i;
            while (i < tag.size() && (tag[i] == '"' || tag[i] == '\''))
                ++i;
            size_t j = i;
            while (j < tag.size() && (isalnum(static_cast<unsigned char>(tag[j])) || tag[j] == '-' || tag[j] == '_' ||
                                      tag[j] == ':' || tag[j] == '.'))
                ++j;
            if (j > i)
                return std::wstring(tag.begin() + i, tag.begin() + j);
        }
        pos = end;
    }
    return std::wstring();
}

bool LooksLikeUtf16Le(const std::string& bytes)
{
    // Mostly ASCII text in UTF-16LE has a zero in nearly every odd byte.
    size_t n = std::min<size_t>(bytes.size() & ~size_t(1), 512);
    if (n < 8)
        return false;
    size_t zeros = 0;
    for (size_t i = 1; i < n; i += 2)
        if (bytes[i] == 0)
            ++zeros;
    return zeros * 4 >= (n / 2) * 3;
}

std::wstring FromUtf16Le(const char* data, size_t size)
{
    std::wstring out(size / 2, L'\0');
    if (!out.empty())
        memcpy(&out[0], data, out.size() * 2);
    return out;
}

std::wstring FromUtf16Be(const char* data, size_t size)
{
    std::wstring out(size / 2, L'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<wchar_t>((static_cast<unsigned char>(data[2 * i]) << 8) |
                                      static_cast<unsigned char>(data[2 * i + 1]));
    return out;
}

} // namespace

unsigned CodePageForCharset(const std::wstring& labelIn)
{
    std::wstring label = Lower(labelIn);
    struct Entry
    {
        const wchar_t* name;
        unsigned cp;
    };
    static const Entry kTable[] = {
        {L"utf-8", 65001},
        {L"utf8", 65001},
        {L"unicode-1-1-utf-8", 65001},
        {L"utf-16", 1200},
        {L"utf-16le", 1200},
        {L"unicode", 1200},
        {L"utf-16be", 1201},
        {L"unicodefffe", 1201},
        {L"us-ascii", 1252},
        {L"ascii", 1252},
        {L"iso-8859-1", 1252},
        {L"latin1", 1252},
        {L"iso8859-1", 1252},
        {L"iso_8859-1", 1252},
        {L"l1", 1252},
        {L"windows-1250", 1250},
        {L"windows-1251", 1251},
        {L"windows-1252", 1252},
        {L"windows-1253", 1253},
        {L"windows-1254", 1254},
        {L"windows-1255", 1255},
        {L"windows-1256", 1256},
        {L"windows-1257", 1257},
        {L"windows-1258", 1258},
        {L"cp1250", 1250},
        {L"cp1251", 1251},
        {L"cp1252", 1252},
        {L"iso-8859-2", 28592},
        {L"iso-8859-3", 28593},
        {L"iso-8859-4", 28594},
        {L"iso-8859-5", 28595},
        {L"iso-8859-6", 28596},
        {L"iso-8859-7", 28597},
        {L"iso-8859-8", 28598},
        {L"iso-8859-9", 28599},
        {L"iso-8859-13", 28603},
        {L"iso-8859-15", 28605},
        {L"koi8-r", 20866},
        {L"koi8-u", 21866},
        {L"cp866", 866},
        {L"ibm866", 866},
        {L"shift_jis", 932},
        {L"shift-jis", 932},
        {L"sjis", 932},
        {L"x-sjis", 932},
        {L"ms_kanji", 932},
        {L"windows-31j", 932},
        {L"euc-jp", 51932},
        {L"x-euc-jp", 51932},
        {L"iso-2022-jp", 50220},
        {L"gb2312", 936},
        {L"gbk", 936},
        {L"x-gbk", 936},
        {L"cp936", 936},
        {L"gb18030", 54936},
        {L"hz-gb-2312", 52936},
        {L"big5", 950},
        {L"big5-hkscs", 950},
        {L"cp950", 950},
        {L"euc-kr", 949},
        {L"ks_c_5601-1987", 949},
        {L"korean", 949},
        {L"cp949", 949},
        {L"windows-874", 874},
        {L"tis-620", 874},
        {L"x-mac-roman", 10000},
        {L"macintosh", 10000},
    };
    for (const Entry& e : kTable)
        if (label == e.name)
            return e.cp;
    if (label.rfind(L"windows-", 0) == 0 || label.rfind(L"cp", 0) == 0) {
        unsigned n = static_cast<unsigned>(_wtoi(label.c_str() + (label[0] == L'w' ? 8 : 2)));
        if (n && IsValidCodePage(n))
            return n;
    }
    return 0;
}

bool IsValidUtf8(const char* data, size_t size)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    size_t i = 0;
    while (i < size) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = (c >= 0xC2 && c <= 0xDF) ? 1 : (c >= 0xE0 && c <= 0xEF) ? 2 : (c >= 0xF0 && c <= 0xF4) ? 3 : -1;
        if (extra < 0)
            return false;
        for (int k = 1; k <= extra; ++k)
            if (i + k >= size || (p[i + k] & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

std::wstring DecodeWithCodePage(const char* data, size_t size, unsigned codePage)
{
    if (size == 0)
        return std::wstring();
    if (codePage == 1200)
        return FromUtf16Le(data, size);
    if (codePage == 1201)
        return FromUtf16Be(data, size);
    std::wstring out;
    // Convert in slices so that no single call needs an int larger than the slice.
    const size_t kSlice = 1 << 20;
    bool systemOk = IsValidCodePage(codePage) != FALSE;
    if (systemOk) {
        size_t pos = 0;
        while (pos < size) {
            size_t n = std::min(kSlice, size - pos);
            // Never split a multi-byte sequence: for UTF-8 back up to a lead byte.
            if (pos + n < size && codePage == 65001)
                while (n > 1 && (static_cast<unsigned char>(data[pos + n]) & 0xC0) == 0x80)
                    --n;
            else if (pos + n < size && codePage != 65001) {
                // For double-byte code pages end the slice after a plain ASCII byte.
                size_t m = n;
                while (m > 1 && static_cast<unsigned char>(data[pos + m - 1]) >= 0x80)
                    --m;
                if (m > 1)
                    n = m;
            }
            int len = MultiByteToWideChar(codePage, 0, data + pos, static_cast<int>(n), nullptr, 0);
            if (len <= 0) {
                systemOk = false;
                break;
            }
            size_t old = out.size();
            out.resize(old + len);
            MultiByteToWideChar(codePage, 0, data + pos, static_cast<int>(n), &out[old], len);
            pos += n;
        }
        if (systemOk)
            return out;
        out.clear();
    }
    if (DecodeWithMultiLanguage(data, size, codePage, out))
        return out;
    // Last resort: every byte as a Latin-1 character.
    out.assign(size, L'\0');
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<unsigned char>(data[i]);
    return out;
}

std::wstring DecodePage(const std::string& bytes, unsigned* usedCodePage)
{
    unsigned cp = 0;
    size_t skip = 0;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        cp = 1200;
        skip = 2;
    } else if (bytes.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        cp = 1201;
        skip = 2;
    } else if (bytes.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        cp = 65001;
        skip = 3;
    } else if (LooksLikeUtf16Le(bytes)) {
        cp = 1200;
    } else {
        std::wstring declared = DeclaredCharset(bytes);
        cp = declared.empty() ? 0 : CodePageForCharset(declared);
        // A page saved as UTF-16 cannot declare itself in ASCII; ignore such a claim.
        if (cp == 1200 || cp == 1201)
            cp = 0;
        if (!cp)
            cp = IsValidUtf8(bytes.data(), bytes.size()) ? 65001 : GetACP();
    }
    if (usedCodePage)
        *usedCodePage = cp;
    return DecodeWithCodePage(bytes.data() + skip, bytes.size() - skip, cp);
}

std::wstring DecodeStyleSheet(const std::string& bytes, unsigned fallbackCodePage)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE)
        return DecodeWithCodePage(bytes.data() + 2, bytes.size() - 2, 1200);
    if (bytes.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF)
        return DecodeWithCodePage(bytes.data() + 2, bytes.size() - 2, 1201);
    if (bytes.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return DecodeWithCodePage(bytes.data() + 3, bytes.size() - 3, 65001);
    if (LooksLikeUtf16Le(bytes))
        return DecodeWithCodePage(bytes.data(), bytes.size(), 1200);
    unsigned cp = 0;
    if (bytes.compare(0, 10, "@charset \"") == 0) {
        size_t end = bytes.find('"', 10);
        if (end != std::string::npos && end < 64)
            cp = CodePageForCharset(std::wstring(bytes.begin() + 10, bytes.begin() + end));
    }
    if (!cp)
        cp = IsValidUtf8(bytes.data(), bytes.size())
                 ? 65001
                 : (fallbackCodePage && fallbackCodePage != 1200 ? fallbackCodePage : GetACP());
    return DecodeWithCodePage(bytes.data(), bytes.size(), cp);
}

} // namespace fxb
