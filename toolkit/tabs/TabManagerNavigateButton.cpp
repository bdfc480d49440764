// The navigate buttons. A press runs on the foundation's capture loop: between messages the
// loop waits (MsgWaitForMultipleObjects) until the next repeat is due, so a held arrow scrolls
// once every 20 ms without spinning. Messages dispatched meanwhile may delete the button's tab
// (and with it a tab close button) or the row: the press holds the tab, and the button is then
// deleted only after its loop has ended.
#include "toolkit/tabs/TabManagerNavigateButton.h"

#include <algorithm>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabManagerInternal.h"
#include "toolkit/tabs/TabsResources.h"

namespace {

QorTabTickSource g_pTickSource = nullptr;

DWORD Now()
{
    return g_pTickSource ? g_pTickSource() : ::GetTickCount();
}

} // namespace

void QorSetTabTickSourceForTest(QorTabTickSource pSource)
{
    g_pTickSource = pSource;
}

CQorTabManagerNavigateButton::CQorTabManagerNavigateButton(CQorTabManager* pManager, UINT nID, int nShowMode,
                                                           UINT nToolTipID)
    : m_nID(nID), m_nShowMode(nShowMode), m_pManager(pManager), m_rcButton(0, 0, 0, 0)
{
    m_strToolTip = GetResourceManager()->LoadString(nToolTipID);
}

CQorTabManagerNavigateButton::~CQorTabManagerNavigateButton()
{
    if (m_pManager && m_pManager->GetHotNavigateButton() == this)
        m_pManager->SetHotNavigateButton(nullptr);
}

void CQorTabManagerNavigateButton::Destroy()
{
    if (m_pManager && m_pManager->GetHotNavigateButton() == this)
        m_pManager->SetHotNavigateButton(nullptr);
    if (m_bInPress) {
        // The press loop still runs in this button: it deletes the button when it ends.
        m_bDeletePending = TRUE;
        m_pManager = nullptr;
        m_pItem = nullptr;
        return;
    }
    delete this;
}

BOOL CQorTabManagerNavigateButton::IsHot() const
{
    return m_pManager && m_pManager->GetHotNavigateButton() == this;
}

BOOL CQorTabManagerNavigateButton::IsShown() const
{
    if (!m_pManager || m_nShowMode == showNever)
        return FALSE;
    if (m_nShowMode == showAlways)
        return TRUE;
    if (m_pItem)
        return m_pItem->IsSelected();
    return m_pManager->IsNavigateButtonEnabled(const_cast<CQorTabManagerNavigateButton*>(this));
}

CSize CQorTabManagerNavigateButton::GetSize() const
{
    return m_pManager ? m_pManager->GetPaintManager()->m_szNavigateButton : CSize(14, 15);
}

void CQorTabManagerNavigateButton::AdjustLength(int& nLength)
{
    if (!IsShown())
        return;
    const CSize size = GetSize();
    nLength -= static_cast<int>(m_pManager->IsHorizontal() ? size.cx : size.cy);
}

void CQorTabManagerNavigateButton::PlaceAtEnd(CRect& rcArea)
{
    const CSize size = GetSize();
    if (m_pManager->IsHorizontal()) {
        const int nBottom = static_cast<int>(rcArea.CenterPoint().y + size.cy / 2);
        m_rcButton = CRect(rcArea.right - size.cx, nBottom - size.cy, rcArea.right, nBottom);
        rcArea.right -= size.cx;
    } else {
        const int nLeft = static_cast<int>(rcArea.CenterPoint().x - size.cx / 2);
        m_rcButton = CRect(nLeft, rcArea.bottom - size.cy, nLeft + size.cx, rcArea.bottom);
        rcArea.bottom -= size.cy;
    }
}

void CQorTabManagerNavigateButton::Reposition(CRect& rcArea)
{
    if (IsShown())
        PlaceAtEnd(rcArea);
    else
        m_rcButton.SetRectEmpty();
}

void CQorTabManagerNavigateButton::OnExecute(BOOL bRepeat)
{
    if (!bRepeat && m_pManager)
        m_pManager->OnNavigateButtonClick(this);
}

