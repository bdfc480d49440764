#include "platform/browser/HtmlView.h"
#include "platform/browser/ComObject.h"
#include "platform/browser/FindDialog.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Gdi.h"

// Raises the view's overridable events for the engine's events.
class CHtmlView::Events : public fxb::BrowserEvents
{
public:
    explicit Events(CHtmlView& view) : m_view(view) {}
    void BeforeNavigate2(const std::wstring& url, bool& cancel) override
    {
        CByteArray postData;
        BOOL bCancel = FALSE;
        m_view.OnBeforeNavigate2(url.c_str(), 0, L"", postData, L"", &bCancel);
        cancel = bCancel != FALSE;
    }
    void NavigateComplete2(const std::wstring& url) override { m_view.OnNavigateComplete2(url.c_str()); }
    void DocumentComplete(const std::wstring& url) override { m_view.OnDocumentComplete(url.c_str()); }
    void TitleChange(const std::wstring& title) override { m_view.OnTitleChange(title.c_str()); }

private:
    CHtmlView& m_view;
};

// The view's own host site: every IDocHostUIHandler call reaches the view's callbacks.
class CHtmlView::DefaultSite : public fxb::ComObject<IDocHostUIHandler>
{
public:
    explicit DefaultSite(CHtmlView* view) : m_view(view) {}
    void Detach() { m_view = nullptr; }

    STDMETHODIMP ShowContextMenu(DWORD id, POINT* pt, IUnknown* a, IDispatch* b) override
    {
        return m_view ? m_view->OnShowContextMenu(id, pt, a, b) : S_FALSE;
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override { return m_view ? m_view->OnGetHostInfo(info) : E_NOTIMPL; }
    STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* o, IOleCommandTarget* t, IOleInPlaceFrame* f,
                        IOleInPlaceUIWindow* d) override
    {
        return m_view ? m_view->OnShowUI(id, o, t, f, d) : S_FALSE;
    }
    STDMETHODIMP HideUI() override { return m_view ? m_view->OnHideUI() : S_OK; }
    STDMETHODIMP UpdateUI() override { return m_view ? m_view->OnUpdateUI() : S_OK; }
    STDMETHODIMP EnableModeless(BOOL e) override { return m_view ? m_view->OnEnableModeless(e) : S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL a) override { return m_view ? m_view->OnDocWindowActivate(a) : S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL a) override { return m_view ? m_view->OnFrameWindowActivate(a) : S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT r, IOleInPlaceUIWindow* w, BOOL f) override
    {
        return m_view ? m_view->OnResizeBorder(r, w, f) : S_OK;
    }
    STDMETHODIMP TranslateAccelerator(LPMSG msg, const GUID* group, DWORD id) override
    {
        return m_view ? m_view->OnTranslateAccelerator(msg, group, id) : S_FALSE;
    }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD r) override
    {
        return m_view ? m_view->OnGetOptionKeyPath(key, r) : E_NOTIMPL;
    }
    STDMETHODIMP GetDropTarget(IDropTarget* in, IDropTarget** out) override
    {
        return m_view ? m_view->OnGetDropTarget(in, out) : E_NOTIMPL;
    }
    STDMETHODIMP GetExternal(IDispatch** d) override { return m_view ? m_view->OnGetExternal(d) : E_NOTIMPL; }
    STDMETHODIMP TranslateUrl(DWORD t, LPWSTR in, LPWSTR* out) override
    {
        return m_view ? m_view->OnTranslateUrl(t, in, out) : S_FALSE;
    }
    STDMETHODIMP FilterDataObject(IDataObject* in, IDataObject** out) override
    {
        return m_view ? m_view->OnFilterDataObject(in, out) : S_FALSE;
    }

private:
    ~DefaultSite() override = default;
    CHtmlView* m_view;
};

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_FILE_PRINT, &CHtmlView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CHtmlView::OnFilePrintPreview)
END_MESSAGE_MAP()

CHtmlView::CHtmlView() = default;

CHtmlView::~CHtmlView()
{
    m_browser.SetEvents(nullptr);
    m_browser.SetHostSite(nullptr);
    if (m_site)
        m_site->Release();
}

int CHtmlView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_events = std::make_unique<Events>(*this);
    m_browser.SetEvents(m_events.get());
    IUnknown* site = nullptr;
    if (CreateControlSite(&site) && site) {
        m_site = site;
        m_browser.SetHostSite(site);
    }
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (!m_browser.Create(m_hWnd, rc, AFX_IDW_PANE_FIRST))
        return -1;
    return 0;
}

void CHtmlView::OnDestroy()
{
    m_browser.SetEvents(nullptr);
    m_browser.Destroy();
    if (m_site) {
        if (IUnknown* site = m_site) {
            m_browser.SetHostSite(nullptr);
            m_site = nullptr;
            site->Release();
        }
    }
    CView::OnDestroy();
}

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_browser.Handle())
        ::MoveWindow(m_browser.Handle(), 0, 0, cx, cy, TRUE);
}

