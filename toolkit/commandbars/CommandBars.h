// The command bars of one frame. Declared so far: what the controls read of it (the actions of
// its command ids, its customize flags, its site window), its options and keyboard-cue state;
// the manager's bars and frame hooks complete it.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"

class CQorCommandBar;
class CQorCommandBarsOptions;
class CQorControl;
class CQorControlActions;
class CQorCustomizeDropSource;

class CQorCommandBars : public CCmdTarget
{
public:
    CQorCommandBars();
    ~CQorCommandBars() override;

    CQorControlActions* GetActions() const { return m_pActions; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bCustomizeMode) { m_bCustomizeMode = bCustomizeMode; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    // The control selected for customizing (not owned), and the drag that moves controls.
    void SetDragControl(CQorControl* pControl) { m_pDragControl = pControl; }
    CQorControl* GetDragControl() const { return m_pDragControl; }
    CQorCustomizeDropSource* GetDropSource();
    HWND GetSite() const { return m_hWndSite; }
    void SetSite(HWND hWndSite) { m_hWndSite = hWndSite; }
    // The options, owned by the manager.
    CQorCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    // Keyboard cues (the accelerator underlines): whether they show now, and whether they hide
    // until Alt is pressed because the system hides them.
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    BOOL IsKeyboardCuesHiddenUntilAlt() const { return m_bHideKeyboardCuesUntilAlt; }
    void SetKeyboardCuesState(BOOL bVisible, BOOL bHideUntilAlt)
    {
        m_bKeyboardCuesVisible = bVisible;
        m_bHideKeyboardCuesUntilAlt = bHideUntilAlt;
    }

    // A control whose command has no handler is shown disabled by the bars' command-UI pass.
    BOOL m_bDisableCommandIfNoHandler = TRUE;

    // What tracking bars ask of the manager; the manager with tool bars answers them.
    // Ctrl+Tab: the keyboard moves to the next (+1) or previous (-1) tool bar; FALSE when none took it.
    virtual BOOL ActivateToolBar(int /*nDirection*/, CQorCommandBar* /*pFrom*/) { return FALSE; }
    // A character key typed while a tool bar tracks, searched over the bars; TRUE when taken.
    virtual BOOL ProcessAltKey(UINT /*nChar*/) { return FALSE; }
    // A bar began (mode 1 or 2) or stopped (0) tracking.
    virtual void OnTrackingModeChanged(CQorCommandBar* /*pBar*/, int /*nMode*/) {}

private:
    CQorControlActions* m_pActions;
    BOOL m_bEnableActions;
    BOOL m_bCustomizeMode;
    BOOL m_bCustomizable;
    HWND m_hWndSite;
    CQorControl* m_pDragControl;
    CQorCustomizeDropSource* m_pDropSource;
    CQorCommandBarsOptions* m_pOptions;
    BOOL m_bKeyboardCuesVisible = TRUE;
    BOOL m_bHideKeyboardCuesUntilAlt = FALSE;
};
