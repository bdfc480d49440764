#include "platform/browser/BrowserControl.h"
#include "platform/browser/ComObject.h"
#include "platform/browser/FindDialog.h"
#include "platform/browser/GdiObjects.h"
#include "platform/browser/PagePrinter.h"
#include "platform/browser/Painter.h"
#include "platform/browser/TextRange.h"
#include "platform/browser/TextUtil.h"
#include "platform/browser/Url.h"
#include <commdlg.h>
#include <windowsx.h>
#include <algorithm>
#include <cwctype>

namespace fxb {

namespace {

const wchar_t kClassName[] = L"FolionyxPageView";
// The zoom-event sink of the site ({41B68150-904C-4E17-A0BA-A438182E359D}).
const IID kIidZoomEvents = {0x41b68150, 0x904c, 0x4e17, {0xa0, 0xba, 0xa4, 0x38, 0x18, 0x2e, 0x35, 0x9d}};
constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 4000;
constexpr int kLineStep = 40;

bool VariantToInt(const VARIANT* v, int& out)
{
    if (!v)
        return false;
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(v), 0, VT_I4)))
        return false;
    out = copy.lVal;
    return true;
}

// A command that sets an integer when `in` holds one and answers the value now in force.
template <class Set, class Get> HRESULT ExchangeInt(const VARIANT* in, VARIANT* out, Set set, Get get)
{
    if (in && in->vt != VT_EMPTY && in->vt != VT_NULL) {
        int value;
        if (!VariantToInt(in, value))
            return E_INVALIDARG;
        HRESULT hr = set(value);
        if (FAILED(hr))
            return hr;
    }
    if (out) {
        VariantClear(out);
        out->vt = VT_I4;
        out->lVal = get();
    }
    return S_OK;
}

} // namespace

EngineVersion GetEngineVersion()
{
    return {8, 0};
}

// The document's command target: optical zoom (63) and text size (19) on behalf of the control.
class BrowserControl::DocumentCommands : public ComObject<IOleCommandTarget>
{
public:
    explicit DocumentCommands(BrowserControl* owner) : m_owner(owner) {}
    void Detach() { m_owner = nullptr; }

    STDMETHODIMP QueryStatus(const GUID* group, ULONG count, OLECMD* commands, OLECMDTEXT*) override
    {
        if (group)
            return OLECMDERR_E_UNKNOWNGROUP;
        if (!commands)
            return E_POINTER;
        for (ULONG i = 0; i < count; ++i)
            commands[i].cmdf = m_owner ? m_owner->QueryStatusWB(static_cast<OLECMDID>(commands[i].cmdID)) : 0;
        return S_OK;
    }
    STDMETHODIMP Exec(const GUID* group, DWORD id, DWORD option, VARIANT* in, VARIANT* out) override
    {
        if (group)
            return OLECMDERR_E_UNKNOWNGROUP;
        if (!m_owner)
            return E_FAIL;
        return m_owner->ExecWB(static_cast<OLECMDID>(id), static_cast<OLECMDEXECOPT>(option), in, out);
    }

private:
    ~DocumentCommands() override = default;
    BrowserControl* m_owner;
};

BrowserControl::BrowserControl()
{
    m_commands = ComPtr<DocumentCommands>::Adopt(new DocumentCommands(this));
}

BrowserControl::~BrowserControl()
{
    Destroy();
    m_commands->Detach();
    m_commands.Reset();
    ReleaseHost();
    if (m_doc)
        m_doc->SetView(nullptr);
}

void BrowserControl::ReleaseHost()
{
    m_hostUI.Reset();
    m_hostCommands.Reset();
    m_hostServices.Reset();
    m_zoomSink.Reset();
}

void BrowserControl::SetHostSite(IUnknown* site)
{
    ReleaseHost();
    if (!site)
        return;
    m_hostUI.QueryFrom(site, IID_IDocHostUIHandler);
    m_hostCommands.QueryFrom(site, IID_IOleCommandTarget);
    m_hostServices.QueryFrom(site, IID_IServiceProvider);
    m_zoomSink.QueryFrom(site, kIidZoomEvents);
}

