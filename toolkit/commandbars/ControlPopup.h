// The control that owns a bar it opens: sub-menus (type 2), drop-down buttons (3) and split
// buttons (4), whose button part runs the command while the arrow part opens the bar. The bar
// is opened through the parent bar, which keeps the index of its open popup and its tracking
// mode; the control keeps whether its bar is open.
#pragma once

#include "toolkit/commandbars/Control.h"

#include <vector>

class CQorControlPopup : public CQorControlButton
{
    DECLARE_DYNCREATE(CQorControlPopup)
public:
    CQorControlPopup();
    ~CQorControlPopup() override;

    // Pressed states of a split button: which part the mouse holds.
    enum { pressedButtonPart = 3, pressedArrowPart = 4 };

    CQorCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Takes over the caller's reference; the previous bar is released.
    void SetCommandBar(CQorCommandBar* pBar);
    // The owned bar is shown as this control's popup.
    BOOL IsPopupOpen() const { return m_bPopup; }

    // Shows or hides the owned bar. Showing fails (and leaves the control closed) without a
    // bar, without a parent bar window, while a split button's button part is held, or when
    // the bar refuses to open; hiding ends the bar's tracking.
    BOOL SetPopuped(BOOL bPopup) override;
    // While the button part of a split button is held its pressed state is 3.
    int GetPressed() const override;

    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnKeyboardActivate() override;
    // The parent's hover timer: a popup the parent would show anyway opens at once.
    void ClosePopupOfBar() override;
    BOOL SetSelected(int nSelected) override;
    void OnCustomizeDragOver(CQorControl* pDataObject, CPoint point) override;

    BOOL IsEqual(const CQorControl* pOther) const override;
    // Recursive: the bar is cloned; otherwise it is shared (one more reference).
    void Copy(const CQorControl* pSource, BOOL bRecursive = FALSE) override;

    // The rectangle the open popup must leave uncovered, from the control's rectangle in its
    // bar: one pixel wider on each side along the bar (bVertical: above and below), one
    // narrower when the control stands in a popup, whose sub-popups overlap its border.
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    // Gives the control the drop shadow of its open popup, where its look cuts shadows out of
    // each other; not for controls standing in popups.
    virtual void UpdateShadow();
    // The open sub-menu shows the controls it hides as rarely used.
    void ExpandPopupBar();

    // The other control stands in this popup's bar, or in the bar of a popup found inside it,
    // or opens this popup's bar itself: dropping this control there would make a bar contain
    // itself.
    BOOL IsPopupAncestor(const CQorControl* pOther) const;

    // An empty popup bar, bound to the command bars (one reference for the caller).
    static CQorCommandBar* CreatePopupBar(CQorCommandBars* pCommandBars);

protected:
    // The button part of a split button in its parent bar's coordinates: the paint manager's,
    // else the control less the drop-down part at its right end.
    CRect GetButtonPartRect() const;
    // A split button whose button part does nothing of its own (caption below the icon): the
    // whole control opens the popup.
    BOOL IsDropDownOnly() const;

    CQorCommandBar* m_pCommandBar;
    BOOL m_bPopup;
    BOOL m_bShadow; // the control shares the popup's shadow

private:
    BOOL IsPopupAncestor(const CQorControl* pOther, std::vector<const CQorCommandBar*>& visited) const;

    BOOL m_bButtonPartHeld; // the button part's press loop runs
};
