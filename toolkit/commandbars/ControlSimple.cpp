#include "toolkit/commandbars/ControlSimple.h"

#include "toolkit/commandbars/CommandBar.h"

IMPLEMENT_DYNCREATE(CQorControlLabel, CQorControl)
IMPLEMENT_DYNCREATE(CQorControlCheckBox, CQorControlButton)
IMPLEMENT_DYNCREATE(CQorControlRadioButton, CQorControlCheckBox)

CQorControlLabel::CQorControlLabel()
{
    m_nType = qorControlLabel;
    // A label is read, not used: the keyboard passes over it, command UI leaves it alone and
    // customizing does not move it unless the flag is cleared.
    m_nFlags = qorFlagSkipFocus | qorFlagNoCommandUI | qorFlagNoMovable;
}

void CQorControlLabel::OnClick(BOOL, CPoint point)
{
    if (!IsCustomizeMode() || (m_nFlags & qorFlagNoMovable) || !m_pParent)
        return;
    m_pParent->SetPopuped(-1);
    m_pParent->SetSelected(-1);
    OnCustomizeMouseDown(point);
}

CString FormatNumberedMenuCaption(LPCWSTR lpszText, int nNumber)
{
    CString strText(lpszText ? lpszText : L"");
    strText.Replace(L"&", L"&&");
    CString strCaption;
    if (nNumber >= 1 && nNumber <= 9)
        strCaption.Format(L"&%i %s", nNumber, static_cast<LPCWSTR>(strText));
    else if (nNumber == 10)
        strCaption.Format(L"1&0 %s", static_cast<LPCWSTR>(strText));
    else if (nNumber > 10)
        strCaption.Format(L"%i %s", nNumber, static_cast<LPCWSTR>(strText));
    else
        strCaption = strText;
    return strCaption;
}
