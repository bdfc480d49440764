// Tool tips: the context driven by real mouse input, the own tip window's timing, placement
// and layout, and the backgrounds of the styles.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/HtmlToolTip.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ToolTipContext.h"
#include "toolkit/foundation/ToolTipStyles.h"
#include "toolkit/foundation/ToolTipWnd.h"

namespace {

// An opaque square icon of one colour; the caller destroys it.
HICON CreateSolidIcon(int size, COLORREF color)
{
    HDC hdc = GetDC(nullptr);
    HBITMAP hColor = CreateCompatibleBitmap(hdc, size, size);
    HBITMAP hMask = CreateBitmap(size, size, 1, 1, nullptr);
    HDC hMem = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hMem, hColor);
    RECT rc = {0, 0, size, size};
    HBRUSH hBrush = CreateSolidBrush(color);
    FillRect(hMem, &rc, hBrush);
    DeleteObject(hBrush);
    SelectObject(hMem, hMask);
    PatBlt(hMem, 0, 0, size, size, BLACKNESS); // opaque everywhere
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hdc);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(hColor);
    DeleteObject(hMask);
    return hIcon;
}

struct ToolSpec
{
    RECT rect;           // client co-ordinates of the owner
    const wchar_t* text; // null: callback text
    const wchar_t* title = nullptr;
};

// A window with tools that answers its own hit test.
class CToolOwner : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        for (size_t i = 0; i < m_tools.size(); ++i) {
            const RECT& rc = m_tools[i].rect;
            if (!::PtInRect(&rc, point))
                continue;
            FillToolInfo(m_hWnd, m_tools[i].text ? m_tools[i].text : L"", pTI, rc.left, rc.top, rc.right, rc.bottom,
                         i + 1);
            if (!m_tools[i].text) {
                free(pTI->lpszText);
                pTI->lpszText = LPSTR_TEXTCALLBACKW;
            }
            if (m_tools[i].title && pTI->cbSize >= TTTOOLINFOW_V2_SIZE && pTI->lParam)
                reinterpret_cast<QOR_TOOLINFO_EXTRA*>(pTI->lParam)->lpszTitle = _wcsdup(m_tools[i].title);
            return static_cast<INT_PTR>(i + 1);
        }
        return -1;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXTW) {
            ++m_nTextRequests;
            reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(L"Asked for");
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<ToolSpec> m_tools;
    int m_nTextRequests = 0;
};

void MoveMouse(int x, int y)
{
    foundationtest::SendMouse(MOUSEEVENTF_MOVE, {x, y});
}

void Click()
{
    foundationtest::SendMouse(MOUSEEVENTF_LEFTDOWN);
    foundationtest::SendMouse(MOUSEEVENTF_LEFTUP);
}

class ToolTipTest : public ::testing::Test
{
protected:
    void SetUp() override { MoveMouse(5, 5); }
    void TearDown() override
    {
        m_context.DestroyToolTip();
        if (m_owner.GetSafeHwnd())
            m_owner.DestroyWindow();
    }

    void CreateOwner(const RECT& rcWindow, std::vector<ToolSpec> tools)
    {
        m_owner.m_tools = std::move(tools);
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW)), L"tools",
                                     WS_POPUP | WS_VISIBLE, CRect(rcWindow), nullptr, 0));
        SetForegroundWindow(m_owner.GetSafeHwnd());
        ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == m_owner.GetSafeHwnd(); }));
    }

    // Pumps like the owner's message loop would, with the context in its pre-translation.
    template <typename Pred> bool Pump(Pred pred, DWORD timeoutMs)
    {
        DWORD start = GetTickCount();
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == m_owner.GetSafeHwnd())
                    m_context.FilterToolTipMessage(&m_owner, &msg);
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (pred())
                return true;
            if (GetTickCount() - start > timeoutMs)
                return false;
            Sleep(5);
        }
    }
    void PumpFor(DWORD ms)
    {
        Pump([] { return false; }, ms);
    }
    CQorToolTipContextToolTip* Tip() const { return dynamic_cast<CQorToolTipContextToolTip*>(m_context.GetToolTip()); }
    UINT_PTR ShownId() const
    {
        CQorToolTipContextToolTip* pTip = Tip();
        return pTip && pTip->IsWindowVisible() && pTip->GetShownTool() ? pTip->GetShownTool()->uId : 0;
    }
    // Moves to a point of the owner's window.
    void MoveOnOwner(int x, int y)
    {
        CRect rc;
        m_owner.GetWindowRect(&rc);
        MoveMouse(rc.left + x, rc.top + y);
    }
    // Moves onto a point of the owner and waits until the tool shows; the time it took.
    DWORD MoveAndTimeShow(int x, int y, UINT_PTR id)
    {
        DWORD start = GetTickCount();
        MoveOnOwner(x, y);
        bool shown = Pump([&] { return ShownId() == id; }, 3000);
        return shown ? GetTickCount() - start : 0xFFFFFFFF;
    }

    CToolOwner m_owner;
    CQorToolTipContext m_context;
};

