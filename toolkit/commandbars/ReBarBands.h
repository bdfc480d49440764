// Tool bars as bands of a rebar control, through the control's own messages.
#pragma once

#include <windows.h>

class CQorToolBar;

// Makes the tool bar the last band of the rebar (a new row, gripper always shown, band id = bar
// id), sized as the bar lays out along an unlimited row. FALSE when the rebar refuses the band;
// the bar is then left as it was.
BOOL QorInsertToolBarBand(HWND hWndReBar, CQorToolBar* pToolBar);
// The index of the band whose child is the window, searched from the last band; -1 when none.
int QorFindReBarBand(HWND hWndReBar, HWND hWndChild);
