// The text of one accelerator ("Ctrl+Shift+F3"), and whether a typed character belongs to a key.
#pragma once

#include <windows.h>

#include "platform/framework/Strings.h"

class CQorShortcutManager;

class CKeyHelper
{
public:
    CKeyHelper(const ACCEL* lpAccel, CQorShortcutManager* pManager);
    virtual ~CKeyHelper();

    // Modifier names, each followed by "+", then the key's name (or the character itself).
    void Format(CString& str) const;
    // Which of a command's shortcuts is shown: 4 plain, 3 with Ctrl, 2 with Alt, 1 with Shift.
    int GetPriority() const;

    // Whether a typed character is the one of a virtual key, in any installed keyboard layout.
    static BOOL IsKeyCharacter(WCHAR chAccel, UINT uiVirtKey);

protected:
    const ACCEL* m_lpAccel;
    CQorShortcutManager* m_pManager;
};
