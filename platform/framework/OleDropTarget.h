// COleDropTarget: makes a window an OLE drop target. Register hands the window's IDropTarget
// to OLE; Revoke takes it back, and so does the window's destruction when the owner calls it
// from WM_NCDESTROY (OLE keeps a registered target alive otherwise). The virtual handlers get
// the window, the data, the key state and the point in the window's client coordinates.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Geometry.h"

class CWnd;

typedef DWORD DROPEFFECT;

class COleDropTarget : public CCmdTarget
{
public:
    COleDropTarget();
    ~COleDropTarget() override;

    // FALSE when the window is already registered or OLE refuses (not initialised, say).
    BOOL Register(CWnd* pWnd);
    // Takes the registration back; nothing when there is none.
    void Revoke();
    CWnd* GetWindow() const { return m_pWnd; }
    HWND GetRegisteredHwnd() const { return m_hWndRegistered; }
    IDropTarget* GetDropTargetInterface() { return &m_xDropTarget; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, IDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, IDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, IDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    class XDropTarget : public IDropTarget
    {
    public:
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
        STDMETHOD(DragEnter)(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        COleDropTarget* Owner();
    } m_xDropTarget;
    friend class XDropTarget;

protected:
    CPoint ToClient(POINTL pt) const;

    CWnd* m_pWnd = nullptr;
    HWND m_hWndRegistered = nullptr;
    IDataObject* m_pDataObject = nullptr; // held between DragEnter and DragLeave or Drop
};