bool BrowserControl::Create(HWND parent, const RECT& rect, UINT id, DWORD style)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &BrowserControl::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassW(&wc);
        registered = true;
    }
    m_hwnd = CreateWindowExW(0, kClassName, L"", style | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    if (m_hwnd)
        UpdateScrollBars();
    return m_hwnd != nullptr;
}

void BrowserControl::Destroy()
{
    m_find.reset();
    if (m_preview && IsWindow(m_preview))
        DestroyWindow(m_preview);
    m_preview = nullptr;
    if (m_hwnd && IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    m_backBuffer.Reset();
}

BrowserControl* BrowserControl::FromHandle(HWND hwnd)
{
    return reinterpret_cast<BrowserControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

int BrowserControl::ClientWidth() const
{
    RECT rc = {};
    if (m_hwnd)
        GetClientRect(m_hwnd, &rc);
    return rc.right;
}

int BrowserControl::ClientHeight() const
{
    RECT rc = {};
    if (m_hwnd)
        GetClientRect(m_hwnd, &rc);
    return rc.bottom;
}

// ---------------------------------------------------------------------------------------------
// Navigation

HRESULT BrowserControl::Navigate2(const std::wstring& url)
{
    std::wstring u = Trim(url);
    if (u.empty())
        return E_INVALIDARG;
    return StartNavigation(u, NavKind::New, -1, true);
}

HRESULT BrowserControl::GoBack()
{
    if (!CanGoBack())
        return E_FAIL;
    return StartNavigation(m_history[m_historyIndex - 1].url, NavKind::Back, m_historyIndex - 1, true);
}

HRESULT BrowserControl::GoForward()
{
    if (!CanGoForward())
        return E_FAIL;
    return StartNavigation(m_history[m_historyIndex + 1].url, NavKind::Forward, m_historyIndex + 1, true);
}

HRESULT BrowserControl::Stop()
{
    m_pending.reset();
    return S_OK;
}

HRESULT BrowserControl::Refresh()
{
    if (!m_doc)
        return S_OK;
    std::wstring url = m_historyIndex >= 0 ? m_history[m_historyIndex].url : m_doc->URL();
    return StartNavigation(url, NavKind::Refresh, m_historyIndex, false);
}

std::wstring BrowserControl::GetLocationURL() const
{
    return m_doc ? m_doc->URL() : std::wstring();
}

std::wstring BrowserControl::GetLocationName() const
{
    if (!m_doc)
        return std::wstring();
    std::wstring t = m_doc->title();
    return t.empty() ? m_doc->URL() : t;
}

HRESULT BrowserControl::StartNavigation(const std::wstring& url, NavKind kind, int historyIndex, bool fireEvent)
{
    int id = ++m_navCounter;
    if (fireEvent && m_events) {
        bool cancel = false;
        m_events->BeforeNavigate2(url, cancel);
        if (cancel)
            return S_OK; // only this navigation ends; one started inside the event goes on
    }
    if (id != m_navCounter && m_pending && m_pending->id > id)
        return S_OK; // a navigation started inside the event replaces this one
    std::wstring scheme = SchemeOf(url);
    bool loadable =
        IsLocalUrl(url) || scheme == L"http" || scheme == L"https" || scheme == L"about" || scheme == L"res";
    if (!loadable)
        return S_OK; // mail links, custom and unknown schemes open nothing here
    m_pending = std::make_unique<Navigation>(Navigation{id, url, kind, historyIndex});
    if (m_hwnd)
        PostMessageW(m_hwnd, WM_FXB_LOAD, static_cast<WPARAM>(id), 0);
    else
        LoadPending(id);
    return S_OK;
}

void BrowserControl::CompletePendingNavigation()
{
    if (m_pending)
        LoadPending(m_pending->id);
}

void BrowserControl::LoadPending(int id)
{
    if (!m_pending || m_pending->id != id)
        return;
    Navigation nav = *m_pending;
    m_pending.reset();
    Load(nav);
}

void BrowserControl::Load(const Navigation& nav)
{
    std::shared_ptr<Document> doc;
    std::wstring scheme = SchemeOf(nav.url);
    if (nav.source) {
        doc = Document::Create(nav.url, *nav.source, 65001, m_textSize);
    } else if (IsLocalUrl(nav.url)) {
        std::wstring path = LocalPathOf(nav.url);
        doc = Document::Load(nav.url, path, m_textSize);
    } else if (scheme == L"about") {
        doc = Document::Create(nav.url, std::wstring(), 65001, m_textSize);
    } else {
        // No network here: web addresses show a short notice.
        doc = Document::Create(nav.url,
                               L"<html><head><title>Page not available</title></head><body>"
                               L"<h3>This page cannot be displayed</h3><p>Web pages are not shown in "
                               L"this view.</p></body></html>",
                               65001, m_textSize);
    }
    int keepScroll = nav.kind == NavKind::Refresh ? m_scrollY : 0;
    if (m_doc)
        m_doc->SetView(nullptr);
    m_doc = doc;
    m_doc->SetView(this);
    m_layout.reset();
    m_layoutDirty = true;
    m_selStart = m_selEnd = m_anchor = 0;
    m_hoverLink = m_pressedLink = nullptr;
    m_scrollX = m_scrollY = 0;
    // The host says how the new document behaves.
    m_dialogMode = false;
    if (m_hostUI) {
        DOCHOSTUIINFO info = {};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(m_hostUI->GetHostInfo(&info)))
            m_dialogMode = (info.dwFlags & DOCHOSTUIFLAG_DIALOG) != 0;
        if (info.pchHostCss)
            CoTaskMemFree(info.pchHostCss);
        if (info.pchHostNS)
            CoTaskMemFree(info.pchHostNS);
    }
    // History.
    switch (nav.kind) {
    case NavKind::New: {
        bool same = m_historyIndex >= 0 && _wcsicmp(WithoutFragment(m_history[m_historyIndex].url).c_str(),
                                                    WithoutFragment(nav.url).c_str()) == 0;
        if (same) {
            m_history[m_historyIndex].url = nav.url;
        } else {
            m_history.resize(static_cast<size_t>(m_historyIndex + 1));
            m_history.push_back({nav.url});
            m_historyIndex = static_cast<int>(m_history.size()) - 1;
        }
        break;
    }
    case NavKind::Back:
    case NavKind::Forward:
        if (nav.historyIndex >= 0 && nav.historyIndex < static_cast<int>(m_history.size()))
            m_historyIndex = nav.historyIndex;
        break;
    case NavKind::Refresh:
        break;
    }
    EnsureLayout();
    if (nav.kind == NavKind::Refresh)
        SetScrollPosition(0, keepScroll);
    else
        ScrollToFragment(FragmentOf(nav.url));
    UpdateScrollBars();
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, FALSE);
    std::shared_ptr<Document> shown = m_doc;
    if (m_events) {
        m_events->TitleChange(GetLocationName());
        if (m_doc != shown)
            return;
        m_events->NavigateComplete2(nav.url);
        if (m_doc != shown)
            return;
        m_events->DocumentComplete(nav.url);
    }
    CallUpdateUI();
}

