// The frame's accelerator table on behalf of the command bars: it translates key messages
// through the table and turns accelerators into the shortcut texts shown beside commands.
// A copy of the table as installed is kept, so that Reset returns to it after a load.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Strings.h"

class CQorCommandBars;
class CQorPropExchange;

class CQorShortcutManager : public CCmdTarget
{
public:
    explicit CQorShortcutManager(CQorCommandBars* pCommandBars);
    ~CQorShortcutManager() override;
    CQorShortcutManager(const CQorShortcutManager&) = delete;
    CQorShortcutManager& operator=(const CQorShortcutManager&) = delete;

    // The shortcut text of a command. A text the caller already shows that is one of the
    // command's shortcuts stays; else the best one (plain before Ctrl before Alt before Shift).
    // FALSE and an empty text when no accelerator has the command.
    virtual BOOL FindDefaultAccelerator(UINT nCmd, CString& strShortcut);
    virtual CString Format(const ACCEL* lpAccel, int* pPriority);
    virtual CString GetKeyName(UINT uiVirtKey);
    // Esc alone is no shortcut unless m_bAllowEscapeShortcut is set.
    virtual BOOL IsAllowedAccelerator(ACCEL accel);
    virtual void ExchangeProperties(CQorPropExchange* pPX);
    virtual HACCEL GetAcceleratorTable() const;
    // Back to a copy of the table as installed (none when none was).
    virtual void Reset();

    // Installs a table (owned from now on) and keeps a copy of it for Reset; both previous
    // tables are destroyed.
    void SetAcceleratorTable(HACCEL hAccelTable);
    // Translates a key message through the table while translation is not locked.
    BOOL TranslateAccelerator(HWND hWnd, LPMSG lpMsg);
    // A new table with the same entries; null for a null or empty table.
    static HACCEL DuplicateAcceleratorTable(HACCEL hAccelTable);

    CQorCommandBars* GetCommandBars() const { return m_pCommandBars; }

    BOOL m_bAllowEscapeShortcut;  // a plain Esc is a valid shortcut
    BOOL m_bUseSystemKeyNameText; // prefer the keyboard driver's key names
    int m_nDisableShortcuts;      // keys are translated only while this is below 1

protected:
    CString GetSystemKeyName(UINT uiVirtKey) const;
    // Replaces the current table by one made of nCount entries.
    void ReplaceTable(const ACCEL* pEntries, int nCount);
    // One entry of the named-section form: "Id", "virt" and "key".
    static void ExchangeEntry(CQorPropExchange* pSection, ACCEL& accel);

    CQorCommandBars* m_pCommandBars;
    HACCEL m_hAccelTable;
    HACCEL m_hOriginalAccelTable;
    CMap<UINT, UINT, CString, const CString&> m_mapKeyNames;
};
