// CCmdTarget: the base of everything that receives commands. It carries a reference
// count (InternalAddRef/InternalRelease, OnFinalRelease), the message map through which
// commands, command-state updates and notifications are routed (OnCmdMsg), and an
// interface map that lets a command target answer QueryInterface for nested COM parts.
//
// A message map is a static table of entries chained to the base class's table. Each
// entry names a message (or WM_COMMAND / WM_NOTIFY for commands and notifications), a
// notification code, an id range, a signature kind and a member-function pointer; the
// dispatcher turns the message parameters into the handler's arguments by signature kind.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <cstddef>
#include "platform/framework/Object.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CDC;
class CScrollBar;
class CString;

// ---------------------------------------------------------------------------------------
// Command routing codes

// nCode of OnCmdMsg: execute a command, or update its user-interface state.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)

// Reflected messages are dispatched to the child's own map as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

// Marker messages for entries whose message number is registered at run time.
#define FX_REGISTERED_MESSAGE 0xC000u
#define FX_REGISTERED_THREAD_MESSAGE 0xC001u

typedef void (CCmdTarget::*AFX_PMSG)();

// Signature kinds: how a handler's arguments are made from the message.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    // commands and notifications
    AfxSig_cmd_v,            // void ()
    AfxSig_cmd_b,            // BOOL (UINT id)                 ON_COMMAND_EX(_RANGE)
    AfxSig_cmd_w,            // void (UINT id)                 ON_COMMAND_RANGE, ON_CONTROL_RANGE
    AfxSig_cmd_ui,           // void (CCmdUI*)                 ON_UPDATE_COMMAND_UI(_RANGE)
    AfxSig_ctl_b,            // BOOL ()                        ON_CONTROL_REFLECT_EX
    AfxSig_notify_v,         // void (NMHDR*, LRESULT*)        ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSig_notify_w,         // void (UINT, NMHDR*, LRESULT*)  ON_NOTIFY_RANGE
    AfxSig_notify_b,         // BOOL (UINT, NMHDR*, LRESULT*)  ON_NOTIFY_EX(_RANGE)
    AfxSig_notify_reflect_b, // BOOL (NMHDR*, LRESULT*)        ON_NOTIFY_REFLECT_EX
    // window and thread messages
    AfxSig_l_wl,            // LRESULT (WPARAM, LPARAM)       ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_v_wl,            // void (WPARAM, LPARAM)          ON_THREAD_MESSAGE
    AfxSig_v_v,             // void ()
    AfxSig_i_create,        // int (LPCREATESTRUCT)
    AfxSig_b_create,        // BOOL (LPCREATESTRUCT)          WM_NCCREATE
    AfxSig_v_size,          // void (UINT, int, int)          WM_SIZE
    AfxSig_v_ii,            // void (int, int)                WM_MOVE
    AfxSig_b_dc,            // BOOL (CDC*)                    WM_ERASEBKGND
    AfxSig_v_timer,         // void (UINT_PTR)                WM_TIMER
    AfxSig_v_wnd_w,         // void (CWnd*) from wParam       WM_SETFOCUS, WM_KILLFOCUS
    AfxSig_v_wnd_l,         // void (CWnd*) from lParam       WM_CAPTURECHANGED
    AfxSig_v_key,           // void (UINT, UINT, UINT)        key and character messages
    AfxSig_v_u_pt,          // void (UINT, CPoint)            mouse and non-client mouse messages
    AfxSig_b_wheel,         // BOOL (UINT, short, CPoint)     WM_MOUSEWHEEL
    AfxSig_i_wnd_hit_msg,   // int (CWnd*, UINT, UINT)        WM_MOUSEACTIVATE, WM_SETCURSOR
    AfxSig_l_pt,            // LRESULT (CPoint)               WM_NCHITTEST
    AfxSig_v_nccalcsize,    // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_b_b,             // BOOL (BOOL)                    WM_NCACTIVATE
    AfxSig_v_b,             // void (BOOL)                    WM_ENABLE
    AfxSig_v_activate,      // void (UINT, CWnd*, BOOL)       WM_ACTIVATE
    AfxSig_v_activateapp,   // void (BOOL, DWORD)             WM_ACTIVATEAPP
    AfxSig_v_showwindow,    // void (BOOL, UINT)              WM_SHOWWINDOW
    AfxSig_v_windowpos,     // void (WINDOWPOS*)              WM_WINDOWPOSCHANGING/CHANGED
    AfxSig_v_minmax,        // void (MINMAXINFO*)             WM_GETMINMAXINFO
    AfxSig_v_scroll,        // void (UINT, UINT, CScrollBar*) WM_HSCROLL, WM_VSCROLL
    AfxSig_hbr_ctlcolor,    // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLORxxx
    AfxSig_v_drawitem,      // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_measureitem,   // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_i_compareitem,   // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_v_deleteitem,    // void (int, LPDELETEITEMSTRUCT)
    AfxSig_v_contextmenu,   // void (CWnd*, CPoint)
    AfxSig_v_settingchange, // void (UINT, LPCTSTR)
    AfxSig_v_syscommand,    // void (UINT, LPARAM)
    AfxSig_v_initmenupopup, // void (CMenu*, UINT, BOOL)
    AfxSig_v_menuselect,    // void (UINT, UINT, HMENU)
    AfxSig_u_v,             // UINT ()                        WM_GETDLGCODE
    AfxSig_v_sizing,        // void (UINT, LPRECT)            WM_SIZING
    AfxSig_v_style,         // void (int, LPSTYLESTRUCT)      WM_STYLECHANGING/CHANGED
    AfxSig_v_enteridle,     // void (UINT, CWnd*)             WM_ENTERIDLE
    AfxSig_v_parentnotify,  // void (UINT, LPARAM)            WM_PARENTNOTIFY
    AfxSig_h_v,             // HCURSOR ()                     WM_QUERYDRAGICON
    // reflected to the child
    AfxSig_hbr_ctlcolor_reflect,  // HBRUSH (CDC*, UINT)
    AfxSig_v_drawitem_reflect,    // void (LPDRAWITEMSTRUCT)
    AfxSig_v_measureitem_reflect, // void (LPMEASUREITEMSTRUCT)
    AfxSig_v_scroll_reflect,      // void (UINT, UINT)
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // window message; WM_COMMAND / WM_NOTIFY for commands and notifications
    UINT nCode;    // control notification code, CN_UPDATE_COMMAND_UI, or 0
    UINT nID;      // first control id (0 for window messages)
    UINT nLastID;  // last control id of a range
    UINT_PTR nSig; // an AfxSig; for registered messages the address of the message number
    AFX_PMSG pfn;  // the handler
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled instead of running a handler when OnCmdMsg only asks whether one exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of OnCmdMsg for WM_NOTIFY routing.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Finds the entry of one map (not its bases) for a message, code and id; null when none.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

