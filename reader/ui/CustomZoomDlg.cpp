#include "reader/ui/CustomZoomDlg.h"
#include "resources/resource.h"
#include <commctrl.h>

CCustomZoomDlg::CCustomZoomDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nZoom(100) {}

void CCustomZoomDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ZOOM_EDIT, m_nZoom);
    DDV_MinMaxInt(pDX, m_nZoom, kMinZoom, kMaxZoom);
}

BOOL CCustomZoomDlg::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    HWND spin = ::GetDlgItem(m_hWnd, IDC_ZOOM_SPIN);
    if (spin) {
        ::SendMessageW(spin, UDM_SETRANGE32, kMinZoom, kMaxZoom);
        ::SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(m_nZoom, 0));
    }
    return result;
}
