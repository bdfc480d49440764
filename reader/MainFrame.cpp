#include "reader/MainFrame.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;
