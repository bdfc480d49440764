// Splitting a text file's contents into lines.
#pragma once
#include <string>
#include <vector>

namespace pendoric {

// Splits text into lines. A line ends at a carriage return, a carriage return followed by a
// line feed, or a lone line feed; a break at the very end does not start another line, and an
// empty text has no lines.
std::vector<std::wstring> SplitLines(const std::wstring& text);

} // namespace pendoric
