// Windows with C++ objects: creation, message maps, subclassing, reflection, handle maps,
// modal loops and destruction.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

#include "platform/framework/Exceptions.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "tests/common/MessageLog.h"
#include "tests/common/WineTestSupport.h"

using testsupport::lparam;
using testsupport::MessageLog;
using testsupport::posted;
using testsupport::sent;
using testsupport::wparam;

namespace {

const UINT WM_TEST_NESTED = WM_APP + 1;

// A top-level window whose handlers record what reached its message map, with the arguments
// as the map cracked them (rebuilt into wParam and lParam, so a table can check them).
class CRecordingWnd : public CWnd
{
public:
    MessageLog seen;
    int createResult = 0;
    int measureCalls = 0;

    BOOL CreateTopLevel()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"recording", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr);
    }

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs)
    {
        seen.Record(m_hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(cs));
        return CWnd::OnNcCreate(cs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        seen.Record(m_hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(cs));
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        return createResult;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { seen.Record(m_hWnd, WM_SIZE, nType, MAKELPARAM(cx, cy)); }
    afx_msg void OnTimer(UINT_PTR id)
    {
        seen.Record(m_hWnd, WM_TIMER, id, 0);
        KillTimer(id);
    }
    afx_msg LRESULT OnNested(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_TEST_NESTED, &CRecordingWnd::OnNested)
END_MESSAGE_MAP()

// An owner-drawn list box whose item height is answered through reflection of the
// WM_MEASUREITEM that its parent receives while the list box is being created.
class COwnerDrawList : public CWnd
{
public:
    int measured = 0;

protected:
    void MeasureItem(LPMEASUREITEMSTRUCT mis)
    {
        ++measured;
        mis->itemHeight = 33;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerDrawList, CWnd)
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

} // namespace

TEST(WindowCreation, ObjectSeesMessagesSentInsideCreateWindow)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_TRUE(wnd.seen.Matches({{WM_NCCREATE, sent}, {WM_CREATE, sent}}));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_QUERYAFXWNDPROC, 0, 0), 1);

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WindowCreation, FailingOnCreateFailsCreationAndDetaches)
{
    CRecordingWnd wnd;
    wnd.createResult = -1;
    EXPECT_FALSE(wnd.CreateTopLevel());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(WindowCreation, ChildObjectAnswersMeasureItemDuringItsOwnCreation)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    COwnerDrawList list;
    ASSERT_TRUE(list.Create(L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                            CRect(0, 0, 100, 100), &parent, 7));
    EXPECT_EQ(list.measured, 1);
    EXPECT_EQ(::SendMessageW(list.m_hWnd, LB_GETITEMHEIGHT, 0, 0), 33);
    parent.DestroyWindow();
    EXPECT_EQ(list.m_hWnd, nullptr); // children are detached with their window
}

TEST(WindowMessages, MapDispatchesMessagesWithTheirArguments)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.seen.Clear();
    ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_NESTED, 21), 42);
    wnd.SetTimer(5, 10);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return wnd.seen.Contains(WM_TIMER); }));
    EXPECT_TRUE(wnd.seen.Matches({
        {WM_SIZE, sent | wparam | lparam, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height())},
        {WM_TIMER, posted | wparam, 5},
    }));
    wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------------------
// Subclassing and Default()

namespace {

// Swallows 'x'; every other character goes on through Default(), after a nested message to
// the same window that must not disturb Default's idea of the current message.
class CFilterEdit : public CWnd
{
protected:
    afx_msg void OnChar(UINT nChar, UINT, UINT)
    {
        if (nChar == 'x')
            return;
        SendMessage(WM_GETTEXTLENGTH);
        SendMessage(WM_TEST_NESTED);
        Default();
    }
    afx_msg LRESULT OnNested(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilterEdit, CWnd)
    ON_WM_CHAR()
    ON_MESSAGE(WM_TEST_NESTED, &CFilterEdit::OnNested)
END_MESSAGE_MAP()

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, 256);
    return text;
}

void TypeInto(HWND hWnd, const wchar_t* chars)
{
    for (; *chars; ++chars)
        ::SendMessageW(hWnd, WM_CHAR, *chars, 1);
}

} // namespace

