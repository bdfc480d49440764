// The reader's view: the client area of the main frame in which pages are shown.
#pragma once

#include "platform/framework/DocView.h"

class CFolionyxReaderView : public CView
{
    DECLARE_DYNCREATE(CFolionyxReaderView)
public:
    CFolionyxReaderView();
    ~CFolionyxReaderView() override;

    void OnDraw(CDC* pDC) override;
};
