#include "reader/ui/AboutDlg.h"
#include "resources/resource.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_WEB, m_wndWeb);
    DDX_Control(pDX, IDC_ABOUT_MAIL, m_wndMail);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The web link opens the address it shows; the mail link needs the scheme in front.
    CString address;
    m_wndMail.GetWindowText(address);
    m_wndMail.SetURL(L"mailto:" + address);
    return TRUE;
}
