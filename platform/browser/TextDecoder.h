// Turns the bytes of a page or style sheet into UTF-16 text.
#pragma once
#include <string>

namespace fxb {

// Code page for a charset label such as "utf-8", "windows-1251" or "shift_jis"; 0 when unknown.
unsigned CodePageForCharset(const std::wstring& label);

// Decodes bytes with a known code page: MultiByteToWideChar first, then the multi-language
// service for code pages the system converter lacks. Invalid bytes never stop decoding.
std::wstring DecodeWithCodePage(const char* data, size_t size, unsigned codePage);

// Decodes a page: byte order mark, then a charset declared in a meta element near the start,
// then UTF-8 when the bytes are valid UTF-8, else the ANSI code page. `usedCodePage` reports
// the choice (1200 for UTF-16LE).
std::wstring DecodePage(const std::string& bytes, unsigned* usedCodePage = nullptr);

// Decodes a style sheet: byte order mark, then @charset, then the page's code page.
std::wstring DecodeStyleSheet(const std::string& bytes, unsigned fallbackCodePage);

bool IsValidUtf8(const char* data, size_t size);

} // namespace fxb
