// The command bars' start-up: the 40 standard colours that colour pickers offer, and the exit
// release of the global paint manager, entered in the toolkit's exit list in a fixed order.
#pragma once

#include <windows.h>

#include "platform/framework/Strings.h"

struct QOR_STANDARD_COLOR
{
    COLORREF clr;
    UINT nIDString;  // the name's string resource
    CString strName; // loaded on first request, so it follows the language module in use
};

const int QOR_STANDARD_COLOR_COUNT = 40;

// The table's entry (0-39, laid out 8 per row by the pickers); null outside the table.
const QOR_STANDARD_COLOR* QorGetStandardColor(int nIndex);
// The entry's name through the resource manager.
const CString& QorGetStandardColorName(int nIndex);

// Runs before the toolkit's own start-up (QorToolkitStartup): enters the palette, the keyboard
// manager's per-thread holder and the paint-manager reference in the exit list, so that at exit
// the paint manager is released after every singleton made on first use, and the palette goes
// last. Later calls do nothing until the exit list has run.
void QorCommandBarsStartup();
