// The standard controls: buttons, edits, statics, list boxes, combo boxes and scroll bars.
#include "platform/framework/Controls.h"
#include "platform/framework/ControlReflection.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_BUTTONW, caption, style, rect, parent, id);
}

UINT CButton::GetButtonStyle() const
{
    return static_cast<UINT>(::GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xFF;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return fxdetail::ReflectItemMessage(this, message, wParam, lParam, result);
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_EDITW, nullptr, style, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0, last = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    Send(EM_SETSEL, start, end);
    if (!noScroll)
        Send(EM_SCROLLCARET);
}

// EM_GETLINE reads the buffer size from the buffer's first word.
int fxdetail::EditLikeControl::GetLine(int line, LPTSTR buffer, int maxLength) const
{
    if (!buffer || maxLength <= 0)
        return 0;
    if (maxLength == 1) {
        buffer[0] = 0;
        return 0;
    }
    *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(maxLength > 0xFFFF ? 0xFFFF : maxLength);
    return static_cast<int>(Send(EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer)));
}

int CEdit::GetLine(int line, LPTSTR buffer) const
{
    return static_cast<int>(Send(EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer)));
}

CString CEdit::GetLineText(int line) const
{
    int length = LineLength(LineIndex(line));
    CString text;
    if (length <= 0 || LineIndex(line) < 0)
        return text;
    int copied = GetLine(line, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer(copied);
    return text;
}

BOOL CEdit::SetCueBanner(LPCWSTR text, BOOL showWhenFocused)
{
    return static_cast<BOOL>(Send(EM_SETCUEBANNER, showWhenFocused, reinterpret_cast<LPARAM>(text)));
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_STATICW, text, style, rect, parent, id);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return fxdetail::ReflectItemMessage(this, message, wParam, lParam, result);
}

template <class Messages>
BOOL fxdetail::ItemListControl<Messages>::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectItemMessage(this, message, wParam, lParam, result);
}

template class fxdetail::ItemListControl<fxdetail::ListBoxItemMessages>;
template class fxdetail::ItemListControl<fxdetail::ComboBoxItemMessages>;

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_LISTBOXW, nullptr, style, rect, parent, id);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const
{
    DWORD result = static_cast<DWORD>(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    outside = HIWORD(result);
    return LOWORD(result);
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_COMBOBOXW, nullptr, style, rect, parent, id);
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO info) const
{
    if (!info)
        return FALSE;
    info->cbSize = sizeof(COMBOBOXINFO);
    return ::GetComboBoxInfo(m_hWnd, info);
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_SCROLLBARW, nullptr, style, rect, parent, id);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw)
{
    if (!info)
        return FALSE;
    info->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) const
{
    if (!info)
        return FALSE;
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}

int CScrollBar::GetScrollLimit() const
{
    SCROLLINFO info{};
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    int limit = info.nMax;
    if (info.nPage > 0)
        limit -= static_cast<int>(info.nPage) - 1;
    return limit < info.nMin ? info.nMin : limit;
}
