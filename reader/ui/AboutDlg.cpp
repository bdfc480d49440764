#include "reader/ui/AboutDlg.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD, pParent) {}
