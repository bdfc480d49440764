#include "platform/browser/FindDialog.h"
#include "platform/browser/BrowserControl.h"

namespace fxb {

FindDialog::FindDialog(BrowserControl& owner) : m_owner(owner) {}

FindDialog::~FindDialog()
{
    if (m_dialog && IsWindow(m_dialog))
        DestroyWindow(m_dialog);
}

UINT FindDialog::Message()
{
    static UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

bool FindDialog::Show()
{
    if (m_dialog && IsWindow(m_dialog)) {
        ShowWindow(m_dialog, SW_SHOW);
        SetFocus(m_dialog);
        return true;
    }
    Message();
    m_fr = {};
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.hwndOwner = m_owner.Handle();
    m_fr.lpstrFindWhat = m_text;
    m_fr.wFindWhatLen = sizeof(m_text) / sizeof(m_text[0]);
    m_fr.Flags = FR_DOWN;
    m_dialog = FindTextW(&m_fr);
    return m_dialog != nullptr;
}

bool FindDialog::HandleMessage(LPARAM lp)
{
    auto* fr = reinterpret_cast<FINDREPLACEW*>(lp);
    if (fr != &m_fr)
        return false;
    if (fr->Flags & FR_DIALOGTERM) {
        m_dialog = nullptr;
        return true;
    }
    if (fr->Flags & FR_FINDNEXT) {
        bool found = m_owner.FindNext(m_text, (fr->Flags & FR_MATCHCASE) != 0, (fr->Flags & FR_WHOLEWORD) != 0,
                                      (fr->Flags & FR_DOWN) != 0);
        if (!found)
            MessageBeep(MB_ICONINFORMATION);
    }
    return true;
}

} // namespace fxb
