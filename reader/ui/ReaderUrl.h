// Address comparisons of the page view: canonical forms of page addresses, local paths of
// file addresses and the test whether two addresses name the same page.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

// Canonical, unescaped form of an address; file addresses and drive paths become local paths
// (without anchor or query). Null gives the empty string.
CString CanonicalizeUrl(LPCWSTR url);
// A drive path stays as it is, a "file:" address becomes its path; both with backslashes
// and cut at the first "#" or "?". Any other text comes back unchanged.
CString UrlToPath(LPCWSTR url);
// TRUE for "file:" addresses and for paths with a drive letter.
BOOL IsFileUrlOrDrivePath(LPCWSTR url);
// Two pages are the same when their long local paths match (any letter case); addresses that
// are not local are compared as texts, ignoring letter case.
BOOL IsSameDocument(LPCWSTR a, LPCWSTR b);
// TRUE when the address starts with "folionyx://" or "trawlmoss://" (any letter case).
BOOL IsCustomSchemeUrl(LPCWSTR url);
// TRUE for what a book may name as its author's home page: a web address ("http://" or
// "https://" with a host) or one of the book's own links. A local path, a file address or any
// other scheme is refused: the book must not make the view show a file of the computer.
BOOL IsAllowedHomePage(LPCWSTR url);
