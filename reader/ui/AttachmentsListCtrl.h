// The attachments of the chosen contents item: one row per attachment with the shell's icon
// for its type, its name and its size. Selection, double-click and the context menu are
// reported to a listener, the main frame, which opens and saves them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "reader/book/ExeBookResourceFiles.h"
#include "toolkit/foundation/ListCtrl.h"

class CExeBookAttachmentsListCtrl;

class CExeBookAttachmentsListCtrlEventListener
{
public:
    virtual ~CExeBookAttachmentsListCtrlEventListener() = default;
    virtual void OnAttachmentSelectionChanged(CExeBookAttachmentsListCtrl* list) = 0;
    virtual void OnAttachmentOpen(CExeBookAttachmentsListCtrl* list, int nItem) = 0;
    virtual void OnAttachmentContextMenu(CExeBookAttachmentsListCtrl* list, CWnd* pWnd, CPoint point) = 0;
};

class CExeBookAttachmentsListCtrl : public CQorListCtrlEx
{
public:
    CExeBookAttachmentsListCtrl();

    // Attaches the shell's image lists and makes the Name and Size columns; once only.
    void Init();
    // One row per attachment that the index knows, in order; item data = the file id. Names show
    // as DisplayFileName gives them, and that is the name the frame writes.
    void Fill(const CExeBookFileEntries& attachments, const CExeBookResourceFiles& index);

    void SetListener(CExeBookAttachmentsListCtrlEventListener* listener) { m_pListener = listener; }

    // The first selected row, or -1.
    int GetFirstSelected() const { return GetNextItem(-1, LVNI_SELECTED); }

    // CQorListCtrlEx: the listener hears of a new selection and of a double-clicked row.
    void OnSelectionChanged() override;
    void OnItemDblClick(int nItem) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInitialized;
    HIMAGELIST m_hSmallImages;
    HIMAGELIST m_hLargeImages;
    CExeBookAttachmentsListCtrlEventListener* m_pListener;
};

// The shell's size text of a byte count ("1.50 KB").
CString FormatByteSize(LONGLONG bytes);
