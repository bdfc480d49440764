// Debug-only checks and traces. In release builds (NDEBUG) both compile to nothing, so
// they may name expressions that are costly to evaluate; they never replace error handling.
#pragma once
#include <windows.h>

namespace qordebug {
// Writes "[area] text" through OutputDebugStringW (visible under Wine with WINEDEBUG=+debugstr).
void Trace(const wchar_t* area, const wchar_t* format, ...);
// Reports a failed invariant with its place, then breaks into an attached debugger.
void AssertFailed(const char* expression, const char* file, int line);
} // namespace qordebug

#ifdef NDEBUG
#define QOR_ASSERT(condition) ((void)0)
#define QOR_TRACE(area, ...) ((void)0)
#else
#define QOR_ASSERT(condition) ((condition) ? (void)0 : qordebug::AssertFailed(#condition, __FILE__, __LINE__))
#define QOR_TRACE(area, ...) qordebug::Trace(area, __VA_ARGS__)
#endif

// One trace macro per subsystem, so a run can be read one area at a time.
#define QOR_TRACE_FRAMEWORK(...) QOR_TRACE(L"framework", __VA_ARGS__)
#define QOR_TRACE_BROWSER(...) QOR_TRACE(L"browser", __VA_ARGS__)
#define QOR_TRACE_READER(...) QOR_TRACE(L"reader", __VA_ARGS__)
#define QOR_TRACE_TOOLKIT(...) QOR_TRACE(L"toolkit", __VA_ARGS__)
#define QOR_TRACE_PENDORIC(...) QOR_TRACE(L"pendoric", __VA_ARGS__)