void BrowserControl::ScrollToFragment(const std::wstring& fragment)
{
    if (!m_doc || fragment.empty()) {
        SetScrollPosition(0, 0);
        return;
    }
    Node* target = m_doc->FindAnchor(fragment);
    EnsureLayout();
    if (target && target->geometry.valid)
        SetScrollPosition(0, target->geometry.top);
    else
        SetScrollPosition(0, 0);
}

// ---------------------------------------------------------------------------------------------
// Commands

OLECMDF BrowserControl::QueryStatusWB(OLECMDID command)
{
    switch (static_cast<int>(command)) {
    case OLECMDID_PRINT:
    case OLECMDID_PRINTPREVIEW:
    case OLECMDID_FIND:
    case OLECMDID_ZOOM:
    case OLECMDID_OPTICAL_ZOOM:
    case OLECMDID_SELECTALL:
        return static_cast<OLECMDF>(OLECMDF_SUPPORTED | (m_doc ? OLECMDF_ENABLED : 0));
    case OLECMDID_COPY:
        return static_cast<OLECMDF>(OLECMDF_SUPPORTED | (m_selEnd > m_selStart ? OLECMDF_ENABLED : 0));
    default:
        return static_cast<OLECMDF>(0);
    }
}

HRESULT BrowserControl::ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out)
{
    switch (static_cast<int>(command)) {
    case OLECMDID_PRINT:
        if (!m_doc)
            return E_FAIL;
        return Print(option != OLECMDEXECOPT_DONTPROMPTUSER) ? S_OK : E_FAIL;
    case OLECMDID_PRINTPREVIEW:
        if (!m_doc)
            return E_FAIL;
        ShowPrintPreview();
        return m_preview ? S_OK : E_FAIL;
    case OLECMDID_FIND:
        if (!m_doc)
            return E_FAIL;
        ShowFindDialog();
        return S_OK;
    case OLECMDID_ZOOM: // text size levels; SetTextSize refuses any other
        return ExchangeInt(
            in, out, [this](int level) { return SetTextSize(level); }, [this] { return m_textSize; });
    case OLECMDID_OPTICAL_ZOOM:
        return ExchangeInt(
            in, out, [this](int percent) { return SetOpticalZoom(percent); }, [this] { return m_zoom; });
    case OLECMDID_SELECTALL:
        SelectAll();
        return S_OK;
    case OLECMDID_COPY:
        return CopySelection() ? S_OK : E_FAIL;
    default:
        return OLECMDERR_E_NOTSUPPORTED;
    }
}