TEST_F(ToolTipTest, FirstTipWaitsTheNextComesAtOnceAndAPauseWaitsAgain)
{
    m_context.m_nStyle = qorToolTipFlat;
    CreateOwner({100, 100, 500, 200},
                {{{0, 0, 100, 100}, L"One"}, {{110, 0, 200, 100}, L"Two"}, {{210, 0, 300, 100}, L"Three"}});
    DWORD first = MoveAndTimeShow(50, 50, 1);
    EXPECT_GE(first, 450u);
    EXPECT_LT(first, 1500u);
    // Through the gap to the next tool, within the reshow delay of the change.
    DWORD next = MoveAndTimeShow(150, 50, 2);
    EXPECT_LT(next, 200u);
    // Off every tool for a while: the next tool waits again.
    MoveOnOwner(350, 50);
    PumpFor(600);
    EXPECT_EQ(ShownId(), 0u);
    DWORD again = MoveAndTimeShow(250, 50, 3);
    EXPECT_GE(again, 450u);
    EXPECT_NE(again, 0xFFFFFFFFu);
}

TEST_F(ToolTipTest, PressSuppressesTheTipUntilAnotherTool)
{
    m_context.m_nStyle = qorToolTipFlat;
    CreateOwner({100, 100, 500, 200}, {{{0, 0, 100, 100}, L"One"}, {{110, 0, 200, 100}, L"Two"}});
    ASSERT_NE(MoveAndTimeShow(50, 50, 1), 0xFFFFFFFFu);
    Click();
    EXPECT_TRUE(Pump([&] { return ShownId() == 0; }, 1000));
    MoveOnOwner(60, 55);
    PumpFor(800);
    EXPECT_EQ(ShownId(), 0u);
    EXPECT_NE(MoveAndTimeShow(150, 50, 2), 0xFFFFFFFFu);
}

TEST_F(ToolTipTest, TitlesAndMnemonicsReachTheTip)
{
    m_context.m_nStyle = qorToolTipFlat;
    m_context.m_bShowTitle = TRUE;
    m_context.m_nStyleBits = 0; // mnemonics are stripped
    CreateOwner({100, 100, 500, 200}, {{{0, 0, 100, 100}, L"&Open a book", L"&File"},
                                       {{110, 0, 200, 100}, L"Same", L"Same"},
                                       {{210, 0, 300, 100}, L"No && title"}});
    ASSERT_NE(MoveAndTimeShow(50, 50, 1), 0xFFFFFFFFu);
    EXPECT_EQ(Tip()->GetTitle(), CString(L"File"));
    EXPECT_EQ(Tip()->GetShownTool()->strText, CString(L"Open a book"));
    // A body equal to its title is dropped: nothing is left to show.
    MoveOnOwner(150, 50);
    PumpFor(800);
    EXPECT_EQ(ShownId(), 0u);
    ASSERT_NE(MoveAndTimeShow(250, 50, 3), 0xFFFFFFFFu);
    EXPECT_TRUE(Tip()->GetTitle().IsEmpty());
    EXPECT_EQ(Tip()->GetShownTool()->strText, CString(L"No & title"));
}

