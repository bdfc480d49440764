// The command bars' own scene: a plain framework frame with a horizontal tool bar made from
// command ids (icons drawn here, a split button among them) and a vertical bar made from a
// menu resource, both in the native XP look. The frame records every command it receives;
// Bold toggles its check and Read Only disables Cut and Paste (and checks itself), shown at
// the next idle-time command update. F10 hands the keyboard to the tool bar.
#pragma once

#include <windows.h>

#include <vector>

#include "demos/commandbars/BarsSceneResources.h"

class CQorCommandBar;

class CBarsScene
{
public:
    enum { kClientWidth = 460, kClientHeight = 260 };

    CBarsScene();
    ~CBarsScene();
    CBarsScene(const CBarsScene&) = delete;
    CBarsScene& operator=(const CBarsScene&) = delete;

    // Opens the frame at (x, y) on the screen, its bars laid out.
    HWND Create(int x, int y);
    HWND GetSafeHwnd() const;

    CQorCommandBar* GetToolBar() const { return m_pToolBar; }
    CQorCommandBar* GetPanelBar() const { return m_pPanelBar; }
    // The index of a command's control on a bar, or -1.
    static int IndexOf(const CQorCommandBar* pBar, int nId);

    // The idle-time command update of the frame and its bars, as the message loop runs it.
    void UpdateCommandUI();

    // The commands that reached the frame, in order.
    const std::vector<UINT>& GetCommands() const;
    BOOL IsBold() const;
    BOOL IsReadOnly() const;

private:
    class CSceneFrame;
    class CSceneBar;
    struct CState;
    void LayoutBars();

    CState* m_pState;
    CSceneFrame* m_pFrame; // deletes itself with its window
    HWND m_hWndFrame;
    CQorCommandBar* m_pToolBar;
    CQorCommandBar* m_pPanelBar;
};