// Casts a typed handler to the entry's stored type (checked by the static_cast in the macros).
#define FX_PMSG(type, memberFxn) (reinterpret_cast<AFX_PMSG>(static_cast<type>(memberFxn)))

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef baseClass TheBaseClass;                                                                                \
        (void)sizeof(ThisClass);                                                                                       \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                                                     \
    template <typename type_name> const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const                         \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    template <typename type_name> const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap()                           \
    {                                                                                                                  \
        typedef theClass<type_name> ThisClass;                                                                         \
        typedef baseClass TheBaseClass;                                                                                \
        (void)sizeof(ThisClass);                                                                                       \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, AfxSig_end, nullptr                                                                                \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// Commands (menu items, accelerators, buttons) and their state updates.
#define ON_COMMAND(id, memberFxn)                                                                                      \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd_v, FX_PMSG(void(CCmdTarget::*)(), memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)                                                                                   \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd_b, FX_PMSG(BOOL(CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                                        \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmd_w, FX_PMSG(void(CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                                     \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmd_b, FX_PMSG(BOOL(CCmdTarget::*)(UINT), memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                            \
    {WM_COMMAND,    (UINT)CN_UPDATE_COMMAND_UI,                                                                        \
     (UINT)(id),    (UINT)(id),                                                                                        \
     AfxSig_cmd_ui, FX_PMSG(void(CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND,    (UINT)CN_UPDATE_COMMAND_UI,                                                                        \
     (UINT)(id),    (UINT)(idLast),                                                                                    \
     AfxSig_cmd_ui, FX_PMSG(void(CCmdTarget::*)(CCmdUI*), memberFxn)},

// Control notifications that arrive as WM_COMMAND with a notification code.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    {WM_COMMAND,   (UINT)(WORD)(wNotifyCode),                                                                          \
     (UINT)(id),   (UINT)(id),                                                                                         \
     AfxSig_cmd_v, FX_PMSG(void(CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                           \
    {WM_COMMAND,   (UINT)(WORD)(wNotifyCode),                                                                          \
     (UINT)(id),   (UINT)(idLast),                                                                                     \
     AfxSig_cmd_w, FX_PMSG(void(CCmdTarget::*)(UINT), memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// WM_NOTIFY from common controls. Codes are compared in their low 16 bits.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    {WM_NOTIFY,  (UINT)(WORD)(wNotifyCode), (UINT)(id),                                                                \
     (UINT)(id), AfxSig_notify_v,           FX_PMSG(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                            \
    {WM_NOTIFY,      (UINT)(WORD)(wNotifyCode), (UINT)(id),                                                            \
     (UINT)(idLast), AfxSig_notify_w,           FX_PMSG(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                                       \
    {WM_NOTIFY,  (UINT)(WORD)(wNotifyCode), (UINT)(id),                                                                \
     (UINT)(id), AfxSig_notify_b,           FX_PMSG(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                                         \
    {WM_NOTIFY,      (UINT)(WORD)(wNotifyCode), (UINT)(id),                                                            \
     (UINT)(idLast), AfxSig_notify_b,           FX_PMSG(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

// Notifications reflected back from the parent to the control's own object.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                                     \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                                     \
     (UINT)(WORD)(wNotifyCode),                                                                                        \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSig_cmd_v,                                                                                                     \
     FX_PMSG(void(CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                                  \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                                     \
     (UINT)(WORD)(wNotifyCode),                                                                                        \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSig_ctl_b,                                                                                                     \
     FX_PMSG(BOOL(CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                                      \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                                      \
     (UINT)(WORD)(wNotifyCode),                                                                                        \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSig_notify_v,                                                                                                  \
     FX_PMSG(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                                   \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                                      \
     (UINT)(WORD)(wNotifyCode),                                                                                        \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSig_notify_reflect_b,                                                                                          \
     FX_PMSG(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

// Thread messages (posted with no window), handled by CWinThread-derived classes.
#define ON_THREAD_MESSAGE(message, memberFxn)                                                                          \
    {(UINT)(message), 0, 0, 0, AfxSig_v_wl, FX_PMSG(void(CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                                                      \
    {FX_REGISTERED_THREAD_MESSAGE,                                                                                     \
     0,                                                                                                                \
     0,                                                                                                                \
     0,                                                                                                                \
     (UINT_PTR)(const UINT*)(&nMessageVariable),                                                                       \
     FX_PMSG(void(CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},

// ---------------------------------------------------------------------------------------
// CCmdUI: the state of one user-interface item (menu item, button, pane) while its
// command's update handler runs.

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // The handler did not decide; the command goes on to the next target.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes CN_UPDATE_COMMAND_UI through pTarget. When no handler set the enabled state and
    // bDisableIfNoHndler is set, the item is enabled exactly when a command handler exists.
    // Returns whether an update handler took the item.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;        // index of the item in its menu or bar
    CMenu* m_pMenu;       // the menu that holds the item, or null
    CMenu* m_pSubMenu;    // the item's submenu when it opens one
    CMenu* m_pParentMenu; // the menu that holds m_pMenu as a submenu, or null
    CWnd* m_pOther;       // the window of the item (button, bar), when not a menu item
    UINT m_nIndexMax;     // number of items of the menu being updated

    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};

// ---------------------------------------------------------------------------------------
// Interface maps: nested COM parts of a command target, found by ExternalQueryInterface.

struct AFX_INTERFACEMAP_ENTRY
{
    const IID* piid; // null ends the table
    size_t nOffset;  // offset of the part inside the object
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (*pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// offsetof over classes with virtual functions: well defined here (no virtual bases), but
// GCC warns about it, so the warning is silenced for exactly this expression.
#define FX_PART_OFFSET(theClass, member)                                                                               \
    (__extension__({                                                                                                   \
        _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"") size_t fxOffset_ =     \
            offsetof(theClass, member);                                                                                \
        _Pragma("GCC diagnostic pop") fxOffset_;                                                                       \
    }))

#define DECLARE_INTERFACE_MAP()                                                                                        \
protected:                                                                                                             \
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();                                                              \
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

#define BEGIN_INTERFACE_MAP(theClass, theBase)                                                                         \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const                                                          \
    {                                                                                                                  \
        return GetThisInterfaceMap();                                                                                  \
    }                                                                                                                  \
    const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap()                                                            \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef theBase TheBaseClass;                                                                                  \
        (void)sizeof(ThisClass);                                                                                       \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

#define INTERFACE_PART(theClass, iid, localClass) {&(iid), FX_PART_OFFSET(theClass, m_x##localClass)},

#define END_INTERFACE_MAP()                                                                                            \
    {                                                                                                                  \
        nullptr, 0                                                                                                     \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0]};          \
    return &interfaceMap;                                                                                              \
    }

// A nested part implementing one interface. The part's IUnknown methods are written by the
// class (usually delegating to ExternalAddRef/ExternalRelease/ExternalQueryInterface).
#define BEGIN_INTERFACE_PART(localClass, baseInterface)                                                                \
    class X##localClass : public baseInterface                                                                         \
    {                                                                                                                  \
    public:                                                                                                            \
        STDMETHOD_(ULONG, AddRef)();                                                                                   \
        STDMETHOD_(ULONG, Release)();                                                                                  \
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj);

#define END_INTERFACE_PART(localClass)                                                                                 \
    }                                                                                                                  \
    m_x##localClass;                                                                                                   \
    friend class X##localClass;

// Inside a part's method: pThis is the object that holds the part.
#define METHOD_PROLOGUE(theClass, localClass)                                                                          \
    theClass* pThis =                                                                                                  \
        reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - FX_PART_OFFSET(theClass, m_x##localClass));        \
    (void)pThis;
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
#define METHOD_PROLOGUE_EX_(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)

// ---------------------------------------------------------------------------------------

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Reference counting. A new object has a count of 1; the release that brings it to 0
    // calls OnFinalRelease, which deletes the object.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    virtual void OnFinalRelease();

    // COM identity: the interface of a part of the interface map (IUnknown: the first part).
    LPUNKNOWN GetInterface(const void* iid);
    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    LPUNKNOWN GetControllingUnknown();

    // Routes a command, update or notification through this object's message map.
    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the CCmdUI), a control notification
    // code, or MAKELONG(notification code, WM_NOTIFY) (pExtra is an AFX_NOTIFY). With
    // pHandlerInfo, nothing runs: the handler is reported instead.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Runs a handler of a command entry (used by OnCmdMsg and by code that looked it up).
    static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                               AFX_CMDHANDLERINFO* pHandlerInfo);

    DWORD m_dwRef;
    LPUNKNOWN m_pOuterUnknown; // controlling unknown when aggregated, else null

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;
};