TEST_F(ToolTipTest, TipNearTheBottomRightFlipsAboveTheCursorInsideTheWorkArea)
{
    m_context.m_nStyle = qorToolTipFlat;
    CRect rcWork;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    CreateOwner({rcWork.right - 60, rcWork.bottom - 40, rcWork.right, rcWork.bottom},
                {{{0, 0, 60, 40}, L"A tip near the corner of the screen"}});
    ASSERT_NE(MoveAndTimeShow(50, 30, 1), 0xFFFFFFFFu);
    CPoint ptCursor;
    GetCursorPos(&ptCursor);
    CRect rcTip;
    Tip()->GetWindowRect(&rcTip);
    EXPECT_EQ(rcTip.bottom, ptCursor.y - 3);
    EXPECT_LE(rcTip.right, rcWork.right - 4);
    EXPECT_GE(rcTip.left, rcWork.left);
}

TEST_F(ToolTipTest, CallbackTextIsAskedOnceAndEmptyTextShowsNothing)
{
    m_context.m_nStyle = qorToolTipFlat;
    CreateOwner({100, 100, 500, 200}, {{{0, 0, 100, 100}, nullptr}, {{110, 0, 200, 100}, L""}});
    ASSERT_NE(MoveAndTimeShow(50, 50, 1), 0xFFFFFFFFu);
    EXPECT_EQ(m_owner.m_nTextRequests, 1);
    EXPECT_EQ(Tip()->GetShownTool()->strText, CString(L"Asked for"));
    // The empty tool: no tip, however long the cursor stays.
    MoveOnOwner(150, 50);
    PumpFor(900);
    EXPECT_EQ(ShownId(), 0u);
    // Back to the first: it is not asked again within the same hit.
    MoveAndTimeShow(50, 50, 1);
    EXPECT_LE(m_owner.m_nTextRequests, 2);
}

TEST_F(ToolTipTest, ToolWithoutAnIconShowsNoImage)
{
    m_context.m_nStyle = qorToolTipFlat;
    m_context.m_bShowImage = TRUE;
    CQorImageManager images;
    HICON hIcon = CreateSolidIcon(16, RGB(255, 0, 0));
    ASSERT_TRUE(images.SetIcon(1, hIcon));
    DestroyIcon(hIcon); // the manager keeps its own copy
    m_context.m_pImageManager = &images;
    CreateOwner({100, 100, 500, 200}, {{{0, 0, 100, 100}, L"One"}, {{110, 0, 200, 100}, L"Two"}});
    ASSERT_NE(MoveAndTimeShow(50, 50, 1), 0xFFFFFFFFu);
    ASSERT_NE(Tip()->GetImage(), nullptr);
    EXPECT_EQ(Tip()->GetImage(), images.GetImage(1));
    EXPECT_EQ(Tip()->GetImageSize(), CSize(16, 16));
    // The next tool has no icon: the first one's image must not stay behind.
    ASSERT_NE(MoveAndTimeShow(150, 50, 2), 0xFFFFFFFFu);
    EXPECT_EQ(Tip()->GetImage(), nullptr);
    EXPECT_EQ(Tip()->GetImageSize(), CSize(0, 0));
}

// A refresh of the image manager frees the wrappers of image-list icons; the shown tip
// looks its image up again instead of keeping the freed one.
TEST_F(ToolTipTest, AShownTipSurvivesARefreshOfItsImages)
{
    m_context.m_nStyle = qorToolTipFlat;
    m_context.m_bShowImage = TRUE;
    CQorImageManager images;
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    HICON hIcon = CreateSolidIcon(16, RGB(255, 0, 0));
    ImageList_AddIcon(list, hIcon);
    DestroyIcon(hIcon);
    images.AddImageList(list, 1, TRUE);
    m_context.m_pImageManager = &images;
    CreateOwner({100, 100, 500, 200}, {{{0, 0, 100, 100}, L"One"}});
    ASSERT_NE(MoveAndTimeShow(50, 50, 1), 0xFFFFFFFFu);
    CQorImageManagerIcon* pBefore = Tip()->GetImage();
    ASSERT_NE(pBefore, nullptr);
    pBefore->InternalAddRef(); // kept alive here only to tell it from its successor
    images.RefreshAll();
    CQorImageManagerIcon* pAfter = images.GetImage(1);
    ASSERT_NE(pAfter, pBefore);
    EXPECT_EQ(Tip()->GetImage(), pAfter);
    EXPECT_EQ(Tip()->GetImageSize(), CSize(16, 16));
    Tip()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pBefore->InternalRelease();
}

