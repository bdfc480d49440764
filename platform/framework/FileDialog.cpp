#include "platform/framework/FileDialog.h"
#include <string.h>
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"

namespace {
const size_t kPathCapacity = 4096;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt ? lpszDefExt : L""),
      m_fileName(kPathCapacity, 0), m_pParentWnd(pParentWnd)
{
    if (lpszFileName)
        wcsncpy(m_fileName.data(), lpszFileName, kPathCapacity - 1);
    if (lpszFilter) {
        // "a|b|" becomes "a\0b\0\0".
        for (LPCTSTR p = lpszFilter; *p; ++p)
            m_filter.push_back(*p == L'|' ? L'\0' : *p);
        m_filter.push_back(L'\0');
        m_filter.push_back(L'\0');
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = DWORD(m_fileName.size());
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}
