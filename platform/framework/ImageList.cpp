#include "platform/framework/ImageList.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

fxdetail::DrawingHandleMap<HIMAGELIST, CImageList>& ImageListMap()
{
    static auto* map = new fxdetail::DrawingHandleMap<HIMAGELIST, CImageList>;
    return *map;
}

HBITMAP BitmapHandle(const CBitmap* bitmap)
{
    return bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr;
}

} // namespace

void DeleteTempImageLists()
{
    CImageList::DeleteTempMap();
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST list)
{
    return ImageListMap().FromHandle(list, [list] {
        CImageList* wrapper = new CImageList;
        wrapper->m_hImageList = list;
        return wrapper;
    });
}

void CImageList::DeleteTempMap()
{
    ImageListMap().DeleteTemporaries();
}

BOOL CImageList::Attach(HIMAGELIST list)
{
    return ImageListMap().AttachOwned(this, m_hImageList, list, [this] { DeleteImageList(); });
}

HIMAGELIST CImageList::Detach()
{
    return ImageListMap().DetachOwned(this, m_hImageList);
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    return Create(MAKEINTRESOURCE(bitmapId), cx, grow, mask);
}

BOOL CImageList::Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask)
{
    return Attach(
        ImageList_LoadImageW(AfxGetResourceHandle(), bitmapName, cx, grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList& list1, int image1, CImageList& list2, int image2, int dx, int dy)
{
    return Attach(ImageList_Merge(list1.m_hImageList, image1, list2.m_hImageList, image2, dx, dy));
}

BOOL CImageList::Create(CImageList* source)
{
    return source ? Attach(ImageList_Duplicate(source->m_hImageList)) : FALSE;
}

int CImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}
BOOL CImageList::SetImageCount(UINT count)
{
    return ImageList_SetImageCount(m_hImageList, count);
}
BOOL CImageList::GetImageInfo(int image, IMAGEINFO* info) const
{
    return ImageList_GetImageInfo(m_hImageList, image, info);
}
COLORREF CImageList::GetBkColor() const
{
    return ImageList_GetBkColor(m_hImageList);
}
COLORREF CImageList::SetBkColor(COLORREF color)
{
    return ImageList_SetBkColor(m_hImageList, color);
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    return ImageList_Add(m_hImageList, BitmapHandle(bitmap), BitmapHandle(mask));
}

int CImageList::Add(CBitmap* bitmap, COLORREF maskColor)
{
    return ImageList_AddMasked(m_hImageList, BitmapHandle(bitmap), maskColor);
}

int CImageList::Add(HICON icon)
{
    return ImageList_ReplaceIcon(m_hImageList, -1, icon);
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, CBitmap* mask)
{
    return ImageList_Replace(m_hImageList, image, BitmapHandle(bitmap), BitmapHandle(mask));
}

int CImageList::Replace(int image, HICON icon)
{
    return ImageList_ReplaceIcon(m_hImageList, image, icon);
}
BOOL CImageList::Remove(int image)
{
    return ImageList_Remove(m_hImageList, image);
}
BOOL CImageList::Copy(int destination, int source, UINT flags)
{
    return ImageList_Copy(m_hImageList, destination, m_hImageList, source, flags);
}
BOOL CImageList::SetOverlayImage(int image, int overlay)
{
    return ImageList_SetOverlayImage(m_hImageList, image, overlay);
}
HICON CImageList::ExtractIcon(int image)
{
    return ImageList_GetIcon(m_hImageList, image, ILD_NORMAL);
}

BOOL CImageList::Draw(CDC* dc, int image, POINT pt, UINT style)
{
    return dc && ImageList_Draw(m_hImageList, image, dc->m_hDC, pt.x, pt.y, style);
}

BOOL CImageList::DrawEx(CDC* dc, int image, POINT pt, SIZE size, COLORREF background, COLORREF foreground, UINT style)
{
    return dc && ImageList_DrawEx(m_hImageList, image, dc->m_hDC, pt.x, pt.y, size.cx, size.cy, background, foreground,
                                  style);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* params)
{
    if (!params)
        return FALSE;
    params->himl = m_hImageList;
    return ImageList_DrawIndirect(params);
}

BOOL CImageList::BeginDrag(int image, CPoint hotSpot)
{
    return ImageList_BeginDrag(m_hImageList, image, hotSpot.x, hotSpot.y);
}
void PASCAL CImageList::EndDrag()
{
    ImageList_EndDrag();
}
BOOL PASCAL CImageList::DragMove(CPoint pt)
{
    return ImageList_DragMove(pt.x, pt.y);
}
BOOL PASCAL CImageList::DragShowNolock(BOOL show)
{
    return ImageList_DragShowNolock(show);
}

BOOL PASCAL CImageList::DragEnter(CWnd* lock, CPoint pt)
{
    return ImageList_DragEnter(lock ? lock->GetSafeHwnd() : nullptr, pt.x, pt.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* lock)
{
    return ImageList_DragLeave(lock ? lock->GetSafeHwnd() : nullptr);
}