TEST_F(ToolTipTest, ImageIdBaseIsAddedToTheToolId)
{
    m_context.m_nStyle = qorToolTipFlat;
    m_context.m_bShowImage = TRUE;
    m_context.m_nImageBase = 100;
    CQorImageManager images;
    HICON hSmall = CreateSolidIcon(16, RGB(255, 0, 0));
    HICON hLarge = CreateSolidIcon(32, RGB(0, 128, 0));
    ASSERT_TRUE(images.SetIcon(1, hLarge)); // the bare tool id: never asked for
    ASSERT_TRUE(images.SetIcon(101, hSmall));
    ASSERT_TRUE(images.SetIcon(102, hLarge));
    DestroyIcon(hSmall);
    DestroyIcon(hLarge);
    m_context.m_pImageManager = &images;
    CreateOwner({100, 100, 500, 200}, {{{0, 0, 100, 100}, L"One"}, {{110, 0, 200, 100}, L"Two"}});
    ASSERT_NE(MoveAndTimeShow(50, 50, 1), 0xFFFFFFFFu);
    EXPECT_EQ(Tip()->GetImage(), images.GetImage(101));
    EXPECT_EQ(Tip()->GetImageSize(), CSize(16, 16));
    ASSERT_NE(MoveAndTimeShow(150, 50, 2), 0xFFFFFFFFu);
    EXPECT_EQ(Tip()->GetImage(), images.GetImage(102));
    // The large image stands beside the text and sets the tip's height.
    CRect rcTip;
    Tip()->GetWindowRect(&rcTip);
    EXPECT_GE(rcTip.Height(), 32 + 6);
    testsupport::PumpUntil([] { return false; }, 100); // let it paint
    testsupport::WindowCapture capture(Tip()->GetSafeHwnd(), true);
    const CRect& rcMargin = m_context.m_rcMargin;
    COLORREF inIcon = capture.Pixel(rcMargin.left + 3 + 16, rcMargin.top + 3 + 16);
    EXPECT_TRUE(foundationtest::Near(inIcon, RGB(0, 128, 0), 10)) << std::hex << inIcon;
}

const wchar_t kHungEventVariable[] = L"FOLIONYX_TIP_HUNG_EVENT";

// The child half of WindowOfAHungProcessIsNotAskedUnderTheCursor: a window with a child
// window, after which the process stops pumping messages.
TEST(ToolTipChild, ShowsAWindowAndStopsPumping)
{
    wchar_t eventName[64] = {};
    if (!GetEnvironmentVariableW(kHungEventVariable, eventName, 64))
        GTEST_SKIP() << "runs only as the child of another case";
    HWND hTop = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"hung", WS_POPUP | WS_VISIBLE, 600, 600, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, hTop, nullptr, GetModuleHandleW(nullptr),
                    nullptr);
    testsupport::PumpMessages();
    HANDLE hEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    SetEvent(hEvent);
    CloseHandle(hEvent);
    Sleep(20000);
}

TEST(ToolTipHungProcess, WindowOfAHungProcessIsNotAskedUnderTheCursor)
{
    HANDLE hEvent = CreateEventW(nullptr, TRUE, FALSE, L"FolionyxTipHungWindow");
    SetEnvironmentVariableW(kHungEventVariable, L"FolionyxTipHungWindow");
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" --gtest_filter=ToolTipChild.*";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    SetEnvironmentVariableW(kHungEventVariable, nullptr);
    ASSERT_EQ(WaitForSingleObject(hEvent, 30000), WAIT_OBJECT_0);
    Sleep(200); // the child is now in its Sleep, pumping nothing

    POINT pt = {700, 650};
    HWND hUnder = WindowFromPoint(pt);
    DWORD pid = 0;
    GetWindowThreadProcessId(hUnder, &pid);
    EXPECT_EQ(pid, pi.dwProcessId);
    DWORD start = GetTickCount();
    EXPECT_EQ(QorTipWindowFromPoint(pt), hUnder);
    EXPECT_LT(GetTickCount() - start, 500u);

    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(hEvent);
}

// ---- layout and painting of the own tip window ---------------------------------------------

