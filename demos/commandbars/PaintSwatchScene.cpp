#include "demos/commandbars/PaintSwatchScene.h"

#include <algorithm>

#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/WinThemeWrapper.h"

namespace paintswatchscene {

namespace {

const wchar_t kClassName[] = L"QorPaintSwatchScene";
const int kThemes[kThemeCount] = {qorPaintThemeDefault, qorPaintThemeNativeXP, qorPaintThemeOffice,
                                  qorPaintThemeOffice2003, qorPaintThemeWhidbey};
const int kToolBar = 1;
const int kPopupBar = 2;
const int kColorButtonFace = 15;
const int kColorButtonText = 18;

// The tool bar the control rows stand on (no window: only its kind and open popup are read).
class CSwatchBar : public CQorCommandBar
{
public:
    CSwatchBar()
    {
        m_barType = kToolBar;
        m_barPosition = qorBarTop;
    }
    void SetPopupedIndex(int nIndex) { m_nPopuped = nIndex; }
};

struct SceneState
{
    CQorPaintManager* pManagers[kColumnCount] = {};
    HWND hProbe = nullptr; // a hidden window of cell size for the window fills
    CSwatchBar* pBar = nullptr;
    CQorControl* pControl = nullptr; // the one control every control cell draws, re-dressed
};

SceneState* StateOf(HWND hScene)
{
    return reinterpret_cast<SceneState*>(::GetWindowLongPtrW(hScene, GWLP_USERDATA));
}

// Installs every column's theme in turn, the classic columns with themes off, and keeps a
// reference on each: switching to the next theme releases only the global one.
void InstallColumnThemes(SceneState& state)
{
    const QorThemeMode mode = QorGetThemeMode();
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn) {
        QorSetThemeModeForTest(IsColumnThemed(nColumn) ? mode : qorThemeOff);
        CQorPaintManager::SetGlobalTheme(ColumnTheme(nColumn));
        state.pManagers[nColumn] = GetGlobalPaintManager();
        if (state.pManagers[nColumn])
            state.pManagers[nColumn]->InternalAddRef();
    }
    QorSetThemeModeForTest(mode);
}

void DrawEntry(CQorPaintManager* pPaintManager, CDC* pDC, const CRect& rc, int nRow)
{
    struct EntryState
    {
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType;
    };
    static const EntryState kStates[] = {
        {FALSE, FALSE, TRUE, FALSE, FALSE, kToolBar},  // normal
        {TRUE, FALSE, TRUE, FALSE, FALSE, kToolBar},   // hot
        {TRUE, TRUE, TRUE, FALSE, FALSE, kToolBar},    // pressed
        {FALSE, FALSE, TRUE, TRUE, FALSE, kToolBar},   // checked
        {FALSE, FALSE, FALSE, FALSE, FALSE, kToolBar}, // disabled
        {FALSE, FALSE, TRUE, FALSE, TRUE, kToolBar},   // popped up
        {TRUE, FALSE, TRUE, FALSE, FALSE, kPopupBar},  // selected popup item
    };
    const EntryState& s = kStates[nRow - rowEntryNormal];
    pPaintManager->DrawControlEntry(pDC, rc, s.bSelected, s.bPressed, s.bEnabled, s.bChecked, s.bPopuped, s.nBarType,
                                    0);
}

// One control drawn whole in the state of its row, at the cell's left, as wide as it measures.
void DrawControlCell(CQorPaintManager* pPaintManager, CDC* pDC, const CRect& rc, int nRow, SceneState& state)
{
    struct ControlState
    {
        int nType, nSelected, nPressed, nEnabled, nChecked;
        BOOL bPopuped;
    };
    static const ControlState kStates[] = {
        {qorControlButton, 0, 0, 1, 0, FALSE},           // normal
        {qorControlButton, 1, 0, 1, 0, FALSE},           // hot
        {qorControlButton, 1, 1, 1, 0, FALSE},           // pressed
        {qorControlButton, 0, 0, 1, 1, FALSE},           // checked
        {qorControlButton, 0, 0, 0, 0, FALSE},           // disabled
        {qorControlSplitButtonPopup, 1, 0, 1, 0, FALSE}, // split, hot
        {qorControlSplitButtonPopup, 0, 0, 1, 0, TRUE},  // split, popped up
    };
    const ControlState& s = kStates[nRow - rowButtonNormal];
    CQorControl* pControl = state.pControl;
    pControl->m_nType = s.nType;
    pControl->m_nSelected = s.nSelected;
    pControl->m_nPressed = s.nPressed;
    pControl->m_nEnabled = s.nEnabled;
    pControl->m_nChecked = s.nChecked;
    state.pBar->SetPopupedIndex(s.bPopuped ? 0 : -1);
    const CSize sz = pPaintManager->DrawControl(pDC, pControl, FALSE);
    pControl->SetRect(CRect(rc.left, rc.top, rc.left + std::min<int>(sz.cx, rc.Width()), rc.bottom));
    pPaintManager->DrawControl(pDC, pControl, TRUE);
}

// Draws what needs a window with the viewport moved to the cell: the operation fills the
// probe's client rectangle, which has the cell's size.
template <class Draw> void DrawInCell(CDC* pDC, const CRect& rc, Draw draw)
{
    POINT ptOld;
    ::SetViewportOrgEx(pDC->GetSafeHdc(), rc.left, rc.top, &ptOld);
    draw();
    ::SetViewportOrgEx(pDC->GetSafeHdc(), ptOld.x, ptOld.y, nullptr);
}

void DrawCell(CQorPaintManager* pPaintManager, CDC* pDC, const CRect& rc, int nRow, SceneState& state)
{
    CWnd* pProbe = CWnd::FromHandle(state.hProbe);
    pDC->FillSolidRect(&rc, pPaintManager->GetColor(kColorButtonFace));
    if (nRow >= rowButtonNormal) {
        DrawControlCell(pPaintManager, pDC, rc, nRow, state);
        return;
    }
    switch (nRow) {
    case rowSymbols:
        pPaintManager->DrawCheckBoxSymbol(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 17, rc.top + 17), TRUE, TRUE, 1,
                                          FALSE, FALSE);
        pPaintManager->DrawRadioButtonSymbol(pDC, CRect(rc.left + 24, rc.top + 4, rc.left + 37, rc.top + 17), TRUE,
                                             TRUE, 1, FALSE, FALSE);
        break;
    case rowTick:
        pPaintManager->DrawCheckTick(pDC, rc, kColorButtonText);
        break;
    case rowDot:
        pPaintManager->DrawRadioDot(pDC, rc, kColorButtonText);
        break;
    case rowTriangle:
        pPaintManager->DrawDownTriangle(pDC, CRect(rc.left, rc.top, rc.left + 20, rc.bottom), kColorButtonText);
        pPaintManager->DrawDownTriangle(pDC, CRect(rc.left + 20, rc.top, rc.right, rc.bottom), kColorButtonText);
        break;
    case rowGlyph:
        pPaintManager->DrawGlyph(pDC, rc, kGlyph, kColorButtonText);
        break;
    case rowPopupGrippers:
        pPaintManager->DrawPopupGrippers(pDC, rc, 2);
        break;
    case rowCaptionActive:
    case rowCaptionInactive:
        pPaintManager->FillCaptionBar(pDC, rc, nRow == rowCaptionActive, TRUE);
        break;
    case rowStatusGripper:
        pPaintManager->DrawStatusBarGripper(pDC, rc);
        break;
    case rowBarWindow:
        DrawInCell(pDC, rc, [&] { pPaintManager->FillBarWindow(pDC, pProbe); });
        break;
    case rowWorkspace:
        pPaintManager->FillWorkspaceRect(pDC, rc);
        break;
    case rowFramedText:
        DrawInCell(pDC, rc, [&] { pPaintManager->DrawFramedTextWindow(pDC, pProbe, FALSE); });
        break;
    default:
        DrawEntry(pPaintManager, pDC, rc, nRow);
        break;
    }
}