void CQorTabManagerNavigateButton::Press(HWND hWnd, CPoint pt)
{
    const HWND hCapture = ::GetCapture();
    if ((hCapture && hCapture != hWnd) || !m_bEnabled || !m_pManager)
        return;
    TrackPress(hWnd, pt);
}

void CQorTabManagerNavigateButton::TrackPress(HWND hWnd, CPoint pt)
{
    CQorTabManager* pManager = m_pManager;
    qortabs::CItemReference holdItem(m_pItem);
    m_bInPress = TRUE;
    m_bPressed = TRUE;
    pManager->RedrawControl(&m_rcButton, FALSE);

    DWORD dwLastRepeat = Now();
    CPoint ptLast = pt;
    CQorCaptureLoop loop(hWnd);
    // Between two messages: repeat when due, else wait for a message until the next repeat.
    loop.m_stillTracking = [&]() {
        for (;;) {
            if (m_bDeletePending)
                return false;
            const DWORD dwNow = Now();
            if (m_bEnabled && dwNow - dwLastRepeat > static_cast<DWORD>(repeatInterval)) {
                dwLastRepeat = dwNow;
                OnExecute(TRUE);
                if (m_bDeletePending)
                    return false;
            }
            MSG msg;
            if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) || ::GetCapture() != hWnd)
                return true;
            const DWORD dwSince = Now() - dwLastRepeat;
            const DWORD dwWait = dwSince > static_cast<DWORD>(repeatInterval) ? 1 : repeatInterval + 1 - dwSince;
            ::MsgWaitForMultipleObjectsEx(0, nullptr, dwWait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    };
    auto followPoint = [&](CPoint ptMouse) {
        ptLast = ptMouse;
        const BOOL bInside = m_bEnabled && m_rcButton.PtInRect(ptMouse);
        if (bInside != m_bPressed) {
            m_bPressed = bInside;
            if (m_pManager)
                m_pManager->RedrawControl(&m_rcButton, FALSE);
        }
    };
    loop.m_onMessage = [&](MSG& msg) {
        if (m_bDeletePending)
            return CQorCaptureLoop::actionCancel;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
            followPoint(qortabs::MessagePoint(msg));
        CQorCaptureLoop::Action action;
        if (qortabs::HandleTrackingEnd(msg, ptLast, action))
            return action;
        return msg.message == WM_MOUSEMOVE ? CQorCaptureLoop::actionHandled : CQorCaptureLoop::actionDispatch;
    };
    const CQorCaptureLoop::Result result = loop.Run();

    const BOOL bReleasedInside = result == CQorCaptureLoop::resultDone && m_bPressed;
    m_bPressed = FALSE;
    m_bInPress = FALSE;
    if (m_bDeletePending) {
        delete this;
        return;
    }
    pManager->PerformMouseMove(hWnd, ptLast);
    pManager->RedrawControl(nullptr, FALSE);
    // Last: the click may delete this button (a tab closed by its own close button).
    if (bReleasedInside)
        OnExecute(FALSE);
}

CQorTabManager::CNavigateButtonArrow::CNavigateButtonArrow(CQorTabManager* pManager, UINT nID, UINT nToolTipID)
    : CQorTabManagerNavigateButton(pManager, nID, showAuto, nToolTipID)
{}

void CQorTabManager::CNavigateButtonArrow::AdjustLength(int& nLength)
{
    if (m_nShowMode == showAlways)
        CQorTabManagerNavigateButton::AdjustLength(nLength);
}

