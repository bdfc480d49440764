// The host site of the page view: the browser asks it for host flags, context menus,
// accelerators, script-error handling, zoom notifications and services through COM. Every
// host call reaches an overridable operation; the template forwards them to the view.
#pragma once

#include <windows.h>
#include <docobj.h>
#include <mshtmhst.h>
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Wnd.h"

// The browser's zoom-event sink and the command group of its host commands (script errors).
extern const IID IID_IQorZoomEvents;
extern const GUID CGID_QorDocHostCommandHandler;

class CQorHtmlControlSiteBase : public CCmdTarget
{
public:
    // The site belongs to the window that contains the browser (the view).
    explicit CQorHtmlControlSiteBase(CWnd* pContainer);
    ~CQorHtmlControlSiteBase() override;

    // The container window, or null once it has been destroyed.
    CWnd* GetContainer() const;
    // The site's IUnknown, as the browser gets it.
    IUnknown* GetSiteUnknown() { return GetInterface(&IID_IUnknown); }

    virtual HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved) = 0;
    virtual HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) = 0;
    virtual HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                           IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) = 0;
    virtual HRESULT HideUI() = 0;
    virtual HRESULT UpdateUI() = 0;
    virtual HRESULT EnableModeless(BOOL fEnable) = 0;
    virtual HRESULT OnDocWindowActivate(BOOL fActivate) = 0;
    virtual HRESULT OnFrameWindowActivate(BOOL fActivate) = 0;
    virtual HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow) = 0;
    virtual HRESULT TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) = 0;
    virtual HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) = 0;
    virtual HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) = 0;
    virtual HRESULT GetExternal(IDispatch** ppDispatch) = 0;
    virtual HRESULT TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut) = 0;
    virtual HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) = 0;
    virtual HRESULT QueryStatus(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[], OLECMDTEXT* pCmdText);
    virtual HRESULT Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANTARG* pvaIn,
                         VARIANTARG* pvaOut);
    virtual HRESULT OnZoomPercentChanged(ULONG ulZoomPercent) = 0;
    virtual HRESULT QueryService(REFGUID guidService, REFIID riid, void** ppvObject);

protected:
    BEGIN_INTERFACE_PART(DocHostUIHandler, IDocHostUIHandler)
    STDMETHOD(ShowContextMenu)(DWORD, POINT*, IUnknown*, IDispatch*) override;
    STDMETHOD(GetHostInfo)(DOCHOSTUIINFO*) override;
    STDMETHOD(ShowUI)
    (DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*, IOleInPlaceUIWindow*) override;
    STDMETHOD(HideUI)() override;
    STDMETHOD(UpdateUI)() override;
    STDMETHOD(EnableModeless)(BOOL) override;
    STDMETHOD(OnDocWindowActivate)(BOOL) override;
    STDMETHOD(OnFrameWindowActivate)(BOOL) override;
    STDMETHOD(ResizeBorder)(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    STDMETHOD(TranslateAccelerator)(LPMSG, const GUID*, DWORD) override;
    STDMETHOD(GetOptionKeyPath)(LPOLESTR*, DWORD) override;
    STDMETHOD(GetDropTarget)(IDropTarget*, IDropTarget**) override;
    STDMETHOD(GetExternal)(IDispatch**) override;
    STDMETHOD(TranslateUrl)(DWORD, LPWSTR, LPWSTR*) override;
    STDMETHOD(FilterDataObject)(IDataObject*, IDataObject**) override;
    END_INTERFACE_PART(DocHostUIHandler)

    BEGIN_INTERFACE_PART(OleCommandTarget, IOleCommandTarget)
    STDMETHOD(QueryStatus)(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) override;
    STDMETHOD(Exec)(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) override;
    END_INTERFACE_PART(OleCommandTarget)

    BEGIN_INTERFACE_PART(ZoomEvents, IZoomEvents)
    STDMETHOD(OnZoomPercentChanged)(ULONG) override;
    END_INTERFACE_PART(ZoomEvents)

    BEGIN_INTERFACE_PART(ServiceProvider, IServiceProvider)
    STDMETHOD(QueryService)(REFGUID, REFIID, void**) override;
    END_INTERFACE_PART(ServiceProvider)

    DECLARE_INTERFACE_MAP()

private:
    HWND m_hWndContainer;
    CWnd* m_pContainer;
};

// The site of a view class: each host call goes to the view's operation of the same meaning;
// E_FAIL when the container is not (or no longer) such a view.
template <class TView> class CQorHtmlControlSite : public CQorHtmlControlSiteBase
{
public:
    explicit CQorHtmlControlSite(CWnd* pContainer) : CQorHtmlControlSiteBase(pContainer) {}

    TView* GetView() const { return dynamic_cast<TView*>(GetContainer()); }

    HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdt, IDispatch* pdisp) override
    {
        TView* view = GetView();
        return view ? view->OnShowContextMenu(dwID, ppt, pcmdt, pdisp) : E_FAIL;
    }
    HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) override
    {
        TView* view = GetView();
        if (!view)
            return E_FAIL;
        if (pInfo)
            pInfo->cbSize = 20;
        return view->OnGetHostInfo(pInfo);
    }
    HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                   IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) override
    {
        TView* view = GetView();
        return view ? view->OnShowUI(dwID, pActiveObject, pCommandTarget, pFrame, pDoc) : E_FAIL;
    }
    HRESULT HideUI() override
    {
        TView* view = GetView();
        return view ? view->OnHideUI() : E_FAIL;
    }
    HRESULT UpdateUI() override
    {
        TView* view = GetView();
        return view ? view->OnUpdateUI() : E_FAIL;
    }
    HRESULT EnableModeless(BOOL fEnable) override
    {
        TView* view = GetView();
        return view ? view->OnEnableModeless(fEnable) : E_FAIL;
    }
    HRESULT OnDocWindowActivate(BOOL fActivate) override
    {
        TView* view = GetView();
        return view ? view->OnDocWindowActivate(fActivate) : E_FAIL;
    }
    HRESULT OnFrameWindowActivate(BOOL fActivate) override
    {
        TView* view = GetView();
        return view ? view->OnFrameWindowActivate(fActivate) : E_FAIL;
    }
    HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fFrameWindow) override
    {
        TView* view = GetView();
        return view ? view->OnResizeBorder(prcBorder, pUIWindow, fFrameWindow) : E_FAIL;
    }
    HRESULT TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override
    {
        TView* view = GetView();
        return view ? view->OnTranslateAccelerator(lpMsg, pguidCmdGroup, nCmdID) : E_FAIL;
    }
    HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override
    {
        TView* view = GetView();
        return view ? view->OnGetOptionKeyPath(pchKey, dw) : E_FAIL;
    }
    HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override
    {
        TView* view = GetView();
        return view ? view->OnGetDropTarget(pDropTarget, ppDropTarget) : E_FAIL;
    }
    HRESULT GetExternal(IDispatch** ppDispatch) override
    {
        TView* view = GetView();
        return view ? view->OnGetExternal(ppDispatch) : E_FAIL;
    }
    HRESULT TranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut) override
    {
        TView* view = GetView();
        return view ? view->OnTranslateUrl(dwTranslate, pchURLIn, ppchURLOut) : E_FAIL;
    }
    HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override
    {
        TView* view = GetView();
        return view ? view->OnFilterDataObject(pDO, ppDORet) : E_FAIL;
    }
    HRESULT OnZoomPercentChanged(ULONG ulZoomPercent) override
    {
        TView* view = GetView();
        if (!view)
            return E_FAIL;
        view->OnZoomChanged(static_cast<int>(ulZoomPercent));
        return S_OK;
    }
};
