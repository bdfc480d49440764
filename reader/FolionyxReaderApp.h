// The reader's application object: a single-document application whose frame, document and
// view come from the document template of resource IDR_MAINFRAME.
#pragma once

#include "platform/framework/WinApp.h"

class CFolionyxReaderApp : public CWinApp
{
public:
    CFolionyxReaderApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
