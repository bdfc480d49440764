// An IAccessible face for toolkit windows and items, with OLEACC and NotifyWinEvent bound at
// run time: the program starts and runs where they are missing. Owners (a CCmdTarget) inherit
// CQorAccessible beside their framework base, override the operations they support, enter
// the XAccessible part in their interface map under IID_IAccessible, return themselves from
// GetAccessibleOuterObject and answer WM_GETOBJECT with LresultFromObject.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include "toolkit/foundation/SystemInfo.h"

class CCmdTarget;

class CQorAccessible
{
public:
    CQorAccessible();
    virtual ~CQorAccessible();
    CQorAccessible(const CQorAccessible&) = delete;
    CQorAccessible& operator=(const CQorAccessible&) = delete;

    // The operations behind IAccessible, in its order; the base answers E_NOTIMPL, and
    // S_FALSE (nothing) for the focus and the selection.
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
    virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
    virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
    // The command target whose reference count and interface map are the COM identity of
    // the IAccessible part; null in the base, where the part hands out no interfaces.
    virtual CCmdTarget* GetAccessibleOuterObject();

    // The standard accessible object of a window (OBJID_WINDOW); E_FAIL without OLEACC.
    HRESULT AccessibleObjectFromWindow(HWND hWnd, IDispatch** ppDispatch);
    // The WM_GETOBJECT answer for this object's IAccessible; E_FAIL without OLEACC or
    // without an outer object.
    LRESULT LresultFromObject(WPARAM wParam);
    IAccessible* GetAccessibleInterface() { return &m_xAccessible; }

    // The child id held in a VARIANT: VT_EMPTY 0 (the object itself), VT_I2/VT_I4 and their
    // references the value, a referenced variant followed a few levels deep; -1 otherwise.
    static int GetVariantInt(const VARIANT& var);

    // Test seam: the file name OLEACC is loaded from (null: "oleacc.dll").
    static void SetOleaccModuleNameForTest(LPCWSTR lpszName);

    class XAccessible : public IAccessible
    {
    public:
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)
        (DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
         EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

    private:
        CQorAccessible* Owner();
    } m_xAccessible;
    friend class XAccessible;

    typedef void(WINAPI* PFNNOTIFYWINEVENT)(DWORD event, HWND hwnd, LONG idObject, LONG idChild);
    typedef LRESULT(WINAPI* PFNLRESULTFROMOBJECT)(REFIID riid, WPARAM wParam, LPUNKNOWN punk);
    typedef HRESULT(WINAPI* PFNACCESSIBLEOBJECTFROMWINDOW)(HWND hwnd, DWORD dwId, REFIID riid, void** ppvObject);

    // User32's NotifyWinEvent, null when absent: owners skip their announcements then.
    PFNNOTIFYWINEVENT m_pNotifyWinEvent;

private:
    // Loads OLEACC and binds one entry; on failure nothing is kept, so the next request tries again.
    BOOL BindOleacc(LPCSTR lpszProcName, FARPROC* ppfn);

    PFNLRESULTFROMOBJECT m_pLresultFromObject;
    PFNACCESSIBLEOBJECTFROMWINDOW m_pAccessibleObjectFromWindow;
    CQorModuleHandle m_hUser32;
    CQorModuleHandle m_hOleacc;
};
