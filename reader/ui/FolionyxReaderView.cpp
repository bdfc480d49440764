#include "reader/ui/FolionyxReaderView.h"
#include "reader/book/AboutPage.h"
#include "reader/app/AppFolders.h"
#include "reader/ui/CustomZoomDlg.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/app/FileUtil.h"
#include "reader/app/FolionyxReaderApp.h"
#include "reader/ui/HtmlControlSite.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "reader/ui/ReaderUrl.h"
#include "reader/ui/SearchHighlight.h"
#include "platform/framework/FrameWnd.h"
#include "resources/resource.h"
#include <new>

namespace {

// The preset zoom commands and their percentages.
int PresetPercent(UINT nID)
{
    switch (nID) {
    case ID_ZOOM_400:
        return 400;
    case ID_ZOOM_200:
        return 200;
    case ID_ZOOM_150:
        return 150;
    case ID_ZOOM_125:
        return 125;
    case ID_ZOOM_100:
        return 100;
    case ID_ZOOM_75:
        return 75;
    case ID_ZOOM_50:
        return 50;
    default:
        return 0;
    }
}

const int kZoomStep = 10;
const int kSmallestZoom = 10;
// Pixels the auto scroll moves the page at each tick.
const int kAutoScrollStep = 2;

// The page shown before the book's Home page replaces it.
const wchar_t kStartAddress[] = L"about:blank";

} // namespace

IMPLEMENT_DYNCREATE(CFolionyxReaderView, CHtmlView)

BEGIN_MESSAGE_MAP(CFolionyxReaderView, CHtmlView)
    ON_COMMAND_RANGE(ID_ZOOM_400, ID_ZOOM_50, &CFolionyxReaderView::OnZoomPreset)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_400, ID_ZOOM_50, &CFolionyxReaderView::OnUpdateZoomPreset)
    ON_COMMAND(ID_ZOOM_IN, &CFolionyxReaderView::OnZoomIn)
    ON_COMMAND(ID_ZOOM_OUT, &CFolionyxReaderView::OnZoomOut)
    ON_COMMAND(ID_ZOOM_CUSTOM, &CFolionyxReaderView::OnZoomCustom)
END_MESSAGE_MAP()

CFolionyxReaderView::CFolionyxReaderView() = default;

CFolionyxReaderView::~CFolionyxReaderView() = default;

const CExeBookDocument* CFolionyxReaderView::GetSettings() const
{
    if (m_pSettings)
        return m_pSettings;
    CFolionyxReaderApp* app = dynamic_cast<CFolionyxReaderApp*>(AfxGetApp());
    return app ? &app->m_ExeBookDocument : nullptr;
}

CReaderNavigationHost* CFolionyxReaderView::GetNavigationHost() const
{
    if (m_pHost)
        return m_pHost;
    if (m_hWnd) {
        if (CReaderNavigationHost* host = dynamic_cast<CReaderNavigationHost*>(GetParentFrame()))
            return host;
    }
    return dynamic_cast<CReaderNavigationHost*>(AfxGetMainWnd());
}

BOOL CFolionyxReaderView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPCHILDREN;
    return CHtmlView::PreCreateWindow(cs);
}

BOOL CFolionyxReaderView::CreateControlSite(IUnknown** ppSite)
{
    if (!ppSite)
        return FALSE;
    auto* site = new (std::nothrow) CQorHtmlControlSite<CFolionyxReaderView>(this);
    *ppSite = site ? site->GetSiteUnknown() : nullptr;
    return TRUE;
}

void CFolionyxReaderView::OnInitialUpdate()
{
    CHtmlView::OnInitialUpdate();
    Navigate2(kStartAddress);
}

// --- navigation ---

void CFolionyxReaderView::NavigateToPage(LPCTSTR lpszKeyword, LPCTSTR lpszPagePath)
{
    m_strPendingKeyword = lpszKeyword ? lpszKeyword : L"";
    CString target = lpszPagePath ? lpszPagePath : L"";
    if (!m_strPendingAnchor.IsEmpty()) {
        target += L"#";
        target += m_strPendingAnchor;
        m_strPendingAnchor.Empty();
    }
    Navigate2(target);
    // A page that is not going to load (its navigation was refused) must not hand its keyword
    // to whatever page completes next.
    if (!GetBusy())
        m_strPendingKeyword.Empty();
}

void CFolionyxReaderView::SetTextSize(int nLevel)
{
    VARIANT in;
    ::VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = nLevel;
    ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr);
}

