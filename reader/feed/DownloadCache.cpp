#include "reader/feed/DownloadCache.h"
#include <shlwapi.h>
#include <stdio.h>
#include <string.h>
#include <wininet.h>
#include <vector>
#include "reader/app/AppFolders.h"
#include "reader/app/FileUtil.h"
#include "reader/book/Md5.h"
#include "reader/ui/ReaderUrl.h"

namespace {

BOOL PathExists(LPCWSTR path)
{
    return ::PathFileExistsW(path);
}

bool IsSafeTitleCharacter(wchar_t ch)
{
    return ch == L'.' || ch == L'_' || ch == L'[' || ch == L']' || (ch >= L'a' && ch <= L'z') ||
           (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9');
}

BOOL IsFileAddress(LPCWSTR address)
{
    return ::UrlIsW(address, URLIS_FILEURL) || (address[0] != 0 && address[1] == L':');
}

// The cache's local file for a key; empty when the cache does not know it.
CString CacheEntryFile(const CString& key)
{
    DWORD size = 0;
    if (::GetUrlCacheEntryInfoW(key, nullptr, &size) || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return CString();
    std::vector<BYTE> buffer(2 * (size_t(size) + 1), 0);
    DWORD stated = size + 1;
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    if (!::GetUrlCacheEntryInfoW(key, info, &stated) || info->lpszLocalFileName == nullptr)
        return CString();
    return CString(info->lpszLocalFileName);
}

} // namespace

CString UnescapeUrlText(LPCWSTR text)
{
    std::vector<wchar_t> buffer(4096, 0);
    if (text)
        wcsncpy(buffer.data(), text, buffer.size() - 1);
    DWORD size = DWORD(buffer.size());
    ::UrlUnescapeW(buffer.data(), nullptr, &size, URL_UNESCAPE_INPLACE);
    return CString(buffer.data());
}

BOOL MakeUniquePath(CString& path, int maxNumber)
{
    if (!PathExists(path))
        return TRUE;
    const CString folder = GetFolderOfPath(path);
    const CString title = GetFileTitleOfPath(path);
    const CString extension = GetFileExtensionOfPath(path);
    for (int n = 1; n <= maxNumber; ++n) {
        CString candidate;
        candidate.Format(L"%s%s (%d)%s", folder.GetString(), title.GetString(), n, extension.GetString());
        if (!PathExists(candidate)) {
            path = candidate;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetFileMd5(LPCWSTR path, BYTE digest[16])
{
    const ULONGLONG size = GetFileSizeOfPath(path);
    if (size > 0x7FFFFFFF)
        return FALSE;
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return FALSE;
    std::vector<BYTE> bytes;
    try {
        bytes.resize(size_t(size));
    } catch (const std::exception&) {
        fclose(file);
        return FALSE;
    }
    const size_t read = bytes.empty() ? 0 : fread(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    if (read != bytes.size())
        return FALSE;
    CMd5::Digest(bytes.data(), bytes.size(), digest);
    return TRUE;
}

int CompareFiles(LPCWSTR source, LPCWSTR destination)
{
    if (_wcsicmp(source, destination) == 0)
        return 0;
    if (!PathExists(source))
        return -1;
    if (!PathExists(destination))
        return 1;
    BYTE a[16], b[16];
    if (!GetFileMd5(source, a))
        return -1;
    if (!GetFileMd5(destination, b))
        return 1;
    const int order = memcmp(a, b, 16);
    return order == 0 ? 0 : (order > 0 ? 1 : -1);
}

CString CopyUnlessIdentical(LPCWSTR destination, LPCWSTR source)
{
    CString target(destination);
    if (CompareFiles(source, destination) == 0)
        return target;
    // With no free name left the copy does not happen; the caller finds no file there.
    if (!MakeUniquePath(target))
        return target;
    CopyFileViaStream(source, target);
    return target;
}

CString GetCachedFileOfUrl(LPCWSTR address)
{
    if (!address || !*address)
        return CString();
    if (IsFileAddress(address))
        return UrlToPath(address);

    CString key(address);
    if (key.GetLength() >= 5 && _wcsnicmp(key, L"http:", 5) == 0 && wcsncmp(key, L"http:", 5) != 0)
        key = L"http" + key.Mid(4);
    key.Replace(L'\\', L'/');

    CString path = CacheEntryFile(key);
    if (path.IsEmpty() || !PathExists(path) || path.Find(L'%') < 0)
        return path;
    // An escaped name reads better decoded, but the decoding must not lead the copy out of
    // the work folder ("%5C..%5C").
    const CString decoded = UnescapeUrlText(GetFileNameOfPath(path));
    if (!IsPlainFileName(decoded))
        return path;
    const CString copy = GetWorkFolder() + decoded;
    ::CopyFileW(path, copy, FALSE);
    return copy;
}

CString GetLocalCopyOfUrl(LPCWSTR address)
{
    const CString path = GetCachedFileOfUrl(address);
    if (path.IsEmpty() || !PathExists(path))
        return CString();
    const CString title = GetFileTitleOfPath(path);
    CString safe = title;
    for (int i = 0; i < safe.GetLength(); ++i) {
        if (!IsSafeTitleCharacter(safe[i]))
            safe.SetAt(i, L'_');
    }
    if (safe == title)
        return path;
    return CopyUnlessIdentical(GetWorkFolder() + safe + GetFileExtensionOfPath(path), path);
}
