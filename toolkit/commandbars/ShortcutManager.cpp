#include "toolkit/commandbars/ShortcutManager.h"

#include <stdlib.h>
#include <wctype.h>

#include <vector>

#include "platform/framework/Exceptions.h"
#include "platform/framework/FrameWnd.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/KeyHelper.h"
#include "toolkit/foundation/PropExchange.h"

namespace {

struct KeyName
{
    UINT nKey;
    LPCWSTR pszName;
};

// The names shown whatever the keyboard driver calls the keys (digits and letters are added
// by their own character).
const KeyName kKeyNames[] = {
    {1, L"Left Button"},        {2, L"Right Button"},
    {3, L"Ctrl+Break"},         {4, L"Middle Button"},
    {VK_BACK, L"Backspace"},    {VK_TAB, L"Tab"},
    {VK_CLEAR, L"Clear"},       {VK_RETURN, L"Enter"},
    {VK_SHIFT, L"Shift"},       {VK_CONTROL, L"Ctrl"},
    {VK_MENU, L"Alt"},          {VK_PAUSE, L"Pause"},
    {VK_CAPITAL, L"Caps Lock"}, {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"},       {VK_PRIOR, L"Page Up"},
    {VK_NEXT, L"Page Down"},    {VK_END, L"End"},
    {VK_HOME, L"Home"},         {VK_LEFT, L"Left Arrow"},
    {VK_UP, L"Up Arrow"},       {VK_RIGHT, L"Right Arrow"},
    {VK_DOWN, L"Down Arrow"},   {VK_SELECT, L"Select"},
    {VK_PRINT, L"Print"},       {VK_EXECUTE, L"Execute"},
    {VK_SNAPSHOT, L"Snapshot"}, {VK_INSERT, L"Ins"},
    {VK_DELETE, L"Del"},        {VK_HELP, L"Help"},
    {VK_LWIN, L"Left Windows"}, {VK_RWIN, L"Right Windows"},
    {VK_APPS, L"Application"},  {VK_MULTIPLY, L"Num *"},
    {VK_ADD, L"Num +"},         {VK_SEPARATOR, L"Separator"},
    {VK_SUBTRACT, L"Num -"},    {VK_DECIMAL, L"Num ."},
    {VK_DIVIDE, L"Num /"},      {VK_NUMLOCK, L"Num Lock"},
    {VK_SCROLL, L"Scrl Lock"},  {VK_ATTN, L"Attn"},
    {VK_CRSEL, L"Crsel"},       {VK_EXSEL, L"Exsel"},
    {VK_EREOF, L"Ereof"},       {VK_PLAY, L"Play"},
    {VK_ZOOM, L"Zoom"},         {VK_NONAME, L"No Name"},
    {VK_PA1, L"Pa1"},           {VK_OEM_CLEAR, L"Oem Clear"},
};

// The largest count of 6-byte records whose byte size fits in 32 bits.
const int kMaxAccelCount = 0x2AAAAAAA;

} // namespace

CQorShortcutManager::CQorShortcutManager(CQorCommandBars* pCommandBars)
    : m_bAllowEscapeShortcut(FALSE), m_bUseSystemKeyNameText(FALSE), m_nDisableShortcuts(0),
      m_pCommandBars(pCommandBars), m_hAccelTable(nullptr), m_hOriginalAccelTable(nullptr)
{
    m_mapKeyNames.InitHashTable(17);
    for (const KeyName& entry : kKeyNames)
        m_mapKeyNames[entry.nKey] = entry.pszName;
    for (WCHAR ch = L'0'; ch <= L'9'; ++ch)
        m_mapKeyNames[ch] = CString(ch);
    for (WCHAR ch = L'A'; ch <= L'Z'; ++ch)
        m_mapKeyNames[ch] = CString(ch);
    for (UINT n = 0; n <= 9; ++n)
        m_mapKeyNames[VK_NUMPAD0 + n].Format(L"Num %u", n);
    for (UINT n = 1; n <= 12; ++n)
        m_mapKeyNames[VK_F1 + n - 1].Format(L"F%u", n);
}

CQorShortcutManager::~CQorShortcutManager()
{
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
}

HACCEL CQorShortcutManager::GetAcceleratorTable() const
{
    return m_hAccelTable;
}

void CQorShortcutManager::SetAcceleratorTable(HACCEL hAccelTable)
{
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    m_hAccelTable = hAccelTable;
    m_hOriginalAccelTable = DuplicateAcceleratorTable(hAccelTable);
}

void CQorShortcutManager::Reset()
{
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = DuplicateAcceleratorTable(m_hOriginalAccelTable);
}

BOOL CQorShortcutManager::TranslateAccelerator(HWND hWnd, LPMSG lpMsg)
{
    if (m_nDisableShortcuts >= 1)
        return FALSE;
    HACCEL hAccelTable = GetAcceleratorTable();
    return hAccelTable && ::TranslateAcceleratorW(hWnd, hAccelTable, lpMsg);
}

HACCEL CQorShortcutManager::DuplicateAcceleratorTable(HACCEL hAccelTable)
{
    if (!hAccelTable)
        return nullptr;
    const int nCount = ::CopyAcceleratorTableW(hAccelTable, nullptr, 0);
    if (nCount <= 0)
        return nullptr;
    std::vector<ACCEL> entries(nCount);
    ::CopyAcceleratorTableW(hAccelTable, entries.data(), nCount);
    return ::CreateAcceleratorTableW(entries.data(), nCount);
}

BOOL CQorShortcutManager::IsAllowedAccelerator(ACCEL accel)
{
    const BOOL bPlainEscape = accel.fVirt == FVIRTKEY && accel.key == VK_ESCAPE;
    return !bPlainEscape || m_bAllowEscapeShortcut;
}

CString CQorShortcutManager::GetSystemKeyName(UINT uiVirtKey) const
{
    if (uiVirtKey == 3)
        return CString();
    LPARAM lParam =
        static_cast<LPARAM>(::MapVirtualKeyExW(uiVirtKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0))) << 16 | 1;
    // Page Up to Help are the extended keys, not their namesakes on the numeric pad.
    if (uiVirtKey >= VK_PRIOR && uiVirtKey <= VK_HELP)
        lParam |= 0x1000000;
    WCHAR szName[50] = {};
    ::GetKeyNameTextW(static_cast<LONG>(lParam), szName, 50);
    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i) {
        if (iswlower(strName[i])) {
            strName.SetAt(i, static_cast<WCHAR>(towupper(strName[i])));
            break;
        }
    }
    return strName;
}

