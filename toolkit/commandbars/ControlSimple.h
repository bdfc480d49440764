// The simple controls the collection makes by type: label (8), check box (9) and radio button
// (11). The label is a caption the keyboard passes over and a click leaves alone; check box and
// radio button are buttons with their own type, which the looks draw with a box or a dot. And
// the caption of a numbered menu entry (window, recent file and tool-bar lists).
#pragma once

#include "toolkit/commandbars/Control.h"

class CQorControlLabel : public CQorControl
{
    DECLARE_DYNCREATE(CQorControlLabel)
public:
    CQorControlLabel();
    // Nothing happens, except in customize mode, where a movable label is dragged.
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
};

class CQorControlCheckBox : public CQorControlButton
{
    DECLARE_DYNCREATE(CQorControlCheckBox)
public:
    CQorControlCheckBox() { m_nType = qorControlCheckBox; }
};

class CQorControlRadioButton : public CQorControlCheckBox
{
    DECLARE_DYNCREATE(CQorControlRadioButton)
public:
    CQorControlRadioButton() { m_nType = qorControlRadioButton; }
};

// Every "&" of the text doubled, then the number as its mnemonic: 1-9 "&3 text", 10 "1&0 text",
// above 10 "12 text", 0 (or less) the text alone.
CString FormatNumberedMenuCaption(LPCWSTR lpszText, int nNumber);
