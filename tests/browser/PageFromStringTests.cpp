// Pages shown from a string, and the control without scroll bars (tool tips size the window to the page).
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/browser/BrowserControl.h"

namespace {

class PageFromStringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PageFromStringHost";
        RegisterClassW(&wc);
        m_host = CreateWindowW(wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        RECT rc = {0, 0, 400, 300};
        ASSERT_TRUE(m_control.Create(m_host, rc, 100));
    }
    void TearDown() override
    {
        m_control.Destroy();
        DestroyWindow(m_host);
    }
    HWND m_host = nullptr;
    fxb::BrowserControl m_control;
};

TEST_F(PageFromStringTest, LoadsAtOnceWithoutAPendingNavigation)
{
    m_control.LoadFromString(
        L"<html><body style='margin:0'><p id=x style='margin:0;height:500px'>text</p></body></html>");
    EXPECT_FALSE(m_control.Busy());
    auto doc = m_control.GetHtmlDocument();
    ASSERT_TRUE(doc != nullptr);
    EXPECT_EQ(m_control.ScrollHeight(), 500);
    // A second page replaces the first.
    m_control.LoadFromString(L"<body style='margin:0'><p style='margin:0;height:50px'>short</p></body>");
    EXPECT_NE(m_control.GetHtmlDocument(), doc);
    EXPECT_EQ(m_control.ScrollHeight(), 300); // never less than the window
}

TEST_F(PageFromStringTest, WithoutScrollBarsThePageHasTheWholeWindow)
{
    m_control.LoadFromString(L"<body style='margin:0'><p style='margin:0;height:900px;width:900px'>tall</p></body>");
    RECT rcWith = {};
    GetClientRect(m_control.Handle(), &rcWith);
    m_control.SetScrollBarsHidden(true);
    m_control.LoadFromString(L"<body style='margin:0'><p style='margin:0;height:900px;width:900px'>tall</p></body>");
    RECT rcWithout = {};
    GetClientRect(m_control.Handle(), &rcWithout);
    EXPECT_EQ(rcWithout.right, 400);
    EXPECT_EQ(rcWithout.bottom, 300);
    EXPECT_LT(rcWith.right, rcWithout.right);
    LONG_PTR style = GetWindowLongPtrW(m_control.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
}

} // namespace
