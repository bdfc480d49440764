// Whole-file text reading and writing in the system's ANSI code page.
#pragma once
#include <windows.h>
#include <string>

namespace pendoric {

// Reads a file and decodes it from the ANSI code page. Returns ERROR_SUCCESS or the system
// error code of the failure; the text is left empty on failure.
DWORD ReadAnsiTextFile(const std::wstring& path, std::wstring& text);

// Creates or replaces a file with the text encoded in the ANSI code page (characters the code
// page lacks become its default character). Returns ERROR_SUCCESS or the system error code.
DWORD WriteAnsiTextFile(const std::wstring& path, const std::wstring& text);

// The system's description of an error code, without trailing line breaks.
std::wstring DescribeSystemError(DWORD code);

// The full path of a file name relative to the current folder.
std::wstring FullPathOf(const std::wstring& path);

} // namespace pendoric
