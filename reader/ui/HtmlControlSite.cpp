#include "reader/ui/HtmlControlSite.h"

// {41B68150-904C-4E17-A0BA-A438182E359D}
const IID IID_IQorZoomEvents = {0x41b68150, 0x904c, 0x4e17, {0xa0, 0xba, 0xa4, 0x38, 0x18, 0x2e, 0x35, 0x9d}};
// {F38BC242-B950-11D1-8918-00C04FC2C836}
const GUID CGID_QorDocHostCommandHandler = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};

BEGIN_INTERFACE_MAP(CQorHtmlControlSiteBase, CCmdTarget)
    INTERFACE_PART(CQorHtmlControlSiteBase, IID_IDocHostUIHandler, DocHostUIHandler)
    INTERFACE_PART(CQorHtmlControlSiteBase, IID_IOleCommandTarget, OleCommandTarget)
    INTERFACE_PART(CQorHtmlControlSiteBase, IID_IQorZoomEvents, ZoomEvents)
    INTERFACE_PART(CQorHtmlControlSiteBase, IID_IServiceProvider, ServiceProvider)
END_INTERFACE_MAP()

CQorHtmlControlSiteBase::CQorHtmlControlSiteBase(CWnd* pContainer)
    : m_hWndContainer(pContainer ? pContainer->GetSafeHwnd() : nullptr), m_pContainer(pContainer)
{}

CQorHtmlControlSiteBase::~CQorHtmlControlSiteBase() = default;

CWnd* CQorHtmlControlSiteBase::GetContainer() const
{
    // The browser may keep the site a little longer than the view lives.
    if (!m_pContainer || !m_hWndContainer || !::IsWindow(m_hWndContainer) ||
        CWnd::FromHandlePermanent(m_hWndContainer) != m_pContainer)
        return nullptr;
    return m_pContainer;
}

HRESULT CQorHtmlControlSiteBase::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*)
{
    return E_NOTIMPL;
}

HRESULT CQorHtmlControlSiteBase::Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD, VARIANTARG*, VARIANTARG* pvaOut)
{
    if (!pguidCmdGroup || !::IsEqualGUID(*pguidCmdGroup, CGID_QorDocHostCommandHandler))
        return OLECMDERR_E_UNKNOWNGROUP;
    if (nCmdID != OLECMDID_SHOWSCRIPTERROR)
        return OLECMDERR_E_NOTSUPPORTED;
    // The error is handled here without a dialog, and the page's scripts stop.
    if (pvaOut) {
        ::VariantClear(pvaOut);
        pvaOut->vt = VT_BOOL;
        pvaOut->boolVal = VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT CQorHtmlControlSiteBase::QueryService(REFGUID, REFIID, void** ppvObject)
{
    if (ppvObject)
        *ppvObject = nullptr;
    return E_NOINTERFACE;
}

// --- the parts: identity and counting of the site, calls to its operations ---

#define FX_SITE_PART_UNKNOWN(localClass)                                                                               \
    STDMETHODIMP_(ULONG) CQorHtmlControlSiteBase::X##localClass::AddRef()                                              \
    {                                                                                                                  \
        METHOD_PROLOGUE(CQorHtmlControlSiteBase, localClass)                                                           \
        return pThis->ExternalAddRef();                                                                                \
    }                                                                                                                  \
    STDMETHODIMP_(ULONG) CQorHtmlControlSiteBase::X##localClass::Release()                                             \
    {                                                                                                                  \
        METHOD_PROLOGUE(CQorHtmlControlSiteBase, localClass)                                                           \
        return pThis->ExternalRelease();                                                                               \
    }                                                                                                                  \
    STDMETHODIMP CQorHtmlControlSiteBase::X##localClass::QueryInterface(REFIID iid, LPVOID* ppvObj)                    \
    {                                                                                                                  \
        METHOD_PROLOGUE(CQorHtmlControlSiteBase, localClass)                                                           \
        if (!ppvObj)                                                                                                   \
            return E_POINTER;                                                                                          \
        return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));                                      \
    }

FX_SITE_PART_UNKNOWN(DocHostUIHandler)
FX_SITE_PART_UNKNOWN(OleCommandTarget)
FX_SITE_PART_UNKNOWN(ZoomEvents)
FX_SITE_PART_UNKNOWN(ServiceProvider)

#define FX_SITE_FORWARD(localClass, method, params, args)                                                              \
    STDMETHODIMP CQorHtmlControlSiteBase::X##localClass::method params                                                 \
    {                                                                                                                  \
        METHOD_PROLOGUE(CQorHtmlControlSiteBase, localClass)                                                           \
        return pThis->method args;                                                                                     \
    }

FX_SITE_FORWARD(DocHostUIHandler, ShowContextMenu, (DWORD id, POINT* pt, IUnknown* a, IDispatch* b), (id, pt, a, b))
FX_SITE_FORWARD(DocHostUIHandler, GetHostInfo, (DOCHOSTUIINFO * info), (info))
FX_SITE_FORWARD(DocHostUIHandler, ShowUI,
                (DWORD id, IOleInPlaceActiveObject* o, IOleCommandTarget* t, IOleInPlaceFrame* f,
                 IOleInPlaceUIWindow* d),
                (id, o, t, f, d))
FX_SITE_FORWARD(DocHostUIHandler, HideUI, (), ())
FX_SITE_FORWARD(DocHostUIHandler, UpdateUI, (), ())
FX_SITE_FORWARD(DocHostUIHandler, EnableModeless, (BOOL e), (e))
FX_SITE_FORWARD(DocHostUIHandler, OnDocWindowActivate, (BOOL a), (a))
FX_SITE_FORWARD(DocHostUIHandler, OnFrameWindowActivate, (BOOL a), (a))
FX_SITE_FORWARD(DocHostUIHandler, ResizeBorder, (LPCRECT r, IOleInPlaceUIWindow* w, BOOL f), (r, w, f))
FX_SITE_FORWARD(DocHostUIHandler, TranslateAccelerator, (LPMSG m, const GUID* g, DWORD id), (m, g, id))
FX_SITE_FORWARD(DocHostUIHandler, GetOptionKeyPath, (LPOLESTR * key, DWORD r), (key, r))
FX_SITE_FORWARD(DocHostUIHandler, GetDropTarget, (IDropTarget * in, IDropTarget** out), (in, out))
FX_SITE_FORWARD(DocHostUIHandler, GetExternal, (IDispatch * *d), (d))
FX_SITE_FORWARD(DocHostUIHandler, TranslateUrl, (DWORD t, LPWSTR in, LPWSTR* out), (t, in, out))
FX_SITE_FORWARD(DocHostUIHandler, FilterDataObject, (IDataObject * in, IDataObject** out), (in, out))
FX_SITE_FORWARD(OleCommandTarget, QueryStatus, (const GUID* g, ULONG n, OLECMD c[], OLECMDTEXT* t), (g, n, c, t))
FX_SITE_FORWARD(OleCommandTarget, Exec, (const GUID* g, DWORD id, DWORD o, VARIANT* in, VARIANT* out),
                (g, id, o, in, out))
FX_SITE_FORWARD(ZoomEvents, OnZoomPercentChanged, (ULONG percent), (percent))
FX_SITE_FORWARD(ServiceProvider, QueryService, (REFGUID s, REFIID r, void** p), (s, r, p))