TEST(WindowSubclassing, DefaultPassesTheCurrentMessageAfterNestedSends)
{
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPED, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    WNDPROC original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit, GWLP_WNDPROC));

    CFilterEdit filter;
    ASSERT_TRUE(filter.SubclassWindow(edit));
    EXPECT_FALSE(CWnd().Attach(edit)); // one object per window
    MessageLog log({WM_CHAR, WM_GETTEXTLENGTH, WM_TEST_NESTED});
    log.Watch(edit);
    TypeInto(edit, L"axb");
    EXPECT_EQ(TextOf(edit), L"ab");
    // Each character that Default() passed on came after two nested messages.
    EXPECT_TRUE(log.Matches({
        {WM_CHAR, wparam, 'a'},
        {WM_GETTEXTLENGTH},
        {WM_TEST_NESTED},
        {WM_CHAR, wparam, 'x'},
        {WM_CHAR, wparam, 'b'},
        {WM_GETTEXTLENGTH},
        {WM_TEST_NESTED},
    }));
    log.Unwatch(edit);

    EXPECT_EQ(filter.UnsubclassWindow(), edit);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit, GWLP_WNDPROC)), original);
    TypeInto(edit, L"x");
    EXPECT_EQ(TextOf(edit), L"abx");
    ::DestroyWindow(edit);
}

TEST(WindowSubclassing, SubclassedWindowDestroyedByOthersDetachesItsObject)
{
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPED, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
    CFilterEdit filter;
    ASSERT_TRUE(filter.SubclassWindow(edit));
    ::DestroyWindow(edit);
    EXPECT_EQ(filter.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
}

TEST(WindowHandleMaps, ForeignWindowsGetTemporaryWrappersUntilIdle)
{
    HWND foreign =
        ::CreateWindowExW(0, L"STATIC", L"t", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandle(foreign), temp);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(foreign)); // temporaries never destroy their window

    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_EQ(CWnd::FromHandle(foreign), &owner);
    EXPECT_EQ(owner.Detach(), foreign);
    ::DestroyWindow(foreign);
}

// ---------------------------------------------------------------------------------------
// Reflection

namespace {

const int IDC_CHILD = 101;

class CReflectingButton : public CWnd
{
public:
    int clicks = 0;
    BOOL passClicksOn = FALSE;
    int notifies = 0;
    HBRUSH brush = nullptr;

protected:
    afx_msg BOOL OnReflectedClick()
    {
        ++clicks;
        return !passClicksOn;
    }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult)
    {
        ++notifies;
        *pResult = 77;
    }
    afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor) { return nCtlColor == CTLCOLOR_STATIC ? brush : nullptr; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectingButton::OnReflectedClick)
    ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingButton::OnReflectedNotify)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CRecordingWnd
{
public:
    int clicks = 0;
    int notifies = 0;
    UINT rangeId = 0;

protected:
    afx_msg void OnChildClicked() { ++clicks; }
    afx_msg void OnChildNotify(NMHDR*, LRESULT* pResult)
    {
        ++notifies;
        *pResult = 5;
    }
    afx_msg void OnRangeNotify(UINT id, NMHDR*, LRESULT* pResult)
    {
        rangeId = id;
        *pResult = 6;
    }
    afx_msg BOOL OnNotifyEx(UINT, NMHDR* pNMHDR, LRESULT* pResult)
    {
        *pResult = 8;
        return pNMHDR->idFrom == IDC_CHILD; // FALSE: not taken here
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CRecordingWnd)
    ON_BN_CLICKED(IDC_CHILD, &CParentWnd::OnChildClicked)
    ON_NOTIFY(NM_CLICK, IDC_CHILD, &CParentWnd::OnChildNotify)
    ON_NOTIFY(NM_DBLCLK, IDC_CHILD, &CParentWnd::OnChildNotify)
    ON_NOTIFY_RANGE(NM_RCLICK, IDC_CHILD - 1, IDC_CHILD + 5, &CParentWnd::OnRangeNotify)
    ON_NOTIFY_EX(NM_RETURN, IDC_CHILD, &CParentWnd::OnNotifyEx)
END_MESSAGE_MAP()

struct ReflectionFixture : testing::Test
{
    CParentWnd parent;
    CReflectingButton child;
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTopLevel());
        ASSERT_TRUE(child.Create(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent,
                                 IDC_CHILD));
    }
    void TearDown() override { parent.DestroyWindow(); }

    LRESULT SendNotify(UINT code, UINT_PTR idFrom = IDC_CHILD)
    {
        NMHDR hdr = {child.m_hWnd, idFrom, code};
        return parent.SendMessage(WM_NOTIFY, IDC_CHILD, reinterpret_cast<LPARAM>(&hdr));
    }
};

} // namespace

