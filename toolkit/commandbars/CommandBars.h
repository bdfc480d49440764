// The command bars of one frame. Declared so far: what the controls read of it (the actions of
// its command ids, its customize flags, its site window); the manager's bars, options and
// frame hooks complete it.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"

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

private:
    CQorControlActions* m_pActions;
    BOOL m_bEnableActions;
    BOOL m_bCustomizeMode;
    BOOL m_bCustomizable;
    HWND m_hWndSite;
    CQorControl* m_pDragControl;
    CQorCustomizeDropSource* m_pDropSource;
};
