// Draws everything of the docking panes that is not a hosted window: the body of a tab group
// (background, tab row, caption), captions with their text and buttons, and splitter bars. It
// holds the metrics the tree lays out with (caption and tab-row height, caption margins,
// splitter size), the caption fonts and the two tab-row painters. The themes refine it.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/WinThemeWrapper.h"

class CQorDockingPaneBase;
class CQorDockingPaneCaptionButton;
class CQorDockingPaneCaptionButtons;
class CQorDockingPaneSplitterWnd;
class CQorDockingPaneTabbedContainer;
class CQorDockingPane;
class CQorTabPaintManager;

class CQorDockingPanePaintManager : public CCmdTarget
{
public:
    CQorDockingPanePaintManager();
    ~CQorDockingPanePaintManager() override;

    virtual void DrawPane(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc) = 0;
    virtual void DrawCaptionButtons(CDC* pDC, CQorDockingPaneCaptionButtons* pButtons, CRect& rcCaption, COLORREF clr,
                                    int nButtonSize, int nButtonGap, BOOL bVertical);
    virtual void DrawCaptionButton(CDC* pDC, CQorDockingPaneCaptionButton* pButton, COLORREF clrButton);
    virtual void RefreshMetrics();
    virtual int AdjustClientRect(CQorDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply);
    virtual void AdjustCaptionRect(const CQorDockingPaneTabbedContainer* pPane, CRect& rc);
    virtual void GetExtraMargins(CRect& rc) const { rc.SetRectEmpty(); }
    virtual void DrawSplitter(CDC* pDC, CQorDockingPaneSplitterWnd* pSplitter);
    virtual void DrawCaptionButtonGlyph(CDC* pDC, CQorDockingPaneCaptionButton* pButton, CPoint pt, COLORREF clr);

    void SetCaptionFont(BOOL bRefresh, const LOGFONTW& lf);
    // The colour a reference names: an index 0-62 into the copied table, else the value.
    COLORREF GetXtremeColor(UINT nIndex) const;
    int DrawCaptionText(CDC* pDC, CRect rcText, BOOL bVertical, BOOL bCalcWidth, const CString& strTitle);
    // The pane whose caption a container draws (a group's selected pane).
    static CQorDockingPane* GetCaptionPane(const CQorDockingPaneBase* pOwner);

    int GetCaptionHeight() const { return m_nTitleHeight; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    int GetSplitterSize() const { return m_nSplitterSize; }
    CQorTabPaintManager* GetTabPaintManager() const { return m_pTabPaintManager; }
    CQorTabPaintManager* GetPanelPaintManager() const { return m_pPanelPaintManager; }
    CFont* GetCaptionFont() { return &m_fntTitle; }
    CFont* GetVerticalCaptionFont() { return &m_fntTitleVertical; }

    BOOL m_bBoldCaptionFont = TRUE;
    BOOL m_bHighlightActiveCaption = TRUE;
    CQorPaintManagerColor m_clrBackground;
    int m_nCaptionButtonStyle = 0;
    int m_nTitleHeight = 0;
    int m_nCaptionFontGap = 5;
    int m_nTabsHeight = 24;
    CFont m_fntTitle;
    CFont m_fntTitleVertical;
    BOOL m_bUseStandardFont = TRUE;
    COLORREF m_arrColor[QOR_COLOR_COUNT];
    int m_nTheme = 0;
    CRect m_rcCaptionMargin = CRect(0, 2, 0, 1);
    int m_nSplitterSize = 4;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bDrawSingleTab = FALSE;
    CQorWinThemeWrapper m_themeExplorer;
    CQorWinThemeWrapper m_themeButton;
    CQorWinThemeWrapper m_themeWindow;

protected:
    // Draws a tab group's tab row through the pane-tab painter, as the row was laid out.
    void DrawTabRow(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc);

    CQorTabPaintManager* m_pTabPaintManager;
    CQorTabPaintManager* m_pPanelPaintManager;
    CDC m_dcMeasure; // where tab rows are measured while laid out
};

// Test seam: the font RefreshMetrics takes for captions instead of the system's small-caption
// font (null: the system's).
void QorSetDockingCaptionFontForTest(const LOGFONTW* pFont);
