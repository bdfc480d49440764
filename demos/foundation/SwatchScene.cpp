#include "demos/foundation/SwatchScene.h"

#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/WinThemeWrapper.h"

namespace swatchscene {

namespace {

const wchar_t kClassName[] = L"QorFoundationSwatchScene";
const int kMargin = 10;
const int kRowHeight = 50;
const int kRowGap = 10;
const int kLabelHeight = 20; // the column labels above the first row

int SplitterOf(HWND hScene)
{
    return static_cast<int>(::GetWindowLongPtrW(hScene, GWLP_USERDATA));
}

// A 32-bit premultiplied source: 50 % red.
void DrawAlphaSwatch(CDC* pDC, const CRect& rc)
{
    pDC->FillSolidRect(rc, kAlphaBackground);
    void* pBits = nullptr;
    HBITMAP hSource = CreateDIB32(nullptr, rc.Width(), rc.Height(), &pBits);
    if (!hSource)
        return;
    DWORD* pPixels = static_cast<DWORD*>(pBits);
    for (int i = 0; i < rc.Width() * rc.Height(); i++)
        pPixels[i] = 0x80800000;
    CQorCompatibleDC source(nullptr, hSource);
    GetDrawHelpers()->AlphaBlend(pDC->GetSafeHdc(), rc, source.GetSafeHdc(), CRect(0, 0, rc.Width(), rc.Height()));
    CBitmap owner;
    owner.Attach(hSource); // freed after the DC lets go of it
}

// A blue square on the key colour, drawn over the alpha background colour.
void DrawTransparentSwatch(CDC* pDC, const CRect& rc)
{
    pDC->FillSolidRect(rc, kAlphaBackground);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), rc.Width(), rc.Height()));
    {
        CQorCompatibleDC source(pDC, &bitmap);
        source.FillSolidRect(0, 0, rc.Width(), rc.Height(), kTransparentKey);
        source.FillSolidRect(rc.Width() / 4, rc.Height() / 4, rc.Width() / 2, rc.Height() / 2, kTransparentSquare);
        GetDrawHelpers()->TransparentBlt(pDC->GetSafeHdc(), rc, source.GetSafeHdc(),
                                         CRect(0, 0, rc.Width(), rc.Height()), kTransparentKey);
    }
}

// Themed when UXTHEME draws it; else the classic window face with a shadow frame.
void DrawTreeViewSwatch(CDC* pDC, const CRect& rc)
{
    CQorWinThemeWrapper theme;
    theme.OpenThemeData(nullptr, L"TREEVIEW");
    if (SUCCEEDED(theme.DrawThemeBackground(pDC->GetSafeHdc(), 1, 1, rc)))
        return;
    pDC->FillSolidRect(rc, GetColor(COLOR_WINDOW));
    pDC->Draw3dRect(rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DSHADOW));
}

void DrawColumn(CDC* pDC, HWND hScene, int nColumn)
{
    CQorDrawHelpers* pHelpers = GetDrawHelpers();
    UINT nMissing = QorGetMissingMsimg32EntriesForTest();
    QorThemeMode themeMode = QorGetThemeMode();
    if (nColumn == 1) {
        QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALL);
        QorSetThemeModeForTest(qorThemeOff);
    }
    RECT rcHorizontal = SwatchRect(hScene, rowHorizontalGradient, nColumn);
    RECT rcVertical = SwatchRect(hScene, rowVerticalGradient, nColumn);
    pHelpers->GradientFill(pDC, &rcHorizontal, kGradientFrom, kGradientTo, TRUE);
    pHelpers->GradientFill(pDC, &rcVertical, kGradientFrom, kGradientTo, FALSE);
    DrawAlphaSwatch(pDC, SwatchRect(hScene, rowAlphaBlend, nColumn));
    DrawTransparentSwatch(pDC, SwatchRect(hScene, rowTransparentBlt, nColumn));
    DrawTreeViewSwatch(pDC, SwatchRect(hScene, rowTreeViewBackground, nColumn));
    QorSetMissingMsimg32EntriesForTest(nMissing);
    QorSetThemeModeForTest(themeMode);
}

