#include "tools/pendoric/LogView.h"
#include "tools/pendoric/AnsiTextFile.h"
#include <richedit.h>
#include <cstring>

namespace pendoric {

namespace {

struct StreamSource
{
    const std::wstring* text;
    size_t offset; // in characters
};

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    StreamSource* source = reinterpret_cast<StreamSource*>(cookie);
    const std::wstring& text = *source->text;
    size_t first = source->offset;
    size_t count = text.size() - first;
    if (count > static_cast<size_t>(wanted) / sizeof(wchar_t)) {
        count = static_cast<size_t>(wanted) / sizeof(wchar_t);
        // A CR LF split between two chunks would be read as two line breaks.
        if (count > 1 && text[first + count - 1] == L'\r' && text[first + count] == L'\n')
            --count;
    }
    std::memcpy(buffer, text.data() + first, count * sizeof(wchar_t));
    source->offset += count;
    *given = static_cast<LONG>(count * sizeof(wchar_t));
    return 0;
}

} // namespace

bool LogView::Create(HWND parent, int id)
{
    if (!GetModuleHandleW(L"riched20.dll") && !LoadLibraryW(L"riched20.dll"))
        return false;
    m_id = id;
    m_hwnd = CreateBox(parent, RECT{0, 0, 0, 0});
    return m_hwnd != nullptr;
}

HWND LogView::CreateBox(HWND parent, const RECT& rect) const
{
    HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                   ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    // The default limit of 32K characters would cut long logs short.
    if (box)
        SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    return box;
}

// Emptying a rich-edit box takes time that grows with the square of its paragraphs (minutes
// for a log of tens of thousands of lines), so a full box is replaced by a new empty one in
// the same place, with the same font and focus.
void LogView::ReplaceWithEmptyBox()
{
    HWND parent = GetParent(m_hwnd);
    RECT rect;
    GetWindowRect(m_hwnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    bool focused = GetFocus() == m_hwnd;
    HWND box = CreateBox(parent, rect);
    if (!box)
        return; // keep the old box; it will be emptied the slow way
    SetWindowPos(box, m_hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(m_hwnd);
    m_hwnd = box;
    if (m_font)
        SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (focused)
        SetFocus(m_hwnd);
}

void LogView::SetFont(HFONT font)
{
    m_font = font;
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::wstring LogView::Text() const
{
    GETTEXTLENGTHEX lengthInfo = {GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    LRESULT length = SendMessageW(m_hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthInfo), 0);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX get = {};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    LRESULT copied =
        SendMessageW(m_hwnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void LogView::SetText(const std::wstring& text)
{
    if (GetWindowTextLengthW(m_hwnd) > 0)
        ReplaceWithEmptyBox();
    // Setting the text is the fast way in, but it takes a text that starts with "{" for RTF
    // and ends at a NUL; streaming reads plain text as it is, only much more slowly on Wine.
    if (text.empty() || (text[0] != L'{' && text.find(L'\0') == std::wstring::npos)) {
        SETTEXTEX set = {ST_DEFAULT, 1200};
        SendMessageW(m_hwnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    StreamSource source = {&text, 0};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadFromString;
    SendMessageW(m_hwnd, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
}

DWORD LogView::SavePlainText(const std::wstring& path) const
{
    return WriteAnsiTextFile(path, Text());
}

} // namespace pendoric
