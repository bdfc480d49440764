// The warning shown before an attachment is opened: save it to disk (the default) or open it.
#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"

class COpenAtachmentsWarningDlg : public CDialog
{
public:
    enum { IDD = 145 };
    enum { ChoiceSave = 0, ChoiceOpen = 1 };

    explicit COpenAtachmentsWarningDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nChoice; // ChoiceSave or ChoiceOpen; read after IDOK
    CStatic m_wndIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
