// File and path routines shared by the reader: folders, path parts, whole-file
// writes, small text helpers, and a case-insensitive search in UTF-16 text.
#pragma once
#include <windows.h>
#include <objidl.h>
#include "platform/framework/Strings.h"

// Nonzero when the folder exists or was created (with any missing parents).
BOOL EnsureFolder(LPCWSTR path);
// Appends "\" unless the text is empty or already ends in "/" or "\".
void AppendPathSeparator(CString& path);

// Drive and folder of a path, with its trailing separator ("C:\a\b.htm" -> "C:\a\").
CString GetFolderOfPath(LPCWSTR path);
// File name without its extension ("C:\a\b.htm" -> "b").
CString GetFileTitleOfPath(LPCWSTR path);
// The file name after the last separator ("C:\a\b.htm" -> "b.htm").
CString GetFileNameOfPath(LPCWSTR path);
// The extension with its dot ("C:\a\b.htm" -> ".htm"); empty when there is none.
CString GetFileExtensionOfPath(LPCWSTR path);
// GetLongPathNameW of the path, or the path itself when that fails.
CString GetLongPath(LPCWSTR path);
// Size of a file; 0 when the path does not exist or is a folder.
ULONGLONG GetFileSizeOfPath(LPCWSTR path);

// TRUE when `name` is a plain file name that stays inside the folder it is written
// to: not empty, no separators or drive, not "." or "..", no trailing dot or space,
// no characters that Windows refuses in names, and not a device name (CON, NUL...).
BOOL IsPlainFileName(LPCWSTR name);

// A file name as it may be shown and written: every character that reorders text (the
// bidirectional controls) or cannot be seen (zero-width and other format characters, control
// characters, a lone surrogate) becomes a visible "[U+XXXX]", and each run of white space
// becomes one space. "readme<U+202E>txt.exe" shows as "readme[U+202E]txt.exe", never as
// "readmeexe.txt"; "invoice.pdf<many spaces>.exe" as "invoice.pdf .exe".
CString DisplayFileName(LPCWSTR name);
// The name cut to at most `maxLength` characters: the end of its title goes, its extension
// (when one of up to 16 characters) stays, and no dot or space is left at the end of what is
// cut. Empty when nothing sensible remains.
CString ShortenFileName(const CString& name, int maxLength);

// Creates the folder of `path` when needed and writes the bytes with mode "wb".
// FALSE when the file cannot be opened or not every byte reaches it.
BOOL WriteBytesToFile(LPCWSTR path, const void* bytes, size_t length);
// Writes the whole content of a stream (from its start) to a file.
BOOL SaveStreamToFile(IStream* stream, LPCWSTR path);
// Copies a file piece by piece; FALSE, and no target left behind, when fewer bytes than the
// file's size could be read or not all of them written.
BOOL CopyFileViaStream(LPCWSTR source, LPCWSTR target);

// Decimal text of a number ("-42").
CString IntToDecimalString(int value);
// A copy of `text` with every "%1" replaced by `value`.
CString ReplacePlaceholderOne(LPCWSTR text, LPCWSTR value);

// First position in text[0..length) at which `pattern` matches without regard to
// letter case, or -1. A match may end at the very end of the text.
int FindTextNoCase(const wchar_t* text, int length, LPCWSTR pattern);
