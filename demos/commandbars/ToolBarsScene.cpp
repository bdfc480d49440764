#include "demos/commandbars/ToolBarsScene.h"

#include "demos/commandbars/PopupsSceneResources.h"
#include "demos/commandbars/SceneFrameRect.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"
#include "resources/resource.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/FrameWndBase.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/commandbars/ToolBar.h"

// What the frame heard; kept by the scene, since the frame deletes itself with its window.
struct CToolBarsScene::CState
{
    std::vector<UINT> commands;
    std::function<BOOL(QOR_CONTROL_CREATE_REQUEST&)> onCreateControl;
};

namespace {

// A tool bar of the scene, drawn in the native XP look whatever the global theme is.
class CSceneToolBar : public CQorToolBar
{
public:
    CSceneToolBar()
    {
        m_pPaintManager = CQorPaintManager::CreateTheme(qorPaintThemeNativeXP);
        m_pPaintManager->RefreshMetrics(); // a new theme holds no colours, fonts or styles yet
    }
};

// The scene's manager makes its tool bars as scene bars.
class CSceneCommandBars : public CQorCommandBars
{
    DECLARE_DYNCREATE(CSceneCommandBars)
protected:
    CQorCommandBar* CreateToolBarObject() override { return new CSceneToolBar; }
};
IMPLEMENT_DYNCREATE(CSceneCommandBars, CQorCommandBars)

using CSceneFrameBase = CQorFrameWndBase<CFrameWnd>;

} // namespace

class CToolBarsScene::CSceneFrame : public CSceneFrameBase
{
public:
    explicit CSceneFrame(CState* pState) : m_pState(pState) {}
    void Detach() { m_pState = nullptr; }
    CWnd* GetView() const { return m_pView; }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        if (!InitCommandBars(RUNTIME_CLASS(CSceneCommandBars)))
            return FALSE;
        // The view: a plain white pane the frame's layout fits between the dock bars.
        m_pView = new CWnd;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                                static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        if (!m_pView->CreateEx(WS_EX_CLIENTEDGE, lpszClass, L"view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this,
                               AFX_IDW_PANE_FIRST)) {
            delete m_pView;
            m_pView = nullptr;
            return FALSE;
        }
        return CSceneFrameBase::OnCreateClient(lpcs, pContext);
    }
    void PostNcDestroy() override
    {
        delete m_pView; // its window died with the frame's
        m_pView = nullptr;
        CSceneFrameBase::PostNcDestroy();
    }
    void OnSceneCommand(UINT nId)
    {
        if (m_pState)
            m_pState->commands.push_back(nId);
    }
    void OnUpdateSceneCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    LRESULT OnControlCreateRequest(WPARAM, LPARAM lParam)
    {
        auto* pRequest = reinterpret_cast<QOR_CONTROL_CREATE_REQUEST*>(lParam);
        return m_pState && m_pState->onCreateControl && pRequest ? m_pState->onCreateControl(*pRequest) : FALSE;
    }
    DECLARE_MESSAGE_MAP()

private:
    CState* m_pState;
    CWnd* m_pView = nullptr;
};

BEGIN_MESSAGE_MAP(CToolBarsScene::CSceneFrame, CSceneFrameBase)
    ON_COMMAND_RANGE(ID_PAGE_PRINT, ID_SEARCH, &CToolBarsScene::CSceneFrame::OnSceneCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAGE_PRINT, ID_SEARCH, &CToolBarsScene::CSceneFrame::OnUpdateSceneCommand)
    ON_COMMAND_RANGE(ID_POPUPS_FIRST, ID_POPUPS_LAST, &CToolBarsScene::CSceneFrame::OnSceneCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_POPUPS_FIRST, ID_POPUPS_LAST, &CToolBarsScene::CSceneFrame::OnUpdateSceneCommand)
    ON_MESSAGE(QORWM_CONTROLCREATEREQUEST, &CToolBarsScene::CSceneFrame::OnControlCreateRequest)
END_MESSAGE_MAP()

CToolBarsScene::CToolBarsScene() : m_pState(new CState), m_pFrame(nullptr), m_hWndFrame(nullptr), m_pBars{} {}

