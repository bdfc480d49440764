// The painter shared by tab rows: the look and the options every row it serves reads, and the
// list of those rows so that a change of look re-lays them all out.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Gdi.h"

class CQorTabManager;
class CQorTabManagerAtom;
class CQorTabManagerItem;
class CQorTabManagerNavigateButton;

// Where a row lies in its control; 0 and 2 are horizontal.
enum QorTabPosition {
    qorTabPositionTop = 0,
    qorTabPositionLeft = 1,
    qorTabPositionBottom = 2,
    qorTabPositionRight = 3,
};

enum QorTabLayout {
    qorTabLayoutAutoSize = 0,   // one row, scrolled by the arrows
    qorTabLayoutSizeToFit = 1,  // shrink to fit
    qorTabLayoutFixed = 2,      // fixed length
    qorTabLayoutCompressed = 3, // caption on the selected tab only
    qorTabLayoutMultiRow = 4,
    qorTabLayoutRotated = 5, // tabs stand across the row, each one row-height wide
};

// The colour-set kinds SetColor makes; any other value gives the Default set.
enum QorColorSetKind {
    qorTabColorDefault = 1,
    qorTabColorVisualStudio = 2,
    qorTabColorOffice2003 = 4,
    qorTabColorWinXP = 8,
    qorTabColorWhidbey = 16,
    qorTabColorOffice2007 = 32,
};

class CQorTabPaintManager : public CCmdTarget
{
public:
    class CAppearanceSet;
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetFlat;
    class CColorSet;
    class CColorSetDefault;
    class CColorSetVisualStudio;
    class CColorSetOffice2003;
    class CColorSetOffice2007;
    class CColorSetWinXP;
    class CColorSetWhidbey;

    CQorTabPaintManager();
    ~CQorTabPaintManager() override;

    // Re-lays out every row served.
    virtual void OnPropertyChanged();

    // Rows register here when they take this painter and leave in their destructor.
    void AddRow(CQorTabManagerAtom* pRow);
    void RemoveRow(CQorTabManagerAtom* pRow);
    INT_PTR GetRowCount() const { return m_arrRows.GetSize(); }

    // Rebuilds the fonts (from the icon-title font when use-system-font is set), then the
    // colour set's and the appearance set's metrics.
    virtual void RefreshMetrics();
    CAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    // Installs an appearance set made outside (owned from now on): the old one is deleted, the
    // new one bound and refreshed, its default colour set installed and every row re-laid out.
    void SetAppearanceSet(CAppearanceSet* pAppearanceSet);

    // Replaces the colour set by a new one of the kind, fills it and re-lays out every row.
    void SetColor(int nKind);
    // Installs a colour set made outside (owned from now on), as SetColor does.
    void SetColorSet(CColorSet* pColorSet);
    CColorSet* GetColorSet() const { return m_pColorSet; }
    int GetColorSetKind() const { return m_nColorSetKind; }

