// The numbers the command bars, their controls, their site and the reader agree on: control
// types, hide bits and the masks that read them, control flags, and the records and codes of
// the messages a bar sends to its site.
#pragma once

#include <windows.h>

#include "platform/framework/ControlBar.h"

class CQorControl;
class CQorCommandBar;
class CMenu;

// An object of a run-time class as a T; null, with nothing left behind, when the class cannot
// make objects or makes something else.
template <class T> T* QorCreateObjectAs(CRuntimeClass* pClass)
{
    CObject* pObject = pClass ? pClass->CreateObject() : nullptr;
    T* pResult = dynamic_cast<T*>(pObject);
    if (!pResult)
        delete pObject;
    return pResult;
}

// An OLE drop effect: DROPEFFECT_NONE, _COPY, _MOVE, or 5 for a cancelled drag.
typedef DWORD DROPEFFECT;

// Control types, stored in a control's type and given to the collection's factory.
enum QorControlType {
    qorControlError = 0,
    qorControlButton = 1,
    qorControlPopup = 2,
    qorControlButtonPopup = 3,
    qorControlSplitButtonPopup = 4,
    qorControlComboBox = 5,
    qorControlEdit = 6,
    qorControlCustom = 7,
    qorControlLabel = 8,
    qorControlCheckBox = 9,
    qorControlGallery = 10,
    qorControlRadioButton = 11,
};

// Button styles: what a button shows.
enum QorButtonStyle {
    qorButtonAutomatic = 0,
    qorButtonCaption = 1,
    qorButtonIcon = 2,
    qorButtonIconAndCaption = 3,
    qorButtonIconAndCaptionBelow = 4,
};

// Hide bits: each set bit is one reason a control is not shown.
enum QorHideFlag {
    qorNoHide = 0,
    qorHideGeneric = 0x01,         // hidden by its owner
    qorHideWrap = 0x02,            // no room in the bar (written only by the layout)
    qorHideDockingPosition = 0x04, // hidden while the bar stands vertically
    qorHideScroll = 0x08,          // scrolled out of a popup
    qorHideCustomize = 0x10,       // hidden by the user
    qorHideExpand = 0x20,          // rarely used, shown when the popup expands
    qorHideDocTemplate = 0x40,     // belongs to another document template
    qorHideRibbonTab = 0x80,       // belongs to another tab category
};

// The hide bits each reader of the controls ignores (IsVisible's mask).
enum QorHideMask {
    qorHideMaskHitTest = 0,
    qorHideMaskLayout = qorHideWrap,
    qorHideMaskKeyboardPopup = qorHideScroll,
    qorHideMaskKeyboard = qorHideScroll | qorHideExpand,
    qorHideMaskCommandUI = qorHideGeneric | qorHideScroll | qorHideExpand,
    qorHideMaskCustomizeList = qorHideGeneric | qorHideDocTemplate | qorHideRibbonTab, // skipped by the list
};

// Control flags.
enum QorControlFlag {
    qorFlagRightAlign = 0x1,        // placed at the far end of its row
    qorFlagSkipFocus = 0x2,         // skipped by keyboard navigation
    qorFlagLeftPopup = 0x4,         // opens its popup to the left
    qorFlagNoCommandUI = 0x8,       // not updated through command UI
    qorFlagNoMovable = 0x10,        // neither moved nor resized in customize mode
    qorFlagControlStretched = 0x20, // shares the row's spare length
    qorFlagWrapRow = 0x80,          // starts a new row
    qorFlagActiveFrame = 0x200,
};

// Bar types and positions.
enum QorBarType { qorBarTypeNormal = 0, qorBarTypeMenuBar = 0, qorBarTypeToolBar = 1, qorBarTypePopup = 2 };
enum QorBarPosition {
    qorBarTop = 0,
    qorBarBottom = 1,
    qorBarLeft = 2,
    qorBarRight = 3,
    qorBarFloating = 4,
    qorBarPopup = 5,
    qorBarListBox = 6,
    qorBarNone = 7,
};

// Layout modes of CalcDynamicSize: the framework's LM_ bits (ControlBar.h) and these two.
enum QorLayoutMode {
    LM_HIDEWRAP = 0x80, // what does not fit in its row is hidden, not wrapped
    LM_POPUP = 0x100,   // tool-bar-like popup: a group always begins a new row, rows as long as the
                        // remembered width (none: the squarest block)
};

// Messages a bar or its collection sends to the site window.
enum QorCommandBarMessage : UINT {
    QORWM_CONTROLRBUTTONUP_PRESSED = 0x2856,
    QORWM_CUSTOMIZE_SELECTION = 0x2857,
    QORWM_MENUBAR_TRACKING = 0x2858,
    QORWM_CONTROLRBUTTONUP = 0x2859,
    QORWM_SPECIALKEY = 0x285A,
    QORWM_INITMENUPOPUP = 0x285B,
    QORWM_TOOLBARCONTEXTMENU = 0x285C,
    QORWM_UNINITMENUPOPUP = 0x285D,
    QORWM_CONTROLCREATEREQUEST = 0x285E,
    QORWM_AFTERCONTROLCREATE = 0x285F,
    QORWM_GETMDICHILDICON = 0x2860,
    QORWM_POPUPBARCREATEREQUEST = 0x2861,
    QORWM_CONTROLNOTIFY = 0x2862,
    QORWM_MENUBARRESET = 0x2864,
};

// Codes of the control notification (0x2862).
enum QorControlNotifyCode {
    qorNotifyExecute = 100,
};

// Codes an action passes to its controls when one of its values changes.
enum QorActionProperty {
    qorActionEnabled = 0,
    qorActionChecked = 1,
    qorActionVisible = 2,
    qorActionCaption = 3,
    qorActionHint = 4,
};

// 0x2862: wParam the id, lParam this record.
struct QOR_CONTROL_NOTIFY
{
    HWND hWndFrom; // always 0
    UINT_PTR nId;
    UINT nCode;
    CQorControl* pControl;
};

// 0x285E (and 0x285F with the control made): the site may supply the control, or change the
// id, type or style it is made with.
struct QOR_CONTROL_CREATE_REQUEST
{
    int nId;
    CQorControl* pControl; // in/out
    BOOL bToolBar;         // made from a tool-bar resource
    int nIndex;            // menu item position or button index
    CMenu* pMenu;          // null from a tool bar
    CQorCommandBar* pCommandBar;
    LPCWSTR lpszCaption;
    int nType;
    int nStyle;
};

// 0x2861: the site may supply the popup bar, or adjust a new tool bar announced in pCommandBar.
struct QOR_POPUPBAR_CREATE_REQUEST
{
    CQorCommandBar* pCommandBar; // in/out
    BOOL bPopup;                 // 1 a popup is asked for, 0 a tool bar is announced
    BOOL bExpandBar;             // the expand popup of a tool bar
    BOOL bReserved;              // 0
    BOOL bFloating;
    LPCWSTR lpszCaption;
    UINT nId;
};

// 0x285A: wParam points at this record, lParam is the bar; the site sees each key first.
struct QOR_KEY_RECORD
{
    UINT nChar;    // the virtual key
    LPARAM lParam; // the key data of WM_KEYDOWN
};
