// CDialog: dialogs from templates of the current resource module, modal (DoModal, with its
// own message loop and the owner disabled) or modeless (Create); and the data exchange
// between a dialog's controls and its members (DoDataExchange with DDX_/DDV_ functions).
#pragma once

#include <windows.h>
#include "platform/framework/Exceptions.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Wnd.h"

class CDataExchange;

// Thrown by CDataExchange::Fail after the user was told what is wrong.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};

[[noreturn]] void AfxThrowUserException();

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modal: runs until EndDialog and returns its result; -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    // Modeless.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    void EndDialog(int nResult);

    // Copies between controls and members (bSaveAndValidate: from the controls, with
    // validation). FALSE when a validation failed; the user has been told then.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    virtual BOOL OnInitDialog(); // UpdateData(FALSE); TRUE: the system sets the focus

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();     // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)

    // The window that owns a modal dialog (it is disabled while the dialog runs).
    HWND PreModal();
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    CWnd* m_pParentWnd;
    HWND m_hWndTop;

    DECLARE_MESSAGE_MAP()
};

// The exchange between one dialog's controls and its members.
class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls -> members, with validation
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC);     // the control; remembered for Fail
    HWND PrepareEditCtrl(int nIDC); // an edit control; Fail selects its text
    // Puts the focus on the last prepared control and ends the exchange (CUserException).
    [[noreturn]] void Fail();

    int m_idLastControl;
    BOOL m_bEditLastControl;
};

// Texts of edit controls.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// Check boxes (0, 1, 2) and radio groups (index of the checked button of the group that
// starts with nIDC, -1 for none).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control with rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation after the matching DDX_ call.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