    // Lays the row out in the rectangle: the row's control, header and client rectangles, the
    // tab lengths and rectangles, and a scrolled row pulled back so no space stays at its end.
    virtual void RepositionTabControl(CQorTabManager* pRow, CDC* pDC, CRect rcControl);
    // Removes the row's header and frame from the rectangle.
    virtual BOOL AdjustClientRect(CQorTabManager* pRow, CRect& rc);
    // Draws the row with its frame and client area: the header clipped to itself, the tabs of
    // each row from its end back to its start and the selected tab last, then the row's buttons.
    virtual void DrawTabControl(CDC* pDC, CQorTabManager* pRow, CRect rc);
    // The colour set's face, then the glyph in the DC's text colour (an outline when disabled).
    virtual void DrawNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect rc);
    // Draws a tab's content (image, caption, its buttons, focus) in the rectangle; with bDraw
    // FALSE only measures it and returns its length.
    virtual int DrawSingleTab(CDC* pDC, CQorTabManagerItem* pItem, CRect rc, BOOL bDraw);
    virtual void DrawFocusRect(CDC* pDC, CQorTabManagerItem* pItem, CRect rc);
    // Places a tab's own navigate buttons at its far end (3 pixels in, centred across).
    void PlaceTabButtons(CQorTabManagerItem* pItem, CRect rcItem);
    // The length a tab's content needs along the row, in the row's layout and the tab's font.
    int MeasureTab(CDC* pDC, CQorTabManagerItem* pItem);
    // The font of a tab's caption: bold when selected in an active row (with bold-selected),
    // the vertical fonts when the text runs across a vertical row.
    CFont* GetTabFont(CQorTabManagerItem* pItem);
    // Inflates by (l, t, r, b) given for a top row, t on the header side, turned to the row's side.
    static void InflateOriented(CRect& rc, const CRect& rcAmounts, QorTabPosition position);

    // Shrinks the row's tabs so that together they take at most nAvailable pixels: the short
    // ones keep their length, the long ones share what is left equally.
    void ShrinkTabsToFit(CQorTabManager* pRow, int nAvailable) const;
    // Layout 4: the tabs in rows that each fit nAvailable, the selected tab's row next to the
    // client (unless keep-row-order); fills the row's table and every tab's row number.
    void FillMultiRows(CQorTabManager* pRow, int nAvailable);

    // The margins around the tabs inside the header (left, top, right, bottom): the appearance
    // set's.
    CRect GetHeaderMargin() const;

    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVerticalNormal; // text running top to bottom
    CFont m_fntVerticalBold;

    // Options.
    BOOL m_bUseSystemFont = TRUE;
    BOOL m_bClearType = FALSE;
    BOOL m_bBoldNormal = FALSE;
    CRect m_rcTabContentMargin = CRect(0, 0, 0, 0);
    CRect m_rcClientMargin = CRect(0, 0, 0, 0);
    CRect m_rcControlMargin = CRect(0, 0, 0, 0);
    CRect m_rcTextMargin = CRect(6, 0, 6, 0);
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bNoPrefix = TRUE;
    int m_nFrameStyle = 0;
    int m_nExtraTabLength = 0;
    CSize m_szImage = CSize(16, 16);
    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowImages = TRUE;
    int m_nSelectOnDragOver = 1; // select the tab under the cursor during an OLE drag-over
    BOOL m_bStaticFrame = FALSE;
    BOOL m_bSelectOnPress = TRUE;
    int m_nMinTabLength = 0; // 0: no bound
    int m_nMaxTabLength = 0; // 0: no bound
    int m_nFixedTabLength = 70;
    int m_nToolTipMode = 2; // 0 none, 1 always, 2 only for shrunk tabs
    QorTabPosition m_position = qorTabPositionTop;
    QorTabLayout m_layout = qorTabLayoutAutoSize;
    BOOL m_bColorCodedTabs = FALSE; // tab faces take each tab's own colour
    int m_nTabCounter = 0;          // running count of inserted tabs, for their colours
    CSize m_szNavigateButton = CSize(14, 15);
    BOOL m_bMiddleEllipsis = FALSE; // "start...end" instead of "start...", path ellipsis for paths
    BOOL m_bEndEllipsis = TRUE;
    UINT m_nTextAlignment = DT_VCENTER;
    BOOL m_bKeepRowOrder = FALSE; // multi-row: keep the selected tab's row where it is
    BOOL m_bJustifyRows = TRUE;   // multi-row: rows share the length evenly and fill it
    BOOL m_bFocusRect = TRUE;
    BOOL m_bRotateImages = FALSE; // square images of left and right rows turn a quarter
    BOOL m_bFillClient = TRUE;
    BOOL m_bClipToHeader = TRUE;
    int m_nOwnerKind = 0; // who draws through this painter (the tab tool bar: 3)

private:
    void CreateFonts(const LOGFONTW& lf);
    void PlaceRowButtons(CQorTabManager* pRow, CRect rcArea);
    void PlaceTabs(CQorTabManager* pRow, const CRect& rc, const CRect& rcHeader);
    void DrawCaption(CDC* pDC, CQorTabManagerItem* pItem, CRect rcText, BOOL bVertical);

    CAppearanceSet* m_pAppearanceSet = nullptr;
    CColorSet* m_pColorSet = nullptr;
    int m_nColorSetKind = qorTabColorDefault;
    CArray<CQorTabManagerAtom*, CQorTabManagerAtom*> m_arrRows;
};

// Test seam: the icon-title font RefreshMetrics reads instead of the system's (null: the system's).
void QorSetIconTitleFontForTest(const LOGFONTW* pFont);
