#include "toolkit/commandbars/KeyHelper.h"

#include <wctype.h>

#include <vector>

#include "toolkit/commandbars/ShortcutManager.h"

namespace {

const UINT kCtrlBreakKey = 3; // VK_CANCEL: its name says Ctrl already

bool SameCharacter(WCHAR chTyped, WCHAR chKey)
{
    return chTyped == chKey || static_cast<WCHAR>(towupper(chTyped)) == chKey;
}

} // namespace

CKeyHelper::CKeyHelper(const ACCEL* lpAccel, CQorShortcutManager* pManager) : m_lpAccel(lpAccel), m_pManager(pManager)
{}

CKeyHelper::~CKeyHelper() = default;

void CKeyHelper::Format(CString& str) const
{
    str.Empty();
    if (!m_lpAccel)
        return;
    const BYTE fVirt = m_lpAccel->fVirt;
    const WORD key = m_lpAccel->key;
    if (key != kCtrlBreakKey) {
        if (fVirt & FCONTROL)
            str += m_pManager->GetKeyName(VK_CONTROL) + L"+";
        if (fVirt & FSHIFT)
            str += m_pManager->GetKeyName(VK_SHIFT) + L"+";
        if (fVirt & FALT)
            str += m_pManager->GetKeyName(VK_MENU) + L"+";
    }
    if (key != 0) {
        if (fVirt & FVIRTKEY)
            str += m_pManager->GetKeyName(key);
        else if (key != VK_ESCAPE && key != VK_TAB)
            str += static_cast<WCHAR>(key);
    } else if (!str.IsEmpty() && str[str.GetLength() - 1] == L'+') {
        // No key: only the modifiers, without the "+" that would join them to it.
        str.Delete(str.GetLength() - 1);
    }
}

int CKeyHelper::GetPriority() const
{
    if (!m_lpAccel)
        return 0;
    if (m_lpAccel->fVirt & FCONTROL)
        return 3;
    if (m_lpAccel->fVirt & FALT)
        return 2;
    if (m_lpAccel->fVirt & FSHIFT)
        return 1;
    return 4;
}

BOOL CKeyHelper::IsKeyCharacter(WCHAR chAccel, UINT uiVirtKey)
{
    if (::MapVirtualKeyW(uiVirtKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    if (SameCharacter(chAccel, static_cast<WCHAR>(uiVirtKey)))
        return TRUE;
    const int nLayouts = ::GetKeyboardLayoutList(0, nullptr);
    if (nLayouts < 2)
        return FALSE;
    std::vector<HKL> layouts(nLayouts);
    ::GetKeyboardLayoutList(nLayouts, layouts.data());
    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    for (HKL hLayout : layouts) {
        for (int nPass = 0; nPass < 2; ++nPass) {
            if (nPass == 1)
                keyState[VK_SHIFT] = 0x81;
            WCHAR szChar[2] = {};
            const int nChars = ::ToUnicodeEx(uiVirtKey, 0, keyState, szChar, 1, 0, hLayout);
            if (nChars == 1 && SameCharacter(chAccel, szChar[0]))
                return TRUE;
        }
        ::GetKeyboardState(keyState);
    }
    return FALSE;
}
