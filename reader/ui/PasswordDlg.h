// The book password prompt of the start gate: names the book and takes one typed password.
#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"

class CPasswordDlg : public CDialog
{
public:
    enum { IDD = 148 };

    explicit CPasswordDlg(LPCTSTR lpszBookName, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CStatic m_wndPrompt;
    CString m_strPassword; // what was typed; read after IDOK

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CString m_strBookName;
};

// Whether the gate lets the reader in: always for a book without a password; otherwise only
// when the prompt ended with IDOK and the typed text equals the password exactly (letter case
// included). An empty typed text never opens a book that has a password.
BOOL PasswordGatePasses(const CString& storedPassword, INT_PTR dialogResult, const CString& typed);