CString CQorShortcutManager::GetKeyName(UINT uiVirtKey)
{
    CString strCustom;
    m_mapKeyNames.Lookup(uiVirtKey, strCustom);
    CString strName;
    if (m_bUseSystemKeyNameText) {
        strName = GetSystemKeyName(uiVirtKey);
        if (strName.IsEmpty())
            strName = strCustom;
    } else {
        strName = strCustom.IsEmpty() ? GetSystemKeyName(uiVirtKey) : strCustom;
    }
    // The keyboard driver has no name for F13 to F24: call them by their number.
    if (strName.IsEmpty() && uiVirtKey >= VK_F13 && uiVirtKey <= VK_F24)
        strName.Format(L"F%u", uiVirtKey - VK_F1 + 1);
    return strName;
}

CString CQorShortcutManager::Format(const ACCEL* lpAccel, int* pPriority)
{
    CKeyHelper helper(lpAccel, this);
    CString str;
    helper.Format(str);
    if (pPriority)
        *pPriority = helper.GetPriority();
    return str;
}

BOOL CQorShortcutManager::FindDefaultAccelerator(UINT nCmd, CString& strShortcut)
{
    // Without a table of its own (nor one to reset to) the frame's own table says it; a manager
    // without command bars, or bars without a frame, has none.
    HACCEL hAccelTable = GetAcceleratorTable();
    if (!hAccelTable && !m_hOriginalAccelTable && m_pCommandBars) {
        const HWND hWndSite = m_pCommandBars->GetSite();
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndSite));
        if (pFrame)
            hAccelTable = pFrame->GetDefaultAccelerator();
    }
    if (!hAccelTable)
        return FALSE;
    const int nCount = ::CopyAcceleratorTableW(hAccelTable, nullptr, 0);
    std::vector<ACCEL> entries(nCount > 0 ? nCount : 0);
    if (nCount > 0)
        ::CopyAcceleratorTableW(hAccelTable, entries.data(), nCount);

    BOOL bFound = FALSE;
    BOOL bCallersTextFound = FALSE;
    CString strBest;
    int nBestPriority = 0;
    for (const ACCEL& accel : entries) {
        if (accel.cmd != nCmd)
            continue;
        bFound = TRUE;
        int nPriority = 0;
        const CString strText = Format(&accel, &nPriority);
        if (strText == strShortcut)
            bCallersTextFound = TRUE;
        else if (nPriority > nBestPriority) {
            strBest = strText;
            nBestPriority = nPriority;
        }
    }
    if (!bFound) {
        strShortcut.Empty();
        return FALSE;
    }
    if (!bCallersTextFound)
        strShortcut = strBest;
    return TRUE;
}