void Paint(HWND hScene, CDC* pDC)
{
    CRect rcClient;
    ::GetClientRect(hScene, &rcClient);
    pDC->FillSolidRect(rcClient, GetColor(COLOR_3DFACE));
    DrawColumn(pDC, hScene, 0);
    DrawColumn(pDC, hScene, 1);
    CQorFontDC font(pDC, nullptr, GetColor(COLOR_BTNTEXT));
    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const wchar_t* labels[2] = {L"native", L"fallback"};
    for (int nColumn = 0; nColumn < 2; ++nColumn) {
        RECT rcLabel = LabelRect(hScene, nColumn);
        ::DrawTextW(pDC->GetSafeHdc(), labels[nColumn], -1, &rcLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    pDC->SetBkMode(nOldMode);
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    RECT rcSplitter = SplitterRect(hScene);
    pDC->FillSolidRect(&rcSplitter, GetColor(COLOR_3DSHADOW));
}

void DragSplitter(HWND hScene, POINT ptClient)
{
    RECT rcTracker = SplitterRect(hScene);
    ::MapWindowPoints(hScene, nullptr, reinterpret_cast<POINT*>(&rcTracker), 2);
    POINT ptOrigin = {0, 0};
    ::ClientToScreen(hScene, &ptOrigin);
    POINT ptStart = ptClient;
    ::ClientToScreen(hScene, &ptStart);
    QOR_SPLITTER_DRAG drag = {
        hScene, TRUE, {ptOrigin.x + kSplitterMin, rcTracker.top}, {ptOrigin.x + kSplitterMax, rcTracker.top}, ptStart};
    QOR_TRACKER_DC trackerDC;
    if (TrackSplitterDrag(drag, rcTracker, trackerDC)) {
        ::SetWindowLongPtrW(hScene, GWLP_USERDATA, rcTracker.left - ptOrigin.x);
        ::InvalidateRect(hScene, nullptr, FALSE);
    }
}

LRESULT CALLBACK SceneProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case WM_CREATE:
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, kSplitterDefault);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        // Wakes a message loop that waits for the scene to go (Main.cpp).
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
        return 0;
    case WM_PAINT: {
        CPaintDC paintDC(CWnd::FromHandle(hWnd));
        CQorBufferDC buffer(paintDC);
        Paint(hWnd, &buffer);
        return 0;
    }
    case WM_PRINTCLIENT: {
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        CQorBufferDC buffer(reinterpret_cast<HDC>(wParam), rcClient);
        Paint(hWnd, &buffer);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT rcSplitter = SplitterRect(hWnd);
        if (::PtInRect(&rcSplitter, pt))
            DragSplitter(hWnd, pt);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT pt;
            ::GetCursorPos(&pt);
            ::ScreenToClient(hWnd, &pt);
            RECT rcSplitter = SplitterRect(hWnd);
            ::SetCursor(::LoadCursorW(nullptr, ::PtInRect(&rcSplitter, pt) ? IDC_SIZEWE : IDC_ARROW));
            return TRUE;
        }
        break;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

} // namespace

HWND CreateScene(int x, int y)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SceneProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    RECT rc = {0, 0, kClientWidth, kClientHeight};
    DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, 0);
    return ::CreateWindowExW(0, kClassName, L"Toolkit foundation", dwStyle, x, y, rc.right - rc.left,
                             rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
}

RECT SwatchRect(HWND hScene, Row row, int column)
{
    int nSplitter = SplitterOf(hScene);
    int nTop = kMargin + kLabelHeight + row * (kRowHeight + kRowGap);
    if (column == 0)
        return RECT{kMargin, nTop, nSplitter - kMargin, nTop + kRowHeight};
    return RECT{nSplitter + kSplitterWidth + kMargin, nTop, kClientWidth - kMargin, nTop + kRowHeight};
}

RECT LabelRect(HWND hScene, int column)
{
    RECT rc = SwatchRect(hScene, rowHorizontalGradient, column);
    rc.bottom = rc.top - 2;
    rc.top = kMargin;
    return rc;
}

RECT SplitterRect(HWND hScene)
{
    int nSplitter = SplitterOf(hScene);
    return RECT{nSplitter, 0, nSplitter + kSplitterWidth, kClientHeight};
}

} // namespace swatchscene
