#include "demos/skin/SheetScene.h"

#include <cwchar>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerMetrics.h"
#include "toolkit/skin/SkinManagerSchemaDefault.h"

namespace skinscene {

namespace {

const wchar_t kSceneClass[] = L"FolionyxSkinSheet";
const COLORREF kBackground = RGB(255, 255, 254);
const int kCellWidth = 22, kCellHeight = 14, kPitchX = 24, kPitchY = 16, kColumns = 29;
const CPoint kCellOrigin(8, 28);
const int kFrameTop = 340, kFrameWidth = 170, kFrameHeight = 110, kFrameGap = 8;
const int kBarTop = 460, kBarLength = 90, kBarThickness = 17;

const SheetPart kParts[] = {
#include "demos/skin/SheetParts.inc"
};

std::wstring ProgramFolder()
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    wchar_t* pSlash = wcsrchr(szPath, L'\\');
    if (pSlash)
        pSlash[1] = 0;
    return szPath;
}

// The vertical (or horizontal) layout of a bar whose thumb sits a third along.
ScrollBarState MakeBar(const CRect& rc, BOOL bVertical, int nActivePart)
{
    ScrollBarState bar = {};
    bar.vertical = bVertical;
    bar.barKind = bVertical ? SB_VERT : SB_HORZ;
    bar.visible = TRUE;
    bar.rect = rc;
    bar.start = bVertical ? rc.top : rc.left;
    bar.end = bVertical ? rc.bottom : rc.right;
    bar.crossStart = bVertical ? rc.left : rc.top;
    bar.crossEnd = bVertical ? rc.right : rc.bottom;
    bar.firstArrowEnd = bar.start + kBarThickness;
    bar.secondArrowStart = bar.end - kBarThickness;
    bar.trackStart = bar.firstArrowEnd;
    bar.thumbStart = bar.firstArrowEnd + 10;
    bar.thumbLength = 24;
    bar.thumbEnd = bar.thumbStart + bar.thumbLength;
    bar.trackSpace = bar.secondArrowStart - bar.firstArrowEnd - bar.thumbLength;
    bar.activePart = nActivePart;
    return bar;
}

} // namespace

CSheetScene::CSheetScene()
{
    BuildBars();
}

CSheetScene::~CSheetScene()
{
    Destroy();
}

const std::vector<SheetSkin>& CSheetScene::GetSkins()
{
    static const std::vector<SheetSkin> skins = {
        {L"BorderFill", L"SkinFixtureBorderFill.dll"},
        {L"Office2007Fixture", L"SkinFixtureOffice2007.dll"},
        {L"Calm", L"FolionyxSkinCalm.dll"},
        {L"CalmDark", L"FolionyxSkinCalmDark.dll"},
        {L"Office2007", L"FolionyxSkinOffice2007.dll"},
        {L"Quiet", L"FolionyxSkinQuiet.dll"},
    };
    return skins;
}

const std::vector<SheetPart>& CSheetScene::GetParts()
{
    static const std::vector<SheetPart> parts(std::begin(kParts), std::end(kParts));
    return parts;
}

void CSheetScene::BuildBars()
{
    // Bar 0: the thumb hot; bar 1: the second arrow pressed; bar 2: disabled.
    const int parts[kBars] = {qorScrollThumb, qorScrollSecondArrow, qorScrollNone};
    for (int i = 0; i < kBars; ++i) {
        m_bars[1][i] = MakeBar(GetBarRect(i, TRUE), TRUE, parts[i]);
        m_bars[0][i] = MakeBar(GetBarRect(i, FALSE), FALSE, parts[i]);
    }
}

BOOL CSheetScene::Create(int x, int y)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kSceneClass;
    ::RegisterClassW(&wc);
    RECT rc = {0, 0, kClientWidth, kClientHeight};
    const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, 0);
    m_hWnd = ::CreateWindowExW(0, kSceneClass, L"Skin sheet", dwStyle | WS_VISIBLE, x, y, rc.right - rc.left,
                               rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, this);
    if (m_hWnd && m_nSkin < 0)
        SelectSkin(0);
    return m_hWnd != nullptr;
}

