// The bar as an accessibility client sees it: OLEACC asks the window (WM_GETOBJECT) for the
// bar's object or, by command id, a control's; roles by bar type, names with shortcuts, states.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"

namespace {

typedef HRESULT(WINAPI* PFNACCFROMWINDOW)(HWND, DWORD, REFIID, void**);

// What an accessibility client does: ask OLEACC for an object of the window.
HRESULT ObjectOf(HWND hWnd, LONG lObjectId, IAccessible** ppAccessible)
{
    *ppAccessible = nullptr;
    HMODULE hOleacc = LoadLibraryW(L"oleacc.dll");
    if (!hOleacc)
        return E_FAIL;
    auto pfn = reinterpret_cast<PFNACCFROMWINDOW>(
        reinterpret_cast<void*>(GetProcAddress(hOleacc, "AccessibleObjectFromWindow")));
    const HRESULT hr =
        pfn ? pfn(hWnd, static_cast<DWORD>(lObjectId), IID_IAccessible, reinterpret_cast<void**>(ppAccessible))
            : E_FAIL;
    FreeLibrary(hOleacc);
    return hr;
}

VARIANT Child(long lChild)
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_I4;
    var.lVal = lChild;
    return var;
}

long Role(IAccessible* pAccessible, long lChild)
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_EQ(pAccessible->get_accRole(Child(lChild), &var), S_OK);
    return var.vt == VT_I4 ? var.lVal : -1;
}

long State(IAccessible* pAccessible, long lChild)
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_EQ(pAccessible->get_accState(Child(lChild), &var), S_OK);
    return var.vt == VT_I4 ? var.lVal : -1;
}

CString Name(IAccessible* pAccessible, long lChild)
{
    BSTR bstr = nullptr;
    EXPECT_EQ(pAccessible->get_accName(Child(lChild), &bstr), S_OK);
    CString str(bstr ? bstr : L"");
    SysFreeString(bstr);
    return str;
}

// A bar shown when its window is.
class CVisibleBar : public CQorCommandBar
{
public:
    BOOL IsVisible() const override { return m_hWnd && ::IsWindowVisible(m_hWnd); }
};

const int kSaveId = 6101;

class CommandBarAccessible : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hWndSite = cbtest::CreatePlainWindow({60, 60, 460, 200});
        m_pBar = new CVisibleBar;
    }
    void TearDown() override
    {
        m_pBar->InternalRelease();
        DestroyWindow(m_hWndSite);
    }
    void Create(int nType)
    {
        m_pBar->m_barType = nType;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 30, m_hWndSite, nullptr));
        m_pBar->SetTitle(L"Standard");
        CQorControl* pSave = m_pBar->GetControls()->Add(qorControlButton, kSaveId);
        pSave->SetCaption(L"&Cap\tCtrl+S");
        pSave->SetRect(CRect(4, 4, 40, 26));
        CQorControl* pOpen = m_pBar->GetControls()->Add(qorControlButton, kSaveId + 1);
        pOpen->SetCaption(L"Open");
        pOpen->SetRect(CRect(44, 4, 80, 26));
    }

    HWND m_hWndSite = nullptr;
    CQorCommandBar* m_pBar = nullptr;
};

TEST_F(CommandBarAccessible, ClientObjectIsTheBarWithItsControlsAsChildren)
{
    struct Case
    {
        int nType;
        long lRole;
    };
    for (const Case& c : {Case{qorBarTypeMenuBar, ROLE_SYSTEM_MENUBAR}, Case{qorBarTypeToolBar, ROLE_SYSTEM_TOOLBAR},
                          Case{qorBarTypePopup, ROLE_SYSTEM_MENUPOPUP}}) {
        SCOPED_TRACE(c.nType);
        if (m_pBar->GetSafeHwnd()) {
            m_pBar->DestroyWindow();
            m_pBar->GetControls()->RemoveAll();
        }
        Create(c.nType);
        IAccessible* pAccessible = nullptr;
        // OLEACC hands the object id over as a DWORD: on x64 it arrives zero-extended.
        ASSERT_EQ(ObjectOf(m_pBar->GetSafeHwnd(), OBJID_CLIENT, &pAccessible), S_OK);
        ASSERT_NE(pAccessible, nullptr);
        EXPECT_EQ(Role(pAccessible, CHILDID_SELF), c.lRole);
        EXPECT_EQ(Role(pAccessible, 1), ROLE_SYSTEM_MENUITEM);
        long lCount = 0;
        EXPECT_EQ(pAccessible->get_accChildCount(&lCount), S_OK);
        EXPECT_EQ(lCount, 2);
        EXPECT_STREQ(Name(pAccessible, CHILDID_SELF), L"Standard");
        EXPECT_STREQ(Name(pAccessible, 1), L"Cap\tCtrl+S");
        EXPECT_STREQ(Name(pAccessible, 2), L"Open");
        VARIANT var;
        EXPECT_EQ(pAccessible->get_accRole(Child(3), &var), E_INVALIDARG);
        pAccessible->Release();
    }
}

TEST_F(CommandBarAccessible, StatesMarkTheHotControlAndAHiddenBar)
{
    Create(qorBarTypeToolBar);
    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(ObjectOf(m_pBar->GetSafeHwnd(), OBJID_CLIENT, &pAccessible), S_OK);
    EXPECT_EQ(State(pAccessible, 1), 0x300000);
    m_pBar->SetSelected(0, 0);
    EXPECT_EQ(State(pAccessible, 1), 0x300086);
    EXPECT_EQ(State(pAccessible, 2), 0x300000);
    EXPECT_EQ(State(pAccessible, CHILDID_SELF), 0);
    m_pBar->ShowWindow(SW_HIDE);
    EXPECT_EQ(State(pAccessible, CHILDID_SELF), STATE_SYSTEM_INVISIBLE);

    // Location and hit test in screen coordinates.
    m_pBar->ShowWindow(SW_SHOW);
    long x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(pAccessible->accLocation(&x, &y, &cx, &cy, Child(2)), S_OK);
    const POINT ptOpen = cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), 44, 4);
    EXPECT_EQ(CRect(x, y, x + cx, y + cy), CRect(ptOpen.x, ptOpen.y, ptOpen.x + 36, ptOpen.y + 22));
    VARIANT hit;
    VariantInit(&hit);
    EXPECT_EQ(pAccessible->accHitTest(ptOpen.x + 5, ptOpen.y + 5, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_DISPATCH);
    EXPECT_EQ(hit.pdispVal, m_pBar->GetControl(1)->GetAccessibleInterface());
    VariantClear(&hit);
    EXPECT_EQ(pAccessible->accHitTest(ptOpen.x + 100, ptOpen.y + 5, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    pAccessible->Release();
}

TEST_F(CommandBarAccessible, ObjectIdOfACommandNamesItsControl)
{
    Create(qorBarTypeToolBar);
    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(ObjectOf(m_pBar->GetSafeHwnd(), kSaveId + 1, &pAccessible), S_OK);
    ASSERT_NE(pAccessible, nullptr);
    EXPECT_STREQ(Name(pAccessible, CHILDID_SELF), L"Open");
    pAccessible->Release();
    // No control of that id: the window's default answer, which OLEACC turns into a failure.
    EXPECT_NE(ObjectOf(m_pBar->GetSafeHwnd(), 4242, &pAccessible), S_OK);
}

} // namespace
