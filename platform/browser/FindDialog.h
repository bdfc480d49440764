// The modeless find dialog of the page control (the common find dialog of the platform).
#pragma once
#include <windows.h>
#include <commdlg.h>

namespace fxb {

class BrowserControl;

class FindDialog
{
public:
    explicit FindDialog(BrowserControl& owner);
    ~FindDialog();
    FindDialog(const FindDialog&) = delete;
    FindDialog& operator=(const FindDialog&) = delete;

    // Shows the dialog (creating it when needed) and gives it the focus.
    bool Show();
    HWND Handle() const { return m_dialog; }
    // The registered message the dialog sends to the control; true when it was handled.
    static UINT Message();
    bool HandleMessage(LPARAM lp);

private:
    BrowserControl& m_owner;
    FINDREPLACEW m_fr = {};
    wchar_t m_text[256] = {};
    HWND m_dialog = nullptr;
};

} // namespace fxb
