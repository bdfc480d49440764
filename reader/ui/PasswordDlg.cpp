#include "reader/ui/PasswordDlg.h"
#include "reader/app/FileUtil.h"
#include "resources/resource.h"

CPasswordDlg::CPasswordDlg(LPCTSTR lpszBookName, CWnd* pParent)
    : CDialog(IDD, pParent), m_strBookName(lpszBookName ? lpszBookName : L"")
{}

void CPasswordDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PASSWORD_PROMPT, m_wndPrompt);
    DDX_Text(pDX, IDC_PASSWORD_EDIT, m_strPassword);
}

BOOL CPasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString prompt;
    prompt.LoadString(IDS_BOOK_PROTECTED);
    m_wndPrompt.SetWindowText(ReplacePlaceholderOne(prompt, m_strBookName));
    return TRUE;
}

BOOL PasswordGatePasses(const CString& storedPassword, INT_PTR dialogResult, const CString& typed)
{
    if (storedPassword.IsEmpty())
        return TRUE;
    return dialogResult == IDOK && !typed.IsEmpty() && typed.Compare(storedPassword) == 0;
}