void Paint(HWND hScene, CDC* pDC)
{
    CRect rcClient;
    ::GetClientRect(hScene, &rcClient);
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_WINDOW));
    SceneState* pState = StateOf(hScene);
    if (!pState)
        return;
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn) {
        if (CQorPaintManager* pPaintManager = pState->pManagers[nColumn]) {
            for (int nRow = 0; nRow < rowCount; ++nRow)
                DrawCell(pPaintManager, pDC, CellRect(nRow, nColumn), nRow, *pState);
        }
    }
}

LRESULT CALLBACK SceneProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case WM_CREATE: {
        SceneState* pState = new SceneState;
        pState->hProbe = ::CreateWindowExW(0, L"STATIC", L"Ready", WS_CHILD, 0, 0, kCellWidth, kCellHeight, hWnd,
                                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
        InstallColumnThemes(*pState);
        pState->pBar = new CSwatchBar;
        pState->pControl = new CQorControlButton;
        pState->pControl->m_nIndex = 0;
        pState->pControl->SetParent(pState->pBar);
        pState->pControl->SetCaption(kButtonCaption);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pState));
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY: {
        if (SceneState* pState = StateOf(hWnd)) {
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            for (CQorPaintManager* pPaintManager : pState->pManagers) {
                if (pPaintManager)
                    pPaintManager->InternalRelease();
            }
            pState->pControl->InternalRelease();
            pState->pBar->InternalRelease();
            delete pState;
        }
        // Wakes a message loop that waits for the scene to go (Main.cpp).
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
        return 0;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        // Double-buffered, into the paint DC or the DC a capture hands over.
        PAINTSTRUCT ps = {};
        HDC hDC = nMessage == WM_PAINT ? ::BeginPaint(hWnd, &ps) : reinterpret_cast<HDC>(wParam);
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        {
            CQorBufferDC buffer(hDC, rcClient);
            Paint(hWnd, &buffer);
        }
        if (nMessage == WM_PAINT)
            ::EndPaint(hWnd, &ps);
        return 0;
    }
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

} // namespace

int ColumnTheme(int nColumn)
{
    return kThemes[(nColumn / 2) % kThemeCount];
}

BOOL IsColumnThemed(int nColumn)
{
    return nColumn % 2 == 0;
}

HWND CreateScene(int x, int y)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SceneProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    RECT rc = {0, 0, kClientWidth, kClientHeight};
    const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, 0);
    return ::CreateWindowExW(0, kClassName, L"Command bars: paint themes", dwStyle, x, y, rc.right - rc.left,
                             rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
}

RECT CellRect(int nRow, int nColumn)
{
    const int x = kMargin + nColumn * (kCellWidth + kGap);
    const int y = kMargin + nRow * (kCellHeight + kGap);
    return RECT{x, y, x + kCellWidth, y + kCellHeight};
}

CQorPaintManager* ColumnPaintManager(HWND hScene, int nColumn)
{
    SceneState* pState = StateOf(hScene);
    return pState && nColumn >= 0 && nColumn < kColumnCount ? pState->pManagers[nColumn] : nullptr;
}

} // namespace paintswatchscene