void CHtmlView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (m_browser.Handle())
        ::SetFocus(m_browser.Handle());
}

BOOL CHtmlView::OnEraseBkgnd(CDC*)
{
    return TRUE; // the page control covers the view
}

void CHtmlView::OnDraw(CDC*) {}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg)
{
    fxb::FindDialog* find = m_browser.GetFindDialog();
    if (find && find->Handle() && ::IsWindow(find->Handle()) && ::IsDialogMessageW(find->Handle(), pMsg))
        return TRUE;
    return CView::PreTranslateMessage(pMsg);
}

BOOL CHtmlView::CreateControlSite(IUnknown** ppSite)
{
    if (!ppSite)
        return FALSE;
    *ppSite = new (std::nothrow) DefaultSite(this);
    return TRUE;
}

void CHtmlView::OnFilePrint()
{
    ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
}

void CHtmlView::OnFilePrintPreview()
{
    ExecWB(OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
}

// --- operations ---

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, LPCTSTR, LPVOID, DWORD)
{
    if (lpszURL)
        m_browser.Navigate2(lpszURL);
}

std::shared_ptr<fxb::Document> CHtmlView::GetHtmlDocument() const
{
    return m_browser.GetHtmlDocument();
}

void CHtmlView::ExecWB(OLECMDID cmdID, OLECMDEXECOPT cmdexecopt, VARIANT* pvaIn, VARIANT* pvaOut)
{
    m_browser.ExecWB(cmdID, cmdexecopt, pvaIn, pvaOut);
}

OLECMDF CHtmlView::QueryStatusWB(OLECMDID cmdID) const
{
    return const_cast<fxb::BrowserControl&>(m_browser).QueryStatusWB(cmdID);
}

void CHtmlView::GoBack()
{
    m_browser.GoBack();
}
void CHtmlView::GoForward()
{
    m_browser.GoForward();
}
void CHtmlView::Stop()
{
    m_browser.Stop();
}
void CHtmlView::Refresh()
{
    m_browser.Refresh();
}

CString CHtmlView::GetLocationURL() const
{
    return CString(m_browser.GetLocationURL().c_str());
}

CString CHtmlView::GetLocationName() const
{
    return CString(m_browser.GetLocationName().c_str());
}

BOOL CHtmlView::GetBusy() const
{
    return m_browser.Busy() ? TRUE : FALSE;
}

// --- default events and callbacks ---

void CHtmlView::OnBeforeNavigate2(LPCTSTR, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) {}
void CHtmlView::OnNavigateComplete2(LPCTSTR) {}
void CHtmlView::OnDocumentComplete(LPCTSTR) {}

void CHtmlView::OnTitleChange(LPCTSTR) {}

HRESULT CHtmlView::OnShowContextMenu(DWORD, LPPOINT, LPUNKNOWN, LPDISPATCH)
{
    return S_FALSE;
}
HRESULT CHtmlView::OnGetHostInfo(DOCHOSTUIINFO*)
{
    return E_NOTIMPL;
}
HRESULT CHtmlView::OnShowUI(DWORD, LPOLEINPLACEACTIVEOBJECT, LPOLECOMMANDTARGET, LPOLEINPLACEFRAME,
                            LPOLEINPLACEUIWINDOW)
{
    return S_FALSE;
}
HRESULT CHtmlView::OnHideUI()
{
    return S_OK;
}
HRESULT CHtmlView::OnUpdateUI()
{
    return S_OK;
}
HRESULT CHtmlView::OnEnableModeless(BOOL)
{
    return S_OK;
}
HRESULT CHtmlView::OnDocWindowActivate(BOOL)
{
    return S_OK;
}
HRESULT CHtmlView::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}
HRESULT CHtmlView::OnResizeBorder(LPCRECT, LPOLEINPLACEUIWINDOW, BOOL)
{
    return S_OK;
}
HRESULT CHtmlView::OnTranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    return S_FALSE;
}
HRESULT CHtmlView::OnGetOptionKeyPath(LPOLESTR*, DWORD)
{
    return E_NOTIMPL;
}
HRESULT CHtmlView::OnGetDropTarget(LPDROPTARGET, LPDROPTARGET*)
{
    return E_NOTIMPL;
}
HRESULT CHtmlView::OnGetExternal(LPDISPATCH* lppDispatch)
{
    if (lppDispatch)
        *lppDispatch = nullptr;
    return E_NOTIMPL;
}
HRESULT CHtmlView::OnTranslateUrl(DWORD, OLECHAR*, OLECHAR** ppchURLOut)
{
    if (ppchURLOut)
        *ppchURLOut = nullptr;
    return S_FALSE;
}
HRESULT CHtmlView::OnFilterDataObject(LPDATAOBJECT, LPDATAOBJECT* ppDataObject)
{
    if (ppDataObject)
        *ppDataObject = nullptr;
    return S_FALSE;
}
