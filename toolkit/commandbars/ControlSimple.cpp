#include "toolkit/commandbars/ControlSimple.h"

IMPLEMENT_DYNCREATE(CQorControlLabel, CQorControl)
IMPLEMENT_DYNCREATE(CQorControlCheckBox, CQorControlButton)
IMPLEMENT_DYNCREATE(CQorControlRadioButton, CQorControlCheckBox)

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