template <class Change> void BrowserControl::RelayOutKeepingPlace(Change change)
{
    long long oldHeight = std::max(1, ScrollHeight());
    long long top = m_scrollY;
    int left = change();
    EnsureLayout();
    SetScrollPosition(left, static_cast<int>(top * ScrollHeight() / oldHeight));
    UpdateScrollBars();
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, FALSE);
}

HRESULT BrowserControl::SetOpticalZoom(int percent)
{
    if (percent < kMinZoom || percent > kMaxZoom)
        return E_INVALIDARG;
    if (percent != m_zoom) {
        RelayOutKeepingPlace([&] {
            int left = m_scrollX * percent / std::max(1, m_zoom);
            m_zoom = percent;
            m_layoutDirty = true;
            return left;
        });
    }
    NotifyZoom();
    CallUpdateUI();
    return S_OK;
}

HRESULT BrowserControl::SetTextSize(int level)
{
    if (level < 0 || level > 4)
        return E_INVALIDARG;
    if (level != m_textSize) {
        m_textSize = level;
        if (m_doc) {
            RelayOutKeepingPlace([&] {
                m_doc->Restyle(level);
                return m_scrollX;
            });
        }
    }
    CallUpdateUI();
    return S_OK;
}

void BrowserControl::NotifyZoom()
{
    if (m_zoomSink)
        static_cast<IZoomEvents*>(static_cast<void*>(m_zoomSink.Get()))
            ->OnZoomPercentChanged(static_cast<ULONG>(m_zoom));
}

void BrowserControl::CallUpdateUI()
{
    if (m_hostUI)
        m_hostUI->UpdateUI();
}

IOleCommandTarget* BrowserControl::CommandTarget()
{
    return m_commands.Get();
}

// ---------------------------------------------------------------------------------------------
// Layout and scrolling

void BrowserControl::EnsureLayout()
{
    if (!m_doc)
        return;
    int width = std::max(1, ClientWidth());
    if (!m_hwnd)
        width = 800;
    if (m_layout && !m_layoutDirty && m_layoutVersion == m_doc->Version() && m_layoutWidth == width &&
        m_layoutZoom == m_zoom)
        return;
    m_layout = std::make_unique<LayoutTree>(*m_doc, width, m_zoom / 100.0f, true);
    m_layoutVersion = m_doc->Version();
    m_layoutWidth = width;
    m_layoutZoom = m_zoom;
    m_layoutDirty = false;
    // Keep the scroll position inside the new page.
    SetScrollPosition(m_scrollX, m_scrollY);
    UpdateScrollBars();
}

int BrowserControl::ScrollHeight()
{
    EnsureLayout();
    int client = ClientHeight();
    return std::max(client, m_layout ? m_layout->ContentHeight() : 0);
}

int BrowserControl::ScrollWidth()
{
    EnsureLayout();
    int client = ClientWidth();
    return std::max(client, m_layout ? m_layout->ContentWidth() : 0);
}

