// The docking panes' demo scene: a frame with a view, built as the reader's main frame builds
// its panes: Contents (a tree) and Search (a child dialog) tabbed together at the left, and
// Attachments (a list) at the bottom, with Search and Attachments closed at first. The windows
// of the panes are made when a pane is first shown (notification 1). A stand-in bar takes a
// strip at the bottom of the frame through the frame's layout pass.
#pragma once

#include <windows.h>

#include "platform/framework/FrameWnd.h"
#include "toolkit/docking/DockingPaneManager.h"

enum {
    DOCKING_SCENE_CONTENTS = 32782,
    DOCKING_SCENE_SEARCH = 32783,
    DOCKING_SCENE_ATTACHMENTS = 1000,
    DOCKING_SCENE_CONTENTS_WIDTH = 220,
    DOCKING_SCENE_BAR_HEIGHT = 20,
};

// A bar that takes a strip of the frame's client area in the layout pass.
class CDockingSceneBar : public CWnd
{
public:
    int m_nHeight = DOCKING_SCENE_BAR_HEIGHT;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CDockingSceneFrame : public CFrameWnd
{
public:
    CDockingSceneFrame() = default;

    // Creates the frame with its bar, view and panes. bWithBar: the stand-in bar is made.
    BOOL CreateScene(int cx, int cy, BOOL bWithBar = FALSE, DWORD dwExStyle = 0);

    CQorDockingPaneManager m_paneManager;
    CDockingSceneBar m_wndBar;
    CWnd m_wndView;
    HWND m_hwndTree = nullptr;
    HWND m_hwndSearch = nullptr;
    HWND m_hwndList = nullptr;
    int m_nShowNotifications = 0;

protected:
    afx_msg LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    HWND CreatePaneWindow(int nID);
    BOOL m_bWithBar = FALSE;
};
