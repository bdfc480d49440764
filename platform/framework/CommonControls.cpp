// The common controls: header, tool tip, tree view, list view, track bar and up-down control.
#include "platform/framework/Controls.h"
#include "platform/framework/ControlReflection.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace {

HIMAGELIST ListHandle(CImageList* list)
{
    return list ? list->m_hImageList : nullptr;
}

CImageList* ListWrapper(LRESULT handle)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(handle));
}

// Child controls the common controls create themselves (edit boxes, headers, tool tips) have
// no object of their own; the caller gets a borrowed wrapper of the wanted type.
template <class T> T* WindowAs(LRESULT handle)
{
    return static_cast<T*>(CWnd::FromHandle(reinterpret_cast<HWND>(handle)));
}

// Text of an item read through a message that fills a fixed buffer: the buffer grows until
// the text fits.
template <class Fill> CString ReadGrowingText(Fill fill)
{
    CString text;
    for (int size = 256; size <= 0x100000; size *= 4) {
        LPTSTR buffer = text.GetBuffer(size);
        buffer[0] = 0;
        if (!fill(buffer, size)) {
            text.ReleaseBuffer(0);
            return text;
        }
        text.ReleaseBuffer();
        if (text.GetLength() < size - 1)
            return text;
    }
    return text;
}

// What a tree or list control has at a client point, with the hit flags when asked for.
template <class Info, class Control> auto HitTestPoint(const Control& control, CPoint pt, UINT* flags)
{
    Info info{};
    info.pt = pt;
    auto found = control.HitTest(&info);
    if (flags)
        *flags = info.flags;
    return found;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CHeaderCtrl

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_HEADERW, nullptr, style, rect, parent, id);
}

CImageList* CHeaderCtrl::SetImageList(CImageList* list)
{
    return ListWrapper(Send(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ListHandle(list))));
}

CImageList* CHeaderCtrl::CreateDragImage(int index)
{
    return ListWrapper(Send(HDM_CREATEDRAGIMAGE, index));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return fxdetail::ReflectItemMessage(this, message, wParam, lParam, result);
}

