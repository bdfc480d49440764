// The page control: a child window that loads, lays out, paints and scrolls pages, keeps the
// navigation history, raises navigation events and calls its host site through COM.
#pragma once
#include "platform/browser/ComObject.h"
#include "platform/browser/Document.h"
#include "platform/browser/GdiObjects.h"
#include "platform/browser/Layout.h"
#include <windows.h>
#include <docobj.h>
#include <mshtmhst.h>
#include <memory>
#include <string>
#include <vector>

namespace fxb {

class FindDialog;

// Events of the control, raised on the user-interface thread.
class BrowserEvents
{
public:
    virtual ~BrowserEvents() = default;
    // Before every navigation (host calls, link clicks, history moves). Setting `cancel` keeps
    // the current document; the handler may start another navigation.
    virtual void BeforeNavigate2(const std::wstring& url, bool& cancel) {}
    virtual void NavigateComplete2(const std::wstring& url) {}
    // Once per completed navigation, after parsing, layout and scrolling to the fragment.
    virtual void DocumentComplete(const std::wstring& url) {}
    virtual void TitleChange(const std::wstring& title) {}
};

// Version the engine reports in place of the browser library's file version.
struct EngineVersion
{
    int major;
    int minor;
};
EngineVersion GetEngineVersion();

class BrowserControl : public DocumentView
{
public:
    BrowserControl();
    ~BrowserControl() override;
    BrowserControl(const BrowserControl&) = delete;
    BrowserControl& operator=(const BrowserControl&) = delete;

    bool Create(HWND parent, const RECT& rect, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    void Destroy();
    HWND Handle() const { return m_hwnd; }
    static BrowserControl* FromHandle(HWND hwnd);

    void SetEvents(BrowserEvents* events) { m_events = events; }
    // The host site: IDocHostUIHandler, IOleCommandTarget, IServiceProvider and the zoom sink.
    void SetHostSite(IUnknown* site);

    // --- navigation ---
    HRESULT Navigate2(const std::wstring& url);
    // Shows a page held in a string at once: no pending navigation, no events, no message pump.
    void LoadFromString(const std::wstring& html);
    // Without scroll bars the page is clipped to the window (tips size the window to the page).
    void SetScrollBarsHidden(bool hidden);
    HRESULT GoBack();
    HRESULT GoForward();
    HRESULT Stop();
    HRESULT Refresh();
    bool Busy() const { return m_pending != nullptr; }
    bool CanGoBack() const { return m_historyIndex > 0; }
    bool CanGoForward() const { return m_historyIndex + 1 < static_cast<int>(m_history.size()); }
    std::wstring GetLocationURL() const;
    std::wstring GetLocationName() const;
    // Null until a document exists; during a before-navigate event still the shown one.
    std::shared_ptr<Document> GetHtmlDocument() const { return m_doc; }
    // Completes pending navigations now instead of from the message loop.
    void CompletePendingNavigation();

    // --- commands ---
    HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out);
    OLECMDF QueryStatusWB(OLECMDID command);
    int OpticalZoom() const { return m_zoom; }
    HRESULT SetOpticalZoom(int percent);
    int TextSize() const { return m_textSize; }
    HRESULT SetTextSize(int level);

    // --- selection ---
    size_t SelectionStart() const { return m_selStart; }
    size_t SelectionEnd() const { return m_selEnd; }
    std::wstring SelectedText();
    void SelectAll();
    bool CopySelection();
    bool SelectionAllowed() const { return !m_dialogMode; }

    // --- printing ---
    // Prints through the print dialog to a printer (or silently to the default printer);
    // false when there is no printer or the user cancels.
    bool Print(bool prompt);
    void ShowPrintPreview();
    HWND PrintPreviewWindow() const { return m_preview; }
    void ShowFindDialog();
    FindDialog* GetFindDialog() const { return m_find.get(); }
    // Finds the next match after the selection (case-insensitive unless told otherwise), selects
    // and shows it; wraps to the top once.
    bool FindNext(const std::wstring& text, bool matchCase, bool wholeWord, bool down);

