// The skin sheet: one cell per (class, part, state) the schemas and control skins draw, four
// window frames drawn from records (active, inactive, tool window, captionless) and scroll bars
// with parts hot, pressed and disabled, for the test fixtures and the project's own skins.
// Right and Left switch skins, R mirrors the sheet.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "toolkit/skin/SkinFrameRecord.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinScrollBarState.h"

namespace skinscene {

struct SheetPart
{
    const wchar_t* pszClass;
    const wchar_t* pszPart;
    int nPart;
    int nStates; // 0: one cell in state 0
};

struct SheetSkin
{
    const wchar_t* pszName;   // as --skin takes it
    const wchar_t* pszModule; // beside the program
};

class CSheetScene
{
public:
    enum {
        kClientWidth = 740,
        kClientHeight = 560,
        kFrames = 4,
        kBars = 3, // hot, pressed, disabled; each vertical and horizontal
    };

    CSheetScene();
    ~CSheetScene();
    CSheetScene(const CSheetScene&) = delete;
    CSheetScene& operator=(const CSheetScene&) = delete;

    BOOL Create(int x, int y);
    void Destroy();
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Skins in the order Right walks them: the two fixtures, then the product skins.
    static const std::vector<SheetSkin>& GetSkins();
    static const std::vector<SheetPart>& GetParts();
    BOOL SelectSkin(int nIndex); // FALSE when the skin does not open (the sheet stays empty)
    BOOL SelectSkin(LPCWSTR lpszName);
    int GetSkinIndex() const { return m_nSkin; }
    BOOL IsSkinOpen() const { return m_bOpen; }
    void SetMirrored(BOOL bMirrored);
    BOOL IsMirrored() const { return m_bMirrored; }
    CQorSkinManager& GetManager() { return m_manager; }

    // Where things are drawn, in the sheet's own (unmirrored) client coordinates.
    CRect GetCellRect(const wchar_t* pszClass, int nPart, int nState) const;
    CRect GetFrameRect(int nFrame) const;
    CRect GetBarRect(int nBar, BOOL bVertical) const;
    const ScrollBarState& GetBar(int nBar, BOOL bVertical) const;
    // A rectangle of the sheet as the screen shows it (mirrored when the sheet is).
    CRect ToClient(const CRect& rc) const;

    void Paint(HDC hDC);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnKeyDown(UINT nKey);
    void DrawCells(CDC* pDC);
    void DrawFrames(CDC* pDC);
    void DrawBars(CDC* pDC);
    void BuildBars();

    HWND m_hWnd = nullptr;
    CQorSkinManager m_manager;
    int m_nSkin = -1;
    BOOL m_bOpen = FALSE;
    BOOL m_bMirrored = FALSE;
    ScrollBarState m_bars[2][kBars] = {};
};

} // namespace skinscene
