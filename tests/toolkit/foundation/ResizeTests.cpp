#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/foundation/FoundationTestResources.h"
#include "toolkit/foundation/Resize.h"

namespace {

// A modeless resizable dialog from the test resources, sized by its client area.
struct ResizeFixture : testing::Test
{
    CVkResizeDialog* dlg = nullptr;

    void Open(UINT nTemplate, int nFlags = 0)
    {
        dlg = new CVkResizeDialog(nTemplate, nullptr, nFlags);
        ASSERT_TRUE(dlg->Create(nTemplate));
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        delete dlg;
    }
    void SetClientSize(int cx, int cy)
    {
        CRect rcWindow, rcClient;
        dlg->GetWindowRect(&rcWindow);
        dlg->GetClientRect(&rcClient);
        dlg->SetWindowPos(nullptr, 0, 0, cx + rcWindow.Width() - rcClient.Width(),
                          cy + rcWindow.Height() - rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CSize ClientSize() const
    {
        CRect rc;
        dlg->GetClientRect(&rc);
        return rc.Size();
    }
    CRect ChildRect(UINT nID) const
    {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(dlg->GetSafeHwnd(), nID), &rc);
        ::MapWindowPoints(nullptr, dlg->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }
};

} // namespace

TEST_F(ResizeFixture, AnchorsMoveAndStretchControlsByTheChangeOfTheClientSize)
{
    Open(IDD_TEST_RESIZE);
    CRect edit = ChildRect(IDC_TEST_RESIZE_EDIT), button = ChildRect(IDC_TEST_RESIZE_BUTTON);
    dlg->SetResize(IDC_TEST_RESIZE_EDIT, 0, 0, 1, 0);   // stretches to the right
    dlg->SetResize(IDC_TEST_RESIZE_BUTTON, 1, 1, 1, 1); // follows the bottom-right corner
    CSize start = ClientSize();

    SetClientSize(start.cx + 40, start.cy + 30);
    EXPECT_EQ(ChildRect(IDC_TEST_RESIZE_EDIT), CRect(edit.left, edit.top, edit.right + 40, edit.bottom));
    EXPECT_EQ(ChildRect(IDC_TEST_RESIZE_BUTTON),
              CRect(button.left + 40, button.top + 30, button.right + 40, button.bottom + 30));
    SetClientSize(start.cx, start.cy);
    EXPECT_EQ(ChildRect(IDC_TEST_RESIZE_EDIT), edit);
    EXPECT_EQ(ChildRect(IDC_TEST_RESIZE_BUTTON), button);
}

TEST_F(ResizeFixture, HalfAnchorsGivenTwiceEndWhereAWholeAnchorEndsOverSeveralResizes)
{
    Open(IDD_TEST_RESIZE);
    CRect half = ChildRect(IDC_TEST_RESIZE_HALF), button = ChildRect(IDC_TEST_RESIZE_BUTTON);
    dlg->SetResize(IDC_TEST_RESIZE_HALF, 0.5f, 0, 0.5f, 0);
    dlg->SetResize(IDC_TEST_RESIZE_HALF, 0.5f, 0, 0.5f, 0);
    dlg->SetResize(IDC_TEST_RESIZE_BUTTON, 1, 0, 1, 0);
    CSize start = ClientSize();

    // Odd steps: halves of them would drift if they were rounded on every pass.
    const int steps[] = {7, 13, 3, 21, -9, 5};
    int total = 0;
    for (int step : steps) {
        total += step;
        SetClientSize(start.cx + total, start.cy);
        CRect rc = ChildRect(IDC_TEST_RESIZE_HALF);
        EXPECT_EQ(rc.left, half.left + total) << "after " << total;
        EXPECT_EQ(rc.Width(), half.Width()) << "after " << total;
        EXPECT_EQ(ChildRect(IDC_TEST_RESIZE_BUTTON).left - rc.left, button.left - half.left);
    }
}

TEST_F(ResizeFixture, AnIdWithoutAControlIsSkipped)
{
    Open(IDD_TEST_RESIZE);
    INT_PTR before = dlg->m_arrItems.GetSize();
    EXPECT_FALSE(dlg->SetResize(4321, 1, 1, 1, 1));
    EXPECT_EQ(dlg->m_arrItems.GetSize(), before);
    SetClientSize(ClientSize().cx + 10, ClientSize().cy + 10); // still moves what it has
}

TEST_F(ResizeFixture, TheSizeGripSitsInTheCornerOnlyWithASizingBorder)
{
    Open(IDD_TEST_RESIZE);
    HWND grip = ::GetDlgItem(dlg->GetSafeHwnd(), 0x7FFF);
    ASSERT_NE(grip, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(grip, GWL_STYLE) & SBS_SIZEGRIP);
    EXPECT_TRUE(dlg->GetStyle() & WS_CLIPCHILDREN);
    CSize client = ClientSize();
    CRect rc = ChildRect(0x7FFF);
    EXPECT_EQ(rc, CRect(client.cx - 1 - ::GetSystemMetrics(SM_CXVSCROLL),
                        client.cy - 1 - ::GetSystemMetrics(SM_CYHSCROLL), client.cx - 1, client.cy - 1));
    SetClientSize(client.cx + 25, client.cy + 15);
    EXPECT_EQ(ChildRect(0x7FFF), CRect(rc.left + 25, rc.top + 15, rc.right + 25, rc.bottom + 15));
    dlg->DestroyWindow();
    delete dlg;
    dlg = nullptr;

    Open(IDD_TEST_RESIZE_FIXED);
    EXPECT_EQ(::GetDlgItem(dlg->GetSafeHwnd(), 0x7FFF), nullptr);
    EXPECT_TRUE(dlg->m_nResizeFlags & CVkResize::flagNoSizeIcon);
}

TEST_F(ResizeFixture, GroupBoxesBecomeTransparentUnlessTheFlagSaysNo)
{
    struct Case
    {
        const char* name;
        int flags;
        bool transparent;
    };
    const Case cases[] = {{"default", 0, true}, {"flag 0x20", CVkResize::flagNoTransparentGroup, false}};
    for (const Case& c : cases) {
        Open(IDD_TEST_RESIZE, c.flags);
        dlg->SetResize(IDC_TEST_RESIZE_GROUP, 0, 0, 1, 1);
        dlg->SetResize(IDC_TEST_RESIZE_BUTTON, 1, 1, 1, 1);
        HWND group = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_TEST_RESIZE_GROUP);
        EXPECT_EQ((::GetWindowLongPtrW(group, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0, c.transparent) << c.name;
        HWND button = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_TEST_RESIZE_BUTTON);
        EXPECT_FALSE(::GetWindowLongPtrW(button, GWL_EXSTYLE) & WS_EX_TRANSPARENT) << c.name;
        dlg->DestroyWindow();
        delete dlg;
        dlg = nullptr;
    }
}

TEST_F(ResizeFixture, TrackSizesKeepTheInitialMinimumAndFixTheFlaggedDimension)
{
    Open(IDD_TEST_RESIZE, CVkResize::flagFixedHeight);
    CRect rcWindow;
    dlg->GetWindowRect(&rcWindow);
    MINMAXINFO mmi = {};
    mmi.ptMaxTrackSize.x = mmi.ptMaxTrackSize.y = 5000;
    dlg->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, rcWindow.Width());
    EXPECT_EQ(mmi.ptMinTrackSize.y, rcWindow.Height());
    EXPECT_EQ(mmi.ptMaxTrackSize.y, rcWindow.Height());
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 5000);