TEST_F(ReflectionFixture, ControlHandlesItsOwnCommandNotificationFirst)
{
    child.SendMessage(BM_CLICK);
    EXPECT_EQ(child.clicks, 1);
    EXPECT_EQ(parent.clicks, 0);

    child.passClicksOn = TRUE; // the _EX handler lets the parent have it too
    child.SendMessage(BM_CLICK);
    EXPECT_EQ(child.clicks, 2);
    EXPECT_EQ(parent.clicks, 1);
}

TEST_F(ReflectionFixture, NotificationsGoToTheControlOrElseTheParent)
{
    EXPECT_EQ(SendNotify(NM_CLICK), 77);
    EXPECT_EQ(child.notifies, 1);
    EXPECT_EQ(parent.notifies, 0);

    EXPECT_EQ(SendNotify(NM_DBLCLK), 5); // no reflected handler for this code
    EXPECT_EQ(parent.notifies, 1);

    EXPECT_EQ(SendNotify(NM_RCLICK), 6); // a range gets the control's id
    EXPECT_EQ(parent.rangeId, static_cast<UINT>(IDC_CHILD));
    EXPECT_EQ(SendNotify(NM_RETURN), 8);
    EXPECT_EQ(SendNotify(NM_RETURN, 0), 0); // declined by the _EX handler: default answer
}

TEST_F(ReflectionFixture, ToolHitTestFindsTheChildControlUnderThePoint)
{
    TOOLINFO info = {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(parent.OnToolHitTest(CPoint(10, 10), &info), IDC_CHILD);
    EXPECT_EQ(info.hwnd, parent.m_hWnd);
    EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(child.m_hWnd));
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
    EXPECT_FALSE(info.uFlags & TTF_NOTBUTTON); // a button
    EXPECT_EQ(parent.OnToolHitTest(CPoint(120, 80), nullptr), -1);
}

TEST_F(ReflectionFixture, ControlChoosesItsOwnColourBrush)
{
    child.brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    HDC hdc = ::GetDC(child.m_hWnd);
    LRESULT statics =
        parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(child.m_hWnd));
    LRESULT buttons =
        parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(child.m_hWnd));
    ::ReleaseDC(child.m_hWnd, hdc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(statics), child.brush);
    EXPECT_NE(reinterpret_cast<HBRUSH>(buttons), child.brush); // declined: the default answer
}

// ---------------------------------------------------------------------------------------
// Destruction inside handlers, exceptions

