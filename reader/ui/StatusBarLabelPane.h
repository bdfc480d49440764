// Status-bar label panes: a small icon and a text in the pane's own font and colour, on the
// bar's background, reporting clicks to the frame. The zoom pane and the icon pane are label
// panes; the advertisement pane derives from one.
#pragma once

#include "platform/framework/Gdi.h"
#include "toolkit/commandbars/StatusBar.h"

// Sent to the frame when a mouse button is released over a label pane (lParam: the pane).
#define WM_QOR_PANE_CLICKED 2026
#define WM_QOR_PANE_RIGHT_CLICKED 2027

class CQorStatusBarLabelPane : public CQorStatusBarIconPane
{
    DECLARE_DYNAMIC(CQorStatusBarLabelPane)
public:
    CQorStatusBarLabelPane();

    // Stores the text (also as window text) and repaints.
    void SetText(LPCTSTR lpszText);
    virtual void SetFont(const LOGFONT& lf);
    virtual void SetFont(LPCTSTR lpszFaceName, int nHeight, int nWeight, BOOL bItalic, BOOL bUnderline);
    virtual void DrawBackground(CDC* pDC, CRect rc);

    CSize GetTextSize() const { return m_szText; }

    BOOL m_bCentered;     // icon and text centred; else from x = 3
    COLORREF m_clrText;   // QOR_COLOR_UNSET: the paint manager's status text colour

protected:
    void DrawContent(CDC* pDC, CRect rc) override;
    void MeasureText();

    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

    CFont m_font;
    CSize m_szText;

    DECLARE_MESSAGE_MAP()
};
