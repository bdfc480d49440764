// The command bars' paint scene: one pair of columns per theme (Default, native XP, Office,
// Office 2003, Whidbey), each drawn once with visual styles and once with themes off, one cell
// per drawing operation and state, and tool-bar controls drawn whole in each state. The scene installs each column's
// theme as the global paint manager in turn and keeps its own reference on each, so every column's manager outlives the
// switch to the next.
#pragma once

#include <windows.h>

class CQorPaintManager;

namespace paintswatchscene {

enum Row {
    rowEntryNormal,
    rowEntryHot,
    rowEntryPressed,
    rowEntryChecked,
    rowEntryDisabled,
    rowEntryPopuped,
    rowEntryPopupSelected,
    rowSymbols, // check box and radio button, both checked
    rowTick,
    rowDot,
    rowTriangle,
    rowGlyph,
    rowPopupGrippers,
    rowCaptionActive,
    rowCaptionInactive,
    rowStatusGripper,
    rowBarWindow,
    rowWorkspace,
    rowFramedText,
    // A caption button drawn whole (background, caption, arrow) in each state.
    rowButtonNormal,
    rowButtonHot,
    rowButtonPressed,
    rowButtonChecked,
    rowButtonDisabled,
    rowSplitHot,     // a split button, hot
    rowSplitPopuped, // a split button with its popup open
    rowCount,
};

const int kThemeCount = 5;
const int kColumnCount = 2 * kThemeCount;
const int kCellWidth = 44;
const int kCellHeight = 22;
const int kMargin = 8;
const int kGap = 4;
const int kClientWidth = 2 * kMargin + kColumnCount * (kCellWidth + kGap);
const int kClientHeight = 2 * kMargin + rowCount * (kCellHeight + kGap);
const wchar_t kGlyph = L'6'; // Marlett's down arrow
const wchar_t kButtonCaption[] = L"Go";

// The theme number of a column, and whether it is drawn with visual styles.
int ColumnTheme(int nColumn);
BOOL IsColumnThemed(int nColumn);

// Opens the scene as a top-level window of the client size above, at (x, y) on the screen.
HWND CreateScene(int x, int y);
// A cell in client coordinates.
RECT CellRect(int nRow, int nColumn);
// The paint manager that draws a column (the scene holds a reference until it closes).
CQorPaintManager* ColumnPaintManager(HWND hScene, int nColumn);

} // namespace paintswatchscene