void BrowserControl::SetScrollPosition(int left, int top)
{
    int maxY = 0, maxX = 0;
    if (m_layout) {
        maxY = std::max(0, m_layout->ContentHeight() - ClientHeight());
        maxX = std::max(0, m_layout->ContentWidth() - ClientWidth());
    }
    int y = std::max(0, std::min(top, maxY));
    int x = std::max(0, std::min(left, maxX));
    if (x == m_scrollX && y == m_scrollY)
        return;
    m_scrollX = x;
    m_scrollY = y;
    if (m_hwnd) {
        UpdateScrollBars();
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

void BrowserControl::LoadFromString(const std::wstring& html)
{
    Navigation nav{0, L"about:blank", NavKind::New, -1};
    nav.source = &html;
    Load(nav);
}

void BrowserControl::SetScrollBarsHidden(bool hidden)
{
    m_scrollBarsHidden = hidden;
    if (m_hwnd && hidden)
        ShowScrollBar(m_hwnd, SB_BOTH, FALSE);
    UpdateScrollBars();
}

void BrowserControl::UpdateScrollBars()
{
    if (!m_hwnd || m_scrollBarsHidden)
        return;
    int contentH = m_layout ? m_layout->ContentHeight() : 0;
    int contentW = m_layout ? m_layout->ContentWidth() : 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(0, contentH - 1);
    si.nPage = static_cast<UINT>(std::max(0, ClientHeight()));
    si.nPos = m_scrollY;
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    SCROLLINFO sh = {};
    sh.cbSize = sizeof(sh);
    sh.fMask = SIF_ALL;
    sh.nMin = 0;
    sh.nMax = std::max(0, contentW - 1);
    sh.nPage = static_cast<UINT>(std::max(0, ClientWidth()));
    sh.nPos = m_scrollX;
    SetScrollInfo(m_hwnd, SB_HORZ, &sh, TRUE);
}

void BrowserControl::ContentChanged()
{
    m_layoutDirty = true;
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, FALSE);
}

void BrowserControl::ScrollRectIntoView(const RECT& r)
{
    int h = ClientHeight(), w = ClientWidth();
    int y = m_scrollY, x = m_scrollX;
    if (r.top < y || r.bottom > y + h)
        y = std::max<int>(0, r.top - h / 3);
    if (r.left < x || r.right > x + w)
        x = std::max<int>(0, r.left - w / 3);
    SetScrollPosition(x, y);
}

void BrowserControl::ShowSelection(size_t start, size_t end, bool scrollIntoView)
{
    m_selStart = std::min(start, end);
    m_selEnd = std::max(start, end);
    m_anchor = m_selStart;
    if (scrollIntoView) {
        EnsureLayout();
        RECT r;
        if (m_layout && m_layout->CaretRect(m_selStart, r))
            ScrollRectIntoView(r);
    }
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, FALSE);
}

// ---------------------------------------------------------------------------------------------
// Selection, find, print

std::wstring BrowserControl::SelectedText()
{
    if (!m_doc || m_selEnd <= m_selStart)
        return std::wstring();
    TextRange range(m_doc, m_selStart, m_selEnd);
    return range.text();
}

void BrowserControl::SelectAll()
{
    if (!m_doc || m_dialogMode)
        return;
    ShowSelection(0, m_doc->StreamLength(), false);
}

bool BrowserControl::CopySelection()
{
    std::wstring text = SelectedText();
    if (text.empty() || m_dialogMode)
        return false;
    if (!OpenClipboard(m_hwnd))
        return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool ok = false;
    if (mem) {
        memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(mem);
        ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        if (!ok)
            GlobalFree(mem);
    }
    CloseClipboard();
    return ok;
}

