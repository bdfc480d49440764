// The command-bar services' scene: a window with two cell bars painted through their animation
// objects. Hovering a cell fades it to its hot colour; the bars can be put into the tracked
// chain, which a click anywhere outside them closes; Ctrl+Shift+F3 is translated by a shortcut
// manager into a command; and a cell dragged with the left button moves to the other bar.
#pragma once

#include <windows.h>

#include <vector>

#include "demos/commandbars/CellBar.h"
#include "toolkit/commandbars/CustomizeDropSource.h"
#include "toolkit/commandbars/ShortcutManager.h"

class CServicesScene
{
public:
    enum { kBars = 2, kCells = 4, kCommandFind = 40001, kClientWidth = 420, kClientHeight = 200 };
    static constexpr COLORREF kCellColor = RGB(0, 96, 192);
    static constexpr COLORREF kHotColor = RGB(255, 160, 32);

    CServicesScene();
    ~CServicesScene();
    CServicesScene(const CServicesScene&) = delete;
    CServicesScene& operator=(const CServicesScene&) = delete;

    // Opens the scene's window at (x, y) on the screen.
    HWND Create(int x, int y);
    HWND GetSafeHwnd() const;

    CCellBar* GetBar(int nBar) { return &m_bars[nBar]; }
    CQorShortcutManager* GetShortcutManager() { return &m_shortcuts; }
    CQorCustomizeDropSource* GetDropSource() { return &m_dropSource; }
    // A part of the window's client area that no bar covers.
    static CRect GetFreeArea() { return CRect(20, 150, 400, 190); }

    // Offers a message of the loop to the shortcut manager; TRUE when it became a command.
    BOOL TranslateMessage(MSG* pMsg);
    // Puts both bars into the tracked chain, the first as its root.
    void OpenChain();

    // What reached the window: the commands in order, and the left presses.
    const std::vector<UINT>& GetCommands() const;
    int GetClickCount() const;
    // The bars whose tracking ended, in order.
    const std::vector<CQorCommandBar*>& GetEndLog() const { return m_endLog; }

private:
    class CSceneWnd;
    CSceneWnd* m_pWnd;
    CCellBar m_bars[kBars];
    CQorShortcutManager m_shortcuts;
    CQorCustomizeDropSource m_dropSource;
    std::vector<CQorCommandBar*> m_endLog;
};
