// Builds the document tree from tokens, repairing implied, misnested and unclosed tags.
#pragma once
#include "platform/browser/Dom.h"
#include <memory>
#include <string>
#include <vector>

namespace fxb {

struct ParseLimits
{
    int maxDepth = 120;       // deeper elements are flattened into the deepest allowed one
    size_t maxNodes = 500000; // markup past this count is dropped
    size_t maxSourceChars = 48u << 20;
};

// Parses a whole page; the result is always an html element holding head and body.
std::unique_ptr<Node> ParseHtmlDocument(const std::wstring& source, const ParseLimits& limits = ParseLimits());

// Parses a fragment as if it were inside an element with the tag `contextTag`; returns the nodes.
std::vector<std::unique_ptr<Node>> ParseHtmlFragment(const std::wstring& source, const std::wstring& contextTag,
                                                     const ParseLimits& limits = ParseLimits());

// Tag classes shared by the parser and the style defaults.
bool IsBlockLevelTag(const std::wstring& tag);
bool IsFormattingTag(const std::wstring& tag);

} // namespace fxb
