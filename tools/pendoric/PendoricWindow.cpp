#include "tools/pendoric/PendoricWindow.h"
#include "tools/pendoric/AnsiTextFile.h"
#include "tools/pendoric/ChineseFont.h"
#include "tools/pendoric/LogCleanup.h"
#include "tools/pendoric/PendoricResources.h"
#include "tools/pendoric/Prompts.h"
#include <new>

namespace pendoric {

const wchar_t kFileFilter[] = L"文本文件(*.TXT)|*.txt|所有文件(*.*)|*.*";

namespace {

const wchar_t kClassName[] = L"PendoricWindow";
const wchar_t kCannotRead[] = L"无法读取文件：";
const wchar_t kCannotWrite[] = L"无法写入文件：";

const int kMargin = 8;
const int kButtonWidth = 96;
const int kButtonHeight = 28;

struct ButtonSpec
{
    int id;
    const wchar_t* caption;
};

const ButtonSpec kButtons[] = {
    {PendoricWindow::IdColumn9Check, L"第九列"},
    {PendoricWindow::IdColumns11To13Check, L"剩余列"},
    {PendoricWindow::IdAbout, L"关  于"},
    {PendoricWindow::IdExit, L"退  出"},
};

std::wstring LoadResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXW wc = {};
    if (GetClassInfoExW(instance, kClassName, &wc))
        return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PENDORIC));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

} // namespace

PendoricWindow::PendoricWindow(Prompts& prompts) : m_prompts(prompts) {}

PendoricWindow::~PendoricWindow()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
    if (m_font)
        DeleteObject(m_font);
}

bool PendoricWindow::Create(HINSTANCE instance)
{
    if (!RegisterWindowClass(instance, WindowProc))
        return false;
    HWND hwnd = CreateWindowExW(0, kClassName, Title().c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, this);
    return hwnd != nullptr && m_hwnd == hwnd;
}

std::wstring PendoricWindow::Title() const
{
    return LoadResourceString(IDS_PENDORIC_TITLE);
}

LRESULT CALLBACK PendoricWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    PendoricWindow* self = reinterpret_cast<PendoricWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<PendoricWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind into the system's dispatch code.
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT PendoricWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: {
        if (!CreateChildren())
            return -1;
        RECT client;
        GetClientRect(m_hwnd, &client);
        LayOut(client.right, client.bottom);
        return 0;
    }
    case WM_SIZE:
        LayOut(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) {
            OnCommand(LOWORD(wp));
            return 0;
        }
        break;
    case WM_DESTROY:
        if (m_quitOnDestroy)
            PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        HWND hwnd = m_hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        m_hwnd = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    }
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}

bool PendoricWindow::CreateChildren()
{
    // The message font as it is has no Chinese glyphs on a system set up for another language
    // (a Wine prefix made under the C locale): its captions would show empty boxes.
    m_font = CreateChineseFont();
    for (const ButtonSpec& button : kButtons)
        CreateButton(button.id, button.caption);
    if (!m_logView.Create(m_hwnd, IdLogView))
        return false;
    if (m_font)
        m_logView.SetFont(m_font);
    return true;
}

void PendoricWindow::CreateButton(int id, const wchar_t* caption)
{
    HWND button =
        CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, kButtonWidth,
                        kButtonHeight, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hwnd, GWLP_HINSTANCE)), nullptr);
    if (button && m_font)
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
}

// Buttons in one row along the top; the log box takes the rest of the client area.
void PendoricWindow::LayOut(int width, int height)
{
    int x = kMargin;
    for (const ButtonSpec& button : kButtons) {
        MoveWindow(GetDlgItem(m_hwnd, button.id), x, kMargin, kButtonWidth, kButtonHeight, TRUE);
        x += kButtonWidth + kMargin;
    }
    int top = kMargin * 2 + kButtonHeight;
    int boxWidth = width - 2 * kMargin;
    int boxHeight = height - top - kMargin;
    MoveWindow(m_logView.Handle(), kMargin, top, boxWidth > 0 ? boxWidth : 0, boxHeight > 0 ? boxHeight : 0, TRUE);
}

void PendoricWindow::OnCommand(int id)
{
    switch (id) {
    case IdColumn9Check:
        RunCheck(CheckKind::Column9);
        break;
    case IdColumns11To13Check:
        RunCheck(CheckKind::Columns11To13);
        break;
    case IdAbout:
        ShowAbout();
        break;
    case IdExit:
        DestroyWindow(m_hwnd);
        break;
    }
}

void PendoricWindow::ShowAbout()
{
    m_prompts.ShowMessage(m_hwnd, LoadResourceString(IDS_PENDORIC_ABOUT), Title(), MB_OK);
}

void PendoricWindow::ShowFileError(const wchar_t* what, const std::wstring& path, DWORD error)
{
    std::wstring text = std::wstring(what) + L"\r\n" + path + L"\r\n\r\n" + DescribeSystemError(error);
    m_prompts.ShowMessage(m_hwnd, text, Title(), MB_OK | MB_ICONERROR);
}

void PendoricWindow::RunCheck(CheckKind kind)
{
    std::wstring path = m_prompts.ChooseFile(m_hwnd, kFileFilter);
    if (path.empty())
        return;
    m_chosenFile = path;
    try {
        std::wstring text;
        DWORD error = ReadAnsiTextFile(path, text);
        if (error != ERROR_SUCCESS) {
            ShowFileError(kCannotRead, path, error);
            return;
        }
        m_findings.Check(kind, text);

        std::wstring logPath = FullPathOf(LogFileName(kind));
        error = WriteAnsiTextFile(logPath, m_findings.BuildLog());
        if (error != ERROR_SUCCESS) {
            ShowFileError(kCannotWrite, logPath, error);
            return;
        }
        m_prompts.ShowMessage(m_hwnd, CompletionMessage(kind), Title(), MB_OK);
        CleanUpShownLog(logPath);
    } catch (const std::bad_alloc&) {
        ShowFileError(kCannotRead, path, ERROR_NOT_ENOUGH_MEMORY);
    }
}

// The written log is read back, cleaned, shown in the box and saved from the box over itself.
// The box takes the cleaned text only: putting a large text into a rich-edit box is slow on
// Wine, and doing it once is enough.
void PendoricWindow::CleanUpShownLog(const std::wstring& logPath)
{
    std::wstring log;
    DWORD error = ReadAnsiTextFile(logPath, log);
    if (error != ERROR_SUCCESS) {
        ShowFileError(kCannotRead, logPath, error);
        return;
    }
    m_logView.SetText(CleanUpLog(log));
    error = m_logView.SavePlainText(logPath);
    if (error != ERROR_SUCCESS)
        ShowFileError(kCannotWrite, logPath, error);
}

} // namespace pendoric
