#include "demos/commandbars/BarsScene.h"

#include <algorithm>

#include "demos/commandbars/SceneFrameRect.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

// What the frame heard and the state its update handlers show; kept by the scene, since the
// frame deletes itself with its window.
struct CBarsScene::CState
{
    std::vector<UINT> commands;
    BOOL bBold = FALSE;
    BOOL bReadOnly = FALSE;
};

namespace {

// One icon as filled and outlined rectangles on a transparent 16 x 16 square.
struct IconRect
{
    int left, top, right, bottom;
    COLORREF clr;
    BOOL bOutline;
};

const COLORREF kInk = RGB(40, 40, 48);
const COLORREF kPaper = RGB(255, 255, 255);

struct SceneIcon
{
    UINT nId;
    std::vector<IconRect> rects;
};

// The scene's artwork, drawn here.
const std::vector<SceneIcon>& SceneIcons()
{
    static const std::vector<SceneIcon> icons = {
        {ID_SCENE_NEW, {{3, 1, 13, 15, kPaper, FALSE}, {3, 1, 13, 15, kInk, TRUE}, {9, 1, 13, 5, RGB(200, 200, 210), FALSE}}},
        {ID_SCENE_OPEN,
         {{1, 4, 7, 6, RGB(230, 180, 40), FALSE}, {1, 6, 15, 14, RGB(250, 210, 70), FALSE}, {1, 4, 15, 14, kInk, TRUE}}},
        {ID_SCENE_SAVE,
         {{2, 2, 14, 14, RGB(40, 90, 200), FALSE}, {4, 2, 12, 7, kPaper, FALSE}, {5, 10, 11, 14, RGB(180, 190, 210), FALSE},
          {2, 2, 14, 14, kInk, TRUE}}},
        {ID_SCENE_CUT,
         {{4, 1, 6, 9, RGB(120, 120, 130), FALSE}, {10, 1, 12, 9, RGB(120, 120, 130), FALSE},
          {2, 9, 7, 14, RGB(210, 40, 40), TRUE}, {9, 9, 14, 14, RGB(210, 40, 40), TRUE}}},
        {ID_SCENE_COPY,
         {{1, 1, 9, 11, kPaper, FALSE}, {1, 1, 9, 11, kInk, TRUE}, {6, 5, 15, 15, kPaper, FALSE},
          {6, 5, 15, 15, RGB(40, 90, 200), TRUE}}},
        {ID_SCENE_PASTE,
         {{2, 2, 13, 15, RGB(170, 120, 60), FALSE}, {5, 1, 10, 4, RGB(120, 120, 130), FALSE}, {6, 6, 15, 15, kPaper, FALSE},
          {6, 6, 15, 15, kInk, TRUE}}},
        {ID_SCENE_UNDO,
         {{4, 4, 13, 7, RGB(40, 90, 200), FALSE}, {10, 7, 13, 13, RGB(40, 90, 200), FALSE}, {1, 3, 4, 8, RGB(40, 90, 200), FALSE},
          {2, 2, 3, 9, RGB(40, 90, 200), FALSE}}},
        {ID_SCENE_BOLD,
         {{4, 2, 7, 14, kInk, FALSE}, {7, 2, 11, 4, kInk, FALSE}, {7, 7, 11, 9, kInk, FALSE}, {7, 12, 12, 14, kInk, FALSE},
          {10, 3, 12, 8, kInk, FALSE}, {11, 8, 13, 13, kInk, FALSE}}},
        {ID_SCENE_CONTENTS,
         {{2, 2, 14, 14, RGB(40, 150, 70), FALSE}, {4, 4, 12, 6, kPaper, FALSE}, {4, 8, 12, 9, kPaper, FALSE},
          {4, 11, 10, 12, kPaper, FALSE}, {2, 2, 14, 14, kInk, TRUE}}},
        {ID_SCENE_BOOKMARKS,
         {{4, 1, 12, 12, RGB(210, 40, 40), FALSE}, {4, 12, 7, 15, RGB(210, 40, 40), FALSE},
          {9, 12, 12, 15, RGB(210, 40, 40), FALSE}}},
        {ID_SCENE_READONLY,
         {{5, 1, 11, 7, RGB(120, 120, 130), TRUE}, {6, 2, 10, 7, RGB(120, 120, 130), TRUE}, {3, 7, 13, 15, RGB(220, 170, 30), FALSE},
          {7, 9, 9, 13, kInk, FALSE}}},
    };
    return icons;
}

void PutRect(DWORD* pBits, int nStride, int x0, const IconRect& r)
{
    const DWORD argb = 0xFF000000u | (GetRValue(r.clr) << 16) | (GetGValue(r.clr) << 8) | GetBValue(r.clr);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (!r.bOutline || y == r.top || y == r.bottom - 1 || x == r.left || x == r.right - 1)
                pBits[y * nStride + x0 + x] = argb;
}

// Puts the scene's icons into the global image manager once.
void RegisterSceneIcons()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    const std::vector<SceneIcon>& icons = SceneIcons();
    const int nCount = static_cast<int>(icons.size());
    // Top-down: row 0 is the top of the strip.
    void* pvBits = nullptr;
    HBITMAP hBitmap = CreateDIB32(nullptr, 16 * nCount, -16, &pvBits);
    if (!hBitmap)
        return;
    DWORD* pBits = static_cast<DWORD*>(pvBits);
    std::fill(pBits, pBits + 16 * 16 * nCount, 0u);
    std::vector<UINT> ids;
    for (int i = 0; i < nCount; ++i) {
        ids.push_back(icons[i].nId);
        for (const IconRect& r : icons[i].rects)
            PutRect(pBits, 16 * nCount, 16 * i, r);
    }
    s_bDone = GetImageManager()->SetIconsFromBitmap(hBitmap, TRUE, ids.data(), nCount, 0, 16, 16) != FALSE;
    ::DeleteObject(hBitmap);
}

} // namespace

