// The text of a tool tip's TTN_NEEDTEXTW answer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/Strings.h"

// The text a TTN_NEEDTEXTW answer holds: a pointer above 0xFFFF is the text, otherwise a
// string id in the answer's module (empty when the entry is missing).
CString QorToolTipTextFromDispInfo(const NMTTDISPINFOW& info);
