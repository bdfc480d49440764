#include "reader/ui/Accelerators.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "reader/book/ExeBookDocument.h"
#include "resources/resource.h"

BYTE ParseAccelModifiers(LPCWSTR text)
{
    CString lower(text ? text : L"");
    lower.MakeLower();
    BYTE flags = 0;
    if (lower.Find(L"ctrl") >= 0)
        flags |= FCONTROL;
    if (lower.Find(L"shift") >= 0)
        flags |= FSHIFT;
    if (lower.Find(L"alt") >= 0)
        flags |= FALT;
    return flags;
}

namespace {

WORD NamedKey(const CString& key)
{
    static const struct
    {
        LPCWSTR name;
        WORD vk;
    } kNames[] = {
        {L"UP", VK_UP},
        {L"DOWN", VK_DOWN},
        {L"LEFT", VK_LEFT},
        {L"RIGHT", VK_RIGHT},
    };
    for (const auto& entry : kNames) {
        if (key == entry.name)
            return entry.vk;
    }
    // F1-F9 and F10-F19.
    if (key.GetLength() == 2 && key[0] == L'F' && key[1] >= L'1' && key[1] <= L'9')
        return WORD(VK_F1 + (key[1] - L'1'));
    if (key.GetLength() == 3 && key[0] == L'F' && key[1] == L'1' && key[2] >= L'0' && key[2] <= L'9')
        return WORD(VK_F10 + (key[2] - L'0'));
    return 0;
}

WORD SingleCharacterKey(wchar_t ch)
{
    // Letters and digits are their own virtual keys.
    if ((ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9'))
        return WORD(ch);
    // Anything else is looked up on the keyboard layout: its code unit as a key would name
    // an unrelated key ("." is VK_DELETE). A character that needs a modifier, or that the
    // layout cannot type, gives no key.
    const SHORT scan = ::VkKeyScanW(ch);
    if (scan == -1 || HIBYTE(scan) != 0)
        return 0;
    return LOBYTE(scan);
}

} // namespace

WORD ParseAccelKey(LPCWSTR text)
{
    CString key(text ? text : L"");
    const int plus = key.ReverseFind(L'+');
    if (plus >= 0)
        key = key.Mid(plus + 1);
    key.Trim();
    key.MakeUpper();
    if (key.GetLength() == 1)
        return SingleCharacterKey(key[0]);
    return NamedKey(key);
}

std::vector<ACCEL> BookAcceleratorEntries(const CExeBookDocument& settings)
{
    std::vector<ACCEL> entries;
    entries.push_back(ACCEL{FVIRTKEY, VK_F3, ID_LOCATE_KEYWORDS});
    for (const EXEBOOKBUTTONDATA& button : settings.m_Buttons) {
        if (button.nCommandID == 0 || button.strAccel.IsEmpty())
            continue;
        const WORD key = ParseAccelKey(button.strAccel);
        if (key == 0)
            continue;
        entries.push_back(ACCEL{BYTE(ParseAccelModifiers(button.strAccel) | FVIRTKEY), key, WORD(button.nCommandID)});
    }
    return entries;
}

BOOL BuildAcceleratorTable(CQorShortcutManager* shortcuts, const CExeBookDocument* settings)
{
    std::vector<ACCEL> entries;
    if (settings)
        entries = BookAcceleratorEntries(*settings);
    else
        entries.push_back(ACCEL{FVIRTKEY, VK_F3, ID_LOCATE_KEYWORDS});
    HACCEL table = ::CreateAcceleratorTableW(entries.data(), int(entries.size()));
    if (!table)
        return FALSE;
    shortcuts->SetAcceleratorTable(table);
    return TRUE;
}
