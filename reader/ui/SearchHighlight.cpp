#include "reader/ui/SearchHighlight.h"
#include "platform/framework/Strings.h"

const wchar_t kSearchHitId[] = L"fxsearchresult";

namespace {

CString HitElement(const std::wstring& content)
{
    CString style;
    style.Format(L"color: black; background-color: #%02X%02X%02X; font-weight: bold", 153, 255, 153);
    CString element;
    element.Format(L"<span id='%s' style='%s'>%s</span>", kSearchHitId, static_cast<LPCWSTR>(style),
                   content.empty() ? L"&nbsp;" : content.c_str());
    return element;
}

// Moves one scrolling element to the position; TRUE when it is there and it either was
// there already or moved.
BOOL ScrollElementTo(const fxb::HtmlElement& element, int position)
{
    int before = element.scrollTop();
    if (before == position)
        return TRUE;
    element.put_scrollTop(position);
    return element.scrollTop() != before;
}

} // namespace

BOOL HighlightText(const std::shared_ptr<fxb::Document>& document, LPCWSTR text)
{
    if (!document || !text || !*text)
        return FALSE;
    fxb::HtmlElement body = document->body();
    if (!body)
        return FALSE;
    std::unique_ptr<fxb::TextRange> range = body.createTextRange();
    if (!range)
        return FALSE;
    int hits = 0;
    while (range->findText(text, 0, 0)) {
        size_t matchStart = range->Start();
        if (!range->pasteHTML(static_cast<LPCWSTR>(HitElement(range->htmlText()))))
            return FALSE;
        // The range now sits right after the hit element, which is where the next match may
        // begin ("abc" twice in "abcabc"). Only a paste that made no progress is stepped over.
        if (range->Start() <= matchStart)
            range->moveStart(L"Character", 1);
        range->moveEnd(L"Textedit", 1);
        ++hits;
    }
    return hits > 0;
}

int GetAbsoluteTop(const fxb::HtmlElement& element)
{
    int top = 0;
    int depth = 0;
    for (fxb::HtmlElement e = element; e && depth < 100000; e = e.offsetParent(), ++depth)
        top += e.offsetTop();
    return top;
}

int GetScrollTop(const std::shared_ptr<fxb::Document>& document)
{
    if (!document)
        return 0;
    fxb::HtmlElement body = document->body();
    if (body && (body.scrollLeft() != 0 || body.scrollTop() != 0))
        return body.scrollTop();
    fxb::HtmlElement root = document->documentElement();
    return root ? root.scrollTop() : 0;
}

BOOL SetScrollTop(const std::shared_ptr<fxb::Document>& document, int position)
{
    if (!document)
        return FALSE;
    fxb::HtmlElement body = document->body();
    if (body && ScrollElementTo(body, position))
        return TRUE;
    fxb::HtmlElement root = document->documentElement();
    return root ? ScrollElementTo(root, position) : FALSE;
}

void ScrollToNextHit(const std::shared_ptr<fxb::Document>& document)
{
    if (!document)
        return;
    int threshold = GetScrollTop(document);
    for (int pass = 0; pass < 2; ++pass) {
        for (const fxb::HtmlElement& span : document->getElementsByTagName(L"SPAN")) {
            if (!span || span.id() != kSearchHitId)
                continue;
            int top = GetAbsoluteTop(span);
            // Hits in the last screen of a page cannot be scrolled to the top; they are
            // passed over, so that stepping on from there returns to the first hit.
            if (top > threshold && SetScrollTop(document, top))
                return;
        }
        threshold = 0;
    }
}
