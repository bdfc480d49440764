#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/Dialog.h"
#include "platform/framework/WinApp.h"
#include "tests/toolkit/foundation/FoundationTestResources.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/FoundationResources.h"
#include "toolkit/foundation/HyperLink.h"
#include "toolkit/foundation/ResourceManager.h"

namespace {

// A shown dialog whose static is subclassed as a link; message boxes are captured.
struct HyperLinkFixture : testing::Test
{
    CDialog dlg;
    CVkHyperLink link;
    std::vector<std::pair<CString, UINT>> boxes;
    AfxMessageBoxHandler previous;

    void SetUp() override
    {
        previous = AfxSetMessageBoxHandler([this](LPCTSTR text, UINT type) {
            boxes.emplace_back(CString(text), type);
            return IDOK;
        });
        ASSERT_TRUE(dlg.Create(IDD_TEST_LINK));
        ASSERT_TRUE(link.SubclassDlgItem(IDC_TEST_LINK, &dlg));
    }
    void TearDown() override
    {
        link.DestroyWindow();
        dlg.DestroyWindow();
        AfxSetMessageBoxHandler(previous);
    }
    CRect LinkScreenRect() const
    {
        CRect rc;
        link.GetWindowRect(&rc);
        return rc;
    }
    void Click(POINT screen)
    {
        ::SetCursorPos(screen.x, screen.y);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_LINK, STN_CLICKED),
                        reinterpret_cast<LPARAM>(link.GetSafeHwnd()));
    }
};

} // namespace

TEST_F(HyperLinkFixture, ASubclassedStaticTakesItsTextAsUrlAndAnUnderlinedFont)
{
    EXPECT_EQ(link.GetURL(), CString(L"Link text"));
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    LOGFONTW lf = {};
    ASSERT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(lf), &lf));
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(link.GetLinkColor(), RGB(0, 0, 0xFF)); // COLORREF 0xFF0000
    EXPECT_NE(link.GetLinkCursor(), nullptr);
}

TEST_F(HyperLinkFixture, AReplacedLinkFontIsFreed)
{
    HFONT first = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
    link.SetUnderline(FALSE);
    HFONT second = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
    EXPECT_NE(first, second);
    EXPECT_EQ(::GetObjectType(first), 0u);
    LOGFONTW lf = {};
    ASSERT_TRUE(::GetObjectW(second, sizeof(lf), &lf));
    EXPECT_FALSE(lf.lfUnderline);
}

TEST_F(HyperLinkFixture, AMissingLinkFileShowsTheFileNotFoundMessageAndStaysUnvisited)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString missing = CString(temp) + L"FolionyxMissingLinkTarget.txt";
    ::DeleteFileW(missing);
    link.SetURL(missing);
    CRect rc = LinkScreenRect();
    Click(CPoint(rc.left + 3, rc.CenterPoint().y));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, GetResourceManager()->LoadString(QOR_IDS_HYPERLINK_FILE_NOT_FOUND));
    EXPECT_EQ(boxes[0].first, CString(L"The specified file was not found."));
    EXPECT_TRUE(boxes[0].second & MB_ICONEXCLAMATION);
    EXPECT_FALSE(link.GetVisited());
}

TEST_F(HyperLinkFixture, AClickBesideTheTextDoesNothing)
{
    link.m_bOpenOnClick = FALSE; // a click on the text would only mark the link visited
    CRect rc = LinkScreenRect();
    Click(CPoint(rc.right - 2, rc.CenterPoint().y));
    EXPECT_FALSE(link.GetVisited());
    EXPECT_TRUE(boxes.empty());
    Click(CPoint(rc.left + 3, rc.CenterPoint().y));
    EXPECT_TRUE(link.GetVisited());
}

TEST_F(HyperLinkFixture, ErrorsNameTheShellsResult)
{
    struct Case
    {
        int code;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"The operating system is out of memory or resources."},
        {SE_ERR_NOASSOC, L"There is no application associated with the given file name extension."},
        {SE_ERR_DLLNOTFOUND, L"The specified dynamic-link library was not found."},
        {17, L"An unknown error number 17 occured."},
    };
    for (const Case& c : cases)
        link.ReportError(c.code);
    ASSERT_EQ(boxes.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(boxes[i].first, CString(cases[i].text)) << cases[i].code;
    for (int code = 0; code <= 32; ++code) {
        UINT id = CVkHyperLink::GetErrorStringId(code);
        EXPECT_FALSE(GetResourceManager()->LoadString(id).IsEmpty()) << id;
    }
}

TEST_F(HyperLinkFixture, TextColourFollowsHoverVisitedAndLink)
{
    HDC hDC = ::GetDC(link.GetSafeHwnd());
    auto colour = [&]() {
        dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(link.GetSafeHwnd()));
        return ::GetTextColor(hDC);
    };
    EXPECT_EQ(colour(), link.GetLinkColor());
    link.SetVisited(TRUE);
    EXPECT_EQ(colour(), link.GetVisitedColor());

    // Hover: the timer sees the cursor over the text.
    CRect rc = LinkScreenRect();
    ::SetCursorPos(rc.left + 3, rc.CenterPoint().y);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, rc.Height() / 2));
    DWORD start = ::GetTickCount();
    MSG msg;
    while (!link.IsHot() && ::GetTickCount() - start < 2000) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
    EXPECT_TRUE(link.IsHot());
    EXPECT_EQ(colour(), link.GetHoverColor());
    ::ReleaseDC(link.GetSafeHwnd(), hDC);
}

TEST_F(HyperLinkFixture, AnOwnBackgroundIsPaintedAndTheDefaultComesFromTheColourManager)
{
    EXPECT_EQ(link.GetBackColor(), GetColor(15));
    link.SetBackColor(RGB(10, 200, 30));
    EXPECT_EQ(link.GetBackColor(), RGB(10, 200, 30));
    link.UpdateWindow();
    CRect rc;
    link.GetClientRect(&rc);
    HDC hDC = ::GetDC(link.GetSafeHwnd());
    COLORREF pixel = ::GetPixel(hDC, rc.right - 2, rc.bottom - 2); // beside the text
    ::ReleaseDC(link.GetSafeHwnd(), hDC);
    EXPECT_EQ(pixel, RGB(10, 200, 30));
    EXPECT_EQ(link.SendMessage(0x2A48), 1);
    EXPECT_EQ(link.SendMessage(WM_NCHITTEST, 0, 0), HTCLIENT);
}

TEST(HyperLinkResources, TheFallbackCursorIsAToolkitResource)
{
    EXPECT_NE(GetResourceManager()->LoadCursor(QOR_IDC_HAND), nullptr);
}
