// The rich-edit box that shows the last log as plain text and saves it.
#pragma once
#include <windows.h>
#include <string>

namespace pendoric {

class LogView
{
public:
    LogView() = default;
    LogView(const LogView&) = delete;
    LogView& operator=(const LogView&) = delete;

    // Creates the box as a child window; false when the rich-edit library is missing.
    bool Create(HWND parent, int id);
    HWND Handle() const { return m_hwnd; }
    // The font of the box's text; the caller keeps it alive while the box uses it.
    void SetFont(HFONT font);

    // The box's text with CR LF line breaks.
    std::wstring Text() const;
    // Replaces the box's text; the text is never taken as rich text.
    void SetText(const std::wstring& text);

    // Saves the box's text to a file in the ANSI code page; returns ERROR_SUCCESS or the
    // system error code.
    DWORD SavePlainText(const std::wstring& path) const;

private:
    HWND CreateBox(HWND parent, const RECT& rect) const;
    void ReplaceWithEmptyBox();

    HWND m_hwnd = nullptr;
    HFONT m_font = nullptr;
    int m_id = 0;
};

} // namespace pendoric
