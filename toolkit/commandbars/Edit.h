// The edit window bar controls place on a bar (the combo box's and the edit control's text
// part). Here so far its class, which the frame and the manager recognise a focused one by,
// a plain single-line edit window and its selection test; the rich-edit kind, the context menu
// and the edit commands come with the bar controls that own one.
#pragma once

#include "platform/framework/Controls.h"

class CQorEdit : public CEdit
{
    DECLARE_DYNCREATE(CQorEdit)
public:
    // The window, with an empty rectangle and child id 0: the owning control places it.
    virtual BOOL CreateEdit(DWORD dwStyle, CWnd* pParentWnd);
    // The selection is not empty.
    BOOL HasSelection() const;
};
