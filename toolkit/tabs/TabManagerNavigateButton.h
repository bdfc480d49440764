// The buttons of a tab row: the scroll arrows and the close button at the row's end, and the
// close button a tab may carry. A button is placed by the row's layout, drawn by the paint
// manager and pressed with auto-repeat: the arrows act while held, the close buttons on release.
#pragma once

#include <windows.h>

#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "toolkit/tabs/TabManager.h"

class CDC;

class CQorTabManagerNavigateButton
{
public:
    enum { idLeft = 0, idRight = 1, idClose = 2 };
    // 0 never shown, 1 shown when the row says so, 2 always shown.
    enum { showNever = 0, showAuto = 1, showAlways = 2 };
    enum { repeatInterval = 20 }; // milliseconds between two repeats of a held button

    CQorTabManagerNavigateButton(CQorTabManager* pManager, UINT nID, int nShowMode, UINT nToolTipID);
    virtual ~CQorTabManagerNavigateButton();
    CQorTabManagerNavigateButton(const CQorTabManagerNavigateButton&) = delete;
    CQorTabManagerNavigateButton& operator=(const CQorTabManagerNavigateButton&) = delete;

    // Takes the button's extent along the row off the length when it is shown.
    virtual void AdjustLength(int& nLength);
    virtual CSize GetSize() const;
    // Presses the button until the left button comes up; see the file's comment.
    virtual void Press(HWND hWnd, CPoint pt);
    // Places a shown button at the far end of the area and takes it off the area.
    virtual void Reposition(CRect& rcArea);
    virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
    virtual void OnExecute(BOOL bRepeat);

    // Shown: mode 2; mode 1 when the row enables it (a tab's button: on the selected tab).
    BOOL IsShown() const;
    // Deletes the button, or, while its press loop runs, once that loop has ended: a tab's close
    // button may be removed with its tab by a message the loop dispatches.
    void Destroy();
    BOOL IsPressing() const { return m_bInPress; }

    UINT GetID() const { return m_nID; }
    CRect GetRect() const { return m_rcButton; }
    CQorTabManager* GetTabManager() const { return m_pManager; }
    CQorTabManagerItem* GetItem() const { return m_pItem; }
    CString GetTooltip() const { return m_strToolTip; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHot() const;

    UINT m_nID;
    int m_nShowMode;
    CQorTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    CString m_strToolTip;
    CQorTabManagerItem* m_pItem = nullptr; // the owning tab, null for a row button

protected:
    // The base placement rule, for buttons whose show decision is already taken.
    void PlaceAtEnd(CRect& rcArea);

private:
    void TrackPress(HWND hWnd, CPoint pt);

    BOOL m_bInPress = FALSE;
    BOOL m_bDeletePending = FALSE;
};

// The scroll arrows: shown only when the tabs do not fit, they scroll while held (id 0 towards
// the row's start, id 1 towards its end) and do nothing on release.
class CQorTabManager::CNavigateButtonArrow : public CQorTabManagerNavigateButton
{
public:
    CNavigateButtonArrow(CQorTabManager* pManager, UINT nID, UINT nToolTipID);
    void AdjustLength(int& nLength) override;
    void Reposition(CRect& rcArea) override;
    // A filled triangle pointing along the row (left or right; up or down in vertical rows).
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bRepeat) override;

protected:
    virtual BOOL IsArrowEnabled(int nExtent, const CRect& rcMargin) const = 0;
};

class CQorTabManager::CNavigateButtonArrowLeft : public CQorTabManager::CNavigateButtonArrow
{
public:
    explicit CNavigateButtonArrowLeft(CQorTabManager* pManager);

protected:
    BOOL IsArrowEnabled(int nExtent, const CRect& rcMargin) const override; // scrolled at all
};

class CQorTabManager::CNavigateButtonArrowRight : public CQorTabManager::CNavigateButtonArrow
{
public:
    explicit CNavigateButtonArrowRight(CQorTabManager* pManager);

protected:
    BOOL IsArrowEnabled(int nExtent, const CRect& rcMargin) const override; // tabs beyond the end
};

class CQorTabManager::CNavigateButtonClose : public CQorTabManagerNavigateButton
{
public:
    explicit CNavigateButtonClose(CQorTabManager* pManager, int nShowMode = showNever);
    void DrawGlyph(CDC* pDC, CRect rc) override;
};

class CQorTabManager::CNavigateButtonTabClose : public CQorTabManager::CNavigateButtonClose
{
public:
    CNavigateButtonTabClose(CQorTabManager* pManager, CQorTabManagerItem* pItem, int nShowMode);
};

// Test seam: the tick count a held button's repeat reads (null: GetTickCount).
typedef DWORD (*QorTabTickSource)();
void QorSetTabTickSourceForTest(QorTabTickSource pSource);
