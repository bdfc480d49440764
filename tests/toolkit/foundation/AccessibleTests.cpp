// The IAccessible face of toolkit windows, with OLEACC bound at run time.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include "platform/framework/ComSupport.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/Accessible.h"

namespace {

// A window whose accessible object tells its name.
class CNamedWnd : public CWnd, public CQorAccessible
{
public:
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        if (GetVariantInt(varChild) != 0)
            return E_INVALIDARG;
        *pszName = SysAllocString(L"Swatch panel");
        return S_OK;
    }
    CCmdTarget* GetAccessibleOuterObject() override { return this; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // OBJID_CLIENT comes zero-extended on x64.
        if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT)
            return LresultFromObject(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CNamedWnd, CWnd)
    INTERFACE_PART(CNamedWnd, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

// An owner that overrides nothing, not even the outer object.
class CBareWnd : public CWnd, public CQorAccessible
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT)
            return LresultFromObject(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

typedef HRESULT(WINAPI* PFNACCFROMWINDOW)(HWND, DWORD, REFIID, void**);

// What an accessibility client does: ask OLEACC for the window's client object.
HRESULT ClientObjectOf(HWND hWnd, IAccessible** ppAccessible)
{
    HMODULE hOleacc = LoadLibraryW(L"oleacc.dll");
    if (!hOleacc)
        return E_FAIL;
    auto pfn = reinterpret_cast<PFNACCFROMWINDOW>(
        reinterpret_cast<void*>(GetProcAddress(hOleacc, "AccessibleObjectFromWindow")));
    HRESULT hr =
        pfn ? pfn(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(ppAccessible))
            : E_FAIL;
    FreeLibrary(hOleacc);
    return hr;
}

VARIANT SelfId()
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_I4;
    var.lVal = CHILDID_SELF;
    return var;
}

TEST(Accessible, ClientReadsTheOverriddenNameThroughWmGetObject)
{
    CNamedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, AfxRegisterWndClass(0), L"named", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
    {
        CComPtr<IAccessible> pAccessible;
        ASSERT_EQ(ClientObjectOf(wnd.GetSafeHwnd(), &pAccessible), S_OK);
        ASSERT_TRUE(pAccessible != nullptr);
        BSTR name = nullptr;
        ASSERT_EQ(pAccessible->get_accName(SelfId(), &name), S_OK);
        EXPECT_STREQ(name, L"Swatch panel");
        SysFreeString(name);
        // Operations the owner does not override answer the base's defaults.
        VARIANT focus;
        VariantInit(&focus);
        EXPECT_EQ(pAccessible->get_accFocus(&focus), S_FALSE);
        long count = 0;
        EXPECT_EQ(pAccessible->get_accChildCount(&count), E_NOTIMPL);
    }
    // The window's own standard object, as owners use it for their parent.
    CComPtr<IDispatch> pDispatch;
    EXPECT_EQ(wnd.AccessibleObjectFromWindow(wnd.GetSafeHwnd(), &pDispatch), S_OK);
    EXPECT_TRUE(pDispatch != nullptr);
    pDispatch.Release();
    EXPECT_EQ(wnd.m_dwRef, 1u); // every reference the client took came back
    wnd.DestroyWindow();
}

TEST(Accessible, OwnerWithoutOuterObjectAnswersNothingAndDoesNotCrash)
{
    CBareWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, AfxRegisterWndClass(0), L"bare", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
    EXPECT_EQ(wnd.LresultFromObject(0), static_cast<LRESULT>(E_FAIL));
    IUnknown* pUnknown = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(wnd.GetAccessibleInterface()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)),
              E_NOINTERFACE);
    EXPECT_EQ(pUnknown, nullptr);
    wnd.GetAccessibleInterface()->AddRef();
    wnd.GetAccessibleInterface()->Release();
    // A client still gets the window's standard object.
    CComPtr<IAccessible> pAccessible;
    ClientObjectOf(wnd.GetSafeHwnd(), &pAccessible);
    wnd.DestroyWindow();
}

TEST(Accessible, ChildIdConversion)
{
    SHORT i2 = 7;
    LONG i4 = 42;
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_I4;
    inner.lVal = 9;
    VARIANT selfRef;
    VariantInit(&selfRef);
    selfRef.vt = VT_VARIANT | VT_BYREF;
    selfRef.pvarVal = &selfRef;
    VARIANT bstr;
    VariantInit(&bstr);
    bstr.vt = VT_BSTR;
    bstr.bstrVal = nullptr;

    struct
    {
        const char* name;
        VARTYPE vt;
        void* ref;
        LONG value;
        int expected;
    } const cases[] = {
        {"empty is the object itself", VT_EMPTY, nullptr, 0, 0},
        {"VT_I2", VT_I2, nullptr, 5, 5},
        {"VT_I4", VT_I4, nullptr, 6, 6},
        {"by-reference VT_I2", VT_I2 | VT_BYREF, &i2, 0, 7},
        {"by-reference VT_I4", VT_I4 | VT_BYREF, &i4, 0, 42},
        {"by-reference variant", VT_VARIANT | VT_BYREF, &inner, 0, 9},
        {"null reference", VT_I4 | VT_BYREF, nullptr, 0, -1},
        {"null variant reference", VT_VARIANT | VT_BYREF, nullptr, 0, -1},
        {"VT_BSTR", VT_BSTR, nullptr, 0, -1},
        {"self-referencing variant", VT_VARIANT | VT_BYREF, &selfRef, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VARIANT var;
        VariantInit(&var);
        if (c.vt == (VT_VARIANT | VT_BYREF) && c.ref == &selfRef) {
            var = selfRef;
        } else if (c.vt & VT_BYREF) {
            var.vt = c.vt;
            var.byref = c.ref;
        } else if (c.vt == VT_BSTR) {
            var = bstr;
        } else {
            var.vt = c.vt;
            if (c.vt == VT_I2)
                var.iVal = static_cast<SHORT>(c.value);
            else
                var.lVal = c.value;
        }
        EXPECT_EQ(CQorAccessible::GetVariantInt(var), c.expected);
    }
}

TEST(Accessible, MissingOleaccFailsAndIsTriedAgainNextTime)
{
    CNamedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, AfxRegisterWndClass(0), L"named", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
    CQorAccessible::SetOleaccModuleNameForTest(L"no-such-oleacc.dll");
    CComPtr<IDispatch> pDispatch;
    EXPECT_EQ(wnd.AccessibleObjectFromWindow(wnd.GetSafeHwnd(), &pDispatch), E_FAIL);
    EXPECT_EQ(wnd.LresultFromObject(0), static_cast<LRESULT>(E_FAIL));
    CQorAccessible::SetOleaccModuleNameForTest(nullptr);
    EXPECT_EQ(wnd.AccessibleObjectFromWindow(wnd.GetSafeHwnd(), &pDispatch), S_OK);
    EXPECT_TRUE(pDispatch != nullptr);
    pDispatch.Release();
    EXPECT_NE(wnd.m_pNotifyWinEvent, nullptr);
    wnd.DestroyWindow();
}

} // namespace
