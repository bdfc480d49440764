#include "tools/pendoric/TextLines.h"

namespace pendoric {

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text, start, i - start);
        i += (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.emplace_back(text, start, text.size() - start);
    return lines;
}

} // namespace pendoric