void CQorTabManager::CNavigateButtonArrow::Reposition(CRect& rcArea)
{
    CQorTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    const CRect rcMargin = pPaintManager->GetAppearanceSet()->GetHeaderMargin();
    const int nExtent = static_cast<int>(m_pManager->IsHorizontal() ? rcArea.Width() : rcArea.Height());
    const int nOffset = m_pManager->GetScrollOffset();
    m_bEnabled = IsArrowEnabled(nExtent, rcMargin);
    BOOL bHidden = pPaintManager->m_layout == qorTabLayoutMultiRow || m_nShowMode == showNever;
    if (!bHidden && m_nShowMode == showAuto) {
        // The tabs start after the header's left margin: a row fits only with both margins
        // counted, else its last tab would run past the header with no arrow to reach it.
        const BOOL bAllFit =
            m_pManager->GetItemsLength() + nOffset - 1 <= nExtent - rcMargin.left - rcMargin.right && nOffset >= 0;
        bHidden = pPaintManager->m_layout == qorTabLayoutSizeToFit || bAllFit;
    }
    if (bHidden)
        m_rcButton.SetRectEmpty();
    else
        PlaceAtEnd(rcArea);
}

void CQorTabManager::CNavigateButtonArrow::DrawGlyph(CDC* pDC, CRect rc)
{
    // Offsets from the centre, by direction and orientation.
    static const int glyphs[2][2][6] = {
        {{2, -5, -2, -1, 2, 3}, {-5, 2, -1, -2, 3, 2}},   // left; up in vertical rows
        {{-2, -5, 2, -1, -2, 3}, {-5, -2, -1, 2, 3, -2}}, // right; down in vertical rows
    };
    const CPoint c = rc.CenterPoint();
    const int* g = glyphs[m_nID == idRight ? 1 : 0][m_pManager && !m_pManager->IsHorizontal() ? 1 : 0];
    PolygonTriangle(pDC, CPoint(c.x + g[0], c.y + g[1]), CPoint(c.x + g[2], c.y + g[3]),
                    CPoint(c.x + g[4], c.y + g[5]));
}

void CQorTabManager::CNavigateButtonArrow::OnExecute(BOOL bRepeat)
{
    if (bRepeat && m_pManager)
        m_pManager->OnScroll(m_nID == idRight);
}

CQorTabManager::CNavigateButtonArrowLeft::CNavigateButtonArrowLeft(CQorTabManager* pManager)
    : CNavigateButtonArrow(pManager, idLeft, QOR_IDS_TAB_SCROLL_LEFT)
{}

BOOL CQorTabManager::CNavigateButtonArrowLeft::IsArrowEnabled(int, const CRect&) const
{
    return m_pManager->GetScrollOffset() < 0;
}

CQorTabManager::CNavigateButtonArrowRight::CNavigateButtonArrowRight(CQorTabManager* pManager)
    : CNavigateButtonArrow(pManager, idRight, QOR_IDS_TAB_SCROLL_RIGHT)
{}

BOOL CQorTabManager::CNavigateButtonArrowRight::IsArrowEnabled(int nExtent, const CRect& rcMargin) const
{
    // The extent still holds the left arrow, which comes off after this button: 2 x 14.
    return m_pManager->GetItemsLength() + m_pManager->GetScrollOffset() >
           nExtent - static_cast<int>(rcMargin.left + rcMargin.right) - 28;
}

CQorTabManager::CNavigateButtonClose::CNavigateButtonClose(CQorTabManager* pManager, int nShowMode)
    : CQorTabManagerNavigateButton(pManager, idClose, nShowMode, QOR_IDS_TAB_CLOSE)
{}

void CQorTabManager::CNavigateButtonClose::DrawGlyph(CDC* pDC, CRect rc)
{
    const CPoint c = rc.CenterPoint();
    static const int strokes[4][4] = {{-4, -3, 3, 4}, {-3, -3, 4, 4}, {-4, 3, 3, -4}, {-3, 3, 4, -4}};
    CQorPenDC pen(pDC->GetSafeHdc(), pDC->GetTextColor());
    for (const auto& s : strokes) {
        pDC->MoveTo(c.x + s[0], c.y + s[1]);
        pDC->LineTo(c.x + s[2], c.y + s[3]);
    }
}

CQorTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CQorTabManager* pManager, CQorTabManagerItem* pItem,
                                                                 int nShowMode)
    : CNavigateButtonClose(pManager, nShowMode)
{
    m_pItem = pItem;
}
