#include "demos/docking/DockingScene.h"

#include <commctrl.h>

#include <vector>

#include "toolkit/docking/DockingPane.h"

BEGIN_MESSAGE_MAP(CDockingSceneBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CDockingSceneBar::OnSizeParent)
END_MESSAGE_MAP()

LRESULT CDockingSceneBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rc(lpLayout->rect.left, lpLayout->rect.bottom - m_nHeight, lpLayout->rect.right, lpLayout->rect.bottom);
    lpLayout->rect.bottom -= m_nHeight;
    if (lpLayout->hDWP)
        ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

BEGIN_MESSAGE_MAP(CDockingSceneFrame, CFrameWnd)
    ON_MESSAGE(WM_QOR_DOCKINGPANE_NOTIFY, &CDockingSceneFrame::OnDockingPaneNotify)
END_MESSAGE_MAP()

namespace {

// Dialog procedures are stdcall on i686, which a lambda cannot be converted to.
INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A child dialog with one edit box and a button, made from a template in memory.
HWND CreateSearchDialog(HWND hWndParent)
{
    std::vector<WORD> t;
    auto align = [&t]() {
        if (t.size() % 2)
            t.push_back(0);
    };
    auto add = [&t](const void* p, size_t cb) {
        const WORD* w = static_cast<const WORD*>(p);
        t.insert(t.end(), w, w + cb / sizeof(WORD));
    };
    DLGTEMPLATE dlg = {WS_CHILD | DS_CONTROL, 0, 2, 0, 0, 100, 40};
    add(&dlg, sizeof(dlg));
    t.insert(t.end(), {0, 0, 0}); // no menu, the standard class, no title
    struct Item
    {
        DWORD style;
        short x, y, cx, cy;
        WORD id, atom;
        LPCWSTR text;
    } items[] = {
        {WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 4, 4, 90, 12, 100, 0x0081, L""},
        {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 4, 20, 50, 14, 101, 0x0080, L"Search"},
    };
    for (const Item& item : items) {
        align();
        DLGITEMTEMPLATE dit = {item.style, 0, item.x, item.y, item.cx, item.cy, item.id};
        add(&dit, sizeof(dit));
        t.insert(t.end(), {0xFFFF, item.atom});
        for (LPCWSTR p = item.text; *p; ++p)
            t.push_back(*p);
        t.insert(t.end(), {0, 0}); // end of text, no creation data
    }
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                        hWndParent, PlainDialogProc, 0);
}

} // namespace

BOOL CDockingSceneFrame::CreateScene(int cx, int cy, BOOL bWithBar, DWORD dwExStyle)
{
    m_bWithBar = bWithBar;
    CRect rcFrame(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rcFrame, WS_OVERLAPPEDWINDOW, FALSE, dwExStyle);
    rcFrame.OffsetRect(40 - rcFrame.left, 40 - rcFrame.top);
    if (!Create(nullptr, L"Docking panes", WS_OVERLAPPEDWINDOW, rcFrame, nullptr, nullptr, dwExStyle))
        return FALSE;
    if (bWithBar)
        m_wndBar.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_STATUS_BAR);
    m_wndView.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_WHITERECT, CRect(0, 0, 0, 0), this,
                       AFX_IDW_PANE_FIRST);

    // The reader's steps: install, native look, icons, the three panes, Search tabbed with
    // Contents, holders remembered, then Search and Attachments closed until asked for.
    if (!m_paneManager.InstallDockingPanes(this))
        return FALSE;
    m_paneManager.SetTheme(3);
    m_paneManager.m_bAlphaDockingContext = TRUE;
    m_paneManager.m_bShowDockingContextStickers = TRUE;
    QOR_DOCKINGPANE_ICON icon;
    icon.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    m_paneManager.SetPaneIcon(DOCKING_SCENE_CONTENTS, icon);
    m_paneManager.SetPaneIcon(DOCKING_SCENE_SEARCH, icon);
    CQorDockingPane* pContents =
        m_paneManager.CreatePane(DOCKING_SCENE_CONTENTS, CRect(0, 0, DOCKING_SCENE_CONTENTS_WIDTH, 240), qorDockLeft);
    CQorDockingPane* pSearch =
        m_paneManager.CreatePane(DOCKING_SCENE_SEARCH, CRect(0, 0, DOCKING_SCENE_CONTENTS_WIDTH, 240), qorDockLeft);
    m_paneManager.CreatePane(DOCKING_SCENE_ATTACHMENTS, CRect(0, 0, 300, 100), qorDockBottom);
    if (!pContents || !pSearch)
        return FALSE;
    pContents->SetTitle(L"Contents");
    pSearch->SetTitle(L"Search");
    m_paneManager.FindPane(DOCKING_SCENE_ATTACHMENTS)->SetTitle(L"Attachments");
    m_paneManager.AttachPane(pContents, pSearch);
    m_paneManager.SyncPaneHolders();
    m_paneManager.ClosePaneById(DOCKING_SCENE_SEARCH);
    m_paneManager.ClosePaneById(DOCKING_SCENE_ATTACHMENTS);
    RecalcLayout();
    return TRUE;
}

HWND CDockingSceneFrame::CreatePaneWindow(int nID)
{
    switch (nID) {
    case DOCKING_SCENE_CONTENTS: {
        m_hwndTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 0, 0,
                                       m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        TVINSERTSTRUCTW tvi = {};
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT;
        tvi.item.pszText = const_cast<LPWSTR>(L"Chapter 1");
        ::SendMessageW(m_hwndTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
        return m_hwndTree;
    }
    case DOCKING_SCENE_SEARCH:
        return m_hwndSearch = CreateSearchDialog(m_hWnd);
    case DOCKING_SCENE_ATTACHMENTS:
        m_hwndList = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                                       m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(m_hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"notes.txt"));
        return m_hwndList;
    default:
        return nullptr;
    }
}

LRESULT CDockingSceneFrame::OnDockingPaneNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != qorDpnShowWindow)
        return 0;
    m_nShowNotifications++;
    CQorDockingPane* pPane = reinterpret_cast<CQorDockingPane*>(lParam);
    if (!pPane->GetChild())
        pPane->Attach(CreatePaneWindow(pPane->GetId()));
    return 1;
}
