// Line reading shared by archives and text files: units (wide or narrow characters) are
// taken one at a time until a line feed.
#pragma once
#include <windows.h>

namespace fxdetail {

// Appends to `line` the units `next(unit)` gives, up to a line feed or until the line holds
// `maxUnits`; the line feed is not kept, a carriage return right before it is dropped.
// Returns whether any unit was read; `sawLineEnd` tells whether the line feed was reached.
template <class Text, class Unit, class Next> bool ReadLineUnits(Text& line, UINT maxUnits, Next next, bool& sawLineEnd)
{
    bool any = false;
    sawLineEnd = false;
    Unit unit = 0;
    while (static_cast<UINT>(line.GetLength()) < maxUnits && next(unit)) {
        any = true;
        if (unit == static_cast<Unit>('\n')) {
            sawLineEnd = true;
            break;
        }
        line.AppendChar(unit);
    }
    if (sawLineEnd && !line.IsEmpty() && line[line.GetLength() - 1] == static_cast<Unit>('\r'))
        line.Truncate(line.GetLength() - 1);
    return any;
}

} // namespace fxdetail