// A bar of the scene: a kind and a side of its own, drawn in the native XP look.
class CBarsScene::CSceneBar : public CQorCommandBar
{
public:
    CSceneBar(int nType, int nPosition)
    {
        m_barType = nType;
        m_barPosition = nPosition;
        m_pPaintManager = CQorPaintManager::CreateTheme(qorPaintThemeNativeXP);
        m_pPaintManager->RefreshMetrics(); // a new theme holds no colours, fonts or styles yet
    }

    // Shown as long as its window shows, as tool bars are: redraws reach the screen.
    BOOL IsVisible() const override { return m_hWnd && (GetStyle() & WS_VISIBLE); }

    // Lays the controls out along nLength pixels and answers the bar's size.
    CSize Layout(int nLength)
    {
        const BOOL bVertical = m_barPosition == qorBarLeft || m_barPosition == qorBarRight;
        DWORD dwMode = (bVertical ? LM_VERTDOCK : LM_HORZDOCK) | LM_HIDEWRAP | LM_COMMIT;
        CClientDC dc(this);
        return GetControls()->CalcDynamicSize(&dc, nLength, dwMode, GetBorders());
    }
};

class CBarsScene::CSceneFrame : public CFrameWnd
{
public:
    CSceneFrame(CBarsScene* pScene, CState* pState) : m_pScene(pScene), m_pState(pState) {}

    void RecalcLayout(BOOL) override
    {
        if (m_pScene)
            m_pScene->LayoutBars();
    }
    void Detach() { m_pScene = nullptr; }

protected:
    // F10 hands the keyboard to the tool bar, its first control hot, as a menu key does (the
    // manager that gives bars Alt and F10 comes later).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSKEYDOWN && wParam == VK_F10 && m_pScene && m_pScene->m_pToolBar) {
            m_pScene->m_pToolBar->SetTrackingMode(1, TRUE, TRUE);
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void OnSceneCommand(UINT nId)
    {
        m_pState->commands.push_back(nId);
        if (nId == ID_SCENE_BOLD)
            m_pState->bBold = !m_pState->bBold;
        else if (nId == ID_SCENE_READONLY)
            m_pState->bReadOnly = !m_pState->bReadOnly;
    }
    void OnUpdateSceneCommand(CCmdUI* pCmdUI)
    {
        switch (pCmdUI->m_nID) {
        case ID_SCENE_CUT:
        case ID_SCENE_PASTE:
            pCmdUI->Enable(!m_pState->bReadOnly);
            break;
        case ID_SCENE_BOLD:
            pCmdUI->SetCheck(m_pState->bBold ? 1 : 0);
            break;
        case ID_SCENE_READONLY:
            pCmdUI->SetCheck(m_pState->bReadOnly ? 1 : 0);
            break;
        default:
            pCmdUI->Enable(TRUE);
            break;
        }
    }
    DECLARE_MESSAGE_MAP()

private:
    CBarsScene* m_pScene;
    CState* m_pState;
};

BEGIN_MESSAGE_MAP(CBarsScene::CSceneFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_SCENE_NEW, ID_SCENE_ZOOMIN, &CBarsScene::CSceneFrame::OnSceneCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SCENE_NEW, ID_SCENE_ZOOMIN, &CBarsScene::CSceneFrame::OnUpdateSceneCommand)
END_MESSAGE_MAP()

CBarsScene::CBarsScene()
    : m_pState(new CState), m_pFrame(nullptr), m_hWndFrame(nullptr), m_pToolBar(nullptr), m_pPanelBar(nullptr)
{
}