int CFolionyxReaderView::GetTextSize()
{
    VARIANT out;
    ::VariantInit(&out);
    ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &out);
    const int level = out.vt == VT_I4 ? static_cast<int>(out.lVal) : -1;
    ::VariantClear(&out);
    return level;
}

void CFolionyxReaderView::ScrollOneStepIfNotAtEnd()
{
    std::shared_ptr<fxb::Document> document = GetHtmlDocument();
    if (!document || !document->body())
        return;
    CRect client;
    GetClientRect(&client);
    const int top = GetScrollTop(document);
    if (top + 1 <= GetBrowser().ScrollHeight() - client.Height() + 4)
        SetScrollTop(document, top + kAutoScrollStep);
}

void CFolionyxReaderView::LocateKeywords()
{
    std::shared_ptr<fxb::Document> document = GetHtmlDocument();
    if (!document || ScrollToNextHit(document, FALSE))
        return;
    // Past the last hit highlighted so far, the next ones of the page are highlighted.
    while (m_nNextHit != kNoMoreHits && m_highlightedDocument.lock() == document) {
        HighlightHits(document, m_strHighlighted, m_nNextHit, m_nNextHit);
        if (ScrollToNextHit(document, FALSE))
            return;
    }
    ScrollToNextHit(document);
}

void CFolionyxReaderView::ShowNotice(LPCTSTR lpszText)
{
    CString body;
    for (LPCTSTR p = lpszText ? lpszText : L""; *p; ++p) {
        switch (*p) {
        case L'&':
            body += L"&amp;";
            break;
        case L'<':
            body += L"&lt;";
            break;
        case L'>':
            body += L"&gt;";
            break;
        default:
            body += *p;
            break;
        }
    }
    const CString path = WriteUtf16PageFile(L"<html><body><p>" + body + L"</p></body></html>", GetWorkFolder());
    if (!path.IsEmpty())
        NavigateToPage(L"", path);
}

BOOL CFolionyxReaderView::ShouldCancelNavigation(LPCTSTR lpszURL)
{
    if (!lpszURL || _wcsnicmp(lpszURL, L"about:", 6) == 0)
        return FALSE;
    std::shared_ptr<fxb::Document> document = GetHtmlDocument();
    if (!document)
        return FALSE;

    CString url = lpszURL;
    CString withoutAnchor = url;
    CString anchor;
    int hash = url.Find(L'#');
    if (hash >= 0) {
        withoutAnchor = url.Left(hash);
        anchor = url.Mid(hash + 1);
    }
    CString current = CanonicalizeUrl(document->URL().c_str());
    CString target = CanonicalizeUrl(withoutAnchor);

    if (IsFileUrlOrDrivePath(current) && IsFileUrlOrDrivePath(target)) {
        // An anchor of the same page, or a reload.
        if (GetLongPath(current).CompareNoCase(GetLongPath(target)) == 0)
            return FALSE;
        // Frames, images and other files that belong to the page.
        CString companions = GetFolderOfPath(current) + GetFileTitleOfPath(current) + L"_files\\";
        if (GetFolderOfPath(target).CompareNoCase(companions) == 0)
            return FALSE;
    }

    // The page that the frame shows for a chosen item is never handed back to the tree, even
    // when the item's address names that page itself.
    CReaderNavigationHost* host = m_bSelectingItem ? nullptr : GetNavigationHost();
    if (host) {
        // An item may name a section of its page, so the whole address is asked first, then
        // the page without its anchor; either way the anchor waits for the page.
        HTREEITEM item = host->ResolveTreeLink(url);
        if (item == nullptr && !anchor.IsEmpty())
            item = host->ResolveTreeLink(withoutAnchor);
        if (item != nullptr) {
            m_strPendingAnchor = anchor;
            m_bSelectingItem = TRUE;
            host->SelectTreeItem(item, L"");
            m_bSelectingItem = FALSE;
            // The page has been shown by now, or could not be extracted: in both cases the
            // anchor must not wait for some later, unrelated page.
            m_strPendingAnchor.Empty();
            return TRUE;
        }
    }

    if (IsCustomSchemeUrl(url))
        return TRUE; // a book link that names no item does nothing
    if (IsFileUrlOrDrivePath(target) && ::GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES)
        return TRUE; // no error page for a missing file
    return FALSE;
}

void CFolionyxReaderView::OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                            CByteArray& baPostedData, LPCTSTR lpszHeaders, BOOL* pbCancel)
{
    if (ShouldCancelNavigation(lpszURL)) {
        if (pbCancel)
            *pbCancel = TRUE;
        return;
    }
    CHtmlView::OnBeforeNavigate2(lpszURL, nFlags, lpszTargetFrameName, baPostedData, lpszHeaders, pbCancel);
}

