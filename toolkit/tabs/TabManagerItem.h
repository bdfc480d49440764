// One tab of a tab row: caption, tip, colour, state flags and the rectangle the layout gave it.
// Reference counted: the row holds one reference, owners may hold more.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

class CDC;
class CQorImageManagerIcon;
class CQorTabManager;
class CQorTabManagerNavigateButton;

class CQorTabManagerItem : public CCmdTarget
{
public:
    CQorTabManagerItem();
    ~CQorTabManagerItem() override;

    // A change of visibility re-lays out the owning row.
    virtual void SetVisible(BOOL bVisible);
    // Deletes the tab's own navigate buttons; the row calls it before it releases the tab.
    virtual void RemoveNavigateButtons();

    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsSelected() const;
    BOOL IsHot() const;
    BOOL IsPressed() const;
    // Shrunk: laid out shorter than its content.
    BOOL IsShrunk() const { return m_nLength < m_nContentLength; }
    int GetIndex() const { return m_nIndex; }
    CQorTabManager* GetTabManager() const { return m_pTabManager; }
    CRect GetRect() const { return m_rcItem; }
    void SetRect(const CRect& rc) { m_rcItem = rc; }
    CString GetCaption() const { return m_strCaption; }
    void SetCaption(LPCTSTR lpszCaption);
    CString GetTooltip() const { return m_strToolTip; }
    void SetTooltip(LPCTSTR lpszToolTip) { m_strToolTip = lpszToolTip; }
    COLORREF GetColor() const { return m_clrItem; }
    void SetColor(COLORREF clr);
    // Draws the tab's icon by its state (selected: pressed image, hot: hot image, disabled: the
    // disabled image) into the rectangle; a square image on a left or right row is turned a
    // quarter when the paint manager's rotate-images flag is set.
    void DrawImage(CDC* pDC, CRect rcImage, CQorImageManagerIcon* pImage);
    INT_PTR GetNavigateButtonCount() const { return m_arrNavigateButtons.GetSize(); }
    CQorTabManagerNavigateButton* GetNavigateButton(INT_PTR nIndex) const { return m_arrNavigateButtons[nIndex]; }

    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }

    int m_nLength = 0;
    int m_nContentLength = 0;
    int m_nImage = -1;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    HWND m_hWndItem = nullptr;
    HICON m_hIcon = nullptr;
    DWORD_PTR m_dwData = 0; // the owner's pointer (a docking group keeps its pane here)
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem = 0;
    CQorTabManager* m_pTabManager = nullptr;
    int m_nRow = 0;
    BOOL m_bClosable = TRUE;
    DWORD m_dwOwnerValue = 0; // a 32-bit value of the owner's
    CArray<CQorTabManagerNavigateButton*, CQorTabManagerNavigateButton*> m_arrNavigateButtons; // its close button
};
