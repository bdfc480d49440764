// A list of bars holding one reference on each: the base of the command bars' collections (the
// context menus among them).
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"

class CQorCommandBar;

class CQorCommandBarList : public CCmdTarget
{
public:
    CQorCommandBarList() = default;
    ~CQorCommandBarList() override;
    CQorCommandBarList(const CQorCommandBarList&) = delete;
    CQorCommandBarList& operator=(const CQorCommandBarList&) = delete;

    // Appends a bar, taking over the caller's reference; answers the bar.
    CQorCommandBar* Add(CQorCommandBar* pBar);
    BOOL Contains(const CQorCommandBar* pBar) const;
    // Releases every bar and empties the list.
    void RemoveAll();
    // The first bar with the id, or null.
    CQorCommandBar* FindBar(UINT nBarID) const;

    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    // Null for an index outside the list.
    CQorCommandBar* GetAt(int nIndex) const;

private:
    CArray<CQorCommandBar*, CQorCommandBar*> m_arrBars;
};

class CQorCommandBars;

// The manager's context menus: popup bars found by their id, each flagged as a context menu and
// bound to the manager when it is added.
class CQorCommandBarsContextMenus : public CQorCommandBarList
{
public:
    explicit CQorCommandBarsContextMenus(CQorCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    // Appends a popup bar (taking over the caller's reference); answers it.
    CQorCommandBar* Add(CQorCommandBar* pPopupBar);
    CQorCommandBars* GetCommandBars() const { return m_pCommandBars; }

private:
    CQorCommandBars* m_pCommandBars;
};
