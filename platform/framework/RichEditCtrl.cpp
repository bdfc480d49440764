// CRichEditCtrl: the rich edit control, loaded on first use.
#include "platform/framework/Controls.h"
#include <mutex>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {

// The library stays loaded for the life of the process: its windows may live until exit.
LPCTSTR LoadRichEditClass()
{
    static LPCTSTR className = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        if (::LoadLibraryW(L"Msftedit.dll"))
            className = MSFTEDIT_CLASS;
        else if (::LoadLibraryW(L"Riched20.dll"))
            className = RICHEDIT_CLASSW;
    });
    return className;
}

// Sends a character or paragraph format record. The record carries its own size, which
// tells the control which version it is.
template <class Format> LRESULT SendFormat(HWND control, UINT message, WPARAM which, Format& format)
{
    format.cbSize = sizeof(Format);
    return ::SendMessageW(control, message, which, reinterpret_cast<LPARAM>(&format));
}

} // namespace

LPCTSTR CRichEditCtrl::GetWindowClassName()
{
    return LoadRichEditClass();
}

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, style, rect, parent, id);
}

BOOL CRichEditCtrl::CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    LPCTSTR className = LoadRichEditClass();
    if (!className)
        return FALSE;
    return CWnd::CreateEx(exStyle, className, nullptr, style, rect, parent, id);
}

CPoint CRichEditCtrl::GetCharPos(long index) const
{
    POINTL pt{};
    Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), index);
    return CPoint(static_cast<int>(pt.x), static_cast<int>(pt.y));
}

void CRichEditCtrl::GetSel(long& start, long& end) const
{
    CHARRANGE range{};
    GetSel(range);
    start = range.cpMin;
    end = range.cpMax;
}

void CRichEditCtrl::SetSel(long start, long end)
{
    CHARRANGE range{start, end};
    SetSel(range);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE range{};
    GetSel(range);
    CString text;
    int length = range.cpMax - range.cpMin;
    if (length <= 0)
        return text;
    long copied = static_cast<long>(Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1))));
    text.ReleaseBuffer(copied < 0 ? 0 : (copied > length ? length : copied));
    return text;
}

long CRichEditCtrl::GetTextLengthEx(DWORD flags, UINT codePage) const
{
    GETTEXTLENGTHEX info{};
    info.flags = flags;
    info.codepage = codePage;
    return static_cast<long>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&info)));
}

int CRichEditCtrl::GetTextRange(int first, int last, CString& text) const
{
    text.Empty();
    if (last < 0)
        last = GetTextLength();
    if (last <= first)
        return 0;
    TEXTRANGEW range{};
    range.chrg.cpMin = first;
    range.chrg.cpMax = last;
    range.lpstrText = text.GetBuffer(last - first + 1);
    int copied = static_cast<int>(Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    text.ReleaseBuffer(copied < 0 ? 0 : copied);
    return text.GetLength();
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& format) const
{
    return static_cast<DWORD>(SendFormat(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, format));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT2& format) const
{
    return static_cast<DWORD>(SendFormat(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, format));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, format));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT2& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, format));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& format) const
{
    return static_cast<DWORD>(SendFormat(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, format));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT2& format) const
{
    return static_cast<DWORD>(SendFormat(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, format));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, format));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT2& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, format));
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, format));
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT2& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, format));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& format) const
{
    return static_cast<DWORD>(SendFormat(m_hWnd, EM_GETPARAFORMAT, 0, format));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT2& format) const
{
    return static_cast<DWORD>(SendFormat(m_hWnd, EM_GETPARAFORMAT, 0, format));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETPARAFORMAT, 0, format));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& format)
{
    return static_cast<BOOL>(SendFormat(m_hWnd, EM_SETPARAFORMAT, 0, format));
}

BOOL CRichEditCtrl::GetZoom(int& numerator, int& denominator) const
{
    return static_cast<BOOL>(
        Send(EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator)));
}

IRichEditOle* CRichEditCtrl::GetIRichEditOle() const
{
    IRichEditOle* ole = nullptr;
    Send(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    return ole;
}

void CRichEditCtrl::PasteSpecial(UINT format, DWORD aspect, HMETAFILE metaFile)
{
    REPASTESPECIAL special{};
    special.dwAspect = aspect;
    special.dwParam = reinterpret_cast<DWORD_PTR>(metaFile);
    Send(EM_PASTESPECIAL, format, reinterpret_cast<LPARAM>(&special));
}
