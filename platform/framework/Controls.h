// Typed wrappers of the standard and common controls. Each is a CWnd whose members send the
// control's messages; Create makes the control with its window class as a child of a parent.
// Pointers to other windows (edit of a tree, header of a list, buddies) are borrowed wrappers.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Wnd.h"

namespace fxdetail {
// Common base of the wrappers: sends the control's messages, from const members too.
class ControlWnd : public CWnd
{
protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
};

// The members that edit and rich edit controls share.
class EditLikeControl : public ControlWnd
{
public:
    BOOL CanUndo() const { return static_cast<BOOL>(Send(EM_CANUNDO)); }
    BOOL Undo() { return static_cast<BOOL>(Send(EM_UNDO)); }
    void EmptyUndoBuffer() { Send(EM_EMPTYUNDOBUFFER); }
    int GetLineCount() const { return static_cast<int>(Send(EM_GETLINECOUNT)); }
    BOOL GetModify() const { return static_cast<BOOL>(Send(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { Send(EM_SETMODIFY, modified); }
    void GetRect(LPRECT rect) const { Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void SetRect(LPCRECT rect) { Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE)
    {
        Send(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    int LineIndex(int line = -1) const { return static_cast<int>(Send(EM_LINEINDEX, line)); }
    int LineLength(int charIndex = -1) const { return static_cast<int>(Send(EM_LINELENGTH, charIndex)); }
    void LineScroll(int lines, int chars = 0) { Send(EM_LINESCROLL, chars, lines); }
    // Copies a line without its terminator; returns the characters copied (no null is added).
    int GetLine(int line, LPTSTR buffer, int maxLength) const;
    int GetFirstVisibleLine() const { return static_cast<int>(Send(EM_GETFIRSTVISIBLELINE)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(Send(EM_SETREADONLY, readOnly)); }
    void Clear() { Send(WM_CLEAR); }
    void Copy() { Send(WM_COPY); }
    void Cut() { Send(WM_CUT); }
    void Paste() { Send(WM_PASTE); }
};
} // namespace fxdetail

class CButton : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    virtual BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    UINT GetState() const { return static_cast<UINT>(Send(BM_GETSTATE)); }
    void SetState(BOOL highlight) { Send(BM_SETSTATE, highlight); }
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int check) { Send(BM_SETCHECK, check); }
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { Send(BM_SETSTYLE, style, redraw); }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(Send(BM_GETIMAGE, IMAGE_ICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(Send(BM_GETIMAGE, IMAGE_BITMAP)); }
    void Click() { Send(BM_CLICK); }

    // Owner-drawn buttons (BS_OWNERDRAW) draw here.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    // Owner-drawn items reach the virtual members above through the parent's reflection.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public fxdetail::EditLikeControl
{
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRectNP(LPCRECT rect) { Send(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(rect)); }
    // Selection as start in the low word and end in the high word.
    DWORD GetSel() const { return static_cast<DWORD>(Send(EM_GETSEL)); }
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE) { SetSel(LOWORD(selection), HIWORD(selection), noScroll); }
    void LimitText(int maxChars = 0) { Send(EM_LIMITTEXT, maxChars); }
    void SetLimitText(UINT maxChars) { Send(EM_SETLIMITTEXT, maxChars); }
    UINT GetLimitText() const { return static_cast<UINT>(Send(EM_GETLIMITTEXT)); }
    int LineFromChar(int index = -1) const { return static_cast<int>(Send(EM_LINEFROMCHAR, index)); }
    using EditLikeControl::GetLine;
    // The caller has put the buffer's size into the buffer's first word.
    int GetLine(int line, LPTSTR buffer) const;
    CString GetLineText(int line) const;
    void SetPasswordChar(TCHAR ch) { Send(EM_SETPASSWORDCHAR, ch); }
    TCHAR GetPasswordChar() const { return static_cast<TCHAR>(Send(EM_GETPASSWORDCHAR)); }
    void SetMargins(UINT left, UINT right)
    {
        Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
    }
    DWORD GetMargins() const { return static_cast<DWORD>(Send(EM_GETMARGINS)); }
    BOOL SetTabStops(int count, const INT* tabStops)
    {
        return static_cast<BOOL>(Send(EM_SETTABSTOPS, count, reinterpret_cast<LPARAM>(tabStops)));
    }
    // Character index in the low word and line in the high word.
    int CharFromPos(CPoint pt) const { return static_cast<int>(Send(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y))); }
    CPoint PosFromChar(UINT index) const { return CPoint(static_cast<LPARAM>(Send(EM_POSFROMCHAR, index))); }
    BOOL SetCueBanner(LPCWSTR text, BOOL showWhenFocused = FALSE);
};

class CStatic : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    virtual BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(Send(STM_GETICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(Send(STM_GETIMAGE, IMAGE_BITMAP)); }
    HENHMETAFILE SetEnhMetaFile(HENHMETAFILE metaFile)
    {
        return reinterpret_cast<HENHMETAFILE>(
            Send(STM_SETIMAGE, IMAGE_ENHMETAFILE, reinterpret_cast<LPARAM>(metaFile)));
    }
    HENHMETAFILE GetEnhMetaFile() const
    {
        return reinterpret_cast<HENHMETAFILE>(Send(STM_GETIMAGE, IMAGE_ENHMETAFILE));
    }
    HCURSOR SetCursor(HCURSOR cursor)
    {
        return reinterpret_cast<HCURSOR>(Send(STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(cursor)));
    }
    HCURSOR GetCursor() const { return reinterpret_cast<HCURSOR>(Send(STM_GETIMAGE, IMAGE_CURSOR)); }

    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    // Owner-drawn items reach the virtual members above through the parent's reflection.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

namespace fxdetail {

// The item messages that list boxes and combo boxes both have, each under its own numbers.
struct ListBoxItemMessages
{
    static constexpr UINT kGetCount = LB_GETCOUNT, kGetCurSel = LB_GETCURSEL, kSetCurSel = LB_SETCURSEL,
                          kGetText = LB_GETTEXT, kGetTextLen = LB_GETTEXTLEN, kAddString = LB_ADDSTRING,
                          kInsertString = LB_INSERTSTRING, kDeleteString = LB_DELETESTRING,
                          kResetContent = LB_RESETCONTENT, kFindString = LB_FINDSTRING,
                          kFindStringExact = LB_FINDSTRINGEXACT, kSelectString = LB_SELECTSTRING,
                          kGetItemData = LB_GETITEMDATA, kSetItemData = LB_SETITEMDATA, kGetTopIndex = LB_GETTOPINDEX,
                          kSetTopIndex = LB_SETTOPINDEX;
    static constexpr int kError = LB_ERR;
};
struct ComboBoxItemMessages
{
    static constexpr UINT kGetCount = CB_GETCOUNT, kGetCurSel = CB_GETCURSEL, kSetCurSel = CB_SETCURSEL,
                          kGetText = CB_GETLBTEXT, kGetTextLen = CB_GETLBTEXTLEN, kAddString = CB_ADDSTRING,
                          kInsertString = CB_INSERTSTRING, kDeleteString = CB_DELETESTRING,
                          kResetContent = CB_RESETCONTENT, kFindString = CB_FINDSTRING,
                          kFindStringExact = CB_FINDSTRINGEXACT, kSelectString = CB_SELECTSTRING,
                          kGetItemData = CB_GETITEMDATA, kSetItemData = CB_SETITEMDATA, kGetTopIndex = CB_GETTOPINDEX,
                          kSetTopIndex = CB_SETTOPINDEX;
    static constexpr int kError = CB_ERR;
};

// What list boxes and combo boxes share: the items (strings, or the data of owner-drawn
// items without strings), the selection, and the owner-drawn item members.
template <class Messages> class ItemListControl : public ControlWnd
{
public:
    int GetCount() const { return static_cast<int>(Send(Messages::kGetCount)); }
    int GetCurSel() const { return static_cast<int>(Send(Messages::kGetCurSel)); }
    int SetCurSel(int index) { return static_cast<int>(Send(Messages::kSetCurSel, index)); }
    int AddString(LPCTSTR text)
    {
        return static_cast<int>(Send(Messages::kAddString, 0, reinterpret_cast<LPARAM>(text)));
    }
    int InsertString(int index, LPCTSTR text)
    {
        return static_cast<int>(Send(Messages::kInsertString, index, reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) { return static_cast<int>(Send(Messages::kDeleteString, index)); }
    void ResetContent() { Send(Messages::kResetContent); }
    // Searches start after `startAfter` (-1: from the top) and wrap around.
    int FindString(int startAfter, LPCTSTR text) const
    {
        return static_cast<int>(Send(Messages::kFindString, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int FindStringExact(int startAfter, LPCTSTR text) const
    {
        return static_cast<int>(Send(Messages::kFindStringExact, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int startAfter, LPCTSTR text)
    {
        return static_cast<int>(Send(Messages::kSelectString, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(Send(Messages::kGetItemData, index)); }
    int SetItemData(int index, DWORD_PTR data)
    {
        return static_cast<int>(Send(Messages::kSetItemData, index, static_cast<LPARAM>(data)));
    }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(Send(Messages::kGetItemData, index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int GetTopIndex() const { return static_cast<int>(Send(Messages::kGetTopIndex)); }
    int SetTopIndex(int index) { return static_cast<int>(Send(Messages::kSetTopIndex, index)); }

    // Owner-drawn items.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) {}

protected:
    // The text of an item into a buffer of the right size; empty when there is no such item.
    void ReadItemText(int index, CString& text) const
    {
        int length = static_cast<int>(Send(Messages::kGetTextLen, index));
        if (length == Messages::kError) {
            text.Empty();
            return;
        }
        int copied =
            static_cast<int>(Send(Messages::kGetText, index, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1))));
        text.ReleaseBuffer(copied == Messages::kError ? 0 : copied);
    }

    // Owner-drawn items reach the virtual members above through the parent's reflection.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Both kinds are made once, with the control wrappers.
extern template class ItemListControl<ListBoxItemMessages>;
extern template class ItemListControl<ComboBoxItemMessages>;

} // namespace fxdetail

class CListBox : public fxdetail::ItemListControl<fxdetail::ListBoxItemMessages>
{
    DECLARE_DYNAMIC(CListBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetSel(int index) const { return static_cast<int>(Send(LB_GETSEL, index)); }
    int SetSel(int index, BOOL select = TRUE) { return static_cast<int>(Send(LB_SETSEL, select, index)); }
    int GetSelCount() const { return static_cast<int>(Send(LB_GETSELCOUNT)); }
    int GetSelItems(int maxItems, LPINT indexes) const
    {
        return static_cast<int>(Send(LB_GETSELITEMS, maxItems, reinterpret_cast<LPARAM>(indexes)));
    }
    int GetText(int index, LPTSTR buffer) const
    {
        return static_cast<int>(Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    void GetText(int index, CString& text) const { ReadItemText(index, text); }
    int GetTextLen(int index) const { return static_cast<int>(Send(LB_GETTEXTLEN, index)); }
    int GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<int>(Send(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
    }
    int GetItemHeight(int index) const { return static_cast<int>(Send(LB_GETITEMHEIGHT, index)); }
    int SetItemHeight(int index, UINT height)
    {
        return static_cast<int>(Send(LB_SETITEMHEIGHT, index, MAKELONG(height, 0)));
    }
    int GetCaretIndex() const { return static_cast<int>(Send(LB_GETCARETINDEX)); }
    int SetCaretIndex(int index, BOOL scroll = TRUE)
    {
        return static_cast<int>(Send(LB_SETCARETINDEX, index, MAKELONG(scroll, 0)));
    }
    int GetHorizontalExtent() const { return static_cast<int>(Send(LB_GETHORIZONTALEXTENT)); }
    void SetHorizontalExtent(int extent) { Send(LB_SETHORIZONTALEXTENT, extent); }
    // The item nearest to a client point; `outside` tells whether the point is beyond the items.
    UINT ItemFromPoint(CPoint pt, BOOL& outside) const;
};

class CComboBox : public fxdetail::ItemListControl<fxdetail::ComboBoxItemMessages>
{
    DECLARE_DYNAMIC(CComboBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetLBText(int index, LPTSTR buffer) const
    {
        return static_cast<int>(Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    void GetLBText(int index, CString& text) const { ReadItemText(index, text); }
    int GetLBTextLen(int index) const { return static_cast<int>(Send(CB_GETLBTEXTLEN, index)); }
    DWORD GetEditSel() const { return static_cast<DWORD>(Send(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) { return static_cast<BOOL>(Send(CB_SETEDITSEL, 0, MAKELPARAM(start, end))); }
    BOOL LimitText(int maxChars) { return static_cast<BOOL>(Send(CB_LIMITTEXT, maxChars)); }
    void ShowDropDown(BOOL show = TRUE) { Send(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(Send(CB_GETDROPPEDSTATE)); }
    void GetDroppedControlRect(LPRECT rect) const { Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    int GetDroppedWidth() const { return static_cast<int>(Send(CB_GETDROPPEDWIDTH)); }
    int SetDroppedWidth(UINT width) { return static_cast<int>(Send(CB_SETDROPPEDWIDTH, width)); }
    // index -1: the selection field; else a list item.
    int GetItemHeight(int index) const { return static_cast<int>(Send(CB_GETITEMHEIGHT, index)); }
    int SetItemHeight(int index, UINT height) { return static_cast<int>(Send(CB_SETITEMHEIGHT, index, height)); }
    int SetExtendedUI(BOOL extended = TRUE) { return static_cast<int>(Send(CB_SETEXTENDEDUI, extended)); }
    BOOL GetExtendedUI() const { return static_cast<BOOL>(Send(CB_GETEXTENDEDUI)); }
    BOOL GetComboBoxInfo(PCOMBOBOXINFO info) const;
    void Clear() { Send(WM_CLEAR); }
    void Copy() { Send(WM_COPY); }
    void Cut() { Send(WM_CUT); }
    void Paste() { Send(WM_PASTE); }
};

class CScrollBar : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void GetScrollRange(LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
    }
    void ShowScrollBar(BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
    BOOL EnableScrollBar(UINT arrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrowFlags); }
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    // The largest position the thumb can reach: max - page + 1 (max with no page).
    int GetScrollLimit() const;
};

class CHeaderCtrl : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(Send(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int index, HDITEM* item) const
    {
        return static_cast<BOOL>(Send(HDM_GETITEMW, index, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, HDITEM* item)
    {
        return static_cast<BOOL>(Send(HDM_SETITEMW, index, reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int index, HDITEM* item)
    {
        return static_cast<int>(Send(HDM_INSERTITEMW, index, reinterpret_cast<LPARAM>(item)));
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(Send(HDM_DELETEITEM, index)); }
    BOOL GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<BOOL>(Send(HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
    }
    BOOL Layout(HDLAYOUT* layout) { return static_cast<BOOL>(Send(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout))); }
    int HitTest(LPHDHITTESTINFO info) { return static_cast<int>(Send(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    CImageList* GetImageList() const
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Send(HDM_GETIMAGELIST)));
    }
    CImageList* SetImageList(CImageList* list);
    int OrderToIndex(int order) const { return static_cast<int>(Send(HDM_ORDERTOINDEX, order)); }
    BOOL GetOrderArray(LPINT order, int count) const
    {
        return static_cast<BOOL>(Send(HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order)));
    }
    BOOL SetOrderArray(int count, LPINT order)
    {
        return static_cast<BOOL>(Send(HDM_SETORDERARRAY, count, reinterpret_cast<LPARAM>(order)));
    }
    int SetHotDivider(CPoint pt) { return static_cast<int>(Send(HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(pt.x, pt.y))); }
    int SetHotDivider(int index) { return static_cast<int>(Send(HDM_SETHOTDIVIDER, FALSE, index)); }
    CImageList* CreateDragImage(int index);

    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    // Owner-drawn items reach the virtual members above through the parent's reflection.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CToolTipCtrl : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A pop-up tool tip window owned by `parent` (TTS_ALWAYSTIP is added).
    virtual BOOL Create(CWnd* parent, DWORD style = 0);
    virtual BOOL CreateEx(CWnd* parent, DWORD style = 0, DWORD exStyle = 0);

    // A tool for a window (id 0: the whole window) or for a rectangle of it (id != 0).
    // text LPSTR_TEXTCALLBACK asks the owner with TTN_GETDISPINFO. The tip watches the
    // tool's mouse messages itself (TTF_SUBCLASS); relaying them as well does no harm.
    BOOL AddTool(CWnd* wnd, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
    BOOL GetToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId = 0) const;
    void SetToolInfo(TOOLINFO* info) { Send(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(info)); }
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    int GetToolCount() const { return static_cast<int>(Send(TTM_GETTOOLCOUNT)); }
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId = 0);
    BOOL HitTest(CWnd* wnd, CPoint pt, LPTOOLINFO info) const;
    // Fills the header fields of a tool record for a window and id, with the size the
    // installed controls accept.
    void FillInToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId) const;

    void Activate(BOOL activate) { Send(TTM_ACTIVATE, activate); }
    void RelayEvent(LPMSG msg) { Send(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void SetDelayTime(UINT delay) { Send(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(delay, 0)); }
    void SetDelayTime(DWORD duration, int time) { Send(TTM_SETDELAYTIME, duration, MAKELPARAM(time, 0)); }
    int GetDelayTime(DWORD duration) const { return static_cast<int>(Send(TTM_GETDELAYTIME, duration)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(Send(TTM_SETMAXTIPWIDTH, 0, width)); }
    int GetMaxTipWidth() const { return static_cast<int>(Send(TTM_GETMAXTIPWIDTH)); }
    void SetTipBkColor(COLORREF color) { Send(TTM_SETTIPBKCOLOR, color); }
    COLORREF GetTipBkColor() const { return static_cast<COLORREF>(Send(TTM_GETTIPBKCOLOR)); }
    void SetTipTextColor(COLORREF color) { Send(TTM_SETTIPTEXTCOLOR, color); }
    COLORREF GetTipTextColor() const { return static_cast<COLORREF>(Send(TTM_GETTIPTEXTCOLOR)); }
    void SetMargin(LPRECT rect) { Send(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(rect)); }
    void GetMargin(LPRECT rect) const { Send(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(rect)); }
    BOOL SetTitle(UINT icon, LPCTSTR title)
    {
        return static_cast<BOOL>(Send(TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(title)));
    }
    void Pop() { Send(TTM_POP); }
    void Popup() { Send(TTM_POPUP); }
    void Update() { Send(TTM_UPDATE); }
    void TrackActivate(BOOL activate, TOOLINFO* info)
    {
        Send(TTM_TRACKACTIVATE, activate, reinterpret_cast<LPARAM>(info));
    }
    void TrackPosition(int x, int y) { Send(TTM_TRACKPOSITION, 0, MAKELPARAM(x, y)); }
};

class CTreeCtrl : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    UINT GetCount() const { return static_cast<UINT>(Send(TVM_GETCOUNT)); }
    UINT GetIndent() const { return static_cast<UINT>(Send(TVM_GETINDENT)); }
    void SetIndent(UINT indent) { Send(TVM_SETINDENT, indent); }
    CImageList* GetImageList(int kind) const; // TVSIL_NORMAL or TVSIL_STATE
    CImageList* SetImageList(CImageList* list, int kind);
    UINT GetVisibleCount() const { return static_cast<UINT>(Send(TVM_GETVISIBLECOUNT)); }

    // Walking the items; null when there is no such item.
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const
    {
        return Item(Send(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    BOOL ItemHasChildren(HTREEITEM item) const;
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetLastVisibleItem() const { return GetNextItem(nullptr, TVGN_LASTVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }

    // Item attributes.
    BOOL GetItem(TVITEM* item) const
    {
        return static_cast<BOOL>(Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(TVITEM* item) { return static_cast<BOOL>(Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(HTREEITEM item, UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                 LPARAM param);
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCTSTR text);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    UINT GetItemState(HTREEITEM item, UINT stateMask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT stateMask);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    // The item's rectangle in client coordinates (only its text with textOnly); FALSE when hidden.
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    BOOL GetCheck(HTREEITEM item) const;
    BOOL SetCheck(HTREEITEM item, BOOL check = TRUE);
    int GetItemHeight() const { return static_cast<int>(Send(TVM_GETITEMHEIGHT)); }
    int SetItemHeight(int height) { return static_cast<int>(Send(TVM_SETITEMHEIGHT, height)); }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(Send(TVM_GETBKCOLOR)); }
    COLORREF SetBkColor(COLORREF color) { return static_cast<COLORREF>(Send(TVM_SETBKCOLOR, 0, color)); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(Send(TVM_GETTEXTCOLOR)); }
    COLORREF SetTextColor(COLORREF color) { return static_cast<COLORREF>(Send(TVM_SETTEXTCOLOR, 0, color)); }
    COLORREF GetInsertMarkColor() const { return static_cast<COLORREF>(Send(TVM_GETINSERTMARKCOLOR)); }
    COLORREF SetInsertMarkColor(COLORREF color)
    {
        return static_cast<COLORREF>(Send(TVM_SETINSERTMARKCOLOR, 0, color));
    }
    BOOL SetInsertMark(HTREEITEM item, BOOL after = TRUE)
    {
        return static_cast<BOOL>(Send(TVM_SETINSERTMARK, after, reinterpret_cast<LPARAM>(item)));
    }
    UINT GetScrollTime() const { return static_cast<UINT>(Send(TVM_GETSCROLLTIME)); }
    UINT SetScrollTime(UINT time) { return static_cast<UINT>(Send(TVM_SETSCROLLTIME, time)); }
    CEdit* GetEditControl() const;
    CToolTipCtrl* GetToolTips() const;
    CToolTipCtrl* SetToolTips(CToolTipCtrl* tips);

    // Inserting and deleting. Every form returns the new item, or null on failure.
    HTREEITEM InsertItem(LPTVINSERTSTRUCT insert)
    {
        return Item(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(insert)));
    }
    HTREEITEM InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                         LPARAM param, HTREEITEM parent, HTREEITEM after);
    HTREEITEM InsertItem(LPCTSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item)
    {
        return static_cast<BOOL>(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }

    // Operations.
    BOOL Expand(HTREEITEM item, UINT code)
    {
        return static_cast<BOOL>(Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
    }
    BOOL Select(HTREEITEM item, UINT code)
    {
        return static_cast<BOOL>(Send(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
    CEdit* EditLabel(HTREEITEM item);
    BOOL EndEditLabelNow(BOOL cancel) { return static_cast<BOOL>(Send(TVM_ENDEDITLABELNOW, cancel)); }
    HTREEITEM HitTest(CPoint pt, UINT* flags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const { return Item(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    CImageList* CreateDragImage(HTREEITEM item);
    BOOL SortChildren(HTREEITEM item)
    {
        return static_cast<BOOL>(Send(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SortChildrenCB(LPTVSORTCB sort)
    {
        return static_cast<BOOL>(Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(sort)));
    }
    BOOL EnsureVisible(HTREEITEM item)
    {
        return static_cast<BOOL>(Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
    }

protected:
    static HTREEITEM Item(LRESULT result) { return reinterpret_cast<HTREEITEM>(result); }
};

class CListCtrl : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Attributes.
    COLORREF GetBkColor() const { return static_cast<COLORREF>(Send(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF color) { return static_cast<BOOL>(Send(LVM_SETBKCOLOR, 0, color)); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF color) { return static_cast<BOOL>(Send(LVM_SETTEXTCOLOR, 0, color)); }
    COLORREF GetTextBkColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTBKCOLOR)); }
    BOOL SetTextBkColor(COLORREF color) { return static_cast<BOOL>(Send(LVM_SETTEXTBKCOLOR, 0, color)); }
    CImageList* GetImageList(int kind) const; // LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE
    CImageList* SetImageList(CImageList* list, int kind);
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    BOOL SetItemCount(int count) { return static_cast<BOOL>(Send(LVM_SETITEMCOUNT, count)); }
    BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL)
    {
        return static_cast<BOOL>(Send(LVM_SETITEMCOUNT, count, flags));
    }
    int GetCountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }
    int GetTopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    BOOL GetViewRect(LPRECT rect) const
    {
        return static_cast<BOOL>(Send(LVM_GETVIEWRECT, 0, reinterpret_cast<LPARAM>(rect)));
    }
    BOOL GetOrigin(LPPOINT pt) const { return static_cast<BOOL>(Send(LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(pt))); }
    UINT GetSelectedCount() const { return static_cast<UINT>(Send(LVM_GETSELECTEDCOUNT)); }
    int GetSelectionMark() const { return static_cast<int>(Send(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int index) { return static_cast<int>(Send(LVM_SETSELECTIONMARK, 0, index)); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD exStyle) { return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle)); }
    int GetHotItem() const { return static_cast<int>(Send(LVM_GETHOTITEM)); }
    int SetHotItem(int index) { return static_cast<int>(Send(LVM_SETHOTITEM, index)); }
    CHeaderCtrl* GetHeaderCtrl() const;
    CEdit* GetEditControl() const;
    CToolTipCtrl* GetToolTips() const;
    CToolTipCtrl* SetToolTips(CToolTipCtrl* tips);
    int GetStringWidth(LPCTSTR text) const
    {
        return static_cast<int>(Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
    }
    CSize SetIconSpacing(int cx, int cy)
    {
        return CSize(static_cast<DWORD>(Send(LVM_SETICONSPACING, 0, MAKELPARAM(cx, cy))));
    }

    // Items.
    BOOL GetItem(LVITEM* item) const
    {
        return static_cast<BOOL>(Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(const LVITEM* item)
    {
        return static_cast<BOOL>(Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM param);
    UINT GetItemState(int index, UINT mask) const { return static_cast<UINT>(Send(LVM_GETITEMSTATE, index, mask)); }
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEM* item)
    {
        return static_cast<BOOL>(Send(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(item)));
    }
    CString GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPTSTR buffer, int length) const;
    BOOL SetItemText(int index, int subItem, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const; // LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL
    BOOL GetSubItemRect(int index, int subItem, int code, CRect& rect) const;
    BOOL GetItemPosition(int index, LPPOINT pt) const
    {
        return static_cast<BOOL>(Send(LVM_GETITEMPOSITION, index, reinterpret_cast<LPARAM>(pt)));
    }
    BOOL SetItemPosition(int index, POINT pt)
    {
        return static_cast<BOOL>(Send(LVM_SETITEMPOSITION32, index, reinterpret_cast<LPARAM>(&pt)));
    }
    int GetNextItem(int index, int flags) const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, index, MAKELPARAM(flags, 0)));
    }
    // Walking the selected items: the position is the item index plus one, null at the end.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL GetCheck(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);

    // Columns (report view).
    BOOL GetColumn(int column, LVCOLUMN* info) const
    {
        return static_cast<BOOL>(Send(LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(info)));
    }
    BOOL SetColumn(int column, const LVCOLUMN* info)
    {
        return static_cast<BOOL>(Send(LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(info)));
    }
    int GetColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column)); }
    BOOL SetColumnWidth(int column, int width)
    {
        return static_cast<BOOL>(Send(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)));
    }
    BOOL GetColumnOrderArray(LPINT order, int count = -1) const;
    BOOL SetColumnOrderArray(int count, LPINT order)
    {
        return static_cast<BOOL>(Send(LVM_SETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order)));
    }
    int InsertColumn(int column, const LVCOLUMN* info)
    {
        return static_cast<int>(Send(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(info)));
    }
    // width -1: no width given; subItem -1: the column's own index.
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column) { return static_cast<BOOL>(Send(LVM_DELETECOLUMN, column)); }

    // Operations. Inserts return the new item's index, or -1.
    int InsertItem(const LVITEM* item)
    {
        return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, LPCTSTR text, int image);
    int InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(Send(LVM_DELETEITEM, index)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(Send(LVM_DELETEALLITEMS)); }
    int FindItem(LVFINDINFO* find, int start = -1) const
    {
        return static_cast<int>(Send(LVM_FINDITEMW, start, reinterpret_cast<LPARAM>(find)));
    }
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
    {
        return static_cast<BOOL>(Send(LVM_SORTITEMS, data, reinterpret_cast<LPARAM>(compare)));
    }
    BOOL SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data)
    {
        return static_cast<BOOL>(Send(LVM_SORTITEMSEX, data, reinterpret_cast<LPARAM>(compare)));
    }
    int HitTest(LVHITTESTINFO* info) const
    {
        return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    int HitTest(CPoint pt, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info)
    {
        return static_cast<int>(Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    BOOL EnsureVisible(int index, BOOL partialOK)
    {
        return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, index, MAKELPARAM(partialOK, 0)));
    }
    BOOL Scroll(CSize size) { return static_cast<BOOL>(Send(LVM_SCROLL, size.cx, size.cy)); }
    BOOL RedrawItems(int first, int last) { return static_cast<BOOL>(Send(LVM_REDRAWITEMS, first, last)); }
    BOOL Update(int index) { return static_cast<BOOL>(Send(LVM_UPDATE, index)); }
    BOOL Arrange(UINT code) { return static_cast<BOOL>(Send(LVM_ARRANGE, code)); }
    CEdit* EditLabel(int index);
    CImageList* CreateDragImage(int index, LPPOINT pt);
    CSize ApproximateViewRect(CSize size = CSize(-1, -1), int count = -1) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    // Owner-drawn items reach the virtual members above through the parent's reflection.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CSliderCtrl : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetLineSize() const { return static_cast<int>(Send(TBM_GETLINESIZE)); }
    int SetLineSize(int size) { return static_cast<int>(Send(TBM_SETLINESIZE, 0, size)); }
    int GetPageSize() const { return static_cast<int>(Send(TBM_GETPAGESIZE)); }
    int SetPageSize(int size) { return static_cast<int>(Send(TBM_SETPAGESIZE, 0, size)); }
    int GetRangeMax() const { return static_cast<int>(Send(TBM_GETRANGEMAX)); }
    int GetRangeMin() const { return static_cast<int>(Send(TBM_GETRANGEMIN)); }
    void GetRange(int& minPos, int& maxPos) const
    {
        minPos = GetRangeMin();
        maxPos = GetRangeMax();
    }
    void SetRangeMin(int minPos, BOOL redraw = FALSE) { Send(TBM_SETRANGEMIN, redraw, minPos); }
    void SetRangeMax(int maxPos, BOOL redraw = FALSE) { Send(TBM_SETRANGEMAX, redraw, maxPos); }
    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE);
    void GetSelection(int& minPos, int& maxPos) const;
    void SetSelection(int minPos, int maxPos);
    void ClearSel(BOOL redraw = FALSE) { Send(TBM_CLEARSEL, redraw); }
    void GetChannelRect(LPRECT rect) const { Send(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void GetThumbRect(LPRECT rect) const { Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    int GetPos() const { return static_cast<int>(Send(TBM_GETPOS)); }
    void SetPos(int pos) { Send(TBM_SETPOS, TRUE, pos); }
    UINT GetNumTics() const { return static_cast<UINT>(Send(TBM_GETNUMTICS)); }
    DWORD* GetTicArray() const { return reinterpret_cast<DWORD*>(Send(TBM_GETPTICS)); }
    int GetTic(int index) const { return static_cast<int>(Send(TBM_GETTIC, index)); }
    int GetTicPos(int index) const { return static_cast<int>(Send(TBM_GETTICPOS, index)); }
    BOOL SetTic(int pos) { return static_cast<BOOL>(Send(TBM_SETTIC, 0, pos)); }
    void SetTicFreq(int frequency) { Send(TBM_SETTICFREQ, frequency); }
    void ClearTics(BOOL redraw = FALSE) { Send(TBM_CLEARTICS, redraw); }
    CWnd* GetBuddy(BOOL left = TRUE) const;
    CWnd* SetBuddy(CWnd* buddy, BOOL left = TRUE);
    CToolTipCtrl* GetToolTips() const;
    void SetToolTips(CToolTipCtrl* tips);
    int SetTipSide(int location) { return static_cast<int>(Send(TBM_SETTIPSIDE, location)); }
};

class CSpinButtonCtrl : public fxdetail::ControlWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL SetAccel(int count, UDACCEL* accel)
    {
        return static_cast<BOOL>(Send(UDM_SETACCEL, count, reinterpret_cast<LPARAM>(accel)));
    }
    UINT GetAccel(int count, UDACCEL* accel) const
    {
        return static_cast<UINT>(Send(UDM_GETACCEL, count, reinterpret_cast<LPARAM>(accel)));
    }
    int SetBase(int base) { return static_cast<int>(Send(UDM_SETBASE, base)); }
    UINT GetBase() const { return static_cast<UINT>(Send(UDM_GETBASE)); }
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    // GetPos: the 16-bit position in the low word; the high word is non-zero when the
    // buddy's text is not a valid number.
    int SetPos(int pos) { return static_cast<int>(Send(UDM_SETPOS, 0, MAKELPARAM(pos, 0))); }
    int GetPos() const { return static_cast<int>(Send(UDM_GETPOS)); }
    void SetRange(short lower, short upper) { Send(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    DWORD GetRange() const { return static_cast<DWORD>(Send(UDM_GETRANGE)); }
    void GetRange(int& lower, int& upper) const;
    void SetRange32(int lower, int upper) { Send(UDM_SETRANGE32, lower, upper); }
    void GetRange32(int& lower, int& upper) const;
    int SetPos32(int pos) { return static_cast<int>(Send(UDM_SETPOS32, 0, pos)); }
    int GetPos32(LPBOOL error = nullptr) const
    {
        return static_cast<int>(Send(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
    }
};

// A rich edit control; the first Create loads the rich edit library (Msftedit.dll, else
// Riched20.dll) and uses the newest window class it provides.
class CRichEditCtrl : public fxdetail::EditLikeControl
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The window class Create uses, after loading the library; null when none is available.
    static LPCTSTR GetWindowClassName();

    BOOL CanRedo() const { return static_cast<BOOL>(Send(EM_CANREDO)); }
    BOOL CanPaste(UINT format = 0) const { return static_cast<BOOL>(Send(EM_CANPASTE, format)); }
    BOOL Redo() { return static_cast<BOOL>(Send(EM_REDO)); }
    UINT SetUndoLimit(UINT limit) { return static_cast<UINT>(Send(EM_SETUNDOLIMIT, limit)); }
    void StopGroupTyping() { Send(EM_STOPGROUPTYPING); }
    CPoint GetCharPos(long index) const;
    void GetSel(CHARRANGE& range) const { Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range)); }
    void GetSel(long& start, long& end) const;
    void SetSel(long start, long end);
    void SetSel(CHARRANGE& range) { Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range)); }
    CString GetSelText() const;
    WORD GetSelectionType() const { return static_cast<WORD>(Send(EM_SELECTIONTYPE)); }
    void HideSelection(BOOL hide, BOOL permanent) { Send(EM_HIDESELECTION, hide, permanent); }
    long GetTextLength() const { return static_cast<long>(::SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0)); }
    long GetTextLengthEx(DWORD flags, UINT codePage = 1200) const;
    int GetTextRange(int first, int last, CString& text) const;
    void LimitText(long maxChars = 0) { Send(EM_EXLIMITTEXT, 0, maxChars); }
    long GetLimitText() const { return static_cast<long>(Send(EM_GETLIMITTEXT)); }
    long LineFromChar(long index) const { return static_cast<long>(Send(EM_EXLINEFROMCHAR, 0, index)); }
    // sysColor TRUE: the window colour; returns the previous colour.
    COLORREF SetBackgroundColor(BOOL sysColor, COLORREF color)
    {
        return static_cast<COLORREF>(Send(EM_SETBKGNDCOLOR, sysColor, color));
    }
    DWORD GetDefaultCharFormat(CHARFORMAT& format) const;
    DWORD GetDefaultCharFormat(CHARFORMAT2& format) const;
    BOOL SetDefaultCharFormat(CHARFORMAT& format);
    BOOL SetDefaultCharFormat(CHARFORMAT2& format);
    DWORD GetSelectionCharFormat(CHARFORMAT& format) const;
    DWORD GetSelectionCharFormat(CHARFORMAT2& format) const;
    BOOL SetSelectionCharFormat(CHARFORMAT& format);
    BOOL SetSelectionCharFormat(CHARFORMAT2& format);
    BOOL SetWordCharFormat(CHARFORMAT& format);
    BOOL SetWordCharFormat(CHARFORMAT2& format);
    DWORD GetParaFormat(PARAFORMAT& format) const;
    DWORD GetParaFormat(PARAFORMAT2& format) const;
    BOOL SetParaFormat(PARAFORMAT& format);
    BOOL SetParaFormat(PARAFORMAT2& format);
    long GetEventMask() const { return static_cast<long>(Send(EM_GETEVENTMASK)); }
    DWORD SetEventMask(DWORD mask) { return static_cast<DWORD>(Send(EM_SETEVENTMASK, 0, mask)); }
    UINT GetOptions() const { return static_cast<UINT>(Send(EM_GETOPTIONS)); }
    void SetOptions(WORD operation, DWORD flags) { Send(EM_SETOPTIONS, operation, flags); }
    UINT GetTextMode() const { return static_cast<UINT>(Send(EM_GETTEXTMODE)); }
    // These two answer TRUE on success (the control itself answers 0).
    BOOL SetTextMode(UINT mode) { return !Send(EM_SETTEXTMODE, mode); }
    BOOL SetAutoURLDetect(BOOL enable = TRUE) { return !Send(EM_AUTOURLDETECT, enable); }
    BOOL SetZoom(int numerator, int denominator) { return static_cast<BOOL>(Send(EM_SETZOOM, numerator, denominator)); }
    BOOL GetZoom(int& numerator, int& denominator) const;
    long StreamIn(int format, EDITSTREAM& stream)
    {
        return static_cast<long>(Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream)));
    }
    long StreamOut(int format, EDITSTREAM& stream)
    {
        return static_cast<long>(Send(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream)));
    }
    long FindText(DWORD flags, FINDTEXTEX* find) const
    {
        return static_cast<long>(Send(EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(find)));
    }
    long FormatRange(FORMATRANGE* range, BOOL display = TRUE)
    {
        return static_cast<long>(Send(EM_FORMATRANGE, display, reinterpret_cast<LPARAM>(range)));
    }
    BOOL DisplayBand(LPRECT rect) { return static_cast<BOOL>(Send(EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(rect))); }
    int CharFromPos(CPoint pt) const
    {
        return static_cast<int>(Send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&pt)));
    }
    CPoint PosFromChar(UINT index) const { return GetCharPos(static_cast<long>(index)); }
    BOOL SetTargetDevice(HDC dc, long lineWidth)
    {
        return static_cast<BOOL>(Send(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(dc), lineWidth));
    }
    void RequestResize() { Send(EM_REQUESTRESIZE); }
    // The control's OLE interface, with a reference the caller releases; null when unavailable.
    IRichEditOle* GetIRichEditOle() const;
    void PasteSpecial(UINT format, DWORD aspect = 0, HMETAFILE metaFile = nullptr);
};
