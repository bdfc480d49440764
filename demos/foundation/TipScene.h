// The foundation's second scene: a frame with a strip of three tools that shows tool tips in
// the chosen style, an edit box whose arrow keys a keyboard hook-able swallows while letters
// reach it, a hook-able on the frame that removes itself while it handles a message, and an
// accessible name on the tool strip.
#pragma once

#include <windows.h>

namespace tipscene {

const int kClientWidth = 420;
const int kClientHeight = 200;
// The tool strip's tools, in its client coordinates (ids 1 to 3).
const RECT kTools[3] = {{10, 10, 110, 60}, {130, 10, 230, 60}, {250, 10, 350, 60}};
const wchar_t kStripName[] = L"Tool strip";
// Posted to the frame: the frame's hook-able sees it once and removes itself meanwhile.
const UINT kPing = WM_APP + 40;

// Opens the scene at (x, y) on the screen with tips of one style (0 to 6).
HWND CreateScene(int x, int y, int nTipStyle);
// Changes the tip style; the next tool makes a new tip window.
void SetTipStyle(HWND hScene, int nTipStyle);
HWND GetToolStrip(HWND hScene);
HWND GetEdit(HWND hScene);
// The tip window, or null before the first tool.
HWND GetTipWindow(HWND hScene);
// Counts of the ping: seen by the hook-able, handled by the frame.
void GetPingCounts(HWND hScene, int* pnHookAble, int* pnFrame);

} // namespace tipscene