void CFolionyxReaderView::OnDocumentComplete(LPCTSTR lpszURL)
{
    CHtmlView::OnDocumentComplete(lpszURL);
    CString completed = CanonicalizeUrl(lpszURL);
    if (m_strPendingKeyword.IsEmpty())
        return;
    std::shared_ptr<fxb::Document> document = GetHtmlDocument();
    if (!document)
        return;
    // A frame of the page finished: the keyword waits for the page itself.
    if (!IsSameDocument(CanonicalizeUrl(document->URL().c_str()), completed))
        return;
    HighlightHits(document, m_strPendingKeyword, 0, m_nNextHit);
    m_strHighlighted = m_strPendingKeyword;
    m_highlightedDocument = document;
    ScrollToNextHit(document);
    m_strPendingKeyword.Empty();
}

// --- host callbacks ---

HRESULT CFolionyxReaderView::OnGetHostInfo(DOCHOSTUIINFO* pInfo)
{
    if (!pInfo)
        return E_FAIL;
    pInfo->cbSize = 20;
    pInfo->dwFlags = DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE;
    const CExeBookDocument* settings = GetSettings();
    if (settings && settings->m_bBrowserNoTextSelection)
        pInfo->dwFlags |= DOCHOSTUIFLAG_DIALOG;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT CFolionyxReaderView::OnShowContextMenu(DWORD, LPPOINT, LPUNKNOWN, LPDISPATCH)
{
    const CExeBookDocument* settings = GetSettings();
    return settings && settings->m_bBrowserNoMenu ? S_OK : S_FALSE;
}

HRESULT CFolionyxReaderView::OnUpdateUI()
{
    OnZoomChanged(GetZoom());
    return CHtmlView::OnUpdateUI();
}

// --- zoom ---

int CFolionyxReaderView::GetZoom()
{
    std::shared_ptr<fxb::Document> document = GetHtmlDocument();
    IOleCommandTarget* target = document ? document->CommandTarget() : nullptr;
    if (!target)
        return 0;
    VARIANT out;
    ::VariantInit(&out);
    if (FAILED(target->Exec(nullptr, OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &out)))
        return 0;
    int percent = out.vt == VT_I4 ? static_cast<int>(out.lVal) : 0;
    ::VariantClear(&out);
    return percent;
}

void CFolionyxReaderView::SetZoom(int nPercent)
{
    std::shared_ptr<fxb::Document> document = GetHtmlDocument();
    IOleCommandTarget* target = document ? document->CommandTarget() : nullptr;
    if (!target)
        return;
    VARIANT in;
    ::VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = nPercent;
    // A zoom the page refuses leaves the pane showing the zoom that is really in effect.
    if (SUCCEEDED(target->Exec(nullptr, OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr)))
        OnZoomChanged(nPercent);
}

void CFolionyxReaderView::CycleZoom()
{
    int zoom = GetZoom();
    if (zoom <= 0)
        return;
    if (zoom < 100)
        SetZoom(100);
    else if (zoom < 125)
        SetZoom(125);
    else if (zoom < 150)
        SetZoom(150);
    else
        SetZoom(100);
}

void CFolionyxReaderView::OnZoomChanged(int nPercent)
{
    if (nPercent <= 0)
        return; // the zoom could not be read
    CReaderNavigationHost* host = GetNavigationHost();
    if (!host)
        return;
    CString text;
    text.Format(L"%d%%", nPercent);
    host->SetZoomPaneText(text);
}

void CFolionyxReaderView::OnZoomPreset(UINT nID)
{
    SetZoom(PresetPercent(nID));
}

void CFolionyxReaderView::OnUpdateZoomPreset(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetZoom() == PresetPercent(pCmdUI->m_nID) ? 1 : 0);
}

void CFolionyxReaderView::OnZoomIn()
{
    int zoom = GetZoom();
    if (zoom > 0)
        SetZoom(zoom + kZoomStep);
}

void CFolionyxReaderView::OnZoomOut()
{
    int zoom = GetZoom();
    if (zoom > 0)
        SetZoom(zoom - kZoomStep < kSmallestZoom ? kSmallestZoom : zoom - kZoomStep);
}

void CFolionyxReaderView::OnZoomCustom()
{
    CCustomZoomDlg dialog(this);
    int zoom = GetZoom();
    if (zoom >= CCustomZoomDlg::kMinZoom && zoom <= CCustomZoomDlg::kMaxZoom)
        dialog.m_nZoom = zoom;
    if (dialog.DoModal() == IDOK)
        SetZoom(dialog.m_nZoom);
}
