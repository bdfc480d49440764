// CFrameWnd: a top-level (or floating) window that lays out its bars and its view, routes
// commands to the active view, its document and the application, shows status text and
// keeps its title in step with the active document.
#pragma once

#include <windows.h>
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Wnd.h"

class CView;
class CDocument;
class CDocTemplate;

// Frame styles (in the low word of a top-level window's style).
#define FWS_ADDTOTITLE 0x00008000L  // the title shows the active document's name
#define FWS_PREFIXTITLE 0x00004000L // ... before the application name
#define FWS_SNAPTOBARS 0x00002000L

// Style of the view that a frame creates from a creation context.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// What a new frame is created with: the view class to create and the document it shows.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// What a frame puts aside while it shows a print preview, and gives back when the preview ends.
struct CPrintPreviewState
{
    HMENU hMenu = nullptr;        // the frame's menu, taken off while previewing
    HACCEL hAccelTable = nullptr; // the frame's shortcuts, off while previewing
    HWND hWndFocus = nullptr;     // where the focus was
    // The control bars that were visible and were hidden: bit n stands for the bar with id
    // AFX_IDW_CONTROLBAR_FIRST + n.
    DWORD dwStates = 0;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault; // system default position and size

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame from one resource id: menu, accelerators, icon and the title (the
    // first part of the string with that id). Missing resources are left out. A frame that
    // fails to be created has deleted itself.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame();
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Layout: every child bar takes its part through WM_SIZEPARENT, the view the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Lays out at the next idle time instead of now.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    BOOL InRecalcLayout() const { return m_bInRecalcLayout; }

    // Title.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    // Status text: shown in the descendant with id AFX_IDW_STATUS_BAR.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    virtual HACCEL GetDefaultAccelerator();

    // Print preview: entering takes off the menu and the shortcuts and hides the visible
    // control bars (the status bar stays, to show the preview's prompts), keeping what it
    // changed in pState; leaving gives all of it back. Entering twice, or leaving when not
    // previewing, changes nothing.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreviewMode() const { return m_bInPreviewMode; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL IsFrameWnd() const override;

    // Idle-time work pending for this frame (m_nIdleFlags).
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags;

    HACCEL m_hAccelTable;
    BOOL m_bAutoMenuEnable; // menu items without a handler are disabled
    CRect m_rectBorder;     // space kept free around the view
    UINT m_nIDHelp;         // the resource id the frame was loaded from
    BOOL m_bHelpMode;       // context-help mode (Shift+F1): windows answer help hit tests; never entered yet

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override; // frames delete themselves

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnIdleUpdateCmdUI();
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    // CAP, NUM and SCRL panes: enabled while their lock key is toggled on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    CString m_strTitle;
    CView* m_pViewActive;
    BOOL m_bInRecalcLayout;
    UINT m_nIDTracking; // command whose prompt the status bar shows
    UINT m_nIDLastMessage;
    BOOL m_bInPreviewMode = FALSE;

    DECLARE_MESSAGE_MAP()
};

// Idle-time update (WM_IDLEUPDATECMDUI) of every visible frame of the calling thread other
// than pSkip, and of their descendants.
void AfxIdleUpdateFrames(CWnd* pSkip);

// The nth part (0-based) of a string whose parts are separated by chSep.
BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep = L'\n');
