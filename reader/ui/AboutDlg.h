// The about box: the program's name and version with the maker's web and mail addresses.
#pragma once

#include "platform/framework/Dialog.h"

class CAboutDlg : public CDialog
{
public:
    enum { IDD = 100 };

    explicit CAboutDlg(CWnd* pParent = nullptr);
};
