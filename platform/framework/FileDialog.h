// CFileDialog: the system's open and save dialogs. The filter is written with "|" between
// its parts ("All files (*.*)|*.*|"); the chosen path is read after IDOK.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <vector>
#include "platform/framework/Strings.h"

class CWnd;

class CFileDialog
{
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;

    // IDOK or IDCANCEL (also when the dialog could not be shown).
    virtual INT_PTR DoModal();
    CString GetPathName() const { return CString(m_fileName.data()); }

    OPENFILENAMEW m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    std::vector<wchar_t> m_filter;
    std::vector<wchar_t> m_fileName;
    CWnd* m_pParentWnd;
};
