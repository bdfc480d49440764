// The paint manager every bar, control and the status bar draws and measures through. One is
// current for the whole process; a bar asks its own first and falls back to the global one.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"

class CQorPaintManager : public CCmdTarget
{
public:
    CQorPaintManager();
    ~CQorPaintManager() override;

    // Bars cross-fade their repaints when this is set (off by default).
    BOOL m_bEnableAnimation;
};

// The process-wide paint manager, created on first use.
CQorPaintManager* GetGlobalPaintManager();
