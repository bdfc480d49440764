// CHtmlView: a framework view that shows pages with the page engine. It offers the operations
// of a hosted browser view (navigation, history, commands, the document) and overridable events
// and host callbacks; the host site it gives the engine forwards the callbacks to the view.
#pragma once
#include "platform/framework/Collections.h"
#include "platform/framework/DocView.h"
#include "platform/browser/BrowserControl.h"
#include <mshtmhst.h>
#include <memory>

class CHtmlView : public CView
{
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    ~CHtmlView() override;

    // --- operations ---
    // Flags, frame, headers and post data are accepted for the usual signature; the engine
    // loads local pages, about: pages and shows a notice for web addresses.
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = nullptr,
                   LPCTSTR lpszHeaders = nullptr, LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);
    // The shown document; null before the first page has loaded.
    std::shared_ptr<fxb::Document> GetHtmlDocument() const;
    void ExecWB(OLECMDID cmdID, OLECMDEXECOPT cmdexecopt, VARIANT* pvaIn, VARIANT* pvaOut);
    OLECMDF QueryStatusWB(OLECMDID cmdID) const;
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();
    CString GetLocationURL() const;
    CString GetLocationName() const;
    BOOL GetBusy() const;
    fxb::BrowserControl& GetBrowser() { return m_browser; }
    const fxb::BrowserControl& GetBrowser() const { return m_browser; }

    // --- events ---
    virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                                   LPCTSTR lpszHeaders, BOOL* pbCancel);
    virtual void OnNavigateComplete2(LPCTSTR strURL);
    virtual void OnDocumentComplete(LPCTSTR lpszURL);
    virtual void OnTitleChange(LPCTSTR lpszText);

    // --- host callbacks (the default site forwards IDocHostUIHandler here) ---
    virtual HRESULT OnShowContextMenu(DWORD dwID, LPPOINT ppt, LPUNKNOWN pcmdtReserved, LPDISPATCH pdispReserved);
    virtual HRESULT OnGetHostInfo(DOCHOSTUIINFO* pInfo);
    virtual HRESULT OnShowUI(DWORD dwID, LPOLEINPLACEACTIVEOBJECT pActiveObject, LPOLECOMMANDTARGET pCommandTarget,
                             LPOLEINPLACEFRAME pFrame, LPOLEINPLACEUIWINDOW pDoc);
    virtual HRESULT OnHideUI();
    virtual HRESULT OnUpdateUI();
    virtual HRESULT OnEnableModeless(BOOL fEnable);
    virtual HRESULT OnDocWindowActivate(BOOL fActivate);
    virtual HRESULT OnFrameWindowActivate(BOOL fActivate);
    virtual HRESULT OnResizeBorder(LPCRECT prcBorder, LPOLEINPLACEUIWINDOW pUIWindow, BOOL fFrameWindow);
    virtual HRESULT OnTranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID);
    virtual HRESULT OnGetOptionKeyPath(LPOLESTR* pchKey, DWORD dwReserved);
    virtual HRESULT OnGetDropTarget(LPDROPTARGET pDropTarget, LPDROPTARGET* ppDropTarget);
    virtual HRESULT OnGetExternal(LPDISPATCH* lppDispatch);
    virtual HRESULT OnTranslateUrl(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut);
    virtual HRESULT OnFilterDataObject(LPDATAOBJECT pDataObject, LPDATAOBJECT* ppDataObject);

    // The host site handed to the engine when the view is created. The default site forwards
    // to the callbacks above; a derived view may make its own (null: the engine gets none).
    // The view keeps the returned reference.
    virtual BOOL CreateControlSite(IUnknown** ppSite);

    void OnDraw(CDC* pDC) override;
    // Keys for the modeless find dialog go to the dialog.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    DECLARE_MESSAGE_MAP()

private:
    class Events;
    class DefaultSite;
    fxb::BrowserControl m_browser;
    std::unique_ptr<Events> m_events;
    IUnknown* m_site = nullptr;
};
