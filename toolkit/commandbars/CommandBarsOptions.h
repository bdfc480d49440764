// The user-visible options of one command bars manager, the commands hidden as rarely used and
// those the user has used since, and their exchange through archives and keyed stores.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"

class CArchive;
class CQorCommandBars;
class CQorPaintManager;
class CQorPropExchange;

// A set of command ids (the value is always TRUE).
typedef CMap<UINT, UINT, BOOL, BOOL> CQorCommandIdSet;

class CQorCommandBarsOptions : public CCmdTarget
{
public:
    // What SetKeyboardCuesShow takes: cues always shown, never, or as the system says.
    enum { keyboardCuesShowAlways = 0, keyboardCuesShowNever = 1, keyboardCuesShowWindowsDefault = 2 };
    // What KeyboardCuesUse takes: 2 switches the Alt-key search off.
    enum { keyboardCuesUseMenuOnly = 1, keyboardCuesUseNone = 2 };
    // A keyed store holds at most this many entries of a set: command ids are 16-bit.
    enum { kMaxSetEntries = 65536 };

    explicit CQorCommandBarsOptions(CQorCommandBars* pCommandBars = nullptr);

    // Stores or loads every option, in the order older archives expect; after loading the
    // keyboard-cue choice is applied to the manager.
    void DoPropExchange(CQorPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    // Stores the choice and sets the manager's cue state from it: shown (0), hidden (1), or
    // for 2 hidden until Alt when the system hides keyboard cues, else shown.
    void SetKeyboardCuesShow(int nKind);
    int GetKeyboardCuesShow() const { return m_nKeyboardCuesShow; }

    CQorCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // The paint manager whose image options travel with these (null once the toolkit has shut
    // down).
    CQorPaintManager* GetPaintManager() const;

    BOOL m_bAlwaysShowFullMenus = TRUE;   // popups show rarely used controls too
    BOOL m_bShowFullAfterDelay = TRUE;    // an open popup expands to the full menu after a delay
    BOOL m_bToolBarScreenTips = TRUE;     // tool tips on tool bars
    BOOL m_bToolBarAccelTips = FALSE;     // shortcut keys in those tips
    BOOL m_bLargeIcons = FALSE;           // tool bars use the large icon size
    BOOL m_bSyncFloatingBars = TRUE;      // floating bars follow the frame's activation
    BOOL m_bShowExpandButtonAlways = TRUE; // tool bars keep the expand button when everything fits
    BOOL m_bDblClickFloat = FALSE;        // double-clicking a docked bar's gripper floats it
    BOOL m_bShowTextBelowIcons = FALSE;
    BOOL m_bAltDragCustomization = TRUE;  // Alt+drag moves controls
    BOOL m_bAutoHideUnusedPopups = TRUE;  // popups whose controls are all hidden are hidden too
    int m_nAnimationType = 0;             // popup animation kind
    int m_nKeyboardCuesUse = keyboardCuesUseMenuOnly;
    CSize m_szIcons = CSize(0, 0);        // tool-bar icon size; 0 x 0 follows the theme
    CSize m_szLargeIcons = CSize(0, 0);   // 0 x 0: twice the icon size
    CSize m_szPopupIcons = CSize(0, 0);

    CQorCommandIdSet m_mapHiddenCommands; // hidden as rarely used
    CQorCommandIdSet m_mapUsedCommands;   // hidden ones the user has used

    // Not exchanged.
    BOOL m_bDirty = FALSE;                  // layout, visibility or customization changed
    BOOL m_bShowStatusPrompt = TRUE;        // the pressed control's description goes to the status line
    BOOL m_bDisableCommandIfNoHandler = TRUE;
    BOOL m_bUseNumpadAccelerators = FALSE;  // numpad digits may be accelerators
    BOOL m_bKeyTips = FALSE;                // nothing sets it: key tips never show

private:
    // One set under a name: a counted section of "Item%i" entries in a keyed store, the
    // archive's own counted form in an archive.
    static void ExchangeSet(CQorPropExchange* pPX, LPCTSTR pszName, CQorCommandIdSet& set);
    static void ExchangeSetInArchive(CArchive& ar, CQorCommandIdSet& set);
    static void ExchangeSetInSection(CQorPropExchange* pSection, CQorCommandIdSet& set);
    // The set is exchanged when loading, when the exchange cannot drop defaults, or when it
    // holds something.
    static BOOL ShouldExchangeSet(CQorPropExchange* pPX, const CQorCommandIdSet& set);

    CQorCommandBars* m_pCommandBars;
    int m_nKeyboardCuesShow = keyboardCuesShowAlways;
};
