// Debug-only traces and assertions: what they write to the debug output. The output is read
// as a debugger would, from the exception OutputDebugStringA raises for it.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

#include "platform/framework/DebugChecks.h"

namespace {

// Collects what OutputDebugStringA writes while it lives.
class DebugOutputCapture
{
public:
    DebugOutputCapture() : m_handler(AddVectoredExceptionHandler(1, &Handler)) { s_text.clear(); }
    ~DebugOutputCapture() { RemoveVectoredExceptionHandler(m_handler); }
    const std::string& Text() const { return s_text; }

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2)
            s_text += reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static std::string s_text;
    PVOID m_handler;
};

std::string DebugOutputCapture::s_text;

} // namespace

TEST(DebugChecks, TraceWritesItsAreaAndTextAsOneNarrowLine)
{
#ifdef NDEBUG
    GTEST_SKIP() << "traces are compiled out of release builds";
#endif
    DebugOutputCapture capture;
    QOR_TRACE_READER(L"charset \"%ls\" has code page %u", L"euc-jp", 51932u);
    QOR_TRACE_TOOLKIT(L"%d panes", 3);
    EXPECT_EQ(capture.Text(), "[reader] charset \"euc-jp\" has code page 51932\n[toolkit] 3 panes\n");
}

TEST(DebugChecks, FailedAssertionNamesTheConditionAndItsPlace)
{
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are compiled out of release builds";
#endif
    DebugOutputCapture capture;
    const int pages = 2;
    QOR_ASSERT(pages == 2);
    EXPECT_EQ(capture.Text(), "");
    QOR_ASSERT(pages > 3);
    EXPECT_NE(capture.Text().find("assertion failed: pages > 3 ("), std::string::npos) << capture.Text();
    EXPECT_NE(capture.Text().find("DebugChecksTests.cpp:"), std::string::npos) << capture.Text();
}
