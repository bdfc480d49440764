#include "toolkit/commandbars/PaintManagerStatics.h"

#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/KeyboardManager.h"
#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/foundation/Statics.h"

namespace {

struct PaletteEntry
{
    COLORREF clr;
    UINT nIDString;
};

const PaletteEntry kStandardColors[QOR_STANDARD_COLOR_COUNT] = {
    {0x000000, QOR_IDS_CLR_BLACK},
    {0x003399, QOR_IDS_CLR_BROWN},
    {0x003333, QOR_IDS_CLR_OLIVE_GREEN},
    {0x003300, QOR_IDS_CLR_DARK_GREEN},
    {0x663300, QOR_IDS_CLR_DARK_TEAL},
    {0x800000, QOR_IDS_CLR_DARK_BLUE},
    {0x993333, QOR_IDS_CLR_INDIGO},
    {0x333333, QOR_IDS_CLR_GRAY_80},
    {0x000080, QOR_IDS_CLR_DARK_RED},
    {0x0066FF, QOR_IDS_CLR_ORANGE},
    {0x008080, QOR_IDS_CLR_DARK_YELLOW},
    {0x008000, QOR_IDS_CLR_GREEN},
    {0x808000, QOR_IDS_CLR_TEAL},
    {0xFF0000, QOR_IDS_CLR_BLUE},
    {0x996666, QOR_IDS_CLR_BLUE_GRAY},
    {0x808080, QOR_IDS_CLR_GRAY_50},
    {0x0000FF, QOR_IDS_CLR_RED},
    {0x0099FF, QOR_IDS_CLR_LIGHT_ORANGE},
    {0x00CC99, QOR_IDS_CLR_LIME},
    {0x669933, QOR_IDS_CLR_SEA_GREEN},
    {0xCCCC33, QOR_IDS_CLR_AQUA},
    {0xFF6633, QOR_IDS_CLR_LIGHT_BLUE},
    {0x800080, QOR_IDS_CLR_VIOLET},
    {0x999999, QOR_IDS_CLR_GRAY_40},
    {0xFF00FF, QOR_IDS_CLR_PINK},
    {0x00CCFF, QOR_IDS_CLR_GOLD},
    {0x00FFFF, QOR_IDS_CLR_YELLOW},
    {0x00FF00, QOR_IDS_CLR_BRIGHT_GREEN},
    {0xFFFF00, QOR_IDS_CLR_TURQUOISE},
    {0xFFCC00, QOR_IDS_CLR_SKY_BLUE},
    {0x663399, QOR_IDS_CLR_PLUM},
    {0xC0C0C0, QOR_IDS_CLR_GRAY_25},
    {0xCC99FF, QOR_IDS_CLR_ROSE},
    {0x99CCFF, QOR_IDS_CLR_TAN},
    {0x99FFFF, QOR_IDS_CLR_LIGHT_YELLOW},
    {0xCCFFCC, QOR_IDS_CLR_LIGHT_GREEN},
    {0xFFFFCC, QOR_IDS_CLR_LIGHT_TURQUOISE},
    {0xFFCC99, QOR_IDS_CLR_PALE_BLUE},
    {0xFF99CC, QOR_IDS_CLR_LAVENDER},
    {0xFFFFFF, QOR_IDS_CLR_WHITE},
};

// Made by the start-up (or the first request) and deleted by its exit routine.
QOR_STANDARD_COLOR* g_pPalette = nullptr;
bool g_bStarted = false;

void DestroyPalette()
{
    delete[] g_pPalette;
    g_pPalette = nullptr;
    g_bStarted = false;
}

void CreatePalette()
{
    if (g_pPalette)
        return;
    g_pPalette = new QOR_STANDARD_COLOR[QOR_STANDARD_COLOR_COUNT];
    for (int i = 0; i < QOR_STANDARD_COLOR_COUNT; ++i) {
        g_pPalette[i].clr = kStandardColors[i].clr;
        g_pPalette[i].nIDString = kStandardColors[i].nIDString;
    }
    QorAddExitRoutine(DestroyPalette, L"Standard colours");
}

} // namespace

const QOR_STANDARD_COLOR* QorGetStandardColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= QOR_STANDARD_COLOR_COUNT)
        return nullptr;
    CreatePalette();
    return &g_pPalette[nIndex];
}

const CString& QorGetStandardColorName(int nIndex)
{
    static const CString s_strNone;
    if (nIndex < 0 || nIndex >= QOR_STANDARD_COLOR_COUNT)
        return s_strNone;
    CreatePalette();
    QOR_STANDARD_COLOR& entry = g_pPalette[nIndex];
    if (entry.strName.IsEmpty())
        entry.strName = GetResourceManager()->LoadString(entry.nIDString);
    return entry.strName;
}

void QorCommandBarsStartup()
{
    if (g_bStarted)
        return;
    g_bStarted = true;
    // Exit runs these in reverse: the paint manager, the per-thread holders, then the palette.
    CreatePalette();
    QorCreateKeyboardManagerHolder();
    QorCreateMouseManagerHolder();
    QorCreatePaintManagerReference();
}
