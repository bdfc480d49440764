// The print preview window: one sheet at a time, scaled to the window, with buttons and keys to
// move between sheets.
#include "platform/browser/PagePrinter.h"
#include "platform/browser/Document.h"
#include <commdlg.h>
#include <algorithm>

namespace fxb {

namespace {

const wchar_t kPreviewClass[] = L"FolionyxPagePreview";
enum { kPrevId = 101, kNextId = 102, kCloseId = 103 };
constexpr int kBarHeight = 32;

struct PreviewState
{
    std::unique_ptr<PagePrinter> printer;
    int page = 0;
    HWND prev = nullptr, next = nullptr, close = nullptr;
};

PreviewState* StateOf(HWND hwnd)
{
    return reinterpret_cast<PreviewState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void UpdateButtons(HWND hwnd, PreviewState* st)
{
    EnableWindow(st->prev, st->page > 0);
    EnableWindow(st->next, st->page + 1 < st->printer->PageCount());
    wchar_t title[64];
    wsprintfW(title, L"Print Preview - %d / %d", st->page + 1, st->printer->PageCount());
    SetWindowTextW(hwnd, title);
}

void Go(HWND hwnd, int page)
{
    PreviewState* st = StateOf(hwnd);
    if (!st)
        return;
    st->page = std::max(0, std::min(page, st->printer->PageCount() - 1));
    UpdateButtons(hwnd, st);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void PaintPreview(HWND hwnd, HDC dc, PreviewState* st)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    int w = rc.right, h = rc.bottom;
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1, w), std::max(1, h));
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, w, h};
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(mem, &all, grey);
    DeleteObject(grey);
    // The sheet with its margins, as large as fits below the buttons.
    int pw = st->printer->PageWidth() + 96, ph = st->printer->PageHeight() + 96;
    int availW = w - 20, availH = h - kBarHeight - 20;
    if (availW > 10 && availH > 10) {
        double scale = std::min(static_cast<double>(availW) / pw, static_cast<double>(availH) / ph);
        int sw = static_cast<int>(pw * scale), sh = static_cast<int>(ph * scale);
        int x = (w - sw) / 2, y = kBarHeight + (h - kBarHeight - sh) / 2;
        RECT shadow = {x + 4, y + 4, x + sw + 4, y + sh + 4};
        FillRect(mem, &shadow, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        RECT sheet = {x, y, x + sw, y + sh};
        FillRect(mem, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        int m = static_cast<int>(48 * scale);
        RECT target = {x + m, y + m, x + sw - m, y + sh - m};
        st->printer->RenderPage(mem, st->page, target);
    }
    BitBlt(dc, 0, kBarHeight, w, h - kBarHeight, mem, 0, kBarHeight, SRCCOPY);
    RECT bar = {0, 0, w, kBarHeight};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

LRESULT CALLBACK PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    PreviewState* st = StateOf(hwnd);
    switch (msg) {
    case WM_CREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        st = static_cast<PreviewState*>(cs->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(st));
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        auto button = [&](const wchar_t* text, int id, int x) {
            HWND b = CreateWindowW(L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 4, 80, 24, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
            SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            return b;
        };
        st->prev = button(L"< Previous", kPrevId, 4);
        st->next = button(L"Next >", kNextId, 88);
        st->close = button(L"Close", kCloseId, 172);
        UpdateButtons(hwnd, st);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == kPrevId)
            Go(hwnd, st->page - 1);
        else if (LOWORD(wp) == kNextId)
            Go(hwnd, st->page + 1);
        else if (LOWORD(wp) == kCloseId || LOWORD(wp) == IDCANCEL)
            DestroyWindow(hwnd);
        SetFocus(hwnd);
        return 0;
    case WM_KEYDOWN:
        if (!st)
            break;
        if (wp == VK_NEXT || wp == VK_RIGHT || wp == VK_DOWN || wp == VK_SPACE)
            Go(hwnd, st->page + 1);
        else if (wp == VK_PRIOR || wp == VK_LEFT || wp == VK_UP)
            Go(hwnd, st->page - 1);
        else if (wp == VK_HOME)
            Go(hwnd, 0);
        else if (wp == VK_END)
            Go(hwnd, st->printer->PageCount() - 1);
        else if (wp == VK_ESCAPE)
            DestroyWindow(hwnd);
        return 0;
    case WM_MOUSEWHEEL:
        if (st)
            Go(hwnd, st->page + (GET_WHEEL_DELTA_WPARAM(wp) < 0 ? 1 : -1));
        return 0;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (st)
            PaintPreview(hwnd, dc, st);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (st)
            PaintPreview(hwnd, reinterpret_cast<HDC>(wp), st);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete st;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

HWND ShowPrintPreviewWindow(HWND owner, std::shared_ptr<Document> doc)
{
    if (!doc)
        return nullptr;
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PreviewProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPreviewClass;
        RegisterClassW(&wc);
        registered = true;
    }
    int width, height;
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (PrintDlgW(&pd) && pd.hDC) {
        int mx, my;
        PagePrinter::SheetOfPrinter(pd.hDC, width, height, mx, my);
        DeleteDC(pd.hDC);
    } else {
        PagePrinter::DefaultSheet(width, height);
    }
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    auto* st = new PreviewState;
    st->printer = std::make_unique<PagePrinter>(std::move(doc), width, height);
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    HWND hwnd = CreateWindowExW(0, kPreviewClass, L"Print Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                CW_USEDEFAULT, 700, 800, top, nullptr, GetModuleHandleW(nullptr), st);
    if (!hwnd) {
        delete st;
        return nullptr;
    }
    return hwnd;
}

int PreviewPage(HWND preview)
{
    PreviewState* st = IsWindow(preview) ? StateOf(preview) : nullptr;
    return st ? st->page : -1;
}

int PreviewPageCount(HWND preview)
{
    PreviewState* st = IsWindow(preview) ? StateOf(preview) : nullptr;
    return st ? st->printer->PageCount() : 0;
}

} // namespace fxb
