#include "reader/ui/OpenAtachmentsWarningDlg.h"
#include "resources/resource.h"

COpenAtachmentsWarningDlg::COpenAtachmentsWarningDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nChoice(ChoiceSave) {}

void COpenAtachmentsWarningDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SAVE_CHOICE, m_nChoice);
    DDX_Control(pDX, IDC_WARNING_ICON, m_wndIcon);
}

BOOL COpenAtachmentsWarningDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndIcon.SetIcon(::LoadIconW(nullptr, IDI_WARNING));
    return TRUE;
}