    SetClientSize(10, 10); // the minimum holds against a smaller request
    CRect after;
    dlg->GetWindowRect(&after);
    EXPECT_EQ(after.Size(), rcWindow.Size());
}

TEST(ResizePlacement, IsWrittenOnDestroyOnlyWithAProfileSection)
{
    const wchar_t kCompany[] = L"FolionyxResizeTests";
    std::wstring appKey = std::wstring(L"Software\\") + kCompany + L"\\ResizeApp";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kCompany).c_str());
    CWinApp app(L"ResizeApp");
    app.SetRegistryKey(kCompany);

    struct Case
    {
        const wchar_t* section;
        bool written;
    };
    const Case cases[] = {{L"", false}, {L"Search", true}};
    for (const Case& c : cases) {
        CVkResizeDialog dlg(IDD_TEST_RESIZE);
        dlg.m_strSection = c.section;
        ASSERT_TRUE(dlg.Create(IDD_TEST_RESIZE));
        dlg.DestroyWindow();
    }
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, (appKey + L"\\Search").c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    WINDOWPLACEMENT wp = {};
    DWORD size = sizeof(wp), type = 0;
    EXPECT_EQ(::RegQueryValueExW(key, L"WindowPlacement", nullptr, &type, reinterpret_cast<LPBYTE>(&wp), &size),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(size, 44u);
    EXPECT_EQ(wp.length, 44u);
    HKEY appHandle = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, appKey.c_str(), 0, KEY_READ, &appHandle), ERROR_SUCCESS);
    DWORD subKeys = 0;
    ::RegQueryInfoKeyW(appHandle, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr);
    ::RegCloseKey(appHandle);
    EXPECT_EQ(subKeys, 1u); // only the dialog with a section wrote
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kCompany).c_str());
}