    // --- DocumentView ---
    void EnsureLayout() override;
    int ScrollTop() const override { return m_scrollY; }
    int ScrollLeft() const override { return m_scrollX; }
    void SetScrollPosition(int left, int top) override;
    int ScrollHeight() override;
    int ScrollWidth() override;
    void ContentChanged() override;
    void ShowSelection(size_t start, size_t end, bool scrollIntoView) override;
    IOleCommandTarget* CommandTarget() override;

    const LayoutTree* Layout()
    {
        EnsureLayout();
        return m_layout.get();
    }
    void PaintTo(HDC dc, const RECT& clip);
    int ClientWidth() const;
    int ClientHeight() const;

private:
    enum class NavKind { New, Back, Forward, Refresh };
    struct Navigation
    {
        int id;
        std::wstring url;
        NavKind kind;
        int historyIndex;
        const std::wstring* source = nullptr; // the page itself, instead of loading the URL
    };
    struct HistoryEntry
    {
        std::wstring url;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    HRESULT StartNavigation(const std::wstring& url, NavKind kind, int historyIndex, bool fireEvent);
    void LoadPending(int id);
    void Load(const Navigation& nav);
    void ScrollToFragment(const std::wstring& fragment);
    void UpdateScrollBars();
    void OnPaint();
    void OnScroll(int bar, WORD code);
    void OnKey(WPARAM key);
    void OnMouseDown(int x, int y, bool shift);
    void OnMouseMove(int x, int y);
    void OnMouseUp(int x, int y);
    void OnContextMenu(int x, int y);
    bool OnSetCursor();
    void UpdateHover(int x, int y);
    const Node* LinkAt(int x, int y);
    void NotifyZoom();
    void CallUpdateUI();
    void ReleaseHost();
    void ScrollRectIntoView(const RECT& r);
    // Lays the page out again after `change` (of zoom or text size) keeping the same part of it
    // in view; `change` answers the horizontal scroll position to keep.
    template <class Change> void RelayOutKeepingPlace(Change change);

    HWND m_hwnd = nullptr;
    BrowserEvents* m_events = nullptr;
    ComPtr<IDocHostUIHandler> m_hostUI;
    ComPtr<IOleCommandTarget> m_hostCommands;
    ComPtr<IServiceProvider> m_hostServices;
    ComPtr<IUnknown> m_zoomSink; // the site's zoom-event interface
    class DocumentCommands;
    ComPtr<DocumentCommands> m_commands;

    std::shared_ptr<Document> m_doc;
    std::unique_ptr<LayoutTree> m_layout;
    unsigned m_layoutVersion = 0;
    int m_layoutWidth = -1;
    int m_layoutZoom = 0;
    bool m_layoutDirty = true;

    std::unique_ptr<Navigation> m_pending;
    int m_navCounter = 0;
    std::vector<HistoryEntry> m_history;
    int m_historyIndex = -1;

    int m_zoom = 100;
    int m_textSize = 2;
    bool m_scrollBarsHidden = false;
    int m_scrollX = 0, m_scrollY = 0;
    bool m_dialogMode = false;

    size_t m_selStart = 0, m_selEnd = 0, m_anchor = 0;
    bool m_selecting = false;
    bool m_dragged = false;
    const Node* m_pressedLink = nullptr;
    const Node* m_hoverLink = nullptr;

    GdiObject<HBITMAP> m_backBuffer;
    int m_backWidth = 0, m_backHeight = 0;
    HWND m_preview = nullptr;
    std::unique_ptr<FindDialog> m_find;
};

// Window message that completes a navigation; posted to the control itself.
constexpr UINT WM_FXB_LOAD = WM_APP + 0x4F1;

} // namespace fxb
