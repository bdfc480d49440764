// HTML tips: the tool text is a piece of a page, shown by the project's page engine in a
// child window of the tip. The page is loaded from a string, so measuring needs no message
// pump; the tip takes the narrowest width at which the text is no taller than at 650 pixels.
#pragma once

#include <memory>

#include "toolkit/foundation/ToolTipWnd.h"

namespace fxb {
class BrowserControl;
}

class CHTMLToolTip : public CQorToolTipContextToolTip
{
public:
    explicit CHTMLToolTip(CQorToolTipContext* pContext);
    ~CHTMLToolTip() override;

    CSize MeasureTip(CTool* pTool) override;
    void DrawTip(CDC*, CTool*, CRect) override {} // the page window shows itself

    fxb::BrowserControl* GetBrowser() const { return m_pBrowser.get(); }
    // The page the engine loads for a text: the context's font and background around it.
    CString FormatPage(const CString& strText) const;

private:
    std::unique_ptr<fxb::BrowserControl> m_pBrowser;
};
