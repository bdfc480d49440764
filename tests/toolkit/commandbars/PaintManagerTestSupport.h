// Helpers the paint-manager tests share: a theme made and refreshed under a chosen theme mode,
// and a log of the visual-style parts the paint managers draw.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/commandbars/PaintManager.h"
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
