// The dialog that asks for a zoom percentage between 10 and 1000.
#pragma once

#include "platform/framework/Dialog.h"

class CCustomZoomDlg : public CDialog
{
public:
    enum { IDD = 725 };
    static const int kMinZoom = 10;
    static const int kMaxZoom = 1000;

    explicit CCustomZoomDlg(CWnd* pParent = nullptr);

    int m_nZoom;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