namespace {

int g_deletedWindows = 0;

class CSelfDestroyingWnd : public CRecordingWnd
{
public:
    ~CSelfDestroyingWnd() override { ++g_deletedWindows; }

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnLButtonDown(UINT, CPoint) { DestroyWindow(); }
    afx_msg void OnClose() { DestroyWindow(); }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT)
    {
        if (nChar == 'E')
            AfxThrowNotSupportedException();
        if (nChar == 'I')
            throw 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfDestroyingWnd, CRecordingWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CThrowingCreateWnd : public CRecordingWnd
{
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { AfxThrowNotSupportedException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingCreateWnd, CRecordingWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

} // namespace

TEST(WindowDestruction, WindowDestroyedInItsOwnHandlerIsDeletedOnce)
{
    struct Case
    {
        UINT message;
        WPARAM wParam;
    };
    for (Case c : {Case{WM_LBUTTONDOWN, MK_LBUTTON}, Case{WM_CLOSE, 0}}) {
        g_deletedWindows = 0;
        auto* wnd = new CSelfDestroyingWnd;
        ASSERT_TRUE(wnd->CreateTopLevel());
        HWND hWnd = wnd->m_hWnd;
        ::SendMessageW(hWnd, c.message, c.wParam, 0);
        EXPECT_FALSE(::IsWindow(hWnd)) << c.message;
        EXPECT_EQ(g_deletedWindows, 1) << c.message;
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    }
}

TEST(WindowDestruction, ExceptionsStopAtTheWindowProcedure)
{
    g_deletedWindows = 0;
    auto* wnd = new CSelfDestroyingWnd;
    ASSERT_TRUE(wnd->CreateTopLevel());
    HWND hWnd = wnd->m_hWnd;
    EXPECT_EQ(::SendMessageW(hWnd, WM_KEYDOWN, 'E', 0), 0);
    EXPECT_EQ(::SendMessageW(hWnd, WM_KEYDOWN, 'I', 0), 0);
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(g_deletedWindows, 1);

    CThrowingCreateWnd failing;
    EXPECT_FALSE(failing.CreateTopLevel()); // an exception in WM_CREATE fails the creation
    EXPECT_EQ(failing.m_hWnd, nullptr);
}

TEST(WindowDestruction, DeletingTheObjectDestroysItsWindow)
{
    auto* wnd = new CRecordingWnd;
    ASSERT_TRUE(wnd->CreateTopLevel());
    HWND hWnd = wnd->m_hWnd;
    delete wnd;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

// ---------------------------------------------------------------------------------------
// Descendants, pre-translation and modal loops

namespace {

class CCountingChild : public CWnd
{
public:
    int pings = 0;
    int preTranslated = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            ++preTranslated;
        return FALSE;
    }

protected:
    afx_msg LRESULT OnPing(WPARAM, LPARAM)
    {
        ++pings;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingChild, CWnd)
    ON_MESSAGE(WM_TEST_NESTED, &CCountingChild::OnPing)
END_MESSAGE_MAP()

// Ends its modal loop when it sees a key that its children passed on.
class CModalHost : public CRecordingWnd
{
public:
    int keysSeen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) {
            ++keysSeen;
            if (pMsg->wParam == VK_ESCAPE) {
                EndModalLoop(IDCANCEL);
                return TRUE;
            }
        }
        return FALSE;
    }
};

} // namespace

TEST(WindowTree, MessagesToDescendantsReachGrandchildren)
{
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateTopLevel());
    CCountingChild child, grandchild;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(grandchild.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &child, 2));
    HWND foreign = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, top.m_hWnd, nullptr, nullptr, nullptr);

    top.SendMessageToDescendants(WM_TEST_NESTED, 0, 0, TRUE, TRUE);
    EXPECT_EQ(child.pings, 1);
    EXPECT_EQ(grandchild.pings, 1);
    top.SendMessageToDescendants(WM_TEST_NESTED, 0, 0, FALSE, FALSE);
    EXPECT_EQ(child.pings, 2);
    EXPECT_EQ(grandchild.pings, 1);

    EXPECT_EQ(top.GetDescendantWindow(2, TRUE), &grandchild);
    EXPECT_EQ(grandchild.GetTopLevelParent(), &top);
    EXPECT_EQ(grandchild.GetParent(), &child);
    (void)foreign;
    top.DestroyWindow();
}

TEST(WindowTree, ParentsAndOwnersAreFollowedToTheTop)
{
    // top owns popup; popup holds child, which holds grandchild.
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateTopLevel());
    CWnd popup, child, grandchild;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), L"owned", WS_POPUP, 0, 0, 50, 50, top.m_hWnd, nullptr));
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &popup, 1));
    ASSERT_TRUE(grandchild.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &child, 2));

    EXPECT_EQ(&top, grandchild.GetTopLevelParent()); // through the owner of the popup
    EXPECT_EQ(&popup, grandchild.GetParentOwner());  // parents only, up to the first top-level window
    EXPECT_EQ(&top, popup.GetTopLevelOwner());
    EXPECT_EQ(&top, top.GetTopLevelOwner());
    EXPECT_EQ(&top, top.GetTopLevelParent());
    popup.DestroyWindow();
    top.DestroyWindow();
}

TEST(WindowTree, ModalLoopPreTranslatesFromTheTargetUpward)
{
    CModalHost host;
    ASSERT_TRUE(host.CreateTopLevel());
    CCountingChild child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host, 1));

    child.PostMessage(WM_KEYDOWN, 'A', 0);
    child.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    int result = host.RunModalLoop(MLF_NOIDLEMSG);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(child.preTranslated, 2);
    EXPECT_EQ(host.keysSeen, 2);
    EXPECT_EQ(host.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL), 0u);
    host.DestroyWindow();
}

TEST(WindowTree, ModalLoopHandsQuitOnToTheOuterLoop)
{
    CModalHost host;
    ASSERT_TRUE(host.CreateTopLevel());
    ::PostQuitMessage(3);
    EXPECT_EQ(host.RunModalLoop(MLF_NOIDLEMSG), -1);
    MSG msg = {};
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    host.DestroyWindow();
}
