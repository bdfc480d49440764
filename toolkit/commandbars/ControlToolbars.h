// The tool-bars list of a menu: a placeholder that, before each layout of its bar, puts one
// entry per listed tool bar right after itself (checked while the bar shows; choosing it shows
// or hides that bar), followed by the Customize command when the user may customize.
#pragma once

#include "toolkit/commandbars/Control.h"

class CQorToolBar;

class CQorControlToolbars : public CQorControlButton
{
    DECLARE_DYNCREATE(CQorControlToolbars)
public:
    // The command id the collection makes this placeholder for.
    enum { kPlaceholderId = 59392 };
    // The parameter text of every control the placeholder inserted.
    static LPCWSTR GetEntryParameter() { return L"CQorControlToolbar"; }

    CQorControlToolbars();

    // Before a layout: the entries of the last expansion give way to the current ones. In
    // customize mode the placeholder shows itself and adds nothing.
    void OnCalcDynamicSize(DWORD dwMode) override;
    // The list only makes sense in a menu.
    BOOL IsCustomizeDragOverAvail(CQorCommandBar* pBar, CPoint point, DROPEFFECT& dropEffect) override;

private:
    // The entries that follow the placeholder already stand for exactly these bars: they only
    // take the bars' current captions and states (no renumbering, no new layout).
    BOOL RefreshEntries(const CArray<int, int>& arrIndexes, BOOL bWithCustomize);
};

// One entry of the list: it remembers its bar's index in the command bars' list.
class CQorControlToolbar : public CQorControlButton
{
    DECLARE_DYNCREATE(CQorControlToolbar)
public:
    CQorControlToolbar();

    // Closes the open popups and shows or hides the bar, when the index still names it.
    void OnExecute() override;
    void Copy(const CQorControl* pSource, BOOL bRecursive = FALSE) override;

    int m_nBarIndex = -1;
    // The bar the index named when the entry was made; compared, never used.
    const void* m_pBarAtIndex = nullptr;
};

// Whether the tool-bars list shows a bar: a tool bar with both its listing flags set.
BOOL IsToolBarListed(const CQorCommandBar* pBar);
// Inserts the tool-bars entries into a bar's controls from nIndex on (the first begins a group
// with bBeginGroup) and, with bAddCustomize when the command bars allow customizing, the
// Customize command as a group of its own. Answers the index after the last inserted control.
int FillToolbarsList(CQorCommandBar* pBar, int nIndex, int nId, BOOL bAddCustomize, BOOL bBeginGroup);
