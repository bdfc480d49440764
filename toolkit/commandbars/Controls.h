// The controls of one bar: an ordered list holding one reference on each control, the factory
// that makes a control from a type code, the conversion of menu items, the snapshot of the bar's
// original controls, keyboard navigation, hit testing and the row layout's entry points.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

class CDC;
class CMenu;
class CQorCommandBar;
class CQorCommandBars;
class CQorControl;
class CQorOriginalControls;

class CQorControls : public CCmdTarget
{
    DECLARE_DYNCREATE(CQorControls)
public:
    CQorControls();
    ~CQorControls() override;

    int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    // Null for an index outside the list: bars keep -1 for "none".
    CQorControl* GetAt(int nIndex) const;

    // Makes a control of a type (1-11; null for a type it cannot make) for an id and inserts
    // it (index -1 or past the end appends).
    CQorControl* Add(int nType, int nId, LPCWSTR lpszParameter = nullptr, int nBefore = -1, BOOL bTemporary = FALSE);
    // Inserts a control (taking over the caller's reference), bound to the action of its id.
    CQorControl* InsertControl(CQorControl* pControl, int nId, LPCWSTR lpszParameter = nullptr, int nBefore = -1,
                               BOOL bTemporary = FALSE);
    CQorControl* AddCopy(const CQorControl* pSource, int nBefore = -1, BOOL bRecursive = FALSE);
    // The control of one menu item (appended), or null: the placeholder 65280 and types the
    // menu cannot give make none.
    CQorControl* AddMenuItem(CMenu* pMenu, int nIndex);

    virtual void Remove(CQorControl* pControl);
    void Remove(int nIndex) { Remove(GetAt(nIndex)); }
    void RemoveAll();

    // The first control of an id (-1: the first control), or null.
    CQorControl* FindControl(int nId) const;
    // The first control visible under mask 0 whose rectangle holds the point, or null.
    CQorControl* HitTest(CPoint point) const;
    int GetVisibleCount() const;
    // The next index for keyboard navigation; -1 when none.
    int GetNext(int nStart, int nStep, BOOL bPopup = FALSE, BOOL bSkipFlagged = TRUE,
                BOOL bSkipTemporary = FALSE) const;

    // Replaces the content by copies of another collection's lasting controls (a copy from
    // itself changes nothing).
    virtual void Copy(const CQorControls* pOther, BOOL bRecursive = FALSE);
    CQorControls* Duplicate(BOOL bRecursive = FALSE) const;
    void CreateOriginalControls();
    // Takes over the caller's reference.
    void SetOriginalControls(CQorOriginalControls* pOriginal);
    CQorOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    BOOL IsEqual(const CQorControls* pOther) const;

    CQorCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CQorCommandBar* pParent) { m_pParent = pParent; }
    CQorCommandBars* GetCommandBars() const;
    void SetCommandBars(CQorCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    BOOL IsOriginalControls() const { return m_bOriginalControls; }

    // The row layout (ControlsLayout.cpp). The size of the owner bar with its controls in rows
    // (columns with LM_VERTDOCK), borders included; with LM_COMMIT the controls get their
    // rectangles, row rectangles, row breaks and the no-room hide bit. dwMode gains LM_STRETCH
    // whenever controls were wrapped or hidden. nWidth: the least thickness across the rows.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD& dwMode, const CRect& rcBorder, int nWidth = 0);
    // Menu-like popups: the controls in columns no taller than nMaxHeight (0: one column).
    CSize CalcWrappedPopupSize(CDC* pDC, int nMaxHeight, const CRect& rcBorder);

protected:
    virtual void OnControlAdded(CQorControl* pControl);
    virtual void OnControlRemoved(CQorControl* pControl);
    virtual BOOL IsControlFixed(CQorControl*) const { return FALSE; }
    virtual void RefreshIndexes();

    HWND GetSite() const;
    CQorControl* CreateControl(int nType, int nId) const;
    void AppendCopies(const CQorControls* pOther, BOOL bRecursive);

    CQorCommandBar* m_pParent;
    CArray<CQorControl*, CQorControl*> m_arrControls;
    CQorCommandBars* m_pCommandBars;
    CQorOriginalControls* m_pOriginalControls;
    BOOL m_bOriginalControls;
};

// The snapshot of a bar's controls before customisation.
class CQorOriginalControls : public CQorControls
{
    DECLARE_DYNCREATE(CQorOriginalControls)
public:
    CQorOriginalControls() { m_bOriginalControls = TRUE; }
};

CQorControls* CreateControlsCollection();
