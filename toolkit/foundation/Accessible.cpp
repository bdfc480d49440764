#include "toolkit/foundation/Accessible.h"

#include "platform/framework/CmdTarget.h"

namespace {

LPCWSTR g_lpszOleaccName = nullptr;

// A variant that refers to a variant is followed this far; a chain that refers back to
// itself would otherwise never end.
const int kMaxVariantDepth = 4;

int VariantIntAtDepth(const VARIANT& var, int nDepth)
{
    switch (var.vt) {
    case VT_EMPTY:
        return 0;
    case VT_I2:
        return var.iVal;
    case VT_I4:
        return var.lVal;
    case VT_I2 | VT_BYREF:
        return var.piVal ? *var.piVal : -1;
    case VT_I4 | VT_BYREF:
        return var.plVal ? static_cast<int>(*var.plVal) : -1;
    case VT_VARIANT | VT_BYREF:
        if (!var.pvarVal || nDepth >= kMaxVariantDepth)
            return -1;
        return VariantIntAtDepth(*var.pvarVal, nDepth + 1);
    default:
        return -1;
    }
}

} // namespace

CQorAccessible::CQorAccessible()
    : m_pNotifyWinEvent(nullptr), m_pLresultFromObject(nullptr), m_pAccessibleObjectFromWindow(nullptr),
      m_hUser32(L"user32.dll")
{
    m_hUser32.GetProcAddress("NotifyWinEvent", &m_pNotifyWinEvent);
}

CQorAccessible::~CQorAccessible()
{
    m_hOleacc.Release();
    m_hUser32.Release();
}

void CQorAccessible::SetOleaccModuleNameForTest(LPCWSTR lpszName)
{
    g_lpszOleaccName = lpszName;
}

int CQorAccessible::GetVariantInt(const VARIANT& var)
{
    return VariantIntAtDepth(var, 0);
}

BOOL CQorAccessible::BindOleacc(LPCSTR lpszProcName, FARPROC* ppfn)
{
    if (!m_hOleacc.GetHandle() && !m_hOleacc.LoadLibrary(g_lpszOleaccName ? g_lpszOleaccName : L"oleacc.dll")) {
        m_hOleacc.Release();
        return FALSE;
    }
    return m_hOleacc.GetProcAddress(lpszProcName, ppfn);
}

HRESULT CQorAccessible::AccessibleObjectFromWindow(HWND hWnd, IDispatch** ppDispatch)
{
    if (!m_pAccessibleObjectFromWindow) {
        FARPROC pfn = nullptr;
        if (!BindOleacc("AccessibleObjectFromWindow", &pfn))
            return E_FAIL;
        m_pAccessibleObjectFromWindow = reinterpret_cast<PFNACCESSIBLEOBJECTFROMWINDOW>(reinterpret_cast<void*>(pfn));
    }
    return m_pAccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                         reinterpret_cast<void**>(ppDispatch));
}

LRESULT CQorAccessible::LresultFromObject(WPARAM wParam)
{
    // Without an outer object the part has no COM identity to hand out.
    if (!GetAccessibleOuterObject())
        return E_FAIL;
    if (!m_pLresultFromObject) {
        FARPROC pfn = nullptr;
        if (!BindOleacc("LresultFromObject", &pfn))
            return E_FAIL;
        m_pLresultFromObject = reinterpret_cast<PFNLRESULTFROMOBJECT>(reinterpret_cast<void*>(pfn));
    }
    return m_pLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
}

