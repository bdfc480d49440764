#include "tools/pendoric/LogCleanup.h"

namespace pendoric {

namespace {

const wchar_t kLineBreak[] = L"\r\n";
const size_t kLineBreakLength = 2;
const int kCollapsePasses = 10;

std::wstring WithoutSpaces(const std::wstring& text)
{
    std::wstring result;
    result.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L' ')
            result.push_back(c);
    }
    return result;
}

// Rebuilds the text piece by piece; a text without characters has no pieces at all.
std::wstring BlankBracketPieces(const std::wstring& text)
{
    std::wstring result;
    if (text.empty())
        return result;
    result.reserve(text.size() + kLineBreakLength);
    size_t start = 0;
    for (;;) {
        size_t end = text.find(kLineBreak, start);
        size_t length = (end == std::wstring::npos ? text.size() : end) - start;
        if (length == 0 || text[start] != L'[')
            result.append(text, start, length);
        result += kLineBreak;
        if (end == std::wstring::npos)
            break;
        start = end + kLineBreakLength;
    }
    return result;
}

// One pass of replacing every CR LF CR LF by CR LF, left to right without overlaps.
std::wstring CollapseOnce(const std::wstring& text)
{
    static const wchar_t kDouble[] = L"\r\n\r\n";
    std::wstring result;
    result.reserve(text.size());
    size_t start = 0;
    for (;;) {
        size_t found = text.find(kDouble, start);
        if (found == std::wstring::npos)
            break;
        result.append(text, start, found - start);
        result += kLineBreak;
        start = found + 4;
    }
    result.append(text, start, std::wstring::npos);
    return result;
}

} // namespace

std::wstring CleanUpLog(const std::wstring& text)
{
    std::wstring result = BlankBracketPieces(WithoutSpaces(text));
    for (int pass = 0; pass < kCollapsePasses; ++pass)
        result = CollapseOnce(result);
    return result;
}

} // namespace pendoric
