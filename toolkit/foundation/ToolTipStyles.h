// The tip styles beside the flat one: the common-controls control, rich text, Luna and
// Office 2007. The HTML style lives in HtmlToolTip.h.
#pragma once

#include "toolkit/foundation/RichRender.h"
#include "toolkit/foundation/ToolTipWnd.h"

class CQorOffice2007Images;

// The common-controls tool-tip control; transparent children stand for their parents.
class CStandardToolTip : public CWnd
{
public:
    BOOL CreateTip(HWND hWndOwner, DWORD dwStyle);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Rich text (RTF or plain) laid out by the windowless text services.
class CRichEditToolTip : public CQorToolTipContextToolTip
{
public:
    explicit CRichEditToolTip(CQorToolTipContext* pContext) : CQorToolTipContextToolTip(pContext) {}
    // Test seam: a renderer over another library (a missing one: no text services).
    CRichEditToolTip(CQorToolTipContext* pContext, LPCSTR lpszLibrary)
        : CQorToolTipContextToolTip(pContext), m_pRender(new CQorRichRender(lpszLibrary))
    {}
    ~CRichEditToolTip() override;

    CSize MeasureTip(CTool* pTool) override;
    void DrawTip(CDC* pDC, CTool* pTool, CRect rcClient) override;

private:
    CQorRichRender* Render();
    CQorRichRender* m_pRender = nullptr;
};

// A vertical gradient of the current visual style.
class CLunaToolTip : public CQorToolTipContextToolTip
{
public:
    explicit CLunaToolTip(CQorToolTipContext* pContext) : CQorToolTipContextToolTip(pContext) {}
    void DrawBackground(CDC* pDC, CTool* pTool, CRect rcClient) override;
};

// The Office-2007 colours of the "Window" section, with their defaults.
class COffice2007ToolTip : public CQorToolTipContextToolTip
{
public:
    explicit COffice2007ToolTip(CQorToolTipContext* pContext) : CQorToolTipContextToolTip(pContext) {}
    void DrawBackground(CDC* pDC, CTool* pTool, CRect rcClient) override;
    // Test seam: another colour file than the program's (null: the program's).
    static void SetImagesForTest(CQorOffice2007Images* pImages);
};
