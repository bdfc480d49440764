// Base64 (standard alphabet, "=" fill) in the line layout of sealed values.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <string>
#include <vector>

// Encodes `length` bytes. The groups of whole 3-byte units go 19 to a line
// (76 characters) with CR LF after every full line; the final group of a length
// that is not a multiple of 3 follows directly, on the last line or after its CR LF.
std::string Base64EncodeLines(const BYTE* data, size_t length);

// Decodes up to `length` characters of `text`, stopping early at a zero character.
// Characters outside the alphabet (line breaks, "=") are skipped; a final group
// of fewer than four characters gives as many whole bytes as its bits fill.
std::vector<BYTE> Base64Decode(const char* text, size_t length);