void CSheetScene::Destroy()
{
    if (m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
    m_hWnd = nullptr;
}

BOOL CSheetScene::SelectSkin(int nIndex)
{
    const std::vector<SheetSkin>& skins = GetSkins();
    const int nCount = static_cast<int>(skins.size());
    m_nSkin = ((nIndex % nCount) + nCount) % nCount;
    const std::wstring path = ProgramFolder() + skins[m_nSkin].pszModule;
    m_bOpen = m_manager.OpenSkinFile(path.c_str(), L"Normal.ini");
    m_manager.GetMetrics()->Refresh();
    if (m_manager.GetSchema())
        m_manager.GetSchema()->RefreshMetrics();
    if (m_hWnd) {
        ::SetWindowTextW(m_hWnd, (std::wstring(L"Skin sheet: ") + skins[m_nSkin].pszName).c_str());
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    return m_bOpen;
}

BOOL CSheetScene::SelectSkin(LPCWSTR lpszName)
{
    const std::vector<SheetSkin>& skins = GetSkins();
    for (size_t i = 0; i < skins.size(); ++i)
        if (lpszName && _wcsicmp(skins[i].pszName, lpszName) == 0)
            return SelectSkin(static_cast<int>(i));
    return FALSE;
}

void CSheetScene::SetMirrored(BOOL bMirrored)
{
    m_bMirrored = bMirrored;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

CRect CSheetScene::GetCellRect(const wchar_t* pszClass, int nPart, int nState) const
{
    int nIndex = 0;
    for (const SheetPart& part : kParts) {
        for (int nCell = 0; nCell < (part.nStates ? part.nStates : 1); ++nCell, ++nIndex) {
            const int nCellState = part.nStates ? nCell + 1 : 0;
            if (wcscmp(part.pszClass, pszClass) == 0 && part.nPart == nPart && nCellState == nState) {
                const int x = kCellOrigin.x + (nIndex % kColumns) * kPitchX;
                const int y = kCellOrigin.y + (nIndex / kColumns) * kPitchY;
                return CRect(x, y, x + kCellWidth, y + kCellHeight);
            }
        }
    }
    return CRect(0, 0, 0, 0);
}

CRect CSheetScene::GetFrameRect(int nFrame) const
{
    const int x = 8 + nFrame * (kFrameWidth + kFrameGap);
    return CRect(x, kFrameTop, x + kFrameWidth, kFrameTop + kFrameHeight);
}

CRect CSheetScene::GetBarRect(int nBar, BOOL bVertical) const
{
    if (bVertical) {
        const int x = 8 + nBar * (kBarThickness + 8);
        return CRect(x, kBarTop, x + kBarThickness, kBarTop + kBarLength);
    }
    const int y = kBarTop + nBar * (kBarThickness + 8);
    return CRect(100, y, 100 + kBarLength * 2, y + kBarThickness);
}

const ScrollBarState& CSheetScene::GetBar(int nBar, BOOL bVertical) const
{
    return m_bars[bVertical ? 1 : 0][nBar];
}

CRect CSheetScene::ToClient(const CRect& rc) const
{
    return m_bMirrored ? CRect(kClientWidth - rc.right, rc.top, kClientWidth - rc.left, rc.bottom) : rc;
}

void CSheetScene::DrawCells(CDC* pDC)
{
    for (const SheetPart& part : kParts) {
        CQorSkinManagerClass* pClass = m_manager.GetClass(part.pszClass);
        for (int nCell = 0; nCell < (part.nStates ? part.nStates : 1); ++nCell) {
            const int nState = part.nStates ? nCell + 1 : 0;
            const CRect rc = GetCellRect(part.pszClass, part.nPart, nState);
            pClass->DrawBackground(pDC, part.nPart, nState, &rc);
        }
    }
}

void CSheetScene::DrawFrames(CDC* pDC)
{
    auto* pSchema = m_manager.GetSchema();
    if (!pSchema)
        return;
    struct FrameLook
    {
        const wchar_t* pszTitle;
        DWORD dwStyle, dwExStyle;
        BOOL bActive;
    } looks[kFrames] = {
        {L"Active", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, TRUE},
        {L"Inactive", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, FALSE},
        {L"Tool window", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW, TRUE},
        {L"", WS_POPUP | WS_THICKFRAME | WS_BORDER, WS_EX_CLIENTEDGE, TRUE},
    };
    for (int i = 0; i < kFrames; ++i) {
        const CRect rcFrame = GetFrameRect(i);
        CQorSkinFrameRecord frame;
        frame.dwStyle = looks[i].dwStyle;
        frame.dwExStyle = looks[i].dwExStyle;
        frame.bActive = looks[i].bActive;
        frame.strTitle = looks[i].pszTitle;
        frame.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        frame.rcWindow = CRect(0, 0, rcFrame.Width(), rcFrame.Height());
        frame.rcBorders = pSchema->GetFrameBorders(&frame);
        const BOOL bTool = (looks[i].dwExStyle & WS_EX_TOOLWINDOW) != 0;
        const int nButtons[3][2] = {{HTCLOSE, bTool ? WP_SMALLCLOSEBUTTON : WP_CLOSEBUTTON},
                                    {HTMAXBUTTON, WP_MAXBUTTON},
                                    {HTMINBUTTON, WP_MINBUTTON}};
        for (int b = 0; b < (bTool ? 1 : 3); ++b) {
            CQorSkinCaptionButton button;
            button.nHitCode = nButtons[b][0];
            button.nPart = nButtons[b][1];
            frame.arrButtons.Add(button);
        }
        frame.nHotButton = i == 0 ? 0 : -1; // the active frame shows a hot close button
        // The frame is drawn at its window's origin into its own bitmap, then copied inside its
        // region, so that transparent corners show the sheet.
        CDC dcFrame;
        dcFrame.CreateCompatibleDC(pDC);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(pDC, rcFrame.Width(), rcFrame.Height());
        CBitmap* pOld = dcFrame.SelectObject(&bitmap);
        dcFrame.FillSolidRect(CRect(0, 0, rcFrame.Width(), rcFrame.Height()),
                              m_manager.GetMetrics()->m_clrTheme[COLOR_WINDOW]);
        pSchema->DrawFrame(&dcFrame, &frame);
        HRGN hRegion = pSchema->CreateFrameRegion(&frame, rcFrame.Width(), rcFrame.Height());
        if (hRegion) {
            ::OffsetRgn(hRegion, rcFrame.left, rcFrame.top);
            ::ExtSelectClipRgn(pDC->GetSafeHdc(), hRegion, RGN_AND);
        }
        pDC->BitBlt(rcFrame.left, rcFrame.top, rcFrame.Width(), rcFrame.Height(), &dcFrame, 0, 0, SRCCOPY);
        ::SelectClipRgn(pDC->GetSafeHdc(), nullptr);
        if (hRegion)
            ::DeleteObject(hRegion);
        dcFrame.SelectObject(pOld);
    }
}

void CSheetScene::DrawBars(CDC* pDC)
{
    auto* pSchema = m_manager.GetSchema();
    if (!pSchema)
        return;
    ScrollTrackState track = {};
    for (int nVertical = 0; nVertical < 2; ++nVertical) {
        for (int i = 0; i < kBars; ++i) {
            CQorSkinScrollBarDraw draw;
            draw.pBar = &m_bars[nVertical][i];
            draw.pTrack = i == 1 ? &track : nullptr; // the pressed bar is being dragged
            draw.bEnabled = i != 2;
            pSchema->DrawScrollBar(pDC, draw);
        }
    }
}

void CSheetScene::Paint(HDC hDC)
{
    CDC* pDC = CDC::FromHandle(hDC);
    const CRect rcClient(0, 0, kClientWidth, kClientHeight);
    pDC->FillSolidRect(rcClient, kBackground);
    const DWORD dwOldLayout = GetDCLayout(hDC);
    SetDCLayout(hDC, m_bMirrored ? LAYOUT_RTL : 0);
    if (m_bOpen) {
        DrawCells(pDC);
        DrawFrames(pDC);
        DrawBars(pDC);
    }
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, RGB(0, 0, 0));
    const std::wstring title = std::wstring(GetSkins()[m_nSkin < 0 ? 0 : m_nSkin].pszName) +
                               (m_bOpen ? L"" : L" (does not open)") + (m_bMirrored ? L", mirrored" : L"");
    RECT rcTitle = {8, 4, kClientWidth - 8, 24};
    ::DrawTextW(hDC, title.c_str(), -1, &rcTitle, DT_SINGLELINE | DT_NOPREFIX);
    SetDCLayout(hDC, dwOldLayout);
}

void CSheetScene::OnKeyDown(UINT nKey)
{
    if (nKey == VK_RIGHT)
        SelectSkin(m_nSkin + 1);
    else if (nKey == VK_LEFT)
        SelectSkin(m_nSkin - 1);
    else if (nKey == 'R')
        SetMirrored(!m_bMirrored);
}

LRESULT CALLBACK CSheetScene::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pScene = reinterpret_cast<CSheetScene*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (pScene) {
            PAINTSTRUCT ps;
            HDC hDC = ::BeginPaint(hWnd, &ps);
            pScene->Paint(hDC);
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        if (pScene)
            pScene->OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_DESTROY:
        if (pScene && pScene->m_hWnd == hWnd) {
            pScene->m_hWnd = nullptr;
            ::PostQuitMessage(0);
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace skinscene
