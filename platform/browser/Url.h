// Addresses the engine understands: drive paths, file URLs, http(s), about: and other schemes.
#pragma once
#include <string>

namespace fxb {

bool IsDrivePath(const std::wstring& url);      // "C:\..." or "C:/..."
bool IsFileUrl(const std::wstring& url);        // "file:..."
bool IsLocalUrl(const std::wstring& url);       // either of the two
std::wstring SchemeOf(const std::wstring& url); // lower case, without ':'; empty for paths

// Local file path of a drive path or file URL, without fragment and query; empty otherwise.
std::wstring LocalPathOf(const std::wstring& url);

// The part after the first '#', empty when there is none.
std::wstring FragmentOf(const std::wstring& url);
std::wstring WithoutFragment(const std::wstring& url);

// Resolves a reference found in a page against the page's address. References to local pages
// become drive paths; other schemes come back unchanged.
std::wstring ResolveUrl(const std::wstring& base, const std::wstring& reference);

// Percent-decoding of %XX sequences as UTF-8 (used for file references written with escapes).
std::wstring PercentDecode(const std::wstring& text);

} // namespace fxb
