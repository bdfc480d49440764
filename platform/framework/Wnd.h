// CWnd: a C++ object attached to a window handle.
//
// Every window that has a CWnd is subclassed with the framework's window procedure; the
// procedure finds the object in the calling thread's permanent handle map and runs
// WindowProc -> OnWndMsg -> message map -> DefWindowProc. A CWnd created through Create or
// CreateEx is attached while CreateWindowEx runs (a per-thread CBT hook), so the messages
// sent during creation (WM_NCCREATE, WM_CREATE, WM_MEASUREITEM, ...) reach it too.
// FromHandle gives temporary wrappers for windows that have no object; they are deleted at
// idle time (CWinThread::OnIdle) and must not be kept.
//
// The message being handled is kept per thread (AfxGetThreadState()->m_lastSentMsg) and
// restored after nested sends, so Default() always passes on the right message.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "platform/framework/CmdTarget.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

#ifndef afx_msg
#define afx_msg // marks message handlers
#endif

// The SDK's GetNextWindow is a two-argument macro, which would break CWnd::GetNextWindow.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd)
{
    return ::GetWindow(hWnd, wCmd);
}
#endif

class CFrameWnd;
class CMenu;
class CDC;
class CFont;
class CScrollBar;
struct CCreateContext;

// ---------------------------------------------------------------------------------------
// Framework messages

#define WM_QUERYAFXWNDPROC 0x0360  // answered 1 by the framework's window procedure
#define WM_SIZEPARENT 0x0361       // layout pass of a frame: lParam = AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING 0x0362 // status text: wParam = string id, or lParam = text
#define WM_IDLEUPDATECMDUI 0x0363  // idle-time update of command states (wParam TRUE)
#define WM_INITIALUPDATE 0x0364    // first update of views and frames after creation
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368 // a child asks its frame for a new layout
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A // sent by modal loops while they are idle
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D // floating windows follow their frame's activation
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_POPMESSAGESTRING 0x0375 // restores the status text saved by WM_SETMESSAGESTRING

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019 // message-map key of every WM_CTLCOLORxxx message
#endif

// WM_FLOATSTATUS flags
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Tool flag of OnToolHitTest: the tool is no button (its tip need not wait for a click).
#ifndef TTF_NOTBUTTON
#define TTF_NOTBUTTON 0x80000000
#endif

// Parameters of WM_SIZEPARENT: each bar takes its part of `rect` and adds to `sizeTotal`;
// with hDWP null the pass only measures.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// CWnd::m_nFlags
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008     // RunModalLoop is running
#define WF_CONTINUEMODAL 0x0010 // and goes on until EndModalLoop
#define WF_STAYACTIVE 0x0020
#define WF_NOPOPMSG 0x0040
#define WF_MODALDISABLE 0x0080
#define WF_KEEPMINIACTIVE 0x0200
#define WF_OLECTLCONTAINER 0x0100

// RunModalLoop flags
#define MLF_NOIDLEMSG 0x0001  // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002 // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004 // show the window when the loop first goes idle

// ---------------------------------------------------------------------------------------
// Message-map entries of window messages. Handlers are members with the usual signatures
// (OnCreate(LPCREATESTRUCT) -> int, OnSize(UINT, int, int), OnLButtonDown(UINT, CPoint), ...).

#define FX_WM_ENTRY(msg, sig, type, memberFxn) {(UINT)(msg), 0, 0, 0, (sig), FX_PMSG(type, memberFxn)},
#define FX_WM_HANDLER(msg, sig, type, handlerName) FX_WM_ENTRY(msg, sig, type, &ThisClass::handlerName)

