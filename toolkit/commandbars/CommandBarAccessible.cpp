// The bar's accessible object: the bar is a menu bar, popup menu or tool bar whose children are
// its controls (child id = index + 1), named by caption and shortcut.
#include "toolkit/commandbars/CommandBar.h"

#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"

BEGIN_INTERFACE_MAP(CQorCommandBar, CWnd)
    INTERFACE_PART(CQorCommandBar, IID_IAccessible, Accessible)
    INTERFACE_PART(CQorCommandBar, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

namespace {

// The state bits every control of a bar has, and those of the hot one.
const long kStateControl = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
const long kStateHot = STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;

} // namespace

LRESULT CQorCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    // The object id is a LONG; 64-bit callers may hand it over zero-extended.
    const LONG lObjectId = static_cast<LONG>(static_cast<DWORD>(lParam));
    if (lObjectId == OBJID_CLIENT || lObjectId == OBJID_MENU)
        return LresultFromObject(wParam);
    if (lObjectId >= 1 && lObjectId <= 0xFFFFFE) {
        if (CQorControl* pControl = m_pControls->FindControl(static_cast<int>(lObjectId)))
            return pControl->LresultFromObject(wParam);
    }
    return Default();
}

HRESULT CQorCommandBar::GetAccessibleParent(IDispatch** ppdispParent)
{
    *ppdispParent = nullptr;
    if (!m_hWnd)
        return E_FAIL;
    return AccessibleObjectFromWindow(m_hWnd, ppdispParent);
}

HRESULT CQorCommandBar::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CQorCommandBar::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = nullptr;
    CQorControl* pControl = GetControl(GetVariantInt(varChild) - 1);
    if (!pControl)
        return E_INVALIDARG;
    *ppdispChild = pControl->GetAccessibleInterface();
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CQorCommandBar::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    const int nChild = GetVariantInt(varChild);
    if (nChild == CHILDID_SELF) {
        *pszName = ::SysAllocString(m_strTitle);
        return S_OK;
    }
    CQorControl* pControl = GetControl(nChild - 1);
    if (!pControl)
        return E_INVALIDARG;
    *pszName = ::SysAllocString(pControl->GetAccessibleNameText());
    return S_OK;
}

HRESULT CQorCommandBar::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    const int nChild = GetVariantInt(varChild);
    pvarRole->vt = VT_EMPTY;
    if (nChild == CHILDID_SELF) {
        pvarRole->vt = VT_I4;
        pvarRole->lVal = m_barType == qorBarTypeMenuBar ? ROLE_SYSTEM_MENUBAR
                         : m_barType == qorBarTypePopup ? ROLE_SYSTEM_MENUPOPUP
                                                        : ROLE_SYSTEM_TOOLBAR;
        return S_OK;
    }
    if (!GetControl(nChild - 1))
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    return S_OK;
}

HRESULT CQorCommandBar::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    const int nChild = GetVariantInt(varChild);
    pvarState->vt = VT_EMPTY;
    if (nChild == CHILDID_SELF) {
        pvarState->vt = VT_I4;
        pvarState->lVal = IsVisible() ? 0 : STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    if (!GetControl(nChild - 1))
        return E_INVALIDARG;
    pvarState->vt = VT_I4;
    pvarState->lVal = nChild - 1 == m_nSelected ? (kStateControl | kStateHot) : kStateControl;
    return S_OK;
}

HRESULT CQorCommandBar::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!m_hWnd)
        return S_FALSE;
    const int nChild = GetVariantInt(varChild);
    CRect rc;
    if (nChild == CHILDID_SELF) {
        GetWindowRect(&rc);
    } else {
        CQorControl* pControl = GetControl(nChild - 1);
        if (!pControl)
            return E_INVALIDARG;
        rc = pControl->GetRect();
        ClientToScreen(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CQorCommandBar::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (!m_hWnd)
        return S_FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    if (CQorControl* pControl = m_pControls->HitTest(pt)) {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pControl->GetAccessibleInterface();
        pvarChild->pdispVal->AddRef();
        return S_OK;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