bool BrowserControl::FindNext(const std::wstring& text, bool matchCase, bool wholeWord, bool down)
{
    if (!m_doc || text.empty())
        return false;
    long flags = (matchCase ? 4 : 0) | (wholeWord ? 2 : 0);
    size_t len = m_doc->StreamLength();
    for (int attempt = 0; attempt < 2; ++attempt) {
        TextRange range(m_doc, 0, len);
        if (down)
            range.SetRange(attempt == 0 ? (m_selEnd > m_selStart ? m_selStart + 1 : m_selEnd) : 0, len);
        else
            range.SetRange(0, attempt == 0 ? (m_selEnd > m_selStart ? m_selEnd - 1 : m_selStart) : len);
        if (range.findText(text, down ? 1 : -1, flags)) {
            ShowSelection(range.Start(), range.End(), true);
            return true;
        }
    }
    return false;
}

bool BrowserControl::Print(bool prompt)
{
    if (!m_doc)
        return false;
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = m_hwnd ? GetAncestor(m_hwnd, GA_ROOT) : nullptr;
    // Without a default printer there is nothing to choose from: fail without a dialog.
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    BOOL haveDefault = PrintDlgW(&pd);
    if (!haveDefault || !pd.hDC) {
        if (pd.hDevMode)
            GlobalFree(pd.hDevMode);
        if (pd.hDevNames)
            GlobalFree(pd.hDevNames);
        return false;
    }
    if (prompt) {
        DeleteDC(pd.hDC);
        pd.hDC = nullptr;
        pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
        if (!PrintDlgW(&pd) || !pd.hDC) {
            if (pd.hDevMode)
                GlobalFree(pd.hDevMode);
            if (pd.hDevNames)
                GlobalFree(pd.hDevNames);
            return false;
        }
    }
    int w, h, mx, my;
    PagePrinter::SheetOfPrinter(pd.hDC, w, h, mx, my);
    PagePrinter printer(m_doc, w, h);
    std::wstring name = GetLocationName();
    bool ok = printer.PrintToPrinter(pd.hDC, name);
    DeleteDC(pd.hDC);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    return ok;
}

void BrowserControl::ShowPrintPreview()
{
    if (!m_doc)
        return;
    if (m_preview && IsWindow(m_preview))
        DestroyWindow(m_preview);
    m_preview = ShowPrintPreviewWindow(m_hwnd, m_doc);
}

void BrowserControl::ShowFindDialog()
{
    if (!m_find)
        m_find = std::make_unique<FindDialog>(*this);
    m_find->Show();
}

// ---------------------------------------------------------------------------------------------
// Window

LRESULT CALLBACK BrowserControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    BrowserControl* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<BrowserControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_hwnd = hwnd;
    } else {
        self = FromHandle(hwnd);
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        LRESULT r = self->HandleMessage(msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
        }
        return r;
    } catch (...) {
        // A page must never take the program down: drop what failed and carry on.
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT BrowserControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == FindDialog::Message() && m_find && m_find->HandleMessage(lp))
        return 0;
    switch (msg) {
    case WM_FXB_LOAD:
        LoadPending(static_cast<int>(wp));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT: {
        RECT rc;
        GetClientRect(m_hwnd, &rc);
        PaintTo(reinterpret_cast<HDC>(wp), rc);
        return 0;
    }
    case WM_SIZE:
        if (m_doc) {
            EnsureLayout();
            SetScrollPosition(m_scrollX, m_scrollY);
        }
        UpdateScrollBars();
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wp));
        return 0;
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wp));
        return 0;
    case WM_MOUSEWHEEL: {
        int delta = GET_WHEEL_DELTA_WPARAM(wp);
        if (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL) {
            int next = m_zoom + (delta > 0 ? 10 : -10);
            SetOpticalZoom(std::max(kMinZoom, std::min(kMaxZoom, next)));
        } else {
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            SetScrollPosition(m_scrollX,
                              m_scrollY - delta * static_cast<int>(std::max(1u, lines)) * kLineStep / WHEEL_DELTA);
        }
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (m_hostUI) {
            MSG m = {m_hwnd, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {0, 0}};
            if (m_hostUI->TranslateAccelerator(&m, nullptr, 0) == S_OK)
                return 0;
        }
        if (msg == WM_KEYDOWN) {
            OnKey(wp);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        OnMouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_SHIFT) != 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_LBUTTONUP:
        OnMouseUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_CAPTURECHANGED:
        m_selecting = false;
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && OnSetCursor())
            return TRUE;
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    case WM_DESTROY:
        if (m_preview && IsWindow(m_preview))
            DestroyWindow(m_preview);
        m_preview = nullptr;
        m_find.reset();
        return 0;
    }
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}

