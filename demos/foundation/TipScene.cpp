#include "demos/foundation/TipScene.h"

#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/Accessible.h"
#include "toolkit/foundation/HookManager.h"
#include "toolkit/foundation/KeyboardManager.h"
#include "toolkit/foundation/ToolTipContext.h"

namespace tipscene {
namespace {

const wchar_t* const kToolTexts[3] = {L"Open a book", L"Print the page", L"Find text in the book"};

// The strip of tools: it hands its mouse messages to its tool-tip context, and it answers
// accessibility clients with its name.
class CToolStrip : public CWnd, public CQorAccessible
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        for (int i = 0; i < 3; ++i) {
            if (::PtInRect(&kTools[i], point)) {
                const RECT& rc = kTools[i];
                FillToolInfo(m_hWnd, kToolTexts[i], pTI, rc.left, rc.top, rc.right, rc.bottom, i + 1);
                return i + 1;
            }
        }
        return -1;
    }
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        if (GetVariantInt(varChild) != 0)
            return E_INVALIDARG;
        *pszName = ::SysAllocString(kStripName);
        return S_OK;
    }
    CCmdTarget* GetAccessibleOuterObject() override { return this; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)) {
            MSG msg = {m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
            DWORD dwPos = ::GetMessagePos();
            msg.pt = {static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos))};
            m_context.FilterToolTipMessage(this, &msg);
        }
        switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT)
                return LresultFromObject(wParam);
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = ::BeginPaint(m_hWnd, &ps);
            for (const RECT& rc : kTools)
                ::FillRect(hdc, &rc, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1));
            ::EndPaint(m_hWnd, &ps);
            return 0;
        }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    CQorToolTipContext m_context;
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CToolStrip, CWnd)
    INTERFACE_PART(CToolStrip, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

// Sees the frame's ping once: it removes itself while the offer runs.
class CPingHookAble : public CQorHookManagerHookAble
{
public:
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
    {
        if (nMessage == kPing) {
            ++m_nSeen;
            GetHookManager()->RemoveAll(this);
        }
        return QOR_HOOK_OFFER_ON;
    }
    int m_nSeen = 0;
};

// Swallows arrow keys; every other key goes on to the focused window.
class CArrowSwallower : public CQorHookManagerHookAble
{
public:
    int OnHookMessage(HWND, UINT, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        return wParam >= VK_LEFT && wParam <= VK_DOWN ? QOR_HOOK_CONSUMED : QOR_HOOK_PASS;
    }
};

class CSceneFrame : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case kPing:
            ++m_nPings;
            return 0;
        case WM_DESTROY:
            GetKeyboardManager()->UnhookKeyboard(&m_arrows);
            GetHookManager()->RemoveAll(&m_ping);
            m_strip.m_context.DestroyToolTip();
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }

    CToolStrip m_strip;
    CWnd m_edit;
    CPingHookAble m_ping;
    CArrowSwallower m_arrows;
    int m_nPings = 0;
};

CSceneFrame* SceneOf(HWND hScene)
{
    return dynamic_cast<CSceneFrame*>(CWnd::FromHandlePermanent(hScene));
}

} // namespace

HWND CreateScene(int x, int y, int nTipStyle)
{
    auto* pFrame = new CSceneFrame;
    CRect rc(x, y, x + kClientWidth, y + kClientHeight);
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
    // A frame that fails to be created has deleted itself already.
    if (!pFrame->CreateEx(
            0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
            L"Tool tips", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, rc, nullptr, 0))
        return nullptr;
    pFrame->m_strip.m_context.m_nStyle = nTipStyle;
    pFrame->m_strip.CreateEx(
        0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), L"",
        WS_CHILD | WS_VISIBLE, CRect(0, 0, kClientWidth, 80), pFrame, 1);
    pFrame->m_edit.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            CRect(10, 100, 300, 125), pFrame, 2);
    GetHookManager()->SetHook(pFrame->GetSafeHwnd(), &pFrame->m_ping);
    GetKeyboardManager()->HookKeyboard(&pFrame->m_arrows);
    return pFrame->GetSafeHwnd();
}

void SetTipStyle(HWND hScene, int nTipStyle)
{
    if (CSceneFrame* pFrame = SceneOf(hScene)) {
        pFrame->m_strip.m_context.DestroyToolTip();
        pFrame->m_strip.m_context.m_nStyle = nTipStyle;
    }
}

HWND GetToolStrip(HWND hScene)
{
    CSceneFrame* pFrame = SceneOf(hScene);
    return pFrame ? pFrame->m_strip.GetSafeHwnd() : nullptr;
}

HWND GetEdit(HWND hScene)
{
    CSceneFrame* pFrame = SceneOf(hScene);
    return pFrame ? pFrame->m_edit.GetSafeHwnd() : nullptr;
}

HWND GetTipWindow(HWND hScene)
{
    CSceneFrame* pFrame = SceneOf(hScene);
    CWnd* pTip = pFrame ? pFrame->m_strip.m_context.GetToolTip() : nullptr;
    return pTip ? pTip->GetSafeHwnd() : nullptr;
}

void GetPingCounts(HWND hScene, int* pnHookAble, int* pnFrame)
{
    CSceneFrame* pFrame = SceneOf(hScene);
    *pnHookAble = pFrame ? pFrame->m_ping.m_nSeen : 0;
    *pnFrame = pFrame ? pFrame->m_nPings : 0;
}

} // namespace tipscene