// ---------------------------------------------------------------------------------------------
// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    return CreateEx(parent, style, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* parent, DWORD style, DWORD exStyle)
{
    BOOL created =
        CWnd::CreateEx(exStyle, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | style, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
    if (created)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return created;
}

// The version-2 record size: older tool tip controls refuse the larger record of newer headers.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId) const
{
    memset(&info, 0, sizeof(info));
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    HWND window = wnd ? wnd->GetSafeHwnd() : nullptr;
    if (toolId == 0) {
        // The whole window is the tool, identified by its handle.
        info.hwnd = window ? ::GetParent(window) : nullptr;
        if (!info.hwnd)
            info.hwnd = window;
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(window);
    } else {
        info.hwnd = window;
        info.uId = toolId;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT toolRect, UINT_PTR toolId)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return FALSE;
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    info.uFlags |= TTF_SUBCLASS;
    info.lpszText = const_cast<LPTSTR>(text);
    if (toolRect)
        info.rect = *toolRect;
    else if (toolId != 0)
        ::GetClientRect(wnd->GetSafeHwnd(), &info.rect);
    return static_cast<BOOL>(Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect, UINT_PTR toolId)
{
    CString text;
    text.LoadString(textId);
    return AddTool(wnd, text, toolRect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    Send(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const
{
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    // TTM_GETTEXT has no buffer size before comctl32 6; 80 characters is the old tip limit,
    // and the buffer is made much larger than that.
    const int size = 1024;
    info.lpszText = text.GetBuffer(size);
    info.lpszText[0] = 0;
    Send(TTM_GETTEXTW, size, reinterpret_cast<LPARAM>(&info));
    text.ReleaseBuffer();
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId) const
{
    FillInToolInfo(info, wnd, toolId);
    return static_cast<BOOL>(Send(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect)
{
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    if (rect)
        info.rect = *rect;
    Send(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    info.lpszText = const_cast<LPTSTR>(text);
    Send(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId)
{
    CString text;
    text.LoadString(textId);
    UpdateTipText(text, wnd, toolId);
}

BOOL CToolTipCtrl::HitTest(CWnd* wnd, CPoint pt, LPTOOLINFO info) const
{
    if (!wnd || !info)
        return FALSE;
    TTHITTESTINFO hit{};
    hit.hwnd = wnd->GetSafeHwnd();
    hit.pt = pt;
    hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!Send(TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)))
        return FALSE;
    *info = hit.ti;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CTreeCtrl

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_TREEVIEWW, nullptr, style, rect, parent, id);
}

BOOL CTreeCtrl::CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::CreateEx(exStyle, WC_TREEVIEWW, nullptr, style, rect, parent, id);
}

CImageList* CTreeCtrl::GetImageList(int kind) const
{
    return ListWrapper(Send(TVM_GETIMAGELIST, kind));
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int kind)
{
    return ListWrapper(Send(TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(ListHandle(list))));
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    TVITEMW tvi{};
    tvi.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tvi.hItem = item;
    return GetItem(&tvi) && tvi.cChildren != 0;
}

BOOL CTreeCtrl::SetItem(HTREEITEM item, UINT mask, LPCTSTR text, int image, int selectedImage, UINT state,
                        UINT stateMask, LPARAM param)
{
    TVITEMW tvi{};
    tvi.hItem = item;
    tvi.mask = mask | TVIF_HANDLE;
    tvi.pszText = const_cast<LPTSTR>(text);
    tvi.iImage = image;
    tvi.iSelectedImage = selectedImage;
    tvi.state = state;
    tvi.stateMask = stateMask;
    tvi.lParam = param;
    return SetItem(&tvi);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    return ReadGrowingText([this, item](LPTSTR buffer, int size) {
        TVITEMW tvi{};
        tvi.hItem = item;
        tvi.mask = TVIF_TEXT | TVIF_HANDLE;
        tvi.pszText = buffer;
        tvi.cchTextMax = size;
        if (!GetItem(&tvi))
            return false;
        // The control may answer with a pointer to its own copy.
        if (tvi.pszText && tvi.pszText != buffer)
            lstrcpynW(buffer, tvi.pszText, size);
        return true;
    });
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text)
{
    return SetItem(item, TVIF_TEXT, text, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    TVITEMW tvi{};
    tvi.hItem = item;
    tvi.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    if (!GetItem(&tvi))
        return FALSE;
    image = tvi.iImage;
    selectedImage = tvi.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    return SetItem(item, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, image, selectedImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT stateMask) const
{
    return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), stateMask)) & stateMask;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT stateMask)
{
    return SetItem(item, TVIF_STATE, nullptr, 0, 0, state, stateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMW tvi{};
    tvi.hItem = item;
    tvi.mask = TVIF_PARAM | TVIF_HANDLE;
    return GetItem(&tvi) ? static_cast<DWORD_PTR>(tvi.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    return SetItem(item, TVIF_PARAM, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(data));
}

// TVM_GETITEMRECT takes the item handle in the rectangle's first bytes.
BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const
{
    if (!rect)
        return FALSE;
    *reinterpret_cast<HTREEITEM*>(rect) = item;
    return static_cast<BOOL>(Send(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)));
}

// The state image index is 1 for unchecked and 2 for checked (TVS_CHECKBOXES).
BOOL CTreeCtrl::GetCheck(HTREEITEM item) const
{
    return ((GetItemState(item, TVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM item, BOOL check)
{
    return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), TVIS_STATEIMAGEMASK);
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return WindowAs<CEdit>(Send(TVM_GETEDITCONTROL));
}
CToolTipCtrl* CTreeCtrl::GetToolTips() const
{
    return WindowAs<CToolTipCtrl>(Send(TVM_GETTOOLTIPS));
}

CToolTipCtrl* CTreeCtrl::SetToolTips(CToolTipCtrl* tips)
{
    return WindowAs<CToolTipCtrl>(
        Send(TVM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips ? tips->GetSafeHwnd() : nullptr)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                                LPARAM param, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = mask;
    insert.item.pszText = const_cast<LPTSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.state = state;
    insert.item.stateMask = stateMask;
    insert.item.lParam = param;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after)
{
    return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0, 0, parent, after);
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM item)
{
    return WindowAs<CEdit>(Send(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* flags) const
{
    return HitTestPoint<TVHITTESTINFO>(*this, pt, flags);
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM item)
{
    return ListWrapper(Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item)));
}

// ---------------------------------------------------------------------------------------------
// CListCtrl

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

BOOL CListCtrl::CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::CreateEx(exStyle, WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    return ListWrapper(Send(LVM_GETIMAGELIST, kind));
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    return ListWrapper(Send(LVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(ListHandle(list))));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return WindowAs<CHeaderCtrl>(Send(LVM_GETHEADER));
}
CEdit* CListCtrl::GetEditControl() const
{
    return WindowAs<CEdit>(Send(LVM_GETEDITCONTROL));
}
CToolTipCtrl* CListCtrl::GetToolTips() const
{
    return WindowAs<CToolTipCtrl>(Send(LVM_GETTOOLTIPS));
}

CToolTipCtrl* CListCtrl::SetToolTips(CToolTipCtrl* tips)
{
    return WindowAs<CToolTipCtrl>(
        Send(LVM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips ? tips->GetSafeHwnd() : nullptr)));
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                        LPARAM param)
{
    LVITEMW item{};
    item.mask = mask;
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = const_cast<LPTSTR>(text);
    item.iImage = image;
    item.state = state;
    item.stateMask = stateMask;
    item.lParam = param;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    return ReadGrowingText([this, index, subItem](LPTSTR buffer, int size) {
        GetItemText(index, subItem, buffer, size);
        return true;
    });
}

int CListCtrl::GetItemText(int index, int subItem, LPTSTR buffer, int length) const
{
    if (!buffer || length <= 0)
        return 0;
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = length;
    buffer[0] = 0;
    return static_cast<int>(Send(LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCTSTR text)
{
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPTSTR>(text);
    return static_cast<BOOL>(Send(LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    return SetItem(index, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(data));
}

// LVM_GETITEMRECT takes the wanted part in the rectangle's left field.
BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    if (!rect)
        return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(Send(LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, CRect& rect) const
{
    rect.top = subItem;
    rect.left = code;
    return static_cast<BOOL>(Send(LVM_GETSUBITEMRECT, index, reinterpret_cast<LPARAM>(static_cast<RECT*>(&rect))));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int index = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    int next = GetNextItem(index, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
    return index;
}

// The state image index is 1 for unchecked and 2 for checked (LVS_EX_CHECKBOXES).
BOOL CListCtrl::GetCheck(int index) const
{
    return ((GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
}

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT order, int count) const
{
    if (count < 0) {
        CHeaderCtrl* header = GetHeaderCtrl();
        count = header ? header->GetItemCount() : 0;
    }
    return static_cast<BOOL>(Send(LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order)));
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem)
{
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_TEXT;
    info.fmt = format;
    info.pszText = const_cast<LPTSTR>(heading);
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

int CListCtrl::InsertItem(int index, LPCTSTR text)
{
    return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int index, LPCTSTR text, int image)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param)
{
    LVITEMW item{};
    item.mask = mask;
    item.iItem = index;
    item.pszText = const_cast<LPTSTR>(text);
    item.state = state;
    item.stateMask = stateMask;
    item.iImage = image;
    item.lParam = param;
    return InsertItem(&item);
}

int CListCtrl::HitTest(CPoint pt, UINT* flags) const
{
    return HitTestPoint<LVHITTESTINFO>(*this, pt, flags);
}

CEdit* CListCtrl::EditLabel(int index)
{
    return WindowAs<CEdit>(Send(LVM_EDITLABELW, index));
}

CImageList* CListCtrl::CreateDragImage(int index, LPPOINT pt)
{
    return ListWrapper(Send(LVM_CREATEDRAGIMAGE, index, reinterpret_cast<LPARAM>(pt)));
}

CSize CListCtrl::ApproximateViewRect(CSize size, int count) const
{
    return CSize(static_cast<DWORD>(Send(LVM_APPROXIMATEVIEWRECT, count, MAKELPARAM(size.cx, size.cy))));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return fxdetail::ReflectItemMessage(this, message, wParam, lParam, result);
}

// ---------------------------------------------------------------------------------------------
// CSliderCtrl

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(TRACKBAR_CLASSW, nullptr, style, rect, parent, id);
}

void CSliderCtrl::SetRange(int minPos, int maxPos, BOOL redraw)
{
    SetRangeMin(minPos, FALSE);
    SetRangeMax(maxPos, redraw);
}

void CSliderCtrl::GetSelection(int& minPos, int& maxPos) const
{
    minPos = static_cast<int>(Send(TBM_GETSELSTART));
    maxPos = static_cast<int>(Send(TBM_GETSELEND));
}

void CSliderCtrl::SetSelection(int minPos, int maxPos)
{
    Send(TBM_SETSELSTART, FALSE, minPos);
    Send(TBM_SETSELEND, TRUE, maxPos);
}

CWnd* CSliderCtrl::GetBuddy(BOOL left) const
{
    return WindowAs<CWnd>(Send(TBM_GETBUDDY, left));
}

CWnd* CSliderCtrl::SetBuddy(CWnd* buddy, BOOL left)
{
    return WindowAs<CWnd>(Send(TBM_SETBUDDY, left, reinterpret_cast<LPARAM>(buddy ? buddy->GetSafeHwnd() : nullptr)));
}

CToolTipCtrl* CSliderCtrl::GetToolTips() const
{
    return WindowAs<CToolTipCtrl>(Send(TBM_GETTOOLTIPS));
}

void CSliderCtrl::SetToolTips(CToolTipCtrl* tips)
{
    Send(TBM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips ? tips->GetSafeHwnd() : nullptr));
}

// ---------------------------------------------------------------------------------------------
// CSpinButtonCtrl

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(UPDOWN_CLASSW, nullptr, style, rect, parent, id);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    return WindowAs<CWnd>(Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->GetSafeHwnd() : nullptr)));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return WindowAs<CWnd>(Send(UDM_GETBUDDY));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD range = GetRange();
    lower = static_cast<short>(HIWORD(range));
    upper = static_cast<short>(LOWORD(range));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    Send(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
