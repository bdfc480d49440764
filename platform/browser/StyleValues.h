// The value readers the style resolver's parts share: the property appliers and the
// presentational hints read lengths, border styles and quoted strings the same way.
#pragma once

#include "platform/browser/Style.h"
#include <string>
#include <vector>

namespace fxb {

// A value without the quotes around it, if it has them.
std::wstring Unquote(std::wstring s);
// Parses a length; `fontSize` is the element's font size for em, `absScale` the text size factor that
// absolute font sizes get (1 elsewhere). Percentages are returned as Percent.
bool ParseLength(const std::wstring& v, float fontSize, Length& out, bool allowUnitless = false, float absScale = 1);
BorderStyle ParseBorderStyle(const std::wstring& v, bool& ok);
bool ParseBorderWidth(const std::wstring& v, float fontSize, float& out);
float KeywordFontSize(const std::wstring& v);

// Four-sided shorthand: 1 to 4 values to top, right, bottom, left.
template <typename T, typename F> bool ApplyFourSides(const std::vector<std::wstring>& parts, T* target, F parse)
{
    if (parts.empty() || parts.size() > 4)
        return false;
    T v[4];
    for (size_t i = 0; i < parts.size(); ++i)
        if (!parse(parts[i], v[i]))
            return false;
    static const int kMap[5][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    for (int s = 0; s < 4; ++s)
        target[s] = v[kMap[parts.size()][s]];
    return true;
}

} // namespace fxb
