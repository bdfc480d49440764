// The frame templates that host command bars. CQorCommandBarsSiteBase owns the frame's
// command bars manager and lets it see the frame's messages and keys first;
// CQorFrameWndBase adds the print-preview and frame-loading hooks. Neither adds virtual
// operations or a message map of its own.
#pragma once

#include <windows.h>

#include "platform/framework/FrameWnd.h"

#include "toolkit/commandbars/CommandBars.h"
// QOR_ID_CUSTOMIZE: a site with a handler for it allows customizing.
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Edit.h"
#include "toolkit/commandbars/ShortcutManager.h"

template <class TBase>
class CQorCommandBarsSiteBase : public TBase
{
public:
    CQorCommandBarsSiteBase() = default;
    ~CQorCommandBarsSiteBase() override
    {
        // The frame's window (and every bar's) has died by now; the manager skips window work.
        if (m_pCommandBars) {
            m_pCommandBars->InternalRelease();
            m_pCommandBars = nullptr;
        }
    }

    CQorCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // Binds a manager to the frame: one made of the given class when the frame has none yet.
    // The manager learns whether the frame handles the Customize command (nothing runs) and
    // the frame's reading order, and makes its dock bars. FALSE when no manager can be made.
    BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = RUNTIME_CLASS(CQorCommandBars))
    {
        if (!m_pCommandBars) {
            CObject* pObject = pCommandBarsClass ? pCommandBarsClass->CreateObject() : nullptr;
            m_pCommandBars = dynamic_cast<CQorCommandBars*>(pObject);
            if (!m_pCommandBars) {
                delete pObject;
                return FALSE;
            }
        }
        m_pCommandBars->SetSite(this->GetSafeHwnd());
        if (this->GetSafeHwnd()) {
            AFX_CMDHANDLERINFO info = {};
            m_pCommandBars->SetCustomizable(this->OnCmdMsg(QOR_ID_CUSTOMIZE, CN_COMMAND, m_pCommandBars, &info));
            m_pCommandBars->SetRightToLeft((this->GetExStyle() & WS_EX_LAYOUTRTL) != 0);
        }
        m_pCommandBars->CreateDockBars();
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // A bars' edit box types every key it is given, frame accelerators included; Tab, Enter
        // and Esc still move on, run or cancel through the frame.
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->wParam != VK_TAB &&
            pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE &&
            dynamic_cast<CQorEdit*>(CWnd::FromHandlePermanent(::GetFocus())) != nullptr)
            return FALSE;
        if (TBase::PreTranslateMessage(pMsg))
            return TRUE;
        return m_pCommandBars && m_pCommandBars->PreTranslateFrameMessage(pMsg);
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars && m_pCommandBars->OnFrameMessage(message, wParam, lParam, pResult))
            return TRUE;
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }

    CQorCommandBars* m_pCommandBars = nullptr;
};

template <class TBase>
class CQorFrameWndBase : public CQorCommandBarsSiteBase<TBase>
{
public:
    // The frame's own accelerator table goes once the bars' shortcut manager holds one, so that
    // only one table translates keys.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override
    {
        if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
            return FALSE;
        CQorCommandBars* pCommandBars = this->m_pCommandBars;
        if (pCommandBars && pCommandBars->GetShortcutManager()->GetAcceleratorTable())
            this->m_hAccelTable = nullptr;
        return TRUE;
    }

    // The bars hear of print preview first (their shortcuts pause, the tool bars hide and come
    // back), then the frame takes off its menu and hides its other bars.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        if (this->m_pCommandBars)
            this->m_pCommandBars->OnSetPreviewMode(bPreview);
        TBase::OnSetPreviewMode(bPreview, pState);
    }
};

// The frame an application's main window derives from: a single-document frame that hosts
// command bars.
class CQorFrameWnd : public CQorFrameWndBase<CFrameWnd>
{
};
