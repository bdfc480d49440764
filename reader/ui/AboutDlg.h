// The about box: the program's name and version with the maker's web and mail addresses as
// links; the mail link writes a message to the address it shows.
#pragma once

#include "platform/framework/Dialog.h"
#include "toolkit/foundation/HyperLink.h"

class CAboutDlg : public CDialog
{
public:
    enum { IDD = 100 };

    explicit CAboutDlg(CWnd* pParent = nullptr);

    CVkHyperLink& GetWebLink() { return m_wndWeb; }
    CVkHyperLink& GetMailLink() { return m_wndMail; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CVkHyperLink m_wndWeb;
    CVkHyperLink m_wndMail;
};
