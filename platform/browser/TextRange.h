// Text ranges over a document's text stream: find, read as text or HTML, replace with HTML, move.
#pragma once
#include <memory>
#include <string>

namespace fxb {

class Document;

class TextRange
{
public:
    TextRange(std::shared_ptr<Document> doc, size_t start, size_t end);

    // Searches the range for `text` (case-insensitive unless flags has 4, whole words with 2);
    // a negative count searches backwards. On success the range becomes the match.
    bool findText(const std::wstring& text, long count = 0, long flags = 0);
    std::wstring text() const;
    // The range as a well-formed HTML fragment: open elements are closed, text is escaped.
    std::wstring htmlText() const;
    // Replaces the range with the parsed fragment; the range collapses after the new content.
    bool pasteHTML(const std::wstring& html);
    // Units "Character", "Word" and "Textedit" (the whole text); returns the units moved.
    long moveStart(const std::wstring& unit, long count);
    long moveEnd(const std::wstring& unit, long count);
    void collapse(bool toStart = true);
    std::unique_ptr<TextRange> duplicate() const;
    // Shows the range as the selection of the view and scrolls it into view.
    void select();

    size_t Start() const { return m_start; }
    size_t End() const { return m_end; }
    void SetRange(size_t start, size_t end);

private:
    long Move(bool start, const std::wstring& unit, long count);
    void Clamp();

    std::shared_ptr<Document> m_doc;
    size_t m_start, m_end;
};

// Lower-case folding used by find: a table over the whole basic plane.
wchar_t FoldCase(wchar_t c);

// Escapes text for HTML (&, <, >, and no-break space as &nbsp;).
std::wstring EscapeHtml(const std::wstring& text, bool attribute = false);

} // namespace fxb