// A tip window of a style with one tool, drawn into a white 32-bit bitmap.
class TipCanvas
{
public:
    TipCanvas(CQorToolTipContextToolTip* pTip, HWND hWndTool, const wchar_t* text) : m_pTip(pTip)
    {
        m_pTip->CreateTip(nullptr, TTS_NOPREFIX);
        m_pTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, 300);
        RECT rcMargin = {0, 0, 0, 0};
        m_pTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rcMargin));
        TOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.hwnd = hWndTool;
        ti.uId = 1;
        ti.lpszText = const_cast<LPWSTR>(text);
        m_pTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    ~TipCanvas() { m_pTip->DestroyWindow(); }
    CQorToolTipContextToolTip::CTool* Tool() { return m_pTip->GetTool(0); }
    // Measures, then draws background and tip on white as painting does.
    CSize Draw(bool background = true)
    {
        CSize size = m_pTip->MeasureTip(Tool());
        if (size.cx <= 0 || size.cy <= 0)
            return size;
        m_canvas = std::make_unique<foundationtest::Canvas>(size.cx, size.cy, RGB(255, 255, 255));
        m_width = size.cx;
        m_height = size.cy;
        CDC* pDC = m_canvas->Dc();
        CRect rc(0, 0, size.cx, size.cy);
        if (background)
            m_pTip->DrawBackground(pDC, Tool(), rc);
        SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
        SetTextColor(pDC->GetSafeHdc(), m_pTip->GetTextColor());
        CQorFontDC font(pDC, &m_pTip->GetContext()->m_fntNormal);
        m_pTip->DrawTip(pDC, Tool(), rc);
        return size;
    }
    COLORREF Pixel(int x, int y) const { return m_canvas->Pixel(x, y); }
    // Bounding box of the pixels of one colour (or, with `other`, of every pixel that is
    // neither that colour nor `other`).
    CRect Find(COLORREF color, COLORREF other = CLR_INVALID, int rowTop = 0, int rowBottom = INT_MAX) const
    {
        CRect rc(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = rowTop; y < std::min(m_height, rowBottom); ++y)
            for (int x = 0; x < m_width; ++x)
                if (other == CLR_INVALID ? Pixel(x, y) == color : Pixel(x, y) != color && Pixel(x, y) != other) {
                    rc.left = std::min<int>(rc.left, x);
                    rc.top = std::min<int>(rc.top, y);
                    rc.right = std::max<int>(rc.right, x + 1);
                    rc.bottom = std::max<int>(rc.bottom, y + 1);
                }
        return rc;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    CQorToolTipContextToolTip* m_pTip;
    std::unique_ptr<foundationtest::Canvas> m_canvas;
    int m_width = 0, m_height = 0;
};

