// The schema that draws: any part and state of any class (border fill, or an image with
// frames, sizing margins, transparency and a glyph), the window frame with its caption buttons
// and window region, and scroll bars.
#pragma once
#include "toolkit/skin/SkinManagerSchema.h"

class CQorSkinImage;

class CQorSkinManagerSchemaDefault : public CQorSkinManagerSchema
{
public:
    explicit CQorSkinManagerSchemaDefault(CQorSkinManager* pManager);
    ~CQorSkinManagerSchemaDefault() override;

    BOOL DrawThemeBackground(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState, const RECT* pRect) override;
    void DrawFrame(CDC* pDC, CQorSkinFrameRecord* pFrame) override;
    CRect GetFrameBorders(const CQorSkinFrameRecord* pFrame) override;
    HRGN CreateFrameRegion(const CQorSkinFrameRecord* pFrame, int nWidth, int nHeight) override;
    void RefreshMetrics() override;
    void DrawScrollBar(CDC* pDC, const CQorSkinScrollBarDraw& bar) override;
    // Places and draws the frame's caption buttons; the left edge of the button area.
    virtual int DrawCaptionButtons(CDC* pDC, CQorSkinFrameRecord* pFrame);

    // The transparent corners of one caption image, made for a caption height.
    struct FRAMEREGION
    {
        int nCaptionHeight = 0;
        BOOL bToolWindow = FALSE;
        HRGN hLeft = nullptr;
        HRGN hRight = nullptr;
        int nLeft = 0, nRight = 0, nTop = 0, nBottom = 0; // margins as used
        BOOL bNarrow = FALSE;                             // made for one narrow window: not cached
        int nTransparentRows = 0;
        ~FRAMEREGION();
    };

    CSize GetCaptionButtonSize(int nHeight);
    // The state a caption button is drawn in.
    static int GetCaptionButtonState(const CQorSkinFrameRecord* pFrame, int nIndex);
    INT_PTR GetRegionCacheSize() const { return m_arrRegions.GetSize(); }

protected:
    // The SCROLLBAR class when the bar has something to draw (a length of a pixel or more).
    CQorSkinManagerClass* GetScrollBarClass(CDC* pDC, const CQorSkinScrollBarDraw& bar);
    void DrawBorderFill(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState, CRect rc);
    void DrawGlyph(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState, CRect rc);
    void DrawPlainFrame(CDC* pDC, CQorSkinFrameRecord* pFrame, CRect rc);
    void DrawClientEdge(CDC* pDC, CQorSkinFrameRecord* pFrame, const CRect& rc);
    void DrawCaptionIconAndTitle(CDC* pDC, CQorSkinFrameRecord* pFrame, int nLeft, int nTop);
    // The cached record, or a narrow one the caller deletes (bNarrow).
    FRAMEREGION* GetFrameRegion(int nCaptionHeight, BOOL bToolWindow, int nWindowWidth);
    FRAMEREGION* BuildFrameRegion(int nCaptionHeight, BOOL bToolWindow, int nWindowWidth);
    void FreeRegions();
    // Image frame count of a part, at least 1 and at most the image's length along its layout.
    static int FrameCount(CQorSkinManagerClass* pClass, int nPart, int nState, CQorSkinImage* pImage, BOOL bHorizontal);

    CArray<FRAMEREGION*, FRAMEREGION*> m_arrRegions;
};

// Frame counts and the source frame of a state along the layout.
CRect GetSkinImageFrame(CQorSkinImage* pImage, int nCount, BOOL bHorizontal, int nIndex);
