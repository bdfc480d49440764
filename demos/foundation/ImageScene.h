// The toolkit foundation's scene: icons from a PNG alpha strip, a 32-bit bitmap and a 24-bit
// masked strip in every state and derived image, plain and mirrored; an Office-2007 frame
// nine-gridded at three sizes; a block of rich text; all over magenta, so that any pixel the
// drawing should have left alone shows.
#pragma once
#include "platform/framework/Geometry.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/Office2007Image.h"
#include "toolkit/foundation/RichRender.h"

class CImageScene
{
public:
    enum { kSources = 3, kIcons = 3, kImages = 7, kIconSize = 16, kCell = 20 };
    // The images drawn for each icon, in column order.
    enum Image { imageNormal, imageDisabled, imageHot, imageChecked, imagePressed, imageFaded, imageShadow };
    static const COLORREF kBackground = RGB(255, 0, 255);

    // Loads the scene's images from the module's resources (ImageScene.rc).
    explicit CImageScene(HMODULE hResources);
    ~CImageScene();
    CImageScene(const CImageScene&) = delete;
    CImageScene& operator=(const CImageScene&) = delete;

    // Whether every source loaded.
    BOOL IsLoaded() const { return m_bLoaded; }
    // A top-level window that paints the scene; destroyed with the scene.
    HWND Create(int nShowCommand = SW_SHOWNOACTIVATE);
    HWND GetSafeHwnd() const { return m_hWnd; }

    void Paint(CDC* pDC);

    // Where things go, in client coordinates.
    static CSize GetSize() { return CSize(10 + 2 * kIcons * kImages * kCell + 10, 300); }
    static CPoint GetIconOrigin(int nSource, int nIcon, int nImage, BOOL bMirrored);
    static CRect GetNineGridRect(int nSize);
    static CRect GetRichTextRect() { return CRect(10, 200, 410, 260); }
    static UINT GetIconId(int nSource, int nIcon) { return 100 * (nSource + 1) + nIcon + 1; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void DrawIcons(CDC* pDC);

    CQorImageManager m_images;
    CQorOffice2007Image m_frame;
    CQorRichRender m_richText;
    BOOL m_bLoaded = FALSE;
    HWND m_hWnd = nullptr;
};
