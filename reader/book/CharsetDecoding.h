// Turns 8-bit page and XML text into UTF-16. The character set comes from the
// text itself (an HTML meta tag or an XML declaration) and is resolved by the
// platform's multi-language service; without one, an automatic choice between
// the ANSI code page and UTF-8 decides. Nothing here fails: the last resort is
// always the ANSI code page of the calling thread.
//
// Every `text` argument is a zero-terminated 8-bit string.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

// The charset name of the first "<meta" tag that carries "charset="; empty when none.
CString FindMetaCharset(LPCSTR text);
// The encoding name of the "<?xml" declaration; empty when none.
CString FindXmlEncoding(LPCSTR text);
// The Windows code page of a charset name; 0 when it cannot be resolved.
UINT GetCodePageOfCharset(LPCWSTR name);
// The ANSI code page, or 65001 when the text is valid UTF-8 but not valid ANSI.
UINT ChooseUrlCodePage(LPCSTR text);
// mlang's ConvertINetMultiByteToUnicode over the whole terminated source;
// E_FAIL when the library or its entry point is missing.
HRESULT MLangConvertToUnicode(DWORD* mode, DWORD codePage, LPCSTR source, LPWSTR destination, UINT* count);
// The text converted from `codePage` (0: the automatic choice).
CString ConvertCodePageText(LPCSTR text, UINT codePage);
CString DecodeWithCharset(LPCWSTR charset, LPCSTR text);
BOOL DecodeHtmlText(LPCSTR text, CString& out);
BOOL DecodeXmlText(LPCSTR text, CString& out);

namespace charset_detail {
// Lets tests stand in for a system without mlang (null restores "mlang.dll").
void SetMLangLibraryName(LPCWSTR name);
} // namespace charset_detail
