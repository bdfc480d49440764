// The themes of the docking paint manager: Default (classic three-dimensional), Grippered,
// Office (flat, gradient-capable captions) and NativeXP (the visual styles, falling back to the
// Office look when they are off).
#pragma once

#include "toolkit/docking/DockingPanePaintManager.h"
#include "toolkit/tabs/TabColorSets.h"

// How far apart two colours read, by their relative luminance: 1 for equal colours, 21 for
// black on white. Caption text is kept at 3 or more against its face.
double QorContrastRatio(COLORREF clrA, COLORREF clrB);

namespace QorDockingPanePaintThemes {

class CQorDockingPaneDefaultTheme : public CQorDockingPanePaintManager
{
public:
    CQorDockingPaneDefaultTheme();
    void DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc) override;
    virtual void DrawCaptionPart(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);
};

class CQorDockingPaneGripperedTheme : public CQorDockingPaneDefaultTheme
{
};

class CQorDockingPaneOfficeTheme : public CQorDockingPaneGripperedTheme
{
public:
    class COfficePanelColorSet : public CQorTabPaintManager::CColorSetVisualStudio
    {
    public:
        void RefreshMetrics() override;
    };

    CQorDockingPaneOfficeTheme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionPart(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
    virtual COLORREF DrawCaptionBackground(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption, BOOL bActive,
                                           BOOL bVertical);

    BOOL m_bGradientCaption = FALSE;
    CQorPaintManagerColorGradient m_clrNormalCaption;
    CQorPaintManagerColorGradient m_clrActiveCaption;
    CQorPaintManagerColor m_clrNormalCaptionText;
    CQorPaintManagerColor m_clrActiveCaptionText;
};

class CQorDockingPaneNativeXPTheme : public CQorDockingPaneOfficeTheme
{
public:
    CQorDockingPaneNativeXPTheme();
    void DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionPart(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;

private:
    BOOL IsWindowThemed();
};

} // namespace QorDockingPanePaintThemes
