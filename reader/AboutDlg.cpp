#include "reader/AboutDlg.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD, pParent) {}
