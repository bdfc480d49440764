// The tab rows' scene: a window with a row on each side around a client area. Each row is a
// window with CQorTabManager as its second base; the rows nest, each placing the next one in
// its client area (top, then left, bottom and right), so the innermost client lies between all
// four headers. Its tabs carry a pointer to their page in their data.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/framework/Wnd.h"
#include "toolkit/tabs/TabManager.h"

namespace tabscene {

// The page a tab stands for; a tab's data points at one.
struct ScenePage
{
    LPCWSTR pszCaption;
    LPCWSTR pszTip;
};

enum SceneAppearance { appearancePropertyPage, appearancePropertyPage2003, appearanceVisualStudio, appearanceFlat };

class CSceneRow : public CWnd, public CQorTabManager
{
public:
    explicit CSceneRow(CQorTabPaintManager* pPaintManager);

    BOOL Create(CWnd* pParent);
    // The row placed in this row's client area, moved there whenever this row is laid out.
    void SetInnerRow(CSceneRow* pInner) { m_pInner = pInner; }

    CQorTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void Reposition() override;
    void RedrawControl(LPCRECT lpRect, BOOL bAnimate) override;
    BOOL DrawItemImage(CDC* pDC, CPoint pt, CQorTabManagerItem* pItem, BOOL bDraw, CSize* pSize) override;
    // A tab's close button closes its tab.
    void OnNavigateButtonClick(CQorTabManagerNavigateButton* pButton) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    int m_nClicks = 0; // navigate-button clicks seen

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CQorTabPaintManager* m_pPaintManager;
    CSceneRow* m_pInner = nullptr;
};

class CTabScene
{
public:
    CTabScene();
    ~CTabScene();
    CTabScene(const CTabScene&) = delete;
    CTabScene& operator=(const CTabScene&) = delete;

    // Opens the scene's window at (x, y) with a client of cx x cy, mirrored when bRtl.
    BOOL Create(int x, int y, int cx, int cy, BOOL bRtl);
    void Destroy();
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Every row's look at once.
    void SetAppearance(SceneAppearance appearance);
    void SetColorKind(int nKind);
    // Resizes the window's client area; the rows follow.
    void SetClientSize(int cx, int cy);

    // Rows by position (QorTabPosition); the painters outlive the rows.
    CSceneRow* GetRow(QorTabPosition position) const { return m_rows[position].get(); }
    CQorTabPaintManager* GetPaintManager(QorTabPosition position) const { return m_painters[position].get(); }
    // Destroys one row's window and object (its inner rows stay as they are).
    void DestroyRow(QorTabPosition position);
    // The client area between the four headers, in the scene window's client coordinates.
    CRect GetInnerClient() const;

    static const ScenePage* GetPages(int* pnCount);

private:
    static LRESULT CALLBACK SceneProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();

    HWND m_hWnd = nullptr;
    std::unique_ptr<CQorTabPaintManager> m_painters[4];
    std::unique_ptr<CSceneRow> m_rows[4];
};

} // namespace tabscene
