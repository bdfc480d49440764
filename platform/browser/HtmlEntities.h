// Character references of HTML: named and numeric.
#pragma once
#include <string>

namespace fxb {

// Code point of a named reference (without '&' and ';'), 0 when the name is unknown.
unsigned LookupEntity(const wchar_t* name, size_t length);

// Longest length of any entity name.
constexpr size_t kMaxEntityName = 8;

// Appends a code point as UTF-16; invalid values become U+FFFD, C1 controls map as Windows-1252.
void AppendCodePoint(std::wstring& out, unsigned long cp);

// Decodes the character reference starting at text[pos] == '&', reading nothing at or past
// text[length]. On success appends the character, advances pos past the reference and returns
// true; otherwise leaves both unchanged.
// In attribute values a name without ';' followed by '=' or an alphanumeric is left alone.
bool DecodeReference(const wchar_t* text, size_t length, size_t& pos, std::wstring& out, bool inAttribute);

} // namespace fxb