HWND CreateToolWindow(bool mirrored)
{
    return CreateWindowExW(mirrored ? WS_EX_LAYOUTRTL : 0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(ToolTipLayout, TitleAndImageSitWhereTheLayoutPutsThem)
{
    const COLORREF kRed = RGB(255, 0, 0);
    struct
    {
        const char* name;
        int imageSize;
        bool mirrored;
    } const cases[] = {
        {"16-px image, left to right", 16, false},
        {"16-px image, mirrored", 16, true},
        {"32-px image, left to right", 32, false},
        {"32-px image, mirrored", 32, true},
    };
    // The tip draws icons of the image manager: one id per size.
    CQorImageManager images;
    for (int size : {16, 32}) {
        HICON hIcon = CreateSolidIcon(size, kRed);
        ASSERT_TRUE(images.SetIcon(static_cast<UINT>(size), hIcon));
        DestroyIcon(hIcon);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQorToolTipContext context;
        context.m_clrText = RGB(0, 0, 255);
        HWND hWndTool = CreateToolWindow(c.mirrored);
        CQorImageManagerIcon* pIcon = images.GetImage(static_cast<UINT>(c.imageSize));
        ASSERT_NE(pIcon, nullptr);
        auto* pTip = new CQorToolTipContextToolTip(&context);
        {
            TipCanvas canvas(pTip, hWndTool, L"Body text that is long enough to wrap over more than one line here");
            pTip->SendMessage(TTM_SETTITLEW, 1, reinterpret_cast<LPARAM>(L"Title"));
            pTip->SendMessage(WM_QOR_TIP_SET_IMAGE, 0, reinterpret_cast<LPARAM>(pIcon));
            CSize size = canvas.Draw(false);
            ASSERT_GT(size.cx, 0);
            CRect rcImage = canvas.Find(kRed);
            EXPECT_EQ(rcImage.Width(), c.imageSize);
            EXPECT_EQ(rcImage.Height(), c.imageSize);
            // Title height as the layout reads it.
            HDC hdc = GetDC(nullptr);
            HGDIOBJ hOld = SelectObject(hdc, context.m_fntBold.GetSafeHandle());
            SIZE title = {};
            GetTextExtentPoint32W(hdc, L"Title", 5, &title);
            SelectObject(hdc, hOld);
            ReleaseDC(nullptr, hdc);
            if (c.imageSize == 16) {
                // On the title line, at the body box's corner.
                EXPECT_EQ(rcImage.top, 3);
                EXPECT_EQ(c.mirrored ? size.cx - 3 - rcImage.right : rcImage.left - 3, 0);
            } else {
                // Under the title, left of the indented body.
                EXPECT_EQ(rcImage.top, 3 + title.cy + 12);
                EXPECT_EQ(c.mirrored ? size.cx - 3 - rcImage.right : rcImage.left - 3, 10);
            }
            // In the image's rows, the text stands beside it.
            CRect rcText = canvas.Find(RGB(255, 255, 255), kRed, rcImage.top, rcImage.bottom);
            ASSERT_LT(rcText.left, rcText.right);
            if (c.imageSize == 32) {
                if (c.mirrored)
                    EXPECT_LE(rcText.right, rcImage.left);
                else
                    EXPECT_GE(rcText.left, rcImage.right);
            }
            EXPECT_GE(size.cy, 3 + title.cy + 12 + c.imageSize);
        }
        delete pTip;
        DestroyWindow(hWndTool);
    }
}

TEST(ToolTipLayout, EmptyTextMeasuresNothing)
{
    CQorToolTipContext context;
    HWND hWndTool = CreateToolWindow(false);
    auto* pTip = new CQorToolTipContextToolTip(&context);
    {
        TipCanvas canvas(pTip, hWndTool, L"");
        EXPECT_EQ(canvas.Draw(), CSize(0, 0));
    }
    delete pTip;
    DestroyWindow(hWndTool);
}

TEST(ToolTipStyles, BackgroundsOfFlatLunaAndOffice2007)
{
    CQorColorManager* pColors = GetColorManager();
    const int savedKind = pColors->m_nRequestedKind;
    const COLORREF infoBack = GetColor(COLOR_INFOBK);
    struct
    {
        const char* name;
        int style;
        int kind;
        COLORREF frame;
        COLORREF top;    // first row inside the frame
        COLORREF bottom; // last row inside the frame
    } const cases[] = {
        {"flat", qorToolTipFlat, 0, RGB(0, 0, 0), infoBack, infoBack},
        {"Luna blue", qorToolTipLuna, 1, RGB(0, 0, 0x80), RGB(0xFF, 0xD4, 0x97), RGB(0xFF, 0xF2, 0xC8)},
        {"Luna olive", qorToolTipLuna, 2, RGB(0x3F, 0x5D, 0x38), RGB(0xFF, 0xD4, 0x97), RGB(0xFF, 0xF2, 0xC8)},
        {"Luna silver", qorToolTipLuna, 3, RGB(0x4B, 0x4B, 0x6F), RGB(0xFF, 0xD4, 0x97), RGB(0xFF, 0xF2, 0xC8)},
        {"Luna without a style", qorToolTipLuna, 0, RGB(0, 0, 0), infoBack, RGB(0xFF, 0xFF, 0xFF)},
        {"Office 2007 defaults", qorToolTipOffice2007, 0, RGB(0x76, 0x76, 0x76), RGB(0xFF, 0xFF, 0xFF),
         RGB(0xC9, 0xD9, 0xEF)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pColors->m_nRequestedKind = c.kind;
        CQorToolTipContext context;
        context.m_nStyle = c.style;
        HWND hWndTool = CreateToolWindow(false);
        auto* pTip = dynamic_cast<CQorToolTipContextToolTip*>(context.CreateToolTip(nullptr));
        ASSERT_NE(pTip, nullptr);
        {
            TipCanvas canvas(pTip, hWndTool, L"x");
            canvas.Draw();
            int h = canvas.Height();
            ASSERT_GT(h, 4);
            EXPECT_EQ(canvas.Pixel(0, 0), c.frame);
            EXPECT_EQ(canvas.Pixel(canvas.Width() - 1, h - 1), c.frame);
            // The gradient ends one row short of its end colour at most.
            auto isNear = [](COLORREF a, COLORREF b) {
                return abs(GetRValue(a) - GetRValue(b)) <= 16 && abs(GetGValue(a) - GetGValue(b)) <= 16 &&
                       abs(GetBValue(a) - GetBValue(b)) <= 16;
            };
            EXPECT_TRUE(isNear(canvas.Pixel(canvas.Width() - 2, 1), c.top))
                << std::hex << canvas.Pixel(canvas.Width() - 2, 1);
            EXPECT_TRUE(isNear(canvas.Pixel(canvas.Width() - 2, h - 2), c.bottom))
                << std::hex << canvas.Pixel(canvas.Width() - 2, h - 2);
        }
        delete pTip;
        DestroyWindow(hWndTool);
    }
    pColors->m_nRequestedKind = savedKind;
}

TEST(ToolTipStyles, RichTextMeasuresItsTextAndNothingWithoutTheLibrary)
{
    CQorToolTipContext context;
    HWND hWndTool = CreateToolWindow(false);
    {
        auto* pTip = new CRichEditToolTip(&context);
        {
            TipCanvas canvas(pTip, hWndTool, L"{\\rtf1 Some {\\b bold} text}");
            CSize size = canvas.Draw();
            EXPECT_GT(size.cx, 6);
            EXPECT_GT(size.cy, 6);
        }
        delete pTip;
    }
    {
        auto* pTip = new CRichEditToolTip(&context, "no-such-riched.dll");
        {
            TipCanvas canvas(pTip, hWndTool, L"text");
            EXPECT_EQ(canvas.Draw(), CSize(0, 0));
        }
        delete pTip;
    }
    DestroyWindow(hWndTool);
}

TEST(ToolTipStyles, HtmlTipIsAsNarrowAsItsText)
{
    CQorToolTipContext context;
    HWND hWndTool = CreateToolWindow(false);
    auto measure = [&](const wchar_t* text) {
        auto* pTip = new CHTMLToolTip(&context);
        CSize size;
        {
            TipCanvas canvas(pTip, hWndTool, text);
            size = canvas.Draw();
        }
        delete pTip;
        return size;
    };
    CSize oneWord = measure(L"Word");
    CSize longText = measure(L"A much longer tip text that says a good deal more than one word and needs more room "
                             L"than the maximum width of the tip allows on a single line");
    EXPECT_GT(oneWord.cx, 6);
    EXPECT_LT(oneWord.cx, 120);
    EXPECT_GT(longText.cx, oneWord.cx);
    EXPECT_LE(longText.cx, 2 * 300 + 6); // the search never goes past twice the maximum width
    EXPECT_GT(longText.cy, oneWord.cy);  // wrapped over more than one line
    EXPECT_EQ(measure(L""), CSize(0, 0));
    DestroyWindow(hWndTool);
}

// The HTML tip sets its text in the context's font at the font's pixel size, so that one
// text takes about the room a flat tip gives it.
TEST(ToolTipStyles, HtmlTipSetsItsTextInTheContextsFontSize)
{
    CQorToolTipContext context;
    HWND hWndTool = CreateToolWindow(false);
    const wchar_t kText[] = L"Open the book at its first page";
    auto measure = [&](CQorToolTipContextToolTip* pTip) {
        CSize size;
        {
            TipCanvas canvas(pTip, hWndTool, kText);
            size = canvas.Draw();
        }
        delete pTip;
        return size;
    };
    const CSize flat = measure(new CQorToolTipContextToolTip(&context));
    const CSize html = measure(new CHTMLToolTip(&context));
    ASSERT_GT(flat.cx, 6);
    EXPECT_LE(abs(html.cy - flat.cy), 4) << "flat " << flat.cy << ", HTML " << html.cy;
    EXPECT_LE(abs(html.cx - flat.cx), flat.cx / 8) << "flat " << flat.cx << ", HTML " << html.cx;
    DestroyWindow(hWndTool);
}

} // namespace
