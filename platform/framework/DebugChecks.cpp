#include "platform/framework/DebugChecks.h"
#include <cstdarg>
#include <cstdio>

namespace qordebug {

void Trace(const wchar_t* area, const wchar_t* format, ...)
{
    wchar_t text[1024];
    int used = _snwprintf(text, 1024, L"[%ls] ", area);
    if (used < 0)
        used = 0;
    va_list args;
    va_start(args, format);
    _vsnwprintf(text + used, size_t(1024 - used - 2), format, args);
    va_end(args);
    text[1021] = L'\0';
    wcscat(text, L"\n");
    // Wine shows OutputDebugStringA under WINEDEBUG=+debugstr but not OutputDebugStringW, so
    // the text goes out in the ANSI code page (a character it lacks becomes '?').
    char narrow[4 * 1024];
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr) > 0)
        OutputDebugStringA(narrow);
    else
        OutputDebugStringW(text);
}

void AssertFailed(const char* expression, const char* file, int line)
{
    char text[1024];
    _snprintf(text, sizeof(text) - 1, "assertion failed: %s (%s:%d)\n", expression, file, line);
    text[sizeof(text) - 1] = '\0';
    OutputDebugStringA(text);
    if (IsDebuggerPresent())
        DebugBreak();
}

} // namespace qordebug