void CQorShortcutManager::ReplaceTable(const ACCEL* pEntries, int nCount)
{
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = nCount > 0 ? ::CreateAcceleratorTableW(const_cast<ACCEL*>(pEntries), nCount) : nullptr;
}

void CQorShortcutManager::ExchangeProperties(CQorPropExchange* pPX)
{
    const BOOL bArchive = dynamic_cast<CQorPropExchangeArchive*>(pPX) != nullptr;
    if (!pPX->IsLoading()) {
        const int nCount = m_hAccelTable ? ::CopyAcceleratorTableW(m_hAccelTable, nullptr, 0) : 0;
        std::vector<ACCEL> entries(nCount);
        if (nCount > 0)
            ::CopyAcceleratorTableW(m_hAccelTable, entries.data(), nCount);
        if (bArchive) {
            int nStored = nCount;
            pPX->ExchangeProp(L"Count", QOR_PROP_I4, &nStored, nullptr);
            pPX->WriteBlob(L"Data", reinterpret_cast<BYTE*>(entries.data()),
                           static_cast<DWORD>(nCount * sizeof(ACCEL)));
            return;
        }
        CQorPropExchangeEnumerator* pEnumerator = pPX->GetEnumerator(L"Accel");
        POSITION pos = pEnumerator->GetPosition(static_cast<DWORD>(nCount), FALSE);
        for (int i = 0; pos && i < nCount; ++i) {
            CQorPropExchange* pSection = pEnumerator->GetNext(pos);
            ExchangeEntry(pSection, entries[i]);
            pSection->InternalRelease();
        }
        delete pEnumerator;
        return;
    }

    if (bArchive) {
        int nCount = 0;
        pPX->ExchangeProp(L"Count", QOR_PROP_I4, &nCount, nullptr);
        // A count that is negative or whose byte size does not fit is a damaged archive; the
        // table stays as it is.
        if (nCount < 0 || nCount > kMaxAccelCount)
            AfxThrowMemoryException();
        ACCEL* pEntries = static_cast<ACCEL*>(malloc(static_cast<size_t>(nCount) * sizeof(ACCEL) + 1));
        if (!pEntries)
            AfxThrowMemoryException();
        const DWORD nBytes = static_cast<DWORD>(nCount * sizeof(ACCEL));
        if (nBytes != 0 && pPX->ReadBlob(L"Data", reinterpret_cast<BYTE*>(pEntries), nBytes) != nBytes) {
            free(pEntries);
            AfxThrowArchiveException(CArchiveException::endOfFile);
        }
        ReplaceTable(pEntries, nCount);
        free(pEntries);
        return;
    }
    std::vector<ACCEL> entries;
    CQorPropExchangeEnumerator* pEnumerator = pPX->GetEnumerator(L"Accel");
    POSITION pos = pEnumerator->GetPosition(0, FALSE);
    if (pEnumerator->GetCount() > static_cast<DWORD>(kMaxAccelCount)) {
        delete pEnumerator;
        AfxThrowMemoryException();
    }
    while (pos) {
        CQorPropExchange* pSection = pEnumerator->GetNext(pos);
        ACCEL accel = {};
        ExchangeEntry(pSection, accel);
        pSection->InternalRelease();
        entries.push_back(accel);
    }
    delete pEnumerator;
    ReplaceTable(entries.data(), static_cast<int>(entries.size()));
}

void CQorShortcutManager::ExchangeEntry(CQorPropExchange* pSection, ACCEL& accel)
{
    const short nDefaultShort = 0;
    const BYTE nDefaultByte = 0;
    short nCmd = static_cast<short>(accel.cmd);
    BYTE fVirt = accel.fVirt;
    short nKey = static_cast<short>(accel.key);
    pSection->ExchangeProp(L"Id", QOR_PROP_I2, &nCmd, &nDefaultShort);
    pSection->ExchangeProp(L"virt", QOR_PROP_UI1, &fVirt, &nDefaultByte);
    pSection->ExchangeProp(L"key", QOR_PROP_I2, &nKey, &nDefaultShort);
    accel.cmd = static_cast<WORD>(nCmd);
    accel.fVirt = fVirt;
    accel.key = static_cast<WORD>(nKey);
}
