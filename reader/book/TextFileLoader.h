// Reads a whole text file of any supported encoding into UTF-16 with LF line ends.
// UTF-16 is recognised by its byte-order mark or a statistical test; 8-bit text is
// UTF-8 with a byte-order mark, HTML or XML decoded by its declared charset, or
// the automatic choice between the ANSI code page and UTF-8.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

BOOL LoadTextFile(LPCWSTR path, CString& text);

// Decodes `size` bytes; `path` decides by its extension how 8-bit text is read.
BOOL DecodeTextBuffer(const BYTE* bytes, size_t size, LPCWSTR path, CString& text);

// In place over `byteCount` bytes: drops every zero unit and every CR followed by LF,
// turns every other CR into LF, and terminates the result. The buffer must hold
// one more unit than `byteCount` covers. Returns the new length in units.
size_t NormalizeWideLineEnds(wchar_t* text, size_t byteCount);
size_t NormalizeByteLineEnds(char* text, size_t byteCount);
