// A tab row owned by a real window, as the toolkit's owners hold one: a CWnd with
// CQorTabManager as its second base. Its Reposition lays the visible tabs end to end from the
// header's start (scroll offset applied), enough for the model's own tests.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"
#include "toolkit/tabs/TabManager.h"

namespace tabstest {

class CTestTabRow : public CWnd, public CQorTabManager
{
public:
    explicit CTestTabRow(CQorTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager)
    {
        pPaintManager->AddRow(this);
    }

    CQorTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }

    // Header: a 20-pixel strip on the row's side of the control rectangle.
    void Reposition() override
    {
        ++m_nRepositions;
        CRect rc = m_rcControl;
        switch (GetPosition()) {
        case qorTabPositionTop:
            rc.bottom = rc.top + 20;
            break;
        case qorTabPositionBottom:
            rc.top = rc.bottom - 20;
            break;
        case qorTabPositionLeft:
            rc.right = rc.left + 20;
            break;
        case qorTabPositionRight:
            rc.left = rc.right - 20;
            break;
        }
        m_rcHeaderRect = rc;
        int nPos = (IsHorizontal() ? rc.left : rc.top) + m_nScrollOffset;
        for (int i = 0; i < GetItemCount(); ++i) {
            CQorTabManagerItem* pItem = GetItem(i);
            if (!pItem->IsVisible()) {
                pItem->SetRect(CRect(0, 0, 0, 0));
                continue;
            }
            pItem->SetRect(IsHorizontal() ? CRect(nPos, rc.top, nPos + pItem->m_nLength, rc.bottom)
                                          : CRect(rc.left, nPos, rc.right, nPos + pItem->m_nLength));
            nPos += pItem->m_nLength;
        }
    }
    void RedrawControl(LPCRECT, BOOL) override {}
    BOOL DrawItemImage(CDC*, CPoint, CQorTabManagerItem*, BOOL, CSize*) override { return FALSE; }
    void OnItemClick(CQorTabManagerItem* pItem) override
    {
        ++m_nItemClicks;
        CQorTabManager::OnItemClick(pItem);
    }
    void OnNavigateButtonClick(CQorTabManagerNavigateButton*) override { ++m_nButtonClicks; }

    // Appends nCount tabs of the given length each.
    void AddTabs(int nCount, int nLength = 50)
    {
        for (int i = 0; i < nCount; ++i)
            InsertItem(-1)->m_nLength = nLength;
    }

    CQorTabPaintManager* m_pPaintManager;
    int m_nRepositions = 0;
    int m_nItemClicks = 0;
    int m_nButtonClicks = 0;
};

// A row laid out by its painter, in a screen-compatible DC.
class CPaintedRow : public CTestTabRow
{
public:
    explicit CPaintedRow(CQorTabPaintManager* pPaintManager) : CTestTabRow(pPaintManager) {}
    void Reposition() override
    {
        ++m_nRepositions;
        HDC hDC = CreateCompatibleDC(nullptr);
        CDC dc;
        dc.Attach(hDC);
        m_pPaintManager->RepositionTabControl(this, &dc, m_rcLayout);
        dc.Detach();
        DeleteDC(hDC);
    }
    void AddCaptions(std::initializer_list<LPCWSTR> captions)
    {
        for (LPCWSTR caption : captions)
            InsertItem(-1)->SetCaption(caption);
    }
    CRect m_rcLayout = CRect(0, 0, 400, 200);
};

// A window whose WM_APP runs a test's action, so that a message dispatched inside a loop can
// change the row as an owner's handler would.
inline std::function<void()> g_onApp;

inline LRESULT CALLBACK ActionWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP && g_onApp) {
        g_onApp();
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

inline HWND MakeActionWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ActionWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TabsTestAction";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"TabsTestAction", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

inline void Post(HWND hWnd, UINT message, int x, int y, WPARAM wParam = 0)
{
    PostMessageW(hWnd, message, wParam, MAKELPARAM(x, y));
}

// Takes a queued WM_QUIT off the queue; whether there was one.
inline bool TakeQuit()
{
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// A tab that counts its destructions, to show every tab the row releases is freed.
class CCountingItem : public CQorTabManagerItem
{
public:
    explicit CCountingItem(int* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~CCountingItem() override { ++*m_pDestroyed; }
    int* m_pDestroyed;
};

} // namespace tabstest
