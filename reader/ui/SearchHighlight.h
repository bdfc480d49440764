// Highlighting of a searched text in the shown page, stepping through the hits, and the
// vertical scroll position of a page.
#pragma once
#include <windows.h>
#include <memory>
#include "platform/browser/Document.h"

// The id that every hit element carries.
extern const wchar_t kSearchHitId[];

// The most hits one highlighting pass wraps. A page may hold tens of thousands of hits of a
// short word; nobody reads that many highlights at once, and stepping with Locate Keywords
// highlights the next ones when it passes the last one shown.
const int kMaxHighlightedHits = 1000;
const size_t kNoMoreHits = size_t(-1);

// Wraps the occurrences of `text` (any letter case, also inside words) from the offset `from`
// of the page's text on, at most kMaxHighlightedHits of them, each in a hit element that keeps
// the matched text with its own letter case and the markup inside it. The work is one pass
// over the page's text and one over the parents of the hits. Returns the number wrapped;
// `next` receives the text offset where further hits begin, or kNoMoreHits.
int HighlightHits(const std::shared_ptr<fxb::Document>& document, LPCWSTR text, size_t from, size_t& next);
// The first pass from the start of the page: TRUE when at least one hit was wrapped.
BOOL HighlightText(const std::shared_ptr<fxb::Document>& document, LPCWSTR text);
// Scrolls to the next hit below the current position; after the last hit back to the first
// one unless `wrap` is FALSE (a hit that lies at the very top of the page is never a target).
// TRUE when the page moved to a hit.
BOOL ScrollToNextHit(const std::shared_ptr<fxb::Document>& document, BOOL wrap = TRUE);
int GetScrollTop(const std::shared_ptr<fxb::Document>& document);
// TRUE when the page was at the position already or its scroll position changed (it may stop
// short of the position at the end of the page); FALSE when nothing could move.
BOOL SetScrollTop(const std::shared_ptr<fxb::Document>& document, int position);
// Top of an element in page coordinates.
int GetAbsoluteTop(const fxb::HtmlElement& element);
