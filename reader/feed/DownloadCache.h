// The local file behind an address: the browser cache's copy of a web address (or the file of
// a file address), given a name that is safe in the work folder; and the file routines that
// choose such names without overwriting anything.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

// The text with its %-escapes decoded.
CString UnescapeUrlText(LPCWSTR text);

// When the path exists, replaces it by the first free variant "folder\title (n).ext" with n
// from 1 to `maxNumber`. FALSE, and the path unchanged, when every one of them exists.
BOOL MakeUniquePath(CString& path, int maxNumber = 9999);

// The MD5 digest of a whole file; FALSE when it cannot be read.
BOOL GetFileMd5(LPCWSTR path, BYTE digest[16]);
// 0 when both name the same file (any letter case) or have equal contents; else -1 or 1
// (-1 also when the source is missing or unreadable, 1 when the destination is).
int CompareFiles(LPCWSTR source, LPCWSTR destination);
// The path that holds the source's contents: the destination itself when it already has
// them; else the source is copied there, or to the next free numbered name when another file
// is in the way. The path is given also when the copy failed; callers check the file.
CString CopyUnlessIdentical(LPCWSTR destination, LPCWSTR source);

// The local file behind an address; empty when there is none. A cached file whose name
// carries escapes is copied into the work folder under its decoded name, but only when that
// name is a plain file name; otherwise the cached file itself is the answer.
CString GetCachedFileOfUrl(LPCWSTR address);
// The same under a name made of letters, digits, ".", "_", "[" and "]" only: a file whose
// title has other characters is copied into the work folder with those replaced by "_".
CString GetLocalCopyOfUrl(LPCWSTR address);