void BrowserControl::PaintTo(HDC dc, const RECT& clip)
{
    EnsureLayout();
    if (!m_layout || !m_doc) {
        FillRect(dc, &clip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    PaintOptions opt;
    opt.scrollX = m_scrollX;
    opt.scrollY = m_scrollY;
    opt.clip = clip;
    opt.selectionStart = m_selStart;
    opt.selectionEnd = m_selEnd;
    opt.hoverLink = m_hoverLink;
    Painter(*m_doc, *m_layout).Paint(dc, opt);
}

void BrowserControl::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT rc;
    GetClientRect(m_hwnd, &rc);
    int w = std::max<int>(1, rc.right), h = std::max<int>(1, rc.bottom);
    if (!m_backBuffer || m_backWidth != w || m_backHeight != h) {
        m_backBuffer.Reset(CreateCompatibleBitmap(dc, w, h));
        m_backWidth = w;
        m_backHeight = h;
    }
    {
        MemoryDC mem(dc);
        SelectedObject buffer(mem.Get(), m_backBuffer.Get());
        PaintTo(mem.Get(), ps.rcPaint);
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, mem.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
    EndPaint(m_hwnd, &ps);
}

void BrowserControl::OnScroll(int bar, WORD code)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(m_hwnd, bar, &si);
    int page = bar == SB_VERT ? ClientHeight() : ClientWidth();
    int pos = bar == SB_VERT ? m_scrollY : m_scrollX;
    switch (code) {
    case SB_LINEUP:
        pos -= kLineStep;
        break;
    case SB_LINEDOWN:
        pos += kLineStep;
        break;
    case SB_PAGEUP:
        pos -= std::max(kLineStep, page - kLineStep);
        break;
    case SB_PAGEDOWN:
        pos += std::max(kLineStep, page - kLineStep);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = si.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = INT_MAX / 2;
        break;
    default:
        return;
    }
    if (bar == SB_VERT)
        SetScrollPosition(m_scrollX, pos);
    else
        SetScrollPosition(pos, m_scrollY);
}

void BrowserControl::OnKey(WPARAM key)
{
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    int page = std::max(kLineStep, ClientHeight() - kLineStep);
    switch (key) {
    case VK_UP:
        SetScrollPosition(m_scrollX, m_scrollY - kLineStep);
        break;
    case VK_DOWN:
        SetScrollPosition(m_scrollX, m_scrollY + kLineStep);
        break;
    case VK_LEFT:
        SetScrollPosition(m_scrollX - kLineStep, m_scrollY);
        break;
    case VK_RIGHT:
        SetScrollPosition(m_scrollX + kLineStep, m_scrollY);
        break;
    case VK_PRIOR:
        SetScrollPosition(m_scrollX, m_scrollY - page);
        break;
    case VK_NEXT:
        SetScrollPosition(m_scrollX, m_scrollY + page);
        break;
    case VK_SPACE:
        SetScrollPosition(m_scrollX, m_scrollY + (GetKeyState(VK_SHIFT) < 0 ? -page : page));
        break;
    case VK_HOME:
        SetScrollPosition(0, 0);
        break;
    case VK_END:
        SetScrollPosition(m_scrollX, INT_MAX / 2);
        break;
    case 'C':
    case VK_INSERT:
        if (ctrl)
            CopySelection();
        break;
    case 'A':
        if (ctrl)
            SelectAll();
        break;
    case 'F':
        if (ctrl)
            ShowFindDialog();
        break;
    case VK_F5:
        Refresh();
        break;
    }
}

const Node* BrowserControl::LinkAt(int x, int y)
{
    EnsureLayout();
    if (!m_layout)
        return nullptr;
    HitResult hit = m_layout->HitTest(x + m_scrollX, y + m_scrollY);
    return hit.onText && hit.run ? hit.run->link : nullptr;
}

void BrowserControl::OnMouseDown(int x, int y, bool shift)
{
    SetFocus(m_hwnd);
    EnsureLayout();
    if (!m_layout)
        return;
    m_pressedLink = LinkAt(x, y);
    m_dragged = false;
    if (m_dialogMode)
        return;
    HitResult hit = m_layout->HitTest(x + m_scrollX, y + m_scrollY);
    size_t offset = hit.run ? hit.streamOffset : 0;
    if (shift && m_selEnd >= m_selStart) {
        ShowSelection(m_anchor, offset, false);
    } else {
        m_anchor = offset;
        m_selStart = m_selEnd = offset;
    }
    m_selecting = true;
    SetCapture(m_hwnd);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void BrowserControl::OnMouseMove(int x, int y)
{
    if (m_selecting && GetCapture() == m_hwnd && m_layout) {
        // Dragging past the edges scrolls the page.
        int h = ClientHeight();
        if (y < 0)
            SetScrollPosition(m_scrollX, m_scrollY + y);
        else if (y > h)
            SetScrollPosition(m_scrollX, m_scrollY + (y - h));
        HitResult hit = m_layout->HitTest(x + m_scrollX, y + m_scrollY);
        if (hit.run) {
            size_t offset = hit.streamOffset;
            size_t a = std::min(m_anchor, offset), b = std::max(m_anchor, offset);
            if (a != m_selStart || b != m_selEnd) {
                m_selStart = a;
                m_selEnd = b;
                m_dragged = m_dragged || a != b;
                InvalidateRect(m_hwnd, nullptr, FALSE);
            }
        }
        return;
    }
    UpdateHover(x, y);
}

void BrowserControl::UpdateHover(int x, int y)
{
    const Node* link = LinkAt(x, y);
    if (link != m_hoverLink) {
        m_hoverLink = link;
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

void BrowserControl::OnMouseUp(int x, int y)
{
    bool wasSelecting = m_selecting;
    m_selecting = false;
    if (GetCapture() == m_hwnd)
        ReleaseCapture();
    const Node* link = LinkAt(x, y);
    if (link && link == m_pressedLink && (!wasSelecting || !m_dragged || m_selEnd == m_selStart)) {
        m_pressedLink = nullptr;
        std::wstring href = link->GetAttribute(L"href");
        std::wstring target = m_doc ? m_doc->Resolve(href) : href;
        if (!Trim(href).empty() && !(SchemeOf(Trim(href)) == L"javascript"))
            StartNavigation(target, NavKind::New, -1, true);
        return;
    }
    m_pressedLink = nullptr;
}

bool BrowserControl::OnSetCursor()
{
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hwnd, &pt);
    const Node* link = LinkAt(pt.x, pt.y);
    if (link) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return true;
    }
    if (!m_dialogMode && m_layout) {
        HitResult hit = m_layout->HitTest(pt.x + m_scrollX, pt.y + m_scrollY);
        if (hit.onText && hit.run && hit.run->kind == Run::Kind::Text) {
            SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
            return true;
        }
    }
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

void BrowserControl::OnContextMenu(int x, int y)
{
    POINT pt = {x, y};
    if (x == -1 && y == -1) {
        pt = {0, 0};
        ClientToScreen(m_hwnd, &pt);
    }
    if (m_hostUI && m_hostUI->ShowContextMenu(CONTEXT_MENU_DEFAULT, &pt, nullptr, nullptr) == S_OK)
        return;
    enum { kCopy = 1, kSelectAll, kPrint, kPreview, kRefresh };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (m_selEnd > m_selStart && !m_dialogMode ? 0 : MF_GRAYED), kCopy, L"&Copy");
    AppendMenuW(menu, MF_STRING | (m_dialogMode ? MF_GRAYED : 0), kSelectAll, L"Select &All");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kPrint, L"&Print...");
    AppendMenuW(menu, MF_STRING, kPreview, L"Print Pre&view");
    AppendMenuW(menu, MF_STRING, kRefresh, L"&Refresh");
    int cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hwnd, nullptr);
    DestroyMenu(menu);
    switch (cmd) {
    case kCopy:
        CopySelection();
        break;
    case kSelectAll:
        SelectAll();
        break;
    case kPrint:
        Print(true);
        break;
    case kPreview:
        ShowPrintPreview();
        break;
    case kRefresh:
        Refresh();
        break;
    }
}

} // namespace fxb