CBarsScene::~CBarsScene()
{
    if (m_pFrame && ::IsWindow(m_hWndFrame))
        m_pFrame->Detach();
    for (CQorCommandBar* pBar : {m_pToolBar, m_pPanelBar}) {
        if (!pBar)
            continue;
        if (pBar->GetSafeHwnd())
            pBar->DestroyWindow();
        pBar->InternalRelease();
    }
    if (::IsWindow(m_hWndFrame))
        ::DestroyWindow(m_hWndFrame);
    delete m_pState;
}

HWND CBarsScene::Create(int x, int y)
{
    RegisterSceneIcons();
    m_pFrame = new CSceneFrame(this, m_pState);
    const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const CRect rc = SceneFrameRect(x, y, kClientWidth, kClientHeight, dwStyle);
    if (!m_pFrame->Create(nullptr, L"Command bars", dwStyle, rc)) {
        m_pFrame = nullptr; // a frame whose window failed deletes itself
        return nullptr;
    }
    m_hWndFrame = m_pFrame->GetSafeHwnd();
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));

    // The tool bar, from command ids: their icons come from the image manager.
    CSceneBar* pToolBar = new CSceneBar(qorBarTypeToolBar, qorBarTop);
    m_pToolBar = pToolBar;
    if (!pToolBar->CreateEx(0, lpszClass, L"Standard", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_hWndFrame, nullptr))
        return nullptr;
    struct Button
    {
        int nType;
        int nId;
        LPCWSTR lpszCaption;
        BOOL bBeginGroup;
    };
    const Button buttons[] = {
        {qorControlButton, ID_SCENE_NEW, L"&New", FALSE},
        {qorControlButton, ID_SCENE_OPEN, L"&Open", FALSE},
        {qorControlButton, ID_SCENE_SAVE, L"&Save", FALSE},
        {qorControlButton, ID_SCENE_CUT, L"Cu&t", TRUE},
        {qorControlButton, ID_SCENE_COPY, L"&Copy", FALSE},
        {qorControlButton, ID_SCENE_PASTE, L"&Paste", FALSE},
        {qorControlSplitButtonPopup, ID_SCENE_UNDO, L"&Undo", TRUE},
        {qorControlButton, ID_SCENE_BOLD, L"&Bold", TRUE},
    };
    for (const Button& b : buttons) {
        CQorControl* pControl = pToolBar->GetControls()->Add(b.nType, b.nId);
        pControl->SetCaption(b.lpszCaption);
        pControl->SetBeginGroup(b.bBeginGroup);
    }

    // The panel, from a menu resource: items with an icon show it, the others their caption.
    CSceneBar* pPanelBar = new CSceneBar(qorBarTypeToolBar, qorBarLeft);
    m_pPanelBar = pPanelBar;
    if (!pPanelBar->CreateEx(0, lpszClass, L"Panel", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_hWndFrame, nullptr))
        return nullptr;
    CMenu menu;
    if (menu.LoadMenu(IDR_BARS_SCENE_PANEL))
        pPanelBar->LoadMenu(&menu);

    LayoutBars();
    m_pFrame->ShowWindow(SW_SHOW);
    UpdateCommandUI();
    m_pFrame->UpdateWindow();
    return m_hWndFrame;
}

HWND CBarsScene::GetSafeHwnd() const
{
    return ::IsWindow(m_hWndFrame) ? m_hWndFrame : nullptr;
}

int CBarsScene::IndexOf(const CQorCommandBar* pBar, int nId)
{
    for (int i = 0; pBar && i < pBar->GetControlCount(); ++i)
        if (pBar->GetControl(i)->GetID() == nId)
            return i;
    return -1;
}

void CBarsScene::LayoutBars()
{
    if (!::IsWindow(m_hWndFrame))
        return;
    CRect rcClient;
    ::GetClientRect(m_hWndFrame, &rcClient);
    int nTop = 0;
    if (m_pToolBar && m_pToolBar->GetSafeHwnd()) {
        const CSize size = static_cast<CSceneBar*>(m_pToolBar)->Layout(rcClient.Width());
        m_pToolBar->MoveWindow(0, 0, rcClient.Width(), size.cy);
        m_pToolBar->Invalidate();
        nTop = size.cy;
    }
    if (m_pPanelBar && m_pPanelBar->GetSafeHwnd()) {
        const CSize size = static_cast<CSceneBar*>(m_pPanelBar)->Layout(rcClient.Height() - nTop);
        m_pPanelBar->MoveWindow(0, nTop, size.cx, rcClient.Height() - nTop);
        m_pPanelBar->Invalidate();
    }
}

void CBarsScene::UpdateCommandUI()
{
    if (CWnd* pFrame = CWnd::FromHandlePermanent(GetSafeHwnd())) {
        pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

const std::vector<UINT>& CBarsScene::GetCommands() const
{
    return m_pState->commands;
}

BOOL CBarsScene::IsBold() const
{
    return m_pState->bBold;
}

BOOL CBarsScene::IsReadOnly() const
{
    return m_pState->bReadOnly;
}
