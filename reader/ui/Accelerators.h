// The book's keyboard shortcuts: each tool-bar button of the settings may carry a text such
// as "ctrl+P" or "shift+F5", which becomes one entry of the frame's accelerator table. F3
// always runs Locate Keywords, ahead of any entry the book gives.
#pragma once
#include <windows.h>
#include <vector>

class CExeBookDocument;
class CQorShortcutManager;

// FCONTROL, FSHIFT and FALT for "ctrl", "shift" and "alt" anywhere in the text (any case).
BYTE ParseAccelModifiers(LPCWSTR text);
// The virtual key named after the last "+" (the whole text without one), trimmed and in any
// case: a letter or digit, a punctuation key reachable without modifiers on the keyboard
// layout, F1-F19, Up, Down, Left or Right. 0 when the text names no key.
WORD ParseAccelKey(LPCWSTR text);

// The entries of the book's table: F3 first, then one per button whose text names a key.
std::vector<ACCEL> BookAcceleratorEntries(const CExeBookDocument& settings);
// Builds the table and installs it in the frame's shortcut manager, which keeps a copy as the
// table to reset to; both tables it had are destroyed. FALSE when the table cannot be made
// (the old ones stay then).
BOOL BuildAcceleratorTable(CQorShortcutManager* shortcuts, const CExeBookDocument* settings);
