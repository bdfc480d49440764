#include "demos/foundation/ImageScene.h"
#include "demos/foundation/ImageSceneResources.h"

namespace {

const wchar_t kClassName[] = L"FolionyxFoundationScene";

// Loads a strip resource and hands its three icons to the manager.
BOOL LoadStrip(CQorImageManager& images, HMODULE hModule, UINT nResource, int nSource)
{
    BOOL bAlpha = FALSE;
    CBitmap strip;
    if (!strip.Attach(LoadBitmapFromResource(hModule, MAKEINTRESOURCEW(nResource), &bAlpha)))
        return FALSE;
    UINT ids[CImageScene::kIcons];
    for (int i = 0; i < CImageScene::kIcons; ++i)
        ids[i] = CImageScene::GetIconId(nSource, i);
    return images.SetIconsFromBitmap(strip, bAlpha, ids, CImageScene::kIcons, 0, CImageScene::kIconSize,
                                     CImageScene::kIconSize);
}

} // namespace

CImageScene::CImageScene(HMODULE hResources)
{
    m_bLoaded = LoadStrip(m_images, hResources, IDB_SCENE_ALPHA_STRIP, 0) &&
                LoadStrip(m_images, hResources, IDB_SCENE_STRIP32, 1) &&
                LoadStrip(m_images, hResources, IDB_SCENE_STRIP24, 2) &&
                m_frame.LoadResource(hResources, MAKEINTRESOURCEW(IDB_SCENE_FRAME));
    m_richText.SetText(L"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs20 Icons, frames and "
                       L"{\\b rich text}, drawn without a window.\\par}");
}

CImageScene::~CImageScene()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

CPoint CImageScene::GetIconOrigin(int nSource, int nIcon, int nImage, BOOL bMirrored)
{
    const int nColumn = (bMirrored ? kIcons * kImages : 0) + nIcon * kImages + nImage;
    return CPoint(10 + nColumn * kCell, 10 + nSource * kCell * 2);
}

CRect CImageScene::GetNineGridRect(int nSize)
{
    static const SIZE kSizes[3] = {{12, 12}, {40, 24}, {96, 56}};
    int x = 10;
    for (int i = 0; i < nSize; ++i)
        x += kSizes[i].cx + 10;
    return CRect(CPoint(x, 130), kSizes[nSize]);
}

void CImageScene::DrawIcons(CDC* pDC)
{
    for (BOOL bMirrored : {FALSE, TRUE}) {
        m_images.SetMirrorMode(bMirrored ? CQorImageManager::mirrorAlways : 0);
        for (int nSource = 0; nSource < kSources; ++nSource) {
            for (int nIcon = 0; nIcon < kIcons; ++nIcon) {
                CQorImageManagerIcon* pIcon = m_images.GetImage(GetIconId(nSource, nIcon), kIconSize);
                if (pIcon == nullptr)
                    continue;
                for (int nImage = 0; nImage < kImages; ++nImage) {
                    const CQorImageManagerImage& image = nImage == imageFaded    ? pIcon->GetFadedImage()
                                                         : nImage == imageShadow ? pIcon->GetShadowImage()
                                                                                 : pIcon->GetImage(nImage);
                    const CPoint pt = GetIconOrigin(nSource, nIcon, nImage, bMirrored);
                    pIcon->Draw(pDC, image, pt.x, pt.y);
                }
            }
        }
    }
}

void CImageScene::Paint(CDC* pDC)
{
    const CRect rcAll(CPoint(0, 0), GetSize());
    CBrush background(kBackground);
    ::FillRect(pDC->GetSafeHdc(), &rcAll, background);
    DrawIcons(pDC);
    for (int nSize = 0; nSize < 3; ++nSize)
        m_frame.DrawImage(pDC, GetNineGridRect(nSize), m_frame.GetSource(0, 1), CRect(4, 4, 4, 4));
    m_richText.DrawText(pDC, GetRichTextRect());
}

HWND CImageScene::Create(int nShowCommand)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc); // a second scene finds the class registered
    CRect rc(CPoint(0, 0), GetSize());
    ::AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = ::CreateWindowExW(0, kClassName, L"Toolkit foundation", WS_OVERLAPPEDWINDOW, 0, 0, rc.Width(), rc.Height(),
                               nullptr, nullptr, wc.hInstance, this);
    if (m_hWnd != nullptr)
        ::ShowWindow(m_hWnd, nShowCommand);
    return m_hWnd;
}

LRESULT CALLBACK CImageScene::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_NCCREATE) {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pScene = reinterpret_cast<CImageScene*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (nMessage) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        PAINTSTRUCT ps = {};
        HDC hdc = nMessage == WM_PAINT ? ::BeginPaint(hWnd, &ps) : reinterpret_cast<HDC>(wParam);
        if (pScene != nullptr)
            pScene->Paint(CDC::FromHandle(hdc));
        if (nMessage == WM_PAINT)
            ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        if (pScene != nullptr)
            pScene->m_hWnd = nullptr;
        break;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}
