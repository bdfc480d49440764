#include "platform/framework/OleDropTarget.h"

#include "platform/framework/Wnd.h"

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()) || m_hWndRegistered)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), &m_xDropTarget)))
        return FALSE;
    m_pWnd = pWnd;
    m_hWndRegistered = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWndRegistered)
        return;
    ::RevokeDragDrop(m_hWndRegistered);
    m_hWndRegistered = nullptr;
    m_pWnd = nullptr;
    if (m_pDataObject) {
        m_pDataObject->Release();
        m_pDataObject = nullptr;
    }
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, IDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, IDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, IDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

CPoint COleDropTarget::ToClient(POINTL pt) const
{
    POINT point = {pt.x, pt.y};
    if (m_hWndRegistered)
        ::ScreenToClient(m_hWndRegistered, &point);
    return CPoint(point.x, point.y);
}

// ---- XDropTarget: OLE's calls go to the owner's handlers --------------------------------------

COleDropTarget* COleDropTarget::XDropTarget::Owner()
{
    return reinterpret_cast<COleDropTarget*>(reinterpret_cast<BYTE*>(this) -
                                             FX_PART_OFFSET(COleDropTarget, m_xDropTarget));
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::AddRef()
{
    return Owner()->InternalAddRef();
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::Release()
{
    return Owner()->InternalRelease();
}

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    if (!ppvObj)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *ppvObj = this;
        AddRef();
        return S_OK;
    }
    *ppvObj = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt,
                                                    DWORD* pdwEffect)
{
    COleDropTarget* pThis = Owner();
    if (!pdwEffect)
        return E_INVALIDARG;
    if (pThis->m_pDataObject)
        pThis->m_pDataObject->Release();
    pThis->m_pDataObject = pDataObject;
    if (pDataObject)
        pDataObject->AddRef();
    *pdwEffect = pThis->OnDragEnter(pThis->m_pWnd, pDataObject, grfKeyState, pThis->ToClient(pt));
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    COleDropTarget* pThis = Owner();
    if (!pdwEffect)
        return E_INVALIDARG;
    *pdwEffect = pThis->OnDragOver(pThis->m_pWnd, pThis->m_pDataObject, grfKeyState, pThis->ToClient(pt));
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    COleDropTarget* pThis = Owner();
    pThis->OnDragLeave(pThis->m_pWnd);
    if (pThis->m_pDataObject) {
        pThis->m_pDataObject->Release();
        pThis->m_pDataObject = nullptr;
    }
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObject, DWORD, POINTL pt, DWORD* pdwEffect)
{
    COleDropTarget* pThis = Owner();
    if (!pdwEffect)
        return E_INVALIDARG;
    BOOL bDropped = pThis->OnDrop(pThis->m_pWnd, pDataObject, *pdwEffect, pThis->ToClient(pt));
    if (!bDropped)
        *pdwEffect = DROPEFFECT_NONE;
    if (pThis->m_pDataObject) {
        pThis->m_pDataObject->Release();
        pThis->m_pDataObject = nullptr;
    }
    return S_OK;
}
