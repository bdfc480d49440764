// Helpers the paint-manager tests share: a theme made and refreshed under a chosen theme mode,
// and a log of the visual-style parts the paint managers draw.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/WinThemeWrapper.h"

namespace painttest {

// Releases a paint manager through its reference count.
struct ReleasePaintManager
{
    void operator()(CQorPaintManager* p) const
    {
        if (p)
            p->InternalRelease();
    }
};
using PaintManagerPtr = std::unique_ptr<CQorPaintManager, ReleasePaintManager>;

// A theme by number, refreshed with visual styles on (bThemed) or off; the mode is restored.
inline PaintManagerPtr MakeTheme(int nTheme, bool bThemed = true)
{
    const QorThemeMode mode = QorGetThemeMode();
    QorSetThemeModeForTest(bThemed ? qorThemeReal : qorThemeOff);
    PaintManagerPtr pTheme(CQorPaintManager::CreateTheme(nTheme));
    pTheme->RefreshMetrics();
    QorSetThemeModeForTest(mode);
    return pTheme;
}

// Destroys a test bar's window when it has one, then releases the bar.
struct DestroyAndRelease
{
    template <class TBar>
    void operator()(TBar* p) const
    {
        if (p->GetSafeHwnd())
            p->DestroyWindow();
        p->InternalRelease();
    }
};

// The width of one line in the paint manager's regular font.
inline int TextWidth(CQorPaintManager* pTheme, CDC* pDC, LPCWSTR lpszText, UINT nFormat = 0)
{
    CQorFontDC font(pDC, &pTheme->m_fontRegular);
    CRect rc(0, 0, 0, 0);
    pDC->DrawText(lpszText, -1, &rc, DT_SINGLELINE | DT_CALCRECT | nFormat);
    return rc.Width();
}

// Pixels of one colour in a rectangle of a canvas.
inline int CountColour(const foundationtest::Canvas& canvas, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += canvas.Pixel(x, y) == clr ? 1 : 0;
    return n;
}

// A 16 x 16 opaque icon of one colour in the global image manager, for an id.
inline bool RegisterSolidIcon(UINT nId, COLORREF clr)
{
    DWORD* pBits = nullptr;
    HBITMAP hBitmap = foundationtest::Canvas::MakeSection(16, 16, &pBits);
    for (int i = 0; i < 16 * 16; ++i)
        pBits[i] = 0xFF000000u | foundationtest::Canvas::Bgr(clr);
    const bool bDone = GetImageManager()->SetIconsFromBitmap(hBitmap, TRUE, &nId, 1, 0, 16, 16) != FALSE;
    DeleteObject(hBitmap);
    return bDone;
}

struct ThemePart
{
    std::wstring strClass;
    int nPart;
    int nState;
};

// Records every themed part drawn while it lives.
class ThemePartLog
{
public:
    ThemePartLog()
    {
        Parts().clear();
        QorSetThemePartRecorderForTest(&Record);
    }
    ~ThemePartLog() { QorSetThemePartRecorderForTest(nullptr); }
    const std::vector<ThemePart>& Get() const { return Parts(); }
    void Clear() { Parts().clear(); }

private:
    static std::vector<ThemePart>& Parts()
    {
        static std::vector<ThemePart> s_parts;
        return s_parts;
    }
    static void Record(LPCWSTR pszClass, int nPart, int nState, const RECT&)
    {
        Parts().push_back({pszClass, nPart, nState});
    }
};

} // namespace painttest
