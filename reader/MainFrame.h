// The reader's main frame: the single top-level window of the program.
#pragma once

#include "platform/framework/FrameWnd.h"

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;
};
