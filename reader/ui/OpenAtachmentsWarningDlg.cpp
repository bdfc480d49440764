#include "reader/ui/OpenAtachmentsWarningDlg.h"
#include "reader/app/FileUtil.h"
#include "resources/resource.h"

namespace {

CString ResourceString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

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
    // The name may be long enough to be cut in its line; the extension has a line of its own.
    const CString shown = DisplayFileName(m_strFileName);
    const CString extension = GetFileExtensionOfPath(shown);
    SetDlgItemText(IDC_WARNING_FILE_NAME, ReplacePlaceholderOne(ResourceString(IDS_ATTACHMENT_FILE_NAME), shown));
    SetDlgItemText(IDC_WARNING_FILE_TYPE,
                   extension.IsEmpty() ? ResourceString(IDS_ATTACHMENT_NO_EXTENSION)
                                       : ReplacePlaceholderOne(ResourceString(IDS_ATTACHMENT_EXTENSION), extension));
    return TRUE;
}
