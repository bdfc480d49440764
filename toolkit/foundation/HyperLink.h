#pragma once

// A static text control of a dialog turned into a link: underlined text in link colours, a hand
// cursor over the text, hover feedback, an optional tip, and a shell "open" of its URL on a click.

#include "platform/framework/Controls.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Strings.h"

class CVkHyperLink : public CStatic
{
public:
    CVkHyperLink();
    ~CVkHyperLink() override;

    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) override;

    virtual CString GetURL() const { return m_strURL; }
    virtual void SetURL(LPCTSTR lpszURL);
    virtual void SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover);
    virtual void SetVisited(BOOL bVisited = TRUE);
    virtual BOOL GetVisited() const { return m_bVisited; }
    virtual void SetUnderline(BOOL bUnderline = TRUE);
    virtual BOOL GetUnderline() const { return m_bUnderline; }
    virtual void SetBackColor(COLORREF clrBack);
    virtual COLORREF GetBackColor() const;
    // Opens lpszURL (null: the link's own URL) with the shell; a failure is reported to the user.
    virtual bool GotoURL(LPCTSTR lpszURL = nullptr, int nShowCmd = SW_SHOW, LPCTSTR lpszParams = nullptr,
                         LPCTSTR lpszDir = nullptr);
    virtual BOOL IsTextStatic() const;
    virtual BOOL IsCursorOverText() const;
    virtual void ReportError(int nError);
    virtual void Init();
    virtual void ApplyFont();
    virtual bool CreateLinkFont(CFont* pSourceFont, BOOL bUnderline);

    HCURSOR GetLinkCursor() const { return m_hCursor; }
    void SetLinkCursor(HCURSOR hCursor) { m_hCursor = hCursor; }
    COLORREF GetLinkColor() const { return m_clrLink; }
    COLORREF GetVisitedColor() const { return m_clrVisited; }
    COLORREF GetHoverColor() const { return m_clrHover; }
    BOOL IsHot() const { return m_bHot; }

    // The string id of a shell result of ShellExecute that is 32 or below.
    static UINT GetErrorStringId(int nError);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strURL;
    CString m_strTipText;
    BOOL m_bOpenOnClick;
    BOOL m_bTipActive;

protected:
    void PreSubclassWindow() override;
    void Redraw();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnClicked();
    afx_msg LRESULT OnQueryToolTipParent(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    HCURSOR m_hCursor;
    COLORREF m_clrLink, m_clrHover, m_clrVisited;
    COLORREF m_clrBack; // QOR_COLOR_UNSET: the parent's static background
    BOOL m_bUnderline, m_bHot, m_bVisited, m_bInitOnSubclass;
    CFont m_font;
    CToolTipCtrl m_wndTip;
};
