// A fixture for the row's loops: a row of the given class in a popup window that the loops
// capture the mouse for, and a window whose WM_APP runs an action inside a loop (g_onApp).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/tabs/TabTestRow.h"

namespace tabstest {

template <class TRow> struct CWindowedRow : ::testing::Test
{
    CQorTabPaintManager painter;
    std::unique_ptr<TRow> row;
    HWND hWnd = nullptr;
    HWND hAction = nullptr;

    void SetUp() override
    {
        testsupport::PumpMessages();
        row = std::make_unique<TRow>(&painter);
        row->m_rcControl = CRect(0, 0, 400, 200);
        ASSERT_TRUE(row->CreateEx(0, L"STATIC", L"row", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
        hWnd = row->GetSafeHwnd();
        hAction = MakeActionWindow();
    }
    void TearDown() override
    {
        g_onApp = nullptr;
        DestroyWindow(hAction);
        row->DestroyWindow();
        row.reset();
        testsupport::PumpMessages();
    }
};

} // namespace tabstest
