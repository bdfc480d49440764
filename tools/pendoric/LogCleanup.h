// The clean-up that turns a written log into the text the window shows.
#pragma once
#include <string>

namespace pendoric {

// Removes every space, blanks each CR LF-separated piece that starts with "[", ends every piece
// with CR LF, then collapses CR LF CR LF into CR LF in ten left-to-right passes.
std::wstring CleanUpLog(const std::wstring& text);

} // namespace pendoric
