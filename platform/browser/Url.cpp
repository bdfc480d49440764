#include "platform/browser/Url.h"
#include "platform/browser/TextUtil.h"
#include <windows.h>
#include <shlwapi.h>
#include <cwctype>
#include <vector>

namespace fxb {

namespace {

// Removes "." and ".." segments of a backslash path whose root is `rootLength` characters long.
std::wstring NormalizeSegments(const std::wstring& path, size_t rootLength)
{
    std::vector<std::wstring> parts;
    size_t i = rootLength;
    while (i <= path.size()) {
        size_t slash = path.find(L'\\', i);
        if (slash == std::wstring::npos)
            slash = path.size();
        std::wstring seg = path.substr(i, slash - i);
        if (seg == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (seg != L"." && !(seg.empty() && slash < path.size())) {
            parts.push_back(seg);
        }
        i = slash + 1;
    }
    std::wstring out = path.substr(0, rootLength);
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k)
            out += L'\\';
        out += parts[k];
    }
    return out;
}

} // namespace

bool IsDrivePath(const std::wstring& url)
{
    return url.size() >= 2 && url[1] == L':' && iswalpha(url[0]);
}

bool IsFileUrl(const std::wstring& url)
{
    return url.size() >= 5 && _wcsnicmp(url.c_str(), L"file:", 5) == 0;
}

bool IsLocalUrl(const std::wstring& url)
{
    return IsDrivePath(url) || IsFileUrl(url) || (url.size() > 2 && url[0] == L'\\' && url[1] == L'\\');
}

std::wstring SchemeOf(const std::wstring& url)
{
    if (IsDrivePath(url))
        return std::wstring();
    size_t colon = url.find(L':');
    if (colon == std::wstring::npos || colon < 2)
        return std::wstring();
    for (size_t i = 0; i < colon; ++i) {
        wchar_t c = url[i];
        if (!(iswalnum(c) || c == L'+' || c == L'-' || c == L'.'))
            return std::wstring();
    }
    return Lower(url.substr(0, colon));
}

std::wstring FragmentOf(const std::wstring& url)
{
    size_t hash = url.find(L'#');
    return hash == std::wstring::npos ? std::wstring() : url.substr(hash + 1);
}

std::wstring WithoutFragment(const std::wstring& url)
{
    size_t hash = url.find(L'#');
    return hash == std::wstring::npos ? url : url.substr(0, hash);
}

std::wstring PercentDecode(const std::wstring& text)
{
    if (text.find(L'%') == std::wstring::npos)
        return text;
    std::string bytes;
    std::wstring out;
    // Runs of escaped bytes are UTF-8; each run is decoded when it ends.
    auto flush = [&] {
        if (bytes.empty())
            return;
        int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring w(n, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &w[0], n);
        out += w;
        bytes.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            bytes.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
            continue;
        }
        flush();
        out.push_back(text[i]);
    }
    flush();
    return out;
}

std::wstring LocalPathOf(const std::wstring& url)
{
    std::wstring path;
    if (IsFileUrl(url)) {
        std::wstring bare = url;
        size_t cut = bare.find_first_of(L"#?");
        if (cut != std::wstring::npos)
            bare = bare.substr(0, cut);
        wchar_t buf[2048];
        DWORD len = 2048;
        if (SUCCEEDED(PathCreateFromUrlW(bare.c_str(), buf, &len, 0)))
            path = buf;
        else
            path = PercentDecode(bare.substr(bare.compare(0, 8, L"file:///") == 0 ? 8 : 5));
    } else if (IsDrivePath(url) || (url.size() > 2 && url[0] == L'\\' && url[1] == L'\\')) {
        path = url;
        size_t cut = path.find(L'#');
        if (cut != std::wstring::npos)
            path = path.substr(0, cut);
    } else {
        return std::wstring();
    }
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring ResolveUrl(const std::wstring& base, const std::wstring& referenceIn)
{
    std::wstring ref = Trim(referenceIn);
    if (ref.empty())
        return base;
    if (IsDrivePath(ref))
        return ref;
    std::wstring scheme = SchemeOf(ref);
    if (scheme == L"file") {
        std::wstring frag = FragmentOf(ref);
        std::wstring p = LocalPathOf(ref);
        return frag.empty() && ref.find(L'#') == std::wstring::npos ? p : p + L"#" + frag;
    }
    if (!scheme.empty())
        return ref;
    std::wstring basePath = LocalPathOf(base);
    if (basePath.empty()) {
        // A web base: let the platform combine the two.
        wchar_t buf[4096];
        DWORD len = 4096;
        if (!base.empty() && SUCCEEDED(UrlCombineW(base.c_str(), ref.c_str(), buf, &len, 0)))
            return buf;
        return ref;
    }
    if (ref[0] == L'#')
        return basePath + ref;
    std::wstring fragment;
    size_t hash = ref.find(L'#');
    if (hash != std::wstring::npos) {
        fragment = ref.substr(hash);
        ref = ref.substr(0, hash);
    }
    size_t query = ref.find(L'?');
    if (query != std::wstring::npos)
        ref = ref.substr(0, query);
    ref = PercentDecode(ref);
    for (wchar_t& c : ref)
        if (c == L'/')
            c = L'\\';
    size_t rootLength = IsDrivePath(basePath) ? 3 : 2;
    std::wstring combined;
    if (ref.size() >= 2 && ref[0] == L'\\' && ref[1] == L'\\') {
        combined = ref;
        rootLength = 2;
    } else if (ref[0] == L'\\') {
        combined = basePath.substr(0, rootLength - 1) + ref;
    } else {
        size_t slash = basePath.find_last_of(L'\\');
        std::wstring folder = slash == std::wstring::npos ? std::wstring() : basePath.substr(0, slash + 1);
        combined = folder + ref;
    }
    if (IsDrivePath(combined) && combined.size() >= 3 && combined[2] != L'\\')
        combined.insert(2, L"\\");
    return NormalizeSegments(combined, std::min(rootLength, combined.size())) + fragment;
}

} // namespace fxb