CToolBarsScene::~CToolBarsScene()
{
    if (m_pFrame && ::IsWindow(m_hWndFrame)) {
        m_pFrame->Detach();
        ::DestroyWindow(m_hWndFrame); // the manager lets go of its bars with the frame
    }
    delete m_pState;
}

HWND CToolBarsScene::Create(int x, int y)
{
    m_pFrame = new CSceneFrame(m_pState);
    const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const CRect rc = SceneFrameRect(x, y, kClientWidth, kClientHeight, dwStyle);
    if (!m_pFrame->Create(nullptr, L"Tool bars", dwStyle, rc)) {
        m_pFrame = nullptr; // a frame whose window failed deletes itself
        return nullptr;
    }
    m_hWndFrame = m_pFrame->GetSafeHwnd();
    CQorCommandBars* pCommandBars = m_pFrame->GetCommandBars();

    // "Standard" as the reader loads it: buttons and images from resource 128.
    m_pBars[0] = dynamic_cast<CQorToolBar*>(pCommandBars->CreateToolBar(L"Standard", kStandardBarId));
    if (!m_pBars[0] || !m_pBars[0]->LoadToolBar(kStandardBarId))
        return nullptr;

    // A second bar of buttons whose images "Standard" brought, docked right of it in its row.
    m_pBars[1] = dynamic_cast<CQorToolBar*>(pCommandBars->CreateToolBar(L"Navigation", kNavigationBarId));
    if (!m_pBars[1])
        return nullptr;
    const UINT navigationIds[] = {ID_PRIOR, ID_NEXT, 0, ID_HOME, ID_AUTO_SCROLL};
    m_pBars[1]->SetButtons(navigationIds, ARRAYSIZE(navigationIds));
    // It keeps all its buttons: where the row is too short it moves to a row of its own, and only
    // then does "Standard" give up buttons.
    m_pBars[1]->m_dwFlags &= ~CQorToolBar::flagHideWrap;

    // A third bar in the left dock bar.
    m_pBars[2] = dynamic_cast<CQorToolBar*>(pCommandBars->CreateToolBar(L"Panes", kPanesBarId));
    if (!m_pBars[2])
        return nullptr;
    const UINT paneIds[] = {ID_CONTENTS, ID_SEARCH, 0, ID_TEXT_SIZE};
    m_pBars[2]->SetButtons(paneIds, ARRAYSIZE(paneIds));
    if (auto* pLeft = dynamic_cast<CQorDockBar*>(pCommandBars->GetDockBar(2)))
        pLeft->DockCommandBar(m_pBars[2]);

    pCommandBars->RecalcFrameLayout();
    if (auto* pTop = dynamic_cast<CQorDockBar*>(pCommandBars->GetDockBar(0))) {
        CRect rcStandard;
        m_pBars[0]->GetWindowRect(&rcStandard);
        rcStandard.OffsetRect(rcStandard.Width() + 4, 0);
        pTop->DockCommandBar(m_pBars[1], &rcStandard);
    }
    pCommandBars->RecalcFrameLayout();
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->UpdateWindow();
    return m_hWndFrame;
}

HWND CToolBarsScene::GetSafeHwnd() const
{
    return ::IsWindow(m_hWndFrame) ? m_hWndFrame : nullptr;
}

CQorCommandBars* CToolBarsScene::GetCommandBars() const
{
    return GetSafeHwnd() ? m_pFrame->GetCommandBars() : nullptr;
}

CWnd* CToolBarsScene::GetView() const
{
    return GetSafeHwnd() ? m_pFrame->GetView() : nullptr;
}

void CToolBarsScene::SetClientWidth(int nWidth)
{
    if (!GetSafeHwnd())
        return;
    CRect rcWindow, rcClient;
    ::GetWindowRect(m_hWndFrame, &rcWindow);
    ::GetClientRect(m_hWndFrame, &rcClient);
    ::SetWindowPos(m_hWndFrame, nullptr, 0, 0, rcWindow.Width() + nWidth - rcClient.Width(), rcWindow.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
}

void CToolBarsScene::SetControlCreateHandler(std::function<BOOL(QOR_CONTROL_CREATE_REQUEST&)> handler)
{
    m_pState->onCreateControl = std::move(handler);
}

const std::vector<UINT>& CToolBarsScene::GetCommands() const
{
    return m_pState->commands;
}
