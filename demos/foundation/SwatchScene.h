// The foundation's demo scene: a swatch panel painted double-buffered, the native drawing
// helpers in the left column ("native") and their own fallbacks (msimg32 treated as absent) in
// the right one ("fallback"), each column labelled at its top, row by row: horizontal and vertical gradients, an alpha blit, a transparent blit, and a
// TREEVIEW background drawn themed on the left and with themes off on the right. A splitter bar
// between the columns is dragged with the mouse and moves the column border.
#pragma once

#include <windows.h>

namespace swatchscene {

enum Row {
    rowHorizontalGradient,
    rowVerticalGradient,
    rowAlphaBlend,
    rowTransparentBlt,
    rowTreeViewBackground,
    rowCount,
};

const int kClientWidth = 420;
const int kClientHeight = 340;
const int kSplitterWidth = 6;
const int kSplitterDefault = 207; // left edge of the splitter bar
const int kSplitterMin = 120;
const int kSplitterMax = 300;

// Colours the swatches use, for the tests that read them back.
const COLORREF kGradientFrom = RGB(250, 40, 10);
const COLORREF kGradientTo = RGB(20, 120, 240);
const COLORREF kAlphaBackground = RGB(0, 200, 0);
const COLORREF kAlphaBlended = RGB(128, 100, 0); // 50 % red over the background
const COLORREF kTransparentKey = RGB(255, 0, 255);
const COLORREF kTransparentSquare = RGB(0, 0, 255);

// Opens the scene as a top-level window of the client size above, at (x, y) on the screen.
HWND CreateScene(int x, int y);
// Where a swatch lies in the client area (column 0 native, 1 fallback).
RECT SwatchRect(HWND hScene, Row row, int column);
// The label above a column in client coordinates.
RECT LabelRect(HWND hScene, int column);
// The splitter bar in client coordinates.
RECT SplitterRect(HWND hScene);

} // namespace swatchscene
