// The warning shown before an attachment is opened: it names the file and its extension, the
// part that decides which program opens it, and asks to save it to disk (the default) or open it.
#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/Strings.h"

class COpenAtachmentsWarningDlg : public CDialog
{
public:
    enum { IDD = 145 };
    enum { ChoiceSave = 0, ChoiceOpen = 1 };

    explicit COpenAtachmentsWarningDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nChoice; // ChoiceSave or ChoiceOpen; read after IDOK
    CString m_strFileName; // the attachment's name as shown; set before DoModal
    CStatic m_wndIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
