#include "reader/ui/ReaderUrl.h"
#include "reader/app/FileUtil.h"
#include <shlwapi.h>
#include <vector>

namespace {

const int kUrlBuffer = 4096;

BOOL IsDrivePathText(LPCWSTR url)
{
    return url && url[0] && url[1] == L':';
}

BOOL StartsWithNoCase(LPCWSTR text, LPCWSTR prefix)
{
    return text && _wcsnicmp(text, prefix, wcslen(prefix)) == 0;
}

// The way back from the unescaped bytes: the ANSI code page when they are valid there or when
// they are not valid UTF-8 either, else UTF-8.
UINT CodePageForBytes(const char* bytes)
{
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, -1, nullptr, 0) != 0 ||
        GetLastError() != ERROR_NO_UNICODE_TRANSLATION)
        return CP_ACP;
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, -1, nullptr, 0) == 0)
        return CP_ACP;
    return CP_UTF8;
}

CString CanonicalizeEscaped(LPCWSTR url)
{
    int ansiLength = WideCharToMultiByte(CP_ACP, 0, url, -1, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return CString(url);
    std::vector<char> ansi(static_cast<size_t>(ansiLength));
    WideCharToMultiByte(CP_ACP, 0, url, -1, ansi.data(), ansiLength, nullptr, nullptr);
    std::vector<char> canonical(kUrlBuffer, 0);
    DWORD size = kUrlBuffer;
    if (FAILED(UrlCanonicalizeA(ansi.data(), canonical.data(), &size, 0)))
        lstrcpynA(canonical.data(), ansi.data(), kUrlBuffer);
    UrlUnescapeA(canonical.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE);
    UINT codePage = CodePageForBytes(canonical.data());
    std::vector<wchar_t> wide(kUrlBuffer, 0);
    if (MultiByteToWideChar(codePage, 0, canonical.data(), -1, wide.data(), kUrlBuffer) == 0)
        return CString(url);
    return CString(wide.data());
}

CString CanonicalizePlain(LPCWSTR url)
{
    std::vector<wchar_t> canonical(kUrlBuffer, 0);
    DWORD size = kUrlBuffer;
    if (FAILED(UrlCanonicalizeW(url, canonical.data(), &size, 0)))
        lstrcpynW(canonical.data(), url, kUrlBuffer);
    UrlUnescapeW(canonical.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE);
    return CString(canonical.data());
}

} // namespace

BOOL IsFileUrlOrDrivePath(LPCWSTR url)
{
    if (!url || !*url)
        return FALSE;
    return IsDrivePathText(url) || StartsWithNoCase(url, L"file:");
}

BOOL IsCustomSchemeUrl(LPCWSTR url)
{
    return StartsWithNoCase(url, L"folionyx://") || StartsWithNoCase(url, L"trawlmoss://");
}

BOOL IsAllowedHomePage(LPCWSTR url)
{
    if (!url)
        return FALSE;
    // A scheme with nothing after it names no page.
    if (StartsWithNoCase(url, L"http://") || StartsWithNoCase(url, L"https://"))
        return url[wcscspn(url, L":") + 3] != 0;
    return IsCustomSchemeUrl(url);
}

CString UrlToPath(LPCWSTR url)
{
    if (!url)
        return CString();
    CString path;
    if (IsDrivePathText(url)) {
        path = url;
    } else if (StartsWithNoCase(url, L"file:")) {
        wchar_t buffer[1024] = {};
        DWORD size = 1024;
        if (FAILED(PathCreateFromUrlW(url, buffer, &size, 0)))
            return CString(url);
        path = buffer;
    } else {
        return CString(url);
    }
    path.Replace(L'/', L'\\');
    int cut = path.FindOneOf(L"#?");
    if (cut >= 0)
        path = path.Left(cut);
    return path;
}

CString CanonicalizeUrl(LPCWSTR url)
{
    if (!url)
        return CString();
    CString result = wcschr(url, L'%') ? CanonicalizeEscaped(url) : CanonicalizePlain(url);
    if (UrlIsW(result, URLIS_FILEURL) || IsDrivePathText(result))
        result = UrlToPath(result);
    return result;
}

BOOL IsSameDocument(LPCWSTR a, LPCWSTR b)
{
    CString first = a ? a : L"";
    CString second = b ? b : L"";
    if (!IsFileUrlOrDrivePath(first) || !IsFileUrlOrDrivePath(second))
        return first.CompareNoCase(second) == 0;
    return GetLongPath(UrlToPath(first)).CompareNoCase(GetLongPath(UrlToPath(second))) == 0;
}