#define ON_MESSAGE(message, memberFxn) FX_WM_ENTRY(message, AfxSig_l_wl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)
#define ON_MESSAGE_VOID(message, memberFxn) FX_WM_ENTRY(message, AfxSig_v_v, void (CWnd::*)(), memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                             \
    {FX_REGISTERED_MESSAGE,                                                                                            \
     0,                                                                                                                \
     0,                                                                                                                \
     0,                                                                                                                \
     (UINT_PTR)(const UINT*)(&nMessageVariable),                                                                       \
     FX_PMSG(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},

#define ON_WM_CREATE() FX_WM_HANDLER(WM_CREATE, AfxSig_i_create, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() FX_WM_HANDLER(WM_NCCREATE, AfxSig_b_create, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() FX_WM_HANDLER(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() FX_WM_HANDLER(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_SIZE() FX_WM_HANDLER(WM_SIZE, AfxSig_v_size, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING() FX_WM_HANDLER(WM_SIZING, AfxSig_v_sizing, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVE() FX_WM_HANDLER(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_PAINT() FX_WM_HANDLER(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() FX_WM_HANDLER(WM_NCPAINT, AfxSig_v_v, void (CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() FX_WM_HANDLER(WM_ERASEBKGND, AfxSig_b_dc, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER() FX_WM_HANDLER(WM_TIMER, AfxSig_v_timer, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_CLOSE() FX_WM_HANDLER(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_SETFOCUS() FX_WM_HANDLER(WM_SETFOCUS, AfxSig_v_wnd_w, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() FX_WM_HANDLER(WM_KILLFOCUS, AfxSig_v_wnd_w, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() FX_WM_HANDLER(WM_CAPTURECHANGED, AfxSig_v_wnd_l, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE() FX_WM_HANDLER(WM_CANCELMODE, AfxSig_v_v, void (CWnd::*)(), OnCancelMode)
#define ON_WM_ENABLE() FX_WM_HANDLER(WM_ENABLE, AfxSig_v_b, void (CWnd::*)(BOOL), OnEnable)

#define ON_WM_KEYDOWN() FX_WM_HANDLER(WM_KEYDOWN, AfxSig_v_key, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() FX_WM_HANDLER(WM_KEYUP, AfxSig_v_key, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() FX_WM_HANDLER(WM_CHAR, AfxSig_v_key, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() FX_WM_HANDLER(WM_SYSKEYDOWN, AfxSig_v_key, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() FX_WM_HANDLER(WM_SYSKEYUP, AfxSig_v_key, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() FX_WM_HANDLER(WM_SYSCHAR, AfxSig_v_key, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)

#define ON_WM_MOUSEMOVE() FX_WM_HANDLER(WM_MOUSEMOVE, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() FX_WM_HANDLER(WM_LBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() FX_WM_HANDLER(WM_LBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                                          \
    FX_WM_HANDLER(WM_LBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FX_WM_HANDLER(WM_RBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() FX_WM_HANDLER(WM_RBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()                                                                                          \
    FX_WM_HANDLER(WM_RBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() FX_WM_HANDLER(WM_MBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() FX_WM_HANDLER(WM_MBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK()                                                                                          \
    FX_WM_HANDLER(WM_MBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() FX_WM_HANDLER(WM_MOUSEHOVER, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMouseHover)
#define ON_WM_MOUSELEAVE() FX_WM_HANDLER(WM_MOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    FX_WM_HANDLER(WM_MOUSEWHEEL, AfxSig_b_wheel, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSEACTIVATE()                                                                                          \
    FX_WM_HANDLER(WM_MOUSEACTIVATE, AfxSig_i_wnd_hit_msg, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETCURSOR()                                                                                              \
    FX_WM_HANDLER(WM_SETCURSOR, AfxSig_i_wnd_hit_msg, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)

#define ON_WM_NCHITTEST() FX_WM_HANDLER(WM_NCHITTEST, AfxSig_l_pt, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE()                                                                                             \
    FX_WM_HANDLER(WM_NCCALCSIZE, AfxSig_v_nccalcsize, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCACTIVATE() FX_WM_HANDLER(WM_NCACTIVATE, AfxSig_b_b, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_NCMOUSEMOVE() FX_WM_HANDLER(WM_NCMOUSEMOVE, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCMOUSELEAVE() FX_WM_HANDLER(WM_NCMOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), OnNcMouseLeave)
#define ON_WM_NCLBUTTONDOWN()                                                                                          \
    FX_WM_HANDLER(WM_NCLBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() FX_WM_HANDLER(WM_NCLBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK()                                                                                        \
    FX_WM_HANDLER(WM_NCLBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()                                                                                          \
    FX_WM_HANDLER(WM_NCRBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() FX_WM_HANDLER(WM_NCRBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN()                                                                                          \
    FX_WM_HANDLER(WM_NCMBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnNcMButtonDown)

#define ON_WM_ACTIVATE() FX_WM_HANDLER(WM_ACTIVATE, AfxSig_v_activate, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()                                                                                            \
    FX_WM_HANDLER(WM_ACTIVATEAPP, AfxSig_v_activateapp, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_SHOWWINDOW() FX_WM_HANDLER(WM_SHOWWINDOW, AfxSig_v_showwindow, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_WINDOWPOSCHANGING()                                                                                      \
    FX_WM_HANDLER(WM_WINDOWPOSCHANGING, AfxSig_v_windowpos, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()                                                                                       \
    FX_WM_HANDLER(WM_WINDOWPOSCHANGED, AfxSig_v_windowpos, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO()                                                                                          \
    FX_WM_HANDLER(WM_GETMINMAXINFO, AfxSig_v_minmax, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_STYLECHANGING()                                                                                          \
    FX_WM_HANDLER(WM_STYLECHANGING, AfxSig_v_style, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_STYLECHANGED()                                                                                           \
    FX_WM_HANDLER(WM_STYLECHANGED, AfxSig_v_style, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)

#define ON_WM_HSCROLL() FX_WM_HANDLER(WM_HSCROLL, AfxSig_v_scroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() FX_WM_HANDLER(WM_VSCROLL, AfxSig_v_scroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CTLCOLOR()                                                                                               \
    FX_WM_HANDLER(WM_CTLCOLOR, AfxSig_hbr_ctlcolor, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM()                                                                                               \
    FX_WM_HANDLER(WM_DRAWITEM, AfxSig_v_drawitem, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                                            \
    FX_WM_HANDLER(WM_MEASUREITEM, AfxSig_v_measureitem, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM()                                                                                            \
    FX_WM_HANDLER(WM_COMPAREITEM, AfxSig_i_compareitem, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM()                                                                                             \
    FX_WM_HANDLER(WM_DELETEITEM, AfxSig_v_deleteitem, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_CONTEXTMENU()                                                                                            \
    FX_WM_HANDLER(WM_CONTEXTMENU, AfxSig_v_contextmenu, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_SETTINGCHANGE()                                                                                          \
    FX_WM_HANDLER(WM_SETTINGCHANGE, AfxSig_v_settingchange, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() FX_WM_HANDLER(WM_SYSCOLORCHANGE, AfxSig_v_v, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_SYSCOMMAND() FX_WM_HANDLER(WM_SYSCOMMAND, AfxSig_v_syscommand, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_INITMENUPOPUP()                                                                                          \
    FX_WM_HANDLER(WM_INITMENUPOPUP, AfxSig_v_initmenupopup, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT()                                                                                             \
    FX_WM_HANDLER(WM_MENUSELECT, AfxSig_v_menuselect, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERIDLE() FX_WM_HANDLER(WM_ENTERIDLE, AfxSig_v_enteridle, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_GETDLGCODE() FX_WM_HANDLER(WM_GETDLGCODE, AfxSig_u_v, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_PARENTNOTIFY()                                                                                           \
    FX_WM_HANDLER(WM_PARENTNOTIFY, AfxSig_v_parentnotify, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_QUERYDRAGICON() FX_WM_HANDLER(WM_QUERYDRAGICON, AfxSig_h_v, HCURSOR (CWnd::*)(), OnQueryDragIcon)

// Messages reflected from the parent to the control's own object.
#define ON_WM_CTLCOLOR_REFLECT()                                                                                       \
    FX_WM_HANDLER(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_hbr_ctlcolor_reflect, HBRUSH(CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT()                                                                                       \
    FX_WM_HANDLER(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_v_drawitem_reflect, void(CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                                    \
    FX_WM_HANDLER(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_v_measureitem_reflect, void(CWnd::*)(LPMEASUREITEMSTRUCT),  \
                  MeasureItem)
#define ON_WM_HSCROLL_REFLECT()                                                                                        \
    FX_WM_HANDLER(WM_REFLECT_BASE + WM_HSCROLL, AfxSig_v_scroll_reflect, void(CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT()                                                                                        \
    FX_WM_HANDLER(WM_REFLECT_BASE + WM_VSCROLL, AfxSig_v_scroll_reflect, void(CWnd::*)(UINT, UINT), VScroll)

// ---------------------------------------------------------------------------------------

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd); // a wrapper that refers to hWnd without owning it
    ~CWnd() override;

    HWND m_hWnd;
    HWND m_hWndOwner;   // owner for command routing when not the parent (SetOwner)
    UINT m_nFlags;      // WF_ flags
    WNDPROC m_pfnSuper; // the procedure that was replaced by subclassing

    // Insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    HWND GetSafeHwnd() const;
    operator HWND() const { return GetSafeHwnd(); }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // Handle maps of the calling thread.
    static CWnd* FromHandle(HWND hWnd);          // permanent object, else a temporary one
    static CWnd* FromHandlePermanent(HWND hWnd); // null when the window has no object
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew); // FALSE when the handle has an object already
    HWND Detach();

    // Subclassing an existing window: its messages go through this object from now on.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow();

    // Creation. A failed creation of an object that deletes itself in PostNcDestroy leaves
    // the object deleted.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual WNDPROC* GetSuperWndProcAddr();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL IsFrameWnd() const;
    // The tool under a client point for tool tips: its id (-1 for none); pTI is filled with
    // the tool (a child control, its text asked for when the tip shows).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Marks the window as one whose tools show tips (WF_TOOLTIPS); answers the previous mark.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The command-UI pass over the child controls: each child with an id is updated through
    // pTarget's routing (its own reflected handler first). Without a handler, bDisableIfNoHndler
    // disables push buttons whose command has no handler; other controls keep their state.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    LRESULT Default(); // the current message of this thread, to DefWindowProc

    // Reflection of child notifications to the child's object.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

    // PreTranslateMessage of every window from pMsg->hwnd up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // Dialog keyboard handling for key and mouse messages of this window and its children.
    BOOL PreTranslateInput(LPMSG lpMsg);

    // Modal loops (dialogs, tracking windows).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                         BOOL bOnlyPerm);
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;

    // Layout of bars: WM_SIZEPARENT to the children whose ids lie in nIDFirst..nIDLast; the
    // child nIDLeftOver gets what remains.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // Relatives.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetLastActivePopup() const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    static CWnd* GetCapture();
    static CWnd* GetForegroundWindow();
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
    static CWnd* FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCTSTR lpszClass, LPCTSTR lpszWindow);
    CWnd* SetFocus();
    CWnd* SetActiveWindow();
    CWnd* SetCapture();
    BOOL SetForegroundWindow();

    // Dialog items.
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Text.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    HFONT GetFontHandle() const;
    // The window's font: the CFont that owns it, else a temporary wrapper; null for the system font.
    CFont* GetFont() const;

    // Styles.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Size and position.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;

    // State.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsWindow() const;

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // Messages and timers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Menus, icons, scroll bars.
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL FlashWindow(BOOL bInvert);
    DWORD GetWindowContextHelpId() const;

    // Message handlers with the default behaviour (Default(), or reflection to the child).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseLeave();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();

protected:
    // The entry of this object's message map (or its bases) for a window message.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;
    // Runs a window-message entry; FALSE when its signature is not a window message's.
    BOOL DispatchMessageEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* pResult);
    // The detaching and clean-up of WM_NCDESTROY (also when a handler skipped OnNcDestroy).
    void FinishNcDestroy();
    friend LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    int m_nModalResult;

    DECLARE_MESSAGE_MAP()
};

// The framework's window procedure and its per-message core.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
WNDPROC AfxGetAfxWndProc();

// Attaches pWnd to the next window that the calling thread creates.
void AfxHookWindowCreate(CWnd* pWnd);
// FALSE when the hook never ran (the window was not created).
BOOL AfxUnhookWindowCreate();

// Moves a child to a rectangle of its parent, deferred when a layout pass is running.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
// Sets a window's text only when it differs (no flicker).
void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);