HRESULT CQorAccessible::GetAccessibleParent(IDispatch**)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleChildCount(long*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleChild(VARIANT, IDispatch**)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleName(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleValue(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleDescription(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleRole(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleState(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleHelp(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::GetAccessibleFocus(VARIANT*)
{
    return S_FALSE;
}
HRESULT CQorAccessible::GetAccessibleSelection(VARIANT*)
{
    return S_FALSE;
}
HRESULT CQorAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::AccessibleSelect(long, VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::AccessibleNavigate(long, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::AccessibleHitTest(long, long, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::AccessibleDoDefaultAction(VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::PutAccessibleName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
HRESULT CQorAccessible::PutAccessibleValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
CCmdTarget* CQorAccessible::GetAccessibleOuterObject()
{
    return nullptr;
}

// ---- XAccessible: every call goes to the owner --------------------------------------------

CQorAccessible* CQorAccessible::XAccessible::Owner()
{
    return reinterpret_cast<CQorAccessible*>(reinterpret_cast<BYTE*>(this) -
                                             FX_PART_OFFSET(CQorAccessible, m_xAccessible));
}

STDMETHODIMP_(ULONG) CQorAccessible::XAccessible::AddRef()
{
    CCmdTarget* pOuter = Owner()->GetAccessibleOuterObject();
    return pOuter ? pOuter->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CQorAccessible::XAccessible::Release()
{
    CCmdTarget* pOuter = Owner()->GetAccessibleOuterObject();
    return pOuter ? pOuter->ExternalRelease() : 1;
}

STDMETHODIMP CQorAccessible::XAccessible::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    if (!ppvObj)
        return E_POINTER;
    *ppvObj = nullptr;
    CCmdTarget* pOuter = Owner()->GetAccessibleOuterObject();
    if (!pOuter)
        return E_NOINTERFACE;
    return static_cast<HRESULT>(pOuter->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CQorAccessible::XAccessible::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CQorAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}
STDMETHODIMP CQorAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CQorAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CQorAccessible::XAccessible::get_accParent(IDispatch** p)
{
    return Owner()->GetAccessibleParent(p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accChildCount(long* p)
{
    return Owner()->GetAccessibleChildCount(p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accChild(VARIANT v, IDispatch** p)
{
    return Owner()->GetAccessibleChild(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accName(VARIANT v, BSTR* p)
{
    return Owner()->GetAccessibleName(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accValue(VARIANT v, BSTR* p)
{
    return Owner()->GetAccessibleValue(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accDescription(VARIANT v, BSTR* p)
{
    return Owner()->GetAccessibleDescription(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accRole(VARIANT v, VARIANT* p)
{
    return Owner()->GetAccessibleRole(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accState(VARIANT v, VARIANT* p)
{
    return Owner()->GetAccessibleState(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accHelp(VARIANT v, BSTR* p)
{
    return Owner()->GetAccessibleHelp(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accHelpTopic(BSTR* f, VARIANT v, long* p)
{
    return Owner()->GetAccessibleHelpTopic(f, v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accKeyboardShortcut(VARIANT v, BSTR* p)
{
    return Owner()->GetAccessibleKeyboardShortcut(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accFocus(VARIANT* p)
{
    return Owner()->GetAccessibleFocus(p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accSelection(VARIANT* p)
{
    return Owner()->GetAccessibleSelection(p);
}
STDMETHODIMP CQorAccessible::XAccessible::get_accDefaultAction(VARIANT v, BSTR* p)
{
    return Owner()->GetAccessibleDefaultAction(v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::accSelect(long f, VARIANT v)
{
    return Owner()->AccessibleSelect(f, v);
}
STDMETHODIMP CQorAccessible::XAccessible::accLocation(long* x, long* y, long* cx, long* cy, VARIANT v)
{
    return Owner()->AccessibleLocation(x, y, cx, cy, v);
}
STDMETHODIMP CQorAccessible::XAccessible::accNavigate(long d, VARIANT v, VARIANT* p)
{
    return Owner()->AccessibleNavigate(d, v, p);
}
STDMETHODIMP CQorAccessible::XAccessible::accHitTest(long x, long y, VARIANT* p)
{
    return Owner()->AccessibleHitTest(x, y, p);
}
STDMETHODIMP CQorAccessible::XAccessible::accDoDefaultAction(VARIANT v)
{
    return Owner()->AccessibleDoDefaultAction(v);
}
STDMETHODIMP CQorAccessible::XAccessible::put_accName(VARIANT v, BSTR s)
{
    return Owner()->PutAccessibleName(v, s);
}
STDMETHODIMP CQorAccessible::XAccessible::put_accValue(VARIANT v, BSTR s)
{
    return Owner()->PutAccessibleValue(v, s);
}
