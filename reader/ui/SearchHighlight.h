// Highlighting of a searched text in the shown page, stepping through the hits, and the
// vertical scroll position of a page.
#pragma once
#include <windows.h>
#include <memory>
#include "platform/browser/Document.h"

// The id that every hit element carries.
extern const wchar_t kSearchHitId[];

// Wraps every occurrence of `text` (any letter case, also inside words) in the body in a hit
// element that keeps the matched text with its own letter case. TRUE when at least one hit was
// wrapped and the search ran to the end of the page.
BOOL HighlightText(const std::shared_ptr<fxb::Document>& document, LPCWSTR text);
// Scrolls to the next hit below the current position; after the last hit back to the first
// one (a hit that lies at the very top of the page is never a target).
void ScrollToNextHit(const std::shared_ptr<fxb::Document>& document);
int GetScrollTop(const std::shared_ptr<fxb::Document>& document);
// TRUE when the page was at the position already or its scroll position changed (it may stop
// short of the position at the end of the page); FALSE when nothing could move.
BOOL SetScrollTop(const std::shared_ptr<fxb::Document>& document, int position);
// Top of an element in page coordinates.
int GetAbsoluteTop(const fxb::HtmlElement& element);
