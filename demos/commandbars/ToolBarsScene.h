// The tool bars' scene: a frame built on the command bars' frame template hosts the manager
// with its four dock bars around a view. The reader's "Standard" bar (tool-bar resource 128 and
// its images) and a second bar share the top row, a third stands in the left dock bar, all in
// the native XP look. Narrowing the frame first wraps the second bar to a row of its own, then
// squeezes "Standard" so that its last buttons hide behind the expand button.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct QOR_CONTROL_CREATE_REQUEST;
class CQorCommandBars;
class CQorToolBar;
class CWnd;

class CToolBarsScene
{
public:
    enum { kClientWidth = 640, kClientHeight = 320 };
    enum { kStandardBarId = 128, kNavigationBarId = 129, kPanesBarId = 130 };

    CToolBarsScene();
    ~CToolBarsScene();
    CToolBarsScene(const CToolBarsScene&) = delete;
    CToolBarsScene& operator=(const CToolBarsScene&) = delete;

    // Opens the frame at (x, y) on the screen with its bars docked and laid out.
    HWND Create(int x, int y);
    HWND GetSafeHwnd() const;

    CQorCommandBars* GetCommandBars() const;
    CQorToolBar* GetStandardBar() const { return m_pBars[0]; }
    CQorToolBar* GetNavigationBar() const { return m_pBars[1]; }
    CQorToolBar* GetPanesBar() const { return m_pBars[2]; }
    CWnd* GetView() const;

    // Gives the frame a client area this wide (its height kept) and lays the bars out again.
    void SetClientWidth(int nWidth);

    // The frame's answer to its bars' control create requests (0x285E), set before Create;
    // TRUE when it changed the request.
    void SetControlCreateHandler(std::function<BOOL(QOR_CONTROL_CREATE_REQUEST&)> handler);

    // The commands that reached the frame, in order.
    const std::vector<UINT>& GetCommands() const;

private:
    class CSceneFrame;
    struct CState;

    CState* m_pState;
    CSceneFrame* m_pFrame; // deletes itself with its window
    HWND m_hWndFrame;
    CQorToolBar* m_pBars[3];
};
